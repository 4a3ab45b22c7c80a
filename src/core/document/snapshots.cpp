// The snapshot stacks of the current document: undo and redo.
#include "core/document/snapshots.h"

#include "core/document/alg_reader.h"
#include "core/document/alg_writer.h"
#include "core/document/breakpoints.h"
#include "core/document/document_state.h"

namespace tessaro {

namespace {

// Older documents (or code that pushed a stream alone) may have fewer
// breakpoint lists than snapshots; the missing ones are empty.
void Align(TOtwartePliki& d) {
  d.CofnijPunkty.resize(d.Cofnij.size());
  d.PonowPunkty.resize(d.Ponow.size());
}

void PushFront(std::vector<TMemoryStream>& streams, std::vector<TBreakPointArray>& points,
               TMemoryStream stream, TBreakPointArray breakpoints) {
  streams.insert(streams.begin(), std::move(stream));
  points.insert(points.begin(), std::move(breakpoints));
  if (streams.size() > static_cast<size_t>(GlebokoscCofania)) {
    streams.resize(GlebokoscCofania);
    points.resize(GlebokoscCofania);
  }
}

}  // namespace

bool SameWork(const std::vector<Tobj>& a, const std::vector<Tobj>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    Tobj x = a[i];
    const Tobj& y = b[i];
    x.Zaznaczony = y.Zaznaczony;
    // The renderer fits every known kind to its text at each repaint.
    if (x.Blok >= Start && x.Blok <= Notatka && x.Blok == y.Blok) {
      x.Width = y.Width;
      x.Height = y.Height;
    }
    if (!(x == y)) return false;
  }
  return true;
}

bool SameWork(const TMemoryStream& a, const TMemoryStream& b) {
  if (a == b) return true;
  const TAlgRead ra = ReadAlgorithm(a, TElementDefaults{});
  const TAlgRead rb = ReadAlgorithm(b, TElementDefaults{});
  if (!ra.ok || !rb.ok) return false;
  return SameWork(ra.bloki, rb.bloki);
}

bool TDocumentState::ZapiszStan() {
  TOtwartePliki* d = CurrentDocument();
  if (!d) return false;
  Align(*d);
  TMemoryStream stream;
  if (!ZapiszSchemat(Bloki, stream)) return false;
  if (d->Cofnij.empty()) {
    // The document's first state is where it starts, not a change.
    PushFront(d->Cofnij, d->CofnijPunkty, std::move(stream), d->PunktyPrzerwania);
    return false;
  }
  if (SameWork(d->Cofnij.front(), stream)) {
    // Sizes refitted since, and breakpoints toggled since, belong to the same state.
    d->Cofnij.front() = std::move(stream);
    d->CofnijPunkty.front() = d->PunktyPrzerwania;
    return false;
  }
  PushFront(d->Cofnij, d->CofnijPunkty, std::move(stream), d->PunktyPrzerwania);
  d->Ponow.clear();
  d->PonowPunkty.clear();
  WyznaczObszar();
  if (OnDiagramChanged) OnDiagramChanged(*this);
  return true;
}

void TDocumentState::LoadSnapshot(const TMemoryStream& stream, const TBreakPointArray& breakpoints) {
  TAlgRead read = ReadAlgorithm(stream, DefaultStyle());
  if (read.ok) {
    if (TOtwartePliki* d = CurrentDocument())
      d->PunktyPrzerwania = BreakpointsAfterStep(Bloki, d->PunktyPrzerwania, read.bloki, breakpoints);
    Bloki = std::move(read.bloki);
  }
  for (Tobj& e : Bloki) e.Zaznaczony = 0;
  Wybrany = -1;
  GrupaAktywna = false;
  ObszarGrupy = {};
  if (OnBreakpointsChanged) OnBreakpointsChanged(*this);
  SelectionChanged();
  WyznaczObszar();
  if (OnDiagramChanged) OnDiagramChanged(*this);
  // The first paint measures the texts, the second lays the blocks out.
  Repaint();
  Repaint();
}

bool TDocumentState::MoznaCofnac() {
  TOtwartePliki* d = CurrentDocument();
  if (!d || d->Cofnij.empty()) return false;
  if (d->Cofnij.size() >= 2) return true;
  TMemoryStream stream;
  return ZapiszSchemat(Bloki, stream) && !SameWork(d->Cofnij.front(), stream);
}

bool TDocumentState::MoznaPonowic() {
  TOtwartePliki* d = CurrentDocument();
  return d && !d->Ponow.empty();
}

bool TDocumentState::CofnijKrok() {
  TOtwartePliki* d = CurrentDocument();
  if (!d || d->Cofnij.empty()) return false;
  Align(*d);
  TMemoryStream now;
  if (!ZapiszSchemat(Bloki, now)) return false;
  if (!SameWork(d->Cofnij.front(), now)) {
    // Work not yet snapshotted (text typed) is the step undone first; redo brings it back.
    PushFront(d->Ponow, d->PonowPunkty, std::move(now), d->PunktyPrzerwania);
  } else {
    if (d->Cofnij.size() < 2) return false;
    // The state left keeps the breakpoints it has now.
    PushFront(d->Ponow, d->PonowPunkty, std::move(d->Cofnij.front()), d->PunktyPrzerwania);
    d->Cofnij.erase(d->Cofnij.begin());
    d->CofnijPunkty.erase(d->CofnijPunkty.begin());
  }
  const TMemoryStream stream = d->Cofnij.front();
  const TBreakPointArray breakpoints = d->CofnijPunkty.front();
  LoadSnapshot(stream, breakpoints);
  return true;
}

bool TDocumentState::PonowKrok() {
  TOtwartePliki* d = CurrentDocument();
  if (!d || d->Ponow.empty()) return false;
  Align(*d);
  if (!d->Cofnij.empty()) d->CofnijPunkty.front() = d->PunktyPrzerwania;
  TMemoryStream stream = std::move(d->Ponow.front());
  TBreakPointArray breakpoints = std::move(d->PonowPunkty.front());
  d->Ponow.erase(d->Ponow.begin());
  d->PonowPunkty.erase(d->PonowPunkty.begin());
  PushFront(d->Cofnij, d->CofnijPunkty, stream, breakpoints);
  LoadSnapshot(stream, breakpoints);
  return true;
}

void TDocumentState::ZwolnijStos() {
  TOtwartePliki* d = CurrentDocument();
  if (!d) return;
  d->Cofnij.clear();
  d->CofnijPunkty.clear();
  d->Ponow.clear();
  d->PonowPunkty.clear();
}

}  // namespace tessaro
