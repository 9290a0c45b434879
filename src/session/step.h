#pragma once
// One text-rewriting command, ready to run through the command frame: its history label, its
// transform and how the frame feeds it.

#include <functional>

#include "platform/text.h"

namespace qor {

// What the transform is given, and where its result goes.
enum class Source {
  kWholeText,         // the whole text; the result replaces it
  kSelection,         // the selected text; the result replaces the selection and is selected
  kSelectionOrWhole,  // the selection when it holds 2 or more positions, else the whole text
  kCaretToEnd,        // from the caret to the end; the result replaces it, the caret stays
};

// The refusal made before transforming.
enum class PreCheck {
  kNone,
  kSelectionGrowth,  // the result may be 3 times the selection: refuse when there is no room
  kTextLength,       // refuse a text that is already at the maximum length
};

using Transform = std::function<Text(TextView)>;

struct Step {
  Text label;
  Transform transform;
  Source source = Source::kWholeText;
  PreCheck pre_check = PreCheck::kNone;
};

}  // namespace qor
