#include "session/qt_ui.h"

#include <QMessageBox>

#include "dialogs/file_chooser.h"
#include "session/qt_text.h"

namespace qor {
namespace {

QString TitleOr(TextView title) { return title.empty() ? QStringLiteral("QOR") : ToQString(title); }

}  // namespace

QtUi::QtUi(QWidget* parent) : parent_(parent) {}

// Destroying the file chooser stores its last folder.
QtUi::~QtUi() = default;

std::optional<FileChoice> QtUi::ChooseFile(bool open, TextView path, std::int16_t pattern) {
  if (!file_chooser_) file_chooser_ = std::make_unique<FileChooser>(parent_);
  std::optional<FileChoice> choice = file_chooser_->Choose(open, path, pattern);
  if (file_chooser_->unloaded()) file_chooser_.reset();
  return choice;
}

void QtUi::ShowMessage(TextView text, TextView title) {
  QMessageBox::information(parent_, TitleOr(title), ToQString(text), QMessageBox::Ok);
}

bool QtUi::AskYesNo(TextView text, bool default_no) {
  return QMessageBox::question(parent_, TitleOr({}), ToQString(text),
                               QMessageBox::Yes | QMessageBox::No,
                               default_no ? QMessageBox::No : QMessageBox::Yes) == QMessageBox::Yes;
}

}  // namespace qor
