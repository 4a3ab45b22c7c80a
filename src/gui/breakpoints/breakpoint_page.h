// The analysis window's page of breakpoints: the list of the current
// document's breakpoints and the buttons that configure, remove, enable and
// disable them. The host connects it to the document and the diagram.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "core/document/model.h"

class QListWidget;
class QPushButton;

namespace tessaro::gui {

class TFormBreakPoint;

class BreakpointPage : public QWidget {
  Q_OBJECT

 public:
  explicit BreakpointPage(QWidget* parent = nullptr);

  // The current document's breakpoints and blocks; nullptr without a document.
  std::function<TBreakPointArray*()> Breakpoints;
  std::function<const std::vector<Tobj>*()> Blocks;
  // Marks (or, with active false, unmarks) a block line in the diagram and repaints it.
  std::function<void(bool active, int32_t block, int32_t line)> MarkLine;
  // Repaints the diagram (its breakpoint markers).
  std::function<void()> Repaint;
  // Gives the dialog its evaluation and settings before it is shown.
  std::function<void(TFormBreakPoint& dialog)> PrepareDialog;
  // Shows the dialog modally; tests replace it. Returns the dialog's result.
  std::function<int(TFormBreakPoint& dialog)> RunDialog;

  // The list again from the document; no item selected afterwards.
  void RefreshBreakpointList();
  // The commands of the page.
  void ListClick();
  void Configure();
  void RemoveSelected();
  void SetAllEnabled(bool enabled);
  void ApplyTranslation();

  QListWidget* List() const { return list_; }

 private:
  void FillItems(int keep_row);
  // Breakpoints(), or nullptr when it is unset.
  TBreakPointArray* CurrentBreakpoints() const;

  QListWidget* list_ = nullptr;
  QPushButton* configure_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* enable_all_ = nullptr;
  QPushButton* disable_all_ = nullptr;
};

}  // namespace tessaro::gui
