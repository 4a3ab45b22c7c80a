// The flat form of an instruction for continuous runs.
//
// The micro-step walk visits every node of an instruction's tree, decides
// what each does and fetches operands through the general paths. For the
// commonest instructions (assignments and conditions over numbers, texts,
// variables and array elements) the same work is written once, when the run
// is prepared, as a short list of operations over resolved variables and the
// nodes' value fields. Running the list leaves the tree, the variables and
// the events exactly as the walk would; whenever it meets anything else (a
// kind it does not handle, a missing element, a fault) it gives up before it
// has changed anything but the nodes' values, and the walk runs the
// instruction instead.
#pragma once

#include <cstdint>

#include "core/language/fast_code_types.h"

namespace tessaro {

class TKompilatorTS;
struct Trozkaz;

// Fills instruction.Fast from its resolved tree.
void BuildFastCode(const TKompilatorTS& compiler, Trozkaz& instruction);

// Runs a Ready instruction from its operations, as ExecuteInstruction would.
// False, with nothing observable done, when the walk must run it instead.
bool RunFastCode(TKompilatorTS& compiler, Trozkaz& instruction);

// How RunStretch ended.
enum TFastStepResult : uint8_t {
  kFastStepDone,      // the run was stopped or paused
  kFastStepHalted,    // a breakpoint suspends the run
  kFastStepDeclined,  // the current instruction, untouched, needs InstructionStep
};

// Runs Ready instructions one after another, each exactly as InstructionStep
// would, while no breakpoint is set: the loop of Run without its general
// checks, calls and lookups.
TFastStepResult RunStretch(TKompilatorTS& compiler);

}  // namespace tessaro
