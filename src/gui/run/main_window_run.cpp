#include "gui/run/main_window_run.h"

#include <QDockWidget>
#include <QEvent>
#include <QTreeWidget>

#include "gui/analysis/tcode.h"
#include "gui/diagram/diagram_view.h"
#include "gui/diagram/main_window_diagram.h"
#include "gui/run/input_edit.h"
#include "gui/run/trun.h"
#include "gui/shell/main_window.h"
#include "gui/shell/open_files_tree.h"

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
  window.installEventFilter(new CloseGuard(*run, run));
  window.OnShutDown = [run] { run->DiscardProgram(); };

  DiagramView* view = DiagramViewOf(window);
  if (view) {
    auto previous = view->OnPrepareScene;
    view->OnPrepareScene = [previous, run](RenderScene& scene) {
      if (previous) previous(scene);
      scene.Highlight = run->Highlight();
    };
    run->OnRepaintDiagram = [view] { view->RysujSchemat(); };
  } else {
    run->OnRepaintDiagram = [w = &window] { w->State().Repaint(); };
  }
  // Every repaint follows a change of the diagram or of the document; one
  // that leaves the compiled program behind discards it first.
  TDocumentState& state = window.State();
  auto repaint = state.OnRepaint;
  state.OnRepaint = [repaint, run](TDocumentState& s) {
    run->CheckProgramMatchesDiagram();
    if (repaint) repaint(s);
  };
  if (OpenFilesTree* tree = window.FilesTree())
    QObject::connect(tree, &QTreeWidget::currentItemChanged, run, [run] { run->CheckProgramMatchesDiagram(); });
}

Trun* RunControllerOf(Tmain& window) { return window.findChild<Trun*>(QStringLiteral("Trun")); }

Tcode* AnalysisWindowOf(Tmain& window) { return window.findChild<Tcode*>(QStringLiteral("Tcode")); }

TinputEdit* InputDialogOf(Tmain& window) { return window.findChild<TinputEdit*>(QStringLiteral("TinputEdit")); }

}  // namespace tessaro::gui
