// The document state: extents, text and style edits, selection queries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/document/document_state.h"

namespace tessaro {
namespace {

Tobj Box(int32_t left, int32_t top, int32_t width, int32_t height) {
  Tobj e;
  e.Left = left;
  e.Top = top;
  e.Width = width;
  e.Height = height;
  return e;
}

TEST(WyznaczObszar, ExtentsOfTheDiagram) {
  struct Case {
    const char* name;
    std::vector<Tobj> bloki;
    TObszar expected;  // MinX MaxX MinY MaxY Width Height
  };
  const Case cases[] = {
      {"empty", {}, {0, 0, 0, 0, 0, 0}},
      {"one", {Box(10, 20, 100, 40)}, {10, 110, 20, 60, 100, 40}},
      // Starting from element 0, not from the origin.
      {"away from the origin", {Box(300, 200, 50, 50), Box(100, 400, 20, 10)},
       {100, 350, 200, 410, 250, 210}},
      {"negative", {Box(-50, -70, 20, 20), Box(10, 10, 5, 5)}, {-50, 15, -70, 15, 65, 85}},
      {"far apart", {Box(INT32_MIN, INT32_MIN, 0, 0), Box(INT32_MAX - 5, INT32_MAX - 5, 5, 5)},
       {INT32_MIN, INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TDocumentState state;
    state.Bloki = c.bloki;
    state.WyznaczObszar();
    EXPECT_EQ(state.ObszarSchematu, c.expected);
    EXPECT_TRUE(state.Zmiana);
  }
}

TEST(WyznaczObszar, ClipboardFormLeavesTheChangeFlag) {
  TDocumentState state;
  state.Bloki = {Box(0, 0, 1000, 1000)};
  state.Schowek = {{0, Box(5, 6, 10, 10)}, {3, Box(50, 60, 10, 10)}};
  TObszar expected{5, 60, 6, 70, 55, 64};
  EXPECT_EQ(state.WyznaczObszarSchowka(), expected);
  EXPECT_FALSE(state.Zmiana);
  EXPECT_EQ(state.ObszarSchematu, TObszar{});
}

// A state with one open document, blocks 0..2, breakpoints on blocks 1 and 2.
struct Fixture {
  TDocumentState state;
  int repaints = 0;
  int breakpoint_refreshes = 0;

  Fixture() {
    state.Bloki = {Box(0, 0, 10, 10), Box(0, 50, 10, 10), Box(0, 100, 10, 10)};
    state.Bloki[1].Kod = "a:=1\r\nb:=2";
    state.OtwartePliki.resize(2);
    state.AktualnyPlik = 2;
    state.OtwartePliki[1].PunktyPrzerwania = {{1, 1}, {2, 1}, {1, 2}};
    state.OtwartePliki[0].PunktyPrzerwania = {{1, 1}};  // another document's, never touched
    state.OnRepaint = [this](TDocumentState&) { ++repaints; };
    state.OnBreakpointsChanged = [this](TDocumentState&) { ++breakpoint_refreshes; };
  }
  std::vector<int32_t> BreakpointBlocks() {
    std::vector<int32_t> out;
    for (const TBreakPoint& b : state.OtwartePliki[1].PunktyPrzerwania) out.push_back(b.Block);
    return out;
  }
};

TEST(UstawKod, BreakpointsGoOnlyWhenTheLineCountChanges) {
  struct Case {
    std::string text;
    std::vector<int32_t> blocks_left;
  };
  const Case cases[] = {
      {"a:=10\r\nb:=20", {1, 2, 1}},          // same number of lines
      {"a:=1", {2}},                          // one line fewer
      {"a:=1\r\nb:=2\r\nc:=3", {2}},          // one line more
      {"a:=1\r\nb:=2\nc:=3", {1, 2, 1}},    // a bare LF does not count as a line
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Fixture f;
    f.state.Wybrany = 1;
    f.state.UstawKod(c.text);
    EXPECT_EQ(f.state.Bloki[1].Kod, c.text);
    EXPECT_EQ(f.BreakpointBlocks(), c.blocks_left);
    EXPECT_EQ(f.breakpoint_refreshes, c.blocks_left.size() == 3 ? 0 : 1);
    EXPECT_EQ(f.state.OtwartePliki[0].PunktyPrzerwania.size(), 1u);
    EXPECT_EQ(f.repaints, 2);
    EXPECT_TRUE(f.state.Zmiana);
    EXPECT_EQ(f.state.ObszarSchematu.MaxY, 110);
  }
}

TEST(UstawKod, WithoutAValidSelectionNothingHappens) {
  for (int32_t wybrany : {-1, 3, 1000}) {
    Fixture f;
    f.state.Wybrany = wybrany;
    std::vector<Tobj> before = f.state.Bloki;
    f.state.UstawKod("x");
    f.state.ZamienTakNie(0);
    EXPECT_EQ(f.state.Bloki, before);
    EXPECT_EQ(f.repaints, 0);
    EXPECT_FALSE(f.state.Zmiana);
  }
}

TEST(UstawKod, WithNoCurrentDocumentTheTextStillChanges) {
  Fixture f;
  f.state.AktualnyPlik = 0;
  f.state.Wybrany = 1;
  f.state.UstawKod("one line");
  EXPECT_EQ(f.state.Bloki[1].Kod, "one line");
  EXPECT_EQ(f.BreakpointBlocks(), (std::vector<int32_t>{1, 2, 1}));
}

TEST(ZamienTakNie, StoresTheByteAndRepaints) {
  Fixture f;
  f.state.Wybrany = 2;
  f.state.ZamienTakNie(0);
  EXPECT_EQ(f.state.Bloki[2].NieTak, 0);
  EXPECT_EQ(f.repaints, 1);
}

TEST(Selection, RectangleAndIndexOfTheSelectedBlock) {
  Fixture f;
  f.state.Wybrany = 1;
  EXPECT_EQ(f.state.SelectedBlock(), (TSelectedBlock{0, 50, 10, 10, 1}));
  for (int32_t wybrany : {-1, 3}) {
    f.state.Wybrany = wybrany;
    EXPECT_EQ(f.state.SelectedBlock(), (TSelectedBlock{-1, -1, -1, -1, -1}));
  }
}

TEST(Style, SettersReachTheSelectionAndTheGroup) {
  Fixture f;
  f.state.Wybrany = 0;
  f.state.Bloki[2].Zaznaczony = 1;
  f.state.SetKolorTekstu(0x11);
  f.state.SetKolorWypelnienia(0x22);
  f.state.SetKolorObrysu(0x33);
  for (size_t i : {0u, 2u}) {
    EXPECT_EQ(f.state.Bloki[i].Styl.KolorTekstu, 0x11);
    EXPECT_EQ(f.state.Bloki[i].Styl.KolorWypelnienia, 0x22);
    EXPECT_EQ(f.state.Bloki[i].Styl.KolorObrysu, 0x33);
  }
  EXPECT_EQ(f.state.Bloki[1].Styl, TObjStyl{});
  EXPECT_EQ(f.repaints, 3);
}

TEST(Style, GettersPreferTheLastGroupMember) {
  struct Case {
    const char* name;
    int32_t wybrany;
    bool group;
    TColor expected;
  };
  const Case cases[] = {
      {"nothing", -1, false, 0},
      {"selected", 0, false, 0x100},
      {"group overrides the selection", 0, true, 0x300},
      {"group alone", -1, true, 0x300},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    for (size_t i = 0; i < 3; ++i) {
      f.state.Bloki[i].Styl.KolorTekstu = static_cast<TColor>(0x100 * (i + 1));
      f.state.Bloki[i].Styl.KolorWypelnienia = static_cast<TColor>(0x100 * (i + 1));
      f.state.Bloki[i].Styl.KolorObrysu = static_cast<TColor>(0x100 * (i + 1));
    }
    f.state.Wybrany = c.wybrany;
    f.state.GrupaAktywna = c.group;
    f.state.Bloki[1].Zaznaczony = f.state.Bloki[2].Zaznaczony = c.group;
    EXPECT_EQ(f.state.KolorTekstu(), c.expected);
    EXPECT_EQ(f.state.KolorWypelnienia(), c.expected);
    EXPECT_EQ(f.state.KolorObrysu(), c.expected);
  }
}

TEST(DefaultStyle, ComesFromTheHookWhenConnected) {
  TDocumentState state;
  EXPECT_EQ(state.DefaultStyle().KolorWypelnienia, kDefaultFillColour);
  state.OnDefaultStyle = [](const TDocumentState&) {
    TElementDefaults d;
    d.RozmiarCzcionki = 14;
    return d;
  };
  EXPECT_EQ(state.DefaultStyle().RozmiarCzcionki, 14);
}

}  // namespace
}  // namespace tessaro
