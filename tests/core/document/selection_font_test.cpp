#include <gtest/gtest.h>

#include "core/document/document_state.h"
#include "core/document/selection_font.h"

namespace tessaro {
namespace {

// Five blocks, each with its own font; block 1 selected.
TDocumentState FiveBlocks() {
  TDocumentState state;
  state.Bloki.resize(5);
  for (int i = 0; i < 5; ++i) {
    state.Bloki[static_cast<size_t>(i)].Styl.NazwaCzcionki = "F" + std::to_string(i);
    state.Bloki[static_cast<size_t>(i)].Styl.RozmiarCzcionki = 8 + i;
  }
  state.Wybrany = 1;
  return state;
}

TEST(SelectionFont, SelectedBlockThenLastGroupMember) {
  TDocumentState state = FiveBlocks();
  int repaints = 0;
  state.OnRepaint = [&](TDocumentState&) { ++repaints; };
  EXPECT_EQ(SelectionFont(state).Name, "F1");

  state.GrupaAktywna = true;
  for (int i : {0, 2, 3}) state.Bloki[static_cast<size_t>(i)].Zaznaczony = 1;
  EXPECT_EQ(SelectionFont(state).Name, "F3");
  EXPECT_EQ(SelectionFont(state).Size, 11);

  // The three members and the selected block change, nothing else does.
  SetSelectionFont(state, {"Arial", 14});
  for (int i = 0; i < 5; ++i) {
    const bool changed = i != 4;
    EXPECT_EQ(state.Bloki[static_cast<size_t>(i)].Styl.NazwaCzcionki == "Arial", changed) << i;
    EXPECT_EQ(state.Bloki[static_cast<size_t>(i)].Styl.RozmiarCzcionki == 14, changed) << i;
  }
  EXPECT_EQ(repaints, 1);
}

TEST(SelectionFont, MarkedBlocksOutsideAnActiveGroupAreLeftAlone) {
  TDocumentState state = FiveBlocks();
  state.Bloki[3].Zaznaczony = 1;  // a stale mark
  SetSelectionFont(state, {"Arial", 14});
  EXPECT_EQ(state.Bloki[1].Styl.NazwaCzcionki, "Arial");
  EXPECT_EQ(state.Bloki[3].Styl.NazwaCzcionki, "F3");

  state.Wybrany = -1;
  EXPECT_EQ(SelectionFont(state).Name, "");
  SetSelectionFont(state, {"Times", 20});  // nothing selected: nothing changes
  for (const Tobj& e : state.Bloki) EXPECT_NE(e.Styl.NazwaCzcionki, "Times");
}

}  // namespace
}  // namespace tessaro
