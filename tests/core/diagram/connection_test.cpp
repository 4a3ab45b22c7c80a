#include "core/diagram/connection.h"

#include <gtest/gtest.h>

#include "fake_canvas.h"

namespace tessaro {
namespace {

Tobj Block(int32_t kind, int32_t left, int32_t top, int32_t width, int32_t height) {
  Tobj e;
  e.Blok = kind;
  e.Left = left;
  e.Top = top;
  e.Width = width;
  e.Height = height;
  return e;
}

struct PortCase {
  const char* name;
  Tobj source;
  Tobj target;
  int exit;
  bool nodes_shown;
  TPunkt offset;
  TPorty expected;
};

const PortCase kPortCases[] = {
    {"target below", Block(3, 0, 0, 100, 40), Block(3, 0, 100, 100, 40), 1, true, {}, {{50, 40}, {50, 100}}},
    {"target above", Block(3, 0, 100, 100, 40), Block(3, 0, 0, 100, 40), 1, true, {}, {{50, 100}, {50, 40}}},
    {"target right", Block(3, 0, 0, 100, 40), Block(3, 200, 10, 100, 40), 1, true, {}, {{100, 20}, {200, 30}}},
    {"target left", Block(3, 200, 0, 100, 40), Block(3, 0, 10, 100, 40), 1, true, {}, {{200, 20}, {100, 30}}},
    {"overlapping: centre to centre", Block(3, 0, 0, 100, 40), Block(3, 50, 20, 100, 40), 1, true, {},
     {{50, 20}, {100, 40}}},
    {"touching edges count as overlapping", Block(3, 0, 0, 100, 40), Block(3, 0, 40, 100, 40), 1, true, {},
     {{50, 20}, {50, 60}}},
    {"parallelograms to the right meet on their slanted sides", Block(6, 0, 0, 100, 40),
     Block(6, 200, 0, 100, 40), 1, true, {}, {{93, 20}, {207, 20}}},
    {"parallelograms to the left meet on their slanted sides", Block(6, 200, 0, 100, 40),
     Block(6, 0, 0, 100, 40), 1, true, {}, {{207, 20}, {93, 20}}},
    {"parallelogram above keeps the edge middles", Block(6, 0, 0, 100, 40), Block(6, 0, 100, 100, 40), 1,
     true, {}, {{50, 40}, {50, 100}}},
    {"condition Link1 leaves from the left side point", Block(4, 100, 0, 60, 30), Block(3, 100, 100, 60, 40), 1,
     true, {}, {{85, 15}, {130, 100}}},
    {"condition Link2 leaves from the right side point", Block(4, 0, 0, 60, 30), Block(3, 200, 0, 60, 40), 2,
     true, {}, {{75, 15}, {200, 20}}},
    {"condition target is entered from the top", Block(3, 0, 0, 100, 40), Block(4, 200, 0, 60, 30), 1, true,
     {}, {{100, 20}, {230, 0}}},
    {"visible node is a 15 x 15 box", Block(3, 57, 0, 100, 40), Block(5, 100, 100, 15, 15), 1, true, {},
     {{107, 40}, {107, 100}}},
    {"hidden node target: the link ends at its centre", Block(3, 57, 0, 100, 40), Block(5, 100, 100, 15, 15),
     1, false, {}, {{107, 40}, {107, 107}}},
    {"hidden node source: a one-unit box at its centre", Block(5, 100, 100, 15, 15), Block(3, 57, 200, 100, 40),
     1, false, {}, {{107, 108}, {107, 200}}},
    {"hidden node beside a hidden node", Block(5, 0, 0, 15, 15), Block(5, 100, 0, 15, 15), 1, false, {},
     {{8, 7}, {107, 7}}},
    {"the offset shifts both ends", Block(3, 10, 20, 100, 40), Block(3, 10, 120, 100, 40), 1, true, {10, 20},
     {{50, 40}, {50, 100}}},
};

TEST(WyznaczPorty, RelativePositionsAndOverrides) {
  for (const PortCase& c : kPortCases) {
    ConnectionView view;
    view.PokazWezly = c.nodes_shown;
    view.Offset = c.offset;
    EXPECT_EQ(WyznaczPorty(c.source, c.target, c.exit, view), c.expected) << c.name;
  }
}

struct ArrowCase {
  const char* name;
  PunktF from, to;
  int32_t grid;
  std::vector<std::string> expected;  // the log lines after the brush and pen choice
};

TEST(RysujStrzalke, LineHeadAndGridStraightening) {
  const ArrowCase cases[] = {
      {"horizontal", {0, 0}, {100, 0}, 1, {"line 0,0 94,0", "polygon 100,0 94,3 94,-3"}},
      {"vertical downwards", {10, 0}, {10, 50}, 1, {"line 10,0 10,44", "polygon 10,50 7,44 13,44"}},
      {"grid 5 makes an offset of 4 over 100 vertical", {0, 0}, {4, 100}, 5,
       {"line 0,0 0,94", "polygon 0,100 -3,94 3,94"}},
      {"grid 5 makes an offset of 4 over 100 horizontal", {0, 0}, {100, 4}, 5,
       {"line 0,0 94,0", "polygon 100,0 94,3 94,-3"}},
      {"an offset beyond the grid step stays slanted", {0, 0}, {6, 8}, 5,
       {"line 0,0 2,3", "polygon 6,8 0,5 5,1"}},
      {"no grid: no straightening", {0, 0}, {4, 100}, 1, {"line 0,0 4,94", "polygon 4,100 1,94 7,94"}},
  };
  for (const ArrowCase& c : cases) {
    test::FakeMetrics metrics;
    test::LogCanvas canvas(metrics);
    RysujStrzalke(canvas, ConnectionStyle::Plain, c.from, c.to, c.grid, 0);
    const std::vector<std::string> expected_log = {
        "brush 000000 solid", "pen 000000 1 solid", c.expected[0], "brush 000000 solid",
        "pen 808080 2 solid", c.expected[1],      "pen 000000 1 solid", c.expected[1]};
    EXPECT_EQ(canvas.log, expected_log) << c.name;
  }
}

TEST(RysujStrzalke, ZeroLengthDrawsNothing) {
  test::FakeMetrics metrics;
  test::LogCanvas canvas(metrics);
  RysujStrzalke(canvas, ConnectionStyle::Plain, {5, 5}, {5, 5}, 1, 0);
  EXPECT_TRUE(canvas.log.empty());
}

TEST(RysujStrzalke, NoteStyleIsDottedWithAPaleHead) {
  test::FakeMetrics metrics;
  test::LogCanvas canvas(metrics);
  RysujStrzalke(canvas, ConnectionStyle::Note, {0, 0}, {100, 0}, 1, 0);
  const std::vector<std::string> expected = {
      "brush 808080 clear",      "pen 000000 1 dot",   "line 0,0 94,0", "brush e0f1ef solid", "pen 808080 2 solid",
      "polygon 100,0 94,3 94,-3", "pen 000000 1 solid", "polygon 100,0 94,3 94,-3"};
  EXPECT_EQ(canvas.log, expected);
}

struct PathCase {
  const char* name;
  Tobj source, target;
  std::string path;       // the orthogonal part
  std::string arrow_line;  // the arrow segment's line up to the head
};

TEST(RysujPolaczenie, OrthogonalPaths) {
  const PathCase cases[] = {
      {"200 right and 40 down: across, down, across", Block(3, 0, 0, 100, 40), Block(3, 200, 80, 100, 40),
       "line 50,40 150,40 150,80", "line 150,80 244,80"},
      {"mostly downwards: down, across, down", Block(3, 0, 0, 100, 40), Block(3, 20, 200, 100, 40),
       "line 50,40 50,120 70,120", "line 70,120 70,194"},
      {"the middle is rounded half to even", Block(3, 0, 0, 100, 40), Block(3, 0, 81, 100, 40),
       "line 50,40 50,60 50,60", "line 50,60 50,75"},
  };
  for (const PathCase& c : cases) {
    test::FakeMetrics metrics;
    test::LogCanvas canvas(metrics);
    ConnectionView view;
    view.PolaczeniaProste = false;
    RysujPolaczenie(canvas, ConnectionStyle::Plain, c.source, c.target, 1, view, 0);
    EXPECT_EQ(canvas.Starting("line"), (std::vector<std::string>{c.path, c.arrow_line})) << c.name;
  }
}

TEST(RysujPolaczenie, StraightIsOneArrowFromPortToPort) {
  test::FakeMetrics metrics;
  test::LogCanvas canvas(metrics);
  RysujPolaczenie(canvas, ConnectionStyle::Plain, Block(3, 0, 0, 100, 40), Block(3, 0, 100, 100, 40), 1, {}, 0);
  EXPECT_EQ(canvas.Starting("line"), std::vector<std::string>{"line 50,40 50,94"});
  EXPECT_EQ(canvas.Count("polygon 50,100 "), 2);
}

TEST(RysujPolaczenie, NotePointerIsDottedAlongTheWholeOrthogonalPath) {
  test::FakeMetrics metrics;
  test::LogCanvas canvas(metrics);
  ConnectionView view;
  view.PolaczeniaProste = false;
  RysujPolaczenie(canvas, ConnectionStyle::Note, Block(7, 0, 0, 100, 40), Block(3, 200, 80, 100, 40), 1, view, 0);
  ASSERT_FALSE(canvas.log.empty());
  EXPECT_EQ(canvas.log[0], "pen 000000 1 dot");
  EXPECT_EQ(canvas.log[1], "line 50,40 150,40 150,80");
}

}  // namespace
}  // namespace tessaro
