#include "gui/run/trun.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QTableWidget>
#include <algorithm>

#include "core/extensions/plugin_table.h"
#include "core/i18n/language.h"
#include "core/i18n/retranslation.h"
#include "core/language/message_format.h"
#include "core/language/value_memory.h"
#include "core/language/variables.h"
#include "core/platform/registry.h"
#include "core/runtime/run_history.h"
#include "gui/analysis/console.h"
#include "gui/analysis/tcode.h"
#include "gui/analysis/tree_page.h"
#include "gui/run/input_edit.h"
#include "gui/shell/main_window.h"
#include "gui/shell/qt_text.h"

namespace tessaro::gui {

namespace {

constexpr const char* kKus[] = {"ActionKompiluj", "ActionUruchom", "ActionUruchomKrokPoKroku"};
constexpr const char* kSteps[] = {"ActionNastepnaInstrukcja", "ActionNastepnyBlok", "ActionNastepnaMikroInstrukcja",
                                  "ActionWznowWykonywanie"};
constexpr const char* kBackSteps[] = {"ActionPoprzedniaInstrukcja", "ActionPoprzedniBlok",
                                      "ActionPoprzedniaMikroInstrukcja"};

// The icons of status panel 1, chosen by the first character of a status text.
struct StatusIcon {
  char mark;
  int index;
  QStyle::StandardPixmap picture;
};

constexpr StatusIcon kStatusIcons[] = {
    {'>', 2, QStyle::SP_MediaPlay},
    {'@', 1, QStyle::SP_DialogApplyButton},
    {'!', 0, QStyle::SP_MessageBoxCritical},
    {'#', 10, QStyle::SP_MediaPause},
};

// The designed width of the variable list's name column.
constexpr int kNameColumnWidth = 89;

// The code of the step event that Stop fires.
constexpr uint8_t kStepOfStop = 2;

// A status made of a mark, a translated text and a tail that needs no
// translation; it is made again after a language switch.
std::function<std::string()> StatusText(const char* mark, const char* id, std::string tail = {}) {
  return [mark, id, tail] { return std::string(mark) + (id ? LangText(id) : std::string()) + tail; };
}

// The status of a run ended by an error names the error.
std::string ErrorTail(const TKompilatorTS& c) { return c.Errors.empty() ? std::string() : " " + c.Errors.back().Text; }

// The diagram as compiled: the selection marks do not change the program.
bool SameDiagram(const std::vector<Tobj>& a, const std::vector<Tobj>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    Tobj x = a[i];
    x.Zaznaczony = b[i].Zaznaczony;
    // Sizes follow the texts as drawn, which a language switch changes.
    x.Width = b[i].Width;
    x.Height = b[i].Height;
    if (!(x == b[i])) return false;
  }
  return true;
}

void SetRow(QTableWidget* list, int row, const QString& name, const QString& value) {
  for (int column = 0; column < 2; ++column) {
    QTableWidgetItem* item = list->item(row, column);
    if (!item) {
      item = new QTableWidgetItem;
      list->setItem(row, column, item);
    }
    item->setText(column == 0 ? name : value);
  }
}

}  // namespace

