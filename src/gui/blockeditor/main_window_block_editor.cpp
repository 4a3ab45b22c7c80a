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

Ttools* BlockEditorOf(Tmain& window) { return window.Part<Ttools>(); }

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
  window.AddPart(tools);
  Tmain* w = &window;
  tools->ReplaceOperators = [w] { return w->Settings().ZamieniajOperator; };
  tools->OnSnapshot = [&state] { PushBlockSnapshot(state); };
  tools->OnEndConsoleInput = [w] { w->AbandonInput(); };
  tools->OnEditorFocus = [w](bool active) {
    // While the editor has the focus, the editing commands act on its text.
    if (active) {
      for (const char* name : kEditorCommands) {
        // A command without work would swallow the key the editor needs.
        QAction* a = w->CommandAction(name);
        if (a && w->HasCommandHandler(name)) a->setEnabled(true);
      }
    } else {
      w->UpdateCommandStates();
    }
    w->State().Repaint();
  };
  // The editor never keeps a block another document or a new selection replaced.
  QObject::connect(w, &Tmain::blockEditorClosed, tools, [tools] { tools->ShowBlock(0, std::string(), 0); });
  QObject::connect(tools, &Ttools::blockTextStored, w, &Tmain::diagramEdited);
  QObject::connect(w, &Tmain::selectionChanged, tools, &Ttools::ShowSelectedBlock);
  // Every change of the diagram repaints: a block replaced under the editor
  // (undo, paste, a new selection) is shown again before it can be typed over.
  QObject::connect(w, &Tmain::repaintRequested, tools, &Ttools::FollowSelection);
  // A press on the diagram takes the keyboard from the text.
  QObject::connect(w, &Tmain::diagramPressed, tools, &Ttools::LeaveText);
  ConnectEditorCommands(window, *tools);
  ConnectFillStyleMenus(window, *tools);
  ConnectCommitPoints(window, *tools);
  // The extension manager's "Ok" changes which extension functions exist.
  QObject::connect(w, &Tmain::extensionsChanged, tools, &Ttools::BuildMenus);
}

}  // namespace tessaro::gui
