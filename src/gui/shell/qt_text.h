// Text crossing between the core (Windows-1250) and Qt (Unicode).
#pragma once

#include <QString>
#include <string>

namespace tessaro::gui {

QString FromCore(const std::string& text);
std::string ToCore(const QString& text);

// The translated text of message `id`, with its CR LF breaks as Qt line breaks.
QString Tr(const char* id);

// File paths: core paths are native (UTF-8) bytes, never recoded.
QString FromPath(const std::string& path);
std::string ToPath(const QString& path);

}  // namespace tessaro::gui
