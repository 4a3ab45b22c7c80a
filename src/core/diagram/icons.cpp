#include "core/diagram/icons.h"

#include <array>
#include <span>

namespace tessaro {

namespace {

enum class ShapeKind : uint8_t { Polygon, Ellipse, Line, Box };

// One shape of an icon in icon coordinates. An ellipse and a box take their
// corners from points[0] and points[1].
struct IconShape {
  ShapeKind kind;
  TColor pen;
  int32_t pen_width;
  TColor fill;
  bool filled;
  int32_t count;
  std::array<TPunkt, 7> points;
};

constexpr TColor kGreen = 0x00A000, kDarkGreen = 0x004000;
constexpr TColor kSky = 0xF0AA28, kDarkSky = 0x804010;
constexpr TColor kRed = 0x2020E0, kDarkRed = 0x000090;
constexpr TColor kYellow = 0x00E0FF, kAmber = 0x0070A0;
constexpr TColor kWhite = 0xFFFFFF, kBlack = 0, kGrey = 0x808080;

// A right-pointing arrow, the mark of "this line runs".
constexpr std::array<TPunkt, 7> kArrow = {
    {{1, 4}, {8, 4}, {8, 1}, {14, 6}, {8, 11}, {8, 8}, {1, 8}}};

constexpr IconShape kCurrent[] = {{ShapeKind::Polygon, kDarkGreen, 1, kGreen, true, 7, kArrow}};
constexpr IconShape kInstruction[] = {{ShapeKind::Polygon, kDarkSky, 1, kSky, true, 7, kArrow}};
constexpr IconShape kError[] = {
    {ShapeKind::Ellipse, kDarkRed, 1, kRed, true, 2, {{{2, 0}, {15, 13}}}},
    {ShapeKind::Line, kWhite, 2, 0, false, 2, {{{6, 4}, {11, 9}}}},
    {ShapeKind::Line, kWhite, 2, 0, false, 2, {{{11, 4}, {6, 9}}}},
};
constexpr IconShape kWarning[] = {
    {ShapeKind::Polygon, kAmber, 1, kYellow, true, 3, {{{8, 0}, {15, 12}, {1, 12}}}},
    {ShapeKind::Line, kBlack, 2, 0, false, 2, {{{8, 4}, {8, 8}}}},
    {ShapeKind::Box, kBlack, 1, kBlack, true, 2, {{{7, 9}, {9, 11}}}},
};
constexpr IconShape kBreakOn[] = {
    {ShapeKind::Ellipse, kDarkRed, 1, kRed, true, 2, {{{3, 1}, {14, 12}}}}};
constexpr IconShape kBreakOff[] = {
    {ShapeKind::Ellipse, kGrey, 1, kWhite, true, 2, {{{3, 1}, {14, 12}}}}};

std::span<const IconShape> ShapesOf(DiagramIcon icon) {
  switch (icon) {
    case DiagramIcon::CurrentInstruction: return kCurrent;
    case DiagramIcon::Error: return kError;
    case DiagramIcon::Warning: return kWarning;
    case DiagramIcon::Instruction: return kInstruction;
    case DiagramIcon::BreakpointEnabled: return kBreakOn;
    case DiagramIcon::BreakpointDisabled: return kBreakOff;
  }
  return {};
}

}  // namespace

void DrawIcon(Canvas& canvas, DiagramIcon icon, int32_t x, int32_t y) {
  for (const IconShape& s : ShapesOf(icon)) {
    std::array<TPunkt, 7> p{};
    for (int32_t i = 0; i < s.count; ++i) p[i] = {x + s.points[i].x, y + s.points[i].y};
    canvas.SetPen({s.pen, s.pen_width});
    canvas.SetBrush({s.fill, s.filled ? BrushStyle::Solid : BrushStyle::Clear});
    switch (s.kind) {
      case ShapeKind::Polygon: canvas.Polygon(p.data(), s.count); break;
      case ShapeKind::Line: canvas.Polyline(p.data(), s.count); break;
      case ShapeKind::Box: canvas.Rectangle({p[0].x, p[0].y, p[1].x, p[1].y}); break;
      case ShapeKind::Ellipse: {
        const TRect r{p[0].x, p[0].y, p[1].x, p[1].y};
        canvas.RoundRect(r, r.Right - r.Left, r.Bottom - r.Top);
        break;
      }
    }
  }
}

}  // namespace tessaro
