#include "session/qt_ui.h"

#include <QInputDialog>
#include <QMessageBox>

#include "dialogs/file_chooser.h"
#include "dialogs/selector_dialogs.h"
#include "session/qt_text.h"

namespace qor {
namespace {

QString TitleOr(TextView title) { return title.empty() ? QStringLiteral("QOR") : ToQString(title); }

}  // namespace

QtUi::QtUi(QWidget* parent)
    : parent_(parent), selectors_(std::make_unique<SelectorDialogs>(parent)) {}

QtUi::~QtUi() = default;

std::optional<FileChoice> QtUi::ChooseFile(bool open, TextView path, std::int16_t pattern) {
  if (!file_chooser_) file_chooser_ = std::make_unique<FileChooser>(parent_);
  std::optional<FileChoice> choice = file_chooser_->Choose(open, path, pattern);
  if (file_chooser_->unloaded()) file_chooser_.reset();
  return choice;
}

void QtUi::UnloadFileChooser() { file_chooser_.reset(); }

void QtUi::ShowMessage(TextView text, TextView title) {
  QMessageBox::information(parent_, TitleOr(title), ToQString(text), QMessageBox::Ok);
}

bool QtUi::AskYesNo(TextView text, bool default_no) {
  return QMessageBox::question(parent_, TitleOr({}), ToQString(text),
                               QMessageBox::Yes | QMessageBox::No,
                               default_no ? QMessageBox::No : QMessageBox::Yes) == QMessageBox::Yes;
}

std::optional<Text> QtUi::AskLine(TextView prompt, TextView title, TextView initial) {
  bool ok = false;
  const QString answer = QInputDialog::getText(parent_, ToQString(title), ToQString(prompt),
                                               QLineEdit::Normal, ToQString(initial), &ok);
  if (!ok) return std::nullopt;
  return FromQString(answer);
}

std::optional<PairChoice> QtUi::ChooseCodePagePair() { return selectors_->ChooseCodePagePair(); }

std::optional<PairChoice> QtUi::ChooseLcidPair() { return selectors_->ChooseLcidPair(); }

std::optional<TransformChoice> QtUi::ChooseTransform() { return selectors_->ChooseTransform(); }

}  // namespace qor
