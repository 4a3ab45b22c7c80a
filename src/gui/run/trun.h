// Trun: the execution controller. It owns the program's one compiler object,
// answers its events (command states, status bar, variable list, highlight,
// pacing) and carries out the compile and run commands of the main window.
//
// A run is a loop inside a command handler on the user-interface thread. The
// step handler keeps the window alive: with highlighting off it lets pending
// window messages through every few milliseconds, not after every
// instruction, and the variable list follows at the screen's rate; with
// highlighting on every instruction is drawn and then waits the delay.
#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/diagram/run_highlight.h"
#include "core/language/compiler.h"
#include "core/settings/settings.h"

class QLabel;
class QTableWidget;

namespace tessaro::gui {

class Tcode;
class TinputEdit;
class Tmain;

// Which command asked for the compile sequence: the compile command shows
// a failure with the error icon, the run commands without it.
enum class CompileFor { Compile, Run };

class Trun : public QObject {
  Q_OBJECT

 public:
  Trun(Tmain& main, Tcode& code, TinputEdit& input, QObject* parent = nullptr);
  ~Trun() override;

  QTimer Timer;
  TKompilatorTS Compiler;

  // The events of the compiler. A run fires VariableChange at every store
  // and Step at every instruction, so their common cases are inline: a
  // variable already waiting for the list's next update needs nothing more
  // while a loop runs, and an unseen run lets the window work only every
  // `pump_stride_` steps.
  void StateChange(uint8_t code);
  void VariableChange(int32_t variable) {
    if (Compiler.Running && (variables_all_dirty_ || IsMarkedChanged(variable))) return;
    MarkVariable(variable);
  }
  void Step(uint8_t code) {
    if (!Highlighting() && --pump_countdown_ > 0) return;
    PumpOrDrawStep(code);
  }
  void InputOutput(const std::string& value, const std::string& item, uint8_t direction, std::string& answer);
  // A read reached again after a step back took the answer given before.
  void ReplayedInput(const std::string& item, const std::string& answer);

  // Status bar.
  void ShowRunStatus(const std::string& text);
  void ShowDesignMode();
  void ShowAnalysisMode();
  // Shows the run status `text` makes now and again after a language switch.
  void ShowRunStatusOf(std::function<std::string()> text);
  // Every text the run shows, in the language now in force.
  void ApplyTranslation();

  // The user's options that change what the compiler accepts.
  void ApplyCompilerSettings(const TSettings& settings);

  // Compiles the current document; false when it has errors.
  bool CompileSequence(CompileFor purpose);

  // The commands.
  void ActionKompilujExecute();
  void ActionUruchomKrokPoKrokuExecute();
  void ActionUruchomExecute();
  void ActionWstrzymajExecute();
  void ActionWznowWykonywanieExecute();
  void ActionZakonczWykonywanieExecute();
  void ActionNastepnaInstrukcjaExecute();
  void ActionNastepnyBlokExecute();
  void ActionNastepnaMikroInstrukcjaExecute();
  void ActionPoprzedniaInstrukcjaExecute();
  void ActionPoprzedniBlokExecute();
  void ActionPoprzedniaMikroInstrukcjaExecute();
  void ActionPodswietlajExecute();

  // Stops and discards the program: the diagram no longer matches it.
  void DiscardProgram();
  // The diagram changed: the program is discarded, and a run under way
  // (paused, at a breakpoint, stepping) says in the status bar why it ended.
  void DiagramChanged();
  // Discards the program when the current document or its diagram differs
  // from the ones compiled; called at every repaint of the diagram.
  void CheckProgramMatchesDiagram();

  // Answers for the next reads, given ahead (a task's case run in the
  // window): each is taken instead of asking and shown in the console as if
  // typed. What is left is dropped when the run ends or the program goes.
  void FeedAnswers(const std::vector<std::string>& answers) { fed_answers_.assign(answers.begin(), answers.end()); }

  // What the diagram highlights now; null while nothing is compiled.
  const RunHighlight* Highlight();

