// Ttools: the block content editor, shown in the dock panel "dpCode". It
// shows the text of the selected block, writes every change back into that
// block (with the operator replacement), offers the insert menu, the
// completion lists and the swap button, and owns the colour and font
// actions of the diagram's context menu.
#pragma once

#include <QColor>
#include <QFont>
#include <QFutureWatcher>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/document/model.h"
#include "core/i18n/retranslation.h"
#include "core/language/block_check.h"

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QToolButton;

namespace tessaro {
class TDocumentState;
}  // namespace tessaro

namespace tessaro::gui {

class BlockLexer;
class CodeEditor;

class Ttools : public QWidget {
  Q_OBJECT

 public:
  explicit Ttools(TDocumentState& state, QWidget* parent = nullptr);
  ~Ttools() override;

  // Shows the text of a block of `kind` (0 closes the editor). The text is
  // written back only into the block selected now.
  void ShowBlock(int32_t kind, const std::string& text, uint8_t nie_tak);
  // ShowBlock with the selected block, or 0 without a valid selection.
  void ShowSelectedBlock();
  // Shows the selected block again when the selection, or the shown block's
  // text, kind or exits, changed elsewhere (undo, paste, a click).
  void FollowSelection();
  // The insert menu, the completion list and the highlighted words, from the
  // language's tables and the enabled extensions.
  void BuildMenus();
  void ApplyTranslation();

  int32_t EditedKind() const { return edited_kind_; }
  uint8_t SwapState() const { return swap_state_; }
  CodeEditor* Editor() const { return editor_; }
  QMenu* InsertMenu() const;
  bool EditorHasFocus() const;

  // Text typed since the block was shown becomes one undo step.
  void CommitTyping();
  // Undo, redo, copy, cut, paste and Delete act in the editor while it has
  // the focus; true when the command was handled here.
  bool HandleCommand(const char* command);
  // Runs the error check now instead of after the pause, on this thread.
  void CheckNow();
  // Whether a check of a long text is running on its worker thread.
  bool CheckRunning() const { return check_watcher_.isRunning(); }
  // The text gives up the keyboard (to the insert button, while that is
  // shown and enabled): the diagram is being pressed.
  void LeaveText();

  // The four actions of the diagram's context menu.
  void acZmienKolorTekstuExecute();
  void acZmienKolorObrysujExecute();
  void acZmienKolorWypelnieniaExecute();
  void acZmienCzcionkeExecute();
  QAction* Action(const char* name) const;

  // Hooks; unset ones do nothing (ReplaceOperators: on).
  std::function<bool()> ReplaceOperators;
  // Pushes an undo snapshot of the diagram.
  std::function<void()> OnSnapshot;
  // A pending console input ends before another block is shown.
  std::function<void()> OnEndConsoleInput;
  // The editor got (true) or lost (false) the focus.
  std::function<void(bool active)> OnEditorFocus;
  // The colour and font dialogs; tests replace them. Nothing when cancelled.
  std::function<std::optional<QColor>(QWidget* parent, const QColor& initial)> ChooseColour;
  std::function<std::optional<QFont>(QWidget* parent, const QFont& initial)> ChooseFont;

 signals:
  // Typing changed the text stored in the shown block.
  void blockTextStored();

 private:
  void CreateWidgets();
  void CreateActions();
  void UpdateSwapImage();
  void TextChanged();
  bool TextIsChecked() const;
  // The check after the pause or of a newly shown block: a long text on a
  // worker thread, its errors shown only if the text is still the same.
  void StartCheck();
  void CheckFinished();
  void InsertItem(const QString& text, int caret_offset);
  void ShowCompletion();
  void ShowTemplateCompletion();
  void CompletionChosen(int list, const QString& entry);
  void SwapClicked();
  void ShowNotice(const QString& text);
  void ShowFirstError();
  bool EditingSelectedBlock() const;
  bool ShowsCurrentDocument() const;
  void ChangeColour(TColor (TDocumentState::*getter)() const, void (TDocumentState::*setter)(TColor));

  TDocumentState& state_;
  int32_t edited_kind_ = 0;
  int32_t edited_index_ = -1;  // the block ShowBlock showed
  const void* edited_document_ = nullptr;  // the tree node of the document it belongs to
  uint8_t swap_state_ = 0;
  bool loading_ = false;
  bool typed_ = false;
  std::string shown_code_;  // the shown block's text as shown or last stored
  uint8_t shown_nie_tak_ = 0;
  int template_start_ = 0;  // where the statement a template completes starts

  QLabel* label_tool_type_ = nullptr;
  QWidget* panel_tools_ = nullptr;
  CodeEditor* editor_ = nullptr;
  BlockLexer* lexer_ = nullptr;
  QToolButton* button_wstaw_ = nullptr;
  QToolButton* button_swap_ = nullptr;
  QStatusBar* status_bar_ = nullptr;
  QLabel* status_panel_0_ = nullptr;
  QLabel* status_panel_1_ = nullptr;
  QPointer<QMenu> insert_menu_;
  QStringList completion_display_;
  QStringList completion_insert_;
  std::vector<std::string> extension_function_names_;
  QTimer check_timer_;
  QFutureWatcher<std::vector<TBlockError>> check_watcher_;
  // Moves on with every change of the text and every block shown: a check
  // that started at another generation is out of date.
  uint64_t text_generation_ = 0;
  uint64_t checked_generation_ = 0;  // of the check on the worker
  bool check_again_ = false;  // the text changed while the worker checked
  RetranslationHandle retranslation_ = -1;
};

}  // namespace tessaro::gui
