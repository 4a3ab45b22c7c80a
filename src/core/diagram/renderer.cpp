#include "core/diagram/renderer.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <string>

#include "core/diagram/colours.h"
#include "core/diagram/icons.h"
#include "core/diagram/rounding.h"
#include "core/diagram/text_block.h"
#include "core/i18n/language.h"

namespace tessaro {

namespace {

constexpr const char* kMsgStart = "msgm00061";
constexpr const char* kMsgEnd = "msgm00030";
constexpr const char* kMsgNo = "msgm00036";
constexpr const char* kMsgYes = "msgm00063";
// The font a fresh canvas starts with, before any element chose its own.
const FontSpec kCanvasDefaultFont{"Tahoma", 8, 0};
// A block is redrawn after a size change; text sizes do not depend on the
// block's size, so one redraw settles it. The cap only guards the loop.
constexpr int kMaxPasses = 3;

bool HasTextLines(int32_t kind) { return kind == Przetwarzanie || kind == Warunek || kind == WeWY; }

// One call of the renderer.
struct Pass {
  int mode;
  RenderScene& scene;
  RenderMemory& memory;
  Canvas& canvas;
  TPunkt offset;
  std::vector<char> in_clipboard;  // mode 6 membership by index

  std::vector<Tobj>& Bloki() { return *scene.Bloki; }
  int32_t Highest() { return static_cast<int32_t>(Bloki().size()) - 1; }
  bool PrintLike() const { return mode == kModePrint || mode == kModeClipboard; }
  bool Listed(int32_t i) const {
    return mode != kModeClipboard || (i >= 0 && i < static_cast<int32_t>(in_clipboard.size()) && in_clipboard[i]);
  }
};

// Geometry of the element being drawn, in drawing coordinates.
struct Place {
  int32_t x, y, w, h;
  int32_t u() const { return h / 2; }
};

struct Highlighting {
  PenSpec pen;
  bool has_marker = false;
  DiagramIcon marker = DiagramIcon::CurrentInstruction;
  int32_t line = 0;
};

// Step b: the outline pen and the run marker of element i.
Highlighting HighlightOf(Pass& pass, int32_t i, const Tobj& e) {
  Highlighting hl;
  hl.pen = {e.Styl.KolorObrysu, 1};
  const RunHighlight* run = pass.scene.Highlight;
  if (run && i == run->CurrentBlock) {
    hl.pen = {colours::kGreen, 2};
    hl.line = run->CurrentLine;
  }
  if (i == pass.scene.Wybrany) hl.pen.colour = colours::kBlue;
  if (e.Zaznaczony) hl.pen.colour = colours::kBlue;
  if (pass.PrintLike()) hl.pen.colour = colours::kBlack;
  if (!HasTextLines(e.Blok)) return hl;
  if (hl.line != 0) hl.has_marker = true;
  if (!run) return hl;
  auto mark = [&](TColor colour, DiagramIcon icon, int32_t line) {
    hl.pen = {colour, 2};
    hl.has_marker = true;
    hl.marker = icon;
    hl.line = line;
  };
  if (i == run->ErrorBlock) mark(colours::kRed, DiagramIcon::Error, run->ErrorLine);
  if (i == run->WarningBlock) mark(colours::kLightBlue, DiagramIcon::Warning, run->WarningLine);
  if (i == run->InstructionBlock) mark(colours::kLightBlue, DiagramIcon::Instruction, run->InstructionLine);
  if (run->PseudocodeActive && i == run->PseudocodeBlock) {
    mark(colours::kLightBlue, DiagramIcon::Instruction, run->PseudocodeLine);
  }
  return hl;
}

void Hexagon(Canvas& c, const Place& p, int32_t inset, int32_t side_inset) {
  const int32_t u = p.u();
  const TPunkt pts[] = {{p.x + inset, p.y + inset},
                        {p.x + p.w - inset, p.y + inset},
                        {p.x + p.w + u - side_inset, p.y + p.h / 2},
                        {p.x + p.w - inset, p.y + p.h - inset},
                        {p.x + inset, p.y + p.h - inset},
                        {p.x - u + side_inset, p.y + p.h / 2}};
  c.Polygon(pts, 6);
}

// The "no"/"yes" texts at a condition's side points, and the Ctrl/Shift
// hints of the selected one.
void ConditionLabels(Pass& pass, int32_t i, const Tobj& e, const Place& p) {
  Canvas& c = pass.canvas;
  const int32_t u = p.u();
  c.SetFont({e.Styl.NazwaCzcionki, e.Styl.RozmiarCzcionki, e.Styl.KolorTekstu});
  c.SetBrush({colours::kWhite, BrushStyle::Clear});
  const std::string left = LangText(e.NieTak ? kMsgNo : kMsgYes);
  const std::string right = LangText(e.NieTak ? kMsgYes : kMsgNo);
  const int32_t label_y = p.y + p.h / 2 - c.LineHeight() - 3;
  c.TextLine(p.x - c.LineWidth(left) - u, label_y, left);
  c.TextLine(p.x + p.w + u + 1, label_y, right);
  if (i != pass.scene.Wybrany) return;
  c.SetFont({e.Styl.NazwaCzcionki, e.Styl.RozmiarCzcionki, colours::kBlue});
  c.TextLine(p.x - c.LineWidth("Ctrl") - u, p.y + p.h / 2, "Ctrl");
  c.TextLine(p.x + p.w + u + 1, p.y + p.h / 2, "Shift");
  c.SetFont({e.Styl.NazwaCzcionki, e.Styl.RozmiarCzcionki, colours::kBlack});
}

// Step e: the shape by kind.
void Shape(Pass& pass, int32_t i, const Tobj& e, const Place& p, PenSpec pen) {
  Canvas& c = pass.canvas;
  const TRect box{p.x, p.y, p.x + p.w, p.y + p.h};
  switch (e.Blok) {
    case Start:
    case Koniec:
      c.RoundRect(box, 30, 30);
      break;
    case Przetwarzanie:
      c.Rectangle(box);
      break;
    case Warunek:
      Hexagon(c, p, 0, 0);
      ConditionLabels(pass, i, e, p);
      break;
    case Wezel:
      if (!pass.scene.PokazWezly) break;
      c.SetBrush({colours::kWhite, BrushStyle::Solid});
      c.RoundRect(box, 30, 30);
      c.SetBrush({colours::kWhite, BrushStyle::Clear});
      c.RoundRect(box, 30, 30);
      c.SetPen({colours::kGrey, 1});
      {
        const TPunkt a[] = {{p.x + 3, p.y + 3}, {p.x + p.w - 3, p.y + p.h - 3}};
        const TPunkt b[] = {{p.x + 3, p.y + p.h - 3}, {p.x + p.w - 3, p.y + 3}};
        c.Polyline(a, 2);
        c.Polyline(b, 2);
      }
      break;
    case WeWY: {
      const TPunkt pts[] = {{p.x, p.y + p.h}, {p.x + p.w - 15, p.y + p.h}, {p.x + p.w, p.y}, {p.x + 15, p.y}};
      c.Polygon(pts, 4);
      break;
    }
    case Notatka:
      pen.colour = i == pass.scene.Wybrany ? colours::kBlue : colours::kSilver;
      c.SetPen(pen);
      c.RoundRect(box, 20, 20);
      break;
    default:
      if (e.Blok > Notatka) {
        pen.colour = colours::kSilver;
        c.SetPen(pen);
        c.RoundRect(box, 5, 5);
      }
      break;
  }
}

void Handle(Canvas& c, int32_t x, int32_t y) { c.Rectangle({x - 3, y - 3, x + 3, y + 3}); }

// Step f: handles on the corners and the dotted inner outline.
void SelectionDecoration(Pass& pass, const Tobj& e, const Place& p) {
  Canvas& c = pass.canvas;
  c.SetPen({colours::kBlue, 1});
  c.SetBrush({colours::kBlue, BrushStyle::Solid});
  Handle(c, p.x, p.y);
  Handle(c, p.x + p.w, p.y);
  Handle(c, p.x + p.w, p.y + p.h);
  Handle(c, p.x, p.y + p.h);
  if (pass.scene.EditorHasFocus) return;
  c.SetPen({colours::kGrey, 1, PenStyle::Dot});
  c.SetBrush({colours::kWhite, BrushStyle::Clear});
  const TRect inner{p.x + 3, p.y + 3, p.x + p.w - 3, p.y + p.h - 3};
  switch (e.Blok) {
    case Przetwarzanie:
    case Wezel:
    case Notatka:
      c.Rectangle(inner);
      break;
    case Warunek:
      Hexagon(c, p, 2, 4);
      break;
    case Start:
    case Koniec:
      c.RoundRect(inner, 18, 18);
      break;
    case WeWY: {
      const TPunkt pts[] = {{p.x + 4, p.y + p.h - 3}, {p.x + p.w - 18, p.y + p.h - 3},
                            {p.x + p.w - 4, p.y + 3}, {p.x + 18, p.y + 3}};
      c.Polygon(pts, 4);
      break;
    }
    default:
      break;
  }
}

// Step g: the run marker beside its line.
void Marker(Pass& pass, const Tobj& e, const Highlighting& hl, TPunkt at) {
  switch (e.Blok) {
    // Left of the text, which starts at the block's left edge.
    case Warunek: DrawIcon(pass.canvas, hl.marker, at.x - 20, at.y - 6); break;
    case WeWY: DrawIcon(pass.canvas, hl.marker, at.x + 7, at.y + 1); break;
    case Przetwarzanie: DrawIcon(pass.canvas, hl.marker, at.x, at.y + 1); break;
    default: break;
  }
}

// Step h: draws the text and stores the size it asks for. Returns whether
// the size changed.
bool TextAndSize(Pass& pass, int32_t i, Tobj& e, const Place& p) {
  Canvas& c = pass.canvas;
  c.SetPen({colours::kBlack, 1});
  c.SetFont({e.Styl.NazwaCzcionki, e.Styl.RozmiarCzcionki, e.Styl.KolorTekstu});
  c.SetBrush({colours::kWhite, BrushStyle::Clear});
  int32_t w = e.Width, h = e.Height;
  switch (e.Blok) {
    case Start:
    case Koniec: {
      const std::string text = LangText(e.Blok == Start ? kMsgStart : kMsgEnd);
      const TextSize t = MeasureTextBlock(c, text);
      DrawTextBlock(c, p.x + p.w / 2 - t.width / 2, p.y + p.h / 2 - t.height / 2, text);
      w = t.width + 30;
      h = t.height + 30;
      // The rounded ends need an even width; the height follows along.
      if (w % 2 != 0) ++w, ++h;
      break;
    }
    case Przetwarzanie:
    case WeWY: {
      const TextSize t = MeasureTextBlock(c, e.Kod);
      DrawTextBlock(c, p.x + 20, p.y + 15, e.Kod);
      w = t.width + 40;
      h = t.height + 30;
      break;
    }
    case Warunek: {
      const TextSize t = MeasureTextBlock(c, e.Kod);
      DrawTextBlock(c, p.x, p.y + 7, e.Kod);
      w = t.width;
      h = t.height + 13;
      break;
    }
    case Wezel:
      w = h = 15;
      break;
    case Notatka: {
      const TextSize t = MeasureTextBlock(c, e.Kod);
      DrawTextBlock(c, p.x + 5, p.y + 5, e.Kod);
      w = t.width + 10;
      h = t.height + 10;
      break;
    }
    default:
      break;
  }
  if (w == e.Width && h == e.Height) return false;
  // The block open in the content editor grows around the centre it had then.
  if (i == pass.scene.RecordedBlock && e.Blok != Warunek) {
    const TRect& r = pass.scene.RecordedRect;
    if (w != e.Width) e.Left = r.Left + (r.Right - r.Left) / 2 - w / 2;
    if (h != e.Height) e.Top = r.Top + (r.Bottom - r.Top) / 2 - h / 2;
  }
  e.Width = w;
  e.Height = h;
  return true;
}

// Step i: the element's outgoing connections.
void Connections(Pass& pass, const Tobj& e) {
  pass.canvas.SetBrush({colours::kBlack, BrushStyle::Solid});
  ConnectionView view{pass.scene.PokazWezly, pass.scene.PolaczeniaProste, pass.scene.SiatkaKrok, pass.offset};
  const ConnectionStyle style = e.Blok == Notatka ? ConnectionStyle::Note : ConnectionStyle::Plain;
  const int32_t highest = pass.Highest();
  if (e.Link1 >= 0 && e.Link1 <= highest && pass.Listed(e.Link1)) {
    RysujPolaczenie(pass.canvas, style, e, pass.Bloki()[e.Link1], 1, view, colours::kBlack);
  }
  if (e.Blok != Notatka && e.Link2 >= 1 && e.Link2 <= highest && pass.Listed(e.Link2)) {
    RysujPolaczenie(pass.canvas, style, e, pass.Bloki()[e.Link2], 2, view, colours::kBlack);
  }
}

// Steps a to j for element i.
void DrawElement(Pass& pass, int32_t i) {
  Canvas& c = pass.canvas;
  for (int attempt = 0; attempt < kMaxPasses; ++attempt) {
    Tobj& e = pass.Bloki()[i];
    const Place p{e.Left - pass.offset.x, e.Top - pass.offset.y, e.Width, e.Height};
    c.SetBrush({e.Styl.KolorWypelnienia, BrushStyle::Solid});
    const Highlighting hl = HighlightOf(pass, i, e);
    c.SetPen(hl.pen);
    TPunkt marker_at{};
    if (HasTextLines(e.Blok)) {
      // Measured in whatever font the canvas holds now: the previous element's.
      pass.memory.LineHeight = c.LineHeight();
      marker_at = {p.x + 4, p.y + 15 + (hl.line - 1) * pass.memory.LineHeight};
    }
    if (!pass.Listed(i)) return;
    Shape(pass, i, e, p, hl.pen);
    if (pass.mode == kModeScreen && i == pass.scene.Wybrany && !pass.scene.GrupaAktywna) {
      SelectionDecoration(pass, e, p);
    }
    if (hl.has_marker) Marker(pass, e, hl, marker_at);
    if (TextAndSize(pass, i, e, p) && attempt + 1 < kMaxPasses) continue;
    Connections(pass, e);
    c.SetBrush({colours::kWhite, BrushStyle::Solid});
    return;
  }
}

// Step 3: the inverting rubber band; drawing last time's band again erases it.
void RubberBand(Pass& pass) {
  Canvas& c = pass.canvas;
  c.SetPen({colours::kBlack, 1, PenStyle::Solid, PenMode::Not});
  c.SetBrush({colours::kWhite, BrushStyle::Clear});
  if (pass.memory.PreviousBandDrawn) c.Rectangle(pass.memory.PreviousBand);
  c.Rectangle(pass.scene.RubberBand);
  pass.memory.PreviousBand = pass.scene.RubberBand;
  pass.memory.PreviousBandDrawn = true;
  c.SetPen({colours::kBlack, 1});
}

// Step 4: corner brackets around the group, continued by dotted lines.
void GroupDecoration(Pass& pass) {
  Canvas& c = pass.canvas;
  const TRect& g = pass.scene.ObszarGrupy;
  const int32_t a = std::min(15, std::abs(g.Bottom - g.Top));
  const int32_t b = std::min(15, std::abs(g.Right - g.Left));
  struct Corner {
    int32_t x, y, sx, sy;  // the corner and the directions towards the inside
  };
  const Corner corners[] = {{g.Left, g.Top, 1, 1}, {g.Right, g.Top, -1, 1}, {g.Left, g.Bottom, 1, -1}, {g.Right, g.Bottom, -1, -1}};
  for (const Corner& k : corners) {
    const int32_t ox = k.x - 3 * k.sx, oy = k.y - 3 * k.sy;
    const TPunkt vertical_end{ox, k.y + b * k.sy};
    const TPunkt horizontal_end{k.x + a * k.sx, oy};
    c.SetPen({colours::kBlue, 1});
    const TPunkt bracket[] = {vertical_end, {ox, oy}, horizontal_end};
    c.Polyline(bracket, 3);
    c.SetPen({colours::kBlue, 1, PenStyle::Dot});
    const TPunkt down[] = {vertical_end, {ox, vertical_end.y + 15 * k.sy}};
    const TPunkt across[] = {horizontal_end, {horizontal_end.x + 15 * k.sx, oy}};
    c.Polyline(down, 2);
    c.Polyline(across, 2);
  }
  c.SetPen({colours::kBlue, 1});
  c.SetBrush({colours::kBlue, BrushStyle::Solid});
  for (const Corner& k : corners) Handle(c, k.x, k.y);
}

// Step 5: a breakpoint icon beside each breakpoint's line.
void BreakpointMarkers(Pass& pass) {
  const int32_t lh = pass.memory.LineHeight;
  for (const TBreakPoint& bp : *pass.scene.Breakpoints) {
    if (bp.Block < 0 || bp.Block > pass.Highest()) continue;
    const Tobj& e = pass.Bloki()[bp.Block];
    const int32_t x = e.Left, y = e.Top, w = e.Width, h = e.Height;
    const int32_t row = (bp.Line - 1) * lh;
    TPunkt at;
    if (e.Blok == Warunek) {
      at = {x + w - 4, y + row + 9};
    } else if (e.Blok == WeWY) {
      // Follows the slanted right side down to the line.
      const double slope = (h == 0 || lh == 0) ? 0 : 15.0 / (static_cast<double>(h) / lh);
      const int32_t d = -(RoundEven(slope * bp.Line) + 14);
      at = {x + w + d, y + row + 15};
    } else {
      at = {x + w - 14, y + row + lh / 2 + 9};
    }
    DrawIcon(pass.canvas, bp.Enabled ? DiagramIcon::BreakpointEnabled : DiagramIcon::BreakpointDisabled, at.x, at.y);
  }
}

}  // namespace

bool DiagramRenderer::RysujSchemat(int mode, RenderScene& scene) {
  // Step 1: a fresh picture framed by the extents.
  picture_.Clear();
  picture_.SetFrame({0, 0, scene.Obszar.Width, scene.Obszar.Height});
  const bool clear_bitmap = !scene.Nakladka || scene.NodeToolActive || scene.TemporaryPan;
  RecordingCanvas canvas(picture_, metrics_);
  if (mode == kModeScreen && scene.Visible) canvas.CullOutside(*scene.Visible);
  Draw(mode, scene, canvas);
  return clear_bitmap;
}

void DiagramRenderer::Draw(int mode, RenderScene& scene, Canvas& target) {
  if (!scene.Bloki) return;
  Pass pass{mode, scene, memory_, target, {0, 0}, {}};
  if (pass.PrintLike()) pass.offset = {scene.Obszar.MinX, scene.Obszar.MinY};
  if (mode == kModeClipboard) {
    pass.in_clipboard.assign(scene.Bloki->size(), 0);
    if (scene.Clipboard) {
      for (int32_t i : *scene.Clipboard) {
        if (i >= 0 && i < static_cast<int32_t>(scene.Bloki->size())) pass.in_clipboard[i] = 1;
      }
    }
  }
  // A failure while drawing ends the drawing; what was drawn so far stays.
  try {
    target.SetFont(kCanvasDefaultFont);
    if (!scene.Nakladka) {
      for (int32_t i = 0; i <= pass.Highest(); ++i) DrawElement(pass, i);
    } else {
      RubberBand(pass);
    }
    if (mode == kModeScreen && scene.GrupaAktywna) GroupDecoration(pass);
    if (mode == kModeScreen && scene.Breakpoints) BreakpointMarkers(pass);
  } catch (const std::exception&) {
  }
}

}  // namespace tessaro
