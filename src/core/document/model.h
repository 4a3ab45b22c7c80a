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

  bool operator==(const TBreakPoint&) const = default;
};

using TBreakPointArray = std::vector<TBreakPoint>;

}  // namespace tessaro
