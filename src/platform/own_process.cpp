#include "platform/own_process.h"

#include <QCoreApplication>
#include <QProcess>

#include "session/qt_text.h"

namespace qor {

bool StartOwnExecutable(TextView program) {
  const QString path =
      program.empty() ? QCoreApplication::applicationFilePath() : ToQString(program);
  return !path.isEmpty() && QProcess::startDetached(path, {});
}

}  // namespace qor
