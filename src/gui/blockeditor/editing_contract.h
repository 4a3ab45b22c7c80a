// Where the block editor meets the diagram editing of the main window: the
// undo snapshots, the editing commands, the colour submenus of the diagram's
// context menu and the commands that take the diagram as it stands. Kept in
// one place so the editor itself depends on none of it.
#pragma once

namespace tessaro {
class TDocumentState;
}

namespace tessaro::gui {

class Tmain;
class Ttools;

// Pushes an undo snapshot of the current document.
void PushBlockSnapshot(TDocumentState& state);
// The editor is offered the editing commands first; it takes one while it
// has the focus.
void ConnectEditorCommands(Tmain& window, Ttools& tools);
// The colour submenus and the font item of the diagram's context menu.
void ConnectFillStyleMenus(Tmain& window, Ttools& tools);
// The text being typed is committed before the commands that take the
// diagram as it stands (save, compile, run).
void ConnectCommitPoints(Tmain& window, Ttools& tools);

}  // namespace tessaro::gui
