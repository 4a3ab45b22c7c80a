// The editor's rules that need no window: hit testing, the rubber band,
// snapping and linking with Ctrl and Shift.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/document/block_links.h"
#include "core/document/hit_test.h"
#include "core/document/scroll_range.h"
#include "core/document/snapping.h"

namespace tessaro {
namespace {

Tobj Element(int32_t kind, int32_t left, int32_t top, int32_t width, int32_t height) {
  Tobj e;
  e.Blok = kind;
  e.Left = left;
  e.Top = top;
  e.Width = width;
  e.Height = height;
  return e;
}

TEST(TrafionyBlok, AreasAndOrder) {
  // 0: processing 100..200 x 100..150; 1: condition 300..400 x 100..130;
  // 2: node 500..515 x 100..115; 3: processing overlapping 0 at 150..250.
  const std::vector<Tobj> bloki = {Element(Przetwarzanie, 100, 100, 100, 50),
                                   Element(Warunek, 300, 100, 100, 30), Element(Wezel, 500, 100, 15, 15),
                                   Element(Przetwarzanie, 150, 120, 100, 50)};
  struct Case {
    int32_t x, y;
    bool nodes;
    int32_t expected;
  };
  const Case cases[] = {
      {120, 110, true, 0},  {100, 110, true, -1},  // strict: the edge is outside
      {199, 149, true, 3},  {160, 125, true, 3},   // the highest index wins
      {290, 110, true, 1},  {286, 110, true, 1},   {285, 110, true, -1}, {414, 110, true, 1},
      {300, 100, true, -1},                        // a condition's margin is left and right only
      {498, 98, true, 2},   {497, 110, true, -1},  {517, 117, true, 2},
      {505, 105, false, -1},                       // hidden nodes cannot be hit
      {0, 0, true, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TrafionyBlok(bloki, c.x, c.y, c.nodes), c.expected) << c.x << "," << c.y;
  }
}

TEST(CaughtByBand, OneCornerInsideIsEnough) {
  const std::vector<Tobj> bloki = {Element(Przetwarzanie, 100, 100, 100, 50), Element(Wezel, 300, 100, 15, 15),
                                   Element(Przetwarzanie, 100, 300, 100, 50)};
  struct Case {
    const char* name;
    TRect band;
    bool nodes;
    std::vector<int32_t> expected;
  };
  const Case cases[] = {
      {"one corner", {190, 140, 250, 290}, true, {0}},
      {"drawn backwards", {250, 290, 190, 140}, true, {0}},
      {"inside a block, no corner", {120, 110, 180, 140}, true, {}},
      {"corner on the edge", {200, 150, 260, 260}, true, {}},
      {"everything", {0, 0, 1000, 1000}, true, {0, 1, 2}},
      {"hidden node left out", {0, 0, 1000, 1000}, false, {0, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CaughtByBand(bloki, c.band, c.nodes), c.expected);
  }
  EXPECT_EQ(BoundsOfElements(bloki, {0, 2}), (TRect{100, 100, 200, 350}));
}

TEST(Snap, FloorDivisionOnBothSides) {
  struct Case {
    int32_t v, step, expected;
  };
  const Case cases[] = {{12, 5, 10}, {10, 5, 10}, {-1, 5, -5}, {-5, 5, -5}, {-6, 5, -10},
                        {7, 1, 7},   {-7, 1, -7}, {7, 0, 7},   {19, 20, 0},  {-19, 20, -20}};
  for (const Case& c : cases) EXPECT_EQ(Snap(c.v, c.step), c.expected) << c.v << " step " << c.step;
  // "No grid" is a step of 1, never 0.
  EXPECT_EQ(GridStep(0), 1);
  EXPECT_EQ(GridStep(15), 15);
  EXPECT_EQ(DragThreshold(20, 4), 19);
  EXPECT_EQ(DragThreshold(5, 4), 4);
  EXPECT_EQ(DragThreshold(0, 4), 4);
}

TEST(Polacz, CtrlAndShiftLinks) {
  // 0 processing, 1 processing, 2 condition, 3 note, 4 processing.
  const std::vector<Tobj> base = {Element(Przetwarzanie, 0, 0, 10, 10), Element(Przetwarzanie, 0, 50, 10, 10),
                                  Element(Warunek, 0, 100, 10, 10), Element(Notatka, 0, 150, 10, 10),
                                  Element(Przetwarzanie, 0, 200, 10, 10)};
  struct Case {
    const char* name;
    int32_t p, g;
    bool ctrl, shift;
    int32_t p_link1_before, g_link1_before, g_link2_before;
    int32_t link1, link2;  // p's links afterwards
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"ctrl links the first exit", 0, 1, true, false, -1, -1, -1, 1, -1, {}},
      {"ctrl on itself clears", 1, 1, true, false, 4, 4, -1, -1, -1, {}},
      {"two blocks leading to each other", 0, 1, true, false, -1, 0, -1, -1, -1, {kMsgLinkBack}},
      // A loop of a body and its condition is allowed both ways.
      {"body back from the condition", 1, 2, true, false, -1, 1, -1, 2, -1, {}},
      {"condition back to the body", 2, 1, true, false, -1, 2, -1, 1, -1, {}},
      {"shift on a processing block", 0, 1, false, true, -1, -1, -1, -1, -1, {kMsgNotCondition}},
      {"shift links the second exit", 2, 4, false, true, -1, -1, -1, -1, 4, {}},
      {"shift on itself writes none", 2, 2, false, true, -1, -1, -1, -1, 0, {}},
      {"element 0 cannot be a second exit", 2, 0, false, true, -1, -1, -1, -1, -1, {kMsgZeroSecond}},
      {"both exits at once", 2, 4, true, true, -1, -1, -1, 4, 4, {}},
      {"no link into a note", 0, 3, true, false, -1, -1, -1, -1, -1, {kMsgIntoNote}},
      {"nothing selected before", -1, 1, true, true, -1, -1, -1, -1, -1, {}},
      {"no modifier", 0, 1, false, false, -1, -1, -1, -1, -1, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Tobj> bloki = base;
    if (c.p >= 0) bloki[c.p].Link1 = c.p_link1_before;
    if (c.g != c.p) {
      bloki[c.g].Link1 = c.g_link1_before;
      bloki[c.g].Link2 = c.g_link2_before;
    }
    const LinkOutcome out = Polacz(bloki, c.p, c.g, c.ctrl, c.shift);
    std::vector<std::string> messages(out.messages.begin(), out.messages.end());
    EXPECT_EQ(messages, c.messages);
    EXPECT_EQ(out.refused, !c.messages.empty());
    if (c.p >= 0) {
      EXPECT_EQ(bloki[c.p].Link1, c.link1);
      EXPECT_EQ(bloki[c.p].Link2, c.link2);
    }
  }
}

TEST(ScrollRangeFor, ReachesTheWholeDiagram) {
  struct Case {
    const char* name;
    int32_t min, max, window, origin;
    ScrollRange expected;
  };
  const Case cases[] = {
      {"a diagram near the origin keeps the old range", 0, 800, 600, 10, {0, 10000, 4990}},
      {"far to the right", 20000, 21000, 600, -19990, {0, 26000, 24990}},
      {"far to the left", -30000, -29000, 600, 30010, {-25600, 10000, -25010}},
      {"an origin panned beyond the range", 0, 100, 600, 9000, {-4000, 10000, -4000}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ScrollRangeFor(c.min, c.max, c.window, c.origin), c.expected);
  }
}

}  // namespace
}  // namespace tessaro
