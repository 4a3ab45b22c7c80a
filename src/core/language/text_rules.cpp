#include "core/language/text_rules.h"

namespace tessaro {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && StartsWithIgnoringCase(a, b);
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (AsciiUpper(text[i]) != AsciiUpper(prefix[i])) return false;
  }
  return true;
}

std::string RemoveSpacesOutsideQuotes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool quoted = false;
  for (char c : text) {
    if (c == kQuote) quoted = !quoted;
    if (c == ' ' && !quoted) continue;
    out += c;
  }
  return out;
}

}  // namespace tessaro
