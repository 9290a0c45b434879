#include "session/key_table.h"

namespace qor {
namespace {

enum class When { kAny, kCtrlOnly, kOtherwise };

struct KeyBinding {
  int first_key;
  int last_key;
  When when;
  CommandId command;
};

// Each key has either one binding for any state, or a "Ctrl only" and an "otherwise" binding.
constexpr KeyBinding kKeyBindings[] = {
    {kVkPageUp, kVkDown, When::kAny, kRecordCaret},  // Page Up, Page Down, End, Home, arrows
    {kVkInsert, kVkInsert, When::kAny, {"mnuIns", 1}},
    {kVkDelete, kVkDelete, When::kCtrlOnly, {"mnuIns", 2}},
    {kVkDelete, kVkDelete, When::kOtherwise, {"mnuIns", 0}},
    {'P', 'P', When::kCtrlOnly, {"mnuPasteOrig"}},
    {'V', 'V', When::kCtrlOnly, {"mnuPaste"}},
    {kVkF1, kVkF1, When::kCtrlOnly, {"mnuSeekNew"}},
    {kVkF1, kVkF1, When::kOtherwise, {"cmdSeek", 0}},
    {kVkF2, kVkF2, When::kAny, {"cmdSeek", 1}},
    {kVkF3, kVkF3, When::kCtrlOnly, {"mnuCutaByte", 2}},
    {kVkF3, kVkF3, When::kOtherwise, {"mnuReplace"}},
    {kVkF4, kVkF4, When::kAny, {"mnuSayCode"}},
    {kVkF5, kVkF5, When::kCtrlOnly, {"cmdUd", 0}},
    {kVkF5, kVkF5, When::kOtherwise, {"cmdUd", 1}},
    {kVkF6, kVkF6, When::kCtrlOnly, {"cmdUd", 3}},
    {kVkF6, kVkF6, When::kOtherwise, {"cmdUd", 2}},
    {kVkF7, kVkF7, When::kAny, {"mnuAskA2B", 0}},
    {kVkF8, kVkF8, When::kCtrlOnly, {"mnuAskA2B", 2}},
    {kVkF8, kVkF8, When::kOtherwise, {"mnuAskA2B", 1}},
    {kVkF9, kVkF9, When::kCtrlOnly, {"mnuIns", 3}},
    {kVkF9, kVkF9, When::kOtherwise, {"mnuIns", 4}},
    {kVkF11, kVkF11, When::kAny, {"mnuDiagnose"}},
};

bool Applies(When when, int shift) {
  switch (when) {
    case When::kAny:
      return true;
    case When::kCtrlOnly:
      return shift == kCtrlDown;
    case When::kOtherwise:
      return shift != kCtrlDown;
  }
  return false;
}

}  // namespace

std::optional<CommandId> KeyCommand(int key_code, int shift) {
  for (const KeyBinding& binding : kKeyBindings) {
    if (key_code >= binding.first_key && key_code <= binding.last_key &&
        Applies(binding.when, shift)) {
      return binding.command;
    }
  }
  return std::nullopt;
}

}  // namespace qor
