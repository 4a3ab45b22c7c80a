// Gives the configuration command its work and applies the options in force
// to the whole window in one place.
#pragma once

namespace tessaro::gui {

class Tmain;

// Applies the window's settings: the theme, the highlight check mark and the
// compiler's flags. New-block styles and the console routing read the
// settings when they are used. Runs at start and after every "Ok".
void ApplySettings(Tmain& window);

// After InstallRunWindow: applies the settings loaded at start and enables
// "Konfiguracja".
void InstallSettings(Tmain& window);

// The configuration command: the dialog, then apply and save on "Ok". A
// failed save keeps the new values in force and shows one notice.
void RunSettingsDialog(Tmain& window);

}  // namespace tessaro::gui
