// The breakpoint test before each instruction of a run.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/i18n/language.h"
#include "core/language/breakpoint_condition.h"
#include "core/language/compiler.h"
#include "core/language/message_format.h"
#include "core/language/fault.h"
#include "core/runtime/value_ops.h"

namespace tessaro {

namespace {

// The errors an evaluation collected, without the error label each carries
// (the error list puts its own in front), joined by "; ".
std::string CollectedErrors(const std::string& collected) {
  const std::string label = LangText("msgcmp000001") + ": ";
  std::string joined;
  size_t start = 0;
  while (start <= collected.size()) {
    size_t end = collected.find('\r', start);
    if (end == std::string::npos) end = collected.size();
    std::string_view part(collected.data() + start, end - start);
    if (part.substr(0, label.size()) == label) part.remove_prefix(label.size());
    if (!part.empty()) {
      if (!joined.empty()) joined += "; ";
      joined += part;
    }
    start = end + 1;
  }
  return joined;
}

// A condition that would change the program (a statement, an assignment) is
// never run: such a breakpoint does not fire.
bool ConditionHolds(TKompilatorTS& compiler, const TBreakPoint& bp) {
  if (!BreakpointConditionFault(bp.Condition).empty()) return false;
  // A run-time error inside the condition must not stop the run by itself:
  // the stop below names the breakpoint.
  const uint8_t keeps_run = compiler.EvalKeepsRun;
  compiler.EvalKeepsRun = 1;
  const TEvaluation evaluation = compiler.EvaluateExpression(bp.Condition, false);
  compiler.EvalKeepsRun = keeps_run;
  std::string error = CollectedErrors(evaluation.ErrorText);
  if (error.empty()) {
    try {
      return ToBoolean(evaluation.Value);
    } catch (const RuntimeFault& fault) {
      error = FaultMessage(fault.Kind());
    }
  }
  // A condition that cannot be evaluated, or has no truth value, stops the
  // run like a run-time error of the instruction it guards, with a message
  // that names the breakpoint and gives the condition's own error.
  compiler.AddRunTimeError(FormatText(LangText("msgcmp000055"), {std::to_string(bp.Block), std::to_string(bp.Line),
                                                                bp.Condition, error}));
  return false;
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
      if (ConditionHolds(*this, bp)) {
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
    // A condition that failed stopped the run: nothing is left to test.
    if (Current != at) return false;
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
