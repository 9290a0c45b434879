#pragma once
// The file chooser's file list: the names of the files in one folder that match a pattern.
// Folders are the system's bytes; each name shows as path_text.h shows names, so that a file of
// any name is listed and its shown name reads back into its bytes.

#include <QListWidget>
#include <QString>
#include <filesystem>

namespace qor {

class FileList : public QListWidget {
  Q_OBJECT

 public:
  explicit FileList(QWidget* parent = nullptr);

  // The folder shown, absolute, with a trailing "/".
  const std::filesystem::path& folder() const { return folder_; }
  // Shows another folder: absolute, relative to the one shown, or starting with "~". Fails,
  // keeping the folder, when it does not exist or cannot be read; `error` then says why.
  bool SetFolder(const std::filesystem::path& path, QString* error = nullptr);
  // "*.txt" or "*.*"; letter case does not matter.
  void SetPattern(const QString& pattern);
  // Reads the folder again, keeping the selection without a notice; fails when it can no longer
  // be read.
  bool Refresh(QString* error = nullptr);
  // The selected file's name as shown; empty when none is selected.
  QString SelectedName() const;
  // Selects the entry of exactly this shown name; false when there is none.
  bool SelectName(const QString& name);
  // Selects the entry of this name, or none when there is none.
  void SelectOnly(const QString& name);

 signals:
  // The folder changed (not emitted when the same folder is set again).
  void FolderChanged();
  // Enter in the list.
  void EnterPressed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool Fill(const std::filesystem::path& folder, QString* error);

  std::filesystem::path folder_;
  QString pattern_ = QStringLiteral("*.txt");
};

}  // namespace qor
