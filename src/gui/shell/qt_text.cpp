#include "gui/shell/qt_text.h"

#include "core/i18n/cp1250.h"
#include "core/i18n/language.h"

namespace tessaro::gui {

QString FromCore(const std::string& text) { return QString::fromStdString(Cp1250ToUtf8(text)); }

std::string ToCore(const QString& text) { return Utf8ToCp1250(text.toStdString()); }

QString Tr(const char* id) {
  QString text = FromCore(LangText(id));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

QString FromPath(const std::string& path) { return QString::fromLocal8Bit(path); }

std::string ToPath(const QString& path) { return path.toLocal8Bit().toStdString(); }

}  // namespace tessaro::gui
