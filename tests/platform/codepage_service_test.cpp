#include "platform/codepage_service.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <span>
#include <thread>

#include "codepage/selector_tables.h"
#include "codepage_sweep.h"
#include "support/test_support.h"

namespace qor {
namespace {

// Every code page the service converts: the dialog's, and the Windows pages 1254 to 1257.
std::vector<int> AllCodePages() {
  std::vector<int> out = {1254, 1255, 1256, 1257};
  for (const SelectorEntry& entry : CodePageTable()) {
    if (entry.value >= 0) out.push_back(entry.value);
  }
  return out;
}

std::size_t Replacements(TextView text) { return std::count(text.begin(), text.end(), u'\uFFFD'); }

// Runs first so that the threads race to open each code page for the first time.
TEST(CodePageService, ConvertsFromManyThreadsAtOnce) {
  const std::vector<int> pages = AllCodePages();
  const Text text = T("中文 English 日本語 한국어 Ελληνικά кириллица ¢£¥ ①②\U0001F600");
  const Bytes bytes = Hex("41 D6 D0 A4 A4 82 A0 C9 41 8E A1 1A 7F 0A FF 80 ~{VP~}");
  std::vector<std::vector<std::pair<Text, Bytes>>> results(4);
  std::vector<std::thread> threads;
  for (auto& result : results) {
    threads.emplace_back([&pages, &text, &bytes, &result] {
      for (const int page : pages) {
        result.emplace_back(DecodeCodePage(bytes, page).value_or(u"none"),
                            EncodeCodePage(text, page).value_or("none"));
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (std::size_t i = 0; i < pages.size(); ++i) {
    const Text decoded = DecodeCodePage(bytes, pages[i]).value_or(u"none");
    const Bytes encoded = EncodeCodePage(text, pages[i]).value_or("none");
    for (const auto& result : results) {
      EXPECT_EQ(result[i].first, decoded) << pages[i];
      EXPECT_EQ(result[i].second, encoded) << pages[i];
    }
  }
}

TEST(CodePageService, UnsupportedCodePagesFail) {
  for (const int page : {0, 1, 2, 42, 28598, 51949, 65002, 100000, -1, -2, INT32_MIN, INT32_MAX}) {
    EXPECT_FALSE(IsCodePageSupported(page)) << page;
    ConversionCounts counts{5, 7};
    EXPECT_EQ(DecodeCodePage("AB", page, &counts), std::nullopt) << page;
    EXPECT_EQ(EncodeCodePage(u"AB", page, &counts), std::nullopt) << page;
    EXPECT_EQ(counts.substituted, 5u);
    EXPECT_EQ(counts.invalid, 7u);
  }
  for (const int page : AllCodePages()) EXPECT_TRUE(IsCodePageSupported(page)) << page;
}

struct DecodeCase {
  int code_page;
  const char* bytes;
  Text text;
  std::size_t invalid;
  const char* what;
};

void ExpectDecodes(std::span<const DecodeCase> cases) {
  for (const DecodeCase& c : cases) {
    ConversionCounts counts;
    EXPECT_EQ(DecodeCodePage(Hex(c.bytes), c.code_page, &counts), c.text) << c.what;
    EXPECT_EQ(counts.invalid, c.invalid) << c.what;
    EXPECT_EQ(counts.substituted, 0u) << c.what;
  }
}

TEST(CodePageService, DecodesLikeWindows) {
  const DecodeCase cases[] = {
      {936, "D6 D0 CE C4", u"中文", 0, "GBK"},
      {936, "80 FF", u"\u20AC\uF8F5", 0, "GBK single bytes"},
      {950, "A4 A4 A4 E5", u"中文", 0, "Big5"},
      {950, "81 40", u"\uEEB8", 0, "Big5 user-defined"},
      {949, "C7 D1 B1 DB", u"한글", 0, "Korean"},
      {932, "93 FA 96 7B", u"日本", 0, "Shift-JIS"},
      {932, "80 A0 FD FE FF", u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3", 0, "932 single bytes"},
      {932, "1A 1C 7F", u"\x1A\x1C\x7F", 0, "932 controls as they are"},
      {437, "1A 1C 7F", u"\x1A\x1C\x7F", 0, "OEM controls as they are"},
      {437, "E6", u"\u00B5", 0, "OEM micro sign"},
      {20932, "C6 FC CB DC", u"日本", 0, "EUC-JP"},
      {20932, "B0 21 A2 42", u"\u4E02\u00A1", 0, "JIS X 0212 in Windows' two bytes"},
      {20932, "8F B0 A1 8F A2 C2", u"\u4E02\u00A1", 0, "JIS X 0212 in EUC's three bytes"},
      {20932, "A1 BD A1 F1", u"\u2015\u00A2", 0, "Windows' JIS mappings"},
      {20949, "A2 E6 A2 E7", u"\u20AC\u00AE", 0, "euro and registered sign"},
      {1361, "88 61 5C", u"가\\", 0, "Johab; 5C is a backslash"},
      {1361, "88 41 D8 31", u"\u1100\uE000", 0, "Johab lone jamo, user-defined"},
      {10000, "BD", u"\u2126", 0, "Mac Roman ohm"},
      {1252, "81 8D 8F 90 9D", u"\u0081\u008D\u008F\u0090\u009D", 0, "1252 C1 bytes"},
      {1253, "AA", u"\uF8F9", 0, "Windows' private use"},
      {37, "C1 81 4B", u"Aa.", 0, "EBCDIC"},
      {54936, "81 30 81 30 90 30 81 30", u"\u0080\U00010000", 0, "GB18030 four bytes"},
      {20000, "8E A2 A1 A1", u"\u4E42", 0, "EUC-TW plane 2"},
      {65001, "E4 B8 AD F0 9F 98 80", u"中\U0001F600", 0, "UTF-8"},
      {65000, "2B 54 69 30 2D 41", u"中A", 0, "UTF-7"},
      {52936, "7E 7B 56 50 7E 7D 41", u"中A", 0, "HZ"},
      {52936, "7E 7B 56 50 0A 56 50 7E 7D", u"中\n中", 0, "HZ keeps a line break in GB mode"},
      {50227, "1B 24 29 41 0E 56 50 0F", u"中", 0, "ISO-2022-CN"},
      {50221, "1B 24 42 30 21 1B 28 42", u"亜", 0, "ISO-2022-JP"},
      {50225, "0E 30 21 0F", u"가", 0, "ISO-2022-KR without its header"},
  };
  ExpectDecodes(cases);
}

// One U+FFFD for each invalid sequence, and no byte that can start a character lost.
TEST(CodePageService, InvalidSequencesKeepEveryByteThatCanStartACharacter) {
  const DecodeCase cases[] = {
      {949, "C9 41", u"\uFFFDA", 1, "an ASCII byte after a lead byte stays"},
      {949, "81 5B 5C", u"\uFFFD[\\", 1, "punctuation after a lead byte stays"},
      {950, "A4 81 40", u"\uFFFD\uEEB8", 1, "80-A0 after a lead byte start a code"},
      {936, "D6 0A", u"\uFFFD\n", 1, "a line feed after a lead byte stays"},
      {936, "D6", u"\uFFFD", 1, "a lead byte at the end"},
      {936, "81 FF", u"\uFFFD\uF8F5", 1, "FF is no trail byte in GBK"},
      {932, "85 40", u"\uFFFD@", 1, "an unassigned pair keeps its ASCII trail"},
      {932, "82 0A", u"\uFFFD\n", 1, "U+FFFD, not ICU's U+001A"},
      {932, "85 85 40", u"\uFFFD@", 1, "a lead byte and a high trail byte are one sequence"},
      {1361, "85 5C", u"\uFFFD\\", 1, "Johab: a backslash after an invalid lead byte"},
      {54936, "81 30 41", u"\uFFFD0A", 1, "a broken four-byte sequence"},
      {20932, "A1 41 A1", u"\uFFFDA\uFFFD", 2, "EUC-JP"},
      {20949, "B0 0A", u"\uFFFD\n", 1, "EUC-KR"},
      {1361, "84 0A 41", u"\uFFFD\nA", 1, "Johab"},
      {1361, "D9 30", u"\uFFFD0", 1, "Johab: 30 is no trail byte"},
      {1252, "41 81 42", u"A\u0081B", 0, "every 1252 byte is a character"},
      {1253, "41 AA D2", u"A\uF8F9\uF8FA", 0, "every 1253 byte is a character"},
      {65001, "E4 B8 41", u"\uFFFDA", 1, "UTF-8: a truncated sequence"},
      {65001, "ED A0 80 41", u"\uFFFD\uFFFD\uFFFDA", 3, "UTF-8: an encoded surrogate"},
      {65001, "C0 80", u"\uFFFD\uFFFD", 2, "UTF-8: an overlong form"},
      {65000, "61 2B 62", u"a\uFFFD", 1, "UTF-7: a run with leftover bits"},
      {52936, "7E 78", u"\uFFFDx", 1, "HZ: an unknown escape keeps its letter"},
  };
  ExpectDecodes(cases);
}

// Every lead byte with every second byte: a code, or the first byte's own decoding followed by
// the second byte's, or one replacement that takes a second byte of 0x80 or more only when it
// can trail in that code page.
TEST(CodePageService, EveryTwoByteSequenceFollowsTheInvalidSequenceRule) {
  const struct {
    int code_page;
    int trail_first;  // the bytes of 0x80 or more that can follow a lead byte
    int trail_last;
  } pages[] = {{936, 0x80, 0xFE},   {54936, 0x80, 0xFE}, {950, 0xA1, 0xFE},
               {932, 0x80, 0xFC},   {949, 0x81, 0xFE},   {20932, 0xA1, 0xFE},
               {20949, 0xA1, 0xFE}, {20000, 0xA1, 0xFE}, {1361, 0x81, 0xFE}};
  std::vector<Bytes> singles;
  for (int b = 0; b < 256; ++b) singles.push_back(Bytes(1, static_cast<char>(b)));
#ifdef QOR_SANITIZED
  const int step = 7;
#else
  const int step = 1;
#endif
  for (const auto& page : pages) {
    SCOPED_TRACE(page.code_page);
    const std::vector<Text> alone = DecodeEach(page.code_page, singles);
    std::vector<Bytes> pairs;
    for (int lead = 0x80; lead < 0x100; lead += step) {
      for (int second = 0; second < 0x100; ++second) {
        pairs.push_back(Bytes{static_cast<char>(lead), static_cast<char>(second)});
      }
    }
    const std::vector<Text> decoded = DecodeEach(page.code_page, pairs);
    std::size_t failures = 0;
    for (std::size_t i = 0; i < pairs.size() && failures < 10; ++i) {
      const auto lead = static_cast<unsigned char>(pairs[i][0]);
      const auto second = static_cast<unsigned char>(pairs[i][1]);
      const Text& text = decoded[i];
      const bool code = text.size() == 1 && text[0] != u'\uFFFD';
      const bool kept = text == alone[lead] + alone[second] ||
                        (text[0] == u'\uFFFD' && text.substr(1) == alone[second]);
      const bool taken =
          text == u"\uFFFD" && second >= page.trail_first && second <= page.trail_last;
      if (!code && !kept && !taken) {
        ++failures;
        ADD_FAILURE() << ToHex(pairs[i]) << " gives " << Show(text);
      }
    }
  }
}

TEST(CodePageService, CountsEachInvalidSequenceOnce) {
  std::mt19937 random(11);
  for (const int page : AllCodePages()) {
    for (int round = 0; round < 20; ++round) {
      Bytes bytes(1 + random() % 64, '\0');
      for (char& b : bytes) b = static_cast<char>(random());
      ConversionCounts counts;
      const std::optional<Text> text = DecodeCodePage(bytes, page, &counts);
      ASSERT_TRUE(text) << page;
      // No code page here decodes a code to U+FFFD itself.
      EXPECT_EQ(counts.invalid, Replacements(*text)) << page << ": " << ToHex(bytes);
      EXPECT_EQ(counts.substituted, 0u);
    }
  }
}

struct EncodeCase {
  int code_page;
  Text text;
  const char* bytes;
  std::size_t substituted;
  const char* what;
};

void ExpectEncodes(std::span<const EncodeCase> cases) {
  for (const EncodeCase& c : cases) {
    ConversionCounts counts;
    EXPECT_EQ(ToHex(EncodeCodePage(c.text, c.code_page, &counts).value_or("none")), c.bytes)
        << c.what;
    EXPECT_EQ(counts.substituted, c.substituted) << c.what;
    EXPECT_EQ(counts.invalid, 0u) << c.what;
  }
}

TEST(CodePageService, EncodesLikeWindows) {
  const EncodeCase cases[] = {
      {936, u"中文", "D6 D0 CE C4", 0, "GBK"},
      {936, u"\u00A2\u00C0", "A1 E9 A8 A4", 0, "best fits"},
      {936, u"\uFFE9\uFFEE", "3F 3F", 2, "no best fit onto ESC or TAB"},
      {950, u"中文", "A4 A4 A4 E5", 0, "Big5"},
      {932, u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3", "80 A0 FD FE FF", 0, "932 single bytes"},
      {932, u"\x1A\x1C\x7F", "1A 1C 7F", 0, "932 controls as they are"},
      {932, u"\u2015\u2014", "81 5C 3F", 1, "Windows' dash; ICU's fallback for U+2014 refused"},
      {932, u"\u00E9", "65", 0, "Windows' best fit"},
      {437, u"\x1A\x1C\x7F", "1A 1C 7F", 0, "OEM controls as they are"},
      {437, u"\u2190\u266A", "3F 3F", 2, "no best fit onto a control byte"},
      {1256, u"\uFB56", "81", 0, "a best fit onto a letter in 80-9F stays"},
      {37, u"\uFF41", "81", 0, "EBCDIC best fit onto a letter"},
      {37, u"中?", "6F 6F", 1, "EBCDIC question mark"},
      {1252, u"\uFF21?", "41 3F", 0, "a best fit, and a real question mark"},
      {1252, u"\u4E2D", "3F", 1, "no mapping"},
      {1252, u"\u200B\uFEFF\uFE0F", "3F 3F 3F", 3, "default-ignorable characters"},
      {20932, u"\u00A1\u4E02", "A2 42 B0 21", 0, "JIS X 0212 in Windows' two bytes"},
      {20932, u"\u2170", "3F", 1, "IBM's extensions are not Windows'"},
      {1361, u"가\\\u20A9", "88 61 5C 5C", 0, "Johab backslash and won sign"},
      {1361, u"\u1100\uE000", "88 41 D8 31", 0, "Johab lone jamo, user-defined"},
      {10000, u"\u2126\u03A9", "BD 3F", 1, "Mac Roman ohm as Windows has it"},
      {50227, u"中", "1B 24 29 41 0E 56 50 0F", 0, "ISO-2022-CN: 8 bytes for one unit"},
      {50221, u"亜", "1B 24 42 30 21 1B 28 42", 0, "ISO-2022-JP"},
      {50225, u"가", "1B 24 29 43 0E 30 21 0F", 0, "ISO-2022-KR"},
      {52936, u"中", "7E 7B 56 50 7E 7D", 0, "HZ returns to ASCII"},
      {52936, u"ab中", "61 62 7E 7B 56 50 7E 7D", 0, "HZ starts in ASCII"},
      {65000, u"中", "2B 54 69 30 2D", 0, "UTF-7: 5 bytes for one unit"},
      {65001, u"中\U0001F600", "E4 B8 AD F0 9F 98 80", 0, "UTF-8 pairs surrogates"},
      {54936, u"\U0001F600", "94 39 FC 36", 0, "GB18030 four bytes"},
  };
  ExpectEncodes(cases);
}

// An unmappable character outside the BMP becomes one "?" per UTF-16 unit, as Windows writes
// it; a lone surrogate one "?" (U+FFFD in UTF-8); UTF-7 carries any unit.
TEST(CodePageService, SupplementaryAndLoneSurrogates) {
  const EncodeCase cases[] = {
      {936, u"a\U0001F600b", "61 3F 3F 62", 2, "GBK"},
      {1361, u"a\U0001F600b", "61 3F 3F 62", 2, "Johab"},
      {37, u"\U0001F600", "6F 6F", 2, "EBCDIC"},
      {50227, u"\U0001F600", "3F 3F", 2, "ISO-2022-CN"},
      {936,
       u"\xD800"
       u"a\xDC00",
       "3F 61 3F", 2, "lone surrogates"},
      {1361, u"\xDC00\xD800", "3F 3F", 2, "Johab lone surrogates"},
      {65001,
       u"\xD800"
       u"a",
       "EF BF BD 61", 1, "UTF-8 writes U+FFFD"},
      {65000, u"\xD800", "2B 32 41 41 2D", 0, "UTF-7 carries the unit"},
  };
  ExpectEncodes(cases);
  EXPECT_EQ(DecodeCodePage(Hex("2B 32 41 41 2D"), 65000), Text(u"\xD800"));
}

TEST(CodePageService, CountsAddUpOverCalls) {
  ConversionCounts counts;
  ASSERT_TRUE(EncodeCodePage(u"中\uFF21\u4E2D?", 1252, &counts));
  ASSERT_TRUE(DecodeCodePage(Hex("D6 0A 81"), 936, &counts));
  ASSERT_TRUE(EncodeCodePage(u"\U0001F600", 936, &counts));
  EXPECT_EQ(counts.substituted, 4u);  // 中, 中 (U+FF21 is a best fit), two units
  EXPECT_EQ(counts.invalid, 2u);
}

// Any text, any bytes: no failure and no crash on a supported code page.
TEST(CodePageService, ConvertsOddInput) {
  const Text texts[] = {Text(), Text(3, u'\0'), Text(u"\xFFFF\xFFFE"), Text(u"\xDBFF"),
                        Text(20000, u'中')};
  const Bytes bytes[] = {Bytes(), Bytes(3, '\0'), Bytes(20000, '\x81'), Hex("1B 24 29 0E FF"),
                         Hex("7E 7B 7E 7B 0E")};
  for (const int page : AllCodePages()) {
    for (const Text& text : texts) EXPECT_TRUE(EncodeCodePage(text, page)) << page;
    for (const Bytes& b : bytes) EXPECT_TRUE(DecodeCodePage(b, page)) << page;
  }
}

}  // namespace
}  // namespace qor
