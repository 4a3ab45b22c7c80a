// The breakpoint test before each instruction of a run.
#include <cstdint>

#include "core/i18n/language.h"
#include "core/language/breakpoint_condition.h"
#include "core/language/compiler.h"
#include "core/runtime/fault.h"
#include "core/runtime/value_ops.h"

namespace tessaro {

namespace {

// A condition that would change the program (a statement, an assignment) is
// never run: such a breakpoint does not fire.
bool ConditionHolds(TKompilatorTS& compiler, const std::string& condition, int32_t at) {
  if (!BreakpointConditionFault(condition).empty()) return false;
  const TEvaluation evaluation = compiler.EvaluateExpression(condition, false);
  try {
    return ToBoolean(evaluation.Value);
  } catch (const RuntimeFault&) {
    // A condition without a truth value stops the run like a run-time
    // error of the instruction it guards. When its evaluation failed,
    // that already stopped the run: the error is only recorded then.
    if (compiler.Current == at) {
      compiler.AddRunTimeError(LangText("msgcmp000048"));
    } else {
      compiler.AddError(LangText("msgcmp000048"), at);
    }
    return false;
  }
}

}  // namespace

bool TKompilatorTS::TestBreakpoints() {
  if (!ActiveBreakpoints() || Current < 0 || Current >= static_cast<int32_t>(Instructions.size())) return false;
  const int32_t at = Current;
  const int32_t block = Instructions[static_cast<size_t>(at)].BlockIndex;
  const int32_t line = Instructions[static_cast<size_t>(at)].Line;
  bool suspend = false;
  // The conditions' evaluations are part of the step, not changes from outside.
  struct TestScope {
    uint8_t& flag;
    explicit TestScope(uint8_t& f) : flag(f) { flag = 1; }
    ~TestScope() { flag = 0; }
  } scope(InBreakpointTest);
  // Every matching breakpoint is processed, also after one has fired. The
  // list is looked up again for each one: a condition's evaluation fires
  // events whose handlers may change it.
  for (size_t k = 0;; ++k) {
    TBreakPointArray* list = ActiveBreakpoints();
    if (!list || k >= list->size()) break;
    const TBreakPoint bp = (*list)[k];
    if (!bp.Enabled || bp.Block != block || bp.Line != line) continue;
    if (!bp.SkipSameLine || bp.Block != LastBreakBlock || bp.Line != LastBreakLine) {
      if (ConditionHolds(*this, bp.Condition, at)) {
        // The count is taken after the condition: a hit count of n stops at
        // the n-th time the condition held, and every time after.
        int32_t hits = bp.Hits;
        if (hits < INT32_MAX) ++hits;
        TBreakPointArray* now = ActiveBreakpoints();
        if (now && k < now->size()) (*now)[k].Hits = hits;
        if (hits >= bp.HitCount) {
          BreakpointHit = 1;
          suspend = true;
        }
      }
    }
    LastBreakBlock = bp.Block;
    LastBreakLine = bp.Line;
  }
  return suspend;
}

bool TKompilatorTS::HasBreakpointAt(const Trozkaz& instruction) const {
  const TBreakPointArray* list = ActiveBreakpoints();
  if (!list) return false;
  for (const TBreakPoint& bp : *list) {
    if (bp.Block == instruction.BlockIndex && bp.Line == instruction.Line) return true;
  }
  return false;
}

}  // namespace tessaro
