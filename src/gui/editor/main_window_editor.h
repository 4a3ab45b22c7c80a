// Makes the main window an editor: the mouse on the drawing area, the tools,
// undo and redo, the block clipboard, Delete, centring, the node and line
// toggles; edits wait while a run is active.
#pragma once

namespace tessaro::gui {

class DiagramEditor;
class Tmain;

// Needs the drawing area (InstallDiagram) and the run controller (InstallRunWindow).
void InstallEditor(Tmain& window);

// The window's editor, or nullptr before InstallEditor.
DiagramEditor* DiagramEditorOf(Tmain& window);

}  // namespace tessaro::gui
