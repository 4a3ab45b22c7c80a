// The compiler object: the compiled program and the run-time state in one.
//
// One instance lives for the whole program. It holds the variable store, the
// instruction list, the error and warning lists and the run flags, and talks
// to its owner through events. The compilation itself and the run-state
// operations build on the fields declared here.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/document/model.h"
#include "core/extensions/plugin_entry.h"
#include "core/language/expression_tree.h"
#include "core/language/fast_code_types.h"
#include "core/language/variables.h"

namespace tessaro {

// `Current` when no instruction is current: not running, or finished.
constexpr int32_t kNoInstruction = 0x3FFFFFFF;

// One error; the message text is already looked up and formatted.
struct TBlad {
  std::string Text;
  int32_t Instruction = -1;  // -1: none
  int32_t Block = -1;        // block of that instruction; -1: none
};

// One warning; the same fields as an error.
struct TOstrzezenie {
  std::string Text;
  int32_t Instruction = -1;
  int32_t Block = -1;
};

// What the step of one node does, worked out once from its kind and
// operator text so that steps need not compare texts (execution.cpp).
struct TStepCode {
  uint8_t Action = 0;
  uint8_t Operation = 0;
};

// One compiled instruction.
struct Trozkaz {
  TreeOwner Tree;               // none for an instruction rejected for its parentheses
  std::vector<TwrTree*> Steps;  // the tree's nodes in pre-order, executed from the end
  std::vector<TStepCode> StepCodes;  // one per step, filled when the instruction first runs
  TFastCode Fast;                    // the flat form, built by PrepareRun
  int32_t StepIndex = 0;
  int32_t Next = 0;      // successor; for a condition the false successor
  int32_t NextTrue = 0;  // a condition's true successor
  std::string Text;
  int32_t Kind = 0;        // kind of the source block
  int32_t BlockIndex = 0;  // index of the source block
  int32_t Line = 1;        // 1-based line within the block text
  int32_t Column = 1;      // 1-based first character, line feeds removed
  int32_t Length = 0;
  TKompilatorTS* Owner = nullptr;
};

// What EvaluateExpression hands back.
struct TEvaluation {
  TValue Value;
  TParseError ParseError;
  std::string ErrorText;  // the errors collected, CR between them; empty on success
};

// Run-state codes fired through OnStateChange.
enum StateCode : uint8_t {
  kStateStopped = 0,
  kStatePaused = 2,
  kStateRunning = 4,
  kStatePrepared = 5,
  kStateStoppedWithErrors = 6,
  kStateBreakpoint = 7,
  kStateCleared = 8,
};

// Values of StopRequest.
enum StopRequestCode : uint8_t { kStopRequested = 1, kPauseRequested = 3, kNoStopRequest = 9 };

class TRunHistory;
enum class StepSize : uint8_t;

// StepPosition of no checkpoint to come.
constexpr uint64_t kNoCheckpoint = UINT64_MAX;

// OnStep's code after a step back.
constexpr uint8_t kStepBack = 3;

class TKompilatorTS {
 public:
  // Events receive the sender first; an unassigned event does nothing.
  using ByteEvent = std::function<void(TKompilatorTS& sender, uint8_t code)>;
  using VariableEvent = std::function<void(TKompilatorTS& sender, int32_t variable)>;

  TKompilatorTS();
  ~TKompilatorTS();
  TKompilatorTS(const TKompilatorTS&) = delete;
  TKompilatorTS& operator=(const TKompilatorTS&) = delete;

  ByteEvent OnStateChange;
  VariableEvent OnVariableChange;  // -1: the whole list changed
  ByteEvent OnStep;
  // read (direction 0) and write (direction 1): the value text to show, the
  // item's name, and the answer of a read, which the handler writes.
  using InputOutputEvent = std::function<void(TKompilatorTS& sender, const std::string& value,
                                              const std::string& item, uint8_t direction,
                                              std::string& answer)>;
  InputOutputEvent OnInputOutput;
  // A conversion built-in has run: the instruction, the two bases, the argument text.
  using ConversionEvent = std::function<void(const Trozkaz& sender, int32_t from_base,
                                             int32_t to_base, const std::string& text)>;
  ConversionEvent OnConversion;
  // A read reached again after a step back took the answer given before
  // instead of asking: the item's name and that answer.
  using ReplayedInputEvent =
      std::function<void(TKompilatorTS& sender, const std::string& item, const std::string& answer)>;
  ReplayedInputEvent OnReplayedInput;

