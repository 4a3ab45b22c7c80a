// Fitting a diagram picture into what a raster format, the memory and the
// printed page can hold.
#pragma once

#include <cstdint>

#include "core/diagram/view_math.h"

namespace tessaro {

// No raster picture is drawn with more pixels than this (about 300 MB at 24 bits).
inline constexpr int64_t kRasterPixelBudget = 100'000'000;
// The longest side libjpeg writes, and the one used for PNG and the clipboard,
// where the raster painter keeps exact coordinates.
inline constexpr int32_t kJpegMaxSide = 65500;
inline constexpr int32_t kRasterMaxSide = 32767;

struct RasterFit {
  int32_t width = 1;   // pixels, at least 1
  int32_t height = 1;
  double scale = 0;    // pixels per diagram unit
  bool reduced = false;  // smaller than the wanted scale
};

// The picture of a `width` x `height` frame at `wanted` pixels per unit,
// scaled down by one factor when a side passes `max_side` or the area passes
// `max_pixels`.
RasterFit FitRaster(int32_t width, int32_t height, double wanted, int32_t max_side,
                    int64_t max_pixels = kRasterPixelBudget);

// A diagram spread over printed pages: drawn at `factor` of its natural size
// (72 units to the inch), cut into `columns` x `rows` pieces of `piece_width`
// x `piece_height` diagram units, row by row.
struct PageTiling {
  double factor = 1;
  int32_t columns = 1;
  int32_t rows = 1;
  double piece_width = 0;
  double piece_height = 0;
};

// One page (PlaceOnPage) while that keeps at least half the natural size;
// otherwise pages at the size that fills the page width, never below half.
PageTiling TilePages(int32_t width, int32_t height, const PrintPage& page);

// PDF pages are at most this many points each way (200 inches).
inline constexpr int32_t kPdfMaxPage = 14400;

}  // namespace tessaro
