// What the run-state operations (run_control.cpp) share with the history.
#pragma once

namespace tessaro {

class TKompilatorTS;

// An instruction executed whole keeps its walk at the end; when the run
// comes back to it, a micro step would find nothing left to do and pass it
// over. So wherever a run stops for the user after anything but a micro
// step, the instruction it stops at starts its walk again. Only there: the
// walk restarts anyway when an instruction is executed whole, so a
// continuous run need not pay twice.
void RestartCurrentWalk(TKompilatorTS& compiler);

}  // namespace tessaro