  int32_t ResolvingIndex = 0;  // instruction being resolved
  uint8_t BreakpointHit = 0;
  std::vector<Tzmienna> Variables;  // position = variable index
  TFastCells FastCells;             // the continuous run's lookup of Variables' cells
  TInstancjaZmiennej NullInstance;  // handed out by element access after an index error
  std::vector<Trozkaz> Instructions;
  std::vector<TBlad> Errors;
  std::vector<TOstrzezenie> Warnings;
  std::string EvalErrorText;
  uint8_t EvalMode = 0;  // when set, errors and warnings are collected as text
  uint8_t EvalKeepsRun = 0;  // in evaluation mode, a run-time error does not stop the program
  uint32_t RunTimeErrorCount = 0;  // counts AddRunTimeError calls
  std::vector<int32_t> IndexValues;
  std::vector<TValue> CallArguments;
  // The enabled extensions in effect for this compilation; a call binds to a position here.
  std::vector<TPlugInEntry> Extensions;
  int32_t Current = kNoInstruction;  // program counter
  uint8_t DynamicArrays = 1;         // arrays grow on access
  uint8_t StructFlag = 1;
  uint8_t CaseSensitive = 1;         // variable names compared exactly
  uint8_t AllowNewVariables = 1;     // resolution may create variables
  uint8_t Running = 0;
  uint8_t StopRequest = kNoStopRequest;
  // Entries picked in the analysis views, highlighted in the diagram.
  int32_t SelectedError = -1;
  int32_t SelectedWarning = -1;
  int32_t SelectedInstruction = -1;
  uint8_t MarkActive = 0;
  int32_t MarkBlock = 0;
  int32_t MarkLine = 0;
  // The current document's breakpoints, shared with the document, not copied.
  // A host whose documents move in memory sets BreakpointSource instead, which
  // finds the list again at every test; it wins over Breakpoints.
  TBreakPointArray* Breakpoints = nullptr;
  std::function<TBreakPointArray*()> BreakpointSource;
  // Such a host also counts here every time one of its event handlers has
  // let the window work (where breakpoints may be set or another document
  // chosen): a continuous run asks BreakpointSource again only after the
  // count moved, not before every instruction.
  uint32_t HostWorkCount = 0;
  int32_t LastBreakBlock = -1;
  int32_t LastBreakLine = -1;
  // Counts the discards of the program. An event handler may discard it in
  // the middle of a step; the step sees the count change and touches nothing
  // more, and the instructions it is inside stay alive until it has returned.
  uint32_t ProgramGeneration = 0;
  int32_t ExecutionDepth = 0;
  std::vector<std::vector<Trozkaz>> RetiredInstructions;

  // The variable store's bookkeeping, kept by the operations of variables.h:
  // the variables of each upper-cased name in list order, the number of
  // cells all variables hold, and the most they may hold.
  std::unordered_map<std::string, std::vector<int32_t>> VariablesByName;
  int64_t CellCount = 0;
  int64_t CellLimit = kMaxCells;

  bool HasErrors() const { return !Errors.empty(); }

  // ---- history and stepping back (runtime/run_history.cpp) ----
  // The history of the run; null while it is off (the default). The run
  // time makes and destroys it; it belongs to the program of one
  // ProgramGeneration and is forgotten when that program goes.
  std::unique_ptr<TRunHistory, void (*)(TRunHistory*)> History{nullptr, nullptr};
  // Steps (instruction steps and micro steps) since PrepareRun.
  uint64_t StepPosition = 0;
  // The step position at which the history takes its next copy.
  uint64_t CheckpointDue = kNoCheckpoint;
  // Every step begins here. Inline: a continuous run calls it at every instruction.
  void BeginStep() {
    if (StepPosition >= CheckpointDue) TakeCheckpoint();
    ++StepPosition;
  }
  void TakeCheckpoint();
  // BeginStep for a micro step, which the history notes as such.
  void BeginMicroStep();
  // Turns the history on with a memory budget in bytes, or off with 0.
  void SetHistoryBudget(int64_t bytes);
  // Forgets the history. PrepareRun calls it; a host's stop command must
  // too (Stop itself keeps the history, so that a run that ended can be
  // stepped back into). A discarded program's history forgets itself.
  void ClearHistory();
  // Whether a step back is possible now: a paused or ended run with history.
  bool CanStepBack() const;
  // Steps back by a block, an instruction or a micro step: the state is as
  // it was then, the run paused. Fires the state code 2 (paused),
  // OnVariableChange with -1 and OnStep with kStepBack. False, with nothing
  // done, when there is no history to go back to.
  bool StepBack(StepSize size);
  // How many steps back the history reaches from here.
  uint64_t HistoryReach() const;
  // The reads and writes the run had made at its present position.
  uint64_t Exchanges() const;
  // Something outside the steps changed the state (a console line): the
  // history takes a copy before the next step, so that re-executing from an
  // earlier copy does not lose the change.
  void NoteOutsideChange();
  // Set while the breakpoint test evaluates conditions, which change nothing.
  uint8_t InBreakpointTest = 0;

