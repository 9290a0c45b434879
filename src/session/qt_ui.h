#pragma once
// The Ui of the window: real modal message boxes, owned by the given parent widget.

#include <memory>

#include "session/ui.h"

class QWidget;

namespace qor {

class SelectorDialogs;
class FileChooser;

class QtUi : public Ui {
 public:
  explicit QtUi(QWidget* parent);
  ~QtUi() override;

  void ShowMessage(TextView text, TextView title = {}) override;
  bool AskYesNo(TextView text, bool default_no = false) override;
  std::optional<Text> AskLine(TextView prompt, TextView title, TextView initial) override;
  std::optional<PairChoice> ChooseCodePagePair() override;
  std::optional<PairChoice> ChooseLcidPair() override;
  std::optional<TransformChoice> ChooseTransform() override;
  std::optional<FileChoice> ChooseFile(bool open, TextView path, std::int16_t pattern) override;

  // The selector dialogs, created at first use; the window unloads them when it closes.
  SelectorDialogs& selectors() { return *selectors_; }
  // The file chooser stores its last folder when it is unloaded; the window does it first.
  void UnloadFileChooser();

 private:
  QWidget* parent_;
  std::unique_ptr<SelectorDialogs> selectors_;
  // Made at its first show and kept, hidden, until the user closes its window. Declared last,
  // so that it is unloaded before the selector dialogs.
  std::unique_ptr<FileChooser> file_chooser_;
};

}  // namespace qor
