#include "core/language/expression_tree.h"

namespace tessaro {

// Trees can be as deep as an expression is long, so the walks keep their own
// stack instead of recursing.

bool IsParseErrorNode(const TwrTree& node) { return node.OpText == kParseErrorLabel; }

namespace {

// Calls `visit` once for every node, parents before children; `visit` may
// free the node it is given, its children are taken first.
template <class Visit>
void ForEachNode(TwrTree* root, Visit visit) {
  std::vector<TwrTree*> pending;
  if (root) pending.push_back(root);
  while (!pending.empty()) {
    TwrTree* node = pending.back();
    pending.pop_back();
    if (node->LeftNode) pending.push_back(node->LeftNode);
    if (node->RightNode) pending.push_back(node->RightNode);
    visit(node);
  }
}

}  // namespace

void FreeTree(TwrTree* root) {
  ForEachNode(root, [](TwrTree* node) { delete node; });
}

void ClearComputedValues(TwrTree* root) {
  ForEachNode(root, [](TwrTree* node) {
    if (!node->LeftNode && !node->RightNode) return;
    node->SrcText.clear();
    node->NodeValue = TValue();
  });
}

void BuildSteps(TwrTree* root, std::vector<TwrTree*>& steps) {
  steps.clear();
  std::vector<TwrTree*> pending;
  if (root) pending.push_back(root);
  while (!pending.empty()) {
    TwrTree* node = pending.back();
    pending.pop_back();
    steps.push_back(node);
    if (node->RightNode) pending.push_back(node->RightNode);
    if (node->LeftNode) pending.push_back(node->LeftNode);
  }
}

TwrTree* CurrentStepNode(const std::vector<TwrTree*>& steps, int32_t step_index) {
  const auto n = static_cast<int64_t>(steps.size());
  if (step_index < 0 || step_index >= n) return nullptr;
  return steps[static_cast<size_t>(n - 1 - step_index)];
}

}  // namespace tessaro