Trun::Trun(Tmain& main, Tcode& code, TinputEdit& input, QObject* parent)
    : QObject(parent),
      Timer(this),
      main_(main),
      highlight_setting_(&main.Settings().PodswietlajBloki),
      code_(code),
      input_(input) {
  setObjectName(QStringLiteral("Trun"));
  Timer.setObjectName(QStringLiteral("Timer"));
  Timer.setInterval(50);
  // The tick only disables the timer again, which ends a step's wait.
  connect(&Timer, &QTimer::timeout, this, [this] { EndDelay(); });
  Compiler.OnStateChange = [this](TKompilatorTS&, uint8_t c) { StateChange(c); };
  Compiler.OnVariableChange = [this](TKompilatorTS&, int32_t v) { VariableChange(v); };
  Compiler.OnStep = [this](TKompilatorTS&, uint8_t c) { Step(c); };
  Compiler.OnInputOutput = [this](TKompilatorTS&, const std::string& value, const std::string& item,
                                  uint8_t direction, std::string& answer) {
    InputOutput(value, item, direction, answer);
  };
  Compiler.OnConversion = [this](const Trozkaz&, int32_t from, int32_t to, const std::string& text) {
    emit conversionShown(text, from, to);
  };
  Compiler.OnReplayedInput = [this](TKompilatorTS&, const std::string& item, const std::string& answer) {
    ReplayedInput(item, answer);
  };
  code_.SetCompiler(&Compiler);
  connect(&code_, &Tcode::diagramMarksChanged, this, &Trun::runMarksChanged);
  since_pump_.start();
  since_list_.start();

  if (QStatusBar* bar = main_.statusBar()) {
    status_icon_ = new QLabel(bar);
    status_icon_->setObjectName(QStringLiteral("StatusPanel1Icon"));
    status_icon_->setFixedSize(18, 16);
    // Beside panel 1, which follows the notice panel 0.
    bar->insertWidget(1, status_icon_);
  }
  if (QSpinBox* delay = main_.HighlightDelay()) {
    Timer.setInterval(delay->value());
    connect(delay, &QSpinBox::valueChanged, this, [this](int ms) { Timer.setInterval(ms); });
  }
  if (QAction* highlight = main_.CommandAction("ActionPodswietlaj"))
    highlight->setChecked(main_.Settings().PodswietlajBloki);

  struct Handler {
    const char* name;
    void (Trun::*run)();
  };
  static constexpr Handler kHandlers[] = {
      {"ActionKompiluj", &Trun::ActionKompilujExecute},
      {"ActionUruchom", &Trun::ActionUruchomExecute},
      {"ActionUruchomKrokPoKroku", &Trun::ActionUruchomKrokPoKrokuExecute},
      {"ActionWstrzymaj", &Trun::ActionWstrzymajExecute},
      {"ActionWznowWykonywanie", &Trun::ActionWznowWykonywanieExecute},
      {"ActionNastepnaInstrukcja", &Trun::ActionNastepnaInstrukcjaExecute},
      {"ActionNastepnyBlok", &Trun::ActionNastepnyBlokExecute},
      {"ActionNastepnaMikroInstrukcja", &Trun::ActionNastepnaMikroInstrukcjaExecute},
      {"ActionPoprzedniaInstrukcja", &Trun::ActionPoprzedniaInstrukcjaExecute},
      {"ActionPoprzedniBlok", &Trun::ActionPoprzedniBlokExecute},
      {"ActionPoprzedniaMikroInstrukcja", &Trun::ActionPoprzedniaMikroInstrukcjaExecute},
      {"ActionZakonczWykonywanie", &Trun::ActionZakonczWykonywanieExecute},
      {"ActionPodswietlaj", &Trun::ActionPodswietlajExecute},
  };
  for (const Handler& h : kHandlers) {
    auto run = h.run;
    main_.SetCommandHandler(h.name, [this, run] { (this->*run)(); });
  }
  // All run commands but K, U and S start disabled.
  EnableCommands(-1, 0, 0, 0);
  ShowDesignMode();
  ApplyTranslation();
  retranslation_ = AddRetranslationObserver([this] { ApplyTranslation(); });
}

Trun::~Trun() {
  if (retranslation_ >= 0) RemoveRetranslationObserver(retranslation_);
  EndDelay();
  Compiler.OnStateChange = nullptr;
  Compiler.OnVariableChange = nullptr;
  Compiler.OnStep = nullptr;
  Compiler.OnInputOutput = nullptr;
  Compiler.OnReplayedInput = nullptr;
}

// ---------------------------------------------------------------------------
// Helpers

QTableWidget* Trun::VariableList() const { return main_.VariableList(); }

void Trun::SetCommand(const char* name, bool enabled) {
  if (QAction* a = main_.CommandAction(name)) a->setEnabled(enabled && main_.State().CurrentDocument());
}

