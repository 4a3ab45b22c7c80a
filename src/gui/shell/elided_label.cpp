#include "gui/shell/elided_label.h"

#include <QPainter>
#include <QStyle>

namespace tessaro::gui {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
}

bool ElidedLabel::Elided() const { return fontMetrics().horizontalAdvance(text()) > contentsRect().width(); }

QSize ElidedLabel::minimumSizeHint() const { return {0, QLabel::minimumSizeHint().height()}; }

void ElidedLabel::paintEvent(QPaintEvent*) {
  const QRect area = contentsRect();
  const bool elided = Elided();
  // The whole text is there to read when the panel shows only its start.
  const QString tip = elided ? text() : QString();
  if (toolTip() != tip) setToolTip(tip);
  const QString shown = elided ? fontMetrics().elidedText(text(), Qt::ElideRight, area.width()) : text();
  QPainter painter(this);
  style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                        isEnabled(), shown, foregroundRole());
}

}  // namespace tessaro::gui
