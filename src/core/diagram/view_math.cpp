#include "core/diagram/view_math.h"

#include <algorithm>
#include <charconv>

#include "core/diagram/rounding.h"

namespace tessaro {

int32_t ScrollPositionFromOrigin(int32_t origin) {
  const int64_t position = int64_t{kScrollRange / 2} - origin;
  return static_cast<int32_t>(std::clamp<int64_t>(position, 0, kScrollRange));
}

int32_t OriginFromScrollPosition(int32_t position) { return kScrollRange / 2 - position; }

ZoomResult ApplyZoomEntry(const ZoomInput& in) {
  ZoomResult r{true, in.skala, in.poczatek_x, in.poczatek_y, ""};
  const TObszar& e = in.extents;
  if (!in.fit) {
    int32_t percent = 0;
    const char* first = in.entry.data();
    const char* last = first + (in.entry.empty() ? 0 : in.entry.size() - 1);  // the "%" goes
    const auto parsed = std::from_chars(first, last, percent);
    if (parsed.ec != std::errc() || parsed.ptr != last || percent <= 0) return r;
    r.skala = percent;
    const double z = r.skala / 100;
    r.poczatek_x = in.dock_top_width / 2 - RoundEven(e.Width * z) / 2 - RoundEven(e.MinX * z);
    r.poczatek_y = in.status_bar_top / 2 - RoundEven(e.Height * z) / 2 - RoundEven(e.MinY * z);
    return r;
  }
  if (e.Width == 0 || e.Height == 0) {
    r.render = false;
    r.list_text = "100%";
    return r;
  }
  if (in.editor_width <= 0 || in.editor_height <= 0) {
    r.render = false;
    r.list_text = std::to_string(RoundEven(in.skala)) + "%";
    return r;
  }
  r.poczatek_x = 10 - e.MinX;
  r.poczatek_y = 10 - e.MinY;
  const double by_width = in.editor_width * 100.0 / e.Width;
  const double by_height = in.editor_height * 100.0 / e.Height;
  r.skala = by_height > by_width ? by_width : by_height;
  r.list_text = std::to_string(RoundEven(r.skala)) + "%";
  return r;
}

PrintPlacement PlaceOnPage(int32_t width, int32_t height, const PrintPage& page) {
  const double aw = page.page_width - 2.0 * page.offset_x;
  const double ah = page.page_height - 2.0 * page.offset_y;
  const double pws = width * static_cast<double>(page.dpi_x) / 72;
  const double phs = height * static_cast<double>(page.dpi_y) / 72;
  PrintPlacement p;
  if (aw >= pws && ah >= phs) {
    p.natural_size = true;
    p.width = RoundEven(pws);
    p.height = RoundEven(phs);
    p.x = page.offset_x + RoundEven(aw / 2 - pws / 2);
    p.y = page.offset_y + RoundEven(ah / 2 - phs / 2);
    return p;
  }
  double factor = 1;
  if (pws > 0 && phs > 0) factor = phs - ah >= pws - aw ? ah / phs : aw / pws;
  p.width = RoundEven(pws * factor);
  p.height = RoundEven(phs * factor);
  p.x = page.offset_x + static_cast<int32_t>(aw) / 2 - p.width / 2;
  p.y = page.offset_y + static_cast<int32_t>(ah) / 2 - p.height / 2;
  return p;
}

}  // namespace tessaro
