// Undo and redo: the snapshot stacks of the current document.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/document/document_state.h"
#include "core/document/snapshots.h"

namespace tessaro {
namespace {

Tobj At(int32_t left, int32_t top) {
  Tobj e;
  e.Left = left;
  e.Top = top;
  e.Width = e.Height = 20;
  return e;
}

// One open document whose base state (an empty diagram) is snapshotted.
struct Doc {
  TDocumentState state;
  int diagram_changes = 0;
  int selection_changes = 0;

  Doc() {
    state.OtwartePliki.resize(1);
    state.AktualnyPlik = 1;
    state.OnDiagramChanged = [this](TDocumentState&) { ++diagram_changes; };
    state.OnSelectionChanged = [this](TDocumentState&) { ++selection_changes; };
    EXPECT_FALSE(state.ZapiszStan());  // the starting state is not a change
  }
  TOtwartePliki& d() { return state.OtwartePliki[0]; }
  // Appends a block at x and snapshots it.
  bool Place(int32_t x) {
    state.Bloki.push_back(At(x, 0));
    return state.ZapiszStan();
  }
  std::vector<int32_t> Lefts() const {
    std::vector<int32_t> out;
    for (const Tobj& e : state.Bloki) out.push_back(e.Left);
    return out;
  }
};

TEST(ZapiszStan, PushesOnlyRealChanges) {
  Doc doc;
  EXPECT_FALSE(doc.state.Zmiana);
  EXPECT_TRUE(doc.Place(10));
  EXPECT_TRUE(doc.state.Zmiana);
  EXPECT_EQ(doc.state.ObszarSchematu.MinX, 10);
  EXPECT_EQ(doc.diagram_changes, 1);

  // A click on a block pushes the same diagram: no snapshot, no change.
  doc.state.Zmiana = false;
  EXPECT_FALSE(doc.state.ZapiszStan());
  // Sizes refitted by the renderer and group marks are not changes either.
  doc.state.Bloki[0].Width = 77;
  doc.state.Bloki[0].Zaznaczony = 1;
  EXPECT_FALSE(doc.state.ZapiszStan());
  EXPECT_EQ(doc.d().Cofnij.size(), 2u);
  EXPECT_FALSE(doc.state.Zmiana);
  EXPECT_EQ(doc.diagram_changes, 1);
  // ... so undo after the click undoes the last real change.
  EXPECT_TRUE(doc.state.CofnijKrok());
  EXPECT_TRUE(doc.state.Bloki.empty());
  // Without a document nothing happens.
  TDocumentState none;
  none.Bloki.push_back(At(0, 0));
  EXPECT_FALSE(none.ZapiszStan());
}

TEST(CofnijKrok, NineteenStepsOfTwentySnapshots) {
  Doc doc;
  for (int i = 1; i <= 25; ++i) ASSERT_TRUE(doc.Place(i));
  EXPECT_EQ(doc.d().Cofnij.size(), static_cast<size_t>(GlebokoscCofania));
  for (int i = 0; i < 19; ++i) ASSERT_TRUE(doc.state.CofnijKrok()) << i;
  EXPECT_EQ(doc.state.Bloki.size(), 6u);
  EXPECT_FALSE(doc.state.CofnijKrok());
  EXPECT_EQ(doc.state.Bloki.size(), 6u);
  // Redo walks all the way back.
  for (int i = 0; i < 19; ++i) ASSERT_TRUE(doc.state.PonowKrok()) << i;
  EXPECT_FALSE(doc.state.PonowKrok());
  EXPECT_EQ(doc.state.Bloki.size(), 25u);
}

TEST(CofnijKrok, UndoRedoAndNewWork) {
  Doc doc;
  doc.Place(1);
  doc.Place(2);
  doc.Place(3);
  doc.state.Wybrany = 2;
  doc.state.Zmiana = false;
  const int changes = doc.diagram_changes;
  ASSERT_TRUE(doc.state.CofnijKrok());
  EXPECT_EQ(doc.Lefts(), (std::vector<int32_t>{1, 2}));
  // Undo clears the selection, marks the document changed and discards the program.
  EXPECT_EQ(doc.state.Wybrany, -1);
  EXPECT_TRUE(doc.state.Zmiana);
  EXPECT_EQ(doc.diagram_changes, changes + 1);
  EXPECT_GE(doc.selection_changes, 1);
  ASSERT_TRUE(doc.state.CofnijKrok());
  ASSERT_TRUE(doc.state.PonowKrok());
  EXPECT_EQ(doc.Lefts(), (std::vector<int32_t>{1, 2}));
  // New work empties the redo stack.
  EXPECT_TRUE(doc.state.MoznaPonowic());
  doc.Place(9);
  EXPECT_FALSE(doc.state.MoznaPonowic());
  EXPECT_FALSE(doc.state.PonowKrok());
  EXPECT_EQ(doc.Lefts(), (std::vector<int32_t>{1, 2, 9}));
}

TEST(CofnijKrok, WorkNotYetSnapshottedIsTheFirstStep) {
  Doc doc;
  doc.Place(1);
  doc.state.Bloki[0].Kod = "x:=1";  // typed in the block editor, no snapshot yet
  EXPECT_TRUE(doc.state.MoznaCofnac());
  ASSERT_TRUE(doc.state.CofnijKrok());
  EXPECT_EQ(doc.state.Bloki.size(), 1u);
  EXPECT_EQ(doc.state.Bloki[0].Kod, " ");
  ASSERT_TRUE(doc.state.PonowKrok());
  EXPECT_EQ(doc.state.Bloki[0].Kod, "x:=1");
  ASSERT_TRUE(doc.state.CofnijKrok());
  ASSERT_TRUE(doc.state.CofnijKrok());
  EXPECT_TRUE(doc.state.Bloki.empty());
}

// Undo and redo change the diagram; breakpoints set or removed since stay as
// they are, except on the blocks a step removes, brings back or changes.
TEST(CofnijKrok, BreakpointsSetSinceStay) {
  Doc doc;
  doc.Place(1);
  doc.Place(2);
  doc.d().PunktyPrzerwania = {{0, 1}, {1, 1}};  // toggled after the last edit
  int refreshes = 0;
  doc.state.OnBreakpointsChanged = [&](TDocumentState&) { ++refreshes; };

  ASSERT_TRUE(doc.state.CofnijKrok());  // block 1 goes, and its breakpoint with it
  EXPECT_EQ(doc.d().PunktyPrzerwania, (TBreakPointArray{{0, 1}}));
  doc.d().PunktyPrzerwania.push_back({0, 2});
  ASSERT_TRUE(doc.state.PonowKrok());  // block 1 comes back with its breakpoint
  EXPECT_EQ(doc.d().PunktyPrzerwania, (TBreakPointArray{{0, 1}, {0, 2}, {1, 1}}));
  doc.d().PunktyPrzerwania.clear();
  ASSERT_TRUE(doc.state.CofnijKrok());  // removed ones stay removed
  EXPECT_TRUE(doc.d().PunktyPrzerwania.empty());
  EXPECT_EQ(refreshes, 3);
}

// A block whose text a step changes back gets the breakpoints kept with that
// text: the lines they name mean what they meant then.
TEST(CofnijKrok, AChangedTextTakesItsOwnBreakpoints) {
  Doc doc;
  doc.state.Bloki.push_back(At(1, 0));
  doc.state.Bloki[0].Kod = "a";
  doc.state.Bloki.push_back(At(2, 0));
  doc.state.ZapiszStan();
  doc.d().PunktyPrzerwania = {{0, 1}};
  doc.state.ZapiszStan();  // the click that selects the block records them
  doc.state.Wybrany = 0;
  doc.state.UstawKod("a\r\nb");  // another number of lines drops block 0's breakpoints
  EXPECT_TRUE(doc.d().PunktyPrzerwania.empty());
  doc.state.ZapiszStan();
  doc.d().PunktyPrzerwania = {{0, 2}, {1, 1}};

  ASSERT_TRUE(doc.state.CofnijKrok());
  EXPECT_EQ(doc.d().PunktyPrzerwania, (TBreakPointArray{{1, 1}, {0, 1}}));
  ASSERT_TRUE(doc.state.PonowKrok());
  EXPECT_EQ(doc.d().PunktyPrzerwania, (TBreakPointArray{{1, 1}, {0, 2}}));
}

TEST(ZapiszStan, StyleSettersSnapshot) {
  Doc doc;
  doc.Place(1);
  doc.state.Wybrany = 0;
  doc.state.SetKolorWypelnienia(0x123456);
  EXPECT_EQ(doc.d().Cofnij.size(), 3u);
  ASSERT_TRUE(doc.state.CofnijKrok());
  EXPECT_NE(doc.state.Bloki[0].Styl.KolorWypelnienia, 0x123456);
}

}  // namespace
}  // namespace tessaro
