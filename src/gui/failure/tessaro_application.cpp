#include "gui/failure/tessaro_application.h"

#include <QMetaObject>

namespace tessaro::gui {

TessaroApplication::TessaroApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TessaroApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    if (!OnFailure) throw;
    OnFailure(std::current_exception(), receiver ? receiver->metaObject()->className() : "");
    return false;
  }
}

}  // namespace tessaro::gui
