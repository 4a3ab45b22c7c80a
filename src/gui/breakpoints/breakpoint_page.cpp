#include "gui/breakpoints/breakpoint_page.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/i18n/windows/code_texts.h"
#include "core/language/breakpoint_text.h"
#include "gui/breakpoints/breakpoint_dialog.h"
#include "gui/shell/qt_text.h"
#include "gui/shell/window_texts.h"

namespace tessaro::gui {

namespace {

QPushButton* Button(QWidget* parent, const char* name) {
  auto* button = new QPushButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

QIcon MarkerIcon(bool enabled) {
  // The diagram's marker: a red dot, grey when the breakpoint is off.
  QPixmap picture(12, 12);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::black);
  painter.setBrush(enabled ? QColor(220, 30, 30) : QColor(190, 190, 190));
  painter.drawEllipse(1, 1, 10, 10);
  return QIcon(picture);
}

// Whether `row` of the list names one of `breakpoints`.
bool HasRow(const TBreakPointArray* breakpoints, int row) {
  return breakpoints && row >= 0 && row < static_cast<int>(breakpoints->size());
}

}  // namespace

BreakpointPage::BreakpointPage(QWidget* parent) : QWidget(parent) {
  setObjectName("BreakpointPage");
  list_ = new QListWidget(this);
  list_->setObjectName("ListBoxBreakBoint");
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(12);
  list_->setFont(font);
  list_->setWordWrap(true);
  list_->setTextElideMode(Qt::ElideNone);
  list_->setStyleSheet(QStringLiteral(
      "QListWidget::item:selected { background: rgb(128, 210, 255); color: black; }"));

  configure_ = Button(this, "TBXButton5");
  remove_ = Button(this, "TBXButton4");
  enable_all_ = Button(this, "TBXButton3");
  disable_all_ = Button(this, "TBXButton2");
  auto* bar = new QHBoxLayout;
  for (QPushButton* b : {configure_, remove_, enable_all_, disable_all_}) bar->addWidget(b);
  bar->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(list_, 1);
  layout->addLayout(bar);

  RunDialog = [](TFormBreakPoint& dialog) { return dialog.exec(); };
  connect(list_, &QListWidget::currentRowChanged, this, [this] { ListClick(); });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { Configure(); });
  connect(configure_, &QPushButton::clicked, this, [this] { Configure(); });
  connect(remove_, &QPushButton::clicked, this, [this] { RemoveSelected(); });
  connect(enable_all_, &QPushButton::clicked, this, [this] { SetAllEnabled(true); });
  connect(disable_all_, &QPushButton::clicked, this, [this] { SetAllEnabled(false); });
  ApplyTranslation();
}

void BreakpointPage::ApplyTranslation() {
  // The page is the analysis window's breakpoint page; its texts are in that window's table.
  for (QPushButton* button : {configure_, remove_, enable_all_, disable_all_})
    button->setText(WindowTextOf(kCodeTexts, button->objectName().toStdString()));
  FillItems(list_->currentRow());
}

TBreakPointArray* BreakpointPage::CurrentBreakpoints() const { return Breakpoints ? Breakpoints() : nullptr; }

void BreakpointPage::FillItems(int keep_row) {
  const QSignalBlocker quiet(list_);
  list_->clear();
  TBreakPointArray* breakpoints = CurrentBreakpoints();
  const std::vector<Tobj>* blocks = Blocks ? Blocks() : nullptr;
  if (!breakpoints) return;
  static const std::vector<Tobj> kNone;
  for (size_t i = 0; i < breakpoints->size(); ++i) {
    const TBreakPoint& b = (*breakpoints)[i];
    const QString text = QStringLiteral("%1. ").arg(i + 1) + FromCore(BreakpointItemText(b, blocks ? *blocks : kNone));
    list_->addItem(new QListWidgetItem(MarkerIcon(b.Enabled != 0), text));
  }
  if (keep_row >= 0 && keep_row < list_->count()) list_->setCurrentRow(keep_row);
}

void BreakpointPage::RefreshBreakpointList() {
  FillItems(-1);
  ListClick();
}

void BreakpointPage::ListClick() {
  TBreakPointArray* breakpoints = CurrentBreakpoints();
  const int row = list_->currentRow();
  if (!MarkLine) return;
  if (!HasRow(breakpoints, row)) {
    MarkLine(false, 0, 0);
    return;
  }
  const TBreakPoint& b = (*breakpoints)[static_cast<size_t>(row)];
  MarkLine(true, b.Block, b.Line);
}

void BreakpointPage::Configure() {
  TBreakPointArray* breakpoints = CurrentBreakpoints();
  const int row = list_->currentRow();
  if (!HasRow(breakpoints, row)) return;
  TFormBreakPoint dialog(window());
  if (PrepareDialog) PrepareDialog(dialog);
  dialog.SetBreakpoint((*breakpoints)[static_cast<size_t>(row)]);
  if (RunDialog(dialog) != QDialog::Accepted) return;
  // The dialog may have run a condition that changed the documents.
  breakpoints = CurrentBreakpoints();
  if (!HasRow(breakpoints, row)) return;
  (*breakpoints)[static_cast<size_t>(row)] = dialog.Breakpoint();
  FillItems(row);
  ListClick();
  if (Repaint) Repaint();
}

void BreakpointPage::RemoveSelected() {
  TBreakPointArray* breakpoints = CurrentBreakpoints();
  const int row = list_->currentRow();
  if (!HasRow(breakpoints, row)) return;
  breakpoints->erase(breakpoints->begin() + row);
  RefreshBreakpointList();
  if (Repaint) Repaint();
}

void BreakpointPage::SetAllEnabled(bool enabled) {
  TBreakPointArray* breakpoints = CurrentBreakpoints();
  if (!breakpoints) return;
  for (TBreakPoint& b : *breakpoints) b.Enabled = enabled ? 1 : 0;
  FillItems(list_->currentRow());
  if (Repaint) Repaint();
}

}  // namespace tessaro::gui
