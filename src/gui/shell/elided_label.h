// A status-bar panel whose text never runs past its edge: a text too long
// for the panel is drawn cut with "…" and shown whole in its tooltip.
#pragma once

#include <QLabel>

namespace tessaro::gui {

class ElidedLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ElidedLabel(QWidget* parent = nullptr);

  // Whether the text is too long for the panel as it is now.
  bool Elided() const;

  // A long text does not widen the status bar: the panel takes the width it
  // is given.
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tessaro::gui
