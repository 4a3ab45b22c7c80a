// The arithmetic of the editor's view, the zoom list and the printed page,
// kept apart from the windows so it can be checked exactly.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/document/model.h"

namespace tessaro {

// Scroll bars run 0..10000 with 5000 in the middle; the position mirrors the
// origin. An origin beyond the range leaves the bar at its nearest end.
constexpr int32_t kScrollRange = 10000;
int32_t ScrollPositionFromOrigin(int32_t origin);
int32_t OriginFromScrollPosition(int32_t position);

// The zoom list: eight percentages and, last, the fit entry (its translated
// text must begin with "D").
constexpr std::array<const char*, 8> kZoomEntries = {"10%", "25%", "50%", "75%", "100%", "125%", "150%", "200%"};
constexpr const char* kMsgZoomFit = "msgm00021";
constexpr int32_t kZoomDefaultIndex = 4;  // "100%"

struct ZoomInput {
  std::string entry;          // the selected entry's text
  bool fit = false;           // the entry is the fit entry (the last of the list)
  TObszar extents;            // already recomputed by the caller when empty
  int32_t dock_top_width = 0;   // width of the top dock area
  int32_t status_bar_top = 0;   // top of the status bar
  int32_t editor_width = 0;     // the paint box, pixels
  int32_t editor_height = 0;
  double skala = 100;
  int32_t poczatek_x = 0;
  int32_t poczatek_y = 0;
};

struct ZoomResult {
  bool render = true;   // false: nothing to fit; the list shows "100%" and nothing changes
  double skala = 100;
  int32_t poczatek_x = 0;
  int32_t poczatek_y = 0;
  std::string list_text;  // the text the list shows afterwards, empty = unchanged
};

// A percentage centres the diagram in the window; the fit entry puts its
// top-left 10 units from the corner and picks the smaller of the two ratios.
// Fitting into an editor without width or height changes nothing.
ZoomResult ApplyZoomEntry(const ZoomInput& in);

// Where the picture goes on the printed page, in printer pixels.
struct PrintPage {
  int32_t dpi_x = 0, dpi_y = 0;
  int32_t page_width = 0, page_height = 0;  // physical size
  int32_t offset_x = 0, offset_y = 0;       // physical offsets of the printable area
};

struct PrintPlacement {
  int32_t x = 0, y = 0, width = 0, height = 0;
  bool natural_size = false;  // drawn at 72 units per inch, not scaled down
  bool operator==(const PrintPlacement&) const = default;
};

// 72 diagram units to the inch; a picture too large for the printable area is
// scaled down by one factor, chosen by the direction that overflows more.
PrintPlacement PlaceOnPage(int32_t width, int32_t height, const PrintPage& page);

}  // namespace tessaro
