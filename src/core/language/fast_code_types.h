// The flat form of an instruction for continuous runs: the data an
// instruction and the compiler object carry. The run time builds and runs it
// (core/runtime/fast_code.h says how).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/language/value.h"

namespace tessaro {

class TInstancjaZmiennej;
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

}  // namespace tessaro
