// Rounding to the nearest integer with halves to even, the one rule used for
// every drawn coordinate and every page or zoom computation.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tessaro {

inline int32_t RoundEven(double value) {
  // Values past the int32 range (a degenerate zoom, a huge diagram) are
  // clamped rather than converted, which would be undefined.
  constexpr double kMax = std::numeric_limits<int32_t>::max();
  constexpr double kMin = std::numeric_limits<int32_t>::min();
  if (std::isnan(value)) return 0;
  const double r = std::nearbyint(value);
  if (r >= kMax) return std::numeric_limits<int32_t>::max();
  if (r <= kMin) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(r);
}

// A 64-bit intermediate brought back to int32, clamped at the ends of the range.
inline int32_t SaturateInt32(int64_t value) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace tessaro
