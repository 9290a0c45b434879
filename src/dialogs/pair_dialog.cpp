#include "dialogs/pair_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "qt_platform/qt_text.h"

namespace qor {
namespace {

QLabel* Between(QWidget* parent) {
  auto* label = new QLabel(ToQString(kBetweenCaption), parent);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

}  // namespace

PairDialog::PairDialog(const PairDialogKind& kind, QWidget* parent) : QDialog(parent), kind_(kind) {
  setWindowTitle(ToQString(kind.title));
  // Row 0 typed mode: option, number box A, "--", number box B; row 1 named mode with the
  // combos. Created row by row, so that Tab walks them in that order.
  auto* grid = new QGridLayout;
  const TextView captions[] = {kind.typed_caption, kind.named_caption};
  for (int row = 0; row < 2; ++row) {
    opt_opr_[row] = new QRadioButton(ToQString(captions[row]), this);
    opt_opr_[row]->setObjectName(QStringLiteral("optOpr%1").arg(row));
    grid->addWidget(opt_opr_[row], row, 0);
    for (int side = 0; side < 2; ++side) {
      QWidget* field;
      if (row == 0) {
        txt_[side] = new QLineEdit(this);
        txt_[side]->setObjectName(QStringLiteral("txtBox%1").arg(side));
        txt_[side]->installEventFilter(this);
        field = txt_[side];
      } else {
        cbo_cs_[side] = new QComboBox(this);
        cbo_cs_[side]->setObjectName(QStringLiteral("cboCS%1").arg(side));
        cbo_cs_[side]->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        for (const SelectorEntry& entry : kind.table()) {
          cbo_cs_[side]->addItem(ToQString(entry.name), entry.value);
        }
        cbo_cs_[side]->setCurrentIndex(-1);
        field = cbo_cs_[side];
      }
      grid->addWidget(field, row, 1 + 2 * side);
    }
    QLabel* between = Between(this);
    grid->addWidget(between, row, 2);
    if (row == 1) lbl_combos_ = between;
  }
  // Typed mode hides the combos but keeps their room: the dialog does not jump between modes.
  for (QWidget* named : std::initializer_list<QWidget*>{cbo_cs_[0], cbo_cs_[1], lbl_combos_}) {
    QSizePolicy policy = named->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    named->setSizePolicy(policy);
  }
  // A pick fills the number box, also a pick of the entry already shown (after a typed number).
  for (int side = 0; side < 2; ++side) {
    const auto fill = [this, side](int index) {
      if (index >= 0) txt_[side]->setText(QString::number(cbo_cs_[side]->itemData(index).toInt()));
    };
    connect(cbo_cs_[side], &QComboBox::currentIndexChanged, this, fill);
    connect(cbo_cs_[side], &QComboBox::activated, this, fill);
  }

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  const TextView button_captions[] = {kOkCaption, kCancelCaption};
  for (int i = 0; i < 2; ++i) {
    cmd_a_[i] = new QPushButton(ToQString(button_captions[i]), this);
    cmd_a_[i]->setObjectName(QStringLiteral("cmdA%1").arg(i));
    buttons->addWidget(cmd_a_[i]);
  }
  cmd_a_[0]->setDefault(true);
  connect(cmd_a_[0], &QPushButton::clicked, this, &PairDialog::Accept);
  connect(cmd_a_[1], &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // Loaded in named mode with nothing chosen and empty number boxes.
  opt_opr_[1]->setChecked(true);
  connect(opt_opr_[0], &QRadioButton::toggled, this, [this] { ApplyMode(true); });
  ApplyMode(false);
}

void PairDialog::ApplyMode(bool move_focus) {
  const bool typed = opt_opr_[0]->isChecked();
  QPalette boxes = palette();
  // Named mode shows the numbers the names stand for, greyed like a button face.
  if (!typed) boxes.setColor(QPalette::Base, boxes.color(QPalette::Button));
  for (int side = 0; side < 2; ++side) {
    txt_[side]->setEnabled(typed);
    txt_[side]->setPalette(boxes);
    cbo_cs_[side]->setVisible(!typed);
  }
  lbl_combos_->setVisible(!typed);
  if (move_focus) {
    if (typed) {
      txt_[0]->setFocus();
    } else {
      cbo_cs_[0]->setFocus();
    }
  }
}

void PairDialog::Accept() {
  PairInput input;
  input.typed = opt_opr_[0]->isChecked();
  for (int side = 0; side < 2; ++side) {
    input.boxes[side] = FromQString(txt_[side]->text());
    input.choices[side] = cbo_cs_[side]->currentIndex();
  }
  if (AcceptPair(kind_, input, values_)) accept();
}

void PairDialog::showEvent(QShowEvent* event) {
  values_.ok = false;
  ApplyMode(true);
  QDialog::showEvent(event);
}

void PairDialog::closeEvent(QCloseEvent* event) {
  // OK and Cancel hide the dialog without a close event; only the close button sends one.
  closed_by_user_ = true;
  QDialog::closeEvent(event);
}

bool PairDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    // After the mouse press that gave the focus has placed the cursor.
    if (auto* box = qobject_cast<QLineEdit*>(watched)) {
      QTimer::singleShot(0, box, &QLineEdit::selectAll);
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace qor
