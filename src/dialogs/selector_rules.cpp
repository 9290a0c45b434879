#include "dialogs/selector_rules.h"

#include "catalogue/escape_transforms.h"
#include "catalogue/parameter_labels.h"

namespace qor {
namespace {

// One side of the pair: the typed number, or the number of the chosen entry.
std::optional<std::int32_t> SideValue(const PairDialogKind& kind, const PairInput& input,
                                      int side) {
  if (input.typed) return ParseInt32(input.boxes[side]);
  const SelectorTable table = kind.table();
  const int choice = input.choices[side];
  if (choice < 0 || choice >= static_cast<int>(table.size())) return std::nullopt;
  return table[choice].value;
}

}  // namespace

const PairDialogKind& CodePagePairKind() {
  static const PairDialogKind kind{u"代码页和字符集",    u"代码页(CP)",          u"字符集",
                                   kCodePageTypedPrefix, kCodePageNameSeparator, CodePageTable};
  return kind;
}

const PairDialogKind& LcidPairKind() {
  static const PairDialogKind kind{u"语文区号和名称", u"语文区号(LCID)",  u"语文名称",
                                   kLcidTypedPrefix,  kLcidNameSeparator, LcidTable};
  return kind;
}

bool AcceptPair(const PairDialogKind& kind, const PairInput& input, PairValues& values) {
  const std::optional<std::int32_t> a = SideValue(kind, input, 0);
  if (!a) return false;
  values.a = *a;
  const std::optional<std::int32_t> b = SideValue(kind, input, 1);
  if (!b) return false;
  values.b = *b;
  values.say = input.typed ? TypedPairLabel(kind.typed_prefix, values.a, values.b)
                           : JoinLabel(kind.table()[input.choices[0]].name, kind.name_separator,
                                       kind.table()[input.choices[1]].name);
  values.ok = true;
  return true;
}

bool AcceptTransform(int transform_choice, int language_choice, TransformValues& values) {
  const auto transforms = EscapeTransforms();
  const bool has_transform =
      transform_choice >= 0 && transform_choice < static_cast<int>(transforms.size());
  values.opr = static_cast<std::int16_t>(has_transform ? transform_choice : -1);
  const SelectorTable languages = TransformLanguageTable();
  if (language_choice < 0 || language_choice >= static_cast<int>(languages.size())) return false;
  values.lcid = languages[language_choice].value;
  values.say = JoinLabel(has_transform ? transforms[transform_choice].name : TextView(),
                         kTransformSeparator, languages[language_choice].name);
  values.ok = true;
  return true;
}

}  // namespace qor
