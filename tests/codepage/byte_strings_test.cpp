#include "codepage/byte_strings.h"

#include <gtest/gtest.h>

#include <random>

#include "support/test_support.h"

namespace qor {
namespace {

struct Utf8Case {
  const char* bytes;
  Text text;
};

TEST(Utf8BytesToText, DecodesByItsOwnRules) {
  const Utf8Case cases[] = {
      {"E4 B8 AD", u"中"},
      {"EF BB BF 41", u"\uFEFFA"},  // the mark is kept; callers remove it
      {"41 C3", u"A"},              // an unfinished sequence at the end is dropped
      {"C3 41", u" A"},             // the flushed value 3 is below 32
      {"E4 B8 41", u"\u0138A"},     // flushed as what it gathered
      {"C0 80", u" "},
      {"80 80", u" "},             // two stray continuation bytes make one value
      {"F0 9F 98 80", u"\u07D8"},  // four-byte leads are three-byte leads
      {"00", Text(1, u'\0')},      // plain bytes below 0x80 are never clamped
      {"0D 0A 09", u"\r\n\t"},
      {"ED A0 BD ED B8 80", u"\xD83D\xDE00"},  // surrogates come out as they are
      {"FF BF BF", u"\xFFFF"},
      {"", u""},
  };
  for (const Utf8Case& c : cases) {
    EXPECT_EQ(Utf8BytesToText(Hex(c.bytes)), c.text) << c.bytes;
  }
}

TEST(TextToUtf8Bytes, EncodesEachUnitOnItsOwn) {
  const Utf8Case cases[] = {
      {"41", u"A"},
      {"C3 A9", u"é"},
      {"EF BB BF", u"\uFEFF"},
      {"EF BF BF", u"\xFFFF"},
      {"00", Text(1, u'\0')},
      {"DF BF E0 A0 80", u"\u07FF\u0800"},
      {"ED A0 BD ED B8 80", u"\xD83D\xDE00"},  // never a four-byte sequence
  };
  for (const Utf8Case& c : cases) {
    EXPECT_EQ(ToHex(TextToUtf8Bytes(c.text)), ToHex(Hex(c.bytes))) << c.bytes;
  }
}

TEST(ByteStrings, LatinOneAndByteOrder) {
  EXPECT_EQ(CharsToBytes(u"A\u4E2D"), Hex("41 2D"));
  EXPECT_EQ(BytesToChars(Hex("41 E4")), u"A\u00E4");
  EXPECT_EQ(SwapBytePairs(Hex("41 00 42 00")), Hex("00 41 00 42"));
  EXPECT_EQ(SwapBytePairs(Hex("41 00 42")), Hex("00 41 42"));
  EXPECT_EQ(TextToUtf16LeBytes(u"A\u4E2D"), Hex("41 00 2D 4E"));
  EXPECT_EQ(Utf16LeBytesToText(Hex("41 00 2D 4E 99")), u"A\u4E2D");  // the odd byte is dropped
}

TEST(ByteStrings, RoundTripsOnRandomInput) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    Bytes bytes(random() % 64, '\0');
    for (char& b : bytes) b = static_cast<char>(random());
    EXPECT_EQ(SwapBytePairs(SwapBytePairs(bytes)), bytes);
    EXPECT_EQ(CharsToBytes(BytesToChars(bytes)), bytes);

    // Any BMP text without surrogates: the program's UTF-8 pair is the identity.
    Text text(random() % 64, u'\0');
    for (char16_t& c : text) {
      do c = static_cast<char16_t>(random() % 0x10000);
      while (c >= 0xD800 && c <= 0xDFFF);
    }
    EXPECT_EQ(Utf8BytesToText(TextToUtf8Bytes(text)), text);
    EXPECT_EQ(Utf16LeBytesToText(TextToUtf16LeBytes(text)), text);
  }
}

TEST(Utf8BytesToText, NeverLongerThanItsInput) {
  std::mt19937 random(11);
  for (int round = 0; round < 500; ++round) {
    Bytes bytes(random() % 32, '\0');
    for (char& b : bytes) b = static_cast<char>(0x80 + random() % 0x80);
    EXPECT_LE(Utf8BytesToText(bytes).size(), bytes.size());
  }
}

TEST(ByteStrings, ZerosAndMark) {
  Text text(u"\uFEFFa\0b\uFEFF", 5);
  DropByteOrderMark(text);
  ZerosToSpaces(text);
  EXPECT_EQ(text, u"a b\uFEFF");
}

}  // namespace
}  // namespace qor

namespace qor {
namespace {

// The decoder as first written, one byte at a time: the reference for the fast path.
Text ReferenceUtf8BytesToText(BytesView bytes) {
  Text out;
  unsigned value = 0;
  int remaining = 2;
  const auto emit = [&out](unsigned v) { out += static_cast<char16_t>(v < 32 ? 32 : v); };
  for (const char ch : bytes) {
    const unsigned b = static_cast<unsigned char>(ch);
    if (b >= 0x80 && b <= 0xBF) {
      value = value * 64 + (b & 0x3F);
      if (--remaining <= 0) emit(value), value = 0, remaining = 2;
      continue;
    }
    if (value > 0) emit(value);
    if (b >= 0xE0) {
      value = b & 0x0F, remaining = 2;
    } else if (b >= 0xC0) {
      value = b & 0x1F, remaining = 1;
    } else {
      out += static_cast<char16_t>(b), value = 0, remaining = 2;
    }
  }
  return out;
}

// Random bytes drawn mostly from UTF-8's own pieces, so that valid runs and every kind of
// malformed sequence meet at every alignment.
TEST(Utf8BytesToText, FastPathReadsAsTheReferenceDoes) {
  std::mt19937 random(16);
  const unsigned char pieces[] = {'a',  '\n', 0x00, 0x1F, 0x7F, 0x80, 0x8F, 0xBF, 0xC0,
                                  0xC3, 0xDF, 0xE0, 0xE4, 0xED, 0xEF, 0xF0, 0xF4, 0xFF};
  for (int round = 0; round < 20000; ++round) {
    Bytes bytes(random() % 40, '\0');
    for (char& b : bytes) {
      b = static_cast<char>(random() % 3 ? pieces[random() % std::size(pieces)] : random() % 256);
    }
    ASSERT_EQ(Utf8BytesToText(bytes), ReferenceUtf8BytesToText(bytes)) << ToHex(bytes);
  }
}

}  // namespace
}  // namespace qor
