#include "gui/editor/main_window_editor.h"

#include <QAction>
#include <QKeySequence>
#include <QMouseEvent>

#include "gui/analysis/tcode.h"
#include "gui/diagram/diagram_view.h"
#include "gui/diagram/main_window_diagram.h"
#include "gui/editor/diagram_editor.h"
#include "gui/run/main_window_run.h"
#include "gui/run/trun.h"
#include "gui/shell/main_window.h"

namespace tessaro::gui {

DiagramEditor* DiagramEditorOf(Tmain& window) {
  return window.findChild<DiagramEditor*>(QStringLiteral("DiagramEditor"), Qt::FindDirectChildrenOnly);
}

void InstallEditor(Tmain& window) {
  DiagramView* view = DiagramViewOf(window);
  if (!view) return;
  auto* editor = new DiagramEditor(window, *view);
  PaintBoxEdytor* box = view->PaintBox();
  QObject::connect(box, &PaintBoxEdytor::MousePressed, editor, &DiagramEditor::Press);
  QObject::connect(box, &PaintBoxEdytor::MouseMoved, editor, &DiagramEditor::Move);
  QObject::connect(box, &PaintBoxEdytor::MouseReleased, editor, &DiagramEditor::Release);
  QObject::connect(box, &PaintBoxEdytor::MouseDoubleClicked, editor, &DiagramEditor::DoubleClick);

  auto previous_scene = view->OnPrepareScene;
  view->OnPrepareScene = [previous_scene, editor](RenderScene& scene) {
    if (previous_scene) previous_scene(scene);
    editor->FillScene(scene);
  };

  // The run: edits wait while it runs; the lifecycle stops it and ends a waiting read.
  Trun* run = RunControllerOf(window);
  Tcode* code = AnalysisWindowOf(window);
  TDocumentState& state = window.State();
  if (run) {
    editor->IsRunActive = [run] { return run->Compiler.Running != 0; };
    window.OnStopAndDiscard = [run] { run->DiscardProgram(); };
    auto previous = state.OnDiagramChanged;
    state.OnDiagramChanged = [previous, run](TDocumentState& s) {
      run->DiagramChanged();
      if (previous) previous(s);
    };
  }
  if (code) window.OnAbandonInput = [code] { code->EndConsoleInput(); };
  auto previous_close = window.OnCloseBlockEditor;
  window.OnCloseBlockEditor = [previous_close, editor] {
    editor->ForgetRecordedBlock();
    if (previous_close) previous_close();
  };
  auto previous_breakpoints = state.OnBreakpointsChanged;
  state.OnBreakpointsChanged = [previous_breakpoints, view](TDocumentState& s) {
    if (previous_breakpoints) previous_breakpoints(s);
    view->RysujSchemat();  // the markers follow
  };
  auto previous_selection = state.OnSelectionChanged;
  state.OnSelectionChanged = [previous_selection, editor](TDocumentState& s) {
    editor->UpdateClipboardCommands();
    if (previous_selection) previous_selection(s);
  };

  for (const ToolSpec& t : kTools) {
    const int tool = t.tool;
    window.SetCommandHandler(t.action, [editor, tool] { editor->SetTool(tool); });
  }
  window.SetCommandHandler("ActionCofnij", [editor] { editor->Undo(); });
  window.SetCommandHandler("ActionPonow", [editor] { editor->Redo(); });
  window.SetCommandHandler("ActionKopiuj", [editor] { editor->Copy(); });
  window.SetCommandHandler("ActionWytnij", [editor] { editor->Cut(); });
  window.SetCommandHandler("ActionWklej", [editor] { editor->Paste(); });
  window.SetCommandHandler("ActionUsunPolaczenia", [editor] { editor->RemoveLinks(); });
  window.SetCommandHandler("ActionUsunBloki", [editor] { editor->Delete(); });
  window.SetCommandHandler("ActionWyrownajPionowo", [editor] { editor->CentreVertically(); });
  window.SetCommandHandler("ActionWyrownajPoziomo", [editor] { editor->CentreHorizontally(); });
  // The toggles repaint through their toggled signal (InstallDiagram).
  window.SetCommandHandler("ActionWezel", [] {});
  window.SetCommandHandler("ActionLamana", [] {});
  if (QAction* redo = window.CommandAction("ActionPonow"))
    redo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
  editor->UpdateClipboardCommands();
}

}  // namespace tessaro::gui
