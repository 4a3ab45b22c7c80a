#include "core/document/legacy_text.h"

#include "core/document/alg_format.h"

namespace tessaro {

namespace {

// Inserts `c` before 0-based position i, keeping the short-string limit.
void InsertBefore(std::string& s, size_t i, char c) {
  s.insert(s.begin() + static_cast<std::ptrdiff_t>(i), c);
  if (s.size() > kShortStringRoom) s.resize(kShortStringRoom);
}

bool IsComparisonEquals(const std::string& s, size_t i) {
  char before = i > 0 ? s[i - 1] : '\0';
  char after = i + 1 < s.size() ? s[i + 1] : '\0';
  return before != '<' && before != '>' && before != '!' && after != '<' && after != '>';
}

}  // namespace

std::string RewriteOldestAssignments(const std::string& text) {
  std::string s = text;
  // The length is re-read each turn: insertions lengthen the text.
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '=') {
      InsertBefore(s, i, ':');
      ++i;  // over the inserted character, onto the "="
    }
  }
  return s;
}

std::string RewriteOldestComparisons(const std::string& text) {
  std::string s = text;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '=' && IsComparisonEquals(s, i)) {
      InsertBefore(s, i, '=');
      ++i;
    }
  }
  return s;
}

}  // namespace tessaro
