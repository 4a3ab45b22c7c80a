// Puts the block content editor into the main window's "dpCode" panel and
// connects it to the selection, the snapshots, the editing commands and the
// diagram's context menu.
#pragma once

namespace tessaro::gui {

class Tmain;
class Ttools;

void InstallBlockEditor(Tmain& window);

// The window's block editor, or nullptr before InstallBlockEditor.
Ttools* BlockEditorOf(Tmain& window);

}  // namespace tessaro::gui
