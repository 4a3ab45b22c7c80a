#include "core/language/block_highlight.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "core/language/operator_table.h"
#include "core/language/text_rules.h"

namespace tessaro {

namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsWordChar(char c) { return IsLetter(c) || IsDecimalDigit(c) || static_cast<unsigned char>(c) >= 0x80; }

std::string Upper(std::string_view word) {
  std::string out(word);
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

// Characters of the symbol operators, with the increments' "+" and "-" and
// the ":" of ":=". The table is read once, not for every byte.
bool IsOperatorChar(char c) {
  static const std::array<bool, 256> kOperatorChars = [] {
    std::array<bool, 256> chars{};
    for (const TOperatorSlot& slot : kOperators) {
      if (slot.Group < 12 && !IsLetter(slot.Text[0]) && slot.Text != kFillerOperator) {
        for (const char t : slot.Text) chars[static_cast<unsigned char>(t)] = true;
      }
    }
    chars[static_cast<unsigned char>(':')] = true;
    return chars;
  }();
  return kOperatorChars[static_cast<unsigned char>(c)];
}

}  // namespace

THighlighter::THighlighter(const std::vector<std::string>& keywords) {
  for (const std::string& word : keywords) keywords_.insert(Upper(word));
  for (const TOperatorSlot& slot : kOperators) {
    if (IsLetter(slot.Text[0])) word_operators_.insert(Upper(slot.Text));
  }
}

std::vector<uint8_t> THighlighter::Styles(std::string_view text) const {
  std::vector<uint8_t> styles(text.size(), kStyleDefault);
  size_t i = 0;
  auto mark = [&](size_t from, size_t to, uint8_t style) {
    std::fill(styles.begin() + static_cast<std::ptrdiff_t>(from), styles.begin() + static_cast<std::ptrdiff_t>(to), style);
  };
  while (i < text.size()) {
    const char c = text[i];
    size_t end = i + 1;
    if (c == '\'' || c == '"') {
      // A literal ends at its own quote or at the end of the line.
      while (end < text.size() && text[end] != c && text[end] != '\r' && text[end] != '\n') ++end;
      if (end < text.size() && text[end] == c) ++end;
      mark(i, end, kStyleString);
    } else if (IsDecimalDigit(c) || (c == '$' && end < text.size() && IsWordChar(text[end])) ||
               (c == '.' && end < text.size() && IsDecimalDigit(text[end]))) {
      // Digits, hexadecimal letters, a fraction and an exponent with its sign.
      while (end < text.size() &&
             (IsWordChar(text[end]) || text[end] == '.' ||
              ((text[end] == '+' || text[end] == '-') && (text[end - 1] == 'e' || text[end - 1] == 'E') &&
               !(text[i] == '$' || (end - i > 1 && (text[i + 1] == 'x' || text[i + 1] == 'X')))))) {
        ++end;
      }
      mark(i, end, kStyleNumber);
    } else if (IsWordChar(c)) {
      while (end < text.size() && IsWordChar(text[end])) ++end;
      const std::string word = Upper(text.substr(i, end - i));
      if (keywords_.count(word)) {
        mark(i, end, kStyleKeyword);
      } else if (word_operators_.count(word)) {
        mark(i, end, kStyleOperator);
      }
    } else if (IsOperatorChar(c)) {
      styles[i] = kStyleOperator;
    }
    i = end;
  }
  return styles;
}

}  // namespace tessaro
