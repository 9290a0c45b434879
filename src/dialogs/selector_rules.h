#pragma once
// The rules of the three selector dialogs, apart from their widgets: what OK makes of the input
// and the labels it composes. The pair dialogs share one set of rules over two tables.

#include <array>
#include <cstdint>
#include <vector>

#include "codepage/selector_tables.h"
#include "platform/text.h"

namespace qor {

// Captions shared by the selector dialogs.
inline constexpr TextView kOkCaption = u"确 定";
inline constexpr TextView kCancelCaption = u"取 消";
inline constexpr TextView kBetweenCaption = u"--";

// What tells the code page pair dialog and the LCID pair dialog apart.
struct PairDialogKind {
  TextView title;
  TextView typed_caption;   // the option of typed numbers
  TextView named_caption;   // the option of names from the table
  TextView typed_prefix;    // typed label: prefix "(" A ")--(" B ")"
  TextView name_separator;  // named label: name A, separator, name B
  SelectorTable (*table)();
};

// "代码页和字符集": code page selectors, " -- " between names.
const PairDialogKind& CodePagePairKind();
// "语文区号和名称": LCID selectors, "--" between names.
const PairDialogKind& LcidPairKind();

// What the pair dialog shows when OK is pressed.
struct PairInput {
  bool typed = false;                  // typed numbers, else names
  std::array<Text, 2> boxes;           // the number boxes, side A and side B
  std::array<int, 2> choices{-1, -1};  // the chosen table entries, -1 for none
};

// The pair dialog's public values.
struct PairValues {
  bool ok = false;
  std::int32_t a = 0;
  std::int32_t b = 0;
  Text say;
};

// OK: side A, then side B, then the label, then ok. Stops silently at the first side that gives
// no number, keeping what it already assigned; true when it got to the end.
bool AcceptPair(const PairDialogKind& kind, const PairInput& input, PairValues& values);

// The transform selector's public values.
struct TransformValues {
  bool ok = false;
  std::int16_t opr = -1;
  std::int32_t lcid = 0;
  Text say;
};

// OK: the transform (-1 for none), then the language, which must be chosen, then the label
// "transform--language", then ok. Stops silently without a language, keeping the transform.
bool AcceptTransform(int transform_choice, int language_choice, TransformValues& values);

}  // namespace qor
