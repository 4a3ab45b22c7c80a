// The drawing surface the renderer talks to.
//
// A small GDI-like state machine: a pen, a brush and a font are selected, then
// shapes and text are drawn with them. Coordinates are integers in the units of
// whoever owns the canvas (diagram units for the renderer). Text is
// Windows-1250; a backend converts it when it leaves the core.
#pragma once

#include <cstdint>
#include <string>

#include "core/document/model.h"

namespace tessaro {

struct TPunkt {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const TPunkt&) const = default;
};


enum class PenStyle : uint8_t { Solid, Dot };
// Not inverts what lies below, so drawing the same shape twice erases it.
enum class PenMode : uint8_t { Copy, Not };
enum class BrushStyle : uint8_t { Solid, Clear };

struct PenSpec {
  TColor colour = 0;
  int32_t width = 1;
  PenStyle style = PenStyle::Solid;
  PenMode mode = PenMode::Copy;
  bool operator==(const PenSpec&) const = default;
};

struct BrushSpec {
  TColor colour = 0xFFFFFF;
  BrushStyle style = BrushStyle::Solid;
  bool operator==(const BrushSpec&) const = default;
};

struct FontSpec {
  std::string name;
  int32_t size = 8;  // points; one point is 96/72 diagram units
  TColor colour = 0;
  bool bold = false;
  bool operator==(const FontSpec&) const = default;
};

// Width and height of one line of text in a font, in the canvas's units.
class TextMetrics {
 public:
  virtual ~TextMetrics() = default;
  virtual int32_t LineWidth(const FontSpec& font, const std::string& line) = 0;
  // The height of a line of text (the same for every text in one font).
  virtual int32_t LineHeight(const FontSpec& font) = 0;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void SetPen(const PenSpec& pen) = 0;
  virtual void SetBrush(const BrushSpec& brush) = 0;
  virtual void SetFont(const FontSpec& font) = 0;

  // Outlined with the pen, filled with the brush; the outline stays inside
  // (Left, Top)-(Right, Bottom) for a one-unit pen, as with GDI shapes.
  virtual void Rectangle(const TRect& r) = 0;
  // rx, ry: the width and height of the corner ellipse.
  virtual void RoundRect(const TRect& r, int32_t rx, int32_t ry) = 0;
  virtual void Polygon(const TPunkt* points, int32_t count) = 0;
  // An open path through the points, with the pen only.
  virtual void Polyline(const TPunkt* points, int32_t count) = 0;
  // One line of text with its cell's top-left at (x, y), transparent background.
  virtual void TextLine(int32_t x, int32_t y, const std::string& line) = 0;

  // Measurement in the font selected now.
  virtual int32_t LineWidth(const std::string& line) = 0;
  virtual int32_t LineHeight() = 0;
};

}  // namespace tessaro
