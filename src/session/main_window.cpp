#include "session/main_window.h"

#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>

#include "session/catalogue.h"
#include "session/qt_text.h"

namespace qor {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui_(this), session_(ui_) {
  CreateWidgets();
  CreateMenus();
  session_.SetListener(this);
  SessionChanged(~0u);
}

MainWindow::~MainWindow() { session_.SetListener(nullptr); }

void MainWindow::CreateWidgets() {
  auto* central = new QWidget(this);
  setCentralWidget(central);
  lbl_say_ = new QLabel(central);
  lbl_say_->setGeometry(12, 7, 291, 33);
  const char16_t* ud_captions[] = {u"退到原始", u"撤消 F5", u"重做 F6", u"进到最新"};
  const int ud_left[] = {315, 388, 455, 522};
  for (int i = 0; i < 4; ++i) {
    cmd_ud_[i] = new QPushButton(ToQString(ud_captions[i]), central);
    cmd_ud_[i]->setGeometry(ud_left[i], 10, i == 0 || i == 3 ? 70 : 64, 24);
    connect(cmd_ud_[i], &QPushButton::clicked, this, [this, i] {
      ReadSelection();
      session_.StepHistory(i);
      txt_a_->setFocus();
    });
  }
  const char16_t* seek_captions[] = {u"逆找 F1", u"顺找 F2"};
  for (int i = 0; i < 2; ++i) {
    cmd_seek_[i] = new QPushButton(ToQString(seek_captions[i]), central);
    cmd_seek_[i]->setGeometry(618 + 67 * i, 10, 64, 24);
  }
  txt_a_ = new QPlainTextEdit(central);
  txt_a_->setReadOnly(true);
  txt_a_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  txt_a_->setGeometry(7, 43, 743, 416);
  resize(757, 509);
}

void MainWindow::CreateMenus() {
  QMenu* menu = menuBar()->addMenu(ToQString(u" 解读乱码 (&2)"));
  int next = 0;
  for (const Family* family : Catalogue::Get().MenuFamilies("mnuChgA2B")) {
    for (; next < family->item->index; ++next) menu->addSeparator();
    next = family->item->index + 1;
    QAction* action = menu->addAction(ToQString(family->item->caption));
    action->setCheckable(family->item->checked);
    action->setChecked(family->item->checked);
    connect(action, &QAction::triggered, this, [this, family] {
      ReadSelection();
      if (auto step = family->parse(family->grammar)) session_.RunStep(*step);
    });
  }
}

void MainWindow::ReadSelection() {
  const QTextCursor cursor = txt_a_->textCursor();
  const int start = cursor.selectionStart();
  const int end = cursor.selectionEnd();
  TextBox& box = session_.mutable_box();
  box.Select(start, end - start);
}

void MainWindow::SessionChanged(unsigned changes) {
  if (changes & kTextChanged) txt_a_->setPlainText(ToQString(session_.box().ViewText()));
  if (changes & (kTextChanged | kSelectionChanged)) {
    QTextCursor cursor = txt_a_->textCursor();
    const TextBox& box = session_.box();
    cursor.setPosition(box.sel_start());
    cursor.setPosition(box.sel_start() + box.sel_length(), QTextCursor::KeepAnchor);
    txt_a_->setTextCursor(cursor);
  }
  if (changes & kSayChanged) lbl_say_->setText(ToQString(session_.say()));
  if (changes & kHistoryButtonsChanged) {
    cmd_ud_[0]->setEnabled(session_.CanGoBack());
    cmd_ud_[1]->setEnabled(session_.CanGoBack());
    cmd_ud_[2]->setEnabled(session_.CanGoForward());
    cmd_ud_[3]->setEnabled(session_.CanGoForward());
  }
  if (changes & kTitleChanged) setWindowTitle(ToQString(session_.title()));
}

}  // namespace qor
