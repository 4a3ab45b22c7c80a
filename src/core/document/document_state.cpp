#include "core/document/document_state.h"

#include <algorithm>
#include <cstdlib>

#include "core/document/breakpoints.h"

namespace tessaro {

namespace {

int32_t CountLines(const std::string& text) {
  return static_cast<int32_t>(std::count(text.begin(), text.end(), '\r'));
}

}  // namespace

TObszar ComputeExtents(const std::vector<const Tobj*>& elements) {
  TObszar a;
  if (elements.empty()) return a;
  // 64-bit, so that blocks at the far ends of the coordinate range do not overflow.
  int64_t min_x = elements[0]->Left;
  int64_t max_x = int64_t{elements[0]->Left} + elements[0]->Width;
  int64_t min_y = elements[0]->Top;
  int64_t max_y = int64_t{elements[0]->Top} + elements[0]->Height;
  for (size_t i = 1; i < elements.size(); ++i) {
    const Tobj& e = *elements[i];
    min_x = std::min<int64_t>(min_x, e.Left);
    max_x = std::max<int64_t>(max_x, int64_t{e.Left} + e.Width);
    min_y = std::min<int64_t>(min_y, e.Top);
    max_y = std::max<int64_t>(max_y, int64_t{e.Top} + e.Height);
  }
  auto clamp = [](int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
  };
  a.MinX = clamp(min_x);
  a.MaxX = clamp(max_x);
  a.MinY = clamp(min_y);
  a.MaxY = clamp(max_y);
  a.Width = clamp(std::llabs(max_x - min_x));
  a.Height = clamp(std::llabs(max_y - min_y));
  return a;
}

TOtwartePliki* TDocumentState::CurrentDocument() {
  if (AktualnyPlik < 1 || static_cast<size_t>(AktualnyPlik) > OtwartePliki.size()) return nullptr;
  return &OtwartePliki[AktualnyPlik - 1];
}

TElementDefaults TDocumentState::DefaultStyle() const {
  return OnDefaultStyle ? OnDefaultStyle(*this) : TElementDefaults{};
}

void TDocumentState::WyznaczObszar() {
  Zmiana = true;
  std::vector<const Tobj*> all;
  all.reserve(Bloki.size());
  for (const Tobj& e : Bloki) all.push_back(&e);
  ObszarSchematu = ComputeExtents(all);
}

TObszar TDocumentState::WyznaczObszarSchowka() const {
  std::vector<const Tobj*> members;
  members.reserve(Schowek.size());
  for (const TSchowek& s : Schowek) members.push_back(&s.Obiekt);
  return ComputeExtents(members);
}

void TDocumentState::UstawKod(const std::string& text) {
  if (!HasValidSelection()) return;
  Tobj& e = Bloki[Wybrany];
  int32_t before = CountLines(e.Kod);
  e.Kod = text;
  if (CountLines(e.Kod) != before) {
    RemoveBlockBreakpoints(Wybrany);
    BreakpointsChanged();
  }
  // The first paint measures the new text, the second lays the block out around it.
  Repaint();
  Repaint();
  WyznaczObszar();
}

void TDocumentState::ZamienTakNie(uint8_t value) {
  if (!HasValidSelection()) return;
  Bloki[Wybrany].NieTak = value;
  Repaint();
}

bool TDocumentState::HasValidSelection() const {
  return Wybrany >= 0 && static_cast<size_t>(Wybrany) < Bloki.size();
}

TSelectedBlock TDocumentState::SelectedBlock() const {
  if (!HasValidSelection()) return {};
  const Tobj& e = Bloki[Wybrany];
  return {e.Left, e.Top, e.Width, e.Height, Wybrany};
}

void TDocumentState::SetStyle(TColor TObjStyl::*field, TColor colour) {
  if (HasValidSelection()) Bloki[Wybrany].Styl.*field = colour;
  for (Tobj& e : Bloki) {
    if (e.Zaznaczony) e.Styl.*field = colour;
  }
  Repaint();
  ZapiszStan();
}

TColor TDocumentState::GetStyle(TColor TObjStyl::*field) const {
  TColor value = 0;
  if (HasValidSelection()) value = Bloki[Wybrany].Styl.*field;
  if (GrupaAktywna) {
    for (const Tobj& e : Bloki) {
      if (e.Zaznaczony) value = e.Styl.*field;
    }
  }
  return value;
}

void TDocumentState::SetKolorTekstu(TColor colour) { SetStyle(&TObjStyl::KolorTekstu, colour); }
void TDocumentState::SetKolorWypelnienia(TColor colour) { SetStyle(&TObjStyl::KolorWypelnienia, colour); }
void TDocumentState::SetKolorObrysu(TColor colour) { SetStyle(&TObjStyl::KolorObrysu, colour); }
TColor TDocumentState::KolorTekstu() const { return GetStyle(&TObjStyl::KolorTekstu); }
TColor TDocumentState::KolorWypelnienia() const { return GetStyle(&TObjStyl::KolorWypelnienia); }
TColor TDocumentState::KolorObrysu() const { return GetStyle(&TObjStyl::KolorObrysu); }

void TDocumentState::RemoveBreakpoint(int32_t position) {
  if (TOtwartePliki* doc = CurrentDocument()) tessaro::RemoveBreakpoint(doc->PunktyPrzerwania, position);
}

void TDocumentState::RemoveBlockBreakpoints(int32_t block) {
  if (TOtwartePliki* doc = CurrentDocument()) {
    tessaro::RemoveBlockBreakpoints(doc->PunktyPrzerwania, block);
  }
}

void TDocumentState::Repaint() {
  if (OnRepaint) OnRepaint(*this);
}

void TDocumentState::SelectionChanged() {
  if (OnSelectionChanged) OnSelectionChanged(*this);
}

void TDocumentState::BreakpointsChanged() {
  if (OnBreakpointsChanged) OnBreakpointsChanged(*this);
}

}  // namespace tessaro
