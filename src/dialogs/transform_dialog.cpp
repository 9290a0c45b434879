#include "dialogs/transform_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "catalogue/escape_transforms.h"
#include "qt_platform/qt_text.h"

namespace qor {

TransformDialog::TransformDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(ToQString(u"转换格式--语文名称"));
  cbo_opr_ = new QComboBox(this);
  cbo_opr_->setObjectName(QStringLiteral("cboOpr"));
  for (const EscapeTransform& transform : EscapeTransforms()) {
    cbo_opr_->addItem(ToQString(transform.name));
  }
  auto* lbl_a = new QLabel(ToQString(kBetweenCaption), this);
  cbo_cs_ = new QComboBox(this);
  cbo_cs_->setObjectName(QStringLiteral("cboCS"));
  for (const SelectorEntry& language : TransformLanguageTable()) {
    cbo_cs_->addItem(ToQString(language.name), language.value);
  }
  for (QComboBox* combo : {cbo_opr_, cbo_cs_}) {
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->setCurrentIndex(-1);
  }
  auto* lists = new QHBoxLayout;
  lists->addWidget(cbo_opr_);
  lists->addWidget(lbl_a);
  lists->addWidget(cbo_cs_);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  const TextView captions[] = {kOkCaption, kCancelCaption};
  for (int i = 0; i < 2; ++i) {
    cmd_a_[i] = new QPushButton(ToQString(captions[i]), this);
    cmd_a_[i]->setObjectName(QStringLiteral("cmdA%1").arg(i));
    buttons->addWidget(cmd_a_[i]);
  }
  cmd_a_[0]->setDefault(true);
  connect(cmd_a_[0], &QPushButton::clicked, this, &TransformDialog::Accept);
  connect(cmd_a_[1], &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists);
  layout->addLayout(buttons);
  // The two short lists would make the dialog narrower than its title; leave the title bar room
  // for the whole title and the window buttons.
  layout->addStrut(fontMetrics().horizontalAdvance(windowTitle()) + 4 * fontMetrics().height());
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TransformDialog::Accept() {
  if (AcceptTransform(cbo_opr_->currentIndex(), cbo_cs_->currentIndex(), values_)) accept();
}

void TransformDialog::showEvent(QShowEvent* event) {
  values_.ok = false;
  QDialog::showEvent(event);
}

}  // namespace qor
