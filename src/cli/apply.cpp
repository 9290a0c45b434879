#include "cli/apply.h"

#include <ostream>

#include "catalogue/step_runner.h"
#include "cli/cli.h"
#include "cli/labels.h"
#include "cli/text_io.h"
#include "platform/wtf8.h"

namespace qor {

int Apply(const Options& options, std::istream& in, std::ostream& out, std::ostream& err) {
  const std::vector<std::string> labels(options.operands.begin() + 1, options.operands.end());
  if (labels.empty()) {
    err << "qor-cli: apply needs at least one label (see qor-cli list)\n";
    return kExitUsage;
  }
  const std::optional<std::vector<Step>> steps = FindSteps(labels, err);
  if (!steps) return kExitUsage;
  int status = kExitOk;
  std::optional<Text> text = ReadInput(options, in, err, status);
  if (!text) return status;
  const int applied = ApplySteps(*steps, *text, err);
  if (applied != kExitOk) return applied;
  return WriteOutput(options, *text, out, err);
}

int ApplySteps(const std::vector<Step>& steps, Text& text, std::ostream& err) {
  for (const Step& step : steps) {
    StepOutcome outcome = RunStep(step, text);
    const Bytes label = EncodeWtf8(step.label);
    if (!outcome.failure.empty()) {
      err << "qor-cli: " << label << " failed: " << outcome.failure << '\n';
      return kExitFailure;
    }
    if (!outcome.HasResult()) {
      err << label << ": " << EncodeWtf8(kUnchanged) << '\n';
      return kExitNoResult;
    }
    if (outcome.result == text) err << label << ": " << EncodeWtf8(kSameText) << '\n';
    text = std::move(outcome.result);
  }
  return kExitOk;
}

}  // namespace qor
