// The memory budget of a pupil's program.
//
// Texts and variable cells are counted where they are made and freed (the
// text blocks of TValue, the children lists of TInstancjaZmiennej), per
// thread, since values belong to the thread that runs the program. Only
// the operations that grow a value ask the budget: a concatenation, a text
// built-in, the growth of an array. A run that would exceed it stops with a
// run-time error that says which value grew too large; every other
// instruction pays nothing.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tessaro {

inline constexpr int64_t kDefaultMemoryBudgetMB = 256;
inline constexpr int64_t kMinMemoryBudgetMB = 16;
inline constexpr int64_t kMaxMemoryBudgetMB = 65536;

// Bytes the texts and cells of all values on this thread hold now.
int64_t ValueBytesInUse();
// Called by the value types only: `bytes` more (or fewer, when negative).
void CountValueBytes(int64_t bytes);

// The budget for this thread's programs, in MB (clamped to the range above).
void SetMemoryBudgetMB(int64_t megabytes);
int64_t MemoryBudgetMB();
int64_t MemoryBudgetBytes();
// The longest text a program may build: a quarter of the budget, so that a
// text and its copy in the making stay well inside it.
int64_t MaxTextLength();

// Before a text of `length` characters is built: a RuntimeFault naming the
// limit when it is longer than MaxTextLength() or does not fit the budget.
void CheckTextGrowth(size_t length);
// Before a list of cells grows by `added_bytes` while the program's store
// holds `cells_now` cells of `cell_bytes` each: a RuntimeFault naming the
// most cells the budget holds when it cannot hold the growth.
void CheckCellGrowth(int64_t added_bytes, int64_t cells_now, int64_t cell_bytes);

}  // namespace tessaro
