#include "gui/diagram/diagram_view.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>

#include "core/diagram/rounding.h"
#include "core/diagram/view_math.h"
#include "core/document/scroll_range.h"
#include "gui/shell/qt_text.h"

namespace tessaro::gui {

PaintBoxEdytor::PaintBoxEdytor(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PaintBoxEdytor"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
}

void PaintBoxEdytor::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (bitmap_ && !bitmap_->isNull()) {
    painter.drawImage(0, 0, *bitmap_);
  } else {
    painter.fillRect(rect(), Qt::white);
  }
}

void PaintBoxEdytor::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  emit Resized();
}

void PaintBoxEdytor::mousePressEvent(QMouseEvent* event) { emit MousePressed(event); }
void PaintBoxEdytor::mouseMoveEvent(QMouseEvent* event) { emit MouseMoved(event); }
void PaintBoxEdytor::mouseReleaseEvent(QMouseEvent* event) { emit MouseReleased(event); }
void PaintBoxEdytor::mouseDoubleClickEvent(QMouseEvent* event) { emit MouseDoubleClicked(event); }

DiagramView::DiagramView(TDocumentState& state, ViewState& view, QWidget* parent)
    : QWidget(parent), state_(state), view_(view) {
  setObjectName(QStringLiteral("DiagramView"));
  paint_box_ = new PaintBoxEdytor(this);
  scroll_h_ = new QScrollBar(Qt::Horizontal, this);
  scroll_v_ = new QScrollBar(Qt::Vertical, this);
  scroll_h_->setObjectName(QStringLiteral("MainScrollBarH"));
  scroll_v_->setObjectName(QStringLiteral("MainScrollBarV"));
  for (QScrollBar* bar : {scroll_h_, scroll_v_}) {
    bar->setRange(0, kScrollRange);
    bar->setSingleStep(10);
    bar->setPageStep(200);
    connect(bar, &QScrollBar::valueChanged, this, &DiagramView::ScrollBarMoved);
  }
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(paint_box_, 0, 0);
  layout->addWidget(scroll_v_, 0, 1);
  layout->addWidget(scroll_h_, 1, 0);
  paint_box_->SetBitmap(&bitmap_);
  connect(paint_box_, &PaintBoxEdytor::Resized, this, &DiagramView::RysujSchemat);
  UpdateScrollBars();
}

void DiagramView::PrepareScene() {
  scene_.Bloki = &state_.Bloki;
  scene_.Wybrany = state_.Wybrany;
  scene_.GrupaAktywna = state_.GrupaAktywna;
  scene_.ObszarGrupy = state_.ObszarGrupy;
  scene_.Obszar = state_.ObszarSchematu;
  TOtwartePliki* document = state_.CurrentDocument();
  scene_.Breakpoints = document ? &document->PunktyPrzerwania : nullptr;
  for (const auto& fill : layers_)
    if (fill) fill(scene_);
}

void DiagramView::SetSceneLayer(SceneLayer layer, std::function<void(RenderScene&)> fill) {
  auto& slot = layers_[static_cast<size_t>(layer)];
  Q_ASSERT_X(!slot, "DiagramView::SetSceneLayer", "a scene layer has one owner");
  slot = std::move(fill);
}

void DiagramView::EnsureBitmap() {
  // The bitmap is made once at the size of the screen and grows only when
  // the paint box outgrows it; it is drawn at the device pixel ratio so a
  // high-density screen shows a sharp diagram.
  const qreal ratio = paint_box_->devicePixelRatioF();
  QSize want = paint_box_->size();
  if (const QScreen* screen = paint_box_->screen() ? paint_box_->screen() : QGuiApplication::primaryScreen()) {
    want = want.expandedTo(screen->size());
  }
  const QSize pixels = (QSizeF(want) * ratio).toSize();
  if (!bitmap_.isNull() && bitmap_.devicePixelRatio() == ratio && bitmap_.width() >= pixels.width() &&
      bitmap_.height() >= pixels.height()) {
    return;
  }
  bitmap_ = QImage(pixels, QImage::Format_RGB32);
  bitmap_.setDevicePixelRatio(ratio);
  bitmap_.fill(Qt::white);
}

TRect DiagramView::VisibleRect() const {
  const double z = view_.Skala / 100;
  const int tx = RoundEven(view_.PoczatekX * z), ty = RoundEven(view_.PoczatekY * z);
  return {static_cast<int32_t>(std::floor(-tx / z)), static_cast<int32_t>(std::floor(-ty / z)),
          static_cast<int32_t>(std::ceil((paint_box_->width() - tx) / z)),
          static_cast<int32_t>(std::ceil((paint_box_->height() - ty) / z))};
}

