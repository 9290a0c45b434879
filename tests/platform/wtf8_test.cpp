#include "platform/wtf8.h"

#include <gtest/gtest.h>

#include <random>

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

namespace qor {
namespace {

// The reading one sequence at a time through DecodeUtf8Sequence: the reference for the fast
// path; nullopt with the offset of the first invalid byte.
std::optional<Text> ReferenceDecode(BytesView bytes, std::size_t& offset) {
  Text out;
  for (std::size_t i = 0; i < bytes.size();) {
    char32_t c;
    const std::size_t len = DecodeUtf8Sequence(bytes, i, c);
    if (len == 0) return offset = i, std::nullopt;
    AppendUnits(out, c);
    i += len;
  }
  return out;
}

TEST(Wtf8, FastPathReadsAsTheReferenceDoes) {
  std::mt19937 random(16);
  const unsigned char pieces[] = {'a',  0x00, 0x7F, 0x80, 0x9F, 0xA0, 0xBF, 0xC0, 0xC1, 0xC2,
                                  0xDF, 0xE0, 0xE4, 0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF};
  for (int round = 0; round < 20000; ++round) {
    Bytes bytes(random() % 40, '\0');
    for (char& b : bytes) b = static_cast<char>(pieces[random() % std::size(pieces)]);
    // Valid text too: the bytes of random units, pairs among them.
    Text units(random() % 20, u'\0');
    for (char16_t& u : units) u = static_cast<char16_t>(random() % 3 ? random() % 0x800 : random());
    for (const Bytes& input : {bytes, EncodeWtf8(units)}) {
      std::size_t offset = 0, expected_offset = 0;
      const std::optional<Text> expected = ReferenceDecode(input, expected_offset);
      ASSERT_EQ(DecodeWtf8(input, &offset), expected) << ToHex(input);
      if (!expected) {
        ASSERT_EQ(offset, expected_offset) << ToHex(input);
      }
    }
  }
}

}  // namespace
}  // namespace qor
