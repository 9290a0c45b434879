#include "dialogs/file_list.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <algorithm>
#include <cerrno>
#include <optional>

#include "platform/file_system.h"
#include "platform/path_text.h"
#include "qt_platform/qt_text.h"

namespace qor {
namespace {

using Path = std::filesystem::path;

QString Reason(int error_number) { return ToQString(DescribeError(error_number)); }

// The shown names of the visible regular files in the folder (links to files included, hidden
// names starting with "." left out), or nullopt when it cannot be read.
std::optional<QStringList> FileNames(const Path& folder, QString* error) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) {
    if (error) *error = Reason(errno);
    return std::nullopt;
  }
  QStringList names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    struct stat st;
    if (name.front() == '.' || ::stat((folder.native() + name).c_str(), &st) != 0) continue;
    if (S_ISREG(st.st_mode)) names.push_back(ToQString(PathToText(name)));
  }
  ::closedir(dir);
  return names;
}

Path HomeFolder() { return QFile::encodeName(QDir::homePath()).toStdString(); }

}  // namespace

FileList::FileList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  std::error_code ignored;
  folder_ = std::filesystem::current_path(ignored);
  if (!folder_.native().ends_with('/')) folder_ += "/";
  Fill(folder_, nullptr);
}

bool FileList::SetFolder(const Path& path, QString* error) {
  std::string target = path.native();
  if (target == "~" || target.starts_with("~/")) target = HomeFolder().native() + target.substr(1);
  if (!target.starts_with('/')) target = folder_.native() + target;
  target = Path(target).lexically_normal().native();
  if (!target.ends_with('/')) target += '/';
  struct stat st;
  const bool found = ::stat(target.c_str(), &st) == 0;
  if (!found || !S_ISDIR(st.st_mode)) {
    if (error) *error = Reason(found ? ENOTDIR : errno);
    return false;
  }
  if (!Fill(target, error)) return false;
  if (target != folder_.native()) {
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

bool FileList::Fill(const Path& folder, QString* error) {
  std::optional<QStringList> names = FileNames(folder, error);
  if (!names) return false;
  names->erase(std::remove_if(names->begin(), names->end(),
                              [this](const QString& name) { return !QDir::match(pattern_, name); }),
               names->end());
  std::sort(names->begin(), names->end(), [](const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
  });
  // The selected file stays selected if it is still there. Reading the folder again is no
  // click: the dialog hears of nothing, so that it keeps the name it shows.
  const QString selected = folder.native() == folder_.native() ? SelectedName() : QString();
  const QSignalBlocker quiet(this);
  clear();
  addItems(*names);
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
