// The document state of the program: the current diagram, the open
// documents, the selection and the block clipboard.
//
// The program holds one TDocumentState; tests make their own. The window
// connects the hooks; an unset hook does nothing (OnDefaultStyle: the
// built-in defaults).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/document/model.h"

namespace tessaro {

// The selected element's rectangle and index; all -1 when nothing valid is selected.
struct TSelectedBlock {
  int32_t Left = -1;
  int32_t Top = -1;
  int32_t Width = -1;
  int32_t Height = -1;
  int32_t Index = -1;

  bool operator==(const TSelectedBlock&) const = default;
};

class TDocumentState {
 public:
  std::vector<Tobj> Bloki;                 // the current document's diagram
  std::vector<TOtwartePliki> OtwartePliki;  // in opening order
  int32_t AktualnyPlik = 0;                // 1-based; 0 = no document open
  int32_t Wybrany = -1;                    // selected element, -1 = none
  bool GrupaAktywna = false;               // a group of at least two elements is selected
  TRect ObszarGrupy;                       // the group's bounding rectangle
  bool Zmiana = false;                     // the diagram changed since load (global, not per document)
  TObszar ObszarSchematu;                  // extents of Bloki
  std::vector<TSchowek> Schowek;           // the block clipboard
  int32_t SchowekZrodlo = -1;              // 1-based document the clipboard came from, -1 = empty

  // Hooks. Each receives the state first.
  std::function<void(TDocumentState&)> OnRepaint;
  // The current document's breakpoints changed; the window refreshes its
  // breakpoint page if it is showing.
  std::function<void(TDocumentState&)> OnBreakpointsChanged;
  // A file is being saved under `path`; it joins the recent-files list.
  std::function<void(TDocumentState&, const std::string& path)> OnAddRecentFile;
  // The colours and font of new and converted elements, from the settings.
  std::function<TElementDefaults(const TDocumentState&)> OnDefaultStyle;
  // The selected element or group changed (selection, paste, cut, undo, redo,
  // removal, document switch or close).
  std::function<void(TDocumentState&)> OnSelectionChanged;
  // A snapshot really changed the diagram; the window stops and discards the
  // compiled program.
  std::function<void(TDocumentState&)> OnDiagramChanged;

  // The current document's record, or nullptr when AktualnyPlik names none.
  TOtwartePliki* CurrentDocument();

  // The defaults new and converted elements take.
  TElementDefaults DefaultStyle() const;

  // Recomputes ObszarSchematu over Bloki and sets Zmiana.
  void WyznaczObszar();
  // The same extents over the clipboard's copies; Zmiana stays as it is.
  TObszar WyznaczObszarSchowka() const;

  // Replaces the selected element's text. When its number of lines changes,
  // the block's breakpoints in the current document go, since they name lines
  // that no longer mean the same. Repaints and recomputes the extents.
  void UstawKod(const std::string& text);
  // Sets NieTak of the selected element and repaints.
  void ZamienTakNie(uint8_t value);

  // Selection queries of the block content editor.
  bool HasValidSelection() const;
  TSelectedBlock SelectedBlock() const;

  // Style of the selected element and of every group member; each setter repaints.
  void SetKolorTekstu(TColor colour);
  void SetKolorWypelnienia(TColor colour);
  void SetKolorObrysu(TColor colour);
  // The selected element's value, or the last group member's while a group
  // is active; 0 when there is neither.
  TColor KolorTekstu() const;
  TColor KolorWypelnienia() const;
  TColor KolorObrysu() const;

  // Breakpoint removal on the current document's list (nothing without one).
  void RemoveBreakpoint(int32_t position);
  void RemoveBlockBreakpoints(int32_t block);

  void Repaint();
  void SelectionChanged();

  // Snapshots (snapshots.cpp). ZapiszStan is the one place that pushes a
  // snapshot: it pushes the current diagram with its breakpoints unless it
  // equals the newest snapshot, empties the redo stack, and when the diagram
  // really changed marks Zmiana, recomputes the extents and calls
  // OnDiagramChanged. Returns whether the diagram really changed.
  bool ZapiszStan();
  // One undo step; a diagram that differs from the newest snapshot first
  // returns to that snapshot. False when there was nothing to undo.
  bool CofnijKrok();
  // Takes back the last undo step. False when there was nothing to redo.
  bool PonowKrok();
  bool MoznaCofnac();
  bool MoznaPonowic();
  // Drops every snapshot of the current document (a file is opened into it).
  void ZwolnijStos();

 private:
  // Makes a snapshot stream the diagram, with the breakpoints BreakpointsAfterStep
  // gives it (`breakpoints` are those kept with it), and clears the selection.
  void LoadSnapshot(const TMemoryStream& stream, const TBreakPointArray& breakpoints);
  void SetStyle(TColor TObjStyl::*field, TColor colour);
  TColor GetStyle(TColor TObjStyl::*field) const;
};

// The extents of `elements`: the rectangle of the first widened by every
// further one; all 0 for no elements.
TObszar ComputeExtents(const std::vector<const Tobj*>& elements);

}  // namespace tessaro
