// The command table of the main window: what each menu item, button and key does, by control
// name and index. A catalogue item without a row here runs its step through the command frame;
// any other item without a row does nothing yet. A new command is one row. Below it, the
// dialogs the window unloads when it closes.

#include <QPlainTextEdit>

#include "session/ask_commands.h"
#include "session/edit_commands.h"
#include "session/main_window.h"
#include "session/qt_ui.h"

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

      // Edit menu: search, replace, insert, character information.
      {{"mnuSeekNew"}, [this](int) { SeekNew(session_); }},
      {{"cmdSeek", kEveryIndex},
       [this](int direction) {
         txt_a_->setFocus();
         SeekAgain(session_, direction);
       }},
      {{"mnuReplace"}, [this](int) { ReplaceAll(session_); }},
      {{"mnuSayCode"}, [this](int) { SayCode(session_); }},
      {{"mnuIns", kEveryIndex}, [this](int index) { InsertText(session_, index); }},

      // Third decoding menu: the items that ask first.
      {{"mnuCutaByte", 2}, [this](int index) { CutHalfCharacterFromCaret(session_, index); }},
      {{"mnuAskA2B", kEveryIndex}, [this](int index) { AskAndReinterpret(session_, index); }},

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
      //   "mnuCopy", "mnuPaste".
  };
}

// The dialogs behind the window's own Ui; a window given another Ui registers none.
void MainWindow::InstallDialogs() {
  if (!own_ui_) return;
  QtUi* ui = own_ui_.get();
  for (const char* form : {"frmB", "frmInp", "frmCP", "frmLid", "frmTL"}) {
    RegisterDialog(form, [ui, form] { return ui->LoadedDialog(form); });
  }
}

}  // namespace qor
