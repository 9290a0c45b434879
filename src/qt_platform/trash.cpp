#include "qt_platform/trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>

#include "platform/file_system.h"
#include "qt_platform/qt_text.h"

namespace qor {

bool RecycleFile(TextView path, Text* error) {
  const QString file = ToQString(path);
  const auto fail = [error](const QString& reason) {
    if (error) *error = FromQString(reason);
    return false;
  };
  if (!QFileInfo(file).isFile()) return fail(ToQString(DescribeError(ENOENT)));
  // Without the data folder, Qt 6.4 moves the file into "files/" under the working folder and
  // reports success; with it, the trash is made there.
  QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
  QString in_trash;
  if (QFile::moveToTrash(file, &in_trash)) {
    if (QFileInfo(in_trash).isAbsolute()) return true;
    QFile::rename(QDir::current().absoluteFilePath(in_trash), file);
    return fail(QStringLiteral("Unable to establish the trash folder"));
  }
  QFile plain(file);
  return plain.remove() || fail(plain.errorString());
}

}  // namespace qor