  // ---- compilation (compilation.cpp, linking.cpp, resolution.cpp) ----
  // Compiles blocks 0..highest_block of `bloki` with the enabled entries among
  // 0..highest_extension of `extensions`; `breakpoints` stays shared. True
  // when no error was recorded; warnings do not count.
  bool Compile(const std::vector<Tobj>& bloki, int32_t highest_block, int32_t highest_extension,
               const std::vector<TPlugInEntry>& extensions, TBreakPointArray& breakpoints);
  // Discards the compiled program; the extensions it used get their end hook.
  void Clear();
  bool IsEmpty() const { return Variables.empty() && Instructions.empty(); }
  void ClearInstructions();
  // The resolution pass: fresh Empty variables, literals and names bound.
  void Resolve();
  // The lowest instruction of block `block`, or -1.
  int32_t FirstInstructionOfBlock(int32_t block) const;
  // The first instruction of `block` at `line`, or -1.
  int32_t InstructionAt(int32_t block, int32_t line) const;
  // The text range of a block line: start column and length; (-1, 0) when
  // the line has no instruction.
  std::pair<int32_t, int32_t> LineRange(int32_t block, int32_t line) const;

  // ---- execution (runtime/execution.cpp, runtime/expression_evaluation.cpp) ----
  // One micro step; false when no step is left or the step failed.
  bool ExecuteStep(Trozkaz& instruction);
  void ResetInstruction(Trozkaz& instruction);
  void ExecuteInstruction(Trozkaz& instruction);
  // The steps of `instruction` from StepIndex on, as ExecuteInstruction runs
  // them, without resetting it first: an instruction that micro steps began.
  void ExecuteRemainingSteps(Trozkaz& instruction);
  // The value of operand `node` as its parent sees it; increments apply here.
  TValue FetchOperand(Trozkaz& instruction, TwrTree* node, TwrTree* parent);
  // Evaluates a free expression (a breakpoint condition, a console line) in
  // evaluation mode: errors are collected as text, never listed.
  TEvaluation EvaluateExpression(const std::string& text, bool allow_new_variables);

  // ---- run state (runtime/run_control.cpp, runtime/breakpoint_test.cpp) ----
  bool IsFinished() const { return Current >= static_cast<int32_t>(Instructions.size()); }
  bool HasInstruction(int32_t index) const {
    return index >= 0 && static_cast<size_t>(index) < Instructions.size();
  }
  void PrepareRun();
  // Runs from Current until the end, a pause, a stop or a breakpoint; true
  // when the program reached its end.
  bool Run();
  void Pause();
  void Advance();
  // Advance for `instruction`, the current one, when its successor is known
  // without fetching a value: any instruction but a condition, and a
  // condition whose root already holds its truth value. False, with nothing
  // done, when Advance must fetch the value. Inline: a continuous run moves
  // on this way at every instruction.
  bool AdvanceWithoutFetch(const Trozkaz& instruction) {
    int32_t next = instruction.Next;
    if (instruction.Kind == Warunek) {
      const TValue* known = instruction.Fast.Condition ? &instruction.Tree->NodeValue : nullptr;
      if (!known || known->Kind() != ValueKind::Boolean) return false;
      if (known->AsBoolean()) next = instruction.NextTrue;
    }
    Current = next < 0 ? kNoInstruction : next;
    return true;
  }
  bool InstructionStep();
  bool BlockStep();
  bool MicroStep();
  void ClearSelections() {
    SelectedError = SelectedWarning = SelectedInstruction = -1;
    MarkActive = 0;
  }
  // The breakpoint test before instruction Current; true when the run is to be suspended.
  bool TestBreakpoints();
  // Whether a breakpoint, enabled or not, stands at the line of `instruction`.
  bool HasBreakpointAt(const Trozkaz& instruction) const;
  bool HasBreakpoints() const {
    const TBreakPointArray* list = ActiveBreakpoints();
    return list && !list->empty();
  }
  // The list the breakpoint test reads, or nullptr.
  TBreakPointArray* ActiveBreakpoints() const { return BreakpointSource ? BreakpointSource() : Breakpoints; }

  // Records an error for instruction `index` (-1: none). In evaluation mode
  // the text is collected in EvalErrorText instead. An index that names no
  // instruction is not recorded.
  void AddError(const std::string& text, int32_t index);
  void AddWarning(const std::string& text, int32_t index);
  // A run-time error: recorded for the current instruction, then the run stops.
  void AddRunTimeError(const std::string& text);

  void ClearErrors() { Errors.clear(); }
  void ClearWarnings() { Warnings.clear(); }

  // Ends a run: a running loop is asked to stop, otherwise code 0 is fired
  // at once; the current instruction is left and no instruction is current.
  void Stop();

  // Whether the round parentheses of `text` balance: never more ")" than "("
  // so far, and as many of each at the end. Apostrophes do not protect them.
  static bool CheckParentheses(std::string_view text);

  void FireStateChange(uint8_t code);
  // Inline, like FireStep: assignments fire it at every store.
  void FireVariableChange(int32_t variable) {
    if (OnVariableChange) OnVariableChange(*this, variable);
  }
  // Inline: a continuous run fires it at every instruction.
  void FireStep(uint8_t code) {
    if (OnStep) OnStep(*this, code);
  }
};

}  // namespace tessaro
