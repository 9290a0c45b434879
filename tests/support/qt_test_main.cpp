// main() of the tests that drive widgets: a QApplication on the offscreen platform, with HOME and
// the XDG folders in a temporary folder so that no test reads or writes the user's settings.

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  const QTemporaryDir home;
  if (!home.isValid()) return 2;
  const QByteArray root = QFile::encodeName(home.path());
  qputenv("HOME", root);
  for (const char* name :
       {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) {
    const QByteArray folder = root + "/" + QByteArray(name).toLower();
    QDir().mkpath(QFile::decodeName(folder));
    qputenv(name, folder);
  }
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  QApplication::setOrganizationName("QOR");
  QApplication::setApplicationName("QOR");
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
