// Watches the sizes of heap allocations made by this test program, so a
// test can show that a reader did not reserve room for a claimed count.
#pragma once

#include <cstddef>

namespace tessaro::test {

// Starts watching; LargestAllocation() reports the largest request since.
void ResetLargestAllocation();
size_t LargestAllocation();

}  // namespace tessaro::test
