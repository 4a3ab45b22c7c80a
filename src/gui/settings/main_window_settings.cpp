#include "gui/settings/main_window_settings.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

#include "core/i18n/language.h"
#include "core/language/message_format.h"
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
  window.RequirePart<Trun>("ApplySettings").ApplyCompilerSettings(s);
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
    Komunikat(LangText("mgsr00018"), FormatText(ExpandTextEscapes(LangText("msgk00004")), {ToCore(FromPath(path))}));
  }
  window.State().Repaint();
}

}  // namespace tessaro::gui
