#include "allocation_probe.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<size_t> g_largest{0};

void Note(size_t size) {
  size_t seen = g_largest.load(std::memory_order_relaxed);
  while (size > seen && !g_largest.compare_exchange_weak(seen, size, std::memory_order_relaxed)) {
  }
}

}  // namespace

namespace tessaro::test {

void ResetLargestAllocation() { g_largest = 0; }
size_t LargestAllocation() { return g_largest; }

}  // namespace tessaro::test

// The replaceable forms that plain new and delete go through; the array and
// nothrow forms forward to these.
void* operator new(size_t size) {
  Note(size);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
