#include "dialogs/selector_rules.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace qor {
namespace {

PairInput Typed(TextView a, TextView b) { return PairInput{true, {Text(a), Text(b)}, {-1, -1}}; }
PairInput Named(int a, int b) { return PairInput{false, {}, {a, b}}; }

TEST(AcceptPair, ComposesBothFormsOfTheLabel) {
  struct Case {
    const char* what;
    const PairDialogKind& kind;
    PairInput input;
    std::int32_t a;
    std::int32_t b;
    Text say;
  } const cases[] = {
      {"code pages by name", CodePagePairKind(), Named(0, 16), 936, 1252,
       u"中文简(GBK) -- 西欧(Windows)"},
      {"the own UTF-16 entry", CodePagePairKind(), Named(39, 41), -2, 65001,
       u"(=) -- Unicode(UTF-8)"},
      {"code pages typed", CodePagePairKind(), Typed(u"65001", u"936"), 65001, 936,
       u"Code Page: (65001)--(936)"},
      {"typed -2 is the own UTF-16", CodePagePairKind(), Typed(u"-2", u"936"), -2, 936,
       u"Code Page: (-2)--(936)"},
      {"blanks and a plus sign", CodePagePairKind(), Typed(u" 936 ", u"+1252"), 936, 1252,
       u"Code Page: (936)--(1252)"},
      {"LCIDs by name", LcidPairKind(), Named(0, 1), 2052, 1028, u"GB--Big5"},
      {"UTF8 and GB", LcidPairKind(), Named(14, 0), -4, 2052, u"UTF8--GB"},
      {"LCIDs typed", LcidPairKind(), Typed(u"1041", u"2052"), 1041, 2052, u"LCID: (1041)--(2052)"},
      {"typed -3 is UBE", LcidPairKind(), Typed(u"-3", u"-2"), -3, -2, u"LCID: (-3)--(-2)"},
      {"a number outside the table", LcidPairKind(), Typed(u"3076", u"-2147483648"), 3076,
       -2147483647 - 1, u"LCID: (3076)--(-2147483648)"},
  };
  for (const Case& c : cases) {
    PairValues values;
    EXPECT_TRUE(AcceptPair(c.kind, c.input, values)) << c.what;
    EXPECT_TRUE(values.ok) << c.what;
    EXPECT_EQ(values.a, c.a) << c.what;
    EXPECT_EQ(values.b, c.b) << c.what;
    EXPECT_EQ(Show(values.say), Show(c.say)) << c.what;
  }
}

TEST(AcceptPair, RefusesSilentlyKeepingWhatItAssigned) {
  struct Case {
    const char* what;
    PairInput input;
    std::int32_t a;  // after the refusal; the values started as 7, 8, "before"
    std::int32_t b;
  } const cases[] = {
      {"letters in box B", Typed(u"936", u"abc"), 936, 8},
      {"letters in box A", Typed(u"abc", u"936"), 7, 8},
      {"empty box A", Typed(u"", u"936"), 7, 8},
      {"empty box B", Typed(u"936", u""), 936, 8},
      {"out of 32 bits", Typed(u"2147483648", u"1"), 7, 8},
      {"a hex number", Typed(u"0x3A8", u"1"), 7, 8},
      {"no entry on side A", Named(-1, 3), 7, 8},
      {"no entry on side B", Named(4, -1), 950, 8},
      {"an entry past the table", Named(0, 42), 936, 8},
  };
  for (const Case& c : cases) {
    PairValues values{false, 7, 8, u"before"};
    EXPECT_FALSE(AcceptPair(CodePagePairKind(), c.input, values)) << c.what;
    EXPECT_FALSE(values.ok) << c.what;
    EXPECT_EQ(values.a, c.a) << c.what;
    EXPECT_EQ(values.b, c.b) << c.what;
    EXPECT_EQ(values.say, u"before") << c.what;
  }
}

TEST(AcceptPair, TheModeDecidesWhichInputCounts) {
  // Typed mode ignores the combos, named mode ignores the boxes.
  PairValues values;
  EXPECT_FALSE(AcceptPair(LcidPairKind(), PairInput{true, {u"", u"1"}, {0, 1}}, values));
  EXPECT_TRUE(AcceptPair(LcidPairKind(), PairInput{false, {u"x", u"y"}, {6, 0}}, values));
  EXPECT_EQ(values.say, u"Eng--GB");
}

TEST(AcceptTransform, NeedsALanguageButNotATransform) {
  TransformValues values;
  EXPECT_TRUE(AcceptTransform(3, 12, values));
  EXPECT_EQ(values.opr, 3);
  EXPECT_EQ(values.lcid, -4);
  EXPECT_EQ(values.say, u"Base64(URL)--UTF8");
  EXPECT_TRUE(values.ok);

  values = {};
  EXPECT_TRUE(AcceptTransform(-1, 0, values));
  EXPECT_EQ(values.opr, -1);
  EXPECT_EQ(values.lcid, 2052);
  EXPECT_EQ(values.say, u"--GB");

  values = {};
  EXPECT_TRUE(AcceptTransform(0, 11, values));
  EXPECT_EQ(values.lcid, -1);
  EXPECT_EQ(values.say, u"URL--Latin1");

  values = TransformValues{false, 2, 1028, u"before"};
  EXPECT_FALSE(AcceptTransform(1, -1, values));
  EXPECT_FALSE(values.ok);
  EXPECT_EQ(values.opr, 1);  // assigned before the language was found missing
  EXPECT_EQ(values.lcid, 1028);
  EXPECT_EQ(values.say, u"before");
  EXPECT_FALSE(AcceptTransform(1, 13, values));
}

}  // namespace
}  // namespace qor
