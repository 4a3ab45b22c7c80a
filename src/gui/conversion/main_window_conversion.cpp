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
  window.AddPart(panel);
  Trun& run = window.RequirePart<Trun>("InstallConversionPanel");
  QObject::connect(&run, &Trun::conversionShown, panel, &TKonwersjaPanel::ShowConversion);
}

TKonwersjaPanel* ConversionPanelOf(Tmain& window) {
  return window.Part<TKonwersjaPanel>();
}

}  // namespace tessaro::gui
