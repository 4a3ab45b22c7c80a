// Multi-line text as the renderer measures and draws it: lines end at CR LF
// (a lone CR or LF also ends a line), nothing wraps, everything is left and
// top aligned.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/diagram/canvas.h"

namespace tessaro {

struct TextSize {
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const TextSize&) const = default;
};

// The lines of `text`; an empty text is one empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

// The widest line and the line height times the number of lines, in the
// canvas's current font.
TextSize MeasureTextBlock(Canvas& canvas, std::string_view text);

void DrawTextBlock(Canvas& canvas, int32_t x, int32_t y, std::string_view text);

}  // namespace tessaro
