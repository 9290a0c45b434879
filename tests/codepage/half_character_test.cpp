#include "codepage/half_character.h"

#include <gtest/gtest.h>

#include "codepage/conversions.h"
#include "support/test_support.h"

namespace qor {
namespace {

TEST(CutHalfCharacter, DropsTheFirstByte) {
  struct Case {
    const char* what;
    Text text;
    LcidSelector selector;
    Text expected;
  } const cases[] = {
      {"GBK: an ASCII byte before the stream", u"A中文", {2052}, u" 中文"},
      {"GBK: a stray byte before the stream",
       LocaleBytesToText(Hex("B0 D6 D0 CE C4 41"), kLcidChineseSimplified).value_or(u"?"),
       {2052},
       u" 中文A"},
      {"UTF-16: the pair 00 42 and a dropped high byte", u"AB", {-2}, u" \u4200"},
      {"UTF-16 BE selector cuts the same way", u"AB", {-3}, u" \u4200"},
      {"UTF-16: the halves pair across units", u"\u4100\u0042", {-2}, u" \u4241"},
      {"UTF-16: a zero unit made of two halves is a space", u"A\u0100", {-2}, u"  "},
      {"one unit leaves only the space", u"A", {-2}, u" "},
      {"one GBK byte leaves only the space", u"A", {2052}, u" "},
      {"empty text", u"", {2052}, u""},
      {"Latin1 is not offered", u"AB", {-1}, u""},
      {"UTF8 is not offered", u"AB", {-4}, u""},
      {"an unknown selector", u"AB", {-5}, u""},
      {"an unknown LCID", u"AB", {12345678}, u""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Show(CutHalfCharacter(c.text, c.selector)), Show(c.expected)) << c.what;
  }
}

// Unit k of the cut is the high byte of unit k and the low byte of unit k + 1.
Text SlowUtf16Cut(TextView text) {
  Text out = u" ";
  for (std::size_t k = 0; k + 1 < text.size(); ++k) {
    const char16_t unit = static_cast<char16_t>((text[k] >> 8) | ((text[k + 1] & 0xFF) << 8));
    out += unit == 0 ? u' ' : unit;
  }
  return out;
}

TEST(CutHalfCharacter, Utf16MatchesTheByteByByteReading) {
  const Text samples[] = {u"AB", u"中文\r\nabc", u"\xD83D\xDE00x", u"\xFFFF\x00FF\xFF00",
                          u"\x4E2D\x0041\x0000\x6587"};
  for (const Text& text : samples) {
    EXPECT_EQ(Show(CutHalfCharacter(text, kLcidUtf16Le)), Show(SlowUtf16Cut(text)));
    EXPECT_EQ(Show(CutHalfCharacter(text, kLcidUtf16Be)), Show(SlowUtf16Cut(text)));
  }
}

}  // namespace
}  // namespace qor
