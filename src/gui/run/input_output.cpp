// The `read` and `write` statements reach the user here: through the console
// page or through the input dialog, each direction as its setting says.
#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QToolBar>
#include <QTreeWidget>
#include <vector>

#include "gui/analysis/console.h"
#include "core/i18n/language.h"
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

void Trun::NoteExchange(bool counted) {
  // The history's count of exchanges numbers them, so the marks stay in step
  // with it even when the history starts again in the middle of a run (a
  // step back that found the steps changed, a new budget).
  const uint64_t exchanges = Compiler.Exchanges();
  if (!Compiler.History || (counted && exchanges == 0)) return;
  const uint64_t index = counted ? exchanges - 1 : exchanges;
  if (index < marks_base_) {
    exchange_marks_.clear();
    marks_base_ = index;
  }
  exchange_marks_.resize(static_cast<size_t>(index - marks_base_), exchange_marks_.empty() ? 0 : exchange_marks_.back());
  Console* console = code_.ConsoleEdit();
  exchange_marks_.push_back(console->EndMark());
  // Marks in the text the console has dropped all cut to its start: one
  // such is enough.
  while (exchange_marks_.size() > 1 && exchange_marks_[1] <= console->Floor()) {
    exchange_marks_.pop_front();
    ++marks_base_;
  }
}

void Trun::CutConsoleBack(uint64_t exchanges) {
  Console* console = code_.ConsoleEdit();
  if (exchanges >= marks_base_ + exchange_marks_.size()) return;
  if (exchanges < marks_base_) {
    console->CutBackTo(console->Floor());
    exchange_marks_.clear();
    marks_base_ = exchanges;
    return;
  }
  const size_t kept = static_cast<size_t>(exchanges - marks_base_);
  console->CutBackTo(exchange_marks_[kept]);
  exchange_marks_.resize(kept);
}

void Trun::ReplayedInput(const std::string& item, const std::string& answer) {
  NoteExchange(true);
  // Shown as a read answered in the console, marked as the earlier answer.
  Console* console = code_.ConsoleEdit();
  console->AppendColoured(QStringLiteral("\n") + FromCore(item), kConsoleGreen);
  console->AppendColoured(QStringLiteral(" = "), kConsoleBlack);
  console->AppendColoured(QStringLiteral("\n?") + FromCore(answer) + QLatin1Char(' '), kConsoleBlack);
  console->AppendColoured(FromCore(LangText("msgr00010")), kConsoleBlue);
  console->NewPromptLine();
  if (main_.Settings().KonsolaWejscie) code_.SetActivePage(kPageConsole);
}

void Trun::InputOutput(const std::string& value, const std::string& item, uint8_t direction, std::string& answer) {
  answer.clear();
  // A write is counted before it is shown, a read after it is answered.
  NoteExchange(direction == 1);
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