void Trun::EnableCommands(int kus, int z, int w, int steps) {
  if (kus >= 0)
    for (const char* n : kKus) SetCommand(n, kus);
  if (z >= 0) SetCommand("ActionZakonczWykonywanie", z);
  if (w >= 0) SetCommand("ActionWstrzymaj", w);
  if (steps >= 0)
    for (const char* n : kSteps) SetCommand(n, steps);
  UpdateStepBackCommands();
}

void Trun::UpdateStepBackCommands() {
  const bool possible = Compiler.CanStepBack();
  for (const char* n : kBackSteps) SetCommand(n, possible);
}

void Trun::ForceHighlightOn() {
  if (QAction* a = main_.CommandAction("ActionPodswietlaj")) a->setChecked(true);
  main_.Settings().PodswietlajBloki = true;
}

void Trun::RepaintAll() {
  code_.RepaintListing();
  code_.Tree()->ResetTreePage();
  emit runMarksChanged();
}

void Trun::ShowWhereTheRunIs() {
  FlushVariables();
  emit runMarksChanged();
  code_.RepaintListing();
  code_.ScrollListingToCurrent();
  if (code_.ActivePage() == kPageTree) code_.FollowCurrent();
}

bool Trun::CommandRefused() const { return in_step_command_ || code_.ConsoleInputActive(); }

void Trun::ShowAnalysisPanel() {
  if (QAction* toggle = main_.CommandAction("ActionPokazdpNarzedzia")) toggle->setChecked(true);
  if (QDockWidget* dock = main_.Panel("dpNarzedzia")) dock->show();
}

const RunHighlight* Trun::Highlight() {
  if (Compiler.IsEmpty()) return nullptr;
  highlight_ = RunHighlight{};
  auto line_of = [this](int32_t instruction) {
    return Compiler.HasInstruction(instruction) ? Compiler.Instructions[static_cast<size_t>(instruction)].Line : 0;
  };
  // An unseen run is not drawn per instruction, so no block is marked as
  // current until it stops: a stale mark would show the wrong place.
  const bool unseen_run = Compiler.Running && !Highlighting();
  if (Compiler.HasInstruction(Compiler.Current) && !unseen_run) {
    highlight_.CurrentBlock = Compiler.Instructions[static_cast<size_t>(Compiler.Current)].BlockIndex;
    highlight_.CurrentLine = line_of(Compiler.Current);
  }
  const int32_t error = Compiler.SelectedError;
  if (error >= 0 && error < static_cast<int32_t>(Compiler.Errors.size())) {
    highlight_.ErrorBlock = Compiler.Errors[static_cast<size_t>(error)].Block;
    highlight_.ErrorLine = line_of(Compiler.Errors[static_cast<size_t>(error)].Instruction);
  }
  const int32_t warning = Compiler.SelectedWarning;
  if (warning >= 0 && warning < static_cast<int32_t>(Compiler.Warnings.size())) {
    highlight_.WarningBlock = Compiler.Warnings[static_cast<size_t>(warning)].Block;
    highlight_.WarningLine = line_of(Compiler.Warnings[static_cast<size_t>(warning)].Instruction);
  }
  if (Compiler.HasInstruction(Compiler.SelectedInstruction)) {
    highlight_.InstructionBlock = Compiler.Instructions[static_cast<size_t>(Compiler.SelectedInstruction)].BlockIndex;
    highlight_.InstructionLine = line_of(Compiler.SelectedInstruction);
  }
  return &highlight_;
}

// ---------------------------------------------------------------------------
// Status bar

void Trun::ShowRunStatus(const std::string& text) {
  int index = -1;
  QStyle::StandardPixmap picture = QStyle::SP_CustomBase;
  std::string caption = text;
  for (const StatusIcon& icon : kStatusIcons) {
    if (!text.empty() && text[0] == icon.mark) {
      index = icon.index;
      picture = icon.picture;
      caption.erase(0, 1);
    }
  }
  if (QLabel* panel = main_.RunStatusLabel()) {
    panel->setText(FromCore(caption));
    panel->setProperty("iconIndex", index);
  }
  if (status_icon_) {
    if (index < 0)
      status_icon_->clear();
    else
      status_icon_->setPixmap(QApplication::style()->standardIcon(picture).pixmap(16, 16));
  }
}

