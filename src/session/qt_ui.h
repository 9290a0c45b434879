#pragma once
// The Ui of the window: real modal message boxes, owned by the given parent widget.

#include "session/ui.h"

class QWidget;

namespace qor {

class QtUi : public Ui {
 public:
  explicit QtUi(QWidget* parent) : parent_(parent) {}

  void ShowMessage(TextView text, TextView title = {}) override;
  bool AskYesNo(TextView text, bool default_no = false) override;

 private:
  QWidget* parent_;
};

}  // namespace qor
