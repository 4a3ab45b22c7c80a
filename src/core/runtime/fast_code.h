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
#include <vector>

#include "core/language/value.h"

namespace tessaro {

class TInstancjaZmiennej;
class TKompilatorTS;
struct Trozkaz;
struct TwrTree;

// Where an operation takes a value from: a variable's cell (Variable >= 0),
// else a value field (a literal leaf's or an inner node's NodeValue).
struct TFastOperand {
  const TValue* Value = nullptr;
  int32_t Variable = -1;
};

enum TFastOpKind : uint8_t {
  kFastBinary,         // Node = A op B
  kFastNegate,         // Node = not A
  kFastElement,        // Node = Variable[A] or Variable[A, B]
  kFastAssign,         // Variable := C (op: a compound assignment)
  kFastAssignElement,  // Variable[A] or Variable[A, B] := C; Target gets the old value
};

struct TFastOp;
struct TFastFrame;
// Runs one operation; false when the walk must run the instruction instead.
// Each kind of operation, operator and operand source has a runner of its
// own, picked when the operations are built, so running decides nothing the
// building already knew.
using TFastRun = bool (*)(TFastFrame& frame, const TFastOp& op);

struct TFastOp {
  TFastRun Run = nullptr;
  uint8_t Kind = kFastBinary;
  uint8_t Operation = 0;  // BinaryOp
  uint8_t Indexes = 0;    // element operations: 1 or 2
  int32_t Variable = -1;
  TwrTree* Node = nullptr;
  TwrTree* Target = nullptr;
  TFastOperand A, B, C;
};

// Where a variable's cells are, as the operations look them up: its own
// value cell (null while it has none) and its list of elements. Valid until
// TInstancjaZmiennej::LayoutChanges() moves on.
struct TFastCell {
  TValue* Scalar = nullptr;
  TInstancjaZmiennej* Elements = nullptr;
  size_t Count = 0;
};

struct TFastCells {
  std::vector<TFastCell> Cells;  // position = variable index
  uint64_t Layout = 0;
  bool Valid = false;
};

// What PrepareRun works out for each instruction.
struct TFastCode {
  std::vector<TFastOp> Ops;
  uint8_t Ready = 0;      // the instruction can run from Ops
  uint8_t Condition = 0;  // Advance may read the root's NodeValue directly
};

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