void Trun::ShowRunStatusOf(std::function<std::string()> text) {
  status_text_ = std::move(text);
  ShowRunStatus(status_text_ ? status_text_() : std::string());
}

void Trun::ApplyTranslation() {
  // The name column is at least as wide as its title.
  if (QTableWidget* list = VariableList()) {
    QHeaderView* header = list->horizontalHeader();
    header->resizeSection(0, std::max(kNameColumnWidth, header->sectionSizeHint(0)));
  }
  if (status_text_) ShowRunStatus(status_text_());
  if (analysis_mode_)
    ShowAnalysisMode();
  else
    ShowDesignMode();
  if (!Compiler.IsEmpty()) code_.RewriteLists();
  code_.Tree()->update();
  emit runMarksChanged();
}

void Trun::ShowDesignMode() {
  analysis_mode_ = false;
  if (QLabel* mode = main_.ModeLabel()) {
    mode->setText(Tr("msgm00065"));
    mode->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255);"));
  }
}

void Trun::ShowAnalysisMode() {
  analysis_mode_ = true;
  if (QLabel* mode = main_.ModeLabel()) {
    mode->setText(Tr("msgm00064"));
    mode->setStyleSheet(QStringLiteral("color: rgb(0, 128, 0);"));
  }
}

// ---------------------------------------------------------------------------
// Event handlers

void Trun::StateChange(uint8_t code) {
  // 1. Any waiting read and any step's wait end first.
  code_.EndConsoleInput();
  EndDelay();
  // The variable list shows exactly what the program holds now.
  FlushVariables();
  ended_by_edit_ = false;
  if (code == kStateRunning || code == kStatePaused || code == kStateBreakpoint)
    run_under_way_ = true;
  else if (code != kStatePrepared)
    run_under_way_ = false;
  switch (code) {
    case kStateStopped:
      EnableCommands(1, 0, 0, 0);
      if (!preparing_) fed_answers_.clear();
      // The stop that prepares a run ends nothing.
      if (!preparing_) ShowEndStatus();
      if (!Compiler.IsFinished()) ShowAnalysisMode();
      RepaintAll();
      break;
    case kStatePaused:
      EnableCommands(1, 1, 0, 1);
      ShowPausedStatus("msgr00005");
      ShowAnalysisMode();
      ShowWhereTheRunIs();
      break;
    case kStatePrepared:
      stop_reason_ = StopReason::None;
      exchange_marks_.clear();
      marks_base_ = 0;
      EnableCommands(1, 1, 0, 1);
      ShowAnalysisMode();
      break;
    case kStateBreakpoint:
      Compiler.Running = 0;
      EnableCommands(1, 1, 0, 1);
      ShowPausedStatus("msgr00003");
      ShowAnalysisMode();
      ShowWhereTheRunIs();
      break;
    case kStateRunning:
      stop_reason_ = StopReason::None;
      EnableCommands(0, 1, 1, 0);
      ShowRunStatusOf(StatusText(">", "msgr00002"));
      ShowAnalysisMode();
      if (!Highlighting()) emit runMarksChanged();
      break;
    case kStateStoppedWithErrors:
      ShowRunStatusOf(StatusText("!", "msgr00004", ErrorTail(Compiler)));
      ShowAnalysisMode();
      code_.ShowErrorsPage();
      code_.WriteErrorList();
      // The error that ended the run is the last one: its block is framed at once.
      code_.SelectError(static_cast<int>(Compiler.Errors.size()) - 1);
      RepaintAll();
      ShowAnalysisPanel();
      break;
    case kStateCleared:
      fed_answers_.clear();
      ShowRunStatusOf(nullptr);
      ShowDesignMode();
      code_.SetActivePage(kPageListing);
      code_.AttachErrorsPage();
      code_.ClearErrorList();
      code_.ClearListing();
      code_.ClearPseudocode();
      code_.DetachErrorsPage();
      code_.Tree()->ResetTreePage();
      break;
    default:
      break;
  }
  UpdateStepBackCommands();
  emit runStateChanged();
}

