#pragma once
// The owner of the three selector dialogs: each is created at its first use and kept, hidden,
// so that the user's last choices are there the next time. A pair dialog closed with its close
// button is unloaded, and the next use creates it afresh.

#include <QPointer>
#include <optional>

#include "dialogs/pair_dialog.h"
#include "dialogs/transform_dialog.h"
#include "session/ui.h"

namespace qor {

class SelectorDialogs {
 public:
  explicit SelectorDialogs(QWidget* parent) : parent_(parent) {}
  SelectorDialogs(const SelectorDialogs&) = delete;
  SelectorDialogs& operator=(const SelectorDialogs&) = delete;
  ~SelectorDialogs() { Unload(); }

  // Shows the dialog modally; nullopt unless it was closed with OK.
  std::optional<PairChoice> ChooseCodePagePair();
  std::optional<PairChoice> ChooseLcidPair();
  std::optional<TransformChoice> ChooseTransform();

  // Unloads the code page dialog, the LCID dialog and the transform selector, in this order.
  void Unload();

  // The dialogs as loaded now; nullptr before their first use and after unloading.
  PairDialog* code_page_dialog() const { return code_page_; }
  PairDialog* lcid_dialog() const { return lcid_; }
  TransformDialog* transform_dialog() const { return transform_; }

 private:
  QWidget* parent_;
  // Guarded: a parent that goes first takes its dialogs with it.
  QPointer<PairDialog> code_page_;
  QPointer<PairDialog> lcid_;
  QPointer<TransformDialog> transform_;
};

}  // namespace qor
