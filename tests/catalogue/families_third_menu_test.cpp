// The third decoding menu in the catalogue, and the labels its commands and dialogs compose.

#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/catalogue.h"
#include "catalogue/escape_transforms.h"
#include "catalogue/step_runner.h"
#include "codepage/byte_strings.h"
#include "codepage/conversions.h"
#include "codepage/half_character.h"
#include "codepage/reinterpret.h"
#include "codepage/selector_tables.h"
#include "support/test_support.h"

namespace qor {
namespace {

const Catalogue& Cat() { return Catalogue::Get(); }

TEST(ThirdMenu, ItemsAndHowTheFrameFeedsThem) {
  struct Case {
    std::string_view menu;
    int index;
    Text label;
    bool runs_without_asking;
    Source source;
    PreCheck pre_check;
  } const cases[] = {
      {"mnuCutaByte", 0, u"GB+半字", true, Source::kCaretToEnd, PreCheck::kTextLength},
      {"mnuCutaByte", 1, u"U+半字", true, Source::kCaretToEnd, PreCheck::kTextLength},
      {"mnuCutaByte", 2, u"LCID+半字", false, {}, {}},
      {"mnu2022", 0, u"Esc+中文(ISO-2022)", true, Source::kWholeText, PreCheck::kNone},
      {"mnu2022", 1, u"Esc+日文(ISO-2022)", true, Source::kWholeText, PreCheck::kNone},
      {"mnu2022", 2, u"Esc+韩文(ISO-2022)", true, Source::kWholeText, PreCheck::kNone},
      {"mnuAskA2B", 0, u"Trans--LCID", false, {}, {}},
      {"mnuAskA2B", 1, u"LCID--LCID", false, {}, {}},
      {"mnuAskA2B", 2, u"CP--CP", false, {}, {}},
  };
  for (const Case& c : cases) {
    const Family* family = Cat().FindItem(c.menu, c.index);
    ASSERT_NE(family, nullptr) << c.menu << c.index;
    EXPECT_EQ(family->grammar, c.label);
    const std::optional<Step> step = family->MenuStep();
    ASSERT_EQ(step.has_value(), c.runs_without_asking) << Show(c.label);
    if (!step) continue;
    EXPECT_EQ(step->label, c.label);
    EXPECT_EQ(step->frame.source, c.source) << Show(c.label);
    EXPECT_EQ(step->frame.pre_check, c.pre_check) << Show(c.label);
  }
}

TEST(ThirdMenu, HalfCutLabelsAsTheCliAppliesThem) {
  // The CLI gives the transform the whole text: the cut from the start.
  EXPECT_EQ(RunStep(*Cat().Find(u"GB+半字"), u"A中文").result, u" 中文");
  EXPECT_EQ(RunStep(*Cat().Find(u"U+半字"), u"AB").result, u" \u4200");
  for (const std::int32_t lcid : {2052, 1041, 0, -2, -3, -4, -2147483647 - 1}) {
    const std::string digits = std::to_string(lcid);
    const Text label = u"LCID+半字 (" + Text(digits.begin(), digits.end()) + u")";
    const std::optional<Step> step = Cat().Find(label);
    ASSERT_TRUE(step) << Show(label);
    EXPECT_EQ(step->label, label);
    EXPECT_EQ(step->frame.source, Source::kCaretToEnd);
    EXPECT_EQ(step->frame.pre_check, PreCheck::kTextLength);
    EXPECT_EQ(RunStep(*step, u"A中文").result, CutHalfCharacter(u"A中文", LcidSelector{lcid}))
        << lcid;
  }
  EXPECT_EQ(RunStep(*Cat().Find(u"LCID+半字 (2052)"), u"A中文").result, u" 中文");
  for (const Text& label :
       {Text(u"LCID+半字"), Text(u"LCID+半字 (N)"), Text(u"LCID+半字 (+2052)"),
        Text(u"LCID+半字 (02052)"), Text(u"LCID+半字(2052)"), Text(u"LCID+半字 ( 2052)"),
        Text(u"LCID+半字 (2052"), Text(u"LCID+半字 ()"), Text(u"LCID+半字 (2052) "),
        Text(u"LCID+半字 (2147483648)"), Text(u"lcid+半字 (2052)")}) {
    EXPECT_FALSE(Cat().Find(label)) << Show(label);
  }
}

TEST(ThirdMenu, IsoEscapeLabels) {
  EXPECT_EQ(RunStep(*Cat().Find(u"Esc+日文(ISO-2022)"), u"$B$R$H$?$S(B").result, u"ひとたび");
  const Text korean = BytesToChars(TextToCodePage(u"한국어", 50225));
  EXPECT_EQ(RunStep(*Cat().Find(u"Esc+韩文(ISO-2022)"), korean).result, u"한국어");
  const Text chinese = BytesToChars(TextToCodePage(u"中文", 50227));
  EXPECT_EQ(RunStep(*Cat().Find(u"Esc+中文(ISO-2022)"), chinese).result, u"中文");
}

TEST(ThirdMenu, TransformLabelsForEveryTransformAndLanguage) {
  const Text transforms[] = {u"URL", u"QP", u"Base64", u"Base64(URL)"};
  const Text languages[] = {u"GB",       u"Big5",   u"日文",   u"韩文", u"泰文",
                            u"越南文",   u"Eng",    u"希腊文", u"俄文", u"阿拉伯文",
                            u"希伯莱文", u"Latin1", u"UTF8"};
  for (const Text& transform : transforms) {
    for (const Text& language : languages) {
      const Text label = transform + u"--" + language;
      const std::optional<Step> step = Cat().Find(label);
      ASSERT_TRUE(step) << Show(label);
      EXPECT_EQ(step->label, label);
    }
  }
  for (const Text& label :
       {Text(u"URL--ULE"), Text(u"URL--UBE"), Text(u"url--GB"), Text(u"URL-GB"), Text(u"URL -- GB"),
        Text(u"Base64(URL)--"), Text(u"--GB"), Text(u"Base64(url)--GB"), Text(u"URL--GBK")}) {
    EXPECT_FALSE(Cat().Find(label)) << Show(label);
  }
}

TEST(ThirdMenu, TransformsRunTheRightDecoder) {
  const auto transforms = EscapeTransforms();
  ASSERT_EQ(transforms.size(), 4u);
  const struct {
    Text name;
    EscapeDecoder decoder;
    int mode;
  } expected[] = {{u"URL", EscapeDecoder::kHexEscapes, 1},
                  {u"QP", EscapeDecoder::kHexEscapes, 0},
                  {u"Base64", EscapeDecoder::kBase64Text, 0},
                  {u"Base64(URL)", EscapeDecoder::kBase64Text, 1}};
  for (std::size_t k = 0; k < transforms.size(); ++k) {
    EXPECT_EQ(Text(transforms[k].name), expected[k].name);
    EXPECT_EQ(transforms[k].decoder, expected[k].decoder) << k;
    EXPECT_EQ(transforms[k].mode, expected[k].mode) << k;
  }
}

TEST(ThirdMenu, TransformRepairsLeaveOutTheFirstMenusLabels) {
  const Family* family = nullptr;
  for (const Family& f : Cat().families()) {
    if (f.grammar == u"T--L") family = &f;
  }
  ASSERT_NE(family, nullptr);
  std::vector<Text> repairs;
  for (const Step& step : family->repairs()) repairs.push_back(step.label);
  EXPECT_EQ(repairs.size(), 4u * 13u - 9u);
  for (const Text& label : {Text(u"URL--GB"), Text(u"QP--Big5"), Text(u"Base64--UTF8")}) {
    EXPECT_EQ(std::count(repairs.begin(), repairs.end(), label), 0) << Show(label);
  }
  EXPECT_EQ(std::count(repairs.begin(), repairs.end(), Text(u"Base64(URL)--GB")), 1);
  EXPECT_EQ(std::count(repairs.begin(), repairs.end(), Text(u"URL--Latin1")), 1);
}

TEST(PairLabels, EveryNamedPairOfBothTables) {
  const Text sample = T("Ã© ÖÐ 中文 AB");
  for (const SelectorEntry& a : LcidTable()) {
    for (const SelectorEntry& b : LcidTable()) {
      const Text label = Text(a.name) + u"--" + Text(b.name);
      const std::optional<Step> step = Cat().Find(label);
      ASSERT_TRUE(step) << Show(label);
      EXPECT_EQ(RunStep(*step, sample).result,
                Reinterpret(sample, LcidSelector{a.value}, LcidSelector{b.value}))
          << Show(label);
    }
  }
  for (const SelectorEntry& a : CodePageTable()) {
    for (const SelectorEntry& b : CodePageTable()) {
      const Text label = Text(a.name) + u" -- " + Text(b.name);
      ASSERT_TRUE(Cat().Find(label)) << Show(label);
    }
  }
  EXPECT_EQ(RunStep(*Cat().Find(u"中文简(GBK) -- 西欧(Windows)"), u"中文").result, T("ÖÐÎÄ"));
  EXPECT_EQ(RunStep(*Cat().Find(u"Unicode(UTF-8) -- (=)"), u"中").result,
            ConvertCodePage(u"中", CodePageSelector{65001}, kCodePageOwnUtf16));
  EXPECT_EQ(RunStep(*Cat().Find(u"Latin1--UTF8"), T("Ã©")).result, u"é");
  EXPECT_EQ(RunStep(*Cat().Find(u"日文--GB"), u"abc").result, u"abc");
  // The typed form of the fixed pair: the same text, another label.
  const Text garbled = T("ÖÐÎÄ");
  EXPECT_EQ(RunStep(*Cat().Find(u"LCID: (1033)--(2052)"), garbled).result,
            RunStep(*Cat().Find(u"Eng--GB"), garbled).result);
  EXPECT_EQ(Cat().Find(u"Code Page: (65001)--(936)")->label, u"Code Page: (65001)--(936)");
}

}  // namespace
}  // namespace qor
