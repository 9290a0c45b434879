#pragma once
// qor-cli: the catalogue's transforms on the command line.

#include <iosfwd>
#include <string>
#include <vector>

namespace qor {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitNoResult = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitFile = 3;

// Runs the tool on its arguments (without the program name); returns the exit status.
int CommandLineMain(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err);

}  // namespace qor