void Trun::ShowPausedStatus(const char* id) {
  // Only worth saying once the history no longer reaches the run's start.
  const uint64_t reach = Compiler.History && Compiler.History->Horizon() > 0 ? Compiler.HistoryReach() : 0;
  ShowRunStatusOf([id, reach] {
    std::string text = "#" + LangText(id);
    if (reach > 0) text += " " + FormatText(LangText("msgr00009"), {std::to_string(reach)});
    return text;
  });
}

void Trun::ShowEndStatus() {
  const StopReason reason = stop_reason_;
  stop_reason_ = StopReason::None;
  if (Compiler.HasErrors())
    ShowRunStatusOf(StatusText("!", "msgr00004", ErrorTail(Compiler)));
  else if (reason == StopReason::User)
    ShowRunStatusOf(StatusText("", "msgr00006"));
  else if (reason == StopReason::InputCancelled)
    ShowRunStatusOf(StatusText("", "msgr00007"));
  else if (Compiler.IsFinished())
    ShowRunStatusOf(StatusText("", "msgr00001"));
}

void Trun::RebuildVariableList() {
  QTableWidget* list = VariableList();
  if (!list) return;
  list->setRowCount(0);
  list->setRowCount(static_cast<int>(Compiler.Variables.size()));
  for (size_t v = 0; v < Compiler.Variables.size(); ++v) {
    SetRow(list, static_cast<int>(v), FromCore(Compiler.Variables[v].Name),
           FromCore(RenderVariable(Compiler, static_cast<int32_t>(v), kShownValueLength)));
  }
}

void Trun::FlushVariables() {
  if (variables_all_dirty_) {
    RebuildVariableList();
  } else if (QTableWidget* list = VariableList()) {
    for (int32_t v : dirty_variables_) {
      if (v < 0 || v >= list->rowCount() || v >= static_cast<int32_t>(Compiler.Variables.size())) continue;
      SetRow(list, v, FromCore(Compiler.Variables[static_cast<size_t>(v)].Name),
             FromCore(RenderVariable(Compiler, v, kShownValueLength)));
    }
  }
  for (int32_t v : dirty_variables_) {
    if (v >= 0 && static_cast<size_t>(v) < dirty_mark_.size()) dirty_mark_[static_cast<size_t>(v)] = 0;
  }
  dirty_variables_.clear();
  variables_all_dirty_ = false;
  since_list_.restart();
}

void Trun::MarkVariable(int32_t variable) {
  // While a loop runs the list follows at the screen's rate; otherwise at once.
  if (variable == -1) {
    variables_all_dirty_ = true;
  } else if (!variables_all_dirty_) {
    if (static_cast<size_t>(variable) >= dirty_mark_.size()) dirty_mark_.resize(static_cast<size_t>(variable) + 1, 0);
    if (!dirty_mark_[static_cast<size_t>(variable)]) {
      dirty_mark_[static_cast<size_t>(variable)] = 1;
      dirty_variables_.push_back(variable);
    }
  }
  if (!Compiler.Running) FlushVariables();
}

