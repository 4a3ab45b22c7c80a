#include "gui/conversion/conversion_view.h"

#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QMenu>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

#include "core/i18n/language.h"
#include "gui/diagram/clipboard_drawing.h"
#include "gui/shell/qt_text.h"

namespace tessaro::gui {

namespace {

constexpr int kMargin = 8;  // kept clear around the figure

QScrollArea* ScrollAreaOf(const QWidget* w) {
  // Inside a scroll area the control's parent is its viewport.
  QWidget* viewport = w->parentWidget();
  return viewport ? qobject_cast<QScrollArea*>(viewport->parentWidget()) : nullptr;
}

}  // namespace

TWizualizacjaKonwersji::TWizualizacjaKonwersji(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("WizualizacjaKonwersji"));
  setAttribute(Qt::WA_OpaquePaintEvent, true);
  setContextMenuPolicy(Qt::DefaultContextMenu);
}

void TWizualizacjaKonwersji::SetTextReszaZDzielenia(const std::string& text) {
  if (text == Style.TextReszaZDzielenia) return;
  Style.TextReszaZDzielenia = text;
  Render();
}

int TWizualizacjaKonwersji::LayoutWidth() const {
  // The width without the vertical scroll bar, whether or not it shows, so
  // that a figure growing taller than the panel is not laid out again.
  if (const QScrollArea* scroll = ScrollAreaOf(this)) {
    const int bar = scroll->verticalScrollBar()->sizeHint().width();
    return std::max(1, scroll->maximumViewportSize().width() - bar);
  }
  return std::max(1, width());
}

void TWizualizacjaKonwersji::Render() {
  dirty_ = true;
  if (!isVisible()) return;
  Record();
  update();
}

void TWizualizacjaKonwersji::Record() {
  dirty_ = false;
  ++RenderCount;
  const int width = LayoutWidth();
  recorded_width_ = width;
  const QScrollArea* scroll = ScrollAreaOf(this);
  const int height = scroll ? scroll->maximumViewportSize().height() : this->height();
  // The background is the control's own; the picture holds only the figure.
  TConversionStyle style = Style;
  style.DrawBackGround = false;
  const TConversionRequest request{WartoscZrodlowa, PodstawaSystemuZrodlowa, PodstawaSystemuDocelowa, Note};
  auto record = [&](int32_t w) {
    picture_.Clear();
    RecordingCanvas canvas(picture_, metrics_);
    PaintConversion(canvas, style, request, TRect{0, 0, w, height});
  };
  record(width);
  // A figure wider than the panel is laid out again, centred in a width
  // that holds it; the panel then scrolls sideways.
  if (!picture_.Empty() && (picture_.InkBounds().Left < 0 || picture_.InkBounds().Right > width)) {
    const TRect ink = picture_.InkBounds();
    record(std::max(width, ink.Right - std::min(0, ink.Left) + 2 * kMargin));
  }
  const TRect& ink = picture_.InkBounds();
  picture_.SetFrame(TRect{0, 0, std::max(width, ink.Right + kMargin), std::max(1, ink.Bottom + kMargin)});
  const QSize needed(ink.Right > width ? ink.Right + kMargin : 0, picture_.Empty() ? 0 : ink.Bottom + kMargin);
  if (minimumSize() != needed) setMinimumSize(needed);
}

void TWizualizacjaKonwersji::paintEvent(QPaintEvent* event) {
  QElapsedTimer timer;
  timer.start();
  if (dirty_) Record();
  QPainter painter(this);
  // The backing store has the screen's pixel ratio, so text stays sharp on
  // high-density screens.
  if (Style.DrawBackGround) painter.fillRect(event->rect(), ToQColor(Style.cfgBackgroundColor));
  picture::QtCanvas canvas(painter, metrics_);
  const QRect r = event->rect();
  const TRect visible{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
  picture_.Replay(canvas, &visible);
  LastPaintNs = timer.nsecsElapsed();
}

void TWizualizacjaKonwersji::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (dirty_) Render();
}

void TWizualizacjaKonwersji::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!dirty_ && LayoutWidth() != recorded_width_) Render();
}

void TWizualizacjaKonwersji::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  QAction* copy = menu.addAction(FromCore(LangText("msg00104")));
  copy->setObjectName(QStringLiteral("KopiujKonwersje"));
  connect(copy, &QAction::triggered, this, [this] { CopyToClipboard(); });
  menu.exec(event->globalPos());
}

void TWizualizacjaKonwersji::CopyToClipboard() {
  if (dirty_) Record();
  const TRect frame = picture_.Frame();
  const QSize size(std::max(1, frame.Right), std::max(1, frame.Bottom));
  auto draw = [&](QPaintDevice& device) {
    QPainter painter(&device);
    painter.fillRect(QRect(QPoint(0, 0), size), ToQColor(Style.cfgBackgroundColor));
    picture::QtCanvas canvas(painter, metrics_);
    picture_.Replay(canvas);
  };
  CopyDrawingToClipboard(size, 2.0, draw);
}

}  // namespace tessaro::gui
