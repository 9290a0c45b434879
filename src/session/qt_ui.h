#pragma once
// The Ui of the main window: real modal message boxes, owned by the window.

#include "session/ui.h"

class QWidget;

namespace qor {

class QtUi : public Ui {
 public:
  explicit QtUi(QWidget* owner) : owner_(owner) {}

  // An OK box; the title defaults to the product name.
  void ShowMessage(TextView text, TextView title = {}) override;
  // Yes and No, Yes the default button unless default_no.
  bool AskYesNo(TextView text, bool default_no = false) override;
  void Beep() override;

 private:
  QWidget* owner_;
};

}  // namespace qor
