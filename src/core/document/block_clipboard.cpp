#include "core/document/block_clipboard.h"

#include <unordered_map>
#include <vector>

#include "core/document/block_removal.h"
#include "core/document/document_state.h"
#include "core/document/hit_test.h"

namespace tessaro {

namespace {

constexpr int32_t kPasteOffset = 30;

// The end of every edit of the selection: the picture first, so the
// snapshot holds the sizes the renderer fits, then the snapshot.
void Finish(TDocumentState& state) {
  state.Repaint();
  state.ZapiszStan();
  state.SelectionChanged();
}

}  // namespace

void ClearSelection(TDocumentState& state) {
  state.Wybrany = -1;
  state.GrupaAktywna = false;
  state.ObszarGrupy = {};
  for (Tobj& e : state.Bloki) e.Zaznaczony = 0;
}

void OproznijSchowek(TDocumentState& state) {
  state.Schowek.clear();
  state.SchowekZrodlo = -1;
}

void WypelnijSchowek(TDocumentState& state) {
  OproznijSchowek(state);
  const std::vector<int32_t> indexes = SelectedIndexes(state);
  if (indexes.empty()) return;
  state.SchowekZrodlo = state.AktualnyPlik;
  std::unordered_map<int32_t, int32_t> position;
  for (size_t p = 0; p < indexes.size(); ++p) position[indexes[p]] = static_cast<int32_t>(p);
  const size_t count = state.Bloki.size();
  for (int32_t i : indexes) {
    TSchowek s;
    s.Indeks = i;
    s.Obiekt = state.Bloki[i];
    s.Obiekt.Zaznaczony = 0;
    Tobj& e = s.Obiekt;
    if (ValidLink1(e.Link1, count)) {
      if (auto it = position.find(e.Link1); it != position.end()) s.Wewn1 = it->second;
    } else {
      e.Link1 = -1;  // a value that names nothing here would name something elsewhere
    }
    if (ValidLink2(e.Link2, count)) {
      if (auto it = position.find(e.Link2); it != position.end()) s.Wewn2 = it->second;
    } else if (e.Link2 != 0) {
      e.Link2 = -1;
    }
    state.Schowek.push_back(std::move(s));
  }
}

bool KopiujBloki(TDocumentState& state) {
  WypelnijSchowek(state);
  if (state.Schowek.empty()) return false;
  const bool changed = state.Zmiana;
  state.WyznaczObszar();
  state.Zmiana = changed;
  return true;
}

bool WytnijBloki(TDocumentState& state) {
  WypelnijSchowek(state);
  return UsunZaznaczone(state);
}

bool UsunZaznaczone(TDocumentState& state) {
  const std::vector<int32_t> removed = SelectedIndexes(state);
  if (removed.empty()) return false;
  UsunBloki(state, removed);
  ClearSelection(state);
  Finish(state);
  return true;
}

bool UsunPolaczenia(TDocumentState& state) {
  const std::vector<int32_t> indexes = SelectedIndexes(state);
  if (indexes.empty()) return false;
  for (int32_t i : indexes) state.Bloki[i].Link1 = state.Bloki[i].Link2 = -1;
  ClearSelection(state);
  Finish(state);
  return true;
}

bool Wklej(TDocumentState& state, const AskRemoveOutsideLinks& ask) {
  if (state.Schowek.empty() || !state.CurrentDocument()) return false;
  ClearSelection(state);
  const bool same = state.SchowekZrodlo == state.AktualnyPlik;
  const size_t base = state.Bloki.size();
  // Links out of the pasted set are kept only in the source document, only
  // while they still name one of its blocks, and only if the user agrees.
  auto keeps1 = [&](const TSchowek& s) { return same && s.Wewn1 < 0 && ValidLink1(s.Obiekt.Link1, base); };
  auto keeps2 = [&](const TSchowek& s) { return same && s.Wewn2 < 0 && ValidLink2(s.Obiekt.Link2, base); };
  bool outside = false;
  for (const TSchowek& s : state.Schowek) outside = outside || keeps1(s) || keeps2(s);
  const bool remove = outside && ask && ask();

  for (const TSchowek& s : state.Schowek) {
    Tobj e = s.Obiekt;
    e.Left += kPasteOffset;
    e.Top += kPasteOffset;
    e.Zaznaczony = 0;
    if (s.Wewn1 >= 0)
      e.Link1 = static_cast<int32_t>(base) + s.Wewn1;
    else if (!keeps1(s) || remove)
      e.Link1 = -1;
    if (s.Wewn2 >= 0) {
      const int32_t to = static_cast<int32_t>(base) + s.Wewn2;
      e.Link2 = to == 0 ? -1 : to;
    } else if (e.Link2 != 0 && (!keeps2(s) || remove)) {
      e.Link2 = -1;
    }
    state.Bloki.push_back(std::move(e));
  }
  if (state.Schowek.size() == 1) {
    state.Wybrany = static_cast<int32_t>(base);
  } else {
    std::vector<int32_t> pasted;
    for (size_t i = base; i < state.Bloki.size(); ++i) {
      state.Bloki[i].Zaznaczony = 1;
      pasted.push_back(static_cast<int32_t>(i));
    }
    state.GrupaAktywna = true;
    state.ObszarGrupy = BoundsOfElements(state.Bloki, pasted);
  }
  Finish(state);
  return true;
}

}  // namespace tessaro
