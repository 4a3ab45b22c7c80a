// Puts breakpoints into the main window: the analysis window's breakpoint
// page, the margin click on a block that toggles a breakpoint, and the hover
// hint over a compiled diagram (a word's description or value, or the
// instruction's expression tree).
#pragma once

namespace tessaro::gui {

class BreakpointPage;
class Tmain;

// Needs the drawing area (InstallDiagram) and the run window (InstallRunWindow).
void InstallBreakpoints(Tmain& window);

// The page installed, or nullptr before InstallBreakpoints.
BreakpointPage* BreakpointPageOf(Tmain& window);

}  // namespace tessaro::gui
