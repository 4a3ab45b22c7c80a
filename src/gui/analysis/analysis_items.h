// The owner-drawn items of the instruction listing and of the error list,
// with the item-height rule both share.
#pragma once

#include <QStyledItemDelegate>

#include "core/language/compiler.h"

namespace tessaro::gui {

// The height of an item of `length` characters in a list `width` pixels
// wide whose blank is `blank` pixels wide. Lists of 80 pixels or less, where
// the rule has no room for text, take one line.
int ItemHeight(int blank, int length, int width);

class AnalysisItemDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  enum class Kind { Listing, Errors };
  AnalysisItemDelegate(Kind kind, QObject* parent);
  void SetCompiler(const TKompilatorTS* compiler) { compiler_ = compiler; }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  // The fill colour of listing item k as the run stands now.
  static QColor ListingFill(const TKompilatorTS& compiler, int32_t k);

 private:
  void PaintListing(QPainter* painter, const QStyleOptionViewItem& option, int k, const QString& text) const;
  void PaintError(QPainter* painter, const QStyleOptionViewItem& option, int i, const QString& text) const;

  Kind kind_;
  const TKompilatorTS* compiler_ = nullptr;
};

}  // namespace tessaro::gui
