// Where the expression parser splits one text: the operator of the loosest
// precedence group at the shallowest bracket depth.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tessaro {

// Digits, ASCII letters, "_" and the two increment markers. Tests of whether
// a bracket or an operator touches a name use this set.
bool IsIdentifierChar(char c);

struct TSplit {
  int Slot = 0;         // position in kOperators
  size_t Position = 0;  // 0-based index of the operator text
  size_t Length = 0;    // length of the operator text
  uint8_t Kind = 0;     // TNodeKind the operator gives
};

// The text must already have been through the parser's pre-passes.
std::optional<TSplit> FindSplit(std::string_view text);

}  // namespace tessaro
