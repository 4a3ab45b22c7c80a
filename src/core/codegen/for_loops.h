// Recognising counting loops in the structured tree.
//
// «i := a; while i <= b do { ...; i := i + 1 }» becomes a for loop when the
// pattern is certain: the start is the statement just before the loop, the
// test compares the counter, the last statement of the body adds or takes a
// constant, nothing else in the body writes the counter and no continue
// would skip the step.
#pragma once

#include "core/codegen/code_tree.h"
#include "core/runtime/value_ops.h"

namespace tessaro {
class TKompilatorTS;
struct TwrTree;
}

namespace tessaro::codegen {

void RecogniseForLoops(const TKompilatorTS& program, CodeTree& tree);

// A for loop's test with the counter on the left: «counter Op Bound».
struct CounterTest {
  BinaryOp Op = BinaryOp::None;
  const TwrTree* Bound = nullptr;
};

// Condition `cond` read as a test of `counter` with the counter on the left
// and the negation folded in; Op is None when it is no such test.
CounterTest ReadCounterTest(const TKompilatorTS& program, const Condition& cond, int32_t counter);

// Whether `bound` has the same value at every test of for loop `loop`: it
// is made of literals and of variables that nothing in the loop writes.
bool BoundIsInvariant(const TKompilatorTS& program, const Stmt& loop, const TwrTree* bound);

}  // namespace tessaro::codegen
