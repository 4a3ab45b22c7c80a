#include "core/document/scroll_range.h"

#include <algorithm>

namespace tessaro {

ScrollRange ScrollRangeFor(int32_t extent_min, int32_t extent_max, int32_t window, int32_t origin) {
  constexpr int64_t kMiddle = 5000, kTop = 10000;
  const int64_t position = kMiddle - origin;
  int64_t lo = std::min<int64_t>({0, kMiddle + extent_min - window, position});
  int64_t hi = std::max<int64_t>({kTop, kMiddle + extent_max, position});
  auto fit = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
  return {fit(lo), fit(hi), fit(position)};
}

}  // namespace tessaro
