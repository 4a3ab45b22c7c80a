#include "picture/qt_canvas.h"

#include <algorithm>

#include "core/diagram/rounding.h"
#include "picture/font_substitutions.h"
#include "picture/text_crossing.h"

namespace tessaro::picture {

int FontPixelSize(int points) { return std::max(1, RoundEven(points * 96.0 / 72.0)); }

void EnsureFontSubstitutions() {
  static const bool installed = [] {
    for (const FontSubstitution& s : kFontSubstitutions) {
      QFont::insertSubstitution(QString::fromLatin1(s.designed), QString::fromLatin1(s.installed));
    }
    return true;
  }();
  (void)installed;
}

QFont DiagramFont(const FontSpec& spec) {
  EnsureFontSubstitutions();
  QFont font(FromCore(spec.name));
  font.setPixelSize(FontPixelSize(spec.size));
  font.setBold(spec.bold);
  // Sizes are measured once and drawn at any zoom: glyph advances must scale
  // linearly, not snap to the pixel grid of one device.
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(false);
  return font;
}

QColor ToQColor(TColor c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QtTextMetrics::Entry& QtTextMetrics::Lookup(const FontSpec& spec) {
  std::string key = spec.name;
  key += '\0';
  key += std::to_string(spec.size);
  if (spec.bold) key += 'b';
  if (last_ && key == last_key_) return *last_;
  auto it = fonts_.find(key);
  if (it == fonts_.end()) {
    QFont font = DiagramFont(spec);
    it = fonts_.emplace(key, Entry{font, QFontMetrics(font)}).first;
  }
  last_key_ = key;
  last_ = &it->second;
  return *last_;
}

const QFont& QtTextMetrics::Font(const FontSpec& spec) { return Lookup(spec).font; }

const QFontMetrics& QtTextMetrics::Metrics(const FontSpec& spec) { return Lookup(spec).metrics; }

int32_t QtTextMetrics::LineWidth(const FontSpec& font, const std::string& line) {
  constexpr size_t kMaxCachedWidths = 20000;
  Entry& entry = Lookup(font);
  std::string key = last_key_;
  key += '\0';
  key += line;
  auto it = widths_.find(key);
  if (it != widths_.end()) return it->second;
  if (widths_.size() >= kMaxCachedWidths) widths_.clear();
  const int32_t width = entry.metrics.horizontalAdvance(FromCore(line));
  widths_.emplace(std::move(key), width);
  return width;
}

int32_t QtTextMetrics::LineHeight(const FontSpec& font) { return Lookup(font).metrics.height(); }

const QString& TextCache::Get(const std::string& cp1250) {
  // A canvas that draws a whole large diagram keeps at most this many
  // texts, not a converted copy of every text in it.
  constexpr size_t kMaxCachedTexts = 20000;
  auto it = texts_.find(cp1250);
  if (it != texts_.end()) return it->second;
  if (texts_.size() >= kMaxCachedTexts) texts_.clear();
  return texts_.emplace(cp1250, FromCore(cp1250)).first->second;
}

QtCanvas::QtCanvas(QPainter& painter, QtTextMetrics& metrics) : painter_(painter), metrics_(metrics) {
  painter_.setRenderHint(QPainter::Antialiasing, true);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

void QtCanvas::SetPen(const PenSpec& pen) {
  QPen p(ToQColor(pen.colour));
  p.setWidthF(std::max(1, pen.width));
  p.setJoinStyle(Qt::MiterJoin);
  if (pen.style == PenStyle::Dot) {
    p.setCapStyle(Qt::FlatCap);
    p.setDashPattern({1.0, 1.0});
  } else {
    p.setCapStyle(Qt::SquareCap);
  }
  painter_.setPen(p);
  const bool inverting = pen.mode == PenMode::Not;
  if (inverting != inverting_) {
    inverting_ = inverting;
    painter_.setCompositionMode(inverting ? QPainter::RasterOp_NotDestination : QPainter::CompositionMode_SourceOver);
    // Inverting twice must restore every pixel exactly.
    painter_.setRenderHint(QPainter::Antialiasing, !inverting);
  }
}

void QtCanvas::SetBrush(const BrushSpec& brush) {
  if (brush.style == BrushStyle::Clear) {
    painter_.setBrush(Qt::NoBrush);
  } else {
    painter_.setBrush(ToQColor(brush.colour));
  }
}

void QtCanvas::SetFont(const FontSpec& font) {
  font_ = font;
  text_colour_ = ToQColor(font.colour);
  painter_.setFont(metrics_.Font(font));
  ascent_ = metrics_.Metrics(font).ascent();
}

QRectF QtCanvas::Inside(const TRect& r) const {
  const double left = std::min(r.Left, r.Right), right = std::max(r.Left, r.Right);
  const double top = std::min(r.Top, r.Bottom), bottom = std::max(r.Top, r.Bottom);
  return QRectF(left + 0.5, top + 0.5, std::max(0.0, right - left - 1), std::max(0.0, bottom - top - 1));
}

const QPointF* QtCanvas::Points(const TPunkt* points, int32_t count) {
  scratch_.resize(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) scratch_[i] = QPointF(points[i].x + 0.5, points[i].y + 0.5);
  return scratch_.data();
}

void QtCanvas::Rectangle(const TRect& r) { painter_.drawRect(Inside(r)); }

void QtCanvas::RoundRect(const TRect& r, int32_t rx, int32_t ry) {
  const QRectF box = Inside(r);
  const double xr = std::min(rx / 2.0, box.width() / 2), yr = std::min(ry / 2.0, box.height() / 2);
  painter_.drawRoundedRect(box, xr, yr);
}

void QtCanvas::Polygon(const TPunkt* points, int32_t count) {
  if (count > 0) painter_.drawPolygon(Points(points, count), count);
}

void QtCanvas::Polyline(const TPunkt* points, int32_t count) {
  if (count > 0) painter_.drawPolyline(Points(points, count), count);
}

void QtCanvas::TextLine(int32_t x, int32_t y, const std::string& line) {
  const QPen pen = painter_.pen();
  painter_.setPen(text_colour_);
  painter_.drawText(QPointF(x, y + ascent_), texts_.Get(line));
  painter_.setPen(pen);
}

int32_t QtCanvas::LineWidth(const std::string& line) { return metrics_.LineWidth(font_, line); }

int32_t QtCanvas::LineHeight() { return metrics_.LineHeight(font_); }

}  // namespace tessaro::picture
