#include "core/diagram/navigator.h"

#include <algorithm>
#include <cmath>

#include "core/diagram/rounding.h"

namespace tessaro {

NavigatorGeometry ComputeNavigator(const NavigatorInput& in) {
  NavigatorGeometry g;
  const double z = in.skala / 100;
  const double sw = in.extents.Width * z;
  const double sh = in.extents.Height * z;
  const double f = std::max(sw / kNavigatorMaxWidth, sh / kNavigatorMaxHeight);
  if (!(f > 0) || !std::isfinite(f)) return g;
  g.empty = false;
  g.factor = f;
  const double tw = sw / f;
  const double th = sh / f;
  const double ox = in.extents.MinX * z / f;
  const double oy = in.extents.MinY * z / f;
  g.frame_right = RoundEven(tw) + 1;
  g.frame_bottom = RoundEven(th) + 1;
  g.box_width = RoundEven(tw + 2);
  g.box_height = RoundEven(th + 2);
  const double x1 = -(in.poczatek_x * z) / f - ox;
  const double y1 = -(in.poczatek_y * z) / f - oy;
  g.view_left = std::max(RoundEven(x1), 2);
  g.view_top = std::max(RoundEven(y1), 2);
  g.view_right = std::min(RoundEven(x1 + in.editor_width / f), g.box_width - 1);
  g.view_bottom = std::min(RoundEven(y1 + in.editor_height / f), g.box_height - 1);
  return g;
}

std::optional<ViewOrigin> NavigatorClickOrigin(const NavigatorInput& in, int32_t box_width, int32_t box_height,
                                               int32_t x, int32_t y) {
  const int64_t w = in.extents.Width;
  const int64_t h = in.extents.Height;
  if (w == 0 || h == 0 || box_width <= 0 || box_height <= 0 || !(in.skala > 0)) return std::nullopt;
  // The editor's size in navigator pixels.
  const int64_t vw = RoundEven(in.editor_width / in.skala * 100 * box_width / static_cast<double>(w));
  const int64_t vh = RoundEven(in.editor_height / in.skala * 100 * box_height / static_cast<double>(h));
  // Truncating division, so the clicked point becomes the view's centre.
  const int64_t ox = -((w * (x - vw / 2)) / box_width) - in.extents.MinX;
  const int64_t oy = -((h * (y - vh / 2)) / box_height) - in.extents.MinY;
  return ViewOrigin{SaturateInt32(ox), SaturateInt32(oy)};
}

}  // namespace tessaro
