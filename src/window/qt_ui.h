#pragma once
// The Ui of the main window: real modal message boxes and dialogs, owned by the window. Each
// dialog is created at its first use and kept, hidden, for the next.

#include <QPointer>
#include <memory>
#include <string_view>

#include "session/ui.h"

class QWidget;

namespace qor {

// The form names of the dialogs behind the Qt Ui, in the order the window unloads them.
inline constexpr std::string_view kDialogForms[] = {"frmB",   "frmInp", "frmCP",
                                                    "frmLid", "frmTL",  "frmDiagnose"};

class InputBox;
class SelectorDialogs;
class FileChooser;
class DiagnosisDialog;

class QtUi : public Ui {
 public:
  explicit QtUi(QWidget* owner);
  ~QtUi() override;

  // An OK box; the title defaults to the product name.
  void ShowMessage(TextView text, TextView title = {}) override;
  // Yes and No, Yes the default button unless default_no.
  bool AskYesNo(TextView text, bool default_no = false) override;
  std::optional<Text> AskInput(TextView title, int max_length, TextView initial,
                               bool clear = false) override;
  std::optional<Text> AskLine(TextView prompt, TextView title, TextView initial) override;
  std::optional<PairChoice> ChooseCodePagePair() override;
  std::optional<PairChoice> ChooseLcidPair() override;
  std::optional<TransformChoice> ChooseTransform() override;
  std::optional<FileChoice> ChooseFile(bool open, const std::filesystem::path& path,
                                       EncodingCode pattern) override;
  std::optional<std::vector<Text>> ChooseRepair(TextView text) override;
  void Beep() override;
  bool CanPaste() override;
  Text ClipboardText() override;
  void SetClipboardText(TextView text) override;

  // The selector dialogs, created at first use.
  SelectorDialogs& selectors() { return *selectors_; }
  // A dialog by its form name (one of kDialogForms) as loaded now; nullptr before its first use
  // and after it was unloaded.
  QWidget* LoadedDialog(std::string_view form) const;

 private:
  QWidget* owner_;
  QPointer<InputBox> input_box_;
  std::unique_ptr<SelectorDialogs> selectors_;
  // Made at its first show and kept, hidden, until the user closes its window.
  QPointer<FileChooser> file_chooser_;
  QPointer<DiagnosisDialog> diagnosis_dialog_;
};

}  // namespace qor
