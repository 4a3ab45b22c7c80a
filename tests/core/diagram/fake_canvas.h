// A canvas for the geometry tests: fixed glyph metrics and a log of every
// call as a line of text, so a test can look for the exact shapes drawn.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "core/diagram/canvas.h"
#include "core/diagram/diagram_picture.h"

namespace tessaro::test {

// Every character is 7 units wide unless a whole text is given its own width;
// a line is the font size + 4 units high.
class FakeMetrics : public TextMetrics {
 public:
  std::map<std::string, int32_t> widths;

  int32_t LineWidth(const FontSpec&, const std::string& line) override {
    auto it = widths.find(line);
    return it != widths.end() ? it->second : 7 * static_cast<int32_t>(line.size());
  }
  int32_t LineHeight(const FontSpec& font) override { return font.size + 4; }
};

inline std::string Hex(TColor c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%06x", static_cast<unsigned>(c) & 0xFFFFFFu);
  return buf;
}

inline std::string Points(const TPunkt* p, int32_t n) {
  std::string s;
  for (int32_t i = 0; i < n; ++i) s += (i ? " " : "") + std::to_string(p[i].x) + "," + std::to_string(p[i].y);
  return s;
}

inline std::string Box(const TRect& r) {
  return std::to_string(r.Left) + "," + std::to_string(r.Top) + " " + std::to_string(r.Right) + "," +
         std::to_string(r.Bottom);
}

class LogCanvas : public Canvas {
 public:
  explicit LogCanvas(TextMetrics& metrics) : metrics_(&metrics) {}
  std::vector<std::string> log;

  void SetPen(const PenSpec& p) override {
    log.push_back("pen " + Hex(p.colour) + " " + std::to_string(p.width) +
                  (p.style == PenStyle::Dot ? " dot" : " solid") + (p.mode == PenMode::Not ? " not" : ""));
  }
  void SetBrush(const BrushSpec& b) override {
    log.push_back("brush " + Hex(b.colour) + (b.style == BrushStyle::Clear ? " clear" : " solid"));
  }
  void SetFont(const FontSpec& f) override {
    font_ = f;
    log.push_back("font " + f.name + " " + std::to_string(f.size) + " " + Hex(f.colour) + (f.bold ? " bold" : ""));
  }
  void Rectangle(const TRect& r) override { log.push_back("rect " + Box(r)); }
  void RoundRect(const TRect& r, int32_t rx, int32_t ry) override {
    log.push_back("round " + Box(r) + " " + std::to_string(rx) + "x" + std::to_string(ry));
  }
  void Polygon(const TPunkt* p, int32_t n) override { log.push_back("polygon " + Points(p, n)); }
  void Polyline(const TPunkt* p, int32_t n) override { log.push_back("line " + Points(p, n)); }
  void TextLine(int32_t x, int32_t y, const std::string& line) override {
    log.push_back("text " + std::to_string(x) + "," + std::to_string(y) + " " + line);
  }
  int32_t LineWidth(const std::string& line) override { return metrics_->LineWidth(font_, line); }
  int32_t LineHeight() override { return metrics_->LineHeight(font_); }

  bool Has(const std::string& entry) const {
    for (const std::string& s : log) {
      if (s == entry) return true;
    }
    return false;
  }
  int Count(const std::string& prefix) const {
    int n = 0;
    for (const std::string& s : log) n += s.compare(0, prefix.size(), prefix) == 0;
    return n;
  }
  // The entries that begin with `prefix`, in order.
  std::vector<std::string> Starting(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& s : log) {
      if (s.compare(0, prefix.size(), prefix) == 0) out.push_back(s);
    }
    return out;
  }

 private:
  TextMetrics* metrics_;
  FontSpec font_;
};

// Replays a picture onto a fresh log.
inline LogCanvas Replayed(const DiagramPicture& picture, TextMetrics& metrics) {
  LogCanvas log(metrics);
  picture.Replay(log);
  return log;
}

}  // namespace tessaro::test
