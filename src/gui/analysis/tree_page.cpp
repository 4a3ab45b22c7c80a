#include "gui/analysis/tree_page.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "core/i18n/language.h"
#include "core/platform/dialogs.h"
#include "core/runtime/tree_layout.h"
#include "core/runtime/tree_paint.h"
#include "gui/diagram/clipboard_drawing.h"
#include "gui/shell/qt_text.h"

namespace tessaro::gui {

namespace {

// The tree's root stands this far below the page's top, under the titles.
constexpr int32_t kTreeTop = 50;
// How far a node's box and its value reach from the node's position.
constexpr int32_t kNodeMargin = 30;

// A black Tahoma text centred across `width`, its top at y.
void CentredText(QPainter& painter, int32_t width, int32_t y, const std::string& text, bool bold) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(11);
  font.setBold(bold);
  painter.setFont(font);
  painter.setPen(Qt::black);
  const QString shown = FromCore(text);
  const QFontMetrics metrics(font);
  painter.drawText(width / 2 - metrics.horizontalAdvance(shown) / 2, y + metrics.ascent(), shown);
}

}  // namespace

TreePage::TreePage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PaintBox"));
  setAutoFillBackground(false);
}

const TwrTree* TreePage::ShownTree() const {
  if (!compiler_ || !compiler_->HasInstruction(ShownInstruction)) return nullptr;
  return compiler_->Instructions[static_cast<size_t>(ShownInstruction)].Tree.get();
}

const TwrTree* TreePage::MarkedNode() const {
  if (!compiler_ || !compiler_->HasInstruction(compiler_->Current)) return nullptr;
  const Trozkaz& current = compiler_->Instructions[static_cast<size_t>(compiler_->Current)];
  return CurrentStepNode(current.Steps, current.StepIndex);
}

void TreePage::ShowInstructionTree(int32_t k) {
  if (compiler_ && compiler_->HasInstruction(k)) {
    if (compiler_->HasInstruction(compiler_->Current)) {
      if (compiler_->Current != ShownInstruction) TreeScrollX = TreeScrollY = 0;
    } else {
      // No program runs: the tree shows its shape, not the values of the
      // last run.
      if (k != ShownInstruction) TreeScrollX = TreeScrollY = 0;
      compiler_->ResetInstruction(compiler_->Instructions[static_cast<size_t>(k)]);
    }
    ShownInstruction = k;
    LayoutTree(compiler_->Instructions[static_cast<size_t>(k)].Tree.get());
    // A page just shown may not have its size yet; the paint then scrolls.
    scroll_pending_ = size() != painted_size_;
    if (!scroll_pending_) ScrollToMarkedNode();
    PaintTreePage();
    return;
  }
  TreeScrollX = TreeScrollY = 0;
  ShownInstruction = -1;
  update();
}

int32_t TreePage::OriginX(const TTreeExtent& extent) const {
  return width() < extent.Width ? TreeScrollX - extent.Left + 10 : width() / 2 + TreeScrollX;
}

void TreePage::ScrollToMarkedNode() {
  const TwrTree* tree = ShownTree();
  const TwrTree* marked = MarkedNode();
  if (!tree || !marked || !Contains(tree, marked) || width() <= 0 || height() <= kTreeTop) return;
  const TTreeExtent extent = TreeExtent(tree);
  // A node that is off the page, or at its edge, is brought to the middle
  // of the page, so the nodes around it show too.
  const int32_t x = OriginX(extent) + marked->PosX;
  const int32_t y = TreeScrollY + kTreeTop + marked->PosY;
  if (x - 2 * kNodeMargin < 0 || x + 2 * kNodeMargin > width()) TreeScrollX += width() / 2 - x;
  if (y - 4 < kTreeTop || y + kNodeMargin > height()) TreeScrollY += (kTreeTop + height()) / 2 - y;
}

bool TreePage::Contains(const TwrTree* tree, const TwrTree* node) {
  if (!tree) return false;
  return tree == node || Contains(tree->LeftNode, node) || Contains(tree->RightNode, node);
}

