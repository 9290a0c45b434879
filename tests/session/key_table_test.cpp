#include "session/key_table.h"

#include <gtest/gtest.h>

#include <string>

namespace qor {
namespace {

std::string Name(const std::optional<CommandId>& command) {
  if (!command) return "nothing";
  return std::string(command->name) + "(" + std::to_string(command->index) + ")";
}

constexpr int kNone = 0;
constexpr int kShift = kShiftDown;
constexpr int kCtrl = kCtrlDown;
constexpr int kCtrlShift = kCtrlDown | kShiftDown;
constexpr int kCtrlAlt = kCtrlDown | kAltDown;

TEST(KeyTable, MapsEveryBoundKeyByItsModifierState) {
  struct Case {
    int key;
    int shift;
    const char* command;
  };
  const Case cases[] = {
      // Caret keys record the caret whatever the modifiers; their neighbours do nothing.
      {33, kNone, "RecordCaret(-1)"},
      {36, kCtrlShift, "RecordCaret(-1)"},
      {40, kAltDown, "RecordCaret(-1)"},
      {32, kNone, "nothing"},
      {41, kNone, "nothing"},
      {45, kCtrl, "mnuIns(1)"},
      {46, kCtrl, "mnuIns(2)"},
      {46, kNone, "mnuIns(0)"},
      {46, kCtrlShift, "mnuIns(0)"},
      // Ctrl only means exactly Ctrl.
      {'P', kCtrl, "mnuPasteOrig(-1)"},
      {'P', kCtrlShift, "nothing"},
      {'P', kNone, "nothing"},
      {'V', kCtrl, "mnuPaste(-1)"},
      {'V', kCtrlAlt, "nothing"},
      {'C', kCtrl, "nothing"},  // the text control copies by itself
      {'A', kCtrl, "nothing"},
      {112, kCtrl, "mnuSeekNew(-1)"},
      {112, kShift, "cmdSeek(0)"},
      {113, kCtrl, "cmdSeek(1)"},
      {113, kNone, "cmdSeek(1)"},
      {114, kCtrl, "mnuCutaByte(2)"},
      {114, kNone, "mnuReplace(-1)"},
      {115, kCtrlAlt, "mnuSayCode(-1)"},
      {116, kCtrl, "cmdUd(0)"},
      {116, kCtrlShift, "cmdUd(1)"},
      {116, kNone, "cmdUd(1)"},
      {117, kCtrl, "cmdUd(3)"},
      {117, kAltDown, "cmdUd(2)"},
      {118, kCtrl, "mnuAskA2B(0)"},
      {119, kCtrl, "mnuAskA2B(2)"},
      {119, kNone, "mnuAskA2B(1)"},
      {120, kCtrl, "mnuIns(3)"},
      {120, kShift, "mnuIns(4)"},
      {121, kNone, "nothing"},  // F10
      {111, kNone, "nothing"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Name(KeyCommand(c.key, c.shift)), c.command) << c.key << " with " << c.shift;
  }
}

}  // namespace
}  // namespace qor
