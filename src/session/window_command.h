#pragma once
// A command of the main window, named by its control and its index in a control array: a menu
// item, a top-level menu's opening, a button, or the caret record of the text control.

#include <string_view>

namespace qor {

struct CommandId {
  std::string_view name;  // "mnuChgA2B", "cmdUd", "mnuLooks"…
  int index = -1;         // index in the control array; -1 for a single control

  friend bool operator==(const CommandId&, const CommandId&) = default;
};

// Stores the caret and selection of the text control in the shown history entry.
inline constexpr CommandId kRecordCaret{"RecordCaret"};

}  // namespace qor
