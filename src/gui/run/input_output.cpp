// The `read` and `write` statements reach the user here: through the console
// page or through the input dialog, each direction as its setting says.
#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QToolBar>
#include <QTreeWidget>
#include <vector>

#include "gui/analysis/console.h"
#include "gui/analysis/tcode.h"
#include "gui/run/input_edit.h"
#include "gui/run/trun.h"
#include "gui/shell/main_window.h"
#include "gui/shell/qt_text.h"

namespace tessaro::gui {

namespace {

// Core text keeps line breaks as CR LF.
std::string WithCrLf(const QString& text) {
  QString copy = text;
  copy.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  copy.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return ToCore(copy);
}

bool PanelVisible(Tmain& main) {
  QDockWidget* dock = main.Panel("dpNarzedzia");
  return dock && !dock->isHidden();
}

void SetPanelVisible(Tmain& main, bool visible) {
  if (QAction* toggle = main.CommandAction("ActionPokazdpNarzedzia")) toggle->setChecked(visible);
  if (QDockWidget* dock = main.Panel("dpNarzedzia")) dock->setVisible(visible);
}

}  // namespace

void Trun::EnterInputMode() {
  // The rest of the window waits with the program; what was enabled before
  // is enabled again afterwards.
  const std::vector<QObject*> disabled = main_.DisableForInput();
  code_.RunInputMode();
  Tmain::EnableAgain(disabled);
}

void Trun::InputOutput(const std::string& value, const std::string& item, uint8_t direction, std::string& answer) {
  answer.clear();
  const TSettings& settings = main_.Settings();
  Console* console = code_.ConsoleEdit();
  if (direction == 1) {
    if (settings.KonsolaWyjscie) {
      console->AppendColoured(FromCore(item), kConsoleBlue);
      console->AppendColoured(QStringLiteral(" = ") + FromCore(value), kConsoleBlack);
      if (!PanelVisible(main_)) SetPanelVisible(main_, true);
      code_.SetActivePage(kPageConsole);
      console->NewPromptLine();
      return;
    }
    QString ignored;
    if (!input_.Ask(FromCore(item) + QLatin1Char('='), FromCore(value), false, ignored)) {
      stop_reason_ = StopReason::InputCancelled;
      Compiler.Stop();
    }
    return;
  }
  if (!fed_answers_.empty()) {
    answer = fed_answers_.front();
    fed_answers_.pop_front();
    console->AppendColoured(QStringLiteral("\n") + FromCore(item), kConsoleGreen);
    console->AppendColoured(QStringLiteral(" = ") + FromCore(answer), kConsoleBlack);
    console->NewPromptLine();
    return;
  }
  if (settings.KonsolaWejscie) {
    const bool was_visible = PanelVisible(main_);
    if (!was_visible) SetPanelVisible(main_, true);
    console->AppendColoured(QStringLiteral("\n") + FromCore(item), kConsoleGreen);
    console->AppendColoured(QStringLiteral(" = ") + FromCore(value), kConsoleBlack);
    console->ConsolePrompt = "?";
    console->NewPromptLine();
    code_.SetActivePage(kPageConsole);
    console->setFocus();
    EnterInputMode();
    if (!code_.ConsoleAnswer().empty()) {
      answer = code_.ConsoleAnswer();
    } else {
      // Left without Enter (Esc, the frame, a closed panel): the "?" line
      // stays unanswered, so a fresh prompt follows it.
      if (console->ConsolePrompt != ">") {
        console->ConsolePrompt = ">";
        console->NewPromptLine();
      }
      stop_reason_ = StopReason::InputCancelled;
      Compiler.Stop();
    }
    if (PanelVisible(main_) != was_visible) SetPanelVisible(main_, was_visible);
    return;
  }
  QString text;
  if (input_.Ask(FromCore(item) + QStringLiteral("=?"), FromCore(value), true, text)) {
    answer = WithCrLf(text);
  } else {
    stop_reason_ = StopReason::InputCancelled;
    Compiler.Stop();
  }
}

}  // namespace tessaro::gui
