#include "codepage/text_files.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace qor {
namespace {

// The codes are a numbering the user sees: the tables below write them as numbers.
EncodingCode Code(int number) { return static_cast<EncodingCode>(number); }

TEST(DetectEncoding, MarksComeFirstThenEvenOffsetLineBreaks) {
  const struct {
    const char* bytes;
    std::int16_t code;
  } cases[] = {
      {"", 0},
      {"41", 0},
      {"EF BB", 0},  // too short for the UTF-8 mark
      {"EF BB BF", 6},
      {"EF BB BF 41", 6},
      {"FF FE", 4},
      {"FE FF", 5},
      {"FF FE 00 0D 00 0A", 4},
      {"0D 00 0A 00", 7},
      {"41 00 0D 00 0A 00", 7},
      {"41 0D 00 0A 00", 0},  // CR LF of UTF-16LE at an odd offset
      {"0D 00 0A", 0},
      {"00 0D 00 0A", 8},
      {"00 41 00 0D 00 0A", 8},
      {"41 00 0D 00 0A", 0},           // BE CR LF at an odd offset
      {"00 0D 00 0A 00", 8},           // BE at 0; the LE pattern at offset 1 does not count
      {"0D 0A 0D 0A", 0},              // plain CR LF
      {"00 0D 00 0A 0D 00 0A 00", 7},  // both: UTF-16LE wins
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DetectEncoding(Hex(c.bytes)), c.code) << c.bytes;
  }
}

TEST(IsNonAsciiUtf8, AcceptsUtf8AndItsSurrogateFormsOnly) {
  const struct {
    const char* bytes;
    bool utf8;
  } cases[] = {
      {"", false},
      {"41 42", false},  // ASCII is not a sign of UTF-8
      {"E4 B8 AD", true},
      {"41 C3 A9", true},
      {"F0 9F 98 80", true},
      {"ED A0 BD ED B8 80", true},  // surrogates one by one, as older saves wrote them
      {"D6 D0 CE C4", false},       // 中文 in GBK
      {"C0 80", false},             // overlong
      {"E0 80 80", false},
      {"F0 80 80 80", false},
      {"F4 90 80 80", false},  // beyond U+10FFFF
      {"F5 80 80 80", false},
      {"C3", false},  // cut short
      {"E4 B8", false},
      {"80", false},
      {"E4 B8 41", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsNonAsciiUtf8(Hex(c.bytes)), c.utf8) << c.bytes;
  }
}

// Rows: requested codes 0..9; columns: files that show GBK (nothing), UTF-8 without a mark,
// the UTF-8 mark, the UTF-16LE mark, the UTF-16BE mark, UTF-16LE and UTF-16BE line breaks.
TEST(SettleEncoding, RequestedAgainstDetected) {
  const char* files[] = {"41 42",       "E4 B8 AD",          "EF BB BF 41",      "FF FE 41 00",
                         "FE FF 00 41", "41 00 0D 00 0A 00", "00 41 00 0D 00 0A"};
  const std::int16_t expected[10][7] = {
      {1, 9, 6, 4, 5, 7, 8},  // automatic
      {1, 1, 1, 1, 1, 1, 1},  // GBK is always obeyed
      {2, 2, 2, 2, 2, 2, 2}, {3, 3, 3, 3, 3, 3, 3},
      {7, 7, 7, 4, 7, 7, 7},  // UTF-16LE with mark: only a marked file keeps 4
      {8, 8, 8, 8, 5, 8, 8}, {9, 9, 6, 9, 9, 9, 9},
      {7, 7, 7, 4, 7, 7, 7},  // without mark, but the file carries one: it is removed
      {8, 8, 8, 8, 5, 8, 8}, {9, 9, 6, 9, 9, 9, 9},
  };
  for (std::int16_t r = 0; r < 10; ++r) {
    for (int f = 0; f < 7; ++f) {
      EXPECT_EQ(SettleEncoding(Code(r), Hex(files[f])), expected[r][f])
          << "requested " << r << ", " << files[f];
    }
  }
  for (const std::int16_t other : {-1, 10, 32767}) {
    for (int f = 0; f < 7; ++f) {
      EXPECT_EQ(SettleEncoding(Code(other), Hex(files[f])), expected[0][f]) << other;
    }
  }
}

