// The navigator: the panel dpNavigator shows a thumbnail of the whole
// diagram, drawn by the editor's renderer, with the rectangle of
// the visible part; a click or a drag with the left button moves the view.
#pragma once

#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "core/diagram/navigator.h"

namespace tessaro::gui {

class DiagramView;
class Tmain;

class NavigatorWidget : public QWidget {
  Q_OBJECT

 public:
  NavigatorWidget(Tmain& window, DiagramView& view, QWidget* parent = nullptr);

  // The current geometry, for the window and its tests.
  NavigatorInput Input() const;
  NavigatorGeometry Geometry() const { return ComputeNavigator(Input()); }
  // The top-left corner of the navigator box inside the widget.
  QPoint BoxOrigin() const { return BoxOrigin(Geometry()); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QPoint BoxOrigin(const NavigatorGeometry& g) const;
  void MoveViewTo(const QPoint& widget_point);
  void ApplyPendingMove();

  Tmain& window_;
  QPointer<DiagramView> view_;
  QTimer coalesce_;  // a drag moves the view at most once per event-loop turn
  QPoint pending_;
};

// Puts the navigator into dpNavigator and refreshes it after every render.
void InstallNavigator(Tmain& window);

}  // namespace tessaro::gui
