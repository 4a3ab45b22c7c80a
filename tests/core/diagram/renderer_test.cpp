#include "core/diagram/renderer.h"

#include <gtest/gtest.h>

#include "core/diagram/text_block.h"
#include "core/i18n/language.h"
#include "fake_canvas.h"

namespace tessaro {
namespace {

// Courier New 9 on the fake metrics: 7 units a character, 13 a line.
constexpr int32_t kLine = 13;
// The canvas's own font before any element chose one (Tahoma 8).
constexpr int32_t kDefaultLine = 12;

Tobj TextBlock(int32_t kind, int32_t left, int32_t top, const std::string& kod = " ") {
  Tobj e;
  e.Blok = kind;
  e.Left = left;
  e.Top = top;
  e.Kod = kod;
  return e;
}

std::string At(int32_t x, int32_t y) { return std::to_string(x) + "," + std::to_string(y); }

class RenderTest : public ::testing::Test {
 protected:
  test::FakeMetrics metrics;
  DiagramRenderer renderer{metrics};
  std::vector<Tobj> bloki;
  RenderScene scene;

  // Renders twice, as callers do after a change, so sizes have settled and
  // connections follow them; returns the log of the second picture.
  test::LogCanvas Render(int mode = kModeScreen) {
    RenderOnce(mode);
    return RenderOnce(mode);
  }
  test::LogCanvas RenderOnce(int mode = kModeScreen) {
    scene.Bloki = &bloki;
    renderer.RysujSchemat(mode, scene);
    return test::Replayed(renderer.Picture(), metrics);
  }
  int32_t TextWidth(const std::string& id) { return 7 * static_cast<int32_t>(LangText(id).size()); }
};

struct SizeCase {
  const char* name;
  int32_t kind;
  std::string kod;
  int32_t start_text_width;  // the width of the start/end text, 0 = 7 per character
  int32_t width, height;
};

TEST_F(RenderTest, SizesFollowTheText) {
  const SizeCase cases[] = {
      {"processing, one line", Przetwarzanie, "a := 1", 0, 6 * 7 + 40, kLine + 30},
      {"processing, lines end at CR LF", Przetwarzanie, "a\r\nbb\r\nccc", 0, 3 * 7 + 40, 3 * kLine + 30},
      {"a lone LF also ends a line", Przetwarzanie, "abcd\nb", 0, 4 * 7 + 40, 2 * kLine + 30},
      {"input/output", WeWY, "read x", 0, 6 * 7 + 40, kLine + 30},
      {"condition", Warunek, "x > 1", 0, 5 * 7, kLine + 13},
      {"node", Wezel, " ", 0, 15, 15},
      {"note", Notatka, "abc", 0, 3 * 7 + 10, kLine + 10},
      {"start text 11 wide: odd, so one more each way", Start, " ", 11, 42, kLine + 31},
      {"start text 12 wide", Start, " ", 12, 42, kLine + 30},
      {"end text 21 wide", Koniec, " ", 21, 52, kLine + 31},
      {"unknown kind keeps its size", 9, "abc", 0, 50, 20},
      {"kind 0 keeps its size", 0, "abc", 0, 50, 20},
  };
  for (const SizeCase& c : cases) {
    metrics.widths.clear();
    if (c.start_text_width) {
      metrics.widths[LangText("msgm00061")] = c.start_text_width;
      metrics.widths[LangText("msgm00030")] = c.start_text_width;
    }
    bloki = {TextBlock(c.kind, 10, 10, c.kod)};
    bloki[0].Width = 50;
    bloki[0].Height = 20;
    Render();
    EXPECT_EQ(bloki[0].Width, c.width) << c.name;
    EXPECT_EQ(bloki[0].Height, c.height) << c.name;
    EXPECT_EQ(bloki[0].Left, 10) << c.name;
  }
}

TEST_F(RenderTest, ASizeChangeRedrawsTheElementOverItsOldShape) {
  bloki = {TextBlock(Przetwarzanie, 0, 0, "read x")};
  const test::LogCanvas log = RenderOnce();
  EXPECT_EQ(log.Starting("rect"), (std::vector<std::string>{"rect 0,0 0,0", "rect 0,0 82,43"}));
  EXPECT_EQ(log.Count("text 20,15 read x"), 2);
}

TEST_F(RenderTest, TheBlockOpenInTheEditorGrowsAroundItsCentre) {
  bloki = {TextBlock(Przetwarzanie, 100, 100, "a")};
  Render();
  ASSERT_EQ(bloki[0].Height, kLine + 30);
  scene.RecordedBlock = 0;
  scene.RecordedRect = {100, 100, 100 + bloki[0].Width, 100 + bloki[0].Height};
  bloki[0].Kod = "a\r\nb\r\nc";
  Render();
  EXPECT_EQ(bloki[0].Height, 3 * kLine + 30);
  EXPECT_EQ(bloki[0].Top, 100 + 43 / 2 - 69 / 2);
  EXPECT_EQ(bloki[0].Left, 100);  // the width did not change
  // A block the editor does not hold grows downwards.
  bloki.push_back(TextBlock(Przetwarzanie, 300, 100, "a"));
  Render();
  bloki[1].Kod = "a\r\nb";
  Render();
  EXPECT_EQ(bloki[1].Top, 100);
}

TEST_F(RenderTest, ShapesByKind) {
  bloki = {TextBlock(Warunek, 100, 50, "x > 1"), TextBlock(WeWY, 0, 200, "read x"), TextBlock(Start, 0, 300),
           TextBlock(Notatka, 0, 400, "abc"), TextBlock(9, 0, 500)};
  bloki[4].Width = 30;
  bloki[4].Height = 10;
  const test::LogCanvas log = Render();
  EXPECT_TRUE(log.Has("polygon 100,50 135,50 148,63 135,76 100,76 87,63")) << "hexagon, side points h div 2 out";
  EXPECT_TRUE(log.Has("polygon 0,243 67,243 82,200 15,200")) << "parallelogram";
  EXPECT_TRUE(log.Has("round " + At(0, 300) + " " + At(bloki[2].Width, 300 + bloki[2].Height) + " 30x30"));
  EXPECT_TRUE(log.Has("round 0,400 31,423 20x20"));
  EXPECT_TRUE(log.Has("round 0,500 30,510 5x5"));
  EXPECT_TRUE(log.Has("text 20,215 read x"));
  EXPECT_TRUE(log.Has("text 100,57 x > 1"));
  EXPECT_TRUE(log.Has("text 5,405 abc"));
}

TEST_F(RenderTest, ConditionLabelsAndHints) {
  bloki = {TextBlock(Warunek, 100, 50, "x > 1")};
  scene.Wybrany = 0;
  const std::string no = LangText("msgm00036"), yes = LangText("msgm00063");
  test::LogCanvas log = Render();
  // NieTak set: the left exit is the "no" exit.
  EXPECT_TRUE(log.Has("text " + At(100 - TextWidth("msgm00036") - 13, 47) + " " + no));
  EXPECT_TRUE(log.Has("text 149,47 " + yes));
  EXPECT_TRUE(log.Has("text " + At(100 - 28 - 13, 63) + " Ctrl"));
  EXPECT_TRUE(log.Has("text 149,63 Shift"));
  EXPECT_TRUE(log.Has("font Courier New 9 ff0000"));

  bloki[0].NieTak = 0;
  scene.Wybrany = -1;
  log = Render();
  EXPECT_TRUE(log.Has("text " + At(100 - TextWidth("msgm00063") - 13, 47) + " " + yes));
  EXPECT_TRUE(log.Has("text 149,47 " + no));
  EXPECT_EQ(log.Count("text 149,63"), 0);
}

TEST_F(RenderTest, SelectionHandlesAndDottedOutline) {
  bloki = {TextBlock(Warunek, 100, 50, "x > 1")};
  scene.Wybrany = 0;
  test::LogCanvas log = Render();
  for (const char* handle : {"rect 97,47 103,53", "rect 132,47 138,53", "rect 132,73 138,79", "rect 97,73 103,79"}) {
    EXPECT_TRUE(log.Has(handle)) << handle;
  }
  EXPECT_TRUE(log.Has("pen 808080 1 dot"));
  EXPECT_TRUE(log.Has("polygon 102,52 133,52 144,63 133,74 102,74 91,63"));
  EXPECT_TRUE(log.Has("pen ff0000 1 solid")) << "the selected outline is blue";

  scene.EditorHasFocus = true;
  log = Render();
  EXPECT_FALSE(log.Has("pen 808080 1 dot")) << "no dotted outline while the content editor has the focus";
  scene.GrupaAktywna = true;
  log = Render();
  EXPECT_FALSE(log.Has("rect 97,47 103,53")) << "a group hides the single handles";
}

TEST_F(RenderTest, PrintModeShiftsAndDropsEditingDecoration) {
  bloki = {TextBlock(Przetwarzanie, 100, 50, "a"), TextBlock(Przetwarzanie, 100, 150, "b")};
  bloki[0].Link1 = 1;
  bloki[0].Styl.KolorObrysu = 0x123456;
  bloki[1].Styl.KolorObrysu = 0x123456;
  scene.Wybrany = 1;
  TBreakPointArray breakpoints = {TBreakPoint{}};
  scene.Breakpoints = &breakpoints;
  Render();
  scene.Obszar = {100, 147, 50, 193, 47, 143};
  const test::LogCanvas log = Render(kModePrint);
  EXPECT_TRUE(log.Has("rect 0,0 47,43"));
  EXPECT_TRUE(log.Has("rect 0,100 47,143"));
  EXPECT_TRUE(log.Has("line 23,43 23,94"));
  EXPECT_EQ(log.Count("pen 123456"), 0) << "outlines are black";
  EXPECT_EQ(log.Count("pen ff0000"), 0) << "no selection colour, no handles";
  EXPECT_EQ(log.Count("round"), 0) << "no breakpoint marker";
  EXPECT_EQ(renderer.Picture().Frame(), (TRect{0, 0, 47, 143}));
}

TEST_F(RenderTest, ClipboardModeDrawsOnlyMembersAndTheirInnerLinks) {
  bloki = {TextBlock(Przetwarzanie, 0, 0, "a"), TextBlock(Przetwarzanie, 0, 100, "b"),
           TextBlock(Przetwarzanie, 0, 200, "c")};
  bloki[0].Link1 = 1;
  bloki[1].Link1 = 2;
  Render();
  const std::vector<int32_t> copied = {0, 1};
  scene.Clipboard = &copied;
  const test::LogCanvas log = Render(kModeClipboard);
  EXPECT_EQ(log.Count("rect"), 2);
  EXPECT_FALSE(log.Has("text 20,215 c"));
  EXPECT_EQ(log.Starting("line"), std::vector<std::string>{"line 23,43 23,94"}) << "1 -> 2 leaves the copy";
}

TEST_F(RenderTest, LinksAreDrawnOnlyWhenValid) {
  bloki = {TextBlock(Warunek, 100, 0, "x"), TextBlock(Przetwarzanie, 0, 100, "a"),
           TextBlock(Przetwarzanie, 200, 100, "b")};
  bloki[0].Link1 = 1;
  bloki[0].Link2 = 0;   // 0 means no second exit
  bloki[1].Link1 = 7;   // beyond the last index
  bloki[2].Link1 = -1;
  test::LogCanvas log = Render();
  EXPECT_EQ(log.Count("line"), 1) << "only the condition's left exit";
  EXPECT_TRUE(log.Has("text " + At(100 + 7 + 13 + 1, 26 / 2 - kLine - 3) + " " + LangText("msgm00063")))
      << "both labels stay without a second exit";
  bloki[0].Link2 = 2;
  bloki[1].Link1 = 0;  // index 0 is a valid first-exit target
  log = Render();
  EXPECT_EQ(log.Count("line"), 3);
}

TEST_F(RenderTest, NotesPointWithTheNoteStyleAndOnlyLink1) {
  bloki = {TextBlock(Notatka, 0, 0, "n"), TextBlock(Przetwarzanie, 0, 100, "a")};
  bloki[0].Link1 = 1;
  bloki[0].Link2 = 1;
  const test::LogCanvas log = Render();
  EXPECT_EQ(log.Count("line"), 1);
  EXPECT_TRUE(log.Has("pen 000000 1 dot"));
  EXPECT_TRUE(log.Has("brush e0f1ef solid"));
}

TEST_F(RenderTest, HiddenNodesDrawNothingAndLinksMeetAtTheirCentre) {
  bloki = {TextBlock(Przetwarzanie, 0, 0, "a"), TextBlock(Wezel, 16, 100)};
  bloki[0].Link1 = 1;
  test::LogCanvas log = Render();
  EXPECT_TRUE(log.Has("round 16,100 31,115 30x30"));
  EXPECT_TRUE(log.Has("line 19,103 28,112")) << "the grey cross";
  scene.PokazWezly = false;
  log = Render();
  EXPECT_EQ(log.Count("round"), 0);
  EXPECT_EQ(log.Starting("line"), std::vector<std::string>{"line 23,43 23,101"});
  EXPECT_TRUE(log.Has("polygon 23,107 20,101 26,101"));
}

struct MarkerCase {
  const char* name;
  int32_t kind;
  RunHighlight run;
  std::string pen;
  std::string icon_start;  // the first shape of the icon, relative to the block at (0, 0)
};

TEST_F(RenderTest, RunHighlightsRecolourAndMarkTheLine) {
  // Marker point: (4, 15 + (line - 1) * the default line height).
  const int32_t my2 = 15 + kDefaultLine;
  RunHighlight current;
  current.CurrentBlock = 0;
  current.CurrentLine = 2;
  RunHighlight error;
  error.ErrorBlock = 0;
  error.ErrorLine = 2;
  RunHighlight warning;
  warning.WarningBlock = 0;
  warning.WarningLine = 2;
  warning.CurrentBlock = 0;
  RunHighlight pseudo;
  pseudo.PseudocodeActive = true;
  pseudo.PseudocodeBlock = 0;
  pseudo.PseudocodeLine = 2;
  const MarkerCase cases[] = {
      {"current instruction on a processing block", Przetwarzanie, current, "pen 008000 2 solid",
       "polygon " + At(4 + 1, my2 + 1 + 4)},
      {"current instruction on an input/output block", WeWY, current, "pen 008000 2 solid",
       "polygon " + At(4 + 7 + 1, my2 + 1 + 4)},
      // A condition's text starts at the block's left edge; its marker (16
      // wide) ends left of it.
      {"selected error on a condition", Warunek, error, "pen 0000ff 2 solid", "round " + At(4 - 20 + 2, my2 - 6)},
      {"selected warning overrides the current instruction", Przetwarzanie, warning, "pen f0aa28 2 solid",
       "polygon " + At(4 + 8, my2 + 1)},
      {"pseudocode mark", Przetwarzanie, pseudo, "pen f0aa28 2 solid", "polygon " + At(4 + 1, my2 + 1 + 4)},
  };
  for (const MarkerCase& c : cases) {
    bloki = {TextBlock(c.kind, 0, 0, "a\r\nb")};
    scene.Highlight = &c.run;
    const test::LogCanvas log = Render();
    EXPECT_TRUE(log.Has(c.pen)) << c.name;
    bool found = false;
    for (const std::string& s : log.log) found = found || s.rfind(c.icon_start + " ", 0) == 0;
    EXPECT_TRUE(found) << c.name << ": no " << c.icon_start;
  }
  // A start block running shows the pen but no marker.
  bloki = {TextBlock(Start, 0, 0)};
  scene.Highlight = &current;
  const test::LogCanvas log = Render();
  EXPECT_TRUE(log.Has("pen 008000 2 solid"));
  EXPECT_EQ(log.Count("polygon"), 0);
}

TEST_F(RenderTest, LineHeightComesFromThePreviousElementsFont) {
  bloki = {TextBlock(Przetwarzanie, 0, 0, "a"), TextBlock(Przetwarzanie, 0, 100, "b")};
  bloki[0].Styl.RozmiarCzcionki = 20;
  Render();
  // The second block was measured in the first one's font (20 + 4).
  EXPECT_EQ(renderer.Memory().LineHeight, 24);
}

struct BreakpointCase {
  const char* name;
  int32_t kind;
  std::string kod;
  int32_t line;
  bool enabled;
  std::string expected;  // the icon's circle
};

TEST_F(RenderTest, BreakpointMarkersBesideTheirLines) {
  // One block each; the line height is the default one, 12.
  const int32_t lh = kDefaultLine;
  // Processing "a\r\nb": 47 x 56. Condition "x": 7 x 37. Input/output "a\r\nb": 47 x 56.
  const BreakpointCase cases[] = {
      {"processing, line 2", Przetwarzanie, "a\r\nb", 2, true,
       "round " + At(47 - 14 + 3, lh + lh / 2 + 9 + 1) + " " + At(47 - 14 + 14, lh + lh / 2 + 9 + 12) + " 11x11"},
      {"condition, line 1", Warunek, "x", 1, true, "round " + At(7 - 4 + 3, 9 + 1) + " " + At(7 - 4 + 14, 9 + 12) + " 11x11"},
      // d = -(round(15 / (56 / 12) * 2) + 14) = -(round(6.43) + 14) = -20
      {"input/output follows the slant", WeWY, "a\r\nb", 2, false,
       "round " + At(47 - 20 + 3, lh + 15 + 1) + " " + At(47 - 20 + 14, lh + 15 + 12) + " 11x11"},
  };
  for (const BreakpointCase& c : cases) {
    bloki = {TextBlock(c.kind, 0, 0, c.kod)};
    TBreakPointArray breakpoints(1);
    breakpoints[0].Block = 0;
    breakpoints[0].Line = c.line;
    breakpoints[0].Enabled = c.enabled;
    scene.Breakpoints = &breakpoints;
    const test::LogCanvas log = Render();
    EXPECT_TRUE(log.Has(c.expected)) << c.name;
    EXPECT_TRUE(log.Has(c.enabled ? "brush 2020e0 solid" : "brush ffffff solid")) << c.name;
  }
  // A breakpoint naming no block is skipped.
  TBreakPointArray stray(1);
  stray[0].Block = 5;
  scene.Breakpoints = &stray;
  EXPECT_EQ(Render().Count("round"), 0);
}

TEST_F(RenderTest, RubberBandInvertsAndErasesThePreviousOne) {
  bloki = {TextBlock(Przetwarzanie, 0, 0, "a")};
  scene.Nakladka = true;
  scene.RubberBand = {10, 10, 50, 50};
  scene.Bloki = &bloki;
  EXPECT_FALSE(renderer.RysujSchemat(kModeScreen, scene)) << "the bitmap is kept under the band";
  test::LogCanvas log = test::Replayed(renderer.Picture(), metrics);
  EXPECT_EQ(log.Starting("rect"), std::vector<std::string>{"rect 10,10 50,50"});
  EXPECT_TRUE(log.Has("pen 000000 1 solid not"));
  scene.RubberBand = {10, 10, 60, 70};
  renderer.RysujSchemat(kModeScreen, scene);
  log = test::Replayed(renderer.Picture(), metrics);
  EXPECT_EQ(log.Starting("rect"), (std::vector<std::string>{"rect 10,10 50,50", "rect 10,10 60,70"}));
  scene.TemporaryPan = true;
  EXPECT_TRUE(renderer.RysujSchemat(kModeScreen, scene));
  scene.Nakladka = false;
  scene.TemporaryPan = false;
  EXPECT_TRUE(renderer.RysujSchemat(kModeScreen, scene));
}

TEST_F(RenderTest, GroupBrackets) {
  bloki = {TextBlock(Przetwarzanie, 100, 100, "a")};
  scene.GrupaAktywna = true;
  scene.ObszarGrupy = {100, 100, 200, 110};  // a = 10 (from the height), b = 15 (from the width)
  const test::LogCanvas log = Render();
  for (const char* line : {"line 97,115 97,97 110,97", "line 97,115 97,130", "line 110,97 125,97",
                           "line 203,115 203,97 190,97", "line 97,95 97,113 110,113", "line 203,95 203,113 190,113",
                           "line 203,95 203,80"}) {
    EXPECT_TRUE(log.Has(line)) << line;
  }
  EXPECT_TRUE(log.Has("rect 197,107 203,113"));
  EXPECT_EQ(RenderOnce(kModePrint).Count("line"), 0);
}

TEST(DiagramPicture, InkBeyondTheFrameWidensIt) {
  test::FakeMetrics metrics;
  DiagramPicture picture;
  RecordingCanvas canvas(picture, metrics);
  picture.SetFrame({0, 0, 100, 50});
  EXPECT_EQ(picture.FrameWithInk(), (TRect{0, 0, 100, 50}));
  const TPunkt side[] = {{-13, 20}, {120, 20}};
  canvas.Polygon(side, 2);
  canvas.SetFont({"Courier New", 9, 0});
  canvas.TextLine(90, 45, "abc");
  EXPECT_EQ(picture.FrameWithInk(), (TRect{-13, 0, 120, 58}));
  // Selecting the same pen twice records it once.
  canvas.SetPen({0, 1});
  canvas.SetPen({0, 1});
  EXPECT_EQ(test::Replayed(picture, metrics).Count("pen"), 1);
}

TEST(DiagramPicture, ReplayCanSkipWhatLiesOutsideTheView) {
  test::FakeMetrics metrics;
  DiagramPicture picture;
  RecordingCanvas canvas(picture, metrics);
  canvas.SetPen({0x0000FF, 2});
  canvas.Rectangle({0, 0, 50, 50});
  canvas.Rectangle({500, 500, 550, 550});
  const TPunkt across[] = {{-100, 20}, {900, 20}};
  canvas.Polyline(across, 2);
  canvas.SetFont({"Courier New", 9, 0});
  canvas.TextLine(95, 0, "near");  // reaches into the view
  canvas.TextLine(300, 0, "far");
  const TRect view{0, 0, 100, 100};
  test::LogCanvas log(metrics);
  picture.Replay(log, &view);
  const std::vector<std::string> expected = {"pen 0000ff 2 solid", "rect 0,0 50,50", "line -100,20 900,20",
                                             "font Courier New 9 000000", "text 95,0 near"};
  EXPECT_EQ(log.log, expected);
  EXPECT_EQ(test::Replayed(picture, metrics).log.size(), expected.size() + 2);
}

// Each drawing call with the pen, brush and font in effect for it, so two
// logs compare equal when they draw the same, whatever selections they skip.
std::vector<std::string> DrawnWithState(const test::LogCanvas& canvas) {
  std::string pen, brush, font;
  std::vector<std::string> drawn;
  for (const std::string& entry : canvas.log) {
    if (entry.rfind("pen ", 0) == 0) pen = entry;
    else if (entry.rfind("brush ", 0) == 0) brush = entry;
    else if (entry.rfind("font ", 0) == 0) font = entry;
    else drawn.push_back(entry + " | " + pen + " | " + brush + " | " + font);
  }
  return drawn;
}

// A grid of linked blocks of every kind with texts of several lines, one block selected.
std::vector<Tobj> LargeGrid(int32_t columns, int32_t rows) {
  const int32_t kinds[] = {Start, Przetwarzanie, Warunek, WeWY, Wezel, Notatka, Koniec};
  std::vector<Tobj> bloki;
  for (int32_t i = 0; i < columns * rows; ++i) {
    Tobj e = TextBlock(kinds[i % 7], 40 + (i % columns) * 160, 40 + (i / columns) * 120,
                   "x" + std::to_string(i) + " := 1\r\ny := x" + std::to_string(i) + " + 2");
    e.Link1 = i + 1 < columns * rows ? i + 1 : -1;
    e.Link2 = e.Blok == Warunek ? i + columns < columns * rows ? i + columns : -1 : -1;
    bloki.push_back(e);
  }
  return bloki;
}

TEST_F(RenderTest, TheScreenRecordsOnlyWhatIsVisible) {
  const TRect visible{500, 300, 1000, 700};
  bloki = LargeGrid(30, 30);
  scene.Wybrany = 3 * 30 + 4;
  Render();
  const std::vector<Tobj> sized = bloki;
  const size_t whole_ops = renderer.Picture().OpCount();
  test::LogCanvas whole(metrics);
  renderer.Picture().Replay(whole, &visible);

  scene.Visible = visible;
  test::LogCanvas culled = RenderOnce();
  // What the screen shows is drawn the same, in the same pens, brushes and fonts ...
  EXPECT_EQ(DrawnWithState(culled), DrawnWithState(whole));
  EXPECT_GT(DrawnWithState(culled).size(), size_t{30});
  // ... every block is still sized ...
  EXPECT_EQ(bloki, sized);
  // ... and the picture holds the screen's part, not the diagram's 900 blocks.
  EXPECT_LT(renderer.Picture().OpCount() * 20, whole_ops);

  // The thumbnail draws straight what the whole picture holds.
  scene.Visible.reset();
  const test::LogCanvas recorded = RenderOnce();
  test::LogCanvas straight(metrics);
  renderer.Draw(kModeScreen, scene, straight);
  EXPECT_EQ(DrawnWithState(straight), DrawnWithState(recorded));
}

TEST(SplitLines, LineBreaks) {
  const struct {
    std::string text;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {""}},
      {"a", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\r\n", {"a", ""}},
      {"a\rb\nc", {"a", "b", "c"}},
      {"\r\n\r\n", {"", "", ""}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> got;
    for (std::string_view s : SplitLines(c.text)) got.emplace_back(s);
    EXPECT_EQ(got, c.lines) << c.text;
  }
}

}  // namespace
}  // namespace tessaro
