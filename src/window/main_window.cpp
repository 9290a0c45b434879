#include "window/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

#include "catalogue/catalogue.h"
#include "qt_platform/qt_text.h"
#include "qt_platform/text_font.h"
#include "session/key_table.h"
#include "session/view_settings.h"
#include "session/window_layout.h"
#include "window/qt_ui.h"

namespace qor {
namespace {

constexpr const char16_t* kCmdUdCaptions[] = {u"退到原始", u"撤消 F5", u"重做 F6", u"进到最新"};
constexpr const char16_t* kCmdSeekCaptions[] = {u"逆找 F1", u"顺找 F2"};

// The code a key has in the key table; 0 for keys it does not know.
int VirtualKeyCode(int qt_key) {
  if ((qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) ||
      (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9)) {
    return qt_key;  // the same ASCII codes
  }
  if (qt_key >= Qt::Key_F1 && qt_key <= Qt::Key_F24) return kVkF1 + (qt_key - Qt::Key_F1);
  switch (qt_key) {
    case Qt::Key_PageUp:
      return kVkPageUp;
    case Qt::Key_PageDown:
      return kVkPageDown;
    case Qt::Key_End:
      return kVkEnd;
    case Qt::Key_Home:
      return kVkHome;
    case Qt::Key_Left:
      return kVkLeft;
    case Qt::Key_Up:
      return kVkUp;
    case Qt::Key_Right:
      return kVkRight;
    case Qt::Key_Down:
      return kVkDown;
    case Qt::Key_Insert:
      return kVkInsert;
    case Qt::Key_Delete:
      return kVkDelete;
    default:
      return 0;
  }
}

int ShiftState(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? kShiftDown : 0) |
         (modifiers & Qt::ControlModifier ? kCtrlDown : 0) |
         (modifiers & Qt::AltModifier ? kAltDown : 0);
}

// The text control: locked against typing, and telling the window about released keys and
// buttons after it has handled them itself. It has no menu of its own.
class TextControl : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

  std::function<void(int key_code, int shift)> key_released;
  std::function<void(Qt::MouseButton button, QPoint global)> mouse_released;
  // The exact text of a selection (its own line breaks) from the start and end positions.
  std::function<QString(int start, int end)> exact_text;

 protected:
  // Ctrl+C, dragging and the X11 selection take the exact text, as the Edit menu's copy does,
  // rather than the shown one, whose line breaks are all LF.
  QMimeData* createMimeDataFromSelection() const override {
    if (!exact_text) return QPlainTextEdit::createMimeDataFromSelection();
    const QTextCursor cursor = textCursor();
    auto* data = new QMimeData;
    data->setText(exact_text(cursor.selectionStart(), cursor.selectionEnd()));
    return data;
  }
  void keyReleaseEvent(QKeyEvent* event) override {
    QPlainTextEdit::keyReleaseEvent(event);
    // A held key repeats presses; it is released once.
    if (!event->isAutoRepeat() && key_released) {
      key_released(VirtualKeyCode(event->key()), ShiftState(event->modifiers()));
    }
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    QPlainTextEdit::mouseReleaseEvent(event);
    if (mouse_released) mouse_released(event->button(), event->globalPosition().toPoint());
  }
  void contextMenuEvent(QContextMenuEvent* event) override { event->accept(); }
};

QString ObjectName(std::string_view name, int index) {
  QString object_name = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
  if (index >= 0) object_name += QStringLiteral("(%1)").arg(index);
  return object_name;
}

}  // namespace

// A check mark is shown only on a checkable item; an unchecked checkable item would show an
// empty box in some styles.
void MainWindow::SetMark(QAction* action, bool mark) {
  action->setCheckable(mark);
  action->setChecked(mark);
}

MainWindow::MainWindow(Ui* ui, QWidget* parent)
    : QMainWindow(parent),
      own_ui_(ui ? nullptr : std::make_unique<QtUi>(this)),
      ui_(ui ? ui : own_ui_.get()),
      session_(*ui_) {
  setObjectName("frmA");
  setWindowTitle(ToQString(kProductName));
  CreateWidgets();
  CreateMenus();
  BuildViewMenus();
  InstallCommands();
  InstallDialogs();
  LoadSettings();
  session_.SetListener(this);
  SessionChanged(~0u);  // an empty original: every history button disabled
}

MainWindow::~MainWindow() { session_.SetListener(nullptr); }

