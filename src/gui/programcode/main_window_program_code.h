// Puts the "Kod" panel into the main window's dock dpKodProgramu: the
// flowchart as a program in Python, C++, Java or Pascal, following the
// diagram's edits, its selection and the run's current instruction.
#pragma once

namespace tessaro::gui {

class ProgramCodeController;
class ProgramCodePanel;
class Tmain;

// After InstallRunWindow, whose controller tells where a run is.
void InstallProgramCode(Tmain& window);

// The parts installed, or nullptr before InstallProgramCode.
ProgramCodePanel* ProgramCodePanelOf(Tmain& window);
ProgramCodeController* ProgramCodeControllerOf(Tmain& window);

}  // namespace tessaro::gui
