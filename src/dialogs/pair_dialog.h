#pragma once
// The code page pair dialog and the LCID pair dialog: one dialog over either table. Two rows,
// typed numbers or names from the table, OK and Cancel below. OK hides it, so its mode, entries
// and numbers stay for the next show; its close button marks it for unloading by its owner.

#include <QDialog>
#include <array>

#include "dialogs/selector_rules.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qor {

class PairDialog : public QDialog {
  Q_OBJECT

 public:
  PairDialog(const PairDialogKind& kind, QWidget* parent = nullptr);

  // The public values: ok is set false at every show and true by an accepted OK.
  const PairValues& values() const { return values_; }
  // Whether the user closed it with the window's close button.
  bool closed_by_user() const { return closed_by_user_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ApplyMode(bool move_focus);
  void Accept();

  const PairDialogKind& kind_;
  PairValues values_;
  bool closed_by_user_ = false;
  std::array<QRadioButton*, 2> opt_opr_{};  // 0 typed, 1 named
  std::array<QLineEdit*, 2> txt_{};
  std::array<QComboBox*, 2> cbo_cs_{};
  QLabel* lbl_combos_ = nullptr;
  std::array<QPushButton*, 2> cmd_a_{};  // 0 OK, 1 Cancel
};

}  // namespace qor
