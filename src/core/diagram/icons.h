// The small icons of the diagram (16 x 13 units), drawn with the canvas's own
// shapes so that every backend, the metafile included, shows the same icons.
#pragma once

#include <cstdint>

#include "core/diagram/canvas.h"

namespace tessaro {

enum class DiagramIcon : uint8_t {
  CurrentInstruction,
  Error,
  Warning,
  Instruction,  // the instruction selected in the listing, or the pseudocode mark
  BreakpointEnabled,
  BreakpointDisabled,
};

constexpr int32_t kIconWidth = 16;
constexpr int32_t kIconHeight = 13;

// Draws `icon` with its top-left at (x, y); changes the pen and brush.
void DrawIcon(Canvas& canvas, DiagramIcon icon, int32_t x, int32_t y);

}  // namespace tessaro
