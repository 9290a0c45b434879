#pragma once
// The keys of the text control: a key code and modifier state to the command it runs.

#include <optional>

#include "session/window_command.h"

namespace qor {

// Modifier bits, added: the state is exactly one of their sums.
enum KeyShift : int { kShiftDown = 1, kCtrlDown = 2, kAltDown = 4 };

// Virtual-key codes of the bound keys; letters are their upper-case ASCII codes.
enum VirtualKey : int {
  kVkPageUp = 33,
  kVkPageDown = 34,
  kVkEnd = 35,
  kVkHome = 36,
  kVkLeft = 37,
  kVkUp = 38,
  kVkRight = 39,
  kVkDown = 40,
  kVkInsert = 45,
  kVkDelete = 46,
  kVkF1 = 112,  // F1..F24 follow one by one
  kVkF2 = 113,
  kVkF3 = 114,
  kVkF4 = 115,
  kVkF5 = 116,
  kVkF6 = 117,
  kVkF7 = 118,
  kVkF8 = 119,
  kVkF9 = 120,
  kVkF11 = 122,
};

// The command a key released in the text control runs; nullopt for a key without one. "Ctrl
// only" bindings need a state of exactly Ctrl.
[[nodiscard]] std::optional<CommandId> KeyCommand(int key_code, int shift);

}  // namespace qor
