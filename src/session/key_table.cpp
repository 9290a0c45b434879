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
    {kVkF1 + 1, kVkF1 + 1, When::kAny, {"cmdSeek", 1}},
    {kVkF1 + 2, kVkF1 + 2, When::kCtrlOnly, {"mnuCutaByte", 2}},
    {kVkF1 + 2, kVkF1 + 2, When::kOtherwise, {"mnuReplace"}},
    {kVkF1 + 3, kVkF1 + 3, When::kAny, {"mnuSayCode"}},
    {kVkF1 + 4, kVkF1 + 4, When::kCtrlOnly, {"cmdUd", 0}},
    {kVkF1 + 4, kVkF1 + 4, When::kOtherwise, {"cmdUd", 1}},
    {kVkF1 + 5, kVkF1 + 5, When::kCtrlOnly, {"cmdUd", 3}},
    {kVkF1 + 5, kVkF1 + 5, When::kOtherwise, {"cmdUd", 2}},
    {kVkF1 + 6, kVkF1 + 6, When::kAny, {"mnuAskA2B", 0}},
    {kVkF1 + 7, kVkF1 + 7, When::kCtrlOnly, {"mnuAskA2B", 2}},
    {kVkF1 + 7, kVkF1 + 7, When::kOtherwise, {"mnuAskA2B", 1}},
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
