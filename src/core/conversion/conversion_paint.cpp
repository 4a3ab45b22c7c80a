#include "core/conversion/conversion_paint.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "core/conversion/base_conversion.h"
#include "core/conversion/conversion_figure.h"

namespace tessaro {

namespace {

constexpr const char* kCaptionFont = "Tahoma";
constexpr TColor kArrowGrey = 0x808080;
constexpr TColor kArrowHead = 0x000000;
constexpr TColor kInvalidRed = 0x0000D0;   // RGB(208, 0, 0)
constexpr TColor kNoteFill = 0xE1FFFF;     // RGB(255, 255, 225)
constexpr TColor kNoteText = 0x000080;     // RGB(128, 0, 0)
constexpr int32_t kStripSpacing = 4;       // between the characters of a strip
constexpr int32_t kStripMargin = 10;       // stripe overhang above and below
constexpr int32_t kStripRightMargin = 20;  // from the right edge

struct Painter {
  Canvas& canvas;
  const TConversionStyle& style;
  TRect area;

  FontSpec Normal(TColor colour, bool bold = false) const {
    return FontSpec{style.cfgTextFontName, style.cfgFontSize, colour, bold};
  }
  FontSpec Small(TColor colour) const { return FontSpec{style.cfgTextFontName, style.cfgFontSmallSize, colour}; }
  FontSpec Caption(TColor colour) const { return FontSpec{kCaptionFont, style.cfgFontSize, colour}; }
  int32_t Centre() const { return (area.Left + area.Right) / 2; }

  int32_t Height(const FontSpec& font) {
    canvas.SetFont(font);
    return canvas.LineHeight();
  }
  int32_t Width(const FontSpec& font, const std::string& text) {
    canvas.SetFont(font);
    return canvas.LineWidth(text);
  }
  // Draws and returns the x just after the text.
  int32_t Text(const FontSpec& font, int32_t x, int32_t y, const std::string& text) {
    canvas.SetFont(font);
    canvas.TextLine(x, y, text);
    return x + canvas.LineWidth(text);
  }
  // A small "(base)" whose bottom meets the bottom of the normal text at y.
  int32_t Suffix(int32_t x, int32_t y, int32_t base) {
    const int32_t drop = Height(Normal(0)) - Height(Small(0));
    return Text(Small(style.cfgTextColorLeft), x, y + drop, "(" + std::to_string(base) + ")");
  }
  int32_t SuffixWidth(int32_t base) { return Width(Small(0), "(" + std::to_string(base) + ")"); }

  void Fill(const TRect& r, TColor colour) {
    canvas.SetPen(PenSpec{colour, 1, PenStyle::Solid, PenMode::Copy});
    canvas.SetBrush(BrushSpec{colour, BrushStyle::Solid});
    canvas.Rectangle(r);
  }
  void Line(TColor colour, int32_t width, TPunkt a, TPunkt b) {
    canvas.SetPen(PenSpec{colour, width, PenStyle::Solid, PenMode::Copy});
    const TPunkt points[2] = {a, b};
    canvas.Polyline(points, 2);
  }

  // The text broken at spaces into lines no wider than `width` (a word
  // wider than that keeps a line of its own).
  std::vector<std::string> Wrapped(const FontSpec& font, const std::string& text, int32_t width) {
    std::vector<std::string> lines;
    std::string line;
    size_t at = 0;
    while (at <= text.size()) {
      size_t end = text.find(' ', at);
      if (end == std::string::npos) end = text.size();
      const std::string word = text.substr(at, end - at);
      const std::string longer = line.empty() ? word : line + " " + word;
      if (!line.empty() && Width(font, longer) > width) {
        lines.push_back(line);
        line = word;
      } else {
        line = longer;
      }
      at = end + 1;
    }
    if (!line.empty() || lines.empty()) lines.push_back(line);
    return lines;
  }
  // Draws wrapped text from (x, y); returns the y below it.
  int32_t Paragraph(const FontSpec& font, int32_t x, int32_t y, const std::string& text) {
    const int32_t h = Height(font);
    for (const std::string& line : Wrapped(font, text, std::max<int32_t>(1, area.Right - x - 6))) {
      Text(font, x, y, line);
      y += h;
    }
    return y;
  }

