#include "core/document/snapping.h"

#include <algorithm>

namespace tessaro {

int32_t GridStep(int32_t size) { return std::max(size, kBezSiatki); }

int32_t Snap(int32_t v, int32_t step) {
  if (step <= 1) return v;
  int32_t q = v / step;
  if (v % step != 0 && v < 0) --q;
  return q * step;
}

int32_t DragThreshold(int32_t step, int32_t platform_distance) {
  return std::max(GridStep(step) - 1, platform_distance);
}

}  // namespace tessaro
