#include "window/input_box.h"

#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QVBoxLayout>

#include "catalogue/catalogue.h"
#include "catalogue/step_runner.h"
#include "qt_platform/qt_text.h"
#include "qt_platform/text_font.h"
#include "session/text_box.h"
#include "session/view_settings.h"
#include "session/window_layout.h"

namespace qor {
namespace {

// The text's length with each line break counted as CR LF.
int LengthWithCrLf(const QString& text) { return static_cast<int>(text.size() + text.count('\n')); }

}  // namespace

InputBox::InputBox(QWidget* parent) : QDialog(parent) {
  const double dpi = logicalDpiY();
  const auto Px = [dpi](int twips) { return TwipsToPixels(twips, dpi); };
  setModal(true);
  setFixedSize(Px(6555), Px(3435) + 24);
  editor_ = new QPlainTextEdit(this);
  editor_->setGeometry(Px(180), Px(180) + 24, Px(6180), Px(2310));
  editor_->setFont(TextFont(kDefaultFontName, kDefaultFontSize));
  editor_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  editor_->installEventFilter(this);
  editor_->setContextMenuPolicy(Qt::NoContextMenu);
  editor_->viewport()->installEventFilter(this);
  connect(editor_, &QPlainTextEdit::textChanged, this, &InputBox::EnforceMaxLength);

  ok_ = new QPushButton(ToQString(u"确 定"), this);
  ok_->setGeometry(Px(1575), Px(2760) + 24, Px(1500), Px(465));
  ok_->setDefault(true);
  ok_->setToolTip(ToQString(u"[Enter]确定，[Ctrl+Enter]插入新行"));
  connect(ok_, &QPushButton::clicked, this, &InputBox::Confirm);
  auto* cancel = new QPushButton(ToQString(u"取 消"), this);
  cancel->setGeometry(Px(3795), Px(2760) + 24, Px(1500), Px(465));
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  show_message = [this](TextView text) {
    QMessageBox::information(this, windowTitle(), ToQString(text), QMessageBox::Ok);
  };
  CreateMenus();
}

void InputBox::CreateMenus() {
  auto* bar = new QMenuBar(this);
  bar->setGeometry(0, 0, width(), 24);
  edit_menu_ = bar->addMenu(ToQString(u" 编辑 (&E)"));
  connect(edit_menu_, &QMenu::aboutToShow, this, &InputBox::UpdateEditMenu);
  edit_menu_->addAction(ToQString(u"全选 (&A)"), editor_, &QPlainTextEdit::selectAll);
  selection_actions_.push_back(
      edit_menu_->addAction(ToQString(u"剪切 (&X)"), editor_, &QPlainTextEdit::cut));
  selection_actions_.push_back(
      edit_menu_->addAction(ToQString(u"复制 (&C)"), editor_, &QPlainTextEdit::copy));
  paste_ = edit_menu_->addAction(ToQString(u"粘贴 (&V)"), editor_, &QPlainTextEdit::paste);
  edit_menu_->addSeparator();
  // The same four conversions as the main window's Edit menu.
  for (const Family* family : Catalogue::Get().MenuFamilies("mnuWnCase")) {
    selection_actions_.push_back(
        edit_menu_->addAction(ToQString(family->item->caption), this,
                              [this, step = *family->MenuStep()] { MapSelection(step); }));
  }
  QMenu* view = bar->addMenu(ToQString(u" 查看 (&L)"));
  word_wrap_ = view->addAction(ToQString(u"自动换行"));
  word_wrap_->setCheckable(true);
  word_wrap_->setChecked(true);
  connect(view, &QMenu::aboutToShow, this,
          [this] { word_wrap_->setChecked(editor_->lineWrapMode() != QPlainTextEdit::NoWrap); });
  connect(word_wrap_, &QAction::triggered, this, [this] {
    const bool wrapped = editor_->lineWrapMode() != QPlainTextEdit::NoWrap;
    editor_->setLineWrapMode(wrapped ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
  });
}

void InputBox::UpdateEditMenu() {
  const bool selected = editor_->textCursor().hasSelection();
  for (QAction* action : selection_actions_) action->setEnabled(selected);
  paste_->setEnabled(editor_->canPaste());
}

void InputBox::MapSelection(const Step& step) {
  QTextCursor cursor = editor_->textCursor();
  const Text selected = FromQString(cursor.selectedText().replace(QChar::ParagraphSeparator, '\n'));
  const Text mapped = RunStep(step, selected).result;
  if (mapped.empty()) return;
  const int start = cursor.selectionStart();
  cursor.insertText(ToQString(mapped));
  cursor.setPosition(start, QTextCursor::KeepAnchor);
  editor_->setTextCursor(cursor);
}

void InputBox::EnforceMaxLength() {
  const QString text = editor_->toPlainText();
  if (LengthWithCrLf(text) <= max_length_) {
    last_valid_ = text;
    return;
  }
  // Refuse the edit that went over the limit, as a text box with a maximum length does.
  const QSignalBlocker blocker(editor_);
  const int position = editor_->textCursor().position();
  editor_->setPlainText(last_valid_);
  QTextCursor cursor = editor_->textCursor();
  cursor.setPosition(std::min(position, static_cast<int>(last_valid_.size())));
  editor_->setTextCursor(cursor);
}

void InputBox::Prepare(TextView title, int max_length, TextView initial, bool clear) {
  setWindowTitle(ToQString(title));
  confirmed_ = false;
  max_length_ = max_length;
  if (!initial.empty() || clear) {
    const QSignalBlocker blocker(editor_);
    editor_->setPlainText(ToQString(OneUnitLineBreaks(initial)));
  }
  last_valid_ = editor_->toPlainText();
  editor_->selectAll();
  editor_->setFocus();
}

Text InputBox::TypedText() const {
  return FromQString(editor_->toPlainText().replace('\n', QStringLiteral("\r\n")));
}

void InputBox::Confirm() {
  const int n = LengthWithCrLf(editor_->toPlainText());
  if (n > max_length_) {
    const auto number = [](int value) {
      const std::string digits = std::to_string(value);
      return Text(digits.begin(), digits.end());
    };
    show_message(u"字数 " + number(n) + u" 上限 " + number(max_length_) + u" 超出 " +
                 number(n - max_length_));
    return;
  }
  confirmed_ = true;
  accept();
}

std::optional<Text> InputBox::Ask(TextView title, int max_length, TextView initial, bool clear) {
  Prepare(title, max_length, initial, clear);
  exec();
  if (!confirmed_) return std::nullopt;
  return TypedText();
}

bool InputBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == editor_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      if (key->modifiers() & Qt::ControlModifier) {
        editor_->insertPlainText(QStringLiteral("\n"));
      } else {
        Confirm();
      }
      return true;
    }
  }
  if (watched == editor_->viewport() && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    edit_menu_->popup(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace qor
