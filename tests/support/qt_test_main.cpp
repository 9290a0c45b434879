// main() of the tests that drive widgets: a QApplication on the offscreen platform, with the
// home and XDG folders in a temporary folder, so that no test touches the user's own.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QTemporaryDir home;
  const QString root = home.path();
  qputenv("HOME", root.toUtf8());
  for (const char* name :
       {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) {
    const QString folder = root + "/" + QString::fromLatin1(name).toLower();
    QDir().mkpath(folder);
    qputenv(name, folder.toUtf8());
  }
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  QApplication::setOrganizationName("QOR");
  QApplication::setApplicationName("QOR");
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
