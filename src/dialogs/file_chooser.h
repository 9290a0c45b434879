#pragma once
// The file chooser: a modal dialog that picks a file to open or a name to save under, in one
// folder at a time, with the encoding to read or write it with. It remembers its last folder
// across runs and keeps its state between shows until its window is closed.

#include <QDialog>
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "dialogs/file_chooser_rules.h"
#include "platform/text.h"
#include "session/ui.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qor {

class FileList;

class FileChooser : public QDialog {
  Q_OBJECT

 public:
  // Loads the dialog. Its messages and questions go to `ui`.
  FileChooser(QWidget* parent, Ui& ui);
  ~FileChooser() override;

  // Shows the dialog modally to open a file (open) or to save under a name (path and code
  // of the current file, if any); nullopt when the user cancelled.
  std::optional<FileChoice> Choose(bool open, const std::filesystem::path& path, EncodingCode code);
  // The preparation of every show, which Choose does: the mode, the remembered path and the
  // encoding. False when it failed; the user has then been told.
  bool Activate(bool open, const std::filesystem::path& path, EncodingCode code);
  // What the last show gave.
  std::optional<FileChoice> Result() const;
  // The user closed the window: the next show needs a newly loaded dialog.
  bool unloaded() const { return unloaded_; }

  const FolderMemory& folders() const { return folders_; }
  const std::filesystem::path& default_folder() const { return default_folder_; }
  const std::filesystem::path& start_folder() const { return start_folder_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void reject() override;

 private:
  void CreateWidgets();
  void Load();
  void Unload();
  Ui& ui() { return *ui_; }

  void FolderChanged();
  bool SelectFileInList(const QString& name);
  bool ApplyRememberedPath();
  bool ValidatePath();
  void FocusChanged(QWidget* old, QWidget* now);
  void GoToSpecialFolder(const std::filesystem::path& folder);
  void ListClicked();
  void ListActivated();
  void EncodingChosen(int entry);
  void NameChanged();
  void Accept();
  void MakeNewNameClicked();
  void DeleteClicked();
  void SwitchTo(const std::filesystem::path& folder);
  // The path box shows the current folder.
  void ShowCurrentFolder();
  bool Refresh();

  Ui* ui_;
  // The caller's variables: the mode, and the path and code chosen.
  bool b_open_ = false;
  std::filesystem::path s_way_;
  EncodingCode n_pat_ = kEncodingAutomatic;
  FolderMemory folders_;
  std::filesystem::path default_folder_;
  std::filesystem::path start_folder_;
  bool unloaded_ = false;
  bool validating_ = false;
  QWidget* focus_on_show_ = nullptr;  // where the focus goes when the dialog appears

  QLabel* lbl_go_ = nullptr;
  QLineEdit* txt_path_ = nullptr;
  FileList* fil_a_ = nullptr;
  QCheckBox* chk_filter_ = nullptr;
  std::array<QPushButton*, 2> cmd_wsp_{};
  std::array<QPushButton*, 2> cmd_def_{};
  QLineEdit* txt_a_ = nullptr;
  QPushButton* cmd_mend_ = nullptr;
  QPushButton* cmd_del_file_ = nullptr;
  QLabel* lbl_pat_ = nullptr;
  QComboBox* cbo_pat_ = nullptr;
  QCheckBox* chk_bom_ = nullptr;
  std::array<QPushButton*, 2> cmd_a_{};
};

}  // namespace qor
