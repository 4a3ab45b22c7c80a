#include "core/diagram/diagram_picture.h"

#include <algorithm>

namespace tessaro {

void DiagramPicture::Clear() {
  ops_.clear();
  points_.clear();
  texts_.clear();
  frame_ = {};
  ink_ = {};
  has_ink_ = false;
}

TRect DiagramPicture::FrameWithInk() const {
  if (!has_ink_) return frame_;
  return {std::min(frame_.Left, ink_.Left), std::min(frame_.Top, ink_.Top),
          std::max(frame_.Right, ink_.Right), std::max(frame_.Bottom, ink_.Bottom)};
}

void DiagramPicture::AddInk(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  TRect& box = ops_.back().box;
  box = {std::min(box.Left, x1), std::min(box.Top, y1), std::max(box.Right, x2), std::max(box.Bottom, y2)};
  if (!has_ink_) {
    ink_ = {x1, y1, x2, y2};
    has_ink_ = true;
    return;
  }
  ink_.Left = std::min(ink_.Left, x1);
  ink_.Top = std::min(ink_.Top, y1);
  ink_.Right = std::max(ink_.Right, x2);
  ink_.Bottom = std::max(ink_.Bottom, y2);
}

namespace {

// Wide enough for the widest pen and an arrowhead's halo.
constexpr int32_t kCullMargin = 4;

bool Outside(const TRect& box, const TRect& visible) {
  return box.Right + kCullMargin < visible.Left || box.Left - kCullMargin > visible.Right ||
         box.Bottom + kCullMargin < visible.Top || box.Top - kCullMargin > visible.Bottom;
}

// The rectangle between two corners given in any order.
TRect Normalised(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

}  // namespace

void DiagramPicture::Replay(Canvas& target, const TRect* visible) const {
  for (const Op& op : ops_) {
    if (visible && op.kind >= OpKind::Rectangle && Outside(op.box, *visible)) continue;
    switch (op.kind) {
      case OpKind::Pen:
        target.SetPen({op.a, op.b, static_cast<PenStyle>(op.style), static_cast<PenMode>(op.c)});
        break;
      case OpKind::Brush:
        target.SetBrush({op.a, static_cast<BrushStyle>(op.style)});
        break;
      case OpKind::Font:
        target.SetFont({texts_[op.first], op.a, op.b, op.style != 0});
        break;
      case OpKind::Rectangle:
        target.Rectangle({op.a, op.b, op.c, op.d});
        break;
      case OpKind::RoundRect:
        target.RoundRect({op.a, op.b, op.c, op.d}, op.e, op.f);
        break;
      case OpKind::Polygon:
        target.Polygon(points_.data() + op.first, static_cast<int32_t>(op.count));
        break;
      case OpKind::Polyline:
        target.Polyline(points_.data() + op.first, static_cast<int32_t>(op.count));
        break;
      case OpKind::Text:
        target.TextLine(op.a, op.b, texts_[op.first]);
        break;
    }
  }
}

RecordingCanvas::RecordingCanvas(DiagramPicture& picture, TextMetrics& metrics)
    : picture_(picture), metrics_(metrics) {}

void RecordingCanvas::CullOutside(const TRect& visible) { visible_ = visible; }

// Repeated selections of the same pen, brush or font are not recorded.
void RecordingCanvas::SetPen(const PenSpec& pen) {
  if (pen_set_ && pen == pen_) return;
  pen_ = pen;
  pen_set_ = true;
  if (!visible_) RecordPen();
}

void RecordingCanvas::SetBrush(const BrushSpec& brush) {
  if (brush_set_ && brush == brush_) return;
  brush_ = brush;
  brush_set_ = true;
  if (!visible_) RecordBrush();
}

void RecordingCanvas::SetFont(const FontSpec& font) {
  if (font_set_ && font == font_) return;
  font_ = font;
  font_set_ = true;
  if (!visible_) RecordFont();
}

void RecordingCanvas::RecordPen() {
  recorded_pen_ = pen_;
  DiagramPicture::Op op;
  op.kind = DiagramPicture::OpKind::Pen;
  op.style = static_cast<uint8_t>(pen_.style);
  op.a = pen_.colour;
  op.b = pen_.width;
  op.c = static_cast<int32_t>(pen_.mode);
  picture_.ops_.push_back(op);
}

void RecordingCanvas::RecordBrush() {
  recorded_brush_ = brush_;
  DiagramPicture::Op op;
  op.kind = DiagramPicture::OpKind::Brush;
  op.style = static_cast<uint8_t>(brush_.style);
  op.a = brush_.colour;
  picture_.ops_.push_back(op);
}

void RecordingCanvas::RecordFont() {
  recorded_font_ = font_;
  DiagramPicture::Op op;
  op.kind = DiagramPicture::OpKind::Font;
  op.style = font_.bold ? 1 : 0;
  op.a = font_.size;
  op.b = font_.colour;
  op.first = static_cast<uint32_t>(picture_.texts_.size());
  picture_.texts_.push_back(font_.name);
  picture_.ops_.push_back(op);
}

bool RecordingCanvas::Culled(const TRect& box) {
  if (!visible_) return false;
  if (Outside(box, *visible_)) return true;
  if (pen_set_ && recorded_pen_ != pen_) RecordPen();
  if (brush_set_ && recorded_brush_ != brush_) RecordBrush();
  if (font_set_ && recorded_font_ != font_) RecordFont();
  return false;
}

void RecordingCanvas::Rectangle(const TRect& r) {
  if (Culled(Normalised(r.Left, r.Top, r.Right, r.Bottom))) return;
  DiagramPicture::Op op;
  op.kind = DiagramPicture::OpKind::Rectangle;
  op.a = r.Left, op.b = r.Top, op.c = r.Right, op.d = r.Bottom;
  op.box = {r.Left, r.Top, r.Left, r.Top};
  picture_.ops_.push_back(op);
  picture_.AddInk(r.Left, r.Top, r.Right, r.Bottom);
}

void RecordingCanvas::RoundRect(const TRect& r, int32_t rx, int32_t ry) {
  if (Culled(Normalised(r.Left, r.Top, r.Right, r.Bottom))) return;
  DiagramPicture::Op op;
  op.kind = DiagramPicture::OpKind::RoundRect;
  op.a = r.Left, op.b = r.Top, op.c = r.Right, op.d = r.Bottom, op.e = rx, op.f = ry;
  op.box = {r.Left, r.Top, r.Left, r.Top};
  picture_.ops_.push_back(op);
  picture_.AddInk(r.Left, r.Top, r.Right, r.Bottom);
}

void RecordingCanvas::AddPoints(DiagramPicture::OpKind kind, const TPunkt* points, int32_t count) {
  if (count <= 0) return;
  if (visible_) {
    TRect box{points[0].x, points[0].y, points[0].x, points[0].y};
    for (int32_t i = 1; i < count; ++i) {
      box.Left = std::min(box.Left, points[i].x);
      box.Top = std::min(box.Top, points[i].y);
      box.Right = std::max(box.Right, points[i].x);
      box.Bottom = std::max(box.Bottom, points[i].y);
    }
    if (Culled(box)) return;
  }
  DiagramPicture::Op op;
  op.kind = kind;
  op.first = static_cast<uint32_t>(picture_.points_.size());
  op.count = static_cast<uint32_t>(count);
  op.box = {points[0].x, points[0].y, points[0].x, points[0].y};
  picture_.ops_.push_back(op);
  for (int32_t i = 0; i < count; ++i) {
    picture_.points_.push_back(points[i]);
    picture_.AddInk(points[i].x, points[i].y, points[i].x, points[i].y);
  }
}

void RecordingCanvas::Polygon(const TPunkt* points, int32_t count) {
  AddPoints(DiagramPicture::OpKind::Polygon, points, count);
}

void RecordingCanvas::Polyline(const TPunkt* points, int32_t count) {
  AddPoints(DiagramPicture::OpKind::Polyline, points, count);
}

void RecordingCanvas::TextLine(int32_t x, int32_t y, const std::string& line) {
  if (visible_) {
    // A line above, below or right of what is visible needs no measuring.
    const TRect& v = *visible_;
    const int32_t height = LineHeight();
    if (y + height + kCullMargin < v.Top || y - kCullMargin > v.Bottom || x - kCullMargin > v.Right) return;
    if (Culled({x, y, x + LineWidth(line), y + height})) return;
  }
  DiagramPicture::Op op;
  op.kind = DiagramPicture::OpKind::Text;
  op.a = x, op.b = y;
  op.first = static_cast<uint32_t>(picture_.texts_.size());
  op.box = {x, y, x, y};
  picture_.texts_.push_back(line);
  picture_.ops_.push_back(op);
  picture_.AddInk(x, y, x + LineWidth(line), y + LineHeight());
}

int32_t RecordingCanvas::LineWidth(const std::string& line) { return metrics_.LineWidth(font_, line); }

int32_t RecordingCanvas::LineHeight() { return metrics_.LineHeight(font_); }

}  // namespace tessaro
