#include "core/diagram/page_fit.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(RasterFit, KeepsTwiceTheSizeWhereItFitsAndScalesDownOtherwise) {
  struct Case {
    int32_t width, height, max_side;
    int32_t want_width, want_height;
    bool reduced;
  };
  const Case cases[] = {
      {400, 300, kJpegMaxSide, 800, 600, false},
      {0, 0, kJpegMaxSide, 1, 1, false},
      // A 1,200-block column: too tall for JPEG.
      {200, 60000, kJpegMaxSide, 0, kJpegMaxSide, true},
      {200, 60000, kRasterMaxSide, 0, kRasterMaxSide, true},
      // 5,000 blocks laid out wide and tall: the pixel budget decides.
      {12000, 12000, kJpegMaxSide, 10000, 10000, true},
  };
  for (const Case& c : cases) {
    const RasterFit fit = FitRaster(c.width, c.height, 2.0, c.max_side);
    EXPECT_EQ(fit.reduced, c.reduced) << c.width << "x" << c.height;
    EXPECT_LE(fit.width, c.max_side);
    EXPECT_LE(fit.height, c.max_side);
    EXPECT_LE(static_cast<int64_t>(fit.width) * fit.height, kRasterPixelBudget);
    if (c.want_width) {
      EXPECT_EQ(fit.width, c.want_width);
    }
    EXPECT_EQ(fit.height, c.want_height);
  }
}

TEST(PageTiling, TallDiagramsSpreadOverPagesInsteadOfShrinking) {
  PrintPage a4;  // 600 dpi, A4, 1/4 inch margins
  a4.dpi_x = a4.dpi_y = 600;
  a4.page_width = 4960;
  a4.page_height = 7016;
  a4.offset_x = a4.offset_y = 150;
  // Fits: one page at natural size.
  PageTiling t = TilePages(300, 500, a4);
  EXPECT_EQ(t.rows, 1);
  EXPECT_EQ(t.columns, 1);
  EXPECT_DOUBLE_EQ(t.factor, 1.0);
  // A little too tall: one page, scaled down as before.
  t = TilePages(300, 1000, a4);
  EXPECT_EQ(t.rows, 1);
  EXPECT_LT(t.factor, 1.0);
  EXPECT_GE(t.factor, 0.5);
  // A long column: natural size, many pages, every part of it printed.
  t = TilePages(300, 60000, a4);
  EXPECT_DOUBLE_EQ(t.factor, 1.0);
  EXPECT_EQ(t.columns, 1);
  EXPECT_GE(t.rows * t.piece_height, 60000);
  EXPECT_LT((t.rows - 1) * t.piece_height, 60000);
  // Huge both ways: never below half size, pages in both directions.
  t = TilePages(20000, 20000, a4);
  EXPECT_DOUBLE_EQ(t.factor, 0.5);
  EXPECT_GT(t.columns, 1);
  EXPECT_GE(t.columns * t.piece_width, 20000);
}

}  // namespace
}  // namespace tessaro
