#include "dialogs/file_list.h"

#include <dirent.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <cerrno>
#include <cstring>

namespace qor {
namespace {

// Whether the folder can be listed; the system's reason when it cannot.
bool CanList(const QString& folder, QString* error) {
  DIR* dir = ::opendir(QFile::encodeName(folder).constData());
  if (!dir) {
    if (error) *error = QString::fromLocal8Bit(std::strerror(errno));
    return false;
  }
  ::closedir(dir);
  return true;
}

}  // namespace

FileList::FileList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  folder_ = QDir::currentPath();
  if (!folder_.endsWith('/')) folder_ += '/';
  Fill(folder_, nullptr);
}

bool FileList::SetFolder(const QString& path, QString* error) {
  QString target = path;
  if (target == "~" || target.startsWith("~/")) target = QDir::homePath() + target.mid(1);
  target = QDir::cleanPath(QDir(folder_).absoluteFilePath(target));
  if (!target.endsWith('/')) target += '/';
  const QFileInfo info(target);
  if (!info.isDir()) {
    if (error) *error = QString::fromLocal8Bit(std::strerror(info.exists() ? ENOTDIR : ENOENT));
    return false;
  }
  if (!Fill(target, error)) return false;
  if (target != folder_) {
    folder_ = target;
    emit FolderChanged();
  }
  return true;
}

void FileList::SetPattern(const QString& pattern) {
  pattern_ = pattern;
  Fill(folder_, nullptr);
}

bool FileList::Refresh(QString* error) { return Fill(folder_, error); }

bool FileList::Fill(const QString& folder, QString* error) {
  if (!CanList(folder, error)) return false;
  const QStringList names =
      QDir(folder).entryList({pattern_}, QDir::Files, QDir::Name | QDir::IgnoreCase);
  // The selected file stays selected if it is still there. Reading the folder again is no
  // click: the dialog hears of nothing, so that it keeps the name it shows.
  const QString selected = folder == folder_ ? SelectedName() : QString();
  const QSignalBlocker quiet(this);
  clear();
  addItems(names);
  setCurrentRow(-1);
  SelectName(selected);
  return true;
}

QString FileList::SelectedName() const {
  const QList<QListWidgetItem*> items = selectedItems();
  return items.isEmpty() ? QString() : items.front()->text();
}

bool FileList::SelectName(const QString& name) {
  if (name.isEmpty()) return false;
  for (int row = 0; row < count(); ++row) {
    if (item(row)->text() == name) {
      setCurrentRow(row);
      return true;
    }
  }
  return false;
}

void FileList::SelectOnly(const QString& name) {
  if (SelectName(name)) return;
  clearSelection();
  setCurrentRow(-1);
}

void FileList::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    emit EnterPressed();
    return;
  }
  QListWidget::keyPressEvent(event);
}

}  // namespace qor
