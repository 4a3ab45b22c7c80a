// What follows the steps of every instruction, written once for the
// continuous run's loop (fast_code.cpp) and the single steps
// (run_control.cpp): moving on, the step event and the breakpoint test.
// Inline: the continuous run goes through here at every instruction.
#pragma once

#include <cstdint>

#include "core/language/compiler.h"

namespace tessaro {

// Whether any breakpoint is set, as the instruction steps ask it. A single
// step asks every time; a continuous run asks a host's source again only
// after the host's handlers have let the window work (HostWorkCount), where
// breakpoints may have been set or another document chosen.
class BreakpointWatch {
 public:
  BreakpointWatch(const TKompilatorTS& c, bool every_time)
      : set_(c.HasBreakpoints()), every_time_(every_time), host_work_(c.HostWorkCount) {}

  bool Set() const { return set_; }

  void Refresh(const TKompilatorTS& c) {
    if (every_time_ || !c.BreakpointSource || c.HostWorkCount != host_work_) {
      set_ = c.HasBreakpoints();
      host_work_ = c.HostWorkCount;
    }
  }

 private:
  bool set_;
  bool every_time_;
  uint32_t host_work_;
};

// Moves Current past `instruction` (instruction `current` of program
// `generation`), whose steps have all run, and leaves it idle: its next visit
// begins at its first step, whichever kind of step comes there. When a
// handler stopped the run, moved on or discarded the program meanwhile, the
// general way looks at everything again.
inline void MoveOn(TKompilatorTS& c, Trozkaz& instruction, int32_t current, uint32_t generation) {
  if (generation != c.ProgramGeneration || c.Current != current) {
    if (c.HasInstruction(c.Current)) c.Advance();
    return;
  }
  if (c.AdvanceWithoutFetch(instruction)) {
    instruction.StepIndex = 0;
    return;
  }
  // A condition whose root must be fetched: that may fire events.
  c.Advance();
  if (generation == c.ProgramGeneration) instruction.StepIndex = 0;
}

// The end of an instruction step: moving on, the step event, then the
// breakpoint test of the instruction about to run (never the first). True
// when a breakpoint suspends the run; BreakpointHit is then set.
inline bool FinishInstruction(TKompilatorTS& c, Trozkaz& instruction, int32_t current, uint32_t generation,
                              BreakpointWatch& breakpoints) {
  MoveOn(c, instruction, current, generation);
  c.FireStep(0);
  breakpoints.Refresh(c);
  if (breakpoints.Set() && c.Current > 0 && c.HasInstruction(c.Current) && c.TestBreakpoints()) {
    c.BreakpointHit = 1;
    return true;
  }
  return false;
}

}  // namespace tessaro
