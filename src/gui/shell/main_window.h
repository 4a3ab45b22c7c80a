// The program's main window.
#pragma once

#include <QMainWindow>

namespace tessaro::gui {

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
};

}  // namespace tessaro::gui
