// The geometry of the navigator: a thumbnail of the whole diagram (at most
// 170 x 120 pixels) with the rectangle of the part the editor shows, and the
// view origin a click in it asks for. Intermediates are 64-bit or double, so
// a huge diagram or a tiny zoom cannot overflow.
#pragma once

#include <cstdint>
#include <optional>

#include "core/document/model.h"

namespace tessaro {

inline constexpr int32_t kNavigatorMaxWidth = 170;
inline constexpr int32_t kNavigatorMaxHeight = 120;

struct NavigatorInput {
  TObszar extents;            // of all elements
  double skala = 100;         // zoom, percent
  int32_t poczatek_x = 0;     // view origin, diagram units
  int32_t poczatek_y = 0;
  int32_t editor_width = 0;   // the editor's paint box, pixels
  int32_t editor_height = 0;
};

struct NavigatorGeometry {
  bool empty = true;      // nothing to show (no blocks, zero zoom)
  double factor = 0;      // screen pixels of the diagram per thumbnail pixel
  int32_t box_width = 0;  // the navigator box: thumbnail + 2
  int32_t box_height = 0;
  // The grey frame, from (0, 0).
  int32_t frame_right = 0, frame_bottom = 0;
  // The view rectangle, clamped into the box.
  int32_t view_left = 0, view_top = 0, view_right = 0, view_bottom = 0;
};

NavigatorGeometry ComputeNavigator(const NavigatorInput& in);

struct ViewOrigin {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const ViewOrigin&) const = default;
};

// The origin that centres the editor on navigator point (x, y) of a box of
// `box_width` x `box_height`; nothing for an empty diagram, a zero zoom or
// an empty box.
std::optional<ViewOrigin> NavigatorClickOrigin(const NavigatorInput& in, int32_t box_width, int32_t box_height,
                                               int32_t x, int32_t y);

}  // namespace tessaro
