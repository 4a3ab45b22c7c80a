// The window layout ("tsview.dat") and the recent-files list ("tsmru.dat")
// survive from one run to the next: restored once all windows exist, saved
// when the main window closes.
#pragma once

namespace tessaro::gui {

class Tmain;

// Restores the recent-files list, then the layout; without a layout file
// the window opens maximised and an empty file is created. Also arranges
// SaveLayout to run when the window closes.
void LoadLayout(Tmain& window);

// Saves the recent-files list, then the layout (only while "tsview.dat"
// exists, so a layout reset in the configuration dialog holds).
void SaveLayout(Tmain& window);

}  // namespace tessaro::gui
