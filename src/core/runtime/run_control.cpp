// The run-state operations: preparing, running, pausing, stepping. Every
// operation looks at Current again after each event it fires, because a
// handler may have stopped the run or discarded the program meanwhile.
#include "core/i18n/language.h"
#include "core/language/compiler.h"
#include "core/language/fault.h"
#include "core/runtime/fast_code.h"
#include "core/runtime/instruction_end.h"
#include "core/runtime/run_control.h"
#include "core/runtime/value_ops.h"

namespace tessaro {

void TKompilatorTS::PrepareRun() {
  ClearSelections();
  StepPosition = 0;
  ClearHistory();
  Stop();
  Current = 0;
  for (Trozkaz& instruction : Instructions) ResetInstruction(instruction);
  // Resolution adds its warnings again; the ones of the compilation would
  // otherwise stand twice.
  ClearWarnings();
  Resolve();
  for (Trozkaz& instruction : Instructions) BuildFastCode(*this, instruction);
  FastCells.Valid = false;
  if (!Errors.empty()) Stop();
  FireStateChange(kStatePrepared);
}

void TKompilatorTS::Pause() {
  if (Running) {
    Running = 0;
    StopRequest = kPauseRequested;
  } else {
    FireStateChange(kStatePaused);
  }
}

namespace {

// A condition's successor when its value must be fetched through the walk:
// a fetch may fail or fire events.
void AdvanceByFetchedCondition(TKompilatorTS& c, Trozkaz& instruction) {
  bool holds = false;
  const uint32_t generation = c.ProgramGeneration;
  try {
    holds = ToBoolean(c.FetchOperand(instruction, instruction.Tree.get(), nullptr));
  } catch (const RuntimeFault& fault) {
    // A condition without a truth value is the pupil's error, like any other.
    if (generation == c.ProgramGeneration)
      c.AddRunTimeError(fault.HasOwnText() ? FaultMessage(fault) : LangText("msgcmp000048"));
    return;
  }
  // `instruction` is gone when a handler discarded the program.
  if (generation != c.ProgramGeneration || !c.HasInstruction(c.Current)) return;
  c.Current = holds ? instruction.NextTrue : instruction.Next;
  if (c.Current < 0) c.Current = kNoInstruction;
}

}  // namespace

void RestartCurrentWalk(TKompilatorTS& c) {
  if (!c.HasInstruction(c.Current)) return;
  Trozkaz& instruction = c.Instructions[static_cast<size_t>(c.Current)];
  if (instruction.StepIndex != 0) c.ResetInstruction(instruction);
}

void TKompilatorTS::Advance() {
  if (!HasInstruction(Current)) return;
  Trozkaz& instruction = Instructions[static_cast<size_t>(Current)];
  if (!AdvanceWithoutFetch(instruction)) AdvanceByFetchedCondition(*this, instruction);
}

bool TKompilatorTS::InstructionStep() {
  ClearSelections();
  if (!HasInstruction(Current)) return false;
  BreakpointWatch breakpoints(*this, true);
  BeginStep();
  const int32_t current = Current;
  const uint32_t generation = ProgramGeneration;
  Trozkaz& instruction = Instructions[static_cast<size_t>(current)];
  if (instruction.StepIndex != 0) {
    // Micro steps began it: the rest of its steps finish it, and what they
    // did (an increment, a call) is not done a second time.
    ExecuteRemainingSteps(instruction);
  } else {
    // The flat form gives way to the walk at a breakpoint's line, so that
    // whatever a stop there shows was built the one way.
    const bool walk = !instruction.Fast.Ready || (breakpoints.Set() && HasBreakpointAt(instruction));
    if (walk || !RunFastCode(*this, instruction)) ExecuteInstruction(instruction);
  }
  return !FinishInstruction(*this, instruction, current, generation, breakpoints);
}

bool TKompilatorTS::Run() {
  ClearSelections();
  Running = 1;
  FireStateChange(kStateRunning);
  BreakpointHit = 0;
  while (Running) {
    const TFastStepResult stretch = RunStretch(*this);
    if (stretch == kFastStepHalted) break;
    if (stretch == kFastStepDeclined && !InstructionStep()) break;
  }
  RestartCurrentWalk(*this);
  if (BreakpointHit) {
    FireStateChange(kStateBreakpoint);
    return false;
  }
  if (Running) {
    // The last step found no current instruction: the program ended.
    Running = 0;
    Stop();
    return true;
  }
  if (StopRequest == kPauseRequested) {
    FireStateChange(kStatePaused);
  } else if (StopRequest == kStopRequested) {
    FireStateChange(kStateStopped);
  }
  StopRequest = kNoStopRequest;
  return false;
}

bool TKompilatorTS::BlockStep() {
  ClearSelections();
  if (!HasInstruction(Current)) {
    Stop();
    return false;
  }
  Running = 1;
  const int32_t block = Instructions[static_cast<size_t>(Current)].BlockIndex;
  for (;;) {
    if (!HasInstruction(Current) ||
        Instructions[static_cast<size_t>(Current)].BlockIndex != block) {
      Running = 0;
      RestartCurrentWalk(*this);
      return true;
    }
    if (!InstructionStep()) break;  // a breakpoint fired
  }
  Running = 0;
  RestartCurrentWalk(*this);
  return false;
}

bool TKompilatorTS::MicroStep() {
  ClearSelections();
  if (!HasInstruction(Current)) {
    FireStep(1);
    return false;
  }
  BeginMicroStep();
  const int32_t left = Current;
  const uint32_t generation = ProgramGeneration;
  Trozkaz& instruction = Instructions[static_cast<size_t>(left)];
  // Its first step: what an earlier visit computed must not be taken for
  // this one's (elements and calls keep a value once computed).
  if (instruction.StepIndex == 0) ResetInstruction(instruction);
  if (ExecuteStep(instruction)) {
    FireStep(1);
    return true;
  }
  if (!HasInstruction(Current)) {
    FireStep(1);
    return false;
  }
  MoveOn(*this, instruction, left, generation);
  if (generation == ProgramGeneration && HasInstruction(left)) ResetInstruction(instruction);
  bool result = false;
  if (HasInstruction(Current)) {
    ResetInstruction(Instructions[static_cast<size_t>(Current)]);
    result = true;
  }
  FireStep(1);
  return result;
}

}  // namespace tessaro
