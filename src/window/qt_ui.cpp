#include "window/qt_ui.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "dialogs/diagnosis_dialog.h"
#include "dialogs/file_chooser.h"
#include "dialogs/message_boxes.h"
#include "dialogs/selector_dialogs.h"
#include "qt_platform/qt_text.h"
#include "window/input_box.h"

namespace qor {

QtUi::QtUi(QWidget* owner) : owner_(owner), selectors_(std::make_unique<SelectorDialogs>(owner)) {}

QtUi::~QtUi() = default;

std::optional<FileChoice> QtUi::ChooseFile(bool open, const std::filesystem::path& path,
                                           EncodingCode pattern) {
  if (!file_chooser_) file_chooser_ = new FileChooser(owner_, *this);
  std::optional<FileChoice> choice = file_chooser_->Choose(open, path, pattern);
  if (file_chooser_->unloaded()) delete file_chooser_;
  return choice;
}

void QtUi::ShowMessage(TextView text, TextView title) { ShowMessageBox(owner_, text, title); }

bool QtUi::AskYesNo(TextView text, bool default_no) {
  return AskYesNoBox(owner_, text, default_no);
}

std::optional<Text> QtUi::AskInput(TextView title, int max_length, TextView initial, bool clear) {
  if (!input_box_) input_box_ = new InputBox(owner_);
  return input_box_->Ask(title, max_length, initial, clear);
}

std::optional<Text> QtUi::AskLine(TextView prompt, TextView title, TextView initial) {
  return AskLineBox(owner_, prompt, title, initial);
}

std::optional<PairChoice> QtUi::ChooseCodePagePair() { return selectors_->ChooseCodePagePair(); }

std::optional<PairChoice> QtUi::ChooseLcidPair() { return selectors_->ChooseLcidPair(); }

std::optional<TransformChoice> QtUi::ChooseTransform() { return selectors_->ChooseTransform(); }

std::optional<std::vector<Text>> QtUi::ChooseRepair(TextView text) {
  if (!diagnosis_dialog_) diagnosis_dialog_ = new DiagnosisDialog(owner_);
  return diagnosis_dialog_->Choose(text);
}

void QtUi::Beep() { QApplication::beep(); }

bool QtUi::CanPaste() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data && data->hasText();
}

Text QtUi::ClipboardText() { return FromQString(QGuiApplication::clipboard()->text()); }

void QtUi::SetClipboardText(TextView text) {
  QGuiApplication::clipboard()->setText(ToQString(text));
}

QWidget* QtUi::LoadedDialog(std::string_view form) const {
  if (form == "frmB") return file_chooser_;
  if (form == "frmInp") return input_box_;
  if (form == "frmCP") return selectors_->code_page_dialog();
  if (form == "frmLid") return selectors_->lcid_dialog();
  if (form == "frmTL") return selectors_->transform_dialog();
  if (form == "frmDiagnose") return diagnosis_dialog_;
  return nullptr;
}

}  // namespace qor
