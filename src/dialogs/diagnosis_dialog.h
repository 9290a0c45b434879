#pragma once
// The "自动诊断" dialog: the ranked repairs of the text, each with its chain of steps, score,
// explanation and first line, and a preview of the whole result of the chosen row. Diagnosis
// runs on a worker thread, so the window stays responsive on a full text.

#include <QDialog>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

#include "diagnosis/diagnose.h"
#include "platform/text.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace qor {

class DiagnosisDialog : public QDialog {
  Q_OBJECT

 public:
  // How the worker diagnoses a text; Diagnose with the catalogue's repairs unless given.
  using DiagnoseFunction = std::function<Diagnosis(TextView, const DiagnosisOptions&)>;

  explicit DiagnosisDialog(QWidget* parent = nullptr, DiagnoseFunction diagnose = nullptr);
  ~DiagnosisDialog() override;

  // Diagnoses the text and shows the dialog modally; the chain chosen with "应 用", nullopt
  // when cancelled or when the text needs no repair.
  std::optional<std::vector<Text>> Choose(TextView text);

  // The steps of Choose, for tests that drive the dialog without a modal loop: starts the
  // diagnosis; `finished` tells when its rows are shown.
  void Start(TextView text);
  bool finished() const { return finished_; }
  QLabel* status() const { return status_; }
  QTableWidget* table() const { return table_; }
  QPlainTextEdit* preview() const { return preview_; }
  QPushButton* apply_button() const { return apply_; }
  // The chain of the selected row; nullopt when no repair is selected.
  std::optional<std::vector<Text>> SelectedChain() const;

 private:
  void Show(Diagnosis diagnosis);
  void RowChanged();

  DiagnoseFunction diagnose_;
  QLabel* status_ = nullptr;
  QTableWidget* table_ = nullptr;
  QPlainTextEdit* preview_ = nullptr;
  QPushButton* apply_ = nullptr;
  std::vector<Candidate> candidates_;
  bool finished_ = false;
  std::jthread worker_;  // declared last: stopped and joined before the widgets go
};

}  // namespace qor
