#include <QApplication>

#include "gui/shell/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  tessaro::gui::MainWindow window;
  window.show();
  return app.exec();
}
