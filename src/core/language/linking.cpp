// Linking: the exit instruction of every block jumps to the first
// instruction of the block its exits name.
#include <vector>

#include "core/i18n/language.h"
#include "core/language/compiler.h"

namespace tessaro {

namespace {

// The instructions of one block are consecutive, so one pass over the list
// finds each block's first and last instruction; linking stays linear in
// the size of the diagram.
struct BlockRange {
  int32_t first = -1;
  int32_t last = -1;
};

std::vector<BlockRange> IndexBlocks(const std::vector<Trozkaz>& instructions, int32_t block_count) {
  std::vector<BlockRange> ranges(static_cast<size_t>(block_count));
  for (int32_t i = 0; i < static_cast<int32_t>(instructions.size()); ++i) {
    const int32_t b = instructions[static_cast<size_t>(i)].BlockIndex;
    if (b < 0 || b >= block_count) continue;
    BlockRange& r = ranges[static_cast<size_t>(b)];
    if (r.first == -1) r.first = i;
    r.last = i;
  }
  return ranges;
}

// -1 for no link, a link to a note or to a block outside the array.
int32_t FirstOf(const std::vector<BlockRange>& ranges, int32_t block) {
  if (block < 0 || block >= static_cast<int32_t>(ranges.size())) return -1;
  return ranges[static_cast<size_t>(block)].first;
}

}  // namespace

bool LinkBlocks(TKompilatorTS& compiler, const std::vector<Tobj>& bloki, int32_t block_count) {
  const std::vector<BlockRange> ranges = IndexBlocks(compiler.Instructions, block_count);
  for (int32_t j = 0; j < block_count; ++j) {
    const Tobj& block = bloki[static_cast<size_t>(j)];
    if (block.Blok == Notatka) continue;
    const BlockRange& r = ranges[static_cast<size_t>(j)];
    if (r.first == -1) {
      compiler.AddError(LangText("msgcmp000026"), -1);
      compiler.Errors.back().Block = j;
      compiler.Stop();
      return false;
    }
    Trozkaz& exit = compiler.Instructions[static_cast<size_t>(r.last)];
    if (block.Blok == Warunek) {
      // A second link of 0 or below is no successor, as the editor draws it.
      const int32_t second = block.Link2 > 0 ? FirstOf(ranges, block.Link2) : -1;
      const int32_t first = FirstOf(ranges, block.Link1);
      if (block.NieTak) {
        exit.Next = first;
        exit.NextTrue = second;
      } else {
        exit.NextTrue = first;
        exit.Next = second;
      }
    } else {
      exit.Next = FirstOf(ranges, block.Link1);
    }
  }
  return true;
}

int32_t TKompilatorTS::FirstInstructionOfBlock(int32_t block) const {
  for (int32_t i = 0; i < static_cast<int32_t>(Instructions.size()); ++i) {
    if (Instructions[static_cast<size_t>(i)].BlockIndex == block) return i;
  }
  return -1;
}

}  // namespace tessaro
