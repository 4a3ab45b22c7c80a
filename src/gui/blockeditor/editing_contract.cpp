#include "gui/blockeditor/editing_contract.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <utility>

#include "core/document/document_state.h"
#include "gui/blockeditor/ttools.h"
#include "gui/shell/main_window.h"
#include "gui/shell/qt_text.h"

namespace tessaro::gui {

namespace {

constexpr const char* kCommitCommands[] = {"ActionZapiszPlik", "ActionZapiszJako", "ActionKompiluj",
                                           "ActionUruchom", "ActionUruchomKrokPoKroku",
                                           "ActionSprawdzRozwiazanie"};

}  // namespace

void PushBlockSnapshot(TDocumentState& state) { state.ZapiszStan(); }

void ConnectSelectionChanges(Tmain& window, std::function<void()> changed) {
  TDocumentState& state = window.State();
  auto previous = state.OnSelectionChanged;
  state.OnSelectionChanged = [previous, changed](TDocumentState& s) {
    if (previous) previous(s);
    changed();
  };
}

void ConnectEditorCommands(Tmain& window, std::function<bool(const char*)> handle) {
  auto previous = window.OnEditorCommand;
  window.OnEditorCommand = [previous, handle](const char* command) {
    return handle(command) || (previous && previous(command));
  };
}

void ConnectFillStyleMenus(Tmain& window, Ttools& tools) {
  auto previous = window.OnFillStyleMenus;
  QPointer<Ttools> editor(&tools);
  window.OnFillStyleMenus = [previous, editor](QMenu* text, QMenu* fill, QMenu* frame, QMenu* menu) {
    if (previous) previous(text, fill, frame, menu);
    if (!editor) return;
    // Each palette ends with the colour dialog of its action.
    const std::pair<QMenu*, const char*> palettes[] = {
        {text, "acZmienKolorTekstu"}, {fill, "acZmienKolorWypelnienia"}, {frame, "acZmienKolorObrysuj"}};
    for (auto [palette, name] : palettes) {
      if (!palette) continue;
      palette->addSeparator();
      QAction* more = palette->addAction(Tr("msged00004"));
      more->setObjectName(QStringLiteral("MoreColours_") + QString::fromLatin1(name));
      QAction* action = editor->Action(name);
      QObject::connect(more, &QAction::triggered, action, &QAction::trigger);
    }
    if (menu) menu->addAction(editor->Action("acZmienCzcionke"));
  };
}

void ConnectCommitPoints(Tmain& window, std::function<void()> commit) {
  for (const char* name : kCommitCommands) {
    std::function<void()> work = window.CommandHandler(name);
    if (!work) continue;
    window.SetCommandHandler(name, [commit, work] {
      commit();
      work();
    });
  }
}

}  // namespace tessaro::gui
