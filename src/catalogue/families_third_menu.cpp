// Commands of the third decoding menu: half-character cut, ISO-2022 escapes, and the selected
// reinterpretations that ask for their pair first; with the labels those commands compose.

#include <algorithm>

#include "catalogue/caption.h"
#include "catalogue/catalogue.h"
#include "catalogue/escape_transforms.h"
#include "catalogue/parameter_labels.h"
#include "codepage/half_character.h"
#include "codepage/iso2022_escapes.h"
#include "codepage/selector_tables.h"

namespace qor {
namespace {

struct ThirdMenuItem {
  std::string_view menu;
  int index;
  const char16_t* caption;
  bool checked;
  Transform transform;  // empty for a command that asks first
  Source source;
  PreCheck pre_check;
};

Transform CutBy(LcidSelector selector) {
  return [selector](TextView text) { return CutHalfCharacter(text, selector); };
}

Transform RestoreEscapes(int index) {
  return [index](TextView text) { return RestoreIso2022Escapes(text, index); };
}

// "LCID+半字 (N)": the cut under a typed LCID. The CLI gives it the whole text.
Family CutByTypedLcidFamily(TextView head) {
  Family family;
  family.grammar = Text(head) + u" (N)";
  family.note = u"N: an LCID, or -2 / -3 for UTF-16";
  family.parse = [head = Text(head)](TextView label) -> std::optional<Step> {
    const std::optional<std::int32_t> lcid = ParseNumberedLabel(label, head);
    if (!lcid) return std::nullopt;
    return Step{
        Text(label), CutBy(LcidSelector{*lcid}), {Source::kCaretToEnd, PreCheck::kTextLength}};
  };
  return family;
}

// "URL--GB": the transform's decoder, the bytes read under the language.
// URL escapes end at a line break; quoted-printable and Base64 run across them.
Step EscapeStep(const EscapeTransform& transform, const SelectorEntry& language) {
  Step step{JoinLabel(transform.name, kTransformSeparator, language.name),
            [&transform, lcid = LcidSelector{language.value}](TextView text) {
              return DecodeEscapes(transform, text, lcid);
            }};
  const bool url = transform.name == u"URL";
  step.cut = url ? Cut::kAfterLineFeed : Cut::kNowhere;
  return step;
}

// "URL--GB" … "Base64(URL)--UTF8": a transform of the transform selector under one of its
// languages. Labels that an earlier family already names (the first menu's "URL--GB"…) are left out
// of the repairs, so that diagnosis does not try one decoding twice.
Family EscapeTransformFamily(const std::vector<Family>& earlier) {
  Family family;
  family.grammar = Text(u"T") + Text(kTransformSeparator) + u"L";
  family.note = u"T:";
  for (const EscapeTransform& transform : EscapeTransforms()) {
    family.note.append(u" ").append(transform.name);
  }
  family.note += u"; L:";
  for (const SelectorEntry& language : TransformLanguageTable()) {
    family.note.append(u" ").append(language.name);
  }
  family.parse = [](TextView label) -> std::optional<Step> {
    for (const EscapeTransform& transform : EscapeTransforms()) {
      for (const SelectorEntry& language : TransformLanguageTable()) {
        if (label == JoinLabel(transform.name, kTransformSeparator, language.name)) {
          return EscapeStep(transform, language);
        }
      }
    }
    return std::nullopt;
  };
  std::vector<Step> steps;
  for (const EscapeTransform& transform : EscapeTransforms()) {
    for (const SelectorEntry& language : TransformLanguageTable()) {
      Step step = EscapeStep(transform, language);
      const bool named = std::any_of(earlier.begin(), earlier.end(),
                                     [&step](const Family& f) { return f.grammar == step.label; });
      if (!named) steps.push_back(std::move(step));
    }
  }
  family.repairs = [steps = std::move(steps)] { return steps; };
  return family;
}

}  // namespace

void AddThirdMenuFamilies(std::vector<Family>& families) {
  const ThirdMenuItem items[] = {
      {"mnuCutaByte", 0, u"GB+半字 ：英文通顺,部分中文通顺.建议光标放在乱码开头", true,
       CutBy(kLcidChineseSimplified), Source::kCaretToEnd, PreCheck::kTextLength},
      {"mnuCutaByte", 1, u"U+半字 ：前半通顺,后半不通,多韩文,方框和空格", false,
       CutBy(kLcidUtf16Le), Source::kCaretToEnd, PreCheck::kTextLength},
      {"mnuCutaByte", 2, u"LCID+半字 ：键入 语文区号 [Ctrl+F3] …", false, nullptr,
       Source::kCaretToEnd, PreCheck::kTextLength},
      {"mnu2022", 0, u"Esc+中文(ISO-2022) ：同下类似, 标志 $)A $)G", false, RestoreEscapes(0),
       Source::kWholeText, PreCheck::kNone},
      {"mnu2022", 1, u"Esc+日文(ISO-2022) ：如 $B$R$H$?$S 英文通顺, 标志 $B (B", true,
       RestoreEscapes(1), Source::kWholeText, PreCheck::kNone},
      {"mnu2022", 2, u"Esc+韩文(ISO-2022) ：同上类似, 标志 $)C", false, RestoreEscapes(2),
       Source::kWholeText, PreCheck::kNone},
      {"mnuAskA2B", 0, u"Trans--LCID ：选择 转换格式--语文名称 [F7] …", false, nullptr,
       Source::kWholeText, PreCheck::kNone},
      {"mnuAskA2B", 1, u"LCID--LCID ：选择语文名称 或 键入语文区号 [F8] …", false, nullptr,
       Source::kWholeText, PreCheck::kNone},
      {"mnuAskA2B", 2, u"CP--CP ：选择字符集 或 键入代码页 [Ctrl+F8] …", false, nullptr,
       Source::kWholeText, PreCheck::kNone},
  };
  for (const ThirdMenuItem& item : items) {
    families.push_back(FixedFamily({item.menu, item.index, item.caption, item.checked},
                                   CaptionHead(item.caption, kDescriptionDelimiter), item.transform,
                                   Frame{item.source, item.pre_check}));
    // The item that asks for the LCID names its results "LCID+半字 (N)".
    if (item.menu == "mnuCutaByte" && !item.transform) {
      families.push_back(CutByTypedLcidFamily(families.back().grammar));
    }
  }
  families.push_back(EscapeTransformFamily(families));
}

}  // namespace qor
