#include "gui/blockeditor/main_window_block_editor.h"

#include <QAction>
#include <QDockWidget>

#include "gui/blockeditor/editing_contract.h"
#include "gui/blockeditor/ttools.h"
#include "gui/shell/main_window.h"

namespace tessaro::gui {

namespace {

// The commands the editor takes over while it has the focus.
constexpr const char* kEditorCommands[] = {"ActionCofnij", "ActionKopiuj", "ActionWytnij", "ActionWklej"};

}  // namespace

Ttools* BlockEditorOf(Tmain& window) { return window.findChild<Ttools*>(QStringLiteral("Ttools")); }

void InstallBlockEditor(Tmain& window) {
  TDocumentState& state = window.State();
  QDockWidget* dock = window.Panel("dpCode");
  // Made inside its dock, so that the editor's own translation (which also
  // builds its menus) titles the dock as well.
  auto* tools = new Ttools(state, dock);
  if (dock) {
    QWidget* placeholder = dock->widget();
    dock->setWidget(tools);
    delete placeholder;
  } else {
    tools->setParent(&window);
  }
  Tmain* w = &window;
  tools->ReplaceOperators = [w] { return w->Settings().ZamieniajOperator; };
  tools->OnSnapshot = [&state] { PushBlockSnapshot(state); };
  tools->OnEndConsoleInput = [w] {
    if (w->OnAbandonInput) w->OnAbandonInput();
  };
  tools->OnEditorFocus = [w](bool active) {
    // While the editor has the focus, the editing commands act on its text.
    if (active) {
      for (const char* name : kEditorCommands) {
        // A command without work would swallow the key the editor needs.
        QAction* a = w->CommandAction(name);
        if (a && w->CommandHandler(name)) a->setEnabled(true);
      }
    } else {
      w->UpdateCommandStates();
    }
    w->State().Repaint();
  };
  // The editor never keeps a block another document or a new selection replaced.
  auto close = window.OnCloseBlockEditor;
  window.OnCloseBlockEditor = [close, tools] {
    if (close) close();
    tools->ShowBlock(0, std::string(), 0);
  };
  QObject::connect(tools, &Ttools::blockTextStored, &window, &Tmain::diagramEdited);
  ConnectSelectionChanges(window, [tools] { tools->ShowSelectedBlock(); });
  // Every change of the diagram repaints: a block replaced under the editor
  // (undo, paste, a new selection) is shown again before it can be typed over.
  auto repaint = state.OnRepaint;
  state.OnRepaint = [repaint, tools](TDocumentState& s) {
    if (repaint) repaint(s);
    tools->FollowSelection();
  };
  ConnectEditorCommands(window, [tools](const char* command) { return tools->HandleCommand(command); });
  ConnectFillStyleMenus(window, *tools);
  ConnectCommitPoints(window, [tools] { tools->CommitTyping(); });
  // The extension manager's "Ok" changes which extension functions exist.
  auto extensions_changed = window.OnExtensionsChanged;
  window.OnExtensionsChanged = [extensions_changed, tools] {
    if (extensions_changed) extensions_changed();
    tools->BuildMenus();
  };
}

}  // namespace tessaro::gui
