// The colouring of a block text in the editor: which bytes are keywords,
// operators, numbers and strings. Works on Windows-1250 and on UTF-8 text
// alike, since everything it recognises is ASCII.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tessaro {

enum THighlightStyle : uint8_t {
  kStyleDefault = 0,
  kStyleKeyword = 1,  // statement keywords and function names
  kStyleNumber = 2,
  kStyleString = 3,
  kStyleOperator = 4,  // symbols and word operators of the operator table
  kStyleCount = 5,
};

class THighlighter {
 public:
  // `keywords` are matched ignoring letter case; the word operators come
  // from the operator table.
  explicit THighlighter(const std::vector<std::string>& keywords);

  // One style per byte of `text`.
  std::vector<uint8_t> Styles(std::string_view text) const;

 private:
  std::unordered_set<std::string> keywords_;        // upper case
  std::unordered_set<std::string> word_operators_;  // upper case
};

}  // namespace tessaro
