#include "qt_platform/own_process.h"

#include <QCoreApplication>
#include <QProcess>

#include "qt_platform/qt_text.h"

namespace qor {

bool StartOwnExecutable(TextView program) {
  const QString path =
      program.empty() ? QCoreApplication::applicationFilePath() : ToQString(program);
  return !path.isEmpty() && QProcess::startDetached(path, {});
}

}  // namespace qor