  // A band across the top with the note; returns the top left below it.
  int32_t NoteBand(const std::string& note, int32_t top) {
    const FontSpec font = Caption(kNoteText);
    const int32_t lines = static_cast<int32_t>(Wrapped(font, note, std::max<int32_t>(1, area.Right - area.Left - 12)).size());
    Fill(TRect{area.Left, top, area.Right, top + lines * Height(font) + 8}, kNoteFill);
    return Paragraph(font, area.Left + 6, top + 4, note) + 8;
  }

  // Digits × powers of the base, wrapped to the area's width and centred as a
  // block. Returns the bottom of the last line.
  int32_t ExpansionFigure(const TExpansion& e, int32_t top) {
    const FontSpec normal = Normal(style.cfgTextColorLeft);
    const FontSpec digit = Normal(style.cfgTextColorRight);
    const std::string base = std::to_string(e.Base);
    const std::string closing_value = std::to_string(e.Value);
    // First pass: the width of every piece and where lines break.
    const int32_t head = Width(digit, e.Digits) + SuffixWidth(e.Base) + Width(normal, " = ");
    std::vector<int32_t> term_width;
    for (size_t i = 0; i < e.Terms.size(); ++i) {
      const TExpansionTerm& t = e.Terms[i];
      term_width.push_back(Width(normal, base) + Width(Small(0), std::to_string(t.Exponent)) + Width(normal, "*") +
                           Width(digit, std::string(1, t.Digit)) + (i + 1 < e.Terms.size() ? Width(normal, " + ") : 0));
    }
    const int32_t closing = Width(normal, " = ") + Width(normal, closing_value) + SuffixWidth(10);
    std::vector<bool> breaks_before(e.Terms.size() + 1, false);  // the last entry is the closing part
    int32_t x = head;
    int32_t widest = 0;
    const int32_t room = area.Right - area.Left;
    for (size_t i = 0; i <= e.Terms.size(); ++i) {
      const int32_t w = i < e.Terms.size() ? term_width[i] : closing;
      widest = std::max(widest, x);
      if (room - w < x && x > 0) {
        breaks_before[i] = true;
        x = 0;
      }
      x += w;
    }
    widest = std::max(widest, x);
    // Second pass: draw from the centred line start.
    const int32_t start = std::max(area.Left, Centre() - widest / 2);
    const int32_t line_height = Height(normal);
    const int32_t raise = Height(Small(0)) / 4;
    int32_t y = top;
    x = Text(digit, start, y, e.Digits);
    x = Suffix(x, y, e.Base);
    x = Text(normal, x, y, " = ");
    for (size_t i = 0; i <= e.Terms.size(); ++i) {
      if (breaks_before[i]) {
        x = start;
        y += line_height;
      }
      if (i == e.Terms.size()) break;
      const TExpansionTerm& t = e.Terms[i];
      x = Text(normal, x, y, base);
      x = Text(Small(style.cfgTextColorLeft), x, y - raise, std::to_string(t.Exponent));
      x = Text(normal, x, y, "*");
      x = Text(digit, x, y, std::string(1, t.Digit));
      if (i + 1 < e.Terms.size()) x = Text(normal, x, y, " + ");
    }
    x = Text(normal, x, y, " = ");
    x = Text(normal, x, y, closing_value);
    Suffix(x, y, 10);
    return y + line_height;
  }