void MainWindow::CreateWidgets() {
  client_ = new QWidget(this);
  setCentralWidget(client_);
  client_->installEventFilter(this);
  const auto place = [this](QWidget* widget, const TwipRect& r) {
    widget->setGeometry(Pixels(r.left), Pixels(r.top), Pixels(r.width), Pixels(r.height));
  };

  lbl_say_ = new QLabel(client_);
  lbl_say_->setObjectName("lblSay");
  lbl_say_->setTextFormat(Qt::PlainText);
  lbl_say_->setWordWrap(true);
  lbl_say_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lbl_say_->setFont(TextFont(kDefaultFontName, kDefaultFontSize));
  place(lbl_say_, kLblSayPlace);

  for (int i = 0; i < 4; ++i) {
    cmd_ud_[i] = new QPushButton(ToQString(kCmdUdCaptions[i]), client_);
    cmd_ud_[i]->setObjectName(ObjectName("cmdUd", i));
    place(cmd_ud_[i], kCmdUdPlaces[i]);
    connect(cmd_ud_[i], &QPushButton::clicked, this, [this, i] { Run({"cmdUd", i}); });
  }
  for (int i = 0; i < 2; ++i) {
    cmd_seek_[i] = new QPushButton(ToQString(kCmdSeekCaptions[i]), client_);
    cmd_seek_[i]->setObjectName(ObjectName("cmdSeek", i));
    place(cmd_seek_[i], kCmdSeekPlaces[i]);
    connect(cmd_seek_[i], &QPushButton::clicked, this, [this, i] { Run({"cmdSeek", i}); });
  }

  auto* text = new TextControl(client_);
  txt_a_ = text;
  txt_a_->setObjectName("txtA");
  txt_a_->setReadOnly(true);
  txt_a_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  txt_a_->setTabChangesFocus(true);
  txt_a_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  txt_a_->setFont(TextFont(kDefaultFontName, kDefaultFontSize));
  QPalette palette = txt_a_->palette();
  palette.setColor(QPalette::Base, QColor(232, 232, 232));
  palette.setColor(QPalette::Text, Qt::black);
  // The selection stays visible when the focus is elsewhere (on a button or in a menu).
  for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  }
  txt_a_->setPalette(palette);
  text->key_released = [this](int key_code, int shift) { TextKeyReleased(key_code, shift); };
  text->mouse_released = [this](Qt::MouseButton button, QPoint global) {
    TextMouseReleased(button, global);
  };
  text->exact_text = [this](int start, int end) {
    const TextBox& box = session_.box();
    const int from = box.ToIndex(start);
    return ToQString(TextView(box.text()).substr(from, box.ToIndex(end) - from));
  };

  setTabOrder(txt_a_, cmd_ud_[0]);
  for (int i = 1; i < 4; ++i) setTabOrder(cmd_ud_[i - 1], cmd_ud_[i]);
  setTabOrder(cmd_ud_[3], cmd_seek_[0]);
  setTabOrder(cmd_seek_[0], cmd_seek_[1]);
  txt_a_->setFocus();
}

void MainWindow::CreateMenus() {
  for (const MenuNode& top : MenuBarTree()) {
    QMenu* menu = menuBar()->addMenu(ToQString(top.caption));
    Register(menu->menuAction(), top.name, top.index);
    menus_.emplace(std::string(top.name), menu);
    // Opening a menu runs its own command before it drops down (also as a context menu).
    connect(menu, &QMenu::aboutToShow, this, [this, name = top.name] { Run({name}); });
    AddMenuItems(menu, top.items);
  }
  resize(Pixels(kClientSize.width), Pixels(kClientSize.height) + menuBar()->sizeHint().height());
}

// The arrays created at start go after the fixed items of their submenus.
void MainWindow::BuildViewMenus() {
  for (const RunTimeArray& array : kRunTimeArrays) {
    AddMenuItems(Menu(array.submenu), RunTimeArrayItems(array.array));
  }
}

void MainWindow::AddMenuItems(QMenu* menu, const std::vector<MenuNode>& nodes) {
  for (const MenuNode& node : nodes) {
    if (node.separator()) {
      Register(menu->addSeparator(), node.name, node.index);
    } else if (node.submenu) {
      QMenu* submenu = menu->addMenu(ToQString(node.caption));
      Register(submenu->menuAction(), node.name, node.index);
      menus_.emplace(std::string(node.name), submenu);
      AddMenuItems(submenu, node.items);
    } else {
      QAction* action = menu->addAction(ToQString(node.caption));
      Register(action, node.name, node.index);
      SetMark(action, node.checked);
      const CommandId id{node.name, node.index};
      connect(action, &QAction::triggered, this, [this, action, id] {
        // Clicking a checkable item flips its mark; marks change only by their own rules.
        if (action->isCheckable()) action->setChecked(!action->isChecked());
        Run(id);
      });
    }
  }
}

void MainWindow::Register(QAction* action, std::string_view name, int index) {
  action->setObjectName(ObjectName(name, index));
  items_[{std::string(name), index}] = action;
}

