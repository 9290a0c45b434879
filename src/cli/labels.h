#pragma once
// Transform labels on the command line: the steps they name, suggestions for unknown ones, and
// chains printed as shell words that can be pasted after "qor-cli apply --".

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "catalogue/step.h"
#include "platform/text.h"

namespace qor {

// The steps the labels name, in order; nullopt after saying on `err` which label is unknown and
// the closest known ones. Two charset labels FROM--TO name the code page pair "Code Page:
// (A)--(B)" unless the catalogue knows the label itself.
[[nodiscard]] std::optional<std::vector<Step>> FindSteps(const std::vector<std::string>& labels,
                                                         std::ostream& err);

// The three known labels closest to an unknown one.
[[nodiscard]] std::vector<Text> ClosestLabels(TextView label);

// A label as one shell word: 'Eng--GB'.
[[nodiscard]] std::string ShellWord(TextView label);

// The chain's labels as shell words; "（原文）" for the text as it is.
[[nodiscard]] std::string ChainWords(const std::vector<Text>& chain);

}  // namespace qor
