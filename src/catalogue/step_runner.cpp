#include "catalogue/step_runner.h"

#include <algorithm>
#include <exception>

namespace qor {
namespace {

std::size_t CountReplacements(TextView text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\uFFFD'));
}

StepOutcome Run(const Step& step, TextView text) {
  StepOutcome outcome;
  if (!step.function) return outcome;
  ConversionCounts counts;
  outcome.result = step.function(text, counts);
  if (outcome.result.empty()) return outcome;
  const std::size_t before = CountReplacements(text);
  const std::size_t after = CountReplacements(outcome.result);
  outcome.substituted = counts.substituted;
  outcome.invalid = std::max(counts.invalid, after > before ? after - before : 0);
  return outcome;
}

// Never throws itself: a reason that cannot be copied gives a short one, which needs no memory.
StepOutcome Failed(const char* why) noexcept {
  StepOutcome outcome;
  try {
    outcome.failure = why && *why ? why : "unknown error";
  } catch (...) {
    outcome.failure = "out of memory";
  }
  return outcome;
}

}  // namespace

StepOutcome RunStep(const Step& step, TextView text) {
  try {
    return Run(step, text);
  } catch (const std::exception& error) {
    return Failed(error.what());
  } catch (...) {
    return Failed(nullptr);
  }
}

}  // namespace qor
