#include "codecs/utf7.h"

#include <gtest/gtest.h>

#include "random_text.h"
#include "support/test_support.h"

namespace qor {
namespace {

TEST(DecodeUtf7, Examples) {
  const std::pair<Text, Text> cases[] = {
      {u"+UxdOrA- YES +Ti1XC2-", u"北京 YES 中國"},  // leftover bits are ignored
      {u"+UxdOrA- YES +Ti1XCw-", u"北京 YES 中國"},
      {u"+-", u"+"},
      {u"a+-b+-", u"a+b+"},
      {u"a+b", u"a+b"},
      {u"a+bc-d", u"a+bc-d"},
      {u"a++-", u"a++-"},  // a run of one "+": kept, "-" too
      {u"+AGEAYgBj-x", u"abcx"},
      {u"+AGEAYgBj", u"abc"},
      {u"+AGEAYgBjx", u"abc"},   // "x" is a run symbol: its byte is an odd last byte
      {u"+AGEAY-", u"a\u0018"},  // the lone last symbol is a byte of its own value
      {u"+AGE--", u"a-"},
      {u"+AAA-", u" "},  // U+0000 becomes a space
      {Text(u"a\0b", 3), u"a b"},
      {u"+", u"+"},
      {u"+ x", u"+ x"},
      {u"+AGE.", u"a."},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(DecodeUtf7(in), out) << Show(in);
  EXPECT_EQ(DecodeUtf7(u""), u"");
}

TEST(EncodeUtf7, Examples) {
  EXPECT_EQ(EncodeUtf7(u"北京 YES 中國"), u"+UxdOrA- YES +Ti1XCw-");
  EXPECT_EQ(EncodeUtf7(u"1+1"), u"1+-1");
  EXPECT_EQ(EncodeUtf7(u"~\\ !\t\r\n"), u"~\\ !\t\r\n");
  EXPECT_EQ(EncodeUtf7(u"中文"), u"+Ti1lhw-");
  EXPECT_EQ(EncodeUtf7(u"中-"), u"+Ti0--");
  EXPECT_EQ(EncodeUtf7(u"\x7F\x01"), u"+AH8AAQ-");
  EXPECT_EQ(EncodeUtf7(u"\xD83D\xDE00"), u"+2D3eAA-");
  EXPECT_EQ(EncodeUtf7(u""), u"");
}

// The reference: symbols to a string of bits, bytes read off 8 bits at a time (a lone last
// symbol of a group is a byte of its own value), byte pairs read big-endian.
Text ReferenceDecode(TextView text) {
  const std::u16string alphabet =
      u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  Text out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] != u'+') {
      out += text[i++];
      continue;
    }
    std::size_t end = i + 1;
    while (end < text.size() && alphabet.find(text[end]) != std::u16string::npos) ++end;
    const std::size_t n = end - i - 1;
    const bool dash = end < text.size() && text[end] == u'-';
    if (n >= 3) {
      std::string bits;
      for (std::size_t k = i + 1; k < end; ++k) {
        const std::size_t value = alphabet.find(text[k]);
        for (int bit = 5; bit >= 0; --bit) bits += (value >> bit & 1) ? '1' : '0';
      }
      std::vector<int> bytes;
      for (std::size_t k = 0; k + 8 <= bits.size(); k += 8)
        bytes.push_back(std::stoi(bits.substr(k, 8), nullptr, 2));
      if (n % 4 == 1) bytes.push_back(static_cast<int>(alphabet.find(text[end - 1])));
      for (std::size_t k = 0; k + 1 < bytes.size(); k += 2)
        out += static_cast<char16_t>(bytes[k] << 8 | bytes[k + 1]);
      i = dash ? end + 1 : end;
    } else {
      out += text.substr(i, end - i);
      i = n == 0 && dash ? end + 1 : end;
    }
  }
  for (char16_t& c : out) {
    if (c == 0) c = u' ';
  }
  return out;
}

const Text kPieces[] = {u"+", u"-", u"A",  u"G",       u"E",   u"Y",    u"g",
                        u"z", u"0", u"9",  u"/",       u"+-",  u"+AGE", u"+Ti1XCw-",
                        u" ", u".", u"中", Text(1, 0), u"\r\n"};

TEST(DecodeUtf7, AgreesWithTheReferenceOnRandomText) {
  RandomText random(9);
  for (int round = 0; round < 5000; ++round) {
    const Text text = random.Pieces(kPieces, random.Below(30));
    ASSERT_EQ(DecodeUtf7(text), ReferenceDecode(text)) << Show(text);
  }
}

TEST(DecodeUtf7, EverySplitPoint) {
  for (const Text& text :
       {Text(u"+UxdOrA- YES +Ti1XC2-+-a+b+AGEAY-"), EncodeUtf7(u"中文 1+1 é\t北京")}) {
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
      for (const Text& part : {text.substr(0, cut), text.substr(cut)}) {
        EXPECT_EQ(DecodeUtf7(part), ReferenceDecode(part)) << Show(part);
      }
    }
  }
}

// Domain: any BMP units, surrogate halves included, but U+0000 (which decodes to a space).
TEST(Utf7, DecodesWhatItEncodes) {
  RandomText random(10);
  for (int round = 0; round < 500; ++round) {
    const Text text = random.Bmp(random.Below(40), [&](char16_t c) {
      return c != 0 && (c < 0x80 || random.Below(4) == 0);  // mostly direct characters
    });
    ASSERT_EQ(DecodeUtf7(EncodeUtf7(text)), text) << Show(text);
  }
}

TEST(DecodeUtf7, LongRunsOfPlusSigns) {
  // A run of 16,382 "+" symbols: 12,286 bytes.
  EXPECT_EQ(DecodeUtf7(Text(16383, u'+')).size(), (16382u / 4 * 3 + 1) / 2);
  Text pluses;
  while (pluses.size() < 16383) pluses += u"+-";
  EXPECT_EQ(DecodeUtf7(pluses), Text(pluses.size() / 2, u'+'));
}

}  // namespace
}  // namespace qor
