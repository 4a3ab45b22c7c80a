// The tree of open documents in the panel "Otwarte pliki": one root, one
// child per open document in opening order.
#pragma once

#include <QTreeWidget>

namespace tessaro::gui {

class OpenFilesTree : public QTreeWidget {
  Q_OBJECT

 public:
  // Images of the nodes.
  enum Image { kNeverSaved = 0, kFromFile = 1, kRoot = 2 };

  explicit OpenFilesTree(QWidget* parent = nullptr);

  QTreeWidgetItem* Root() const { return root_; }
  void SetRootText(const QString& text);
  QTreeWidgetItem* AddDocument(const QString& name, Image image);
  static void SetNode(QTreeWidgetItem* node, const QString& name, Image image);

 private:
  QTreeWidgetItem* root_;
};

}  // namespace tessaro::gui
