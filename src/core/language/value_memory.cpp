#include "core/language/value_memory.h"

#include <algorithm>
#include <string>

#include "core/i18n/language.h"
#include "core/language/message_format.h"
#include "core/language/fault.h"

namespace tessaro {

namespace {

thread_local int64_t g_bytes_in_use = 0;
thread_local int64_t g_budget_mb = kDefaultMemoryBudgetMB;

// Texts are never longer than this whatever the budget: lengths are 32-bit
// numbers in the block language.
constexpr int64_t kLongestTextEver = int64_t{1} << 30;

[[noreturn]] void Exceeded(const char* message_id, int64_t limit) {
  throw RuntimeFault(FaultKind::MemoryBudget,
                     FormatText(LangText(message_id), {std::to_string(limit), std::to_string(g_budget_mb)}));
}

}  // namespace

int64_t ValueBytesInUse() { return g_bytes_in_use; }
void CountValueBytes(int64_t bytes) { g_bytes_in_use += bytes; }

void SetMemoryBudgetMB(int64_t megabytes) {
  g_budget_mb = std::clamp(megabytes, kMinMemoryBudgetMB, kMaxMemoryBudgetMB);
}
int64_t MemoryBudgetMB() { return g_budget_mb; }
int64_t MemoryBudgetBytes() { return g_budget_mb << 20; }
int64_t MaxTextLength() { return std::min(MemoryBudgetBytes() / 4, kLongestTextEver); }

void CheckTextGrowth(size_t length) {
  const int64_t longest = MaxTextLength();
  const int64_t room = std::max<int64_t>(0, MemoryBudgetBytes() - g_bytes_in_use);
  if (length > static_cast<uint64_t>(std::min(longest, room))) {
    Exceeded("msgcmp000058", std::min(longest, room));
  }
}

void CheckCellGrowth(int64_t added_bytes, int64_t cells_now, int64_t cell_bytes) {
  if (g_bytes_in_use + added_bytes <= MemoryBudgetBytes()) return;
  // The cells there are now and the ones the budget still holds.
  const int64_t room = std::max<int64_t>(0, MemoryBudgetBytes() - g_bytes_in_use);
  Exceeded("msgcmp000059", cells_now + room / cell_bytes);
}

}  // namespace tessaro
