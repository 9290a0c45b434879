// main() of the tests that drive widgets: a QApplication on the offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  QApplication::setOrganizationName("QOR");
  QApplication::setApplicationName("QOR");
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
