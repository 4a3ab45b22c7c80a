// The breakpoint test before each instruction of a run.
#include "core/i18n/language.h"
#include "core/language/compiler.h"
#include "core/runtime/fault.h"
#include "core/runtime/value_ops.h"

namespace tessaro {

bool TKompilatorTS::TestBreakpoints() {
  if (!Breakpoints || Current < 0 || Current >= static_cast<int32_t>(Instructions.size())) return false;
  const int32_t at = Current;
  const int32_t block = Instructions[static_cast<size_t>(at)].BlockIndex;
  const int32_t line = Instructions[static_cast<size_t>(at)].Line;
  bool suspend = false;
  // Every matching breakpoint is processed, also after one has fired. The
  // list is read by position each time: a condition's evaluation fires
  // events whose handlers may change it.
  for (size_t k = 0; Breakpoints && k < Breakpoints->size(); ++k) {
    const TBreakPoint bp = (*Breakpoints)[k];
    if (!bp.Enabled || bp.Block != block || bp.Line != line) continue;
    if (!bp.SkipSameLine || bp.Block != LastBreakBlock || bp.Line != LastBreakLine) {
      const TEvaluation evaluation = EvaluateExpression(bp.Condition, false);
      bool holds = false;
      try {
        holds = ToBoolean(evaluation.Value);
      } catch (const RuntimeFault&) {
        // A condition without a truth value stops the run like a run-time
        // error of the instruction it guards. When its evaluation failed,
        // that already stopped the run: the error is only recorded then.
        if (Current == at) {
          AddRunTimeError(LangText("msgcmp000048"));
        } else {
          AddError(LangText("msgcmp000048"), at);
        }
      }
      if (holds) {
        BreakpointHit = 1;
        suspend = true;
      }
    }
    LastBreakBlock = bp.Block;
    LastBreakLine = bp.Line;
  }
  return suspend;
}

bool TKompilatorTS::HasBreakpointAt(const Trozkaz& instruction) const {
  if (!Breakpoints) return false;
  for (const TBreakPoint& bp : *Breakpoints) {
    if (bp.Block == instruction.BlockIndex && bp.Line == instruction.Line) return true;
  }
  return false;
}

}  // namespace tessaro
