// Text crossing between the core (Windows-1250) and Qt (Unicode), for the
// pictures' texts and, through gui/shell/qt_text.h, the windows'.
#pragma once

#include <QString>
#include <string>

namespace tessaro::picture {

QString FromCore(const std::string& text);
std::string ToCore(const QString& text);

// File paths: core paths are native (UTF-8) bytes, never recoded.
QString FromPath(const std::string& path);
std::string ToPath(const QString& path);

}  // namespace tessaro::picture
