#pragma once
// The file reader's and writer's messages on standard error; the overwrite question is answered
// by --force.

#include <ostream>
#include <string>

#include "session/ui.h"

namespace qor {

class CommandLineUi : public Ui {
 public:
  CommandLineUi(std::ostream& err, bool force) : err_(err), force_(force) {}
  void ShowMessage(TextView text, TextView = {}) override;
  bool AskYesNo(TextView text, bool = false) override;

 private:
  std::ostream& err_;
  bool force_;
};

// A message of the window on one line: its blank lines become ": ".
[[nodiscard]] std::string FlatMessage(TextView text);

}  // namespace qor
