// The program's QApplication: every event goes through notify, so what a
// handler throws reaches the failure handler instead of ending the program.
#pragma once

#include <QApplication>
#include <exception>
#include <functional>
#include <string>

namespace tessaro::gui {

class TessaroApplication : public QApplication {
 public:
  TessaroApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;

  // Receives what escaped an event handler; the class name of the receiver.
  static inline std::function<void(std::exception_ptr, const std::string&)> OnFailure;
};

}  // namespace tessaro::gui