 signals:
  // What the diagram marks changed (current block, selected error, warning
  // or instruction): the diagram is drawn now (mode 0).
  void runMarksChanged();
  // A conversion built-in ran: its argument text, from base, to base.
  void conversionShown(const std::string& value, int32_t from, int32_t to);
  // The run's state changed (prepared, running, paused, stopped, cleared).
  void runStateChanged();
  // A step command, forward or back, has left the run at its new place
  // (after the redraw): whatever shows more of the run's state follows.
  void runStepped();

 private:
  void EnableCommands(int kus, int z, int w, int steps);  // 1 on, 0 off, -1 unchanged
  void SetCommand(const char* name, bool enabled);
  void ForceHighlightOn();
  bool StepCommand(bool (TKompilatorTS::*step)());
  // A step back of `size`, and what the window shows after it.
  void StepBackCommand(StepSize size);
  void ShowRewoundState(StepSize size);
  // The step back commands are enabled exactly while a step back is possible.
  void UpdateStepBackCommands();
  // The paused status, with how far back the history reaches once its
  // oldest part is gone.
  void ShowPausedStatus(const char* id);
  // The console remembers where each exchange of the run began, so that a
  // step back can cut off what came after; `counted` when the history has
  // counted the exchange already.
  void NoteExchange(bool counted);
  void CutConsoleBack(uint64_t exchanges);
  void RepaintAll();
  // The diagram, the listing and the variable list show the current instruction.
  void ShowWhereTheRunIs();
  // A run or step command does nothing while a read waits for its answer.
  bool CommandRefused() const;
  void ShowAnalysisPanel();
  void FlushVariables();
  bool IsMarkedChanged(int32_t variable) const {
    return variable >= 0 && static_cast<size_t>(variable) < dirty_mark_.size() && dirty_mark_[static_cast<size_t>(variable)];
  }
  void MarkVariable(int32_t variable);
  void PumpOrDrawStep(uint8_t code);
  void RebuildVariableList();
  void WaitForDelay();
  void EndDelay();
  void EnterInputMode();
  // Inline: asked before every instruction of a run.
  bool Highlighting() const { return *highlight_setting_; }
  QTableWidget* VariableList() const;

  Tmain& main_;
  const bool* highlight_setting_;  // the window's setting, which lives as long as the window
  Tcode& code_;
  TinputEdit& input_;
  RunHighlight highlight_;
  QLabel* status_icon_ = nullptr;
  // The status texts, rebuilt in the new language after a switch.
  std::function<std::string()> status_text_;
  bool analysis_mode_ = false;
  int retranslation_ = -1;

  // Why the program was stopped, for the status of the next stop code.
  enum class StopReason { None, User, InputCancelled };
  StopReason stop_reason_ = StopReason::None;
  // The stop that PrepareRun fires is part of preparing, not an end.
  bool preparing_ = false;
  bool run_under_way_ = false;  // started and neither finished nor stopped
  bool ended_by_edit_ = false;  // the status says an edit ended the run
  std::deque<std::string> fed_answers_;
  void ShowEndStatus();
  // The document whose status the status bar shows.
  void* shown_document_ = nullptr;

  // Coalesced variable-list updates while a run loop is active.
  bool variables_all_dirty_ = false;
  std::vector<int32_t> dirty_variables_;
  std::vector<uint8_t> dirty_mark_;
  QElapsedTimer since_pump_;
  int32_t pump_stride_ = 1;
  int32_t pump_countdown_ = 1;
  QElapsedTimer since_list_;
  QEventLoop* delay_loop_ = nullptr;
  bool in_step_command_ = false;

  // Where each exchange with the user began in the console (Console::EndMark),
  // by exchange number from `marks_base_`; marks wholly in the text the
  // console has dropped are forgotten.
  std::deque<int64_t> exchange_marks_;
  uint64_t marks_base_ = 0;

  // The diagram the program was compiled from.
  void* compiled_document_ = nullptr;
  std::vector<Tobj> compiled_bloki_;
};

// Every how many milliseconds a run with highlighting off lets window
// messages through, and refreshes the variable list.
constexpr int kPumpIntervalMs = 10;
constexpr int kListIntervalMs = 16;
constexpr int32_t kMaxPumpStride = 1024;
// The most characters of one value the variable list shows: a large array or
// text costs the list no more than this at each refresh.
constexpr size_t kShownValueLength = 4096;

}  // namespace tessaro::gui
