#include "picture/text_crossing.h"

#include "core/i18n/cp1250.h"

namespace tessaro::picture {

QString FromCore(const std::string& text) { return QString::fromStdString(Cp1250ToUtf8(text)); }

std::string ToCore(const QString& text) { return Utf8ToCp1250(text.toStdString()); }

QString FromPath(const std::string& path) { return QString::fromLocal8Bit(path); }

std::string ToPath(const QString& path) { return path.toLocal8Bit().toStdString(); }

}  // namespace tessaro::picture
