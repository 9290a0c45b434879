#include "session/qt_ui.h"

#include <QMessageBox>

#include "session/qt_text.h"

namespace qor {
namespace {

QString TitleOr(TextView title) { return title.empty() ? QStringLiteral("QOR") : ToQString(title); }

}  // namespace

void QtUi::ShowMessage(TextView text, TextView title) {
  QMessageBox::information(parent_, TitleOr(title), ToQString(text), QMessageBox::Ok);
}

bool QtUi::AskYesNo(TextView text, bool default_no) {
  return QMessageBox::question(parent_, TitleOr({}), ToQString(text),
                               QMessageBox::Yes | QMessageBox::No,
                               default_no ? QMessageBox::No : QMessageBox::Yes) == QMessageBox::Yes;
}

}  // namespace qor
