#include "gui/extensions/main_window_extensions.h"

#include "gui/extensions/plugin_mgr.h"
#include "gui/run/main_window_run.h"
#include "gui/run/trun.h"
#include "gui/shell/main_window.h"

namespace tessaro::gui {

void InstallExtensionManager(Tmain& window) {
  window.SetCommandHandler("ActionMenagerRozszerzen", [&window] { OpenExtensionManager(window); });
  window.UpdateCommandStates();
}

bool OpenExtensionManager(Tmain& window) {
  Trun* run = RunControllerOf(window);
  // A run loop is on the stack below this handler: the libraries it calls
  // must not change under it.
  if (run && run->Compiler.Running) {
    window.BlinkStatusNotice();
    return false;
  }
  TPlugInMGR manager(&window);
  manager.BeforeExtensionsChange = [run] {
    if (run) run->DiscardProgram();
  };
  if (manager.exec() != QDialog::Accepted) return false;
  window.AnnounceExtensionsChanged();
  return true;
}

}  // namespace tessaro::gui
