#include "core/platform/bulk_memory.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace tessaro {

void PrepareBulkMemory(void* begin, size_t bytes) {
#if defined(__linux__)
  constexpr size_t kSmallest = size_t{1} << 20;
  if (!begin || bytes < kSmallest) return;
  const long page_size = sysconf(_SC_PAGESIZE);
  if (page_size <= 0) return;
  const auto page = static_cast<uintptr_t>(page_size);
  // madvise takes whole pages: only the pages that lie inside the block.
  const uintptr_t first = (reinterpret_cast<uintptr_t>(begin) + page - 1) & ~(page - 1);
  const uintptr_t end = (reinterpret_cast<uintptr_t>(begin) + bytes) & ~(page - 1);
  if (end <= first) return;
  void* const start = reinterpret_cast<void*>(first);
  const size_t length = end - first;
#if defined(MADV_HUGEPAGE)
  madvise(start, length, MADV_HUGEPAGE);
#endif
#if defined(MADV_POPULATE_WRITE)
  madvise(start, length, MADV_POPULATE_WRITE);
#endif
#else
  (void)begin;
  (void)bytes;
#endif
}

}  // namespace tessaro
