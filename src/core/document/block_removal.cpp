#include "core/document/block_removal.h"

#include <algorithm>

#include "core/document/document_state.h"

namespace tessaro {

bool ValidLink1(int32_t link, size_t count) { return link >= 0 && static_cast<size_t>(link) < count; }
bool ValidLink2(int32_t link, size_t count) { return link >= 1 && static_cast<size_t>(link) < count; }

std::vector<int32_t> SelectedIndexes(const TDocumentState& state) {
  std::vector<int32_t> out;
  if (state.GrupaAktywna) {
    for (size_t i = 0; i < state.Bloki.size(); ++i)
      if (state.Bloki[i].Zaznaczony) out.push_back(static_cast<int32_t>(i));
  } else if (state.HasValidSelection()) {
    out.push_back(state.Wybrany);
  }
  return out;
}

std::vector<int32_t> RenumberMap(size_t count, const std::vector<int32_t>& removed) {
  std::vector<int32_t> map(count, 0);
  for (int32_t r : removed)
    if (r >= 0 && static_cast<size_t>(r) < count) map[r] = -1;
  int32_t next = 0;
  for (int32_t& m : map) m = m < 0 ? -1 : next++;
  return map;
}

namespace {

int32_t MapLink1(int32_t link, const std::vector<int32_t>& map) {
  return ValidLink1(link, map.size()) ? map[link] : link;
}

int32_t MapLink2(int32_t link, const std::vector<int32_t>& map) {
  if (!ValidLink2(link, map.size())) return link;
  const int32_t to = map[link];
  return to == 0 ? -1 : to;  // element 0 cannot be a second exit
}

}  // namespace

void UsunBloki(TDocumentState& state, const std::vector<int32_t>& removed) {
  const std::vector<int32_t> map = RenumberMap(state.Bloki.size(), removed);
  if (std::find(map.begin(), map.end(), -1) == map.end()) return;

  std::vector<Tobj> kept;
  kept.reserve(state.Bloki.size());
  for (size_t i = 0; i < state.Bloki.size(); ++i) {
    if (map[i] < 0) continue;
    Tobj e = std::move(state.Bloki[i]);
    e.Link1 = MapLink1(e.Link1, map);
    e.Link2 = MapLink2(e.Link2, map);
    kept.push_back(std::move(e));
  }
  state.Bloki = std::move(kept);

  if (TOtwartePliki* d = state.CurrentDocument()) {
    TBreakPointArray& points = d->PunktyPrzerwania;
    const size_t before = points.size();
    bool moved = false;
    std::erase_if(points, [&](const TBreakPoint& b) {
      return b.Block >= 0 && static_cast<size_t>(b.Block) < map.size() && map[b.Block] < 0;
    });
    for (TBreakPoint& b : points) {
      if (b.Block >= 0 && static_cast<size_t>(b.Block) < map.size() && map[b.Block] != b.Block) {
        b.Block = map[b.Block];
        moved = true;
      }
    }
    if (moved || points.size() != before) state.BreakpointsChanged();
  }

  // The clipboard's links out of its set still name blocks of this document.
  if (state.SchowekZrodlo == state.AktualnyPlik) {
    for (TSchowek& s : state.Schowek) {
      if (s.Wewn1 < 0) s.Obiekt.Link1 = MapLink1(s.Obiekt.Link1, map);
      if (s.Wewn2 < 0) s.Obiekt.Link2 = MapLink2(s.Obiekt.Link2, map);
      s.Indeks = ValidLink1(s.Indeks, map.size()) ? map[s.Indeks] : -1;
    }
  }
  if (state.Wybrany >= 0) state.Wybrany = ValidLink1(state.Wybrany, map.size()) ? map[state.Wybrany] : -1;
}

}  // namespace tessaro
