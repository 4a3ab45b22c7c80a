// Text crossing between the core (Windows-1250) and Qt (Unicode) in the windows.
#pragma once

#include <QString>

#include "picture/text_crossing.h"

namespace tessaro::gui {

// The conversions are the picture library's; the windows use them by these names.
using picture::FromCore;
using picture::FromPath;
using picture::ToCore;
using picture::ToPath;

// The translated text of message `id`, with its CR LF breaks as Qt line breaks.
QString Tr(const char* id);

}  // namespace tessaro::gui
