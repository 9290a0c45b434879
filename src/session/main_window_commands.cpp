// The command table of the main window: what each menu item, button and key does, by control
// name and index. A catalogue item without a row here runs its step through the command frame;
// any other item without a row does nothing yet. A new command is one row.

#include <QPlainTextEdit>

#include "session/main_window.h"

namespace qor {

void MainWindow::InstallCommands() {
  commands_ = {
      // History steps and caret moves.
      {{"cmdUd", kEveryIndex},
       [this](int step) {
         txt_a_->setFocus();
         session_.StepHistory(step);
       }},
      {kRecordCaret, [this](int) { session_.PushHistory({}); }},

      // View menu (its opening updates the marks and the current font) and About.
      {{"mnuLooks"}, [this](int) { UpdateViewMenu(); }},
      {{"mnuHScr"}, [this](int) { SetWordWrap(!word_wrap()); }},
      {{"mnuFont", kEveryIndex}, [this](int i) { ApplyFontName(MenuFontName(i)); }},
      {{"mnuSize", kEveryIndex}, [this](int i) { ApplyFontSize(MenuFontSize(i)); }},
      {{"mnuAbout"}, [this](int) { ShowAbout(); }},

      // Still without a command, one row each when it comes:
      // File menu: "mnuFiles" (its opening), "mnuClear", "mnuOpen", "mnuSave", "mnuAttr",
      //   "mnuNewWin" (SaveSettings() first).
      // Edit menu: "mnuEdits" (its opening, also as the context menu), "mnuPasteOrig", "mnuASel",
      //   "mnuCopy", "mnuPaste", "mnuSeekNew", "mnuReplace", "mnuSayCode", "mnuIns", "cmdSeek".
      // Asking first: {"mnuCutaByte", 2}, "mnuAskA2B".
  };
}

}  // namespace qor
