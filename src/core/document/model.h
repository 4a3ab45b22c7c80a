// The diagram model: one flat array of elements per document.
//
// Blocks refer to each other by index in Bloki; -1 means none. Connections are
// not objects of their own but successor indexes stored in the element they
// leave. All text is Windows-1250.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessaro {

// Colours are 0x00BBGGRR.
using TColor = int32_t;

// Block kinds (Tobj::Blok).
enum BlockKind : int32_t {
  Start = 1,
  Koniec = 2,
  Przetwarzanie = 3,
  Warunek = 4,
  Wezel = 5,
  WeWY = 6,
  Notatka = 7,
};

// Built-in defaults of the style settings.
constexpr TColor kDefaultFillColour = 0xBBFFFF;   // pale yellow
constexpr TColor kDefaultOutlineColour = 0;       // black
constexpr TColor kNoteFillColour = 0xE6FFEA;      // pale green
constexpr const char* kDefaultFontName = "Courier New";
constexpr int32_t kDefaultFontSize = 9;
constexpr const char* kNoteFontName = "Arial Ce";

struct TObjStyl {
  TColor KolorWypelnienia = kDefaultFillColour;
  TColor KolorObrysu = kDefaultOutlineColour;
  TColor KolorTekstu = 0;
  uint8_t Flagi[3] = {0, 0, 0};  // carried along, never interpreted
  std::string NazwaCzcionki = kDefaultFontName;
  int32_t RozmiarCzcionki = kDefaultFontSize;

  bool operator==(const TObjStyl&) const = default;
};

struct Tobj {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t Blok = Przetwarzanie;
  TObjStyl Styl;
  std::string Kod = " ";   // lines separated by CR LF
  int32_t Link1 = -1;      // first exit
  int32_t Link2 = -1;      // a condition's second exit; 0 also means none
  uint8_t NieTak = 1;      // conditions: non-zero = Link1 is the false exit
  uint8_t Zaznaczony = 0;  // member of the group selection; never saved

  bool operator==(const Tobj&) const = default;
};

// One breakpoint: a text line of one block.
struct TBreakPoint {
  int32_t Block = 0;
  int32_t Line = 1;          // 1-based
  uint8_t Enabled = 1;
  uint8_t Conditional = 0;
  std::string Condition = "1";  // at most 255 characters
  uint8_t SkipSameLine = 0;
  // Stop only from the HitCount-th time the condition held on (0: from the
  // first); Hits counts those times in the current run and is never saved.
  int32_t HitCount = 0;
  int32_t Hits = 0;

  bool operator==(const TBreakPoint&) const = default;
};

using TBreakPointArray = std::vector<TBreakPoint>;

// An algorithm in the file format, on disk or in memory (undo snapshots).
using TMemoryStream = std::vector<uint8_t>;

// The style an element gets when it is placed or converted from an old file;
// the program fills it from the settings.
struct TElementDefaults {
  TColor KolorWypelnienia = kDefaultFillColour;
  TColor KolorObrysu = kDefaultOutlineColour;
  std::string NazwaCzcionki = kDefaultFontName;
  int32_t RozmiarCzcionki = kDefaultFontSize;
};

// A rectangle by its two corners, (Left, Top)-(Right, Bottom), diagram units.
struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;

  bool operator==(const TRect&) const = default;
};

// The extents of a set of elements.
struct TObszar {
  int32_t MinX = 0;    // smallest Left
  int32_t MaxX = 0;    // largest Left + Width
  int32_t MinY = 0;    // smallest Top
  int32_t MaxY = 0;    // largest Top + Height
  int32_t Width = 0;   // |MaxX - MinX|
  int32_t Height = 0;  // |MaxY - MinY|

  bool operator==(const TObszar&) const = default;
};

// One entry of the block clipboard: the index the element had in the document
// it was copied from, and a copy of it taken at copy time.
struct TSchowek {
  int32_t Indeks = -1;
  Tobj Obiekt;
  // The position in the clipboard of the member Link1 / Link2 points at, or
  // -1 when the link leaves the copied set (or is none). Links inside the set
  // stay relative to it, so every paste rebuilds the copied structure.
  int32_t Wewn1 = -1;
  int32_t Wewn2 = -1;
};

// One open document.
struct TOtwartePliki {
  std::string Nazwa;    // caption and tree text, at most 255 bytes
  std::string Sciezka;  // full path; empty for a document never saved
  // Snapshots, newest first; element 0 is always the document's current state.
  std::vector<TMemoryStream> Cofnij;
  // The breakpoints that belonged to each snapshot, beside Cofnij (kept in
  // memory only; the file format has no place for them).
  std::vector<TBreakPointArray> CofnijPunkty;
  // Undone snapshots, newest first, with their breakpoints; any new snapshot empties them.
  std::vector<TMemoryStream> Ponow;
  std::vector<TBreakPointArray> PonowPunkty;
  int32_t PoczatekX = 0;
  int32_t PoczatekY = 0;
  double Skala = 100.0;
  int32_t SkalaIndeks = 4;        // the "100%" entry of the zoom list
  void* WezelDrzewa = nullptr;    // the document's node in the open-files tree; owned by the window
  TBreakPointArray PunktyPrzerwania;
  // The diagram as its file holds it (as opened or last saved); empty for a
  // document never saved. The caption's unsaved mark and the questions
  // before closing compare the diagram with it.
  std::vector<Tobj> Zapisany;
};

}  // namespace tessaro
