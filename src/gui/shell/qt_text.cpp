#include "gui/shell/qt_text.h"

#include "core/i18n/language.h"

namespace tessaro::gui {

QString Tr(const char* id) {
  QString text = FromCore(LangText(id));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

}  // namespace tessaro::gui
