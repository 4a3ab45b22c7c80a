// The designed fonts are Windows fonts; on this system metric-compatible
// families stand in for them, so text widths stay close to the design.
#pragma once

namespace tessaro::picture {

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

}  // namespace tessaro::picture
