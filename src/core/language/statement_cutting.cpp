#include "core/language/statement_cutting.h"

namespace tessaro {

namespace {

std::string WithoutLineFeeds(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c != '\n') out += c;
  }
  return out;
}

// Blanks and control characters at both ends.
std::string_view Trimmed(std::string_view s) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

std::vector<TInstructionPiece> CutStatements(std::string_view block_text) {
  const std::string text = WithoutLineFeeds(block_text);
  std::vector<TInstructionPiece> pieces;
  int32_t line = 1;
  int32_t piece_line = 1;
  size_t start = 0;
  auto add = [&](size_t end) {
    pieces.push_back({text.substr(start, end - start), piece_line, static_cast<int32_t>(start + 1),
                      static_cast<int32_t>(end - start)});
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != ';') continue;
    add(i);
    if (c == '\r') ++line;
    start = i + 1;
    piece_line = line;
  }
  if (start < text.size()) add(text.size());
  return pieces;
}

TInstructionPiece CutCondition(std::string_view block_text) {
  const std::string text = WithoutLineFeeds(block_text);
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\r') {
      lines.push_back(Trimmed(std::string_view(text).substr(start, i - start)));
      start = i + 1;
    }
  }
  TInstructionPiece piece;
  if (lines.size() == 1) {
    piece.Text = lines[0];
  } else {
    for (size_t i = 0; i < lines.size(); ++i) {
      piece.Text += i == 0 ? "(" : " and (";
      piece.Text += lines[i];
      piece.Text += ")";
    }
  }
  piece.Length = static_cast<int32_t>(piece.Text.size());
  return piece;
}

}  // namespace tessaro