void TreePage::ResetTreePage() {
  TreeScrollX = TreeScrollY = 0;
  ShownInstruction = -1;
  PaintTreePage();
}

void TreePage::paintEvent(QPaintEvent*) {
  if (scroll_pending_) ScrollToMarkedNode();
  scroll_pending_ = false;
  painted_size_ = size();
  // Drawn off screen and copied, so a drag never flickers.
  QImage bitmap(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  bitmap.fill(Qt::white);
  {
    QPainter painter(&bitmap);
    picture::QtCanvas canvas(painter, metrics_);
    const int32_t w = bitmap.width();
    if (ShownInstruction == -1 || !compiler_ || !compiler_->HasInstruction(ShownInstruction)) {
      CentredText(painter, w, 12, LangText("mgsc00001"), true);
      CentredText(painter, w, 25, LangText("mgsc00013"), false);
      CentredText(painter, w, 38, LangText("mgsc00006"), false);
    } else {
      const Trozkaz& shown = compiler_->Instructions[static_cast<size_t>(ShownInstruction)];
      CentredText(painter, w, 12, LangText("mgsc00004"), false);
      CentredText(painter, w, 26, shown.Text, true);
      const TwrTree* tree = shown.Tree.get();
      const TTreeExtent extent = TreeExtent(tree);
      // A tree moved up passes under the titles, not over them.
      painter.setClipRect(0, kTreeTop - 8, w, bitmap.height());
      PaintTree(canvas, OriginX(extent), TreeScrollY + kTreeTop, kTreePageFill, 0, MarkedNode(), tree);
      TreeWidth = extent.Width;
      TreeHeight = extent.Height;
    }
  }
  QPainter(this).drawImage(0, 0, bitmap);
}

void TreePage::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    dragging_ = true;
    last_mouse_ = event->position().toPoint();
  }
}

void TreePage::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const QPoint at = event->position().toPoint();
  TreeScrollX += at.x() - last_mouse_.x();
  TreeScrollY += at.y() - last_mouse_.y();
  last_mouse_ = at;
  // The tree moves every way, but never wholly out of the page: a tree
  // lower than the page stays below the title and within the bottom margin,
  // a taller one can be lifted until its bottom shows.
  const int32_t room_y = height() - TreeHeight - kTreeTop;
  TreeScrollY = std::clamp(TreeScrollY, room_y < 0 ? room_y - kNodeMargin : 0, std::max(0, room_y));
  if (const TwrTree* tree = ShownTree()) {
    const TTreeExtent extent = TreeExtent(tree);
    // The left edge may go from 10 pixels inside the page to where the
    // right edge is 10 pixels inside; the position it has unmoved is allowed.
    const int32_t unmoved = OriginX(extent) - TreeScrollX + extent.Left;
    const int32_t far = width() - extent.Width - 10;
    TreeScrollX = std::clamp(TreeScrollX, std::min({0, 10 - unmoved, far - unmoved}),
                             std::max({0, 10 - unmoved, far - unmoved}));
  }
  PaintTreePage();
}

void TreePage::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

void TreePage::CopyToClipboard() {
  const TwrTree* tree = ShownTree();
  if (!tree) {
    Komunikat(LangText("mgsc00003"), LangText("mgsc00008"));
    return;
  }
  // The layout of the last ShowInstructionTree is kept.
  const TTreeExtent extent = TreeExtent(tree);
  const QSize size(std::max(1, extent.Width), std::max(1, extent.Height));
  const TwrTree* marked = MarkedNode();
  auto draw = [&](QPaintDevice& device) {
    QPainter painter(&device);
    picture::QtCanvas canvas(painter, metrics_);
    PaintTree(canvas, -extent.Left, 2, kTreePageFill, 0, marked, tree);
  };
  CopyDrawingToClipboard(size, 1.0, draw);
}

}  // namespace tessaro::gui
