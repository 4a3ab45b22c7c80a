#include "core/document/selection_font.h"

#include "core/document/document_state.h"

namespace tessaro {

TBlockFont SelectionFont(const TDocumentState& state) {
  TBlockFont font;
  auto take = [&font](const Tobj& e) { font = {e.Styl.NazwaCzcionki, e.Styl.RozmiarCzcionki}; };
  if (state.HasValidSelection()) take(state.Bloki[static_cast<size_t>(state.Wybrany)]);
  if (state.GrupaAktywna) {
    for (const Tobj& e : state.Bloki) {
      if (e.Zaznaczony) take(e);
    }
  }
  return font;
}

void SetSelectionFont(TDocumentState& state, const TBlockFont& font) {
  auto put = [&font](Tobj& e) {
    e.Styl.NazwaCzcionki = font.Name;
    e.Styl.RozmiarCzcionki = font.Size;
  };
  if (state.HasValidSelection()) put(state.Bloki[static_cast<size_t>(state.Wybrany)]);
  if (state.GrupaAktywna) {
    for (Tobj& e : state.Bloki) {
      if (e.Zaznaczony) put(e);
    }
  }
  state.Repaint();
}

}  // namespace tessaro
