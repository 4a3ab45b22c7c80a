// Connections: where a link leaves and enters two shapes, the path it takes
// and its arrowhead. A connection is drawn from the source element to the
// block its Link1 or Link2 names, every time the source is drawn.
#pragma once

#include <cstdint>

#include "core/diagram/canvas.h"
#include "core/document/model.h"

namespace tessaro {

// The view toggles and the editor's grid that shape every connection.
struct ConnectionView {
  bool PokazWezly = true;        // junction nodes visible
  bool PolaczeniaProste = true;  // straight lines; false = three orthogonal segments
  int32_t SiatkaKrok = 1;        // grid step
  TPunkt Offset;                 // subtracted from every element coordinate
};

enum class ConnectionStyle : uint8_t { Plain, Note };

struct TPorty {
  TPunkt Start;
  TPunkt End;
  bool operator==(const TPorty&) const = default;
};

struct PunktF {
  double x = 0;
  double y = 0;
};

// exit: 1 for Link1, 2 for Link2.
TPorty WyznaczPorty(const Tobj& source, const Tobj& target, int exit, const ConnectionView& view);

// The geometry of one arrow segment after grid straightening.
struct ArrowShape {
  bool Drawn = false;  // false for a segment of length zero
  PunktF From;
  PunktF Tip;
  PunktF Base;   // where the line ends and the head begins
  PunktF Wing1;
  PunktF Wing2;
};

ArrowShape ArrowSegmentShape(PunktF from, PunktF to, int32_t grid_step);

// The line of an arrow segment and its head with a grey halo. Leaves the pen
// at `colour`, width 1.
void RysujStrzalke(Canvas& canvas, ConnectionStyle style, PunktF from, PunktF to,
                   int32_t grid_step, TColor colour);

// Computes the ports and draws the path and arrowhead in `colour`.
void RysujPolaczenie(Canvas& canvas, ConnectionStyle style, const Tobj& source, const Tobj& target,
                     int exit, const ConnectionView& view, TColor colour);

}  // namespace tessaro
