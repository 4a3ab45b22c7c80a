// The designed fonts are Windows fonts; on this system metric-compatible
// families stand in for them, so text widths stay close to the design.
#pragma once

namespace tessaro::gui {

struct FontSubstitution {
  const char* designed;
  const char* installed;
};

inline constexpr FontSubstitution kFontSubstitutions[] = {
    {"Courier New", "Liberation Mono"},
    {"Arial", "Liberation Sans"},
    {"Arial Ce", "Liberation Sans"},
    {"Tahoma", "DejaVu Sans"},
};

// The designed user-interface font of every window.
inline constexpr const char* kInterfaceFont = "Tahoma";
inline constexpr int kInterfaceFontSize = 8;

// Registers the substitutions with Qt and sets the interface font.
void InstallFonts();

}  // namespace tessaro::gui
