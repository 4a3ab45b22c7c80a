// The run-state operations: preparing, running, pausing, stepping. Every
// operation looks at Current again after each event it fires, because a
// handler may have stopped the run or discarded the program meanwhile.
#include "core/i18n/language.h"
#include "core/language/compiler.h"
#include "core/runtime/fault.h"
#include "core/runtime/value_ops.h"

namespace tessaro {

namespace {

bool IsInstruction(const TKompilatorTS& c, int32_t index) {
  return index >= 0 && index < static_cast<int32_t>(c.Instructions.size());
}

}  // namespace

void TKompilatorTS::ClearSelections() {
  SelectedError = SelectedWarning = SelectedInstruction = -1;
  MarkActive = 0;
}

void TKompilatorTS::PrepareRun() {
  ClearSelections();
  Stop();
  Current = 0;
  for (Trozkaz& instruction : Instructions) ResetInstruction(instruction);
  // Resolution adds its warnings again; the ones of the compilation would
  // otherwise stand twice.
  ClearWarnings();
  Resolve();
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

void TKompilatorTS::Advance() {
  if (!IsInstruction(*this, Current)) return;
  Trozkaz& instruction = Instructions[static_cast<size_t>(Current)];
  if (instruction.Kind == Warunek) {
    bool holds = false;
    const uint32_t generation = ProgramGeneration;
    try {
      holds = ToBoolean(FetchOperand(instruction, instruction.Tree.get(), nullptr));
    } catch (const RuntimeFault&) {
      // A condition without a truth value is the pupil's error, like any other.
      if (generation == ProgramGeneration) AddRunTimeError(LangText("msgcmp000048"));
      return;
    }
    // `instruction` is gone when a handler discarded the program.
    if (generation != ProgramGeneration || !IsInstruction(*this, Current)) return;
    Current = holds ? instruction.NextTrue : instruction.Next;
  } else {
    Current = instruction.Next;
  }
  if (Current < 0) Current = kNoInstruction;
}

bool TKompilatorTS::InstructionStep() {
  ClearSelections();
  bool result = true;
  if (!IsInstruction(*this, Current)) return false;
  ExecuteInstruction(Instructions[static_cast<size_t>(Current)]);
  if (IsInstruction(*this, Current)) Advance();
  FireStep(0);
  if (Current > 0 && IsInstruction(*this, Current) && HasBreakpoints() &&
      TestBreakpoints()) {
    BreakpointHit = 1;
    result = false;
  }
  return result;
}

bool TKompilatorTS::Run() {
  ClearSelections();
  Running = 1;
  FireStateChange(kStateRunning);
  BreakpointHit = 0;
  while (Running && InstructionStep()) {
  }
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
  if (!IsInstruction(*this, Current)) {
    Stop();
    return false;
  }
  Running = 1;
  const int32_t block = Instructions[static_cast<size_t>(Current)].BlockIndex;
  for (;;) {
    if (!IsInstruction(*this, Current) ||
        Instructions[static_cast<size_t>(Current)].BlockIndex != block) {
      Running = 0;
      return true;
    }
    if (!InstructionStep()) break;  // a breakpoint fired
  }
  Running = 0;
  return false;
}

bool TKompilatorTS::MicroStep() {
  ClearSelections();
  if (!IsInstruction(*this, Current)) {
    FireStep(1);
    return false;
  }
  if (ExecuteStep(Instructions[static_cast<size_t>(Current)])) {
    FireStep(1);
    return true;
  }
  if (!IsInstruction(*this, Current)) {
    FireStep(1);
    return false;
  }
  const int32_t left = Current;
  Advance();
  if (IsInstruction(*this, left)) ResetInstruction(Instructions[static_cast<size_t>(left)]);
  bool result = false;
  if (IsInstruction(*this, Current)) {
    ResetInstruction(Instructions[static_cast<size_t>(Current)]);
    result = true;
  }
  FireStep(1);
  return result;
}

}  // namespace tessaro