void Trun::PumpOrDrawStep(uint8_t code) {
  // 1. Unseen: let the window work every few milliseconds.
  if (!Highlighting()) {
    // Even reading the clock at every instruction would slow a tight loop,
    // so it is read every `pump_stride_` steps (Step counts them down); the
    // stride follows how long the steps take, so slow instructions still
    // let the window work in time.
    const qint64 elapsed = since_pump_.elapsed();
    if (elapsed < kPumpIntervalMs) {
      if (elapsed < kPumpIntervalMs / 4 && pump_stride_ < kMaxPumpStride) pump_stride_ *= 2;
      pump_countdown_ = pump_stride_;
      return;
    }
    if (elapsed > 2 * kPumpIntervalMs && pump_stride_ > 1) pump_stride_ /= 2;
    pump_countdown_ = pump_stride_;
    if (since_list_.elapsed() >= kListIntervalMs) FlushVariables();
    QApplication::processEvents();
    ++Compiler.HostWorkCount;  // breakpoints may have been set meanwhile
    since_pump_.restart();
    return;
  }
  // 2. Seen: draw the step, then wait the delay.
  FlushVariables();
  emit runMarksChanged();
  code_.RepaintListing();
  code_.ScrollListingToCurrent();
  QApplication::processEvents();
  Timer.start();
  // 3. The tree page follows the current instruction; the current block
  // keeps its green mark, the listing's own pick is not touched.
  if (code_.ActivePage() == kPageTree) code_.FollowCurrent();
  // 4. The wait; pause and stop end it early. The step events of a stop and
  // of a step back executed nothing, so they do not wait: preparing a run
  // with a long delay would otherwise hold the window with every run command
  // disabled.
  if (code == kStepOfStop || code == kStepBack) {
    Timer.stop();
  } else {
    WaitForDelay();
  }
  ++Compiler.HostWorkCount;  // the window worked: breakpoints may have changed
  since_pump_.restart();
}

void Trun::WaitForDelay() {
  if (!Timer.isActive() || delay_loop_) return;
  QEventLoop loop;
  delay_loop_ = &loop;
  loop.exec();
  delay_loop_ = nullptr;
}

void Trun::EndDelay() {
  Timer.stop();
  if (delay_loop_) delay_loop_->quit();
}

// ---------------------------------------------------------------------------
// Compilation and commands

bool Trun::CompileSequence(CompileFor purpose) {
  TDocumentState& state = main_.State();
  TOtwartePliki* document = state.CurrentDocument();
  if (!document) return false;
  main_.ShowStatusNotice(QString());
  // 1-3. Analysis mode, no selection in the diagram.
  ShowAnalysisMode();
  state.Wybrany = -1;
  state.GrupaAktywna = false;
  for (Tobj& element : state.Bloki) element.Zaznaczony = 0;
  SetCommand("ActionWyrownajPionowo", false);
  SetCommand("ActionWyrownajPoziomo", false);
  // 4. The listing page, no errors page.
  code_.SetActivePage(kPageListing);
  code_.DetachErrorsPage();
  // 5. Compile, with the options in force now.
  ApplyCompilerSettings(main_.Settings());
  const bool ok = Compiler.Compile(state.Bloki, static_cast<int32_t>(state.Bloki.size()) - 1,
                                   static_cast<int32_t>(PlugIns.size()) - 1, PlugIns, document->PunktyPrzerwania);
  // Documents move in memory when others open or close: the program finds
  // its document's list again at every test, and none once it is gone.
  Compiler.Breakpoints = nullptr;
  Compiler.BreakpointSource = [&state, node = document->WezelDrzewa]() -> TBreakPointArray* {
    TOtwartePliki* current = state.CurrentDocument();
    return current && current->WezelDrzewa == node ? &current->PunktyPrzerwania : nullptr;
  };
  compiled_document_ = document->WezelDrzewa;
  compiled_bloki_ = state.Bloki;
  // 6. Errors.
  if (!ok) {
    code_.ShowErrorsPage();
    code_.WriteErrorList();
    code_.SelectError(0);  // the first error's block is framed at once
    ShowAnalysisPanel();
    ShowRunStatusOf(StatusText(purpose == CompileFor::Compile ? "!" : "", "msgm00072"));
    return false;
  }
  // 7. Warnings.
  if (Compiler.Warnings.empty()) {
    ShowRunStatusOf(StatusText("@", "msgm00029"));
  } else {
    code_.ShowErrorsPage();
    code_.WriteErrorList();
    ShowRunStatusOf(StatusText("@", "msgm00028"));
  }
  // 8-9. The listing, then the program is ready.
  code_.WriteListing();
  code_.ClearPseudocode();
  preparing_ = true;
  Compiler.PrepareRun();
  preparing_ = false;
  // Step by step, the run starts here; a compile alone starts none.
  run_under_way_ = purpose == CompileFor::Run;
  // The start block is marked at once, whatever the highlight setting.
  ShowWhereTheRunIs();
  return true;
}

