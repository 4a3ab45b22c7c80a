#include "gui/shell/main_window.h"

namespace tessaro::gui {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("Tessaro"));
  resize(1024, 720);
}

}  // namespace tessaro::gui
