// An enhanced-metafile file written with libEMF, the vector picture format
// the diagrams are exchanged in. One diagram unit is 1/96 inch.
#pragma once

#include <string>

#include "core/diagram/canvas.h"

namespace tessaro::picture {

class EmfCanvas : public Canvas {
 public:
  // Starts the file at `path` (native bytes) showing `frame` of the picture.
  EmfCanvas(const std::string& path, const TRect& frame, TextMetrics& metrics);
  ~EmfCanvas() override;
  EmfCanvas(const EmfCanvas&) = delete;
  EmfCanvas& operator=(const EmfCanvas&) = delete;

  bool Ok() const { return dc_ != 0; }
  // Writes the file out; false when it could not be started or written.
  bool Finish();

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
  // libEMF's handles are plain numbers; 0 is none.
  using Handle = unsigned int;
  void Select(Handle& current, Handle object);

  Handle dc_ = 0;
  Handle pen_ = 0;  // the created objects now selected
  Handle brush_ = 0;
  Handle font_obj_ = 0;
  FontSpec font_;
  TextMetrics& metrics_;
};

}  // namespace tessaro::picture
