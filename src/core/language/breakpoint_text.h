// The text of one breakpoint in the breakpoint list.
#pragma once

#include <string>
#include <vector>

#include "core/document/model.h"

namespace tessaro {

// "Breakpoint on line n[, condition: c]", the block it is in and the start of
// that line's text (so two breakpoints on line 1 of different blocks can be
// told apart), the hit count with the passes counted so far, enabled or not,
// and whether it stops once per line.
std::string BreakpointItemText(const TBreakPoint& breakpoint, const std::vector<Tobj>& bloki);

// Line `line` (1-based) of a block's text, without its line break; "" when
// the block or the line does not exist.
std::string BlockLineText(const std::vector<Tobj>& bloki, int32_t block, int32_t line);

}  // namespace tessaro
