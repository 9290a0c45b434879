#pragma once
// The main window: the text, its label, the history and search buttons and the menus.

#include <QMainWindow>
#include <array>
#include <memory>

#include "session/qt_ui.h"
#include "session/session.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace qor {

class MainWindow : public QMainWindow, private SessionListener {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  Session& session() { return session_; }

 private:
  void CreateWidgets();
  void CreateMenus();
  void SessionChanged(unsigned changes) override;
  // Copies the caret and selection of the widget into the session's text box.
  void ReadSelection();

  QtUi ui_;
  Session session_;
  QLabel* lbl_say_ = nullptr;
  std::array<QPushButton*, 4> cmd_ud_{};
  std::array<QPushButton*, 2> cmd_seek_{};
  QPlainTextEdit* txt_a_ = nullptr;
};

}  // namespace qor
