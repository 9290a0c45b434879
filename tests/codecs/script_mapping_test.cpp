#include "codecs/script_mapping.h"

#include <gtest/gtest.h>

#include <random>

#include "support/test_support.h"

namespace qor {
namespace {

struct MappingCase {
  Text text;
  Text simplified;
  Text traditional;
};

TEST(MapString, ConvertsPhrasesAndKeepsTheLength) {
  const MappingCase cases[] = {
      {u"中国", u"中国", u"中國"},
      {u"中國", u"中国", u"中國"},
      {u"头发", u"头发", u"頭髮"},  // phrase-aware: 发 of hair, not 發 of send
      {u"ASCII text 123", u"ASCII text 123", u"ASCII text 123"},
      // 䑽 maps to a supplementary character: it keeps its one unit.
      {u"䑽", u"䑽", u"䑽"},
      // Lone surrogates and U+0000 cannot pass through the converter: they stay in place.
      {Text(u"中\xD800国\0发", 5), Text(u"中\xD800国\0发", 5), Text(u"中\xD800國\0發", 5)},
      {u"\xDC00", u"\xDC00", u"\xDC00"},
      {u"😀中国", u"😀中国", u"😀中國"},
  };
  for (const MappingCase& c : cases) {
    EXPECT_EQ(MapString(c.text, false), c.simplified) << Show(c.text);
    EXPECT_EQ(MapString(c.text, true), c.traditional) << Show(c.text);
  }
  EXPECT_EQ(MapString(u"", true), u"");
}

TEST(MapString, OneUnitOutPerUnitInOnRandomText) {
  std::mt19937 random(5);
  for (int round = 0; round < 50; ++round) {
    Text text(random() % 64, u'\0');
    for (char16_t& c : text) {
      c = random() % 4 == 0 ? static_cast<char16_t>(random() % 0x10000)
                            : static_cast<char16_t>(0x4E00 + random() % 0x5200);
    }
    for (const bool traditional : {false, true}) {
      const Text mapped = MapString(text, traditional);
      ASSERT_EQ(mapped.size(), text.size()) << Show(text);
      // Whatever is not a CJK ideograph or a surrogate is never touched.
      for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] < 0x2E80) {
          EXPECT_EQ(mapped[i], text[i]) << Show(text);
        }
      }
    }
  }
}

TEST(MapWidth, FullAndHalfWidth) {
  EXPECT_EQ(MapWidth(u"A1 ", true), u"Ａ１　");
  EXPECT_EQ(MapWidth(u"Ａ１　", false), u"A1 ");
  EXPECT_EQ(MapWidth(u"ｶﾞ", true), u"ガ");  // the voiced mark composes: the length changes
  EXPECT_EQ(MapWidth(u"中文", true), u"中文");
  EXPECT_EQ(MapWidth(u"", true), u"");
}

}  // namespace
}  // namespace qor
