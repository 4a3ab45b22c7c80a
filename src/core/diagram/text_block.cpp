#include "core/diagram/text_block.h"

#include <algorithm>

namespace tessaro {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  lines.push_back(text.substr(start));
  return lines;
}

TextSize MeasureTextBlock(Canvas& canvas, std::string_view text) {
  TextSize size;
  const std::vector<std::string_view> lines = SplitLines(text);
  for (std::string_view line : lines) {
    size.width = std::max(size.width, canvas.LineWidth(std::string(line)));
  }
  size.height = canvas.LineHeight() * static_cast<int32_t>(lines.size());
  return size;
}

void DrawTextBlock(Canvas& canvas, int32_t x, int32_t y, std::string_view text) {
  const int32_t step = canvas.LineHeight();
  for (std::string_view line : SplitLines(text)) {
    if (!line.empty()) canvas.TextLine(x, y, std::string(line));
    y += step;
  }
}

}  // namespace tessaro
