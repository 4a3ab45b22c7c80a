// Cutting a block's text into instruction texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

struct TInstructionPiece {
  std::string Text;
  int32_t Line = 1;    // 1 + the carriage returns before the piece
  int32_t Column = 1;  // 1-based, in the text without line feeds
  int32_t Length = 0;
};

// Processing, input/output, start, end and junction blocks. Every carriage
// return and every ";" ends a piece, also inside apostrophes; a piece ended
// by a separator counts even when empty, the text after the last separator
// only when it is not.
std::vector<TInstructionPiece> CutStatements(std::string_view block_text);

// Condition blocks: the trimmed lines joined as "(l1) and (l2) and ...", so
// the block holds when all its lines hold; a single line stands as it is.
// Always one piece, at line 1 and column 1.
TInstructionPiece CutCondition(std::string_view block_text);

}  // namespace tessaro
