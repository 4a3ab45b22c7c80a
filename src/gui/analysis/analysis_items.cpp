#include "gui/analysis/analysis_items.h"

#include <QApplication>
#include <QListWidget>
#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace tessaro::gui {

namespace {

const QColor kCurrentFill(233, 254, 235);
const QColor kNextFill(243, 243, 243);
const QColor kSelectedErrorFill(255, 250, 250);
const QColor kSelectedWarningFill(245, 250, 254);
constexpr int kPictureSize = 10;

void DrawPicture(QPainter* painter, QStyle::StandardPixmap which, int x, int y) {
  QApplication::style()->standardIcon(which).paint(painter, QRect(x, y, kPictureSize, kPictureSize));
}

// The picked item keeps its fill and gets a frame, so it shows over any colour.
void DrawSelection(QPainter* painter, const QStyleOptionViewItem& option) {
  if (!(option.state & QStyle::State_Selected)) return;
  painter->save();
  painter->setPen(QPen(option.palette.color(QPalette::Highlight), 2));
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
  painter->restore();
}

// The item's number with its right end at x.
void DrawNumber(QPainter* painter, const QString& number, int right, int top) {
  const QFontMetrics metrics(painter->font());
  painter->drawText(right - metrics.horizontalAdvance(number), top + metrics.ascent(), number);
}

}  // namespace

int ItemHeight(int blank, int length, int width) {
  if (width <= 80) return 18;
  return ((blank + 4) * length / (width - 80)) * 15 + 18;
}

AnalysisItemDelegate::AnalysisItemDelegate(Kind kind, QObject* parent) : QStyledItemDelegate(parent), kind_(kind) {}

QColor AnalysisItemDelegate::ListingFill(const TKompilatorTS& c, int32_t k) {
  QColor fill = Qt::white;
  if (k == c.Current) fill = kCurrentFill;
  if (c.HasInstruction(c.Current)) {
    const Trozkaz& current = c.Instructions[static_cast<size_t>(c.Current)];
    if (k == current.Next || (current.Kind == Warunek && k == current.NextTrue)) fill = kNextFill;
  }
  return fill;
}

void AnalysisItemDelegate::PaintListing(QPainter* painter, const QStyleOptionViewItem& option, int k,
                                        const QString& text) const {
  const QRect item = option.rect;
  QColor fill = Qt::white;
  QStyle::StandardPixmap picture = QStyle::SP_CustomBase;
  if (compiler_) {
    fill = ListingFill(*compiler_, k);
    if (fill == kCurrentFill) picture = QStyle::SP_ArrowRight;
    if (fill == kNextFill) picture = QStyle::SP_ArrowDown;
  }
  painter->fillRect(item, fill);
  DrawSelection(painter, option);
  painter->setPen(Qt::black);
  if (k > 0) DrawNumber(painter, QString::number(k) + QLatin1Char('.'), item.left() + 40, item.top());
  if (picture != QStyle::SP_CustomBase) DrawPicture(painter, picture, item.left() + 40, item.top() + 2);
  const QRect text_rect(QPoint(item.left() + 50, item.top()), QPoint(item.left() + item.width() - 30, item.bottom()));
  painter->drawText(text_rect, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
}

void AnalysisItemDelegate::PaintError(QPainter* painter, const QStyleOptionViewItem& option, int i,
                                      const QString& text) const {
  const QRect item = option.rect;
  const bool selected = option.state & QStyle::State_Selected;
  const bool warning = compiler_ && i >= static_cast<int>(compiler_->Errors.size());
  QColor fill = Qt::white;
  if (selected) fill = warning ? kSelectedWarningFill : kSelectedErrorFill;
  painter->fillRect(item, fill);
  DrawSelection(painter, option);
  painter->setPen(Qt::black);
  DrawNumber(painter, QString::number(i + 1) + QLatin1Char('.'), item.left() + 30, item.top() + 4);
  DrawPicture(painter, warning ? QStyle::SP_MessageBoxWarning : QStyle::SP_MessageBoxCritical, item.left() + 32,
              item.top() + 6);
  const QRect text_rect(QPoint(item.left() + 50, item.top() + 4),
                        QPoint(item.left() + item.width() - 30, item.bottom() + 4));
  painter->drawText(text_rect, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
}

void AnalysisItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
  painter->save();
  painter->setFont(option.font);
  const QString text = index.data(Qt::DisplayRole).toString();
  if (kind_ == Kind::Listing)
    PaintListing(painter, option, index.row(), text);
  else
    PaintError(painter, option, index.row(), text);
  painter->restore();
}

QSize AnalysisItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
  const int width = view ? view->viewport()->width() : option.rect.width();
  const QFontMetrics metrics(option.font);
  const QString text = index.data(Qt::DisplayRole).toString();
  const int rule = ItemHeight(metrics.horizontalAdvance(QLatin1Char(' ')), static_cast<int>(text.size()), width);
  // The rule guesses the lines from the text's length; an item is never
  // lower than its wrapped text (between x = 50 and width - 30, and 4
  // pixels down in the error list), so no message is cut off.
  const int top = kind_ == Kind::Errors ? 4 : 0;
  const QRect wrapped =
      metrics.boundingRect(QRect(0, 0, std::max(1, width - 80), 1 << 20), Qt::TextWordWrap | Qt::AlignLeft, text);
  return QSize(width, std::max(rule, wrapped.height() + top + 2));
}

}  // namespace tessaro::gui
