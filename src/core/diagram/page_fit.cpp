#include "core/diagram/page_fit.h"

#include <algorithm>
#include <cmath>

namespace tessaro {

RasterFit FitRaster(int32_t width, int32_t height, double wanted, int32_t max_side, int64_t max_pixels) {
  const double w = std::max(1, width);
  const double h = std::max(1, height);
  double scale = wanted;
  scale = std::min(scale, max_side / w);
  scale = std::min(scale, max_side / h);
  scale = std::min(scale, std::sqrt(static_cast<double>(max_pixels) / (w * h)));
  RasterFit fit;
  fit.reduced = scale < wanted;
  // Rounding down keeps both sides within the limits the scale was chosen for
  // (the small allowance absorbs the rounding of the division).
  fit.width = std::clamp(static_cast<int32_t>(std::floor(w * scale + 1e-6)), 1, max_side);
  fit.height = std::clamp(static_cast<int32_t>(std::floor(h * scale + 1e-6)), 1, max_side);
  if (!fit.reduced) {
    fit.width = std::max(1, static_cast<int32_t>(std::lround(width * wanted)));
    fit.height = std::max(1, static_cast<int32_t>(std::lround(height * wanted)));
  }
  fit.scale = scale;
  return fit;
}

PageTiling TilePages(int32_t width, int32_t height, const PrintPage& page) {
  PageTiling t;
  const double aw = page.page_width - 2.0 * page.offset_x;
  const double ah = page.page_height - 2.0 * page.offset_y;
  const double pws = width * static_cast<double>(page.dpi_x) / 72;
  const double phs = height * static_cast<double>(page.dpi_y) / 72;
  t.piece_width = width;
  t.piece_height = height;
  if (pws <= 0 || phs <= 0 || aw <= 0 || ah <= 0) return t;
  const double one_page = std::min({1.0, aw / pws, ah / phs});
  if (one_page >= 0.5) {
    t.factor = one_page;
    return t;
  }
  t.factor = std::clamp(aw / pws, 0.5, 1.0);
  t.piece_width = width * aw / (pws * t.factor);
  t.piece_height = height * ah / (phs * t.factor);
  t.columns = std::max(1, static_cast<int32_t>(std::ceil(width / t.piece_width - 1e-9)));
  t.rows = std::max(1, static_cast<int32_t>(std::ceil(height / t.piece_height - 1e-9)));
  return t;
}

}  // namespace tessaro
