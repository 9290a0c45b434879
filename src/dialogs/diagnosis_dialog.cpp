#include "dialogs/diagnosis_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "qt_platform/qt_text.h"
#include "qt_platform/text_font.h"
#include "session/text_box.h"
#include "session/view_settings.h"

namespace qor {
namespace {

constexpr TextView kTitle = u"自动诊断";
constexpr TextView kWorking = u"正在诊断…";
constexpr TextView kNoRepair = u"无需修复：原文读来最通顺";
constexpr TextView kAsItIs = u"（原文）";
constexpr TextView kChainSeparator = u" → ";
constexpr TextView kDiagnosisFailed = u"诊断 失败~ ";
constexpr TextView kStepFailed = u"修复步骤 失败~ ";
const char16_t* const kColumns[] = {u"修复步骤", u"得分", u"说明", u"结果首行"};

Text FirstLine(TextView text) {
  const std::size_t end = text.find_first_of(u"\r\n");
  return Text(text.substr(0, end));
}

Text ChainText(const std::vector<Text>& chain) {
  if (chain.empty()) return Text(kAsItIs);
  Text out;
  for (const Text& label : chain) out += (out.empty() ? Text() : Text(kChainSeparator)) + label;
  return out;
}

// Diagnosis on the worker thread. An error that it lets out (out of memory on a huge text) gives
// a diagnosis without candidates that says why, instead of ending the program.
Diagnosis DiagnoseOnWorker(const DiagnosisDialog::DiagnoseFunction& diagnose, TextView text,
                           std::stop_token stop) {
  DiagnosisOptions options;
  options.stop = std::move(stop);
  try {
    return diagnose(text, options);
  } catch (const std::exception& error) {
    Diagnosis failed;
    try {
      failed.failure = FromQString(QString::fromUtf8(error.what()));
    } catch (...) {
      // No room even for the reason: the message says only that it failed.
    }
    return failed;
  }
}

// The status line: a failure first, else whether the text needs a repair, and whether the
// choice was a close call (the explanation column may be too narrow to show it).
Text StatusText(const Diagnosis& diagnosis) {
  if (diagnosis.candidates.empty()) return Text(kDiagnosisFailed) + diagnosis.failure;
  if (!diagnosis.failure.empty()) return Text(kStepFailed) + diagnosis.failure;
  Text status = diagnosis.NeedsRepair() ? Text() : Text(kNoRepair);
  if (diagnosis.close) status += (status.empty() ? Text() : Text(u"；")) + Text(kCloseCall);
  return status;
}

}  // namespace

DiagnosisDialog::DiagnosisDialog(QWidget* parent, DiagnoseFunction diagnose)
    : QDialog(parent), diagnose_(std::move(diagnose)) {
  if (!diagnose_) {
    diagnose_ = [](TextView text, const DiagnosisOptions& options) {
      return Diagnose(text, options);
    };
  }
  setWindowTitle(ToQString(kTitle));
  setModal(true);
  resize(760, 480);
  status_ = new QLabel(this);
  table_ = new QTableWidget(0, 4, this);
  QStringList headers;
  for (const char16_t* column : kColumns) headers << ToQString(column);
  table_->setHorizontalHeaderLabels(headers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  preview_ = new QPlainTextEdit(this);
  preview_->setReadOnly(true);
  preview_->setFont(TextFont(kDefaultFontName, kDefaultFontSize));
  apply_ = new QPushButton(ToQString(u"应 用"), this);
  apply_->setDefault(true);
  auto* cancel = new QPushButton(ToQString(u"取 消"), this);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(apply_);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(status_);
  layout->addWidget(table_, 3);
  layout->addWidget(preview_, 2);
  layout->addLayout(buttons);

  connect(table_, &QTableWidget::itemSelectionChanged, this, &DiagnosisDialog::RowChanged);
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this] {
    if (SelectedChain()) accept();
  });
  connect(apply_, &QPushButton::clicked, this, [this] {
    if (SelectedChain()) accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

DiagnosisDialog::~DiagnosisDialog() = default;

void DiagnosisDialog::Start(TextView text) {
  worker_ = std::jthread();  // stops and joins a diagnosis still running
  candidates_.clear();
  finished_ = false;
  table_->setRowCount(0);
  preview_->clear();
  apply_->setEnabled(false);
  status_->setText(ToQString(kWorking));
  worker_ = std::jthread([this, text = Text(text)](std::stop_token stop) {
    Diagnosis diagnosis = DiagnoseOnWorker(diagnose_, text, stop);
    if (stop.stop_requested()) return;
    // The dialog outlives the worker (its destructor joins it); a queued call to a deleted
    // dialog is dropped by Qt.
    QMetaObject::invokeMethod(
        this, [this, diagnosis = std::move(diagnosis)]() mutable { Show(std::move(diagnosis)); },
        Qt::QueuedConnection);
  });
}

void DiagnosisDialog::Show(Diagnosis diagnosis) {
  status_->setText(ToQString(StatusText(diagnosis)));
  candidates_ = std::move(diagnosis.candidates);
  table_->setRowCount(static_cast<int>(candidates_.size()));
  for (int row = 0; row < table_->rowCount(); ++row) {
    const Candidate& candidate = candidates_[row];
    const Text cells[] = {ChainText(candidate.chain), Text(), candidate.explanation,
                          FirstLine(candidate.result)};
    for (int column = 0; column < 4; ++column) {
      auto* item = new QTableWidgetItem(ToQString(cells[column]));
      if (column == 1) item->setText(QString::number(candidate.score, 'f', 2));
      item->setToolTip(item->text());
      table_->setItem(row, column, item);
    }
  }
  table_->resizeColumnsToContents();
  // The explanation gives way so that the first line of the result shows too.
  table_->setColumnWidth(2, std::min(table_->columnWidth(2), width() / 3));
  if (!candidates_.empty()) table_->selectRow(0);
  finished_ = true;
}

void DiagnosisDialog::RowChanged() {
  const int row = table_->currentRow();
  const bool valid = row >= 0 && row < static_cast<int>(candidates_.size());
  preview_->setPlainText(valid ? ToQString(OneUnitLineBreaks(candidates_[row].result)) : QString());
  apply_->setEnabled(SelectedChain().has_value());
}

std::optional<std::vector<Text>> DiagnosisDialog::SelectedChain() const {
  const int row = table_->currentRow();
  if (row < 0 || row >= static_cast<int>(candidates_.size())) return std::nullopt;
  if (candidates_[row].chain.empty()) return std::nullopt;
  return candidates_[row].chain;
}

std::optional<std::vector<Text>> DiagnosisDialog::Choose(TextView text) {
  Start(text);
  const int answer = exec();
  worker_ = std::jthread();
  if (answer != QDialog::Accepted) return std::nullopt;
  return SelectedChain();
}

}  // namespace qor
