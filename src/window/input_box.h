#pragma once
// The input box: a small modal window with an editable multi-line text, for the text to insert,
// the string to find or the replacement. Enter confirms, Ctrl+Enter inserts a line break. The
// window is hidden, not destroyed, so its text and word wrap stay from one use to the next.

#include <QDialog>
#include <functional>
#include <optional>

#include "catalogue/step.h"
#include "platform/text.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace qor {

class InputBox : public QDialog {
  Q_OBJECT

 public:
  explicit InputBox(QWidget* parent = nullptr);

  // Shows the box modally; the confirmed text (line breaks as CR LF), nullopt when cancelled.
  // An empty initial text keeps the text of the last use, unless clear is set.
  std::optional<Text> Ask(TextView title, int max_length, TextView initial, bool clear = false);

  // The steps of Ask, for tests that drive the box without a modal loop.
  void Prepare(TextView title, int max_length, TextView initial, bool clear);
  bool confirmed() const { return confirmed_; }
  Text TypedText() const;

  QPlainTextEdit* editor() const { return editor_; }
  QMenu* edit_menu() const { return edit_menu_; }
  // How a refusal is shown; a message box unless a test replaces it.
  std::function<void(TextView)> show_message;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateMenus();
  void Confirm();
  void UpdateEditMenu();
  void MapSelection(const Step& step);
  // Keeps the text within the maximum length, a line break counting two.
  void EnforceMaxLength();

  QPlainTextEdit* editor_ = nullptr;
  QPushButton* ok_ = nullptr;
  QMenu* edit_menu_ = nullptr;
  QAction* word_wrap_ = nullptr;
  std::vector<QAction*> selection_actions_;  // cut, copy and the four conversions
  QAction* paste_ = nullptr;
  int max_length_ = 0;
  bool confirmed_ = false;
  QString last_valid_;
};

}  // namespace qor