  // Repeated division with the remainders column, the summary and the check
  // below it. Returns the bottom of the check.
  int32_t DivisionFigure(const TDivision& d, int32_t top) {
    const int32_t cx = Centre();
    const FontSpec normal = Normal(style.cfgTextColorLeft);
    const FontSpec remainder = Normal(style.cfgTextColorRight, style.cfgTextBoldRight);
    const int32_t y0 = top + 2 * Height(Caption(0));
    Text(Caption(style.cfgTextColorLeft), cx + 10, top + 12, style.TextReszaZDzielenia);
    const std::string divisor = ":" + std::to_string(d.Base);
    int32_t y = y0;
    auto row = [&](int32_t dividend) {
      const std::string text = std::to_string(dividend) + divisor;
      Text(normal, cx - 10 - Width(normal, text), y, text);
      Line(style.cfgCenterLineColor, 1, {cx, y}, {cx, y + style.cfgLineHeight});
    };
    for (const TDivisionRow& r : d.Rows) {
      row(r.Dividend);
      Text(remainder, cx + 10, y, RemainderText(r.Remainder));
      y += style.cfgLineHeight;
    }
    row(0);
    // The arrow reads the remainders upwards.
    if (!d.Rows.empty()) {
      const int32_t ax = cx + 60;
      const int32_t tip = y0 + 4;
      Line(kArrowGrey, 2, {ax, y + 6}, {ax, tip + 6});
      canvas.SetPen(PenSpec{kArrowGrey, 2, PenStyle::Solid, PenMode::Copy});
      canvas.SetBrush(BrushSpec{kArrowHead, BrushStyle::Solid});
      const TPunkt head[3] = {{ax, tip}, {ax - 3, tip + 6}, {ax + 3, tip + 6}};
      canvas.Polygon(head, 3);
    }
    // Summary: N(10) = R(B), centred as a whole, its bottom line fixed. Too
    // wide for the area, the result goes on a line of its own below.
    const std::string value = std::to_string(d.Value);
    int32_t bottom = y + style.cfgLineHeight + 35;
    const int32_t h = Height(normal);
    const int32_t left_part = Width(normal, value) + SuffixWidth(10) + Width(normal, " = ");
    const int32_t right_part = Width(Normal(0), d.Result) + SuffixWidth(d.Base);
    const bool split = left_part + right_part > area.Right - area.Left;
    int32_t x = cx - (split ? left_part : left_part + right_part) / 2;
    x = Text(normal, x, bottom - h, value);
    x = Suffix(x, bottom - h, 10);
    x = Text(normal, x, bottom - h, split ? " =" : " = ");
    if (split) {
      bottom += h;
      x = cx - right_part / 2;
    }
    x = Text(Normal(style.cfgTextColorRight), x, bottom - h, d.Result);
    Suffix(x, bottom - h, d.Base);
    return ExpansionFigure(ExpansionOf(d.Result, d.Base), bottom + 10);
  }

  // One row of grouped binary digits ending at `right`.
  void Strip(const TDigitStrip& s, int32_t x, int32_t top) {
    const FontSpec digit = Normal(style.cfgTextColorLeft);
    const FontSpec value = Small(style.cfgTextColorRight);
    const int32_t h = Height(digit);
    const int32_t stripe_top = top - kStripMargin;
    const int32_t stripe_bottom = top + h + h + kStripMargin;
    const int32_t length = static_cast<int32_t>(s.Digits.size());
    int32_t group_left = x;
    for (int32_t i = 1; i <= length; ++i) {
      const std::string c(1, s.Digits[static_cast<size_t>(i - 1)]);
      const int32_t w = Width(digit, c);
      if ((i + s.Padding) % 2 == 0) Fill(TRect{x - 2, stripe_top, x + w + 2, stripe_bottom}, style.cfgGridVertColor);
      Text(digit, x, top, c);
      x += w + kStripSpacing;
      if (i % s.Group == 0 || i == length) {
        const int32_t group_right = x - kStripSpacing;
        const std::string v = std::to_string(s.GroupValues[static_cast<size_t>((i - 1) / s.Group)]);
        Text(value, (group_left + group_right) / 2 - Width(value, v) / 2, top + h, v);
        if (i != length) Line(style.cfgSeparatorColor, 1, {x - 3, stripe_top}, {x - 3, stripe_bottom});
        group_left = x;
      }
    }
  }

  int32_t StripWidth(const TDigitStrip& s) {
    const int32_t length = static_cast<int32_t>(s.Digits.size());
    return Width(Normal(0), s.Digits) + length * kStripSpacing;
  }

