#pragma once
// The Ui of the window: real modal message boxes, owned by the given parent widget.

#include <memory>

#include "session/ui.h"

class QWidget;

namespace qor {

class FileChooser;

class QtUi : public Ui {
 public:
  explicit QtUi(QWidget* parent);
  ~QtUi() override;

  void ShowMessage(TextView text, TextView title = {}) override;
  bool AskYesNo(TextView text, bool default_no = false) override;
  std::optional<FileChoice> ChooseFile(bool open, TextView path, std::int16_t pattern) override;

 private:
  QWidget* parent_;
  // Made at its first show and kept, hidden, until the user closes its window.
  std::unique_ptr<FileChooser> file_chooser_;
};

}  // namespace qor
