#include "picture/emf_canvas.h"

#include <algorithm>
#include <type_traits>
#include <vector>

#include "picture/qt_canvas.h"

// libEMF's Windows headers come last, without their min and max macros.
#define NOMINMAX
#include <libEMF/emf.h>

namespace tessaro::picture {

namespace {

static_assert(std::is_same_v<HDC, unsigned int> && std::is_same_v<HGDIOBJ, unsigned int>);

HDC Dc(unsigned int dc) { return dc; }

COLORREF Colour(TColor c) { return static_cast<COLORREF>(c) & 0xFFFFFF; }

std::vector<POINT> ToPoints(const TPunkt* points, int32_t count) {
  std::vector<POINT> out(static_cast<size_t>(std::max(0, count)));
  for (int32_t i = 0; i < count; ++i) out[i] = {points[i].x, points[i].y};
  return out;
}

// libEMF's reference device has 3.2 pixels to the millimetre; a diagram unit
// is 1/96 inch = 0.2646 mm, so 3000 units span 2540 device pixels.
constexpr int kWindowExtent = 3000;
constexpr int kViewportExtent = 2540;
// The frame is given in 0.01 mm.
LONG Hundredths(int32_t units) { return static_cast<LONG>(units * 2540LL / 96); }

}  // namespace

EmfCanvas::EmfCanvas(const std::string& path, const TRect& frame, TextMetrics& metrics) : metrics_(metrics) {
  const RECT bounds{0, 0, Hundredths(frame.Right - frame.Left), Hundredths(frame.Bottom - frame.Top)};
  HDC dc = CreateEnhMetaFileA(0, path.c_str(), &bounds, "Tessaro\0diagram\0");
  if (!dc) return;
  dc_ = dc;
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, kWindowExtent, kWindowExtent, nullptr);
  SetViewportExtEx(dc, kViewportExtent, kViewportExtent, nullptr);
  SetWindowOrgEx(dc, frame.Left, frame.Top, nullptr);
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_TOP | TA_LEFT);
  SetPolyFillMode(dc, ALTERNATE);
}

EmfCanvas::~EmfCanvas() { Finish(); }

bool EmfCanvas::Finish() {
  if (!dc_) return false;
  HDC dc = Dc(dc_);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  for (Handle object : {pen_, brush_, font_obj_}) {
    if (object) DeleteObject(object);
  }
  pen_ = brush_ = font_obj_ = 0;
  HENHMETAFILE metafile = CloseEnhMetaFile(dc);
  dc_ = 0;
  if (!metafile) return false;
  DeleteEnhMetaFile(metafile);
  return true;
}

void EmfCanvas::Select(Handle& current, Handle object) {
  if (!dc_ || !object) return;
  SelectObject(Dc(dc_), object);
  if (current) DeleteObject(current);
  current = object;
}

void EmfCanvas::SetPen(const PenSpec& pen) {
  // The inverting mode only serves the screen's rubber band; a file never has one.
  const int style = pen.style == PenStyle::Dot ? PS_DOT : PS_SOLID;
  Select(pen_, CreatePen(style, std::max(1, pen.width), Colour(pen.colour)));
}

void EmfCanvas::SetBrush(const BrushSpec& brush) {
  if (!dc_) return;
  if (brush.style == BrushStyle::Clear) {
    SelectObject(Dc(dc_), GetStockObject(NULL_BRUSH));
    if (brush_) DeleteObject(brush_);
    brush_ = 0;
    return;
  }
  Select(brush_, CreateSolidBrush(Colour(brush.colour)));
}

void EmfCanvas::SetFont(const FontSpec& font) {
  font_ = font;
  if (!dc_) return;
  HFONT f = CreateFontA(-FontPixelSize(font.size), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, EASTEUROPE_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                        font.name.c_str());
  Select(font_obj_, f);
  SetTextColor(Dc(dc_), Colour(font.colour));
}

void EmfCanvas::Rectangle(const TRect& r) {
  if (dc_) ::Rectangle(Dc(dc_), r.Left, r.Top, r.Right, r.Bottom);
}

// libEMF has no RoundRect: the outline is a path of four lines and four
// quarter ellipses, stroked and filled like the shape it stands for.
void EmfCanvas::RoundRect(const TRect& r, int32_t rx, int32_t ry) {
  if (!dc_) return;
  HDC dc = Dc(dc_);
  const double x1 = std::min(r.Left, r.Right), x2 = std::max(r.Left, r.Right) - 1;
  const double y1 = std::min(r.Top, r.Bottom), y2 = std::max(r.Top, r.Bottom) - 1;
  const double a = std::min(rx / 2.0, (x2 - x1) / 2), b = std::min(ry / 2.0, (y2 - y1) / 2);
  constexpr double k = 0.5522847498;  // control distance of a quarter circle
  auto p = [](double x, double y) { return POINT{static_cast<LONG>(x + 0.5), static_cast<LONG>(y + 0.5)}; };
  const POINT corners[4][3] = {
      {p(x2 - a + k * a, y1), p(x2, y1 + b - k * b), p(x2, y1 + b)},
      {p(x2, y2 - b + k * b), p(x2 - a + k * a, y2), p(x2 - a, y2)},
      {p(x1 + a - k * a, y2), p(x1, y2 - b + k * b), p(x1, y2 - b)},
      {p(x1, y1 + b - k * b), p(x1 + a - k * a, y1), p(x1 + a, y1)},
  };
  const POINT edges[4] = {p(x2 - a, y1), p(x2, y2 - b), p(x1 + a, y2), p(x1, y1 + b)};
  BeginPath(dc);
  const POINT start = p(x1 + a, y1);
  MoveToEx(dc, start.x, start.y, nullptr);
  for (int i = 0; i < 4; ++i) {
    LineTo(dc, edges[i].x, edges[i].y);
    PolyBezierTo(dc, corners[i], 3);
  }
  CloseFigure(dc);
  EndPath(dc);
  StrokeAndFillPath(dc);
}

void EmfCanvas::Polygon(const TPunkt* points, int32_t count) {
  if (!dc_ || count <= 0) return;
  const std::vector<POINT> p = ToPoints(points, count);
  ::Polygon(Dc(dc_), p.data(), count);
}

void EmfCanvas::Polyline(const TPunkt* points, int32_t count) {
  if (!dc_ || count <= 0) return;
  const std::vector<POINT> p = ToPoints(points, count);
  ::Polyline(Dc(dc_), p.data(), count);
}

void EmfCanvas::TextLine(int32_t x, int32_t y, const std::string& line) {
  // The text stays Windows-1250, the code page of the font's character set.
  if (dc_) TextOutA(Dc(dc_), x, y, line.c_str(), static_cast<INT>(line.size()));
}

int32_t EmfCanvas::LineWidth(const std::string& line) { return metrics_.LineWidth(font_, line); }

int32_t EmfCanvas::LineHeight() { return metrics_.LineHeight(font_); }

}  // namespace tessaro::picture
