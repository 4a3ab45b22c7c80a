#include "gui/programcode/main_window_program_code.h"

#include <QAction>
#include <QDockWidget>

#include "core/i18n/retranslation.h"
#include "gui/programcode/program_code_controller.h"
#include "gui/programcode/program_code_panel.h"
#include "gui/run/trun.h"
#include "gui/shell/main_window.h"

namespace tessaro::gui {

void InstallProgramCode(Tmain& window) {
  QDockWidget* dock = window.Panel("dpKodProgramu");
  auto* panel = new ProgramCodePanel(dock);
  if (dock) {
    QWidget* placeholder = dock->widget();
    dock->setWidget(panel);
    delete placeholder;
  } else {
    panel->setParent(&window);
  }
  auto* controller = new ProgramCodeController(window, *panel, panel);
  window.AddPart(panel);
  window.AddPart(controller);
  Trun& run = window.RequirePart<Trun>("InstallProgramCode");

  // The diagram, the document shown or the functions it may call changed.
  QObject::connect(&window, &Tmain::documentChanged, controller, &ProgramCodeController::DiagramChanged);
  QObject::connect(&window, &Tmain::diagramEdited, controller, &ProgramCodeController::DiagramChanged);
  QObject::connect(&window, &Tmain::currentDocumentChanged, controller, &ProgramCodeController::DiagramChanged);
  QObject::connect(&window, &Tmain::extensionsChanged, controller, &ProgramCodeController::DiagramChanged);
  // The configuration dialog repaints after its options take effect.
  QObject::connect(&window, &Tmain::repaintRequested, controller, &ProgramCodeController::CheckCompilerOptions);
  // The compile messages are texts of the language in force.
  const RetranslationHandle handle = AddRetranslationObserver([controller] { controller->DiagramChanged(); });
  QObject::connect(controller, &QObject::destroyed, [handle] { RemoveRetranslationObserver(handle); });
  // A hidden panel does no work; it catches up when shown.
  if (dock)
    QObject::connect(dock, &QDockWidget::visibilityChanged, controller, [controller](bool visible) {
      if (visible && controller->RefreshPending()) controller->Refresh();
    });

  QObject::connect(&window, &Tmain::selectionChanged, controller, &ProgramCodeController::FollowSelection);
  QObject::connect(&run, &Trun::runMarksChanged, controller, &ProgramCodeController::FollowRun);
  QObject::connect(&run, &Trun::runStateChanged, controller, &ProgramCodeController::FollowRun);

  QObject::connect(panel, &ProgramCodePanel::languageChosen, controller, &ProgramCodeController::Refresh);
  QObject::connect(panel, &ProgramCodePanel::lineClicked, controller, &ProgramCodeController::SelectBlockOfLine);
  QObject::connect(panel->CopyAction(), &QAction::triggered, controller, &ProgramCodeController::CopyProgram);
  QObject::connect(panel->SaveAction(), &QAction::triggered, controller, [controller] { controller->SaveProgramAs(); });
}

ProgramCodePanel* ProgramCodePanelOf(Tmain& window) { return window.Part<ProgramCodePanel>(); }

ProgramCodeController* ProgramCodeControllerOf(Tmain& window) { return window.Part<ProgramCodeController>(); }

}  // namespace tessaro::gui
