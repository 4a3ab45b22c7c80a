// Puts the run controller, the analysis window and the input dialog into the
// main window: the analysis pages fill the panel dpNarzedzia, the run
// commands get their work, the diagram shows the run's highlight, and every
// change of the diagram or of the current document discards the program.
#pragma once

namespace tessaro::gui {

class Tcode;
class TinputEdit;
class Tmain;
class Trun;

// Needs the drawing area (InstallDiagram).
void InstallRunWindow(Tmain& window);

// The parts installed, or nullptr before InstallRunWindow.
Trun* RunControllerOf(Tmain& window);
Tcode* AnalysisWindowOf(Tmain& window);
TinputEdit* InputDialogOf(Tmain& window);

}  // namespace tessaro::gui
