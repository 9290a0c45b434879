#include "platform/special_folders.h"

#include <QStandardPaths>

#include "session/qt_text.h"

namespace qor {

Text DesktopFolder() {
  return FromQString(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

Text DocumentsFolder() {
  return FromQString(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

}  // namespace qor
