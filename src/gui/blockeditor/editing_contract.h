// Where the block editor meets the diagram editing of the main window: the
// undo snapshots, selection changes, the editing commands and the colour
// submenus of the diagram's context menu. Kept in one place so the editor
// itself depends on none of it.
#pragma once

#include <functional>

namespace tessaro {
class TDocumentState;
}

namespace tessaro::gui {

class Tmain;
class Ttools;

// Pushes an undo snapshot of the current document.
void PushBlockSnapshot(TDocumentState& state);
// `changed` runs after every change of the selection.
void ConnectSelectionChanges(Tmain& window, std::function<void()> changed);
// `handle` is offered the editing commands first; it returns true when it took one.
void ConnectEditorCommands(Tmain& window, std::function<bool(const char* command)> handle);
// The colour submenus and the font item of the diagram's context menu.
void ConnectFillStyleMenus(Tmain& window, Ttools& tools);
// `commit` runs before the commands that take the diagram as it stands
// (save, compile, run).
void ConnectCommitPoints(Tmain& window, std::function<void()> commit);

}  // namespace tessaro::gui
