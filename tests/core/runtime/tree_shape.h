// A one-line picture of a tree for the tests: an inner node is
// OpText(left, right) with "_" for a missing child; a leaf is its SrcText
// ("" when empty) followed by {OpText} when it carries one.
#pragma once

#include <string>

#include "core/language/expression_tree.h"

namespace tessaro::test {

inline std::string TreeShape(const TwrTree* node) {
  if (!node) return "_";
  if (!node->LeftNode && !node->RightNode) {
    std::string leaf = node->SrcText.empty() ? "\"\"" : node->SrcText;
    if (!node->OpText.empty()) leaf += "{" + node->OpText + "}";
    return leaf;
  }
  return node->OpText + "(" + TreeShape(node->LeftNode) + ", " + TreeShape(node->RightNode) + ")";
}

}  // namespace tessaro::test