void Trun::ApplyCompilerSettings(const TSettings& settings) {
  Compiler.DynamicArrays = settings.DynamiczneTablice ? 1 : 0;
  Compiler.CaseSensitive = settings.WielkoscLiter ? 1 : 0;
  SetMemoryBudgetMB(settings.LimitPamieci);
  Compiler.SetHistoryBudget(int64_t{std::clamp(settings.LimitHistorii, 0, kMaxHistoryBudgetMB)} << 20);
  UpdateStepBackCommands();
}

void Trun::ActionKompilujExecute() {
  if (CommandRefused()) return;
  CompileSequence(CompileFor::Compile);
}

void Trun::ActionUruchomKrokPoKrokuExecute() {
  if (CommandRefused()) return;
  CompileSequence(CompileFor::Run);
}

void Trun::ActionUruchomExecute() {
  if (CommandRefused() || !main_.State().CurrentDocument()) return;
  in_step_command_ = true;
  const bool resumable = !Compiler.IsFinished() && !Compiler.IsEmpty() && !Compiler.HasErrors();
  if (resumable) {
    ShowAnalysisMode();
    TDocumentState& state = main_.State();
    state.Wybrany = -1;
    state.GrupaAktywna = false;
    for (Tobj& element : state.Bloki) element.Zaznaczony = 0;
    Compiler.Run();
  } else if (CompileSequence(CompileFor::Run)) {
    Compiler.Run();
  }
  in_step_command_ = false;
}

void Trun::ActionWstrzymajExecute() {
  Compiler.Pause();
  EndDelay();
}

void Trun::ActionWznowWykonywanieExecute() {
  if (CommandRefused()) return;
  in_step_command_ = true;
  Compiler.Run();
  in_step_command_ = false;
}

void Trun::ActionZakonczWykonywanieExecute() {
  if (!Compiler.IsEmpty() && (Compiler.Running || !Compiler.IsFinished())) stop_reason_ = StopReason::User;
  code_.EndConsoleInput();
  Compiler.Stop();
  // The core keeps the history of a run that stopped; the user's stop ends it.
  Compiler.ClearHistory();
  UpdateStepBackCommands();
  EndDelay();
}

// One step with the highlight forced on. A step command pressed again
// during a step's wait is dropped rather than run inside that step.
bool Trun::StepCommand(bool (TKompilatorTS::*step)()) {
  if (CommandRefused()) return false;
  in_step_command_ = true;
  stop_reason_ = StopReason::None;
  run_under_way_ = true;
  ForceHighlightOn();
  (Compiler.*step)();
  in_step_command_ = false;
  // A stop inside a block step fires no state code of its own.
  if (stop_reason_ != StopReason::None && Compiler.IsFinished()) {
    EnableCommands(1, 0, 0, 0);
    ShowEndStatus();
  }
  UpdateStepBackCommands();
  emit runStepped();
  return true;
}

void Trun::StepBackCommand(StepSize size) {
  if (CommandRefused()) return;
  in_step_command_ = true;
  // As a step forward: the place the run went back to is drawn.
  ForceHighlightOn();
  const bool moved = Compiler.StepBack(size);
  in_step_command_ = false;
  if (moved) ShowRewoundState(size);
  UpdateStepBackCommands();
  emit runStepped();
}

