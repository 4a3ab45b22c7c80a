// The breakpoint margin at the right edge of a block: which text line a press
// there names, and toggling a breakpoint on it.
#pragma once

#include <cstdint>
#include <string>

#include "core/document/model.h"

namespace tessaro {

// The 1-based text line of `block` under the diagram point (x, y) when the
// point lies in the block's breakpoint margin, else 0. `line_height` is the
// height of a text line in the block's own font. Only lines that exist count
// (a condition has one); start, end, node and note blocks have no margin.
int32_t MarginLine(const Tobj& block, int32_t x, int32_t y, int32_t line_height);

// Removes the breakpoint on (block, line) when there is one, else appends an
// enabled, unconditional one. Returns true when one was added.
bool ToggleBreakpoint(TBreakPointArray& breakpoints, int32_t block, int32_t line);

// The number of text lines of a block's text (lines are separated by CR LF).
int32_t TextLineCount(const Tobj& block);

}  // namespace tessaro

namespace tessaro {

// Where the renderer starts a block's text, relative to its top-left corner.
struct TTextOrigin {
  int32_t x = 0;
  int32_t y = 0;
};
TTextOrigin BlockTextOrigin(int32_t kind);

// The 1-based text line of `block` at diagram height y, measured from the
// kind's text origin with `line_height`; 0 outside the text's lines.
int32_t TextLineAt(const Tobj& block, int32_t y, int32_t line_height);

// The word of the block language around byte `position` of `text`: the run
// of letters, digits, "_", ".", apostrophes and characters above 127 that
// touches it; "" when there is none. Positions past the end are clamped.
std::string WordAt(const std::string& text, size_t position);

}  // namespace tessaro