  // The labels "D(S) = " and "Dt(T) = ", then the binary digits under both,
  // grouped for each base and right-aligned so that they line up.
  int32_t GroupingFigure(const TGrouping& g, int32_t top) {
    const FontSpec normal = Normal(style.cfgTextColorLeft);
    const int32_t source_top = top + 30;
    const int32_t target_top = source_top + 50;
    auto label = [&](const std::string& text, int32_t base, int32_t y) {
      int32_t x = Text(normal, area.Left + 10, y, text);
      x = Suffix(x, y, base);
      return Text(normal, x, y, " = ");
    };
    const int32_t labels_end = std::max(label(g.Source, g.SourceBase, source_top), label(g.Target, g.TargetBase, target_top));
    const int32_t source_x = area.Right - StripWidth(g.SourceStrip) - kStripRightMargin;
    const int32_t target_x = area.Right - StripWidth(g.TargetStrip) - kStripRightMargin;
    // A narrow area moves both strips right together, clear of the labels.
    const int32_t shift = std::max(0, labels_end + 10 - std::min(source_x, target_x));
    Strip(g.TargetStrip, target_x + shift, target_top);
    Strip(g.SourceStrip, source_x + shift, source_top);
    return target_top + 2 * Height(normal) + kStripMargin;
  }

  // The input with every character that is no digit of its base marked.
  int32_t InvalidFigure(const TDigitCheck& check, int32_t base, int32_t top) {
    const int32_t h = Height(Normal(0));
    int32_t x = area.Left + 10;
    for (size_t i = 0; i < check.Digits.size(); ++i) {
      const bool bad = check.Invalid[i] || check.TooLarge;
      const int32_t left = x;
      x = Text(Normal(bad ? kInvalidRed : style.cfgTextColorRight), x, top, std::string(1, check.Digits[i]));
      if (bad) Line(kInvalidRed, 2, {left, top + h}, {x - 1, top + h});
    }
    Suffix(x, top, base);
    int32_t y = top + h + 8;
    y = Paragraph(Caption(kInvalidRed), area.Left + 10, y, style.InvalidNumberText + " " + std::to_string(base)) + 4;
    if (check.TooLarge) {
      // The largest value the panel converts, in the same base.
      const int32_t end = Text(Normal(style.cfgTextColorLeft), area.Left + 10, y, "0 .. " + FromDecimal(INT_MAX, base));
      Suffix(end, y, base);
      y += h;
    }
    return y;
  }
};

}  // namespace

void PaintConversion(Canvas& canvas, const TConversionStyle& style, const TConversionRequest& request,
                     const TRect& area) {
  Painter p{canvas, style, area};
  if (style.DrawBackGround) p.Fill(area, style.cfgBackgroundColor);
  int32_t top = area.Top;
  if (!request.Note.empty()) top = p.NoteBand(request.Note, top);
  const int32_t source = request.SourceBase;
  const int32_t target = request.TargetBase;
  if (!IsConversionBase(source) || !IsConversionBase(target) || request.Value.empty()) return;
  const TDigitCheck check = CheckDigits(request.Value, source);
  if (!check.Valid()) {
    p.InvalidFigure(check, source, top + 15);
    return;
  }
  switch (ChooseLayout(source, target)) {
    case TConversionLayout::Division:
      p.DivisionFigure(DivisionOf(check.Value, target), top);
      break;
    case TConversionLayout::Expansion:
      p.ExpansionFigure(ExpansionOf(check.Digits, source), top + 15);
      break;
    case TConversionLayout::Grouping:
      p.GroupingFigure(GroupingOf(check.Digits, source, target), top);
      break;
    case TConversionLayout::ExpansionAndDivision: {
      const int32_t bottom = p.ExpansionFigure(ExpansionOf(check.Digits, source), top + 15);
      p.DivisionFigure(DivisionOf(check.Value, target), bottom + 10);
      break;
    }
  }
}

}  // namespace tessaro
