// The range of the editor's scroll bars. The position is always 5000 minus
// the origin; the range is 0..10000 widened to reach the whole diagram (its
// extents plus a window's width) and the current position, so a diagram far
// from the origin stays reachable.
#pragma once

#include <cstdint>

namespace tessaro {

struct ScrollRange {
  int32_t minimum = 0;
  int32_t maximum = 10000;
  int32_t position = 5000;
  bool operator==(const ScrollRange&) const = default;
};

// extent_min/extent_max: the diagram's extents along the bar; window: the
// paint box's length in diagram units; origin: PoczatekX or PoczatekY.
ScrollRange ScrollRangeFor(int32_t extent_min, int32_t extent_max, int32_t window, int32_t origin);

}  // namespace tessaro
