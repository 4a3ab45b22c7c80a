#include "core/diagram/navigator.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

NavigatorInput Diagram(TObszar extents, double skala = 100) {
  NavigatorInput in;
  in.extents = extents;
  in.skala = skala;
  in.editor_width = 340;
  in.editor_height = 240;
  return in;
}

TEST(Navigator, ThumbnailFitsTheLongerSide) {
  struct Case {
    const char* name;
    TObszar extents;  // MinX, MaxX, MinY, MaxY, Width, Height
    double skala;
    int32_t box_w, box_h;
  };
  const Case cases[] = {
      {"twice as wide as high", {0, 800, 0, 400, 800, 400}, 100, 172, 87},
      {"twice as high as wide", {0, 400, 0, 800, 400, 800}, 100, 62, 122},
      {"the zoom does not change the thumbnail", {0, 800, 0, 400, 800, 400}, 25, 172, 87},
      {"a diagram far from the origin", {-5000, -4150, 7000, 7600, 850, 600}, 100, 172, 122},
      {"huge extents do not overflow", {-2000000000, 2000000000, 0, 1000, 2147483647, 1000}, 200, 172, 2},
  };
  for (const Case& c : cases) {
    const NavigatorGeometry g = ComputeNavigator(Diagram(c.extents, c.skala));
    EXPECT_FALSE(g.empty) << c.name;
    EXPECT_EQ(g.box_width, c.box_w) << c.name;
    EXPECT_EQ(g.box_height, c.box_h) << c.name;
  }
  EXPECT_TRUE(ComputeNavigator(Diagram({})).empty);
  EXPECT_TRUE(ComputeNavigator(Diagram({0, 800, 0, 400, 800, 400}, 0)).empty);
}

TEST(Navigator, ViewRectangleFollowsTheOriginAndStaysInTheBox) {
  // 1700 x 1200 units at 100%: ten units per thumbnail pixel.
  NavigatorInput in = Diagram({0, 1700, 0, 1200, 1700, 1200});
  in.poczatek_x = -500;
  in.poczatek_y = -300;
  NavigatorGeometry g = ComputeNavigator(in);
  EXPECT_DOUBLE_EQ(g.factor, 10);
  EXPECT_EQ(g.view_left, 50);
  EXPECT_EQ(g.view_top, 30);
  EXPECT_EQ(g.view_right, 84);
  EXPECT_EQ(g.view_bottom, 54);
  // Scrolled past the diagram: clamped to the box.
  in.poczatek_x = 1000;
  in.poczatek_y = -5000;
  g = ComputeNavigator(in);
  EXPECT_EQ(g.view_left, 2);
  EXPECT_EQ(g.view_bottom, g.box_height - 1);
}

TEST(Navigator, ClickCentresTheEditorOnThePoint) {
  const NavigatorInput in = Diagram({0, 1700, 0, 1200, 1700, 1200});
  // The editor is 34 x 24 navigator pixels of a 172 x 122 box (rounded).
  EXPECT_EQ(NavigatorClickOrigin(in, 172, 122, 86, 61), (ViewOrigin{-681, -481}));
  // The origin shifts with the extents' corner; truncation is toward zero.
  NavigatorInput shifted = Diagram({-100, 1600, 50, 1250, 1700, 1200});
  EXPECT_EQ(NavigatorClickOrigin(shifted, 172, 122, 86, 61), (ViewOrigin{-681 + 100, -481 - 50}));
  EXPECT_EQ(NavigatorClickOrigin(in, 172, 122, 0, 0), (ViewOrigin{(1700 * 17) / 172, (1200 * 12) / 122}));
  // Nothing to move for an empty diagram, an empty box or a zero zoom.
  EXPECT_FALSE(NavigatorClickOrigin(Diagram({}), 172, 122, 10, 10));
  EXPECT_FALSE(NavigatorClickOrigin(in, 0, 122, 10, 10));
  EXPECT_FALSE(NavigatorClickOrigin(Diagram({0, 1700, 0, 1200, 1700, 1200}, 0), 172, 122, 10, 10));
  // Huge extents saturate instead of overflowing.
  const NavigatorInput huge = Diagram({-2000000000, 147483647, 0, 10, 2147483647, 10});
  EXPECT_TRUE(NavigatorClickOrigin(huge, 172, 12, 171, 5).has_value());
}

}  // namespace
}  // namespace tessaro
