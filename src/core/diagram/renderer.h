// The diagram renderer: draws the current document as a picture in diagram
// units and, in the same pass, fits every block's size to its text.
//
// Modes: 0 the screen (everything, no offset); 5 the whole diagram for
// printing and export (shifted to the extents' top-left, outlines black, no
// editing decoration); 6 as 5, limited to the members of the block clipboard.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/diagram/canvas.h"
#include "core/diagram/connection.h"
#include "core/diagram/diagram_picture.h"
#include "core/diagram/run_highlight.h"
#include "core/document/model.h"

namespace tessaro {

constexpr int kModeScreen = 0;
constexpr int kModePrint = 5;
constexpr int kModeClipboard = 6;

// Everything a render reads, apart from the elements' own fields. Sizes (and
// the position of the block the content editor keeps centred) are written
// back into *Bloki.
struct RenderScene {
  std::vector<Tobj>* Bloki = nullptr;
  int32_t Wybrany = -1;
  bool GrupaAktywna = false;
  TRect ObszarGrupy;  // the group's rectangle, diagram units
  TObszar Obszar;          // ObszarSchematu (of the clipboard members for mode 6)

  // View toggles and grid.
  bool PokazWezly = true;        // "Pokaż/ukryj węzły" checked
  bool PolaczeniaProste = true;  // straight lines: "Połączenia łamane" unchecked
  int32_t SiatkaKrok = 1;

  // Editor interaction.
  bool Nakladka = false;  // a drag is in progress: only the rubber band is drawn
  TRect RubberBand;
  bool NodeToolActive = false;
  bool TemporaryPan = false;
  bool EditorHasFocus = false;  // the block content editor has the keyboard focus
  int32_t RecordedBlock = -1;   // the block the content editor keeps centred
  TRect RecordedRect;      // Left, Top, Left + Width, Top + Height when it opened

  const RunHighlight* Highlight = nullptr;          // none while nothing is compiled
  const TBreakPointArray* Breakpoints = nullptr;    // none: no markers
  const std::vector<int32_t>* Clipboard = nullptr;  // mode 6: the copied indexes

  // Mode 0: the part of the diagram on the screen. The picture then holds
  // only what falls on it; every block is still measured and sized.
  std::optional<TRect> Visible;
};

// State kept from one render to the next.
struct RenderMemory {
  int32_t LineHeight = 0;  // of "jT", measured while drawing kinds 3, 4 and 6
  bool PreviousBandDrawn = false;  // reset by the editor at every press and release
  TRect PreviousBand;
};

class DiagramRenderer {
 public:
  explicit DiagramRenderer(TextMetrics& metrics) : metrics_(metrics) {}

  // Redraws the picture from scratch. Returns whether the screen bitmap must
  // be cleared before the picture is composed onto it (false keeps the
  // bitmap under an inverting rubber band).
  bool RysujSchemat(int mode, RenderScene& scene);
  // Draws the scene straight onto `target`, keeping no picture (the
  // navigator's thumbnail of the whole diagram). Sizes are fitted as by
  // RysujSchemat; scene.Visible is not applied.
  void Draw(int mode, RenderScene& scene, Canvas& target);

  const DiagramPicture& Picture() const { return picture_; }
  RenderMemory& Memory() { return memory_; }

 private:
  TextMetrics& metrics_;
  DiagramPicture picture_;
  RenderMemory memory_;
};

}  // namespace tessaro