void Trun::ShowRewoundState(StepSize size) {
  // StepBack has fired the paused state, the whole variable list and the
  // step, so the diagram, the listing and the variables show the moment
  // already. What follows are the parts the core's events do not reach.
  // 1. The console loses what the run wrote after that moment.
  CutConsoleBack(Compiler.Exchanges());
  // 2. The error list keeps only the errors of that moment.
  if (code_.ErrorsPageAttached()) {
    if (Compiler.Errors.empty() && Compiler.Warnings.empty()) {
      code_.ClearErrorList();
      code_.DetachErrorsPage();
      if (code_.ActivePage() < 0) code_.SetActivePage(kPageListing);
    } else {
      code_.WriteErrorList();
    }
  }
  // 3. The conversion panel shows the last conversion done by then.
  if (const TConversionShown& shown = Compiler.History->Counters().Conversion; shown.Shown)
    emit conversionShown(shown.Text, shown.FromBase, shown.ToBase);
  // 4. The tree page shows the instruction's values of that moment; a micro
  // step back shows the page, as a micro step does.
  if (size == StepSize::Micro) {
    code_.SetActivePage(kPageTree);
    ShowAnalysisPanel();
  }
  if (code_.ActivePage() == kPageTree) code_.FollowCurrent();
  code_.Tree()->PaintTreePage();
}

void Trun::ActionPoprzedniaInstrukcjaExecute() { StepBackCommand(StepSize::Instruction); }

void Trun::ActionPoprzedniBlokExecute() { StepBackCommand(StepSize::Block); }

void Trun::ActionPoprzedniaMikroInstrukcjaExecute() { StepBackCommand(StepSize::Micro); }

void Trun::ActionNastepnaInstrukcjaExecute() { StepCommand(&TKompilatorTS::InstructionStep); }

void Trun::ActionNastepnyBlokExecute() { StepCommand(&TKompilatorTS::BlockStep); }

void Trun::ActionNastepnaMikroInstrukcjaExecute() {
  if (!StepCommand(&TKompilatorTS::MicroStep)) return;
  const bool was_tree = code_.ActivePage() == kPageTree;
  code_.SetActivePage(kPageTree);
  ShowAnalysisPanel();
  // The page shows the new current tree at once, not from the next step on.
  if (!was_tree) code_.FollowCurrent();
}

void Trun::ActionPodswietlajExecute() {
  QAction* action = main_.CommandAction("ActionPodswietlaj");
  const bool checked = action && action->isChecked();
  RegistryWriteString("PodswietlajBloki", checked ? "" : "Wylacz");
  main_.Settings().PodswietlajBloki = checked;
}

void Trun::DiscardProgram() {
  code_.EndConsoleInput();
  EndDelay();
  // What the status bar said belonged to the program or document now gone.
  main_.ShowStatusNotice(QString());
  if (Compiler.IsEmpty() && !Compiler.Running) {
    ShowRunStatusOf(nullptr);
    return;
  }
  Compiler.Stop();
  Compiler.ClearHistory();
  Compiler.Clear();
  compiled_document_ = nullptr;
  compiled_bloki_.clear();
}

void Trun::DiagramChanged() {
  // One edit is seen twice (its repaint, then its snapshot); the second one
  // finds nothing to end and leaves the reason shown.
  if (ended_by_edit_ && Compiler.IsEmpty() && !Compiler.Running) return;
  const bool under_way = run_under_way_ && !Compiler.IsEmpty() && !Compiler.IsFinished();
  DiscardProgram();
  run_under_way_ = false;
  if (!under_way) return;
  ShowRunStatusOf(StatusText("", "msgr00008"));
  ended_by_edit_ = true;
}

void Trun::CheckProgramMatchesDiagram() {
  TDocumentState& state = main_.State();
  TOtwartePliki* document = state.CurrentDocument();
  // Another document: the status of the previous one no longer applies.
  void* shown = document ? document->WezelDrzewa : nullptr;
  if (shown != shown_document_) {
    shown_document_ = shown;
    if (Compiler.IsEmpty()) DiscardProgram();
  }
  if (Compiler.IsEmpty()) return;
  if (!document || document->WezelDrzewa != compiled_document_)
    DiscardProgram();
  else if (!SameDiagram(state.Bloki, compiled_bloki_))
    DiagramChanged();
}

}  // namespace tessaro::gui
