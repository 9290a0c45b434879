#include "qt_platform/special_folders.h"

#include <QFile>
#include <QStandardPaths>

namespace qor {
namespace {

std::filesystem::path Location(QStandardPaths::StandardLocation location) {
  return QFile::encodeName(QStandardPaths::writableLocation(location)).toStdString();
}

}  // namespace

std::filesystem::path DesktopFolder() { return Location(QStandardPaths::DesktopLocation); }

std::filesystem::path DocumentsFolder() { return Location(QStandardPaths::DocumentsLocation); }

}  // namespace qor
