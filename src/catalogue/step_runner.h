#pragma once
// The one runner of a step on a text. The window's command frame, qor-cli, diagnosis and the
// input box all run steps through it, so that what a result is, what it lost and what a failure
// gives are decided once.

#include <cstddef>
#include <string>

#include "catalogue/step.h"
#include "platform/text.h"

namespace qor {

// Said for a step that gave no result, and for one whose result is the text it was given.
inline constexpr TextView kUnchanged = u"未改动";
inline constexpr TextView kSameText = u"新旧文本相同";

struct StepOutcome {
  Text result;                  // "" when the step gave no result
  std::size_t substituted = 0;  // characters a code page lacked, written as "?"
  std::size_t invalid = 0;      // byte sequences that did not decode, lost or shown as U+FFFD
  std::string failure;          // why the step failed with an error; empty when it did not

  bool HasResult() const { return !result.empty(); }
  std::size_t Lost() const { return substituted + invalid; }
};

// Runs a step on a text. Never throws: a step that fails with an error (out of memory, a
// library fault) gives no result and says why in `failure`; a step without a function gives no
// result. U+FFFD that the result holds beyond the text's own count as invalid sequences,
// whoever wrote them.
[[nodiscard]] StepOutcome RunStep(const Step& step, TextView text);

}  // namespace qor
