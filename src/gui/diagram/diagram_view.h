// The diagram editor's drawing area: the paint box PaintBoxEdytor showing the
// screen composition, with its two scroll bars MainScrollBarH and
// MainScrollBarV, the screen bitmap and the renderer behind them.
#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "core/diagram/renderer.h"
#include "core/document/document_state.h"
#include "gui/shell/main_window.h"
#include "picture/qt_canvas.h"

class QComboBox;
class QScrollBar;

namespace tessaro::gui {

// Shows the screen bitmap unchanged; its mouse events go to whoever edits.
class PaintBoxEdytor : public QWidget {
  Q_OBJECT

 public:
  explicit PaintBoxEdytor(QWidget* parent = nullptr);
  void SetBitmap(const QImage* bitmap) { bitmap_ = bitmap; }

 signals:
  void MousePressed(QMouseEvent* event);
  void MouseMoved(QMouseEvent* event);
  void MouseReleased(QMouseEvent* event);
  void MouseDoubleClicked(QMouseEvent* event);
  void Resized();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  const QImage* bitmap_ = nullptr;
};

class DiagramView : public QWidget {
  Q_OBJECT

 public:
  DiagramView(TDocumentState& state, ViewState& view, QWidget* parent = nullptr);

  // What fills the scene before every render, one filler per layer, called
  // in this order whoever installed them first; a layer sees what the layers
  // before it set (the breakpoint page's line mark builds on the run's marks).
  enum class SceneLayer {
    Grid,             // node and line toggles, the grid step
    RunMarks,         // the current block, the selected error, warning and instruction
    BreakpointMarks,  // the line picked in the breakpoint list
    Selection,        // the editor's rubber band, drag overlay and recorded block
  };
  static constexpr int kSceneLayers = 4;
  // Each layer has one owner: setting a layer twice is a wiring mistake.
  void SetSceneLayer(SceneLayer layer, std::function<void(RenderScene&)> fill);

  // Mode 0: renders, composes onto the screen bitmap and shows it.
  void RysujSchemat();
  // Draws the whole diagram as the screen shows it onto `canvas`, straight,
  // for the navigator's thumbnail: the screen's picture holds only what
  // falls on the paint box.
  void DrawWholeDiagram(Canvas& canvas);
  // Modes 5 and 6: renders the picture for printing, export or copying.
  // `clipboard` lists the copied indexes for mode 6; `extents` frames it.
  const DiagramPicture& RenderPicture(int mode, const TObszar& extents,
                                      const std::vector<int32_t>* clipboard = nullptr);

  // Sets the scroll bars from the origin, without feeding back.
  void UpdateScrollBars();
  // tbComboBoxLupaChange: applies the list's selected entry. The centring
  // uses the width of the top dock area and the top of the status bar.
  void ApplyZoomEntry(QComboBox* list, int dock_top_width, int status_bar_top);

  // A point of the paint box in diagram units.
  QPointF ToDiagram(const QPointF& widget_point) const;

  RenderScene& Scene() { return scene_; }
  DiagramRenderer& Renderer() { return renderer_; }
  picture::QtTextMetrics& Metrics() { return metrics_; }
  PaintBoxEdytor* PaintBox() const { return paint_box_; }
  QScrollBar* ScrollBarH() const { return scroll_h_; }
  QScrollBar* ScrollBarV() const { return scroll_v_; }
  const QImage& Bitmap() const { return bitmap_; }

 signals:
  // After every screen render: the navigator refreshes.
  void Rendered(bool dragging);

 private:
  void PrepareScene();
  // The part of the diagram the paint box shows, in diagram units.
  TRect VisibleRect() const;
  void Compose(bool clear);
  void EnsureBitmap();
  void ScrollBarMoved();

  TDocumentState& state_;
  ViewState& view_;
  picture::QtTextMetrics metrics_;
  DiagramRenderer renderer_{metrics_};
  RenderScene scene_;
  QImage bitmap_;
  PaintBoxEdytor* paint_box_ = nullptr;
  QScrollBar* scroll_h_ = nullptr;
  QScrollBar* scroll_v_ = nullptr;
  bool setting_bars_ = false;
  std::array<std::function<void(RenderScene&)>, kSceneLayers> layers_;
};

}  // namespace tessaro::gui
