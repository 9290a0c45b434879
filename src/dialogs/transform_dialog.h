#pragma once
// The transform selector "转换格式--语文名称": a transform list and a language list in one row,
// OK and Cancel below. OK, Cancel and the close button all hide it; its choices stay.

#include <QDialog>
#include <array>

#include "dialogs/selector_rules.h"

class QComboBox;
class QPushButton;

namespace qor {

class TransformDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TransformDialog(QWidget* parent = nullptr);

  // The public values: ok is set false at every show and true by an accepted OK.
  const TransformValues& values() const { return values_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Accept();

  TransformValues values_;
  QComboBox* cbo_opr_ = nullptr;
  QComboBox* cbo_cs_ = nullptr;
  std::array<QPushButton*, 2> cmd_a_{};  // 0 OK, 1 Cancel
};

}  // namespace qor
