// The diagram picture: what the renderer drew, kept as a display list in
// diagram units so that the screen, the printer, picture files and the
// clipboard all replay the same drawing onto their own canvas at their own
// scale.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/diagram/canvas.h"

namespace tessaro {

class DiagramPicture {
 public:
  enum class OpKind : uint8_t { Pen, Brush, Font, Rectangle, RoundRect, Polygon, Polyline, Text };

  // One drawing call. `a`..`f` hold the call's numbers; points and texts live
  // in the picture's pools, referred to by `first` and `count`.
  struct Op {
    OpKind kind = OpKind::Pen;
    uint8_t style = 0;
    int32_t a = 0, b = 0, c = 0, d = 0, e = 0, f = 0;
    uint32_t first = 0;
    uint32_t count = 0;
    TRect box;  // what a drawing call covers, pen widths not counted
  };

  void Clear();
  bool Empty() const { return ops_.empty(); }
  size_t OpCount() const { return ops_.size(); }

  // The picture's frame, in its own units: the part a file or page shows.
  const TRect& Frame() const { return frame_; }
  void SetFrame(const TRect& frame) { frame_ = frame; }
  // The smallest rectangle holding every point and text cell drawn
  // (pen widths not counted); all zero while nothing is drawn.
  const TRect& InkBounds() const { return ink_; }
  // The frame widened to the ink, so nothing drawn is cut off.
  TRect FrameWithInk() const;

  // Plays every call, in order, onto `target`. With `visible`, drawing calls
  // entirely outside that rectangle (by more than a pen's width) are skipped.
  void Replay(Canvas& target, const TRect* visible = nullptr) const;

 private:
  friend class RecordingCanvas;
  // Widens the ink and sets the box of the call just added.
  void AddInk(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

  std::vector<Op> ops_;
  std::vector<TPunkt> points_;
  std::vector<std::string> texts_;
  TRect frame_;
  TRect ink_;
  bool has_ink_ = false;
};

// A canvas that records into a DiagramPicture and measures text with the
// metrics of the device the picture is meant for.
class RecordingCanvas : public Canvas {
 public:
  RecordingCanvas(DiagramPicture& picture, TextMetrics& metrics);

  // From now on, drawing calls entirely outside `visible` (those a replay
  // onto it would skip) are not recorded, and a pen, brush or font is
  // recorded only when a recorded call draws with it. The screen's picture
  // then costs what the screen shows, not what the diagram holds.
  void CullOutside(const TRect& visible);

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
  void AddPoints(DiagramPicture::OpKind kind, const TPunkt* points, int32_t count);
  // Whether a call covering `box` is left out; when not, the pen, brush and
  // font it draws with are recorded first.
  bool Culled(const TRect& box);
  void RecordPen();
  void RecordBrush();
  void RecordFont();

  DiagramPicture& picture_;
  TextMetrics& metrics_;
  // The pen, brush and font selected now.
  FontSpec font_;
  PenSpec pen_;
  BrushSpec brush_;
  bool pen_set_ = false;
  bool brush_set_ = false;
  bool font_set_ = false;
  // While culling: what the picture selected last, so a selection is
  // recorded once before the calls that need it.
  std::optional<TRect> visible_;
  std::optional<PenSpec> recorded_pen_;
  std::optional<BrushSpec> recorded_brush_;
  std::optional<FontSpec> recorded_font_;
};

}  // namespace tessaro
