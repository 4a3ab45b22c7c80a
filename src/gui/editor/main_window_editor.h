// Makes the main window an editor: the mouse on the drawing area, the tools,
// undo and redo, the block clipboard, Delete, centring, the node and line
// toggles, and the hooks of the document lifecycle the run window answers.
#pragma once

namespace tessaro::gui {

class DiagramEditor;
class Tmain;

// After InstallDiagram and InstallRunWindow.
void InstallEditor(Tmain& window);

// The window's editor, or nullptr before InstallEditor.
DiagramEditor* DiagramEditorOf(Tmain& window);

}  // namespace tessaro::gui
