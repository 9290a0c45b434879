#pragma once
// qor-cli run in the test's process, as a shell would run it.

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace qor {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

inline CliRun Cli(const std::vector<std::string>& args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out, err;
  const int status = CommandLineMain(args, in, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace qor
