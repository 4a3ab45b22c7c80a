// Puts the diagram drawing area into the main window and gives the print,
// export and zoom commands their work.
#pragma once

namespace tessaro::gui {

class Tmain;
class DiagramView;
class DiagramCommands;

// Replaces the window's placeholder with a DiagramView, repaints it whenever
// the document state asks, follows the node and line toggles and the grid,
// and connects the zoom list and the four picture commands.
void InstallDiagram(Tmain& window);

// The window's drawing area, or nullptr before InstallDiagram.
DiagramView* DiagramViewOf(Tmain& window);
DiagramCommands* DiagramCommandsOf(Tmain& window);

}  // namespace tessaro::gui
