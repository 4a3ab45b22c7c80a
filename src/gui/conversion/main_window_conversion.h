// Puts the conversion panel into the main window's "Konwersja liczb" dock and
// lets the conversion built-ins of a run show their conversion in it.
#pragma once

namespace tessaro::gui {

class Tmain;
class TKonwersjaPanel;

// After InstallRunWindow, whose controller raises the conversions.
void InstallConversionPanel(Tmain& window);

// The panel, or nullptr before InstallConversionPanel.
TKonwersjaPanel* ConversionPanelOf(Tmain& window);

}  // namespace tessaro::gui
