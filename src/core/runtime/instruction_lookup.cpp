// Instruction lookups for the editor's hover hint and the views.
#include "core/language/compiler.h"

namespace tessaro {

int32_t TKompilatorTS::InstructionAt(int32_t block, int32_t line) const {
  for (int32_t i = 0; i < static_cast<int32_t>(Instructions.size()); ++i) {
    const Trozkaz& ins = Instructions[static_cast<size_t>(i)];
    if (ins.BlockIndex == block && ins.Line == line) return i;
  }
  return -1;
}

std::pair<int32_t, int32_t> TKompilatorTS::LineRange(int32_t block, int32_t line) const {
  const Trozkaz* first = nullptr;
  const Trozkaz* last = nullptr;
  for (const Trozkaz& ins : Instructions) {
    if (ins.BlockIndex != block || ins.Line != line) continue;
    if (!first) first = &ins;
    last = &ins;
  }
  if (!first) return {-1, 0};
  return {first->Column, last->Column + last->Length - first->Column + 1};
}

}  // namespace tessaro
