#include "core/document/breakpoint_margin.h"

#include <algorithm>

namespace tessaro {

namespace {

struct Margin {
  int32_t from;  // offsets from the block's right edge, both inclusive
  int32_t to;
};

bool MarginOf(int32_t kind, Margin& margin) {
  switch (kind) {
    case Przetwarzanie: margin = {-25, 0}; return true;
    case Warunek: margin = {-6, 15}; return true;
    case WeWY: margin = {-15, 0}; return true;
    default: return false;
  }
}

bool LineIsBlank(const std::string& text, int32_t line) {
  size_t start = 0;
  for (int32_t k = 1; k < line && start != std::string::npos; ++k) {
    start = text.find('\r', start);
    if (start != std::string::npos) start += text.compare(start, 2, "\r\n") == 0 ? 2 : 1;
  }
  if (start == std::string::npos || start > text.size()) return true;
  const size_t end = std::min(text.find('\r', start), text.size());
  return text.find_first_not_of(" \t", start) >= end;
}

}  // namespace

int32_t TextLineCount(const Tobj& block) {
  return 1 + static_cast<int32_t>(std::count(block.Kod.begin(), block.Kod.end(), '\r'));
}

int32_t MarginLine(const Tobj& block, int32_t x, int32_t y, int32_t line_height) {
  Margin margin;
  if (!MarginOf(block.Blok, margin)) return 0;
  const int64_t right = int64_t{block.Left} + block.Width;
  if (x < right + margin.from || x > right + margin.to) return 0;
  // On a narrow block the margin would cover its middle: a press there
  // picks or drags the block instead.
  if (int64_t{x} * 2 <= int64_t{block.Left} * 2 + block.Width) return 0;
  if (y < block.Top || int64_t{y} > int64_t{block.Top} + block.Height) return 0;
  if (line_height <= 0) return 0;
  // A condition's text starts lower, inside its diamond.
  const int32_t origin = block.Blok == Warunek ? 24 : 15;
  const int32_t line = (y - block.Top + origin) / line_height - 1;
  const int32_t lines = block.Blok == Warunek ? 1 : TextLineCount(block);
  if (line < 1 || line > lines) return 0;
  // A blank line holds no instruction, so a breakpoint there could never stop.
  return LineIsBlank(block.Kod, line) ? 0 : line;
}

bool ToggleBreakpoint(TBreakPointArray& breakpoints, int32_t block, int32_t line) {
  const auto found = std::find_if(breakpoints.begin(), breakpoints.end(), [&](const TBreakPoint& b) {
    return b.Block == block && b.Line == line;
  });
  if (found != breakpoints.end()) {
    breakpoints.erase(found);
    return false;
  }
  TBreakPoint added;
  added.Block = block;
  added.Line = line;
  breakpoints.push_back(added);
  return true;
}

}  // namespace tessaro

namespace tessaro {

TTextOrigin BlockTextOrigin(int32_t kind) {
  switch (kind) {
    case Przetwarzanie:
    case WeWY: return {20, 15};
    case Warunek: return {0, 7};
    case Notatka: return {5, 5};
    default: return {0, 0};
  }
}

int32_t TextLineAt(const Tobj& block, int32_t y, int32_t line_height) {
  if (line_height <= 0) return 0;
  const int32_t offset = y - block.Top - BlockTextOrigin(block.Blok).y;
  if (offset < 0) return 0;
  const int32_t line = offset / line_height + 1;
  return line <= TextLineCount(block) ? line : 0;
}

namespace {

bool IsWordChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '_' ||
         u == '.' || u == '\'' || u > 127;
}

}  // namespace

std::string WordAt(const std::string& text, size_t position) {
  if (text.empty()) return "";
  if (position >= text.size()) position = text.size() - 1;
  // The character under the point, or the one just left of it.
  if (!IsWordChar(text[position])) {
    if (position == 0 || !IsWordChar(text[position - 1])) return "";
    --position;
  }
  size_t first = position;
  while (first > 0 && IsWordChar(text[first - 1])) --first;
  size_t end = position;
  while (end < text.size() && IsWordChar(text[end])) ++end;
  return text.substr(first, end - first);
}

}  // namespace tessaro
