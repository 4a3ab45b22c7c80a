// TWizualizacjaKonwersji: the control that draws one number-base conversion
// step by step. The picture is laid out and drawn by the core onto a
// recorded display list, which the screen, the clipboard and picture files
// replay at their own resolution.
#pragma once

#include <QWidget>
#include <cstdint>
#include <string>

#include "core/conversion/conversion_paint.h"
#include "core/diagram/diagram_picture.h"
#include "picture/qt_canvas.h"

namespace tessaro::gui {

class TWizualizacjaKonwersji : public QWidget {
  Q_OBJECT

 public:
  explicit TWizualizacjaKonwersji(QWidget* parent = nullptr);

  // The conversion shown; setting these does not repaint (call Render).
  std::string WartoscZrodlowa = "7";
  int32_t PodstawaSystemuZrodlowa = 10;
  int32_t PodstawaSystemuDocelowa = 2;
  // A short remark drawn in a band above the figure; empty for none.
  std::string Note;
  // Colours, fonts and the row pitch; the remainder caption is set through
  // SetTextReszaZDzielenia, which repaints.
  TConversionStyle Style;
  void SetTextReszaZDzielenia(const std::string& text);
  const std::string& TextReszaZDzielenia() const { return Style.TextReszaZDzielenia; }

  // Lays out and records the current conversion, then repaints. While the
  // control is hidden it only remembers to do so when it is shown.
  void Render();
  // How many times the picture was recorded.
  int RenderCount = 0;
  // How long the last paint took, in nanoseconds.
  qint64 LastPaintNs = 0;

  const DiagramPicture& Picture() const { return picture_; }
  // The picture as SVG and PNG (at twice the screen resolution) on the clipboard.
  void CopyToClipboard();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // The width the figure is laid out for: the visible width of the panel.
  int LayoutWidth() const;
  void Record();

  DiagramPicture picture_;
  picture::QtTextMetrics metrics_;
  bool dirty_ = true;
  int recorded_width_ = -1;
};

}  // namespace tessaro::gui
