#include "gui/analysis/tree_page.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgGenerator>

#include "core/i18n/language.h"
#include "core/platform/dialogs.h"
#include "core/runtime/tree_layout.h"
#include "core/runtime/tree_paint.h"
#include "gui/shell/qt_text.h"

namespace tessaro::gui {

namespace {

bool IsInstruction(const TKompilatorTS& c, int32_t k) {
  return k >= 0 && k < static_cast<int32_t>(c.Instructions.size());
}

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
  if (!compiler_ || !IsInstruction(*compiler_, ShownInstruction)) return nullptr;
  return compiler_->Instructions[static_cast<size_t>(ShownInstruction)].Tree.get();
}

const TwrTree* TreePage::MarkedNode() const {
  if (!compiler_ || !IsInstruction(*compiler_, compiler_->Current)) return nullptr;
  const Trozkaz& current = compiler_->Instructions[static_cast<size_t>(compiler_->Current)];
  return CurrentStepNode(current.Steps, current.StepIndex);
}

void TreePage::ShowInstructionTree(int32_t k) {
  if (compiler_ && IsInstruction(*compiler_, compiler_->Current) && IsInstruction(*compiler_, k)) {
    if (compiler_->Current != ShownInstruction) TreeScrollX = TreeScrollY = 0;
    ShownInstruction = k;
    LayoutTree(compiler_->Instructions[static_cast<size_t>(k)].Tree.get());
    PaintTreePage();
    return;
  }
  TreeScrollX = TreeScrollY = 0;
  ShownInstruction = -1;
  update();
}

void TreePage::ResetTreePage() {
  TreeScrollX = TreeScrollY = 0;
  ShownInstruction = -1;
  PaintTreePage();
}

void TreePage::paintEvent(QPaintEvent*) {
  // Drawn off screen and copied, so a drag never flickers.
  QImage bitmap(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  bitmap.fill(Qt::white);
  {
    QPainter painter(&bitmap);
    QtCanvas canvas(painter, metrics_);
    const int32_t w = bitmap.width();
    if (ShownInstruction == -1 || !compiler_ || !IsInstruction(*compiler_, ShownInstruction)) {
      CentredText(painter, w, 12, LangText("mgsc00001"), true);
      CentredText(painter, w, 25, LangText("mgsc00013"), false);
      CentredText(painter, w, 38, LangText("mgsc00006"), false);
    } else {
      const Trozkaz& shown = compiler_->Instructions[static_cast<size_t>(ShownInstruction)];
      CentredText(painter, w, 12, LangText("mgsc00004"), false);
      CentredText(painter, w, 26, shown.Text, true);
      const TwrTree* tree = shown.Tree.get();
      const TTreeExtent extent = TreeExtent(tree);
      const int32_t x = w < extent.Width ? TreeScrollX - extent.Left + 10 : w / 2 + TreeScrollX;
      PaintTree(canvas, x, TreeScrollY + 50, kTreePageFill, 0, MarkedNode(), tree);
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
  if (TreeScrollY < 0) TreeScrollY = 0;
  // A tree lower than the page may not be pushed past its bottom.
  if (TreeHeight < height() && TreeScrollY > height() - TreeHeight - 50)
    TreeScrollY = std::max(0, height() - TreeHeight - 50);
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
    QtCanvas canvas(painter, metrics_);
    PaintTree(canvas, -extent.Left, 2, kTreePageFill, 0, marked, tree);
  };
  QByteArray svg;
  {
    QBuffer buffer(&svg);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    draw(generator);
  }
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  draw(image);
  auto* data = new QMimeData;
  data->setData(QStringLiteral("image/svg+xml"), svg);
  data->setImageData(image);
  QApplication::clipboard()->setMimeData(data);
}

}  // namespace tessaro::gui