QAction* MainWindow::Item(std::string_view name, int index) const {
  const auto found = items_.find({std::string(name), index});
  return found == items_.end() ? nullptr : found->second;
}

QMenu* MainWindow::Menu(std::string_view name) const {
  const auto found = menus_.find(name);
  return found == menus_.end() ? nullptr : found->second;
}

void MainWindow::Run(CommandId command) {
  ReadSelection();
  // A row for the item itself comes before one for its whole array.
  for (const int index : {command.index, kEveryIndex}) {
    for (const CommandRow& row : commands_) {
      if (row.id == CommandId{command.name, index}) {
        const Handler handler = row.run;  // the handler may change the table
        handler(command.index);
        return;
      }
    }
  }
  if (const Family* family = Catalogue::Get().FindItem(command.name, command.index)) {
    if (const std::optional<Step> step = family->MenuStep()) session_.RunStep(*step);
  }
}

bool MainWindow::HasCommand(CommandId command) const {
  for (const CommandRow& row : commands_) {
    if (row.id == command || row.id == CommandId{command.name, kEveryIndex}) return true;
  }
  const Family* family = Catalogue::Get().FindItem(command.name, command.index);
  return family && family->MenuStep();
}

void MainWindow::SetCommand(CommandId command, Handler handler) {
  for (CommandRow& row : commands_) {
    if (row.id == command) {
      row.run = std::move(handler);
      return;
    }
  }
  commands_.push_back({command, std::move(handler)});
}

void MainWindow::RegisterDialog(std::string_view form, DialogSource dialog) {
  dialogs_[std::string(form)] = std::move(dialog);
}

void MainWindow::TextKeyReleased(int key_code, int shift) {
  if (const std::optional<CommandId> command = KeyCommand(key_code, shift)) Run(*command);
}

void MainWindow::TextMouseReleased(Qt::MouseButton button, QPoint global) {
  if (button == Qt::LeftButton) {
    Run(kRecordCaret);
  } else if (button == Qt::RightButton) {
    Menu("mnuEdits")->popup(global);
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_ && event->type() == QEvent::Resize) {
    ClientResized(static_cast<QResizeEvent*>(event)->size());
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::ClientResized(QSize size) {
  const double dpi = logicalDpiX();
  const TwipSize client{PixelsToTwips(size.width(), dpi), PixelsToTwips(size.height(), dpi)};
  const TwipSize current{PixelsToTwips(txt_a_->width(), dpi), PixelsToTwips(txt_a_->height(), dpi)};
  const TwipSize wanted = TextSizeAfterResize(client, current);
  txt_a_->resize(Pixels(wanted.width), Pixels(wanted.height));
}

int MainWindow::Pixels(int twips) const { return TwipsToPixels(twips, logicalDpiX()); }

void MainWindow::ReadSelection() {
  const QTextCursor cursor = txt_a_->textCursor();
  session_.mutable_box().Select(cursor.selectionStart(),
                                cursor.selectionEnd() - cursor.selectionStart());
}

void MainWindow::SessionChanged(unsigned changes) {
  const TextBox& box = session_.box();
  if (changes & kTextChanged) txt_a_->setPlainText(ToQString(box.ViewText()));
  if (changes & (kTextChanged | kSelectionChanged)) {
    QTextCursor cursor = txt_a_->textCursor();
    cursor.setPosition(box.sel_start());
    cursor.setPosition(box.sel_start() + box.sel_length(), QTextCursor::KeepAnchor);
    txt_a_->setTextCursor(cursor);
  }
  if (changes & kSayChanged) lbl_say_->setText(ToQString(session_.say()));
  if (changes & kHistoryButtonsChanged) {
    cmd_ud_[kBackToOriginal]->setEnabled(session_.CanGoBack());
    cmd_ud_[kUndo]->setEnabled(session_.CanGoBack());
    cmd_ud_[kRedo]->setEnabled(session_.CanGoForward());
    cmd_ud_[kToNewest]->setEnabled(session_.CanGoForward());
  }
  if (changes & kTitleChanged) setWindowTitle(ToQString(session_.title()));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (unloaded_ || !session_.MayDiscardText()) {
    event->ignore();
    return;
  }
  event->accept();
  Unload();
}

void MainWindow::Unload() {
  unloaded_ = true;
  for (const std::string_view form : kDialogForms) {
    const auto found = dialogs_.find(form);
    QWidget* dialog = found == dialogs_.end() ? nullptr : found->second();
    if (!dialog) continue;
    dialog->close();  // its close event saves what it keeps
    delete dialog;
  }
  SaveSettings();
  QCoreApplication::quit();
}

}  // namespace qor