// Reading a file's bytes as the reader does: settle, then decode.
struct Read {
  Text text;
  EncodingCode code;
};
Read ReadBytes(const char* hex, std::int16_t requested) {
  const Bytes bytes = Hex(hex);
  const EncodingCode code = SettleEncoding(Code(requested), bytes);
  return {DecodeTextFile(bytes, code).value_or(u"<failed>"), code};
}

TEST(DecodeTextFile, FilesAsTheUserOpensThem) {
  const struct {
    const char* bytes;
    std::int16_t requested;
    const char* text;
    std::int16_t code;
  } cases[] = {
      {"", 0, "", 1},
      {"41", 0, "A", 1},
      {"41", 3, "A", 3},
      {"EF BB BF 41", 0, "A", 6},
      {"EF BB BF 41", 9, "A", 6},
      {"EF BB BF 41", 1, "锘緼", 1},
      {"FF FE 41 00", 4, "A", 4},
      {"FF FE 41 00", 0, "A", 4},
      {"D6 D0 CE C4", 0, "中文", 1},
      {"E4 B8 AD E6 96 87", 0, "中文", 9},  // valid non-ASCII UTF-8 without a mark
      {"E4 B8 AD E6 96 87", 1, "涓\uE15F枃", 1},
      {"41 00 0D 00 0A 00 42", 0, "A\r\n", 7},  // the odd final byte is lost
      {"41 00 42 00", 0, "A B ", 1},            // no line break: GBK, zeros become spaces
      {"41 00 42", 9, "A B", 9},
      {"E9", 2, "é", 2},
      {"80", 2, "€", 2},
      {"80", 3, "\xC2\x80", 3},
      {"EF BB BF", 0, "", 6},
      {"FF FE", 0, "", 4},
      {"F0 9F 98 80", 0, "😀", 9},        // four-byte UTF-8 keeps its character
      {"ED A0 BD ED B8 80", 9, "😀", 9},  // so do surrogates written one by one
  };
  for (const auto& c : cases) {
    const Read read = ReadBytes(c.bytes, c.requested);
    EXPECT_EQ(Show(read.text), Show(T(c.text))) << c.bytes << " as " << c.requested;
    EXPECT_EQ(read.code, c.code) << c.bytes << " as " << c.requested;
  }
}

TEST(DecodeTextFile, ByteOrderSwapAndOnlyTheFirstUnitRemoved) {
  // UTF-16LE bytes read as big-endian: the mark becomes U+FFFE, nothing is removed.
  Read read = ReadBytes("FF FE 41 00", 5);
  EXPECT_EQ(read.code, 8);
  EXPECT_EQ(read.text, (Text{0xFFFE, 0x4100}));
  read = ReadBytes("FE FF 00 41 FE FF", 0);
  EXPECT_EQ(read.code, 5);
  EXPECT_EQ(read.text, (Text{u'A', 0xFEFF}));  // a second mark is a character of the text
}

TEST(DecodeTextFile, MalformedUtf8GoesThroughTheProgramsDecoder) {
  // Invalid UTF-8 chosen as UTF-8: no failure and no U+0000; the program's decoder flushes.
  const std::optional<Text> text = DecodeTextFile(Hex("41 E4 B8 42 00"), Code(9));
  ASSERT_TRUE(text);
  EXPECT_EQ(text->find(u'\0'), Text::npos);
  EXPECT_EQ(text->front(), u'A');
  EXPECT_FALSE(DecodeTextFile(Hex("41"), Code(0)));
  EXPECT_FALSE(DecodeTextFile(Hex("41"), Code(10)));
}

TEST(DecodeTextFile, AnyBytesUnderAnyCodeGiveTextWithoutZeros) {
  Bytes all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  for (const EncodingCode code : kFileEncodings) {
    for (const Bytes& bytes : {all, all + all.substr(0, 1), Bytes(1000, '\0')}) {
      const std::optional<Text> text = DecodeTextFile(bytes, code);
      ASSERT_TRUE(text) << code;
      EXPECT_EQ(text->find(u'\0'), Text::npos) << code;
      EXPECT_LE(text->size(), bytes.size()) << code;
    }
  }
}

