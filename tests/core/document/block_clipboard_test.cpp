// The block clipboard, removal with renumbering, and the removal of links.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/document/block_clipboard.h"
#include "core/document/block_removal.h"
#include "core/document/document_state.h"

namespace tessaro {
namespace {

struct L {
  int32_t link1;
  int32_t link2;
  bool operator==(const L&) const = default;
};

std::ostream& operator<<(std::ostream& os, const L& l) { return os << "(" << l.link1 << "," << l.link2 << ")"; }

// Element i at (10 * i, 100 * i), 20 x 20, with the given links; kind 4
// (condition) where marked.
std::vector<Tobj> Diagram(const std::vector<L>& links, const std::vector<int32_t>& conditions = {}) {
  std::vector<Tobj> out;
  for (size_t i = 0; i < links.size(); ++i) {
    Tobj e;
    e.Left = static_cast<int32_t>(10 * i);
    e.Top = static_cast<int32_t>(100 * i);
    e.Width = e.Height = 20;
    e.Kod = "b" + std::to_string(i);
    e.Link1 = links[i].link1;
    e.Link2 = links[i].link2;
    for (int32_t c : conditions)
      if (c == static_cast<int32_t>(i)) e.Blok = Warunek;
    out.push_back(e);
  }
  return out;
}

std::vector<L> LinksOf(const std::vector<Tobj>& bloki) {
  std::vector<L> out;
  for (const Tobj& e : bloki) out.push_back({e.Link1, e.Link2});
  return out;
}

std::vector<std::string> TextsOf(const std::vector<Tobj>& bloki) {
  std::vector<std::string> out;
  for (const Tobj& e : bloki) out.push_back(e.Kod);
  return out;
}

// Two open documents; document 1 is current and holds `bloki`.
struct Docs {
  TDocumentState state;
  int asked = 0;
  bool answer = false;

