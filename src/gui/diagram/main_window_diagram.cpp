#include "gui/diagram/main_window_diagram.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QStatusBar>

#include "gui/diagram/diagram_commands.h"
#include "gui/diagram/diagram_view.h"
#include "gui/shell/main_window.h"
#include "gui/shell/qt_text.h"

namespace tessaro::gui {

namespace {

// The commands live as long as the window; a child object owns them.
class CommandsHolder : public QObject {
 public:
  CommandsHolder(TDocumentState& state, DiagramView& view, QWidget* window)
      : QObject(window), commands(state, view, window) {
    setObjectName(QStringLiteral("DiagramCommands"));
  }
  DiagramCommands commands;
};

bool Checked(Tmain& window, const char* name, bool fallback) {
  QAction* action = window.CommandAction(name);
  return action ? action->isChecked() : fallback;
}

}  // namespace

DiagramView* DiagramViewOf(Tmain& window) { return qobject_cast<DiagramView*>(window.DiagramWidget()); }

DiagramCommands* DiagramCommandsOf(Tmain& window) {
  auto* holder = window.Part<CommandsHolder>();
  return holder ? &holder->commands : nullptr;
}

void InstallDiagram(Tmain& window) {
  auto* view = new DiagramView(window.State(), window.View(), &window);
  window.InstallDiagramWidget(view);
  window.AddPart(view);
  Tmain* w = &window;

  view->SetSceneLayer(DiagramView::SceneLayer::Grid, [w](RenderScene& scene) {
    scene.PokazWezly = Checked(*w, "ActionWezel", true);
    // "Połączenia łamane" checked asks for right-angled connections.
    scene.PolaczeniaProste = !Checked(*w, "ActionLamana", false);
    scene.SiatkaKrok = w->GridSize();
  });
  QObject::connect(w, &Tmain::repaintRequested, view, [view] {
    view->UpdateScrollBars();
    view->RysujSchemat();
  });
  // The breakpoint markers follow the document's breakpoints.
  QObject::connect(w, &Tmain::breakpointsChanged, view, &DiagramView::RysujSchemat);
  // Every change of the diagram ends in a render: the caption's unsaved mark follows it.
  QObject::connect(view, &DiagramView::Rendered, w, &Tmain::ScheduleCaptionUpdate);
  for (const char* toggle : {"ActionWezel", "ActionLamana"}) {
    if (QAction* action = window.CommandAction(toggle)) {
      QObject::connect(action, &QAction::toggled, view, [view] { view->RysujSchemat(); });
    }
  }

  if (QComboBox* zoom = window.ZoomList()) {
    // The fit entry shows the zoom it chose, which needs a text field.
    zoom->setEditable(true);
    zoom->lineEdit()->setReadOnly(true);
    QObject::connect(zoom, &QComboBox::activated, view, [w, view, zoom] {
      view->ApplyZoomEntry(zoom, w->width(), w->statusBar()->geometry().top());
      w->ParkFocus();
    });
  }

  auto* holder = new CommandsHolder(window.State(), *view, &window);
  window.AddPart(holder);
  DiagramCommands& commands = holder->commands;
  commands.DocumentName = [w] {
    TOtwartePliki* document = w->State().CurrentDocument();
    return document ? FromCore(document->Nazwa) : QString();
  };
  commands.ShowStatus = [w](const QString& text) { w->ShowStatusNotice(text); };
  window.SetCommandHandler("ActionUstawieniaDrukarki", [&commands] { commands.ActionUstawieniaDrukarkiExecute(); });
  window.SetCommandHandler("ActionDrukuj", [&commands] { commands.ActionDrukujExecute(); });
  window.SetCommandHandler("ActionEksportujDoPliku", [&commands] { commands.ActionEksportujDoPlikuExecute(); });
  window.SetCommandHandler("ActionEksportujDoSchowka", [&commands] { commands.ActionEksportujDoSchowkaExecute(); });
}

}  // namespace tessaro::gui
