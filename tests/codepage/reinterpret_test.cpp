#include "codepage/reinterpret.h"

#include <gtest/gtest.h>

#include <random>

#include "codepage/conversions.h"
#include "platform/codepage_service.h"
#include "support/test_support.h"

namespace qor {
namespace {

struct ReinterpretCase {
  const char* what;
  Text text;
  LcidSelector a;
  LcidSelector b;
  Text expected;
};

TEST(Reinterpret, UndoesTheCommonAccidents) {
  const ReinterpretCase cases[] = {
      {"GBK bytes read as Western", T("ÖÐÎÄ"), {1033}, {2052}, u"中文"},
      {"UTF-8 bytes read as Western", T("Ã©"), {1033}, kLcidUtf8, u"é"},
      {"UTF-8 mark read as GBK", T("锘緼"), {2052}, kLcidUtf8, u"A"},
      {"UTF-8 read as GBK", T("涔辩爜"), {2052}, kLcidUtf8, u"乱码"},
      {"ULE--UBE", u"AB", kLcidUtf16Le, kLcidUtf16Be, u"\u4100\u4200"},
      {"ULE--UBE again", u"\u4100\u4200", kLcidUtf16Le, kLcidUtf16Be, u"AB"},
      {"zero high bytes become spaces", u"AB", kLcidUtf16Le, kLcidLatin1, u"A B "},
      {"one GBK byte has no unit", u"A", {2052}, kLcidUtf16Le, u""},
      {"empty text", u"", {2052}, {1028}, u""},
      {"unsupported side A", u"AB", {-5}, {2052}, u""},
      {"unsupported side B", u"AB", {2052}, {-5}, u""},
      {"unknown LCID", u"AB", {12345678}, {2052}, u""},
      {"ASCII is unchanged", u"Hello, world! 123", {2052}, {1028}, u"Hello, world! 123"},
      {"Big5 read as GB", u"中文", {1028}, {2052}, u"いゅ"},
  };
  for (const ReinterpretCase& c : cases) {
    EXPECT_EQ(Reinterpret(c.text, c.a, c.b), c.expected) << c.what;
  }
}

TEST(Reinterpret, AsciiPassesEveryFixedPairButUtf16) {
  const Text ascii = u"The quick brown fox, 0123456789 !#$%&'()*+-./:;<=>?@[]^_`{|}~";
  const LcidSelector sides[] = {{2052}, {1028}, {1041},    {1042},
                                {1049}, {1033}, kLcidUtf8, kLcidLatin1};
  for (const LcidSelector a : sides) {
    for (const LcidSelector b : sides) {
      EXPECT_EQ(Reinterpret(ascii, a, b), ascii) << a << "--" << b;
    }
  }
}

// Random text from the given characters.
Text RandomText(std::mt19937& random, TextView alphabet, std::size_t length) {
  Text text;
  for (std::size_t i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
  return text;
}

TEST(Reinterpret, PairsUndoEachOtherOnCleanText) {
  std::mt19937 random(3);
  // Text that GBK, Big5 and Latin-1 paths can carry: ASCII, Han common to both, full-width.
  const Text alphabet = u"abcXYZ 019,.;\r\n中文字体乱码修复简单測試東西你我他。，、“”（）ＡＢ";
  for (int round = 0; round < 100; ++round) {
    const Text text = RandomText(random, alphabet, 1 + random() % 40);
    // GBK bytes shown as Western, then Eng--GB.
    EXPECT_EQ(Reinterpret(Reinterpret(text, kLcidChineseSimplified, kLcidEnglish), kLcidEnglish,
                          kLcidChineseSimplified),
              text)
        << Show(text);
    // UTF-8 bytes shown as Latin-1, then back.
    EXPECT_EQ(Reinterpret(Reinterpret(text, kLcidUtf8, kLcidLatin1), kLcidLatin1, kLcidUtf8), text)
        << Show(text);
    // ULE--UBE twice.
    const Text swapped = Reinterpret(text, kLcidUtf16Le, kLcidUtf16Be);
    EXPECT_EQ(Reinterpret(swapped, kLcidUtf16Le, kLcidUtf16Be), text) << Show(text);
  }
}

TEST(Reinterpret, NeverFailsOnOddText) {
  const Text odd[] = {Text(u"\xD800"), Text(u"\xDFFF\xD800"), Text(3, u'\0'),
                      Text(u"\xFFFF"), Text(u"\uFEFF"),       Text(u"\uFFFE\uFEFF")};
  const LcidSelector sides[] = {{2052}, {1028}, {1041}, {1042}, {1054}, {1066},
                                {1033}, {1032}, {1049}, {1025}, {1037}, {-1},
                                {-2},   {-3},   {-4},   {-5},   {0},    {0x7FFFFFFF}};
  for (const Text& text : odd) {
    for (const LcidSelector a : sides) {
      for (const LcidSelector b : sides) (void)Reinterpret(text, a, b);
    }
  }
  EXPECT_EQ(Reinterpret(u"\uFEFF", kLcidUtf16Le, kLcidUtf16Le), u"");
}

TEST(Reinterpret, CountsWhatTheProgramsOwnSidesLose) {
  struct Loss {
    const char* what;
    Text text;
    LcidSelector a, b;
    std::size_t substituted, invalid;
  };
  const Text utf8_as_gbk = Reinterpret(T("中文"), kLcidUtf8, kLcidChineseSimplified);
  const Loss cases[] = {
      {"Latin1 keeps only the low byte of wide units", u"A中文", kLcidLatin1, kLcidLatin1, 2, 0},
      {"Latin-1 text passes", T("Ã©"), kLcidLatin1, kLcidUtf8, 0, 0},
      // D6 D0 CE C4: four leads, none followed by its continuation byte.
      {"GBK bytes are no UTF-8", T("中文"), {2052}, kLcidUtf8, 0, 4},
      {"UTF-8 read back", utf8_as_gbk, {2052}, kLcidUtf8, 0, 0},
      {"a truncated sequence", utf8_as_gbk + T("鍙"), {2052}, kLcidUtf8, 0, 1},
      {"an overlong form", u"\u00C0\u0080", kLcidLatin1, kLcidUtf8, 0, 1},
      {"an odd byte under UTF-16", u"A", {2052}, kLcidUtf16Le, 0, 1},
      {"an even count under UTF-16", u"AB", {2052}, kLcidUtf16Be, 0, 0},
  };
  for (const Loss& c : cases) {
    ConversionCounts counts;
    const Text counted = Reinterpret(c.text, c.a, c.b, &counts);
    EXPECT_EQ(counted, Reinterpret(c.text, c.a, c.b)) << c.what;
    EXPECT_EQ(counts.substituted, c.substituted) << c.what;
    EXPECT_EQ(counts.invalid, c.invalid) << c.what;
  }
  ConversionCounts counts;
  EXPECT_EQ(ConvertCodePage(u"A", CodePageSelector{936}, kCodePageOwnUtf16, &counts), u"");
  EXPECT_EQ(counts.invalid, 1u);
}

// A code page pair by its numbers.
Text Convert(TextView text, std::int32_t a, std::int32_t b) {
  return ConvertCodePage(text, CodePageSelector{a}, CodePageSelector{b});
}

TEST(ConvertCodePage, SidesAndCleanUp) {
  EXPECT_EQ(Convert(u"", 936, 65001), u"");
  EXPECT_EQ(Convert(u"", -1, -1), u"");  // empty text: no side is looked at
  EXPECT_EQ(Convert(Text(u"\uFEFFa\0b", 4), -2, -2), u"a b");
  EXPECT_EQ(Convert(u"ab", -1, -2), u"");
  EXPECT_EQ(Convert(u"ab", -2, -1), u"");
  EXPECT_EQ(Convert(T("锘緼"), 936, 65001), u"A");
  EXPECT_EQ(Convert(T("ÖÐÎÄ"), 1252, 936), u"中文");
  EXPECT_EQ(Convert(u"AB", 99999, 936), u"");
  EXPECT_EQ(Convert(u"AB", 936, 99999), u"");
  EXPECT_EQ(TextToCodePage(u"AB", 99999), Bytes());
  EXPECT_EQ(CodePageToText("AB", -2), Text());
}

TEST(ConvertCodePage, ShortTextsNeedMoreThanFourBytesAUnit) {
  // One character takes 8 bytes in ISO-2022 and 5 in UTF-7.
  EXPECT_EQ(ToHex(TextToCodePage(u"中", 65000)), ToHex("+Ti0-"));
  EXPECT_EQ(Convert(u"中", 50227, 50227), u"中");
  EXPECT_EQ(Convert(u"中", 65000, 65000), u"中");
}

}  // namespace
}  // namespace qor
