#include "gui/conversion/conversion_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/conversion/conversion_figure.h"
#include "core/i18n/language.h"
#include "gui/conversion/conversion_view.h"
#include "gui/shell/qt_text.h"

namespace tessaro::gui {

const TKonwersjaPanel::Preset TKonwersjaPanel::kPresets[9] = {
    {"TBXItem67", "msg00022", 10, 2},  {"TBXItem17", "msg00023", 10, 8},  {"TBXItem18", "msg00024", 10, 16},
    {"TBXItem66", "msg00025", 2, 10},  {"TBXItem86", "msg00026", 8, 10},  {"TBXItem87", "msg00027", 16, 10},
    {"TBXItem88", "msg00028", 2, 16},  {"TBXItem89", "msg00029", 16, 2},  {"TBXItem90", "msg00030", 16, 8},
};

namespace {

QLabel* NewLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  return label;
}

QSpinBox* NewBaseSpin(const char* name, int value, QWidget* parent) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(QLatin1String(name));
  spin->setRange(kMinConversionBase, kMaxConversionBase);
  spin->setValue(value);
  return spin;
}

QHBoxLayout* NewRow(QVBoxLayout* column) {
  auto* row = new QHBoxLayout;
  row->setContentsMargins(4, 2, 4, 2);
  row->setSpacing(4);
  column->addLayout(row);
  return row;
}

}  // namespace

TKonwersjaPanel::TKonwersjaPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("KonwersjaSystemow"));
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  QHBoxLayout* first = NewRow(column);
  value_label_ = NewLabel("lblWartoscKonwersji", this);
  value_ = new QLineEdit(QStringLiteral("7"), this);
  value_->setObjectName(QStringLiteral("edWartoscKonwersji"));
  value_->setFixedWidth(73);
  value_->setAlignment(Qt::AlignRight);
  system_ = new QToolButton(this);
  system_->setObjectName(QStringLiteral("menuSystemKonwersji"));
  system_->setPopupMode(QToolButton::InstantPopup);
  system_->setAutoRaise(true);
  system_menu_ = new QMenu(system_);
  for (size_t i = 0; i < std::size(kPresets); ++i) {
    const Preset& p = kPresets[i];
    QAction* item = system_menu_->addAction(QString());
    item->setObjectName(QLatin1String(p.item));
    connect(item, &QAction::triggered, this, [this, p] {
      source_->setValue(p.source);
      target_->setValue(p.target);
    });
    if (i == 2 || i == 5) system_menu_->addSeparator();
  }
  system_->setMenu(system_menu_);
  kind_ = NewLabel("lblSystemKonwersji", this);
  first->addWidget(value_label_);
  first->addWidget(value_);
  first->addSpacing(10);
  first->addWidget(system_);
  first->addWidget(kind_);
  first->addStretch(1);

  QHBoxLayout* second = NewRow(column);
  source_label_ = NewLabel("lblSysZrodlowy", this);
  source_ = NewBaseSpin("konwersjaSysZrodlowy", 10, this);
  target_label_ = NewLabel("lblSysDocelowy", this);
  target_ = NewBaseSpin("konwersjaSysDocelowy", 2, this);
  second->addWidget(source_label_);
  second->addWidget(source_);
  second->addSpacing(15);
  second->addWidget(target_label_);
  second->addWidget(target_);
  second->addStretch(1);

  auto* scroll = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("PrzewijanieKonwersji"));
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  view_ = new TWizualizacjaKonwersji;
  scroll->setWidget(view_);
  column->addWidget(scroll, 1);

  connect(value_, &QLineEdit::textChanged, this, &TKonwersjaPanel::ValueEdited);
  connect(source_, &QSpinBox::valueChanged, this, &TKonwersjaPanel::BasesChanged);
  connect(target_, &QSpinBox::valueChanged, this, &TKonwersjaPanel::BasesChanged);

  frame_.setSingleShot(true);
  connect(&frame_, &QTimer::timeout, this, &TKonwersjaPanel::ApplyPendingConversion);
  since_shown_.start();

  UpdateKindLabel();
  ApplyTranslation();
  retranslation_ = AddRetranslationObserver([this] { ApplyTranslation(); });
}

