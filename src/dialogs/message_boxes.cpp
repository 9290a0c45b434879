#include "dialogs/message_boxes.h"

#include <QAbstractButton>
#include <QInputDialog>
#include <QMessageBox>

#include "qt_platform/qt_text.h"
#include "session/session.h"

namespace qor {
namespace {

// Buttons show their caption alone, as every other button of the program does (some styles put
// an icon on the standard ones).
void PlainButtons(QWidget* dialog) {
  for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) button->setIcon({});
}

int Exec(QWidget* owner, TextView text, TextView title, QMessageBox::StandardButtons buttons,
         QMessageBox::StandardButton default_button) {
  QMessageBox box(QMessageBox::NoIcon, ToQString(title.empty() ? kProductName : title),
                  ToQString(text), buttons, owner);
  box.setTextFormat(Qt::PlainText);
  const std::pair<QMessageBox::StandardButton, const char16_t*> captions[] = {
      {QMessageBox::Ok, u"确定"}, {QMessageBox::Yes, u"是 (&Y)"}, {QMessageBox::No, u"否 (&N)"}};
  for (const auto& [button, caption] : captions) {
    if (QAbstractButton* shown = box.button(button)) shown->setText(ToQString(caption));
  }
  PlainButtons(&box);
  box.setDefaultButton(default_button);
  return box.exec();
}

}  // namespace

void ShowMessageBox(QWidget* owner, TextView text, TextView title) {
  Exec(owner, text, title, QMessageBox::Ok, QMessageBox::Ok);
}

bool AskYesNoBox(QWidget* owner, TextView text, bool default_no) {
  return Exec(owner, text, {}, QMessageBox::Yes | QMessageBox::No,
              default_no ? QMessageBox::No : QMessageBox::Yes) == QMessageBox::Yes;
}

std::optional<Text> AskLineBox(QWidget* owner, TextView prompt, TextView title, TextView initial) {
  QInputDialog dialog(owner);
  dialog.setWindowTitle(ToQString(title));
  dialog.setLabelText(ToQString(prompt));
  dialog.setTextValue(ToQString(initial));
  dialog.setOkButtonText(ToQString(u"确定"));
  dialog.setCancelButtonText(ToQString(u"取消"));
  PlainButtons(&dialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return FromQString(dialog.textValue());
}

}  // namespace qor
