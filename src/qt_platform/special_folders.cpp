#include "qt_platform/special_folders.h"

#include <QStandardPaths>

#include "qt_platform/qt_text.h"

namespace qor {

Text DesktopFolder() {
  return FromQString(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

Text DocumentsFolder() {
  return FromQString(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

}  // namespace qor
