#include "platform/wtf8.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace qor {
namespace {

TEST(Wtf8, PairsSurrogatesAndKeepsLoneOnes) {
  EXPECT_EQ(ToHex(EncodeWtf8(u"\xD83D\xDE00")), "F0 9F 98 80");
  EXPECT_EQ(ToHex(EncodeWtf8(u"\xD83D"
                             u"A")),
            "ED A0 BD 41");
  EXPECT_EQ(ToHex(EncodeWtf8(u"\xDE00\xD83D")), "ED B8 80 ED A0 BD");
  for (const Text& text : {Text(u"\xD83D\xDE00"),
                           Text(u"\xD83D"
                                u"A"),
                           Text(u"\xDE00\xD83D"), Text(u"中文 abc"), Text(1, u'\0')}) {
    EXPECT_EQ(DecodeWtf8(EncodeWtf8(text)), text) << Show(text);
  }
}

TEST(Wtf8, ReportsTheOffsetOfInvalidInput) {
  const struct {
    const char* bytes;
    std::size_t offset;
  } cases[] = {
      {"41 80", 1},        // stray continuation byte
      {"41 42 C3", 2},     // truncated
      {"C0 80", 0},        // overlong
      {"E0 80 80", 0},     // overlong
      {"F4 90 80 80", 0},  // above U+10FFFF
      {"E4 B8 AD FF", 3},
  };
  for (const auto& c : cases) {
    std::size_t offset = 999;
    EXPECT_FALSE(DecodeWtf8(Hex(c.bytes), &offset)) << c.bytes;
    EXPECT_EQ(offset, c.offset) << c.bytes;
  }
  EXPECT_EQ(Utf8ToText(Hex("41 FF 42")), u"A\uFFFDB");
}

}  // namespace
}  // namespace qor
