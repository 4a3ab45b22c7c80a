#include "gui/settings/main_window_settings.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

#include "core/i18n/language.h"
#include "core/platform/dialogs.h"
#include "core/settings/settings.h"
#include "gui/run/main_window_run.h"
#include "gui/run/trun.h"
#include "gui/settings/tkonfiguracja.h"
#include "gui/shell/main_window.h"
#include "gui/shell/qt_text.h"
#include "gui/shell/themes.h"

namespace tessaro::gui {

void ApplySettings(Tmain& window) {
  const TSettings& s = window.Settings();
  ApplyTheme(s.Interfejs);
  if (QAction* highlight = window.CommandAction("ActionPodswietlaj")) highlight->setChecked(s.PodswietlajBloki);
  if (Trun* run = RunControllerOf(window)) run->ApplyCompilerSettings(s);
}

void InstallSettings(Tmain& window) {
  ApplySettings(window);
  window.SetCommandHandler("ActionKonfiguracja", [&window] { RunSettingsDialog(window); });
}

void RunSettingsDialog(Tmain& window) {
  Tkonfiguracja dialog(window.Settings(), &window);
  if (dialog.exec() != QDialog::Accepted) return;
  // In force first, then saved: a file that cannot be written does not
  // bring the old values back.
  window.Settings() = dialog.Values();
  ApplySettings(window);
  const std::string path = SettingsPath();
  if (!SaveSettings(window.Settings(), path)) {
    std::string text = ExpandTextEscapes(LangText("msgk00004"));
    if (const size_t at = text.find("%s"); at != std::string::npos) text.replace(at, 2, ToCore(FromPath(path)));
    Komunikat(LangText("mgsr00018"), text);
  }
  window.State().Repaint();
}

}  // namespace tessaro::gui
