// Removing breakpoints from a document's list, and the list an undo or redo
// step leaves.
#pragma once

#include <cstdint>
#include <vector>

#include "core/document/model.h"

namespace tessaro {

// Removes the breakpoint at 0-based `position`; a position outside the list does nothing.
void RemoveBreakpoint(TBreakPointArray& breakpoints, int32_t position);

// Removes every breakpoint set on block `block`, keeping the others in order.
void RemoveBlockBreakpoints(TBreakPointArray& breakpoints, int32_t block);

// The breakpoints after an undo or redo step from diagram `from`, whose
// breakpoints are `current` now, to diagram `to`, kept with `stored`. A step
// changes the diagram, not the breakpoints: a block the same in both (kind and
// text at the same index) keeps the ones it has now; a block the step brings
// back or changes gets those kept with `to`; a block it removes loses them.
TBreakPointArray BreakpointsAfterStep(const std::vector<Tobj>& from, const TBreakPointArray& current,
                                      const std::vector<Tobj>& to, const TBreakPointArray& stored);

}  // namespace tessaro
