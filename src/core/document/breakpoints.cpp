#include "core/document/breakpoints.h"

#include <algorithm>

namespace tessaro {

void RemoveBreakpoint(TBreakPointArray& breakpoints, int32_t position) {
  if (position < 0 || static_cast<size_t>(position) >= breakpoints.size()) return;
  breakpoints.erase(breakpoints.begin() + position);
}

void RemoveBlockBreakpoints(TBreakPointArray& breakpoints, int32_t block) {
  std::erase_if(breakpoints, [block](const TBreakPoint& b) { return b.Block == block; });
}

}  // namespace tessaro
