#include "codecs/base64.h"

#include <gtest/gtest.h>

#include "codepage/reinterpret.h"
#include "random_text.h"
#include "support/test_support.h"

namespace qor {
namespace {

constexpr LcidSelector kGb = kLcidChineseSimplified, kBig5 = kLcidChineseTraditional,
                       kUtf8 = kLcidUtf8, kLatin1 = kLcidLatin1;

TEST(EncodeBase64, Examples) {
  EXPECT_EQ(EncodeBase64Bytes(""), u"");
  EXPECT_EQ(EncodeBase64Bytes("a"), u"YQ");
  EXPECT_EQ(EncodeBase64Bytes("ab"), u"YWI");
  EXPECT_EQ(EncodeBase64Bytes("abc"), u"YWJj");
  EXPECT_EQ(EncodeBase64Bytes(Hex("FB FF BF")), u"+/+/");
  EXPECT_EQ(EncodeBase64Text(u"电", false), u"tec=");
  EXPECT_EQ(EncodeBase64Text(u"a", false), u"YQ==");
  EXPECT_EQ(EncodeBase64Text(u"abc", false), u"YWJj");
  EXPECT_EQ(EncodeBase64Text(u"电", true), u"55S1");
  EXPECT_EQ(EncodeBase64Text(u"", false), u"");
}

TEST(EncodeBase64, LinesOf76) {
  // 57 bytes fill one line exactly; 58 bytes add a second line of 4 characters.
  const Text one = EncodeBase64Text(Text(57, u'a'), false);
  EXPECT_EQ(one.size(), 76u);
  EXPECT_EQ(one.find(u'\r'), Text::npos);
  const Text two = EncodeBase64Text(Text(58, u'a'), false);
  ASSERT_EQ(two.size(), 76u + 2 + 4);
  EXPECT_EQ(two.substr(76, 2), u"\r\n");
  EXPECT_EQ(two.substr(78), u"YQ==");
  EXPECT_EQ(two.substr(0, 76), one);
  // 114 bytes: two full lines and no line break after the last.
  const Text full = EncodeBase64Text(Text(114, u'a'), false);
  EXPECT_EQ(full.size(), 76u * 2 + 2);
}

struct DecodeCase {
  Text in;
  int variant;
  Bytes out;
};

TEST(DecodeBase64Bytes, Examples) {
  const DecodeCase cases[] = {
      {u"QVNDSUkg", kBase64Standard, "ASCII "},
      {u"YW Jj", kBase64Standard, "abc"},
      {u"YW\r\nJ\nj\r", kBase64Standard, "abc"},
      {u"YQ==YQ==", kBase64Standard, Hex("61 06 10")},
      {u"=Y=W=J=j=", kBase64Standard, "abc"},
      {u"YWJjZ", kBase64Standard, Hex("61 62 63 19")},
      {u"YWJjZA", kBase64Standard, Hex("61 62 63 64")},
      {u"YWJjZGU", kBase64Standard, "abcde"},
      {u"+/+/", kBase64Standard, Hex("FB FF BF")},
      {u"*-*-", kBase64Star, Hex("FB FF BF")},
      {u"*-*-", 7, ""},  // any other variant value reads the standard alphabet
      {u"+/+/", kBase64Star, ""},
      {u"YW\tJj", kBase64Standard, ""},
      {u"YWJj中", kBase64Standard, ""},
      {u"YWJj.", kBase64Standard, ""},
      {u"= \r\n", kBase64Standard, ""},
      {u"", kBase64Standard, ""},
  };
  for (const DecodeCase& c : cases) {
    EXPECT_EQ(ToHex(DecodeBase64Bytes(c.in, c.variant)), ToHex(c.out)) << Show(c.in);
  }
}

TEST(DecodeBase64Text, ByInterpretation) {
  for (const LcidSelector selector : {kGb, kBig5, kUtf8, kLatin1}) {
    EXPECT_EQ(DecodeBase64Text(u"QVNDSUkg", selector, kBase64Standard), u"ASCII ") << selector;
  }
  EXPECT_EQ(DecodeBase64Text(u"1tDOxA==", kGb, kBase64Standard), u"中文");
  EXPECT_EQ(DecodeBase64Text(u"pKSk5Q==", kBig5, kBase64Standard), u"中文");
  EXPECT_EQ(DecodeBase64Text(u"5Lit5paH", kUtf8, kBase64Standard), u"中文");
  EXPECT_EQ(DecodeBase64Text(u"YQBi", kGb, kBase64Standard), u"a b");  // a zero byte
  for (const LcidSelector selector : {kLcidUtf16Le, kLcidUtf16Be, LcidSelector{99999}}) {
    EXPECT_EQ(DecodeBase64Text(u"QVNDSUkg", selector, kBase64Standard), u"") << selector;
  }
  EXPECT_EQ(DecodeBase64Text(u"QVND\tSUkg", kGb, kBase64Standard), u"");
}

// The reference: keep the alphabet's symbols as a string of bits, read bytes off it 8 bits at a
// time; a lone last symbol of a group stands for a byte of its own value.
Bytes ReferenceDecode(TextView text, int variant) {
  std::u16string alphabet = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  if (variant == kBase64Star) alphabet = alphabet.substr(0, 62) + u"*-";
  std::string bits;
  int symbols = 0;
  int last = 0;
  for (const char16_t c : text) {
    if (c == u'=' || c == u' ' || c == u'\r' || c == u'\n') continue;
    const std::size_t value = alphabet.find(c);
    if (value == std::u16string::npos) return {};
    for (int bit = 5; bit >= 0; --bit) bits += (value >> bit & 1) ? '1' : '0';
    ++symbols;
    last = static_cast<int>(value);
  }
  Bytes out;
  for (std::size_t k = 0; k + 8 <= bits.size(); k += 8) {
    out += static_cast<char>(std::stoi(bits.substr(k, 8), nullptr, 2));
  }
  if (symbols % 4 == 1) out += static_cast<char>(last);
  return out;
}

TEST(DecodeBase64Bytes, AgreesWithTheReferenceOnRandomText) {
  const Text pieces[] = {u"A", u"Q", u"z",  u"0",  u"9",    u"+",    u"/",  u"*",  u"-",
                         u"=", u" ", u"\r", u"\n", u"\r\n", u"YWJj", u"\t", u"中", u"_"};
  RandomText random(7);
  for (int round = 0; round < 5000; ++round) {
    const Text text = random.Pieces(pieces, random.Below(40));
    for (const int variant : {kBase64Standard, kBase64Star}) {
      ASSERT_EQ(ToHex(DecodeBase64Bytes(text, variant)), ToHex(ReferenceDecode(text, variant)))
          << variant << " " << Show(text);
    }
  }
}

TEST(Base64, DecodesWhatItEncodes) {
  RandomText random(8);
  for (std::size_t length = 0; length < 300; ++length) {
    const Bytes bytes = random.AnyBytes(length);
    EXPECT_EQ(ToHex(DecodeBase64Bytes(EncodeBase64Bytes(bytes), kBase64Standard)), ToHex(bytes));
  }
  // Domain: UTF-8 of BMP text without U+0000 (which decodes to a space).
  for (int round = 0; round < 100; ++round) {
    const Text text = random.Bmp(1 + random.Below(200), [](char16_t c) { return c != 0; });
    EXPECT_EQ(DecodeBase64Text(EncodeBase64Text(text, true), kUtf8, kBase64Standard), text);
  }
  EXPECT_EQ(DecodeBase64Text(EncodeBase64Text(u"中文 GBK text", false), kGb, kBase64Standard),
            u"中文 GBK text");
}

TEST(DecodeBase64Bytes, LongRunsOfSkippedCharacters) {
  EXPECT_EQ(DecodeBase64Bytes(Text(16383, u'='), kBase64Standard), "");
  EXPECT_EQ(DecodeBase64Bytes(Text(16383, u'A'), kBase64Standard).size(), 16383u / 4 * 3 + 2);
}

}  // namespace
}  // namespace qor
