// Gives the main window's command "Menedżer rozszerzeń" its work: the
// extension manager, opened modally, never while a run is in progress.
#pragma once

namespace tessaro::gui {

class Tmain;

// A check change or an import in the manager first stops a run and discards
// the compiled program. After "Ok" the window announces extensionsChanged,
// and whatever lists extension functions is built again.
void InstallExtensionManager(Tmain& window);

// The command's work; false when the manager was refused or not confirmed.
bool OpenExtensionManager(Tmain& window);

}  // namespace tessaro::gui
