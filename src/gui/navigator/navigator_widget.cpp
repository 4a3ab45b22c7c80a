#include "gui/navigator/navigator_widget.h"

#include <QDockWidget>
#include <QMouseEvent>
#include <QPainter>

#include "core/i18n/retranslation.h"
#include "core/i18n/windows/lupa_texts.h"
#include "gui/diagram/diagram_view.h"
#include "gui/diagram/main_window_diagram.h"
#include "gui/shell/main_window.h"
#include "gui/shell/window_texts.h"
#include "picture/qt_canvas.h"

namespace tessaro::gui {

NavigatorWidget::NavigatorWidget(Tmain& window, DiagramView& view, QWidget* parent)
    : QWidget(parent), window_(window), view_(&view), coalesce_(this) {
  setObjectName(QStringLiteral("PaintBoxLupa"));
  setCursor(Qt::PointingHandCursor);
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setMinimumSize(kNavigatorMaxWidth + 20, kNavigatorMaxHeight + 20);
  coalesce_.setSingleShot(true);
  coalesce_.setInterval(0);
  connect(&coalesce_, &QTimer::timeout, this, &NavigatorWidget::ApplyPendingMove);
  connect(&view, &DiagramView::Rendered, this, [this] { update(); });
  // Its title names it where the panel is not the one showing it (tab bars, accessibility).
  ApplyWindowTexts(*this, kLupaTexts);
  const RetranslationHandle texts = AddRetranslationObserver([this] { ApplyWindowTexts(*this, kLupaTexts); });
  connect(this, &QObject::destroyed, [texts] { RemoveRetranslationObserver(texts); });
}

NavigatorInput NavigatorWidget::Input() const {
  NavigatorInput in;
  in.extents = window_.State().ObszarSchematu;
  in.skala = window_.View().Skala;
  in.poczatek_x = window_.View().PoczatekX;
  in.poczatek_y = window_.View().PoczatekY;
  if (view_) {
    in.editor_width = view_->PaintBox()->width();
    in.editor_height = view_->PaintBox()->height();
  }
  return in;
}

QPoint NavigatorWidget::BoxOrigin(const NavigatorGeometry& g) const {
  return {(width() - g.box_width) / 2, (height() - g.box_height) / 2};
}

void NavigatorWidget::paintEvent(QPaintEvent*) {
  const NavigatorInput in = Input();
  const NavigatorGeometry g = ComputeNavigator(in);
  if (g.empty || !view_ || !window_.State().CurrentDocument()) return;
  QPainter p(this);
  p.translate(BoxOrigin(g));
  p.fillRect(QRect(0, 0, g.box_width, g.box_height), Qt::white);
  {
    // The thumbnail bitmap sits at (1, 1); the diagram's top-left at its corner.
    p.save();
    const double k = in.skala / 100 / g.factor;
    p.translate(1, 1);
    p.scale(k, k);
    p.translate(-in.extents.MinX, -in.extents.MinY);
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(QRectF(in.extents.MinX, in.extents.MinY, in.extents.Width, in.extents.Height).adjusted(-2, -2, 2, 2));
    picture::QtCanvas canvas(p, view_->Metrics());
    view_->DrawWholeDiagram(canvas);
    p.restore();
  }
  p.setPen(QColor(128, 128, 128));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRect(QPoint(1, 1), QPoint(g.frame_right, g.frame_bottom)));
  QPen view_pen(QColor(49, 105, 198), 2);
  view_pen.setJoinStyle(Qt::MiterJoin);
  p.setPen(view_pen);
  p.drawRect(QRect(QPoint(g.view_left, g.view_top), QPoint(g.view_right, g.view_bottom)));
}

void NavigatorWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) MoveViewTo(event->position().toPoint());
}

void NavigatorWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  // Many moves between two renders become one.
  pending_ = event->position().toPoint();
  if (!coalesce_.isActive()) coalesce_.start();
}

void NavigatorWidget::ApplyPendingMove() { MoveViewTo(pending_); }

void NavigatorWidget::MoveViewTo(const QPoint& widget_point) {
  if (!view_ || !window_.State().CurrentDocument()) return;
  const NavigatorGeometry g = Geometry();
  const QPoint at = widget_point - BoxOrigin(g);
  const auto origin = NavigatorClickOrigin(Input(), g.box_width, g.box_height, at.x(), at.y());
  if (!origin) return;
  window_.View().PoczatekX = origin->x;
  window_.View().PoczatekY = origin->y;
  view_->UpdateScrollBars();
  view_->RysujSchemat();
}

void InstallNavigator(Tmain& window) {
  DiagramView& view = window.RequirePart<DiagramView>("InstallNavigator");
  QDockWidget* dock = window.Panel("dpNavigator");
  if (!dock) return;
  QWidget* placeholder = dock->widget();
  dock->setWidget(new NavigatorWidget(window, view, dock));
  delete placeholder;
}

}  // namespace tessaro::gui
