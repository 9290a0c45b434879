#include "session/qt_ui.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "session/qt_text.h"
#include "session/session.h"

namespace qor {
namespace {

// A plain box without an icon: the texts say themselves whether they report or ask.
int Exec(QWidget* owner, TextView text, TextView title, QMessageBox::StandardButtons buttons,
         QMessageBox::StandardButton default_button) {
  QMessageBox box(QMessageBox::NoIcon, ToQString(title.empty() ? kProductName : title),
                  ToQString(text), buttons, owner);
  box.setTextFormat(Qt::PlainText);
  // The buttons speak the interface's language whatever the system's locale.
  const std::pair<QMessageBox::StandardButton, const char16_t*> captions[] = {
      {QMessageBox::Ok, u"确定"}, {QMessageBox::Yes, u"是 (&Y)"}, {QMessageBox::No, u"否 (&N)"}};
  for (const auto& [button, caption] : captions) {
    if (QAbstractButton* shown = box.button(button)) shown->setText(ToQString(caption));
  }
  box.setDefaultButton(default_button);
  return box.exec();
}

}  // namespace

void QtUi::ShowMessage(TextView text, TextView title) {
  Exec(owner_, text, title, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtUi::AskYesNo(TextView text, bool default_no) {
  return Exec(owner_, text, {}, QMessageBox::Yes | QMessageBox::No,
              default_no ? QMessageBox::No : QMessageBox::Yes) == QMessageBox::Yes;
}

void QtUi::Beep() { QApplication::beep(); }

}  // namespace qor
