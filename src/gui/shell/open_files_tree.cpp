#include "gui/shell/open_files_tree.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

namespace tessaro::gui {

namespace {

const QColor kText(0x80, 0x80, 0x80);
const QColor kSelected(0xC6, 0xD3, 0xEF);  // 0xEFD3C6 as a Windows colour

QIcon ImageIcon(OpenFilesTree::Image image) {
  QStyle* style = QApplication::style();
  switch (image) {
    case OpenFilesTree::kNeverSaved:
      return style->standardIcon(QStyle::SP_FileIcon);
    case OpenFilesTree::kFromFile:
      return style->standardIcon(QStyle::SP_DialogSaveButton);
    case OpenFilesTree::kRoot:
      return style->standardIcon(QStyle::SP_DirOpenIcon);
  }
  return {};
}

// Grey text; the node under the mouse on white and underlined; the selected
// node on pale blue with black text.
class NodeDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem o = option;
    initStyleOption(&o, index);
    const bool selected = o.state & QStyle::State_Selected;
    const bool hot = o.state & QStyle::State_MouseOver;
    QColor text = kText;
    if (selected) {
      painter->fillRect(o.rect, kSelected);
      text = Qt::black;
    } else if (hot) {
      painter->fillRect(o.rect, Qt::white);
      o.font.setUnderline(true);
    }
    o.state &= ~(QStyle::State_Selected | QStyle::State_MouseOver | QStyle::State_HasFocus);
    o.palette.setColor(QPalette::Text, text);
    o.backgroundBrush = Qt::NoBrush;
    QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &o, painter, o.widget);
  }
};

}  // namespace

OpenFilesTree::OpenFilesTree(QWidget* parent) : QTreeWidget(parent) {
  setObjectName(QStringLiteral("TreeViewListaPlikow"));
  setHeaderHidden(true);
  setColumnCount(1);
  setMouseTracking(true);
  setItemDelegate(new NodeDelegate(this));
  // The branch column shows the selection in the same colours as the node.
  QPalette colours = palette();
  colours.setColor(QPalette::Highlight, kSelected);
  colours.setColor(QPalette::HighlightedText, Qt::black);
  setPalette(colours);
  setSelectionMode(QAbstractItemView::SingleSelection);
  root_ = new QTreeWidgetItem(this);
  root_->setIcon(0, ImageIcon(kRoot));
}

void OpenFilesTree::SetRootText(const QString& text) { root_->setText(0, text); }

QTreeWidgetItem* OpenFilesTree::AddDocument(const QString& name, Image image) {
  auto* node = new QTreeWidgetItem(root_);
  SetNode(node, name, image);
  return node;
}

void OpenFilesTree::SetNode(QTreeWidgetItem* node, const QString& name, Image image) {
  node->setText(0, name);
  node->setIcon(0, ImageIcon(image));
  node->setData(0, Qt::UserRole, static_cast<int>(image));
}

}  // namespace tessaro::gui
