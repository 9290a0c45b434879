#pragma once
// One text-rewriting command, ready to run through the command frame: its history label, its
// transform and how the frame feeds it.

#include <functional>

#include "platform/text.h"

namespace qor {

struct ConversionCounts;  // platform/codepage_service.h

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
// The same kind of transform, also adding to *counts what its conversions gave up ("?" written
// for characters a code page lacks, invalid byte sequences); counts may be null.
using CountingTransform = std::function<Text(TextView, ConversionCounts*)>;

struct Step {
  Text label;
  Transform transform;
  Source source = Source::kWholeText;
  PreCheck pre_check = PreCheck::kNone;
  // Set where the transform converts through code pages; gives the same text as transform.
  CountingTransform counting = nullptr;
};

// A whole-text step whose transform reports what it lost.
inline Step CountingStep(Text label, CountingTransform counting) {
  Transform plain = [counting](TextView text) { return counting(text, nullptr); };
  return Step{std::move(label), std::move(plain), Source::kWholeText, PreCheck::kNone,
              std::move(counting)};
}

}  // namespace qor
