// Gives the main window's command "Menedżer rozszerzeń" its work: the
// extension manager, opened modally, never while a run is in progress.
#pragma once

namespace tessaro::gui {

class Tmain;

// After InstallRunWindow: a check change or an import in the manager first
// stops a run and discards the compiled program. After "Ok" the window's
// OnExtensionsChanged hook rebuilds what lists extension functions.
void InstallExtensionManager(Tmain& window);

// The command's work; false when the manager was refused or not confirmed.
bool OpenExtensionManager(Tmain& window);

}  // namespace tessaro::gui
