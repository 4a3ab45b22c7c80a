// Removing breakpoints from a document's list.
#pragma once

#include <cstdint>

#include "core/document/model.h"

namespace tessaro {

// Removes the breakpoint at 0-based `position`; a position outside the list does nothing.
void RemoveBreakpoint(TBreakPointArray& breakpoints, int32_t position);

// Removes every breakpoint set on block `block`, keeping the others in order.
void RemoveBlockBreakpoints(TBreakPointArray& breakpoints, int32_t block);

}  // namespace tessaro
