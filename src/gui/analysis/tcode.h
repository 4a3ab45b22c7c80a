// Tcode: the analysis window's pages in the bottom panel dpNarzedzia: the
// pseudocode, the instruction listing, the expression tree, the breakpoints,
// the console and, while there is something to show, the errors and warnings.
#pragma once

#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

#include "core/language/compiler.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTextEdit;

namespace tessaro::gui {

class AnalysisItemDelegate;
class Console;
class TreePage;

// Page indexes; the errors page, when attached, comes after these.
enum TcodePage { kPagePseudocode = 0, kPageListing = 1, kPageTree = 2, kPageBreakpoints = 3, kPageConsole = 4 };

class Tcode : public QWidget {
  Q_OBJECT

 public:
  explicit Tcode(QWidget* parent = nullptr);
  ~Tcode() override;

  void SetCompiler(TKompilatorTS* compiler);
  // The version shown in the console's greeting.
  void SetVersionText(const std::string& version) { version_text_ = version; }
  void ApplyTranslation();

  // Lists and pages.
  void WriteListing();
  void WriteErrorList();
  void ClearPseudocode();
  void ClearListing();
  void ClearErrorList();
  void RepaintListing();
  void AttachErrorsPage();
  void DetachErrorsPage();
  bool ErrorsPageAttached() const;
  void SetActivePage(int index);
  void ShowErrorsPage();  // attached and active
  int ActivePage() const;
  // The listing's click: selects item `k` and shows its tree (-1: none selected).
  void ListingClick();
  void ErrorListClick();
  // Picks error `i` in the error list as a click would: the diagram frames its block.
  void SelectError(int i);
  // The listing's current item and the tree page follow the current
  // instruction, without marking it as the user's pick.
  void FollowCurrent();
  // Scrolls the listing so the current instruction is in view.
  void ScrollListingToCurrent();
  // Both lists again from the compiled program, in the language now in
  // force; their current items stay.
  void RewriteLists();
  // Re-measures the items of both lists.
  void MeasureLists();

  // Console.
  void ClearConsole();
  // Input mode: waits in a nested loop until EndConsoleInput; the answer is
  // the entered line, empty for every other way out.
  void RunInputMode();
  void EndConsoleInput();
  bool ConsoleInputActive() const;
  const std::string& ConsoleAnswer() const;
  void SaveConsole();

  QTabWidget* PageControl() const { return page_control_; }
  // The breakpoint list fills its page when it arrives.
  void AddBreakpointPage(QWidget* page);
  QListWidget* Listing() const { return listing_; }
  QListWidget* ErrorList() const { return error_list_; }
  TreePage* Tree() const { return tree_; }
  Console* ConsoleEdit() const { return console_; }
  QWidget* InputPanel() const { return input_panel_; }

  // The file name chosen for the console's transcript; empty when cancelled.
  std::function<QString(QWidget* parent)> ChooseConsoleFile;

 signals:
  // A pick in the listing or the error list changed what the diagram marks.
  void diagramMarksChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* CreateConsolePage();
  void BlinkTick();

  TKompilatorTS* compiler_ = nullptr;
  QTabWidget* page_control_ = nullptr;
  QTextEdit* pseudocode_ = nullptr;
  QListWidget* listing_ = nullptr;
  QListWidget* error_list_ = nullptr;
  QWidget* errors_page_ = nullptr;
  QWidget* breakpoint_sheet_ = nullptr;
  TreePage* tree_ = nullptr;
  QPushButton* copy_tree_ = nullptr;
  Console* console_ = nullptr;
  QPushButton* clear_console_ = nullptr;
  QPushButton* save_console_ = nullptr;
  QWidget* input_panel_ = nullptr;
  QLabel* input_label_ = nullptr;
  QLabel* blink_picture_ = nullptr;
  AnalysisItemDelegate* listing_items_ = nullptr;
  AnalysisItemDelegate* error_items_ = nullptr;
  QEventLoop* input_loop_ = nullptr;
  QTimer blink_;
  int last_page_ = kPageListing;
  bool changing_page_ = false;
  // Set while the program, not the user, moves a list's current item.
  bool following_ = false;
  std::string version_text_;
  int retranslation_ = -1;
};

}  // namespace tessaro::gui
