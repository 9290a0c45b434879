// The command table of the main window: what each menu item, button and key does, by control
// name and index. A catalogue item without a row here runs its step through the command frame;
// any other item without a row does nothing yet. A new command is one row. Below it, the
// dialogs the window unloads when it closes.

#include <QMenu>
#include <QPlainTextEdit>

#include "qt_platform/own_process.h"
#include "session/ask_commands.h"
#include "session/clipboard_commands.h"
#include "session/diagnose_command.h"
#include "session/edit_commands.h"
#include "session/file_commands.h"
#include "window/main_window.h"
#include "window/qt_ui.h"

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
      {{"mnuDiagnose"}, [this](int) { DiagnoseAndRepair(session_); }},

      // View menu (its opening updates the marks and the current font) and About.
      {{"mnuLooks"}, [this](int) { UpdateViewMenu(); }},
      {{"mnuHScr"}, [this](int) { SetWordWrap(!word_wrap()); }},
      {{"mnuFont", kEveryIndex}, [this](int i) { ApplyFontName(MenuFontName(i)); }},
      {{"mnuSize", kEveryIndex}, [this](int i) { ApplyFontSize(MenuFontSize(i)); }},
      {{"mnuAbout"}, [this](int) { ShowAbout(); }},

      // File menu.
      {{"mnuFiles"}, [this](int) { UpdateFileMenu(); }},
      {{"mnuClear"}, [this](int) { ClearAsOriginal(session_); }},
      {{"mnuOpen"}, [this](int) { OpenAsOriginal(session_); }},
      {{"mnuSave"}, [this](int) { SaveToFile(session_); }},
      {{"mnuAttr"}, [this](int) { ShowFileProperties(session_); }},
      {{"mnuNewWin"},
       [this](int) {
         StartNewWindow([this] { SaveSettings(); }, [] { return StartOwnExecutable(); });
       }},

      // Edit menu: its opening (also as the context menu) and the clipboard.
      {{"mnuEdits"}, [this](int) { UpdateEditMenu(); }},
      {{"mnuPasteOrig"}, [this](int) { PasteAsOriginal(session_); }},
      {{"mnuASel"}, [this](int) { SelectAll(session_); }},
      {{"mnuCopy"}, [this](int) { CopySelection(session_); }},
      {{"mnuPaste"}, [this](int) { PasteClipboard(session_); }},
  };
}

void MainWindow::UpdateFileMenu() {
  const FileMenuState state = FileMenuOpening(session_);
  SetMark(Item("mnuSave"), state.save_checked);
  Item("mnuAttr")->setEnabled(state.properties_enabled);
}

void MainWindow::UpdateEditMenu() {
  const EditMenuState state = EditMenuOpening(session_);
  for (const char* name : {"mnuPasteOrig", "mnuPaste"}) Item(name)->setEnabled(state.can_paste);
  for (const char* name : {"mnuCopy", "mnuReplace"}) Item(name)->setEnabled(state.has_selection);
  Item("mnuIns", 0)->setEnabled(state.has_selection);
  Menu("mnuMakes")->setEnabled(state.has_selection);
  for (int index = 0; index < 4; ++index) {
    Item("mnuWnCase", index)->setEnabled(state.has_selection);
  }
}

// The dialogs behind the window's own Ui; a window given another Ui registers none.
void MainWindow::InstallDialogs() {
  if (!own_ui_) return;
  QtUi* ui = own_ui_.get();
  for (const std::string_view form : kDialogForms) {
    RegisterDialog(form, [ui, form] { return ui->LoadedDialog(form); });
  }
}

}  // namespace qor
