#include "cli/command_line_ui.h"

#include "platform/wtf8.h"

namespace qor {

std::string FlatMessage(TextView text) {
  std::string out = EncodeWtf8(text);
  for (std::size_t at; (at = out.find("\r\n\r\n")) != std::string::npos;) out.replace(at, 4, ": ");
  return out;
}

void CommandLineUi::ShowMessage(TextView text, TextView) {
  err_ << "qor-cli: " << FlatMessage(text) << '\n';
}

bool CommandLineUi::AskYesNo(TextView text, bool) {
  err_ << "qor-cli: " << FlatMessage(text)
       << (force_ ? " yes (--force)\n" : " no (--force overwrites)\n");
  return force_;
}

}  // namespace qor
