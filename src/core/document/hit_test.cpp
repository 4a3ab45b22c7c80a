#include "core/document/hit_test.h"

#include <algorithm>

namespace tessaro {

int32_t TrafionyBlok(const std::vector<Tobj>& bloki, int32_t x, int32_t y, bool nodes_hittable) {
  for (size_t k = bloki.size(); k-- > 0;) {
    const Tobj& e = bloki[k];
    if (e.Blok == Wezel && !nodes_hittable) continue;
    int64_t left = e.Left, right = int64_t{e.Left} + e.Width;
    int64_t top = e.Top, bottom = int64_t{e.Top} + e.Height;
    if (e.Blok == Warunek) {
      left -= 15;
      right += 15;
    } else if (e.Blok == Wezel) {
      left -= 3;
      right += 3;
      top -= 3;
      bottom += 3;
    }
    if (left < x && x < right && top < y && y < bottom) return static_cast<int32_t>(k);
  }
  return -1;
}

std::vector<int32_t> CaughtByBand(const std::vector<Tobj>& bloki, TRect band, bool nodes_hittable) {
  const int64_t x1 = std::min(band.Left, band.Right), x2 = std::max(band.Left, band.Right);
  const int64_t y1 = std::min(band.Top, band.Bottom), y2 = std::max(band.Top, band.Bottom);
  auto inside = [&](int64_t x, int64_t y) { return x1 < x && x < x2 && y1 < y && y < y2; };
  std::vector<int32_t> out;
  for (size_t i = 0; i < bloki.size(); ++i) {
    const Tobj& e = bloki[i];
    if (e.Blok == Wezel && !nodes_hittable) continue;
    const int64_t l = e.Left, t = e.Top, r = int64_t{e.Left} + e.Width, b = int64_t{e.Top} + e.Height;
    if (inside(l, t) || inside(r, t) || inside(l, b) || inside(r, b)) out.push_back(static_cast<int32_t>(i));
  }
  return out;
}

TRect BoundsOfElements(const std::vector<Tobj>& bloki, const std::vector<int32_t>& indexes) {
  TRect r;
  bool first = true;
  for (int32_t i : indexes) {
    if (i < 0 || static_cast<size_t>(i) >= bloki.size()) continue;
    const Tobj& e = bloki[i];
    const TRect b{e.Left, e.Top, e.Left + e.Width, e.Top + e.Height};
    if (first) {
      r = b;
      first = false;
      continue;
    }
    r.Left = std::min(r.Left, b.Left);
    r.Top = std::min(r.Top, b.Top);
    r.Right = std::max(r.Right, b.Right);
    r.Bottom = std::max(r.Bottom, b.Bottom);
  }
  return r;
}

}  // namespace tessaro
