#include "gui/blockeditor/editing_contract.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <algorithm>
#include <iterator>
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

bool IsCommitCommand(const QString& command) {
  return std::any_of(std::begin(kCommitCommands), std::end(kCommitCommands),
                     [&command](const char* name) { return command == QLatin1String(name); });
}

}  // namespace

void PushBlockSnapshot(TDocumentState& state) { state.ZapiszStan(); }

void ConnectEditorCommands(Tmain& window, Ttools& tools) {
  Q_ASSERT_X(!window.OnEditorCommand, "ConnectEditorCommands", "the editing commands have one taker");
  QPointer<Ttools> editor(&tools);
  window.OnEditorCommand = [editor](const char* command) { return editor && editor->HandleCommand(command); };
}

void ConnectFillStyleMenus(Tmain& window, Ttools& tools) {
  Ttools* editor = &tools;
  QObject::connect(&window, &Tmain::contextMenuBuilding, editor,
                   [editor](QMenu* text, QMenu* fill, QMenu* frame, QMenu* menu) {
                     // Each palette ends with the colour dialog of its action.
                     const std::pair<QMenu*, const char*> palettes[] = {{text, "acZmienKolorTekstu"},
                                                                        {fill, "acZmienKolorWypelnienia"},
                                                                        {frame, "acZmienKolorObrysuj"}};
                     for (auto [palette, name] : palettes) {
                       if (!palette) continue;
                       palette->addSeparator();
                       QAction* more = palette->addAction(Tr("msged00004"));
                       more->setObjectName(QStringLiteral("MoreColours_") + QString::fromLatin1(name));
                       QAction* action = editor->Action(name);
                       QObject::connect(more, &QAction::triggered, action, &QAction::trigger);
                     }
                     if (menu) menu->addAction(editor->Action("acZmienCzcionke"));
                   });
}

void ConnectCommitPoints(Tmain& window, Ttools& tools) {
  Ttools* editor = &tools;
  QObject::connect(&window, &Tmain::commandStarting, editor, [editor](const QString& command) {
    if (IsCommitCommand(command)) editor->CommitTyping();
  });
}

}  // namespace tessaro::gui
