#include "cli/cli.h"

#include <iostream>

#include "cli/apply.h"
#include "cli/fix.h"
#include "cli/fix_names.h"
#include "cli/list.h"
#include "cli/options.h"
#include "cli/usage.h"

namespace qor {
namespace {

int UsageError(const std::string& error, std::ostream& err) {
  err << "qor-cli: " << error << "\nTry qor-cli --help.\n";
  return kExitUsage;
}

int Run(const Options& options, std::istream& in, std::ostream& out, std::ostream& err) {
  if (options.help) {
    out << Usage();
    return kExitOk;
  }
  const std::string command = options.operands.empty() ? "" : options.operands.front();
  if ((options.top || options.explain) && command != "fix") {
    return UsageError("--top and --explain belong to fix", err);
  }
  if ((options.lines || options.threads) && command != "fix" && command != "apply") {
    return UsageError("--lines and -j belong to fix and apply", err);
  }
  if (options.json && command != "fix" && command != "list") {
    return UsageError("--json belongs to fix and list", err);
  }
  if (options.apply && command != "fix-names") {
    return UsageError("--apply belongs to fix-names", err);
  }
  if (command == "list") return List(options, out);
  if (command == "fix-names") return FixNames(options, out, err);
  if (command == "apply") return Apply(options, in, out, err);
  if (command == "fix") return Fix(options, in, out, err);
  return UsageError(command.empty() ? "no command given" : "unknown command " + command, err);
}

}  // namespace

int CommandLineMain(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err) {
  try {
    std::string error;
    const std::optional<Options> options = ParseOptions(args, error);
    if (!options) return UsageError(error, err);
    return Run(*options, in, out, err);
  } catch (const std::exception& e) {
    err << "qor-cli: failed: " << e.what() << '\n';
    return kExitFailure;
  }
}

}  // namespace qor
