#pragma once
// The program's message boxes and its one-line prompt: plain boxes without an icon (the texts say
// themselves whether they report or ask) whose buttons speak the interface's language, whatever
// the system's locale.

#include <optional>

#include "platform/text.h"

class QWidget;

namespace qor {

// A message with 确定; the title defaults to the product name.
void ShowMessageBox(QWidget* owner, TextView text, TextView title = {});
// A question with 是 and 否, 是 the default button unless default_no; true only for 是.
bool AskYesNoBox(QWidget* owner, TextView text, bool default_no = false);
// A one-line prompt with 确定 and 取消; nullopt when cancelled.
std::optional<Text> AskLineBox(QWidget* owner, TextView prompt, TextView title, TextView initial);

}  // namespace qor
