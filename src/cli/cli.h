#pragma once
// qor-cli: the catalogue's transforms on the command line.

#include <iosfwd>
#include <string>
#include <vector>

#include "catalogue/step.h"
#include "platform/text.h"

namespace qor {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitNoResult = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitFile = 3;
// A step or the diagnosis failed with an error (out of memory, a library fault).
inline constexpr int kExitFailure = 4;

// apply: runs the steps in order on the text, saying on `err` which step gave no result, left
// the text as it was or failed with an error; the exit status.
int ApplySteps(const std::vector<Step>& steps, Text& text, std::ostream& err);

// Runs the tool on its arguments (without the program name); returns the exit status.
int CommandLineMain(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err);

}  // namespace qor