TKonwersjaPanel::~TKonwersjaPanel() {
  if (retranslation_ >= 0) RemoveRetranslationObserver(retranslation_);
}

void TKonwersjaPanel::ApplyTranslation() {
  value_label_->setText(Tr("msg00014"));
  system_->setText(Tr("msg00015"));
  source_label_->setText(Tr("msg00016"));
  source_->setToolTip(Tr("msg00017"));
  target_label_->setText(Tr("msg00018"));
  target_->setToolTip(Tr("msg00019"));
  for (const Preset& p : kPresets) {
    if (QAction* item = system_menu_->findChild<QAction*>(QLatin1String(p.item))) item->setText(Tr(p.text));
  }
  view_->Style.InvalidNumberText = LangText("msg00021");
  // The setter repaints, also after the invalid-number text changed.
  view_->Style.TextReszaZDzielenia.clear();
  view_->SetTextReszaZDzielenia(LangText("msg00531"));
}

void TKonwersjaPanel::UpdateKindLabel() {
  kind_->setText(QStringLiteral("   ") + FromCore(KindName(source_->value(), target_->value())));
}

void TKonwersjaPanel::RenderConversion(const std::string& value, int32_t from, int32_t to) {
  view_->WartoscZrodlowa = value;
  view_->PodstawaSystemuZrodlowa = from;
  view_->PodstawaSystemuDocelowa = to;
  view_->Note.clear();
  view_->Render();
}

void TKonwersjaPanel::ValueEdited(const QString& text) {
  RenderConversion(ToCore(text), view_->PodstawaSystemuZrodlowa, view_->PodstawaSystemuDocelowa);
}

void TKonwersjaPanel::BasesChanged() {
  UpdateKindLabel();
  RenderConversion(view_->WartoscZrodlowa, source_->value(), target_->value());
}

void TKonwersjaPanel::ShowConversion(const std::string& value, int32_t from_base, int32_t to_base) {
  pending_ = Pending{value, from_base, to_base, IsConversionBase(from_base) && IsConversionBase(to_base)};
  has_pending_ = true;
  if (frame_.isActive()) return;
  // The time one showing takes (applying and painting), times the share, is
  // the least time between two showings.
  const qint64 cost_ms = (apply_ns_ + view_->LastPaintNs) * kConversionTimeShare / 1000000;
  const qint64 interval = std::max<qint64>(kConversionFrameMs, cost_ms);
  frame_.start(static_cast<int>(std::clamp<qint64>(interval - since_shown_.elapsed(), 0, 1000)));
}

void TKonwersjaPanel::ApplyPendingConversion() {
  if (!has_pending_) return;
  has_pending_ = false;
  since_shown_.restart();
  QElapsedTimer own;
  own.start();
  // Measured to the end of this function, whichever way it returns.
  struct Measure {
    QElapsedTimer& timer;
    qint64& ns;
    ~Measure() { ns = timer.nsecsElapsed(); }
  } measure{own, apply_ns_};
  if (!pending_.valid) {
    view_->Note = LangText("msg00020") + " (" + std::to_string(pending_.from) + ", " +
                  std::to_string(pending_.to) + ")";
    view_->Render();
    return;
  }
  // Value and both bases first, then one rendering.
  {
    const QSignalBlocker a(value_), b(source_), c(target_);
    value_->setText(FromCore(pending_.value));
    source_->setValue(pending_.from);
    target_->setValue(pending_.to);
  }
  UpdateKindLabel();
  RenderConversion(pending_.value, pending_.from, pending_.to);
}

}  // namespace tessaro::gui
