#pragma once
// The main window: the text, its label, the history and search buttons, and the menu bar.
// Every menu item, button and key runs a command named by its control and index (Run); the
// command table says what each one does (main_window_commands.cpp).

#include <QMainWindow>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "session/menu_tree.h"
#include "session/session.h"
#include "session/window_command.h"

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace qor {

class QtUi;

class MainWindow : public QMainWindow, private SessionListener {
  Q_OBJECT

 public:
  // Commands ask and report through `ui`; without one the window shows its own message boxes.
  explicit MainWindow(Ui* ui = nullptr, QWidget* parent = nullptr);
  ~MainWindow() override;

  Session& session() { return session_; }

  // A command's handler; it receives the index the command was run with.
  using Handler = std::function<void(int index)>;
  // In a command id given to SetCommand: every index of the array.
  static constexpr int kEveryIndex = -2;

  // Runs a command exactly as its menu item, button or key does: the handler of the command
  // table, else the catalogue step of the item, else nothing.
  void Run(CommandId command);
  // Whether running the command does something: a row of the command table or a catalogue step.
  bool HasCommand(CommandId command) const;
  // Puts a handler into the command table, replacing the one for the same id.
  void SetCommand(CommandId command, Handler handler);

  // A menu item, or a submenu's own item, by control name and index; nullptr if there is none.
  QAction* Item(std::string_view name, int index = -1) const;
  // A top-level menu or a submenu by control name; nullptr if there is none.
  QMenu* Menu(std::string_view name) const;

  // Gives the dialog of a form as loaded now (nullptr when it is not).
  using DialogSource = std::function<QWidget*()>;
  // Names the dialog of a form, to be closed and deleted when the window unloads. The forms are
  // those of kDialogForms, unloaded in its order.
  void RegisterDialog(std::string_view form, DialogSource dialog);

  // The view settings of the text control, and their store.
  void LoadSettings();
  void SaveSettings();
  bool word_wrap() const;
  Text font_name() const;
  double font_size() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct CommandRow {
    CommandId id;
    Handler run;
  };

  void CreateWidgets();
  void CreateMenus();
  void BuildViewMenus();
  void AddMenuItems(QMenu* menu, const std::vector<MenuNode>& nodes);
  void Register(QAction* action, std::string_view name, int index);
  static void SetMark(QAction* action, bool mark);
  void InstallCommands();
  void InstallDialogs();
  void Unload();

  // The text control's events and the client area's size.
  void TextKeyReleased(int key_code, int shift);
  void TextMouseReleased(Qt::MouseButton button, QPoint global);
  void ClientResized(QSize size);
  int Pixels(int twips) const;
  // Copies the caret and selection of the text control into the session's text box.
  void ReadSelection();
  void SessionChanged(unsigned changes) override;

  // File and Edit menus' openings: marks and enabled items.
  void UpdateFileMenu();
  void UpdateEditMenu();

  // View menu and About.
  void UpdateViewMenu();
  void SetWordWrap(bool on);
  bool ApplyFontName(TextView name);
  bool ApplyFontSize(double points);
  void ShowAbout();

  std::unique_ptr<QtUi> own_ui_;  // without a Ui given
  Ui* ui_;
  Session session_;
  std::vector<CommandRow> commands_;
  std::map<std::pair<std::string, int>, QAction*> items_;
  std::map<std::string, QMenu*, std::less<>> menus_;
  std::map<std::string, DialogSource, std::less<>> dialogs_;
  bool unloaded_ = false;

  QWidget* client_ = nullptr;
  QLabel* lbl_say_ = nullptr;
  std::array<QPushButton*, 4> cmd_ud_{};
  std::array<QPushButton*, 2> cmd_seek_{};
  QPlainTextEdit* txt_a_ = nullptr;
};

}  // namespace qor
