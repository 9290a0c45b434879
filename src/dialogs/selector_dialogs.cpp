#include "dialogs/selector_dialogs.h"

namespace qor {
namespace {

std::optional<PairChoice> ShowPair(QPointer<PairDialog>& dialog, const PairDialogKind& kind,
                                   QWidget* parent) {
  if (!dialog) dialog = new PairDialog(kind, parent);
  dialog->exec();
  const PairValues values = dialog->values();
  if (dialog->closed_by_user()) delete dialog;
  if (!values.ok) return std::nullopt;
  return PairChoice{values.a, values.b, values.say};
}

}  // namespace

std::optional<PairChoice> SelectorDialogs::ChooseCodePagePair() {
  return ShowPair(code_page_, CodePagePairKind(), parent_);
}

std::optional<PairChoice> SelectorDialogs::ChooseLcidPair() {
  return ShowPair(lcid_, LcidPairKind(), parent_);
}

std::optional<TransformChoice> SelectorDialogs::ChooseTransform() {
  if (!transform_) transform_ = new TransformDialog(parent_);
  transform_->exec();
  const TransformValues& values = transform_->values();
  if (!values.ok) return std::nullopt;
  return TransformChoice{values.opr, values.lcid, values.say};
}

void SelectorDialogs::Unload() {
  delete code_page_;
  delete lcid_;
  delete transform_;
}

}  // namespace qor
