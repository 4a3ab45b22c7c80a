#include "gui/editor/main_window_editor.h"

#include <QAction>
#include <QKeySequence>
#include <QMouseEvent>

#include "gui/diagram/diagram_view.h"
#include "gui/diagram/main_window_diagram.h"
#include "gui/editor/diagram_editor.h"
#include "gui/run/main_window_run.h"
#include "gui/run/trun.h"
#include "gui/shell/main_window.h"

namespace tessaro::gui {

DiagramEditor* DiagramEditorOf(Tmain& window) { return window.Part<DiagramEditor>(); }

void InstallEditor(Tmain& window) {
  DiagramView& view = window.RequirePart<DiagramView>("InstallEditor");
  Trun& run = window.RequirePart<Trun>("InstallEditor");
  auto* editor = new DiagramEditor(window, view);
  window.AddPart(editor);
  PaintBoxEdytor* box = view.PaintBox();
  QObject::connect(box, &PaintBoxEdytor::MousePressed, editor, &DiagramEditor::Press);
  QObject::connect(box, &PaintBoxEdytor::MouseMoved, editor, &DiagramEditor::Move);
  QObject::connect(box, &PaintBoxEdytor::MouseReleased, editor, &DiagramEditor::Release);
  QObject::connect(box, &PaintBoxEdytor::MouseDoubleClicked, editor, &DiagramEditor::DoubleClick);
  view.SetSceneLayer(DiagramView::SceneLayer::Selection, [editor](RenderScene& scene) { editor->FillScene(scene); });

  // Edits wait while a run is active.
  editor->IsRunActive = [&run] { return run.Compiler.Running != 0; };
  QObject::connect(&window, &Tmain::blockEditorClosed, editor, &DiagramEditor::ForgetRecordedBlock);
  QObject::connect(&window, &Tmain::selectionChanged, editor, &DiagramEditor::UpdateClipboardCommands);

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
