// The diagram canvas on a QPainter: the screen bitmap, the printer, PNG,
// JPEG, SVG and PDF all draw through it.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <string>
#include <unordered_map>

#include "core/diagram/canvas.h"

namespace tessaro::picture {

// A point is 96/72 diagram units, as on the screen the diagrams were drawn for.
int FontPixelSize(int points);

// The font an element names, through the metric-compatible substitutes.
QFont DiagramFont(const FontSpec& spec);

// Registers the font substitutions; safe to call more than once.
void EnsureFontSubstitutions();

// Text measurement with Qt's font metrics, fonts and conversions cached.
class QtTextMetrics : public TextMetrics {
 public:
  int32_t LineWidth(const FontSpec& font, const std::string& line) override;
  int32_t LineHeight(const FontSpec& font) override;

  // The font and its metrics for `spec`.
  const QFont& Font(const FontSpec& spec);
  const QFontMetrics& Metrics(const FontSpec& spec);

 private:
  struct Entry {
    QFont font;
    QFontMetrics metrics;
  };
  Entry& Lookup(const FontSpec& spec);

  std::unordered_map<std::string, Entry> fonts_;  // by name and size
  std::string last_key_;
  Entry* last_ = nullptr;
  // Widths by font key and text; emptied when it grows large, so typing
  // for hours does not grow it without bound.
  std::unordered_map<std::string, int32_t> widths_;
};

// Text converted once per distinct Windows-1250 string.
class TextCache {
 public:
  const QString& Get(const std::string& cp1250);

 private:
  std::unordered_map<std::string, QString> texts_;
};

// Replays onto `painter`, whose transform the caller sets (diagram units to
// device). Shapes follow GDI's pixel rules: a point covers the unit square
// right of and below it, and a rectangle's outline stays inside its corners.
class QtCanvas : public Canvas {
 public:
  QtCanvas(QPainter& painter, QtTextMetrics& metrics);

  void SetPen(const PenSpec& pen) override;
  void SetBrush(const BrushSpec& brush) override;
  void SetFont(const FontSpec& font) override;
  void Rectangle(const TRect& r) override;
  void RoundRect(const TRect& r, int32_t rx, int32_t ry) override;
  void Polygon(const TPunkt* points, int32_t count) override;
  void Polyline(const TPunkt* points, int32_t count) override;
  void TextLine(int32_t x, int32_t y, const std::string& line) override;
  int32_t LineWidth(const std::string& line) override;
  int32_t LineHeight() override;

 private:
  QRectF Inside(const TRect& r) const;
  const QPointF* Points(const TPunkt* points, int32_t count);

  QPainter& painter_;
  QtTextMetrics& metrics_;
  TextCache texts_;
  FontSpec font_;
  QColor text_colour_;
  int ascent_ = 0;
  bool inverting_ = false;
  std::vector<QPointF> scratch_;
};

QColor ToQColor(TColor colour);
// The reverse of ToQColor: 0x00BBGGRR, alpha dropped.
inline TColor FromQColor(const QColor& colour) {
  return static_cast<TColor>(static_cast<uint32_t>(colour.red()) | (static_cast<uint32_t>(colour.green()) << 8) |
                             (static_cast<uint32_t>(colour.blue()) << 16));
}

}  // namespace tessaro::picture
