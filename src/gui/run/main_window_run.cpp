#include "gui/run/main_window_run.h"

#include <QDockWidget>
#include <QEvent>

#include "gui/analysis/tcode.h"
#include "gui/diagram/diagram_view.h"
#include "gui/diagram/main_window_diagram.h"
#include "gui/run/input_edit.h"
#include "gui/run/trun.h"
#include "gui/shell/main_window.h"

namespace tessaro::gui {

namespace {

// A close of the main window first ends a run in progress, so no run loop
// or waiting read outlives the window.
class CloseGuard : public QObject {
 public:
  CloseGuard(Trun& run, QObject* parent) : QObject(parent), run_(run) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Close && (run_.Compiler.Running || !run_.Compiler.IsEmpty()))
      run_.ActionZakonczWykonywanieExecute();
    return QObject::eventFilter(watched, event);
  }

 private:
  Trun& run_;
};

}  // namespace

void InstallRunWindow(Tmain& window) {
  DiagramView& view = window.RequirePart<DiagramView>("InstallRunWindow");
  auto* code = new Tcode;
  code->SetVersionText(window.VersionText());
  code->ClearConsole();
  if (QDockWidget* dock = window.Panel("dpNarzedzia")) {
    QWidget* placeholder = dock->widget();
    dock->setWidget(code);
    delete placeholder;
    dock->setMinimumSize(150, 90);
    // Closing the panel ends a waiting read.
    QObject::connect(dock, &QDockWidget::visibilityChanged, code, [code, dock](bool) {
      if (dock->isHidden()) code->EndConsoleInput();
    });
  } else {
    code->setParent(&window);
  }
  auto* input = new TinputEdit(&window);
  auto* run = new Trun(window, *code, *input, &window);
  window.AddPart(code);
  window.AddPart(input);
  window.AddPart(run);
  window.installEventFilter(new CloseGuard(*run, run));

  // The diagram shows where the run is.
  view.SetSceneLayer(DiagramView::SceneLayer::RunMarks,
                     [run](RenderScene& scene) { scene.Highlight = run->Highlight(); });
  QObject::connect(run, &Trun::runMarksChanged, &view, &DiagramView::RysujSchemat);

  // The program belongs to one diagram of one document: leaving the
  // document, changing its diagram or ending the program discards it, and a
  // repaint that finds the diagram or the document changed under it does too
  // (before the views draw, so no stale mark is shown).
  QObject::connect(&window, &Tmain::currentDocumentLeaving, run, &Trun::DiscardProgram);
  QObject::connect(&window, &Tmain::documentChanged, run, &Trun::DiagramChanged);
  QObject::connect(&window, &Tmain::shuttingDown, run, &Trun::DiscardProgram);
  QObject::connect(&window, &Tmain::diagramAboutToRepaint, run, &Trun::CheckProgramMatchesDiagram);
  QObject::connect(&window, &Tmain::currentDocumentChanged, run, &Trun::CheckProgramMatchesDiagram);
  // A new document or a switch ends a waiting read.
  QObject::connect(&window, &Tmain::inputAbandoned, code, &Tcode::EndConsoleInput);
}

Trun* RunControllerOf(Tmain& window) { return window.Part<Trun>(); }

Tcode* AnalysisWindowOf(Tmain& window) { return window.Part<Tcode>(); }

TinputEdit* InputDialogOf(Tmain& window) { return window.Part<TinputEdit>(); }

}  // namespace tessaro::gui
