// The pictures of the commands on menus and toolbars.
#pragma once

#include <QIcon>
#include <string_view>

namespace tessaro::gui {

// The icon of command `name`; a null icon for commands shown as text only.
QIcon CommandIcon(std::string_view name);

// The program's own icon: a small flowchart.
QIcon ApplicationIcon();

}  // namespace tessaro::gui