  explicit Docs(std::vector<Tobj> bloki) {
    state.OtwartePliki.resize(2);
    state.AktualnyPlik = 1;
    state.Bloki = std::move(bloki);
    state.ZapiszStan();
  }
  void Select(const std::vector<int32_t>& indexes) {
    if (indexes.size() == 1) {
      state.Wybrany = indexes[0];
      return;
    }
    for (int32_t i : indexes) state.Bloki[i].Zaznaczony = 1;
    state.GrupaAktywna = true;
  }
  // Switches to the other (empty) document, as the window does.
  void SwitchToSecond() {
    ClearSelection(state);
    state.AktualnyPlik = 2;
    state.Bloki.clear();
    state.ZapiszStan();
  }
  bool Paste() {
    return Wklej(state, [this] {
      ++asked;
      return answer;
    });
  }
};

TEST(UsunBloki, RenumbersLinksAndBreakpoints) {
  struct Case {
    const char* name;
    std::vector<L> links;
    std::vector<int32_t> conditions;
    std::vector<int32_t> removed;
    std::vector<L> expected;
    std::vector<std::string> texts;
  };
  const Case cases[] = {
      {"element 0", {{1, -1}, {2, -1}, {0, -1}}, {}, {0}, {{1, -1}, {-1, -1}}, {"b1", "b2"}},
      {"the last element", {{1, -1}, {2, -1}, {0, -1}}, {}, {2}, {{1, -1}, {-1, -1}}, {"b0", "b1"}},
      // Block 2 cut; block 4 -> block 3 becomes 3 -> 2.
      {"a middle block", {{1, -1}, {2, -1}, {3, -1}, {4, -1}, {3, -1}}, {}, {2},
       {{1, -1}, {-1, -1}, {3, -1}, {2, -1}}, {"b0", "b1", "b3", "b4"}},
      {"a group with outside links", {{1, -1}, {2, 3}, {3, -1}, {0, -1}}, {1}, {1, 2},
       {{-1, -1}, {0, -1}}, {"b0", "b3"}},
      // A second exit that would come to name element 0 means none, not element 0.
      {"second exit onto the new element 0", {{1, -1}, {-1, -1}, {0, 1}}, {2}, {0},
       {{-1, -1}, {-1, -1}}, {"b1", "b2"}},
      // Values that name nothing are kept as they are; 0 as a second exit stays none.
      {"invalid links untouched", {{7, 0}, {-5, 99}, {0, -1}}, {0, 1}, {2}, {{7, 0}, {-5, 99}}, {"b0", "b1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Docs docs(Diagram(c.links, c.conditions));
    UsunBloki(docs.state, c.removed);
    EXPECT_EQ(LinksOf(docs.state.Bloki), c.expected);
    EXPECT_EQ(TextsOf(docs.state.Bloki), c.texts);
  }
}

TEST(UsunBloki, BreakpointsFollowTheirBlocks) {
  Docs docs(Diagram({{1, -1}, {2, -1}, {3, -1}, {4, -1}, {3, -1}}));
  docs.state.OtwartePliki[0].PunktyPrzerwania = {{4, 1}, {2, 1}, {1, 2}, {40, 1}};
  docs.state.OtwartePliki[1].PunktyPrzerwania = {{4, 1}};  // another document's
  int refreshes = 0;
  docs.state.OnBreakpointsChanged = [&](TDocumentState&) { ++refreshes; };
  docs.state.Wybrany = 4;
  UsunBloki(docs.state, {2});
  std::vector<int32_t> blocks;
  for (const TBreakPoint& b : docs.state.OtwartePliki[0].PunktyPrzerwania) blocks.push_back(b.Block);
  EXPECT_EQ(blocks, (std::vector<int32_t>{3, 1, 40}));
  EXPECT_EQ(docs.state.OtwartePliki[1].PunktyPrzerwania[0].Block, 4);
  EXPECT_EQ(docs.state.Wybrany, 3);
  EXPECT_EQ(refreshes, 1);
}

TEST(Wklej, PastesTheCopiedStructure) {
  // 0 start -> 1 condition (exits 2 and 3) ; 2 -> 4 outside ; 3 -> 3 itself.
  const std::vector<L> source = {{1, -1}, {2, 3}, {4, -1}, {3, -1}, {-1, -1}};
  struct Case {
    const char* name;
    std::vector<int32_t> copied;
    bool cut;
    bool other_document;
    bool answer;
    int pastes;
    int asked;
    std::vector<L> pasted;  // links of the elements appended by the last paste
  };
  const Case cases[] = {
      {"into the same document, keep outside links", {1, 2, 3}, false, false, false, 1, 1,
       {{6, 7}, {4, -1}, {7, -1}}},
      {"into the same document, remove outside links", {1, 2, 3}, false, false, true, 1, 1,
       {{6, 7}, {-1, -1}, {7, -1}}},
      // Each paste rebuilds the structure inside itself; the question each time.
      {"twice", {1, 2, 3}, false, false, true, 2, 2, {{9, 10}, {-1, -1}, {10, -1}}},
      {"into another document", {1, 2, 3}, false, true, false, 1, 0, {{1, 2}, {-1, -1}, {2, -1}}},
      {"into another document twice", {1, 2, 3}, false, true, false, 2, 0, {{4, 5}, {-1, -1}, {5, -1}}},
      // A single element's link to itself follows it.
      {"one element linked to itself", {3}, false, false, false, 1, 0, {{5, -1}}},
      // No outside links: no question.
      {"closed set", {3}, false, true, false, 1, 0, {{0, -1}}},
      // Cut then paste moves the blocks; the outside link followed the renumbering.
      {"cut and paste back", {1, 2, 3}, true, false, false, 1, 1, {{3, 4}, {1, -1}, {4, -1}}},
      {"cut and paste into another document", {1, 2, 3}, true, true, false, 1, 0, {{1, 2}, {-1, -1}, {2, -1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Docs docs(Diagram(source, {1}));
    docs.answer = c.answer;
    docs.Select(c.copied);
    ASSERT_TRUE(c.cut ? WytnijBloki(docs.state) : KopiujBloki(docs.state));
    EXPECT_EQ(docs.state.Schowek.size(), c.copied.size());
    if (c.other_document) docs.SwitchToSecond();
    const size_t before = docs.state.Bloki.size();
    std::vector<Tobj> first;
    for (int k = 0; k < c.pastes; ++k) {
      ASSERT_TRUE(docs.Paste());
      if (k == 0) first.assign(docs.state.Bloki.begin() + before, docs.state.Bloki.end());
    }
    EXPECT_EQ(docs.asked, c.asked);
    const std::vector<Tobj> last(docs.state.Bloki.end() - c.copied.size(), docs.state.Bloki.end());
    EXPECT_EQ(LinksOf(last), c.pasted);
    // Every paste lands 30 units right of and below the copies, on top of the first.
    for (size_t i = 0; i < c.copied.size(); ++i) {
      EXPECT_EQ(last[i].Left, 10 * c.copied[i] + 30);
      EXPECT_EQ(last[i].Top, 100 * c.copied[i] + 30);
      EXPECT_EQ(first[i].Left, last[i].Left);
    }
    // The pasted elements are the selection; the clipboard stays filled.
    if (c.copied.size() == 1) {
      EXPECT_EQ(docs.state.Wybrany, static_cast<int32_t>(docs.state.Bloki.size() - 1));
      EXPECT_FALSE(docs.state.GrupaAktywna);
    } else {
      EXPECT_EQ(docs.state.Wybrany, -1);
      EXPECT_TRUE(docs.state.GrupaAktywna);
      EXPECT_EQ(docs.state.ObszarGrupy.Left, last.front().Left);
      EXPECT_EQ(docs.state.ObszarGrupy.Bottom, last.back().Top + 20);
    }
    EXPECT_EQ(docs.state.Schowek.size(), c.copied.size());
  }
}

TEST(Wklej, InternalSecondExitOntoElementZero) {
  // The condition's second exit leads to the first copied block; pasted into
  // an empty document that block becomes element 0, which cannot be a second
  // exit, so the exit becomes none.
  Docs docs(Diagram({{-1, -1}, {2, -1}, {1, 1}}, {2}));
  docs.Select({1, 2});
  ASSERT_TRUE(KopiujBloki(docs.state));
  docs.SwitchToSecond();
  ASSERT_TRUE(docs.Paste());
  EXPECT_EQ(LinksOf(docs.state.Bloki), (std::vector<L>{{1, -1}, {0, -1}}));
  // An empty clipboard pastes nothing.
  OproznijSchowek(docs.state);
  EXPECT_FALSE(docs.Paste());
}

TEST(SelectionEdits, MarkChangedAndKeepOrEmptyTheClipboard) {
  struct Case {
    const char* name;
    bool (*edit)(TDocumentState&);
    size_t blocks_after;
    size_t clipboard_after;
    bool changed;
  };
  const Case cases[] = {
      {"copy", KopiujBloki, 3, 2, false},
      {"cut", WytnijBloki, 1, 2, true},
      {"delete", UsunZaznaczone, 1, 0, true},
      {"remove links", UsunPolaczenia, 3, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Docs docs(Diagram({{1, -1}, {2, -1}, {0, -1}}));
    docs.state.Zmiana = false;
    docs.Select({1, 2});
    ASSERT_TRUE(c.edit(docs.state));
    EXPECT_EQ(docs.state.Bloki.size(), c.blocks_after);
    EXPECT_EQ(docs.state.Schowek.size(), c.clipboard_after);
    EXPECT_EQ(docs.state.Zmiana, c.changed);
    EXPECT_EQ(docs.state.OtwartePliki[0].Cofnij.size(), c.changed ? 2u : 1u);
    // With nothing selected every one of them refuses.
    ClearSelection(docs.state);
    EXPECT_FALSE(c.edit(docs.state));
  }
}

TEST(UsunPolaczenia, ClearsBothExitsOfTheSelection) {
  Docs docs(Diagram({{1, -1}, {2, 0}, {0, -1}}, {1}));
  docs.Select({1});
  ASSERT_TRUE(UsunPolaczenia(docs.state));
  EXPECT_EQ(LinksOf(docs.state.Bloki), (std::vector<L>{{1, -1}, {-1, -1}, {0, -1}}));
  EXPECT_EQ(docs.state.Wybrany, -1);
}

}  // namespace
}  // namespace tessaro