TEST(EncodeTextFile, BytesOfEachCode) {
  const struct {
    const char* text;
    std::int16_t code;
    const char* bytes;
  } cases[] = {
      {"A", 6, "EF BB BF 41"},
      {"A", 9, "41"},
      {"A", 4, "FF FE 41 00"},
      {"A", 5, "FE FF 00 41"},
      {"A", 7, "41 00"},
      {"A", 8, "00 41"},
      {"A", 0, "FF FE 41 00"},
      {"A", 10, "FF FE 41 00"},
      {"A", -3, "FF FE 41 00"},
      {"中", 3, "2D"},
      {"中", 2, "3F"},
      {"中", 1, "D6 D0"},
      {"€", 2, "80"},
      {"", 4, "FF FE"},
      {"", 5, "FE FF"},
      {"", 6, "EF BB BF"},
      {"", 1, ""},
      {"", 9, ""},
      {"😀", 9, "F0 9F 98 80"},  // one four-byte sequence, not two surrogates
      {"😀", 7, "3D D8 00 DE"},
      {"a\r\nb", 9, "61 0D 0A 62"},
  };
  for (const auto& c : cases) {
    const std::optional<Bytes> bytes = EncodeTextFile(T(c.text), Code(c.code));
    ASSERT_TRUE(bytes) << c.text << " as " << c.code;
    EXPECT_EQ(ToHex(*bytes), ToHex(Hex(c.bytes))) << c.text << " as " << c.code;
  }
  // A lone surrogate keeps its three-byte form.
  EXPECT_EQ(ToHex(*EncodeTextFile(Text{0xD800}, Code(9))), "ED A0 80");
  EXPECT_EQ(WritingEncoding(Code(0)), 4);
  EXPECT_EQ(WritingEncoding(Code(9)), 9);
  EXPECT_EQ(WritingEncoding(Code(10)), 4);
}

TEST(EncodeTextFile, WhatIsWrittenReadsBackUnderTheSameCode) {
  const Text chinese = T("中文 ab\r\n第二行\t😀");
  const Text gbk = T("中文 ab\r\n第二行\t€");
  const Text latin = T("café ÿ\r\nx");
  for (const EncodingCode code : kFileEncodings) {
    const Text& text = code == 1 ? gbk : code == 2 || code == 3 ? latin : chinese;
    const Bytes bytes = *EncodeTextFile(text, code);
    const EncodingCode settled = SettleEncoding(code, bytes);
    EXPECT_EQ(settled, code);
    EXPECT_EQ(Show(DecodeTextFile(bytes, settled).value_or(u"")), Show(text)) << code;
  }
  // Under automatic detection, the marked forms and UTF-8 come back as written.
  for (const EncodingCode code : {kEncodingUnicode, kEncodingUnicodeBe, kEncodingUtf8,
                                  kEncodingUnicodeNoBom, kEncodingUtf8NoBom}) {
    const Bytes bytes = *EncodeTextFile(chinese, code);
    EXPECT_EQ(SettleEncoding(Code(0), bytes), code);
  }
}

TEST(EncodingName, NamesOfTheCodes) {
  const char* names[] = {"",
                         "GBK",
                         "Eng",
                         "Latin-1",
                         "Unicode",
                         "Unicode BE",
                         "UTF-8",
                         "Unicode (No BOM)",
                         "Unicode BE (No BOM)",
                         "UTF-8 (No BOM)"};
  for (int code = 0; code <= 9; ++code) EXPECT_EQ(EncodingName(Code(code)), T(names[code]));
  EXPECT_EQ(EncodingName(Code(-1)), u"");
  EXPECT_EQ(EncodingName(Code(10)), u"");
}

TEST(AttributeText, WordsInFixedOrder) {
  EXPECT_EQ(AttributeText(0), u"");
  EXPECT_EQ(AttributeText(0x21), T(" 只读 存档"));
  EXPECT_EQ(AttributeText(0x27), T(" 只读 隐藏 系统 存档"));
  EXPECT_EQ(AttributeText(0x02), T(" 隐藏"));
  EXPECT_EQ(AttributeText(0x04), T(" 系统"));
  EXPECT_EQ(AttributeText(0x10 | 0x08), u"");  // other bits are not named
}

}  // namespace
}  // namespace qor
