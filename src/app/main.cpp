#include <QApplication>

#include "session/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName("QOR");
  QApplication::setApplicationName("QOR");
  qor::MainWindow window;
  window.show();
  return QApplication::exec();
}