void DiagramView::Compose(bool clear) {
  EnsureBitmap();
  if (clear) bitmap_.fill(Qt::white);
  QPainter painter(&bitmap_);
  const double z = view_.Skala / 100;
  const int tx = RoundEven(view_.PoczatekX * z), ty = RoundEven(view_.PoczatekY * z);
  painter.translate(tx, ty);
  painter.scale(z, z);
  const TRect visible = VisibleRect();
  picture::QtCanvas canvas(painter, metrics_);
  renderer_.Picture().Replay(canvas, &visible);
}

void DiagramView::RysujSchemat() {
  PrepareScene();
  // Only what falls on the paint box is recorded; a large diagram is mostly off screen.
  scene_.Visible = VisibleRect();
  // A failure while drawing keeps what the screen shows so far.
  try {
    const bool clear = renderer_.RysujSchemat(kModeScreen, scene_);
    Compose(clear);
  } catch (const std::exception&) {
  }
  paint_box_->update();
  emit Rendered(scene_.Nakladka && !scene_.TemporaryPan);
}

void DiagramView::DrawWholeDiagram(Canvas& canvas) {
  PrepareScene();
  RenderScene scene = scene_;
  scene.Nakladka = false;
  scene.Visible.reset();
  renderer_.Draw(kModeScreen, scene, canvas);
}

const DiagramPicture& DiagramView::RenderPicture(int mode, const TObszar& extents,
                                                 const std::vector<int32_t>* clipboard) {
  PrepareScene();
  RenderScene scene = scene_;
  scene.Visible.reset();
  scene.Obszar = extents;
  scene.Clipboard = clipboard;
  scene.Nakladka = false;
  // A picture shows the diagram, not the debugging state or the selection.
  scene.Highlight = nullptr;
  scene.Wybrany = -1;
  scene.GrupaAktywna = false;
  renderer_.RysujSchemat(mode, scene);
  return renderer_.Picture();
}

void DiagramView::UpdateScrollBars() {
  setting_bars_ = true;
  const double z = view_.Skala / 100;
  const TObszar& e = state_.ObszarSchematu;
  const ScrollRange h = ScrollRangeFor(e.MinX, e.MaxX, RoundEven(paint_box_->width() / z), view_.PoczatekX);
  const ScrollRange v = ScrollRangeFor(e.MinY, e.MaxY, RoundEven(paint_box_->height() / z), view_.PoczatekY);
  scroll_h_->setRange(h.minimum, h.maximum);
  scroll_v_->setRange(v.minimum, v.maximum);
  scroll_h_->setValue(h.position);
  scroll_v_->setValue(v.position);
  setting_bars_ = false;
}

void DiagramView::ScrollBarMoved() {
  if (setting_bars_) return;
  view_.PoczatekX = OriginFromScrollPosition(scroll_h_->value());
  view_.PoczatekY = OriginFromScrollPosition(scroll_v_->value());
  if (isVisible()) RysujSchemat();
}

void DiagramView::ApplyZoomEntry(QComboBox* list, int dock_top_width, int status_bar_top) {
  if (!list || list->currentIndex() < 0) return;
  ZoomInput in;
  in.entry = ToCore(list->itemText(list->currentIndex()));
  // The fit entry is the one after the percentages, whatever its translation.
  in.fit = list->currentIndex() == static_cast<int>(kZoomEntries.size());
  if (in.fit && (state_.ObszarSchematu.Width == 0 || state_.ObszarSchematu.Height == 0)) {
    const bool changed = state_.Zmiana;  // a zoom changes no diagram
    state_.WyznaczObszar();
    state_.Zmiana = changed;
  }
  in.extents = state_.ObszarSchematu;
  in.dock_top_width = dock_top_width;
  in.status_bar_top = status_bar_top;
  in.editor_width = paint_box_->width();
  in.editor_height = paint_box_->height();
  in.skala = view_.Skala;
  in.poczatek_x = view_.PoczatekX;
  in.poczatek_y = view_.PoczatekY;
  const ZoomResult r = tessaro::ApplyZoomEntry(in);
  view_.Skala = r.skala;
  view_.PoczatekX = r.poczatek_x;
  view_.PoczatekY = r.poczatek_y;
  view_.SkalaIndeks = list->currentIndex();
  UpdateScrollBars();
  // The fit entry shows the zoom it chose; that needs a list with a text field.
  if (!r.list_text.empty() && list->isEditable()) list->setEditText(FromCore(r.list_text));
  if (r.render) RysujSchemat();
}

QPointF DiagramView::ToDiagram(const QPointF& p) const {
  const double z = view_.Skala / 100;
  return {p.x() / z - view_.PoczatekX, p.y() / z - view_.PoczatekY};
}

}  // namespace tessaro::gui
