// The compiler object: the compiled program and the run-time state in one.
//
// One instance lives for the whole program. It holds the variable store, the
// instruction list, the error and warning lists and the run flags, and talks
// to its owner through events. The compilation itself and the run-state
// operations build on the fields declared here.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

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

// One compiled instruction, with the fields that need no statement tree.
struct Trozkaz {
  int32_t StepIndex = 0;
  int32_t Next = 0;      // successor; for a condition the false successor
  int32_t NextTrue = 0;  // a condition's true successor
  std::string Text;
  int32_t Kind = 0;        // kind of the source block
  int32_t BlockIndex = 0;  // index of the source block
  int32_t Line = 1;        // 1-based line within the block text
  int32_t Column = 1;      // 1-based first character, line feeds removed
  int32_t Length = 0;
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

class TKompilatorTS {
 public:
  // Events receive the sender first; an unassigned event does nothing.
  using ByteEvent = std::function<void(TKompilatorTS& sender, uint8_t code)>;
  using VariableEvent = std::function<void(TKompilatorTS& sender, int32_t variable)>;

  TKompilatorTS();
  TKompilatorTS(const TKompilatorTS&) = delete;
  TKompilatorTS& operator=(const TKompilatorTS&) = delete;

  ByteEvent OnStateChange;
  VariableEvent OnVariableChange;  // -1: the whole list changed
  ByteEvent OnStep;

  int32_t ResolvingIndex = 0;  // instruction being resolved
  uint8_t BreakpointHit = 0;
  std::vector<Tzmienna> Variables;  // position = variable index
  TInstancjaZmiennej NullInstance;  // handed out by element access after an index error
  std::vector<Trozkaz> Instructions;
  std::vector<TBlad> Errors;
  std::vector<TOstrzezenie> Warnings;
  std::string EvalErrorText;
  uint8_t EvalMode = 0;  // when set, errors and warnings are collected as text
  std::vector<int32_t> IndexValues;
  int32_t Current = kNoInstruction;  // program counter
  uint8_t DynamicArrays = 1;         // arrays grow on access
  uint8_t StructFlag = 1;
  uint8_t CaseSensitive = 1;         // variable names compared exactly
  uint8_t AllowNewVariables = 1;     // resolution may create variables
  uint8_t Running = 0;
  uint8_t StopRequest = kNoStopRequest;

  // The variable store's bookkeeping, kept by the operations of variables.h:
  // the variables of each upper-cased name in list order, the number of
  // cells all variables hold, and the most they may hold.
  std::unordered_map<std::string, std::vector<int32_t>> VariablesByName;
  int64_t CellCount = 0;
  int64_t CellLimit = kMaxCells;

  bool HasErrors() const { return !Errors.empty(); }

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
  void FireVariableChange(int32_t variable);
  void FireStep(uint8_t code);
};

}  // namespace tessaro
