// The three visual themes of menus, toolbars and panels, chosen by the
// settings key "Interfejs". All three are the Fusion style with their own
// palette and toolbar shading.
#pragma once

#include <string>

namespace tessaro::gui {

struct Theme {
  const char* name;    // the settings value
  unsigned window;     // 0xRRGGBB of windows, toolbars and panels
  unsigned button;
  unsigned highlight;  // selected menu items and list rows
  unsigned bar_top;    // toolbar gradient, top to bottom
  unsigned bar_bottom;
};

inline constexpr Theme kThemes[] = {
    {"Office2003", 0xE3EFFF, 0xD6E5FA, 0x316AC5, 0xE3EFFF, 0x9EBEF5},
    {"Default", 0xEFEBE7, 0xE7E3DE, 0x3169C6, 0xF7F5F3, 0xDEDAD5},
    {"Aluminum", 0xDCDCDC, 0xD0D0D0, 0x5A6E8C, 0xF2F2F2, 0xB4B4B4},
};

inline constexpr const char* kDefaultTheme = "Office2003";

// Switches the application to the theme `name`; an unknown name selects the
// default theme. Does nothing when that theme is already active.
void ApplyTheme(const std::string& name);

// The name of the active theme; empty before the first ApplyTheme.
const std::string& ActiveTheme();

}  // namespace tessaro::gui
