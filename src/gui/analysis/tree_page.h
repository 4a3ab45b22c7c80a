// The " Drzewo " page: the expression tree of one instruction, with the node
// of the next micro step marked, dragged around with the mouse.
#pragma once

#include <QWidget>
#include <cstdint>

#include "core/language/compiler.h"
#include "core/runtime/tree_layout.h"
#include "picture/qt_canvas.h"

namespace tessaro::gui {

class TreePage : public QWidget {
  Q_OBJECT

 public:
  explicit TreePage(QWidget* parent = nullptr);

  void SetCompiler(TKompilatorTS* compiler) { compiler_ = compiler; }

  // Shows the tree of instruction k while a program is current; otherwise
  // the page returns to its empty state.
  void ShowInstructionTree(int32_t k);
  void ResetTreePage();
  void PaintTreePage() { update(); }
  // The tree as an SVG and a PNG picture on the clipboard; a notice when no
  // tree is shown.
  void CopyToClipboard();

  int32_t ShownInstruction = -1;
  int32_t TreeScrollX = 0;
  int32_t TreeScrollY = 0;
  int32_t TreeWidth = 0;
  int32_t TreeHeight = 0;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  const TwrTree* ShownTree() const;
  const TwrTree* MarkedNode() const;
  // The x of the root as painted.
  int32_t OriginX(const TTreeExtent& extent) const;
  // Moves the tree so the node of the next micro step is on the page.
  void ScrollToMarkedNode();
  static bool Contains(const TwrTree* tree, const TwrTree* node);

  TKompilatorTS* compiler_ = nullptr;
  picture::QtTextMetrics metrics_;
  bool dragging_ = false;
  QPoint last_mouse_;
  // The size of the last paint; the marked node waits for a page's real size.
  QSize painted_size_;
  bool scroll_pending_ = false;
};

}  // namespace tessaro::gui
