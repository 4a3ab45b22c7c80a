// The windows' fonts: the designed interface font and the stand-ins for the
// designed Windows fonts (picture/font_substitutions.h).
#pragma once

namespace tessaro::gui {

// The designed user-interface font of every window.
inline constexpr const char* kInterfaceFont = "Tahoma";
inline constexpr int kInterfaceFontSize = 8;

// Registers the substitutions with Qt and sets the interface font.
void InstallFonts();

}  // namespace tessaro::gui
