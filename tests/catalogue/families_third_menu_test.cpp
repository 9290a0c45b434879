// The third decoding menu in the catalogue, and the labels its commands and dialogs compose.

#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/catalogue.h"
#include "catalogue/escape_transforms.h"
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
    bool checked;
    bool runs_without_asking;
    Source source;
    PreCheck pre_check;
  } const cases[] = {
      {"mnuCutaByte", 0, u"GB+半字", true, true, Source::kCaretToEnd, PreCheck::kTextLength},
      {"mnuCutaByte", 1, u"U+半字", false, true, Source::kCaretToEnd, PreCheck::kTextLength},
      {"mnuCutaByte", 2, u"LCID+半字", false, false, {}, {}},
      {"mnu2022", 0, u"Esc+中文(ISO-2022)", false, true, Source::kWholeText, PreCheck::kNone},
      {"mnu2022", 1, u"Esc+日文(ISO-2022)", true, true, Source::kWholeText, PreCheck::kNone},
      {"mnu2022", 2, u"Esc+韩文(ISO-2022)", false, true, Source::kWholeText, PreCheck::kNone},
      {"mnuAskA2B", 0, u"Trans--LCID", false, false, {}, {}},
      {"mnuAskA2B", 1, u"LCID--LCID", false, false, {}, {}},
      {"mnuAskA2B", 2, u"CP--CP", false, false, {}, {}},
  };
  for (const Case& c : cases) {
    const Family* family = Cat().FindItem(c.menu, c.index);
    ASSERT_NE(family, nullptr) << c.menu << c.index;
    EXPECT_EQ(family->grammar, c.label);
    EXPECT_EQ(family->item->caption.substr(0, c.label.size() + 2), c.label + u" ：");
    EXPECT_EQ(family->item->checked, c.checked) << Show(c.label);
    const std::optional<Step> step = family->MenuStep();
    ASSERT_EQ(step.has_value(), c.runs_without_asking) << Show(c.label);
    if (!step) continue;
    EXPECT_EQ(step->label, c.label);
    EXPECT_EQ(step->source, c.source) << Show(c.label);
    EXPECT_EQ(step->pre_check, c.pre_check) << Show(c.label);
  }
  EXPECT_EQ(Cat().MenuFamilies("mnuCutaByte").size(), 3u);
  EXPECT_EQ(Cat().MenuFamilies("mnu2022").size(), 3u);
  EXPECT_EQ(Cat().MenuFamilies("mnuAskA2B").size(), 3u);
}

TEST(ThirdMenu, HalfCutLabelsAsTheCliAppliesThem) {
  // The CLI gives the transform the whole text: the cut from the start.
  EXPECT_EQ(Cat().Find(u"GB+半字")->transform(u"A中文"), u" 中文");
  EXPECT_EQ(Cat().Find(u"U+半字")->transform(u"AB"), u" \u4200");
  for (const std::int32_t lcid : {2052, 1041, 0, -2, -3, -4, -2147483647 - 1}) {
    const std::string digits = std::to_string(lcid);
    const Text label = u"LCID+半字 (" + Text(digits.begin(), digits.end()) + u")";
    const std::optional<Step> step = Cat().Find(label);
    ASSERT_TRUE(step) << Show(label);
    EXPECT_EQ(step->label, label);
    EXPECT_EQ(step->source, Source::kCaretToEnd);
    EXPECT_EQ(step->pre_check, PreCheck::kTextLength);
    EXPECT_EQ(step->transform(u"A中文"), CutHalfCharacter(u"A中文", lcid)) << lcid;
  }
  EXPECT_EQ(Cat().Find(u"LCID+半字 (2052)")->transform(u"A中文"), u" 中文");
  for (const Text& label :
       {Text(u"LCID+半字"), Text(u"LCID+半字 (N)"), Text(u"LCID+半字 (+2052)"),
        Text(u"LCID+半字 (02052)"), Text(u"LCID+半字(2052)"), Text(u"LCID+半字 ( 2052)"),
        Text(u"LCID+半字 (2052"), Text(u"LCID+半字 ()"), Text(u"LCID+半字 (2052) "),
        Text(u"LCID+半字 (2147483648)"), Text(u"lcid+半字 (2052)")}) {
    EXPECT_FALSE(Cat().Find(label)) << Show(label);
  }
}

TEST(ThirdMenu, IsoEscapeLabels) {
  EXPECT_EQ(Cat().Find(u"Esc+日文(ISO-2022)")->transform(u"$B$R$H$?$S(B"), u"ひとたび");
  const Text korean = BytesToChars(TextToCodePage(u"한국어", 50225));
  EXPECT_EQ(Cat().Find(u"Esc+韩文(ISO-2022)")->transform(korean), u"한국어");
  const Text chinese = BytesToChars(TextToCodePage(u"中文", 50227));
  EXPECT_EQ(Cat().Find(u"Esc+中文(ISO-2022)")->transform(chinese), u"中文");
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
  const std::vector<Text> repairs = family->repairs();
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
      const Text label = a.name + u"--" + b.name;
      const std::optional<Step> step = Cat().Find(label);
      ASSERT_TRUE(step) << Show(label);
      EXPECT_EQ(step->transform(sample), Reinterpret(sample, a.value, b.value)) << Show(label);
    }
  }
  for (const SelectorEntry& a : CodePageTable()) {
    for (const SelectorEntry& b : CodePageTable()) {
      const Text label = a.name + u" -- " + b.name;
      ASSERT_TRUE(Cat().Find(label)) << Show(label);
    }
  }
  EXPECT_EQ(Cat().Find(u"中文简(GBK) -- 西欧(Windows)")->transform(u"中文"), T("ÖÐÎÄ"));
  EXPECT_EQ(Cat().Find(u"Unicode(UTF-8) -- (=)")->transform(u"中"),
            ConvertCodePage(u"中", 65001, -2));
  EXPECT_EQ(Cat().Find(u"Latin1--UTF8")->transform(T("Ã©")), u"é");
  EXPECT_EQ(Cat().Find(u"日文--GB")->transform(u"abc"), u"abc");
  // The typed form of the fixed pair: the same text, another label.
  const Text garbled = T("ÖÐÎÄ");
  EXPECT_EQ(Cat().Find(u"LCID: (1033)--(2052)")->transform(garbled),
            Cat().Find(u"Eng--GB")->transform(garbled));
  EXPECT_EQ(Cat().Find(u"Code Page: (65001)--(936)")->label, u"Code Page: (65001)--(936)");
}

}  // namespace
}  // namespace qor
