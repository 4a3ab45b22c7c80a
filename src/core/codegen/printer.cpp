#include "core/codegen/printer.h"

#include <algorithm>

#include "core/language/expression_tree.h"

namespace tessaro::codegen {

void ListItems(const TwrTree* node, std::vector<const TwrTree*>& out) {
  if (!node) return;
  if (node->NodeKind == kListNode) {
    ListItems(node->LeftNode, out);
    ListItems(node->RightNode, out);
    return;
  }
  out.push_back(node);
}

std::vector<const TwrTree*> StatementItems(const TwrTree* root) {
  std::vector<const TwrTree*> items;
  for (const TwrTree* n = root; n; n = n->LeftNode) items.push_back(n);
  // dim chains its items in written order; read and write from the last one back.
  if (root && root->OpText != "dim") std::reverse(items.begin(), items.end());
  return items;
}

}  // namespace tessaro::codegen
