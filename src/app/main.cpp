#include <QApplication>
#include <QIcon>

#include "qor_version.h"
#include "window/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName("QOR");
  QApplication::setApplicationName("QOR");
  QApplication::setApplicationVersion(QOR_VERSION);
  QApplication::setDesktopFileName("qor");
  QApplication::setWindowIcon(QIcon(":/qor.png"));
  qor::MainWindow window;
  window.show();
  return QApplication::exec();
}
