#include "gui/conversion/main_window_conversion.h"

#include <QDockWidget>

#include "gui/conversion/conversion_panel.h"
#include "gui/run/main_window_run.h"
#include "gui/run/trun.h"
#include "gui/shell/main_window.h"

namespace tessaro::gui {

void InstallConversionPanel(Tmain& window) {
  QDockWidget* dock = window.Panel("dpKonwersjaSystemow");
  auto* panel = new TKonwersjaPanel;
  if (dock) {
    QWidget* placeholder = dock->widget();
    panel->setMinimumSize(placeholder->minimumSize());
    dock->setWidget(panel);
    delete placeholder;
  } else {
    panel->setParent(&window);
  }
  if (Trun* run = RunControllerOf(window)) {
    run->OnShowConversion = [panel](const std::string& value, int32_t from, int32_t to) {
      panel->ShowConversion(value, from, to);
    };
  }
}

TKonwersjaPanel* ConversionPanelOf(Tmain& window) {
  return window.findChild<TKonwersjaPanel*>(QStringLiteral("KonwersjaSystemow"));
}

}  // namespace tessaro::gui
