#include "window/input_box.h"

#include <QKeyEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QVBoxLayout>

#include "catalogue/catalogue.h"
#include "catalogue/step_runner.h"
#include "dialogs/message_boxes.h"
#include "qt_platform/qt_text.h"
#include "qt_platform/text_font.h"
#include "session/text_box.h"
#include "session/view_settings.h"
#include "session/window_layout.h"

namespace qor {
namespace {

// The input box's own menu bar, in pixels, above the places of its controls.
constexpr int kMenuBarHeight = 24;

// The text's length with each line break counted as CR LF.
int LengthWithCrLf(const QString& text) { return static_cast<int>(text.size() + text.count('\n')); }

// How many units at the start of the text fit into the room, a line break counting two; a
// surrogate pair is kept whole or not at all.
int FittingPrefix(const QString& text, int room) {
  int used = 0;
  int n = 0;
  while (n < text.size()) {
    const bool pair =
        text[n].isHighSurrogate() && n + 1 < text.size() && text[n + 1].isLowSurrogate();
    const int units = pair ? 2 : 1;
    const int cost = text[n] == '\n' ? 2 : units;
    if (used + cost > room) break;
    used += cost;
    n += units;
  }
  return n;
}

// Where the new text differs from the old: the units they share at the start and at the end,
// never ending inside a surrogate pair.
std::pair<int, int> SharedEnds(const QString& old, const QString& now) {
  const int shorter = static_cast<int>(std::min(old.size(), now.size()));
  int start = 0;
  while (start < shorter && old[start] == now[start]) ++start;
  if (start > 0 && now[start - 1].isHighSurrogate()) --start;
  int end = 0;
  while (end < shorter - start && old[old.size() - 1 - end] == now[now.size() - 1 - end]) ++end;
  if (end > 0 && now[now.size() - end].isLowSurrogate()) --end;
  return {start, end};
}

}  // namespace

InputBox::InputBox(QWidget* parent) : QDialog(parent) {
  const double dpi = logicalDpiY();
  const auto Px = [dpi](int twips) { return TwipsToPixels(twips, dpi); };
  // The places are below the menu bar.
  const auto place = [&Px](QWidget* widget, const TwipRect& r) {
    widget->setGeometry(Px(r.left), Px(r.top) + kMenuBarHeight, Px(r.width), Px(r.height));
  };
  setModal(true);
  setFixedSize(Px(kInputBoxSize.width), Px(kInputBoxSize.height) + kMenuBarHeight);
  editor_ = new QPlainTextEdit(this);
  place(editor_, kInputEditorPlace);
  editor_->setFont(TextFont(kDefaultFontName, kDefaultFontSize));
  editor_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  editor_->installEventFilter(this);
  editor_->setContextMenuPolicy(Qt::NoContextMenu);
  editor_->viewport()->installEventFilter(this);
  connect(editor_, &QPlainTextEdit::textChanged, this, &InputBox::EnforceMaxLength);

  ok_ = new QPushButton(ToQString(u"确 定"), this);
  place(ok_, kInputOkPlace);
  ok_->setDefault(true);
  ok_->setToolTip(ToQString(u"[Enter]确定，[Ctrl+Enter]插入新行"));
  connect(ok_, &QPushButton::clicked, this, &InputBox::Confirm);
  auto* cancel = new QPushButton(ToQString(u"取 消"), this);
  place(cancel, kInputCancelPlace);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  show_message = [this](TextView text) { ShowMessageBox(this, text); };
  CreateMenus();
}

void InputBox::CreateMenus() {
  auto* bar = new QMenuBar(this);
  bar->setGeometry(0, 0, width(), kMenuBarHeight);
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
  // An edit may leave a text that is over the limit (a long selection to replace) shorter, so that
  // it can be mended step by step, but never longer.
  const int allowed = std::max(max_length_, LengthWithCrLf(last_valid_));
  if (LengthWithCrLf(text) > allowed) CutInsertion(text, allowed);
  last_valid_ = editor_->toPlainText();
}

// Keeps of what the edit put in only the start that fits, as a text box with a maximum length
// does with a paste: typing at the limit adds nothing. One undo takes the whole edit back.
void InputBox::CutInsertion(const QString& text, int allowed) {
  const auto [start, end] = SharedEnds(last_valid_, text);
  const int added_end = static_cast<int>(text.size()) - end;
  const QString added = text.mid(start, added_end - start);
  const int kept = FittingPrefix(added, allowed - LengthWithCrLf(text) + LengthWithCrLf(added));
  const QSignalBlocker blocker(editor_);
  QTextCursor cursor(editor_->document());
  cursor.joinPreviousEditBlock();
  cursor.setPosition(start + kept);
  cursor.setPosition(added_end, QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
  cursor.endEditBlock();
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
    show_message(Concat(u"字数 ", IntegerText(n)) + u" 上限 " + IntegerText(max_length_) +
                 u" 超出 " + IntegerText(n - max_length_));
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
