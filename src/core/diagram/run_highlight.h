// What the run controller tells the diagram to highlight. Plain data, filled
// from the compiled program at every repaint; the renderer only reads it.
// Blocks are indexes in Bloki (-1 = none), lines are 1-based (0 = none).
#pragma once

#include <cstdint>

namespace tessaro {

struct RunHighlight {
  int32_t CurrentBlock = -1;  // the block of the current instruction
  int32_t CurrentLine = 0;
  int32_t ErrorBlock = -1;  // the selected error
  int32_t ErrorLine = 0;
  int32_t WarningBlock = -1;  // the selected warning
  int32_t WarningLine = 0;
  int32_t InstructionBlock = -1;  // the instruction selected in the listing
  int32_t InstructionLine = 0;
  bool PseudocodeActive = false;  // the pseudocode view marks a line
  int32_t PseudocodeBlock = -1;
  int32_t PseudocodeLine = 0;
};

}  // namespace tessaro
