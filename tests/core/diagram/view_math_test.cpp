#include "core/diagram/view_math.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(ScrollBars, PositionMirrorsTheOriginAndClampsAtTheEnds) {
  const struct {
    int32_t origin, position;
  } cases[] = {{0, 5000}, {5000, 0}, {-5000, 10000}, {1234, 3766}, {6000, 0}, {-7000, 10000}};
  for (const auto& c : cases) {
    EXPECT_EQ(ScrollPositionFromOrigin(c.origin), c.position) << c.origin;
  }
  EXPECT_EQ(OriginFromScrollPosition(3000), 2000);
  EXPECT_EQ(OriginFromScrollPosition(10000), -5000);
}

struct ZoomCase {
  const char* name;
  std::string entry;
  TObszar extents;  // MinX, MaxX, MinY, MaxY, Width, Height
  int32_t editor_w, editor_h;
  bool render;
  double skala;
  int32_t x, y;
  std::string text;
};

TEST(ZoomList, PercentagesCentreAndFitPicksTheSmallerRatio) {
  const TObszar wide{100, 500, 50, 350, 400, 300};
  const ZoomCase cases[] = {
      {"200% centres by the dock and the status bar", "200%", wide, 0, 0, true, 200, 500 - 400 - 200, 350 - 300 - 100,
       ""},
      {"100%", "100%", wide, 0, 0, true, 100, 500 - 200 - 100, 350 - 150 - 50, ""},
      {"10% rounds the scaled sizes", "10%", {5, 20, 15, 28, 15, 13}, 0, 0, true, 10, 500 - 2 / 2 - 0, 350 - 1 / 2 - 2,
       ""},
      {"fit 800 x 400 into 400 x 400", "Dopasuj", {0, 800, 0, 400, 800, 400}, 400, 400, true, 50, 10, 10, "50%"},
      {"fit a tall diagram", "Dopasuj", {-20, 380, 30, 830, 400, 800}, 400, 400, true, 50, 30, -20, "50%"},
      {"fit keeps the zoom unrounded", "Dopasuj", {0, 300, 0, 300, 300, 300}, 100, 110, true, 100.0 / 3, 10, 10,
       "33%"},
      {"fit of an empty diagram shows 100% and does nothing", "Dopasuj", {}, 400, 400, false, 75, 7, 8, "100%"},
      {"a text that is no percentage changes nothing", "abc", wide, 0, 0, true, 75, 7, 8, ""},
      {"a percentage that begins with D is no fit", "D5%", wide, 0, 0, true, 75, 7, 8, ""},
      {"fit into an editor without height changes nothing", "Dopasuj", wide, 400, 0, false, 75, 7, 8, "75%"},
  };
  for (const ZoomCase& c : cases) {
    ZoomInput in;
    in.entry = c.entry;
    in.fit = in.entry == "Dopasuj";
    in.extents = c.extents;
    in.dock_top_width = 1000;
    in.status_bar_top = 700;
    in.editor_width = c.editor_w;
    in.editor_height = c.editor_h;
    in.skala = 75;
    in.poczatek_x = 7;
    in.poczatek_y = 8;
    const ZoomResult r = ApplyZoomEntry(in);
    EXPECT_EQ(r.render, c.render) << c.name;
    EXPECT_DOUBLE_EQ(r.skala, c.skala) << c.name;
    EXPECT_EQ(r.poczatek_x, c.x) << c.name;
    EXPECT_EQ(r.poczatek_y, c.y) << c.name;
    EXPECT_EQ(r.list_text, c.text) << c.name;
  }
}

struct PageCase {
  const char* name;
  int32_t w, h;
  PrintPage page;  // dpi x, y; page width, height; offsets x, y
  PrintPlacement expected;
};

TEST(PlaceOnPage, NaturalSizeOrOneFactor) {
  const PageCase cases[] = {
      {"720 x 360 at 600 dpi fits and is centred", 720, 360, {600, 600, 7000, 5000, 50, 50}, {500, 1000, 6000, 3000, true}},
      {"too tall: scaled by the height, centred across", 100, 2000, {72, 72, 600, 800, 0, 0}, {280, 0, 40, 800, false}},
      {"width overflows more: scaled by the width", 2000, 900, {72, 72, 1000, 800, 0, 0}, {0, 175, 1000, 450, false}},
      {"the width's factor may leave the height too large", 3000, 1000, {72, 72, 1000, 300, 0, 0},
       {0, 150 - 333 / 2, 1000, 333, false}},
      {"halves round to even", 5, 5, {36, 36, 101, 101, 0, 0}, {49, 49, 2, 2, true}},
      {"different resolutions across and down", 72, 72, {300, 600, 2000, 2000, 10, 20}, {10 + 840, 20 + 680, 300, 600, true}},
      {"an empty diagram", 0, 0, {600, 600, 5000, 7000, 100, 100}, {2500, 3500, 0, 0, true}},
      {"an empty diagram on a page with no printable area", 0, 0, {600, 600, 100, 100, 100, 100},
       {100 - 50, 100 - 50, 0, 0, false}},
  };
  for (const PageCase& c : cases) {
    EXPECT_EQ(PlaceOnPage(c.w, c.h, c.page), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace tessaro
