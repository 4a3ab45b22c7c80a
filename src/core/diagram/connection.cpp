#include "core/diagram/connection.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/diagram/colours.h"
#include "core/diagram/rounding.h"

namespace tessaro {

namespace {

struct Box {
  int32_t x, y, w, h;
  int32_t right() const { return x + w; }
  int32_t bottom() const { return y + h; }
  TPunkt top_middle() const { return {x + w / 2, y}; }
  TPunkt bottom_middle() const { return {x + w / 2, bottom()}; }
  int32_t mid_y() const { return y + h / 2; }
};

// The element's rectangle in drawing coordinates; a hidden node shrinks to a
// single unit at its centre so that links meet there.
Box ShapeBox(const Tobj& e, const ConnectionView& view) {
  Box b{e.Left - view.Offset.x, e.Top - view.Offset.y, e.Width, e.Height};
  if (!view.PokazWezly && e.Blok == Wezel) b = {b.x + b.w / 2, b.y + b.h / 2, 1, 1};
  return b;
}

// A parallelogram's slanted sides are 7 units inside its rectangle at mid-height.
int32_t SlantInset(const Tobj& e) { return e.Blok == WeWY ? 7 : 0; }

TPunkt Rounded(PunktF p) { return {RoundEven(p.x), RoundEven(p.y)}; }

}  // namespace

TPorty WyznaczPorty(const Tobj& source, const Tobj& target, int exit, const ConnectionView& view) {
  const Box s = ShapeBox(source, view);
  const Box t = ShapeBox(target, view);
  TPorty p;
  if (s.bottom() < t.y) {
    p = {s.bottom_middle(), t.top_middle()};
  } else if (t.bottom() < s.y) {
    p = {s.top_middle(), t.bottom_middle()};
  } else if (s.right() < t.x) {
    p = {{s.right() - SlantInset(source), s.mid_y()}, {t.x + SlantInset(target), t.mid_y()}};
  } else if (t.right() < s.x) {
    p = {{s.x + SlantInset(source), s.mid_y()}, {t.right() - SlantInset(target), t.mid_y()}};
  } else {
    p = {{s.x + s.w / 2, s.mid_y()}, {t.x + t.w / 2, t.mid_y()}};
  }
  // A condition leaves from its side points and is always entered from the top.
  if (source.Blok == Warunek) {
    p.Start = exit == 1 ? TPunkt{s.x - s.h / 2, s.mid_y()} : TPunkt{s.right() + s.h / 2, s.mid_y()};
  }
  if (target.Blok == Warunek) p.End = t.top_middle();
  return p;
}

ArrowShape ArrowSegmentShape(PunktF from, PunktF to, int32_t grid_step) {
  if (grid_step > 1) {
    // On a grid an almost straight segment is made exactly straight.
    if (std::abs(to.x - from.x) < std::abs(to.y - from.y) && std::abs(to.x - from.x) <= grid_step) {
      to.x = from.x;
    }
    if (std::abs(to.x - from.x) >= std::abs(to.y - from.y) && std::abs(to.y - from.y) <= grid_step) {
      to.y = from.y;
    }
  }
  ArrowShape a;
  a.From = from;
  a.Tip = to;
  const double dx = to.x - from.x;
  const double dy = to.y - from.y;
  const double length = std::hypot(dx, dy);
  if (length == 0) return a;
  a.Drawn = true;
  constexpr double kHeadLength = 6;
  constexpr double kHalfWidth = 3;
  a.Base = {to.x - kHeadLength * dx / length, to.y - kHeadLength * dy / length};
  const double nx = -dy / length * kHalfWidth;
  const double ny = dx / length * kHalfWidth;
  a.Wing1 = {a.Base.x + nx, a.Base.y + ny};
  a.Wing2 = {a.Base.x - nx, a.Base.y - ny};
  return a;
}

void RysujStrzalke(Canvas& canvas, ConnectionStyle style, PunktF from, PunktF to,
                   int32_t grid_step, TColor colour) {
  const ArrowShape a = ArrowSegmentShape(from, to, grid_step);
  if (!a.Drawn) return;
  const bool note = style == ConnectionStyle::Note;
  if (note) {
    canvas.SetBrush({colours::kGrey, BrushStyle::Clear});
    canvas.SetPen({colour, 1, PenStyle::Dot});
  } else {
    canvas.SetBrush({colours::kBlack, BrushStyle::Solid});
    canvas.SetPen({colour, 1, PenStyle::Solid});
  }
  const TPunkt line[] = {Rounded(a.From), Rounded(a.Base)};
  canvas.Polyline(line, 2);

  const TPunkt head[] = {Rounded(a.Tip), Rounded(a.Wing1), Rounded(a.Wing2)};
  canvas.SetBrush({note ? colours::kNoteArrowFill : colours::kBlack, BrushStyle::Solid});
  canvas.SetPen({colours::kGrey, 2, PenStyle::Solid});
  canvas.Polygon(head, 3);
  canvas.SetPen({colour, 1, PenStyle::Solid});
  canvas.Polygon(head, 3);
}

void RysujPolaczenie(Canvas& canvas, ConnectionStyle style, const Tobj& source, const Tobj& target,
                     int exit, const ConnectionView& view, TColor colour) {
  const TPorty ports = WyznaczPorty(source, target, exit, view);
  const double sx = ports.Start.x, sy = ports.Start.y;
  const double tx = ports.End.x, ty = ports.End.y;
  if (view.PolaczeniaProste) {
    RysujStrzalke(canvas, style, {sx, sy}, {tx, ty}, view.SiatkaKrok, colour);
    return;
  }
  // A note's pointer stays dotted along its whole path.
  canvas.SetPen({colour, 1, style == ConnectionStyle::Note ? PenStyle::Dot : PenStyle::Solid});
  if (std::abs(tx - sx) >= std::abs(ty - sy)) {
    const double mx = std::min(sx, tx) + std::abs(tx - sx) / 2;
    const TPunkt path[] = {ports.Start, Rounded({mx, sy}), Rounded({mx, ty})};
    canvas.Polyline(path, 3);
    RysujStrzalke(canvas, style, {mx, ty}, {tx, ty}, view.SiatkaKrok, colour);
  } else {
    const double my = std::min(sy, ty) + std::abs(ty - sy) / 2;
    const TPunkt path[] = {ports.Start, Rounded({sx, my}), Rounded({tx, my})};
    canvas.Polyline(path, 3);
    RysujStrzalke(canvas, style, {tx, my}, {tx, ty}, view.SiatkaKrok, colour);
  }
}

}  // namespace tessaro
