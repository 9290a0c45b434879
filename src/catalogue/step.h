#pragma once
// One text-rewriting command as data: its history label, its one function, how the window's
// command frame feeds it, and what diagnosis needs to know of it. Steps are run through
// RunStep (catalogue/step_runner.h), never by calling their function directly.

#include <concepts>
#include <functional>
#include <vector>

#include "platform/codepage_service.h"
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

// How the window's command frame feeds a step.
struct Frame {
  Source source = Source::kWholeText;
  PreCheck pre_check = PreCheck::kNone;
};

// Where a long text may be cut so that the step can run piece by piece (qor-cli streams).
enum class Cut {
  kNowhere,  // the step needs the whole text
  // After any line feed: for a text `a` that ends in one and any `b`, the result of a + b is
  // the result of a, then the result of "\n" + b after the result of "\n" alone.
  kAfterLineFeed,
};

// A function of a text that has nothing to count.
using Transform = std::function<Text(TextView)>;

// A step's one function: the result text ("" when it gives none), adding to the counts what its
// conversions gave up ("?" written for characters a code page lacks, invalid byte sequences).
// A function with nothing to count may be given as Text(TextView).
class StepFunction {
 public:
  StepFunction() = default;
  StepFunction(std::nullptr_t) {}
  template <typename F>
  requires std::is_invocable_r_v<Text, const F&, TextView, ConversionCounts&> StepFunction(
      F function)
      : function_(std::move(function)) {}
  template <typename F>
  requires(std::is_invocable_r_v<Text, const F&, TextView> &&
           !std::is_invocable_r_v<Text, const F&, TextView, ConversionCounts&> &&
           !std::same_as<F, std::nullptr_t>) StepFunction(F function)
      : function_([function = std::move(function)](TextView text, ConversionCounts&) {
          return function(text);
        }) {}

  explicit operator bool() const { return static_cast<bool>(function_); }
  Text operator()(TextView text, ConversionCounts& counts) const { return function_(text, counts); }

 private:
  std::function<Text(TextView, ConversionCounts&)> function_;
};

struct Step {
  Text label;
  StepFunction function = {};
  Frame frame = {};
  // Diagnosis tries it in chains of two: the menus' own items, and the pairs between the code
  // pages that CJK mojibake passes through.
  bool chainable = false;
  // The code pages the text goes through, in order: encoded under the first, read under the
  // second (1200 and 1201 for UTF-16, 28591 for Latin-1, 65001 for UTF-8); empty for a step
  // that is no reinterpretation.
  std::vector<int> code_pages = {};
  Cut cut = Cut::kNowhere;
};

}  // namespace qor
