// The editor's grid: snapping points, the drag threshold and the step.
#pragma once

#include <cstdint>

namespace tessaro {

// The grid step at start, and the step of "no grid".
constexpr int32_t kSiatkaStart = 5;
constexpr int32_t kBezSiatki = 1;

// The step a grid item sets: its size, 1 for "no grid" (a step below 1
// would divide by zero).
int32_t GridStep(int32_t size);

// v rounded down to a multiple of step (floor division, so negative values
// snap like positive ones); unchanged for a step of 1 or less.
int32_t Snap(int32_t v, int32_t step);

// How far the mouse must move from the press before a drag begins.
int32_t DragThreshold(int32_t step, int32_t platform_distance);

}  // namespace tessaro
