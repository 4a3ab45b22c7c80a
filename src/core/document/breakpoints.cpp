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

TBreakPointArray BreakpointsAfterStep(const std::vector<Tobj>& from, const TBreakPointArray& current,
                                      const std::vector<Tobj>& to, const TBreakPointArray& stored) {
  const auto same = [&](int32_t block) {
    if (block < 0 || static_cast<size_t>(block) >= from.size() || static_cast<size_t>(block) >= to.size())
      return false;
    const Tobj& a = from[static_cast<size_t>(block)];
    const Tobj& b = to[static_cast<size_t>(block)];
    return a.Blok == b.Blok && a.Kod == b.Kod;
  };
  const auto in_to = [&](int32_t block) { return block >= 0 && static_cast<size_t>(block) < to.size(); };
  TBreakPointArray result;
  for (const TBreakPoint& b : current)
    if (same(b.Block)) result.push_back(b);
  for (const TBreakPoint& b : stored)
    if (in_to(b.Block) && !same(b.Block)) result.push_back(b);
  return result;
}

}  // namespace tessaro
