#include "core/runtime/tree_layout.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "core/diagram/rounding.h"

namespace tessaro {

namespace {

struct Shape {
  int height = 0;       // of the subtree, 0 for a leaf
  int left_spine = 0;   // successive left links from the node
  int right_spine = 0;  // successive right links from the node
};

// Shapes of every subtree, children before parents (reverse pre-order).
std::unordered_map<const TwrTree*, Shape> MeasureShapes(const std::vector<TwrTree*>& preorder) {
  std::unordered_map<const TwrTree*, Shape> shapes;
  shapes.reserve(preorder.size());
  for (auto it = preorder.rbegin(); it != preorder.rend(); ++it) {
    const TwrTree* node = *it;
    Shape s;
    if (node->LeftNode) {
      const Shape& l = shapes[node->LeftNode];
      s.height = std::max(s.height, l.height + 1);
      s.left_spine = l.left_spine + 1;
    }
    if (node->RightNode) {
      const Shape& r = shapes[node->RightNode];
      s.height = std::max(s.height, r.height + 1);
      s.right_spine = r.right_spine + 1;
    }
    shapes[node] = s;
  }
  return shapes;
}

// 20 * 2^e; the exponent is capped so that the arithmetic stays in 64 bits.
int64_t UnitTimesPowerOfTwo(int e) { return int64_t{kTreeUnit} << std::min(e, 40); }

int64_t ChildDistance(int height, int spine) {
  const int64_t a = UnitTimesPowerOfTwo(height);
  const int64_t b = UnitTimesPowerOfTwo(1 + spine);
  return a > b ? a - (b - kTreeUnit) : a;
}

}  // namespace

void LayoutTree(TwrTree* root) {
  std::vector<TwrTree*> preorder;
  BuildSteps(root, preorder);
  if (preorder.empty()) return;
  const auto shapes = MeasureShapes(preorder);
  root->PosX = 0;
  root->PosY = 0;
  // Pre-order visits every parent before its children.
  for (TwrTree* node : preorder) {
    const int64_t y = int64_t{node->PosY} + kTreeStep;
    if (TwrTree* c = node->LeftNode) {
      const Shape& s = shapes.at(c);
      c->PosX = SaturateInt32(node->PosX - ChildDistance(s.height, s.right_spine));
      c->PosY = SaturateInt32(y);
    }
    if (TwrTree* c = node->RightNode) {
      const Shape& s = shapes.at(c);
      c->PosX = SaturateInt32(node->PosX + ChildDistance(s.height, s.left_spine));
      c->PosY = SaturateInt32(y);
    }
  }
}

TTreeExtent TreeExtent(const TwrTree* root) {
  int64_t min_x = 0;
  int64_t max_x = 0;
  int64_t max_y = 0;
  std::vector<const TwrTree*> pending;
  if (root) pending.push_back(root);
  while (!pending.empty()) {
    const TwrTree* node = pending.back();
    pending.pop_back();
    min_x = std::min<int64_t>(min_x, node->PosX);
    max_x = std::max<int64_t>(max_x, node->PosX);
    max_y = std::max<int64_t>(max_y, node->PosY);
    if (node->LeftNode) pending.push_back(node->LeftNode);
    if (node->RightNode) pending.push_back(node->RightNode);
  }
  return {SaturateInt32(min_x - kTreeUnit), SaturateInt32(max_x - min_x + 2 * kTreeUnit + 4),
          SaturateInt32(max_y + kNodeHalfWidth + 4)};
}

}  // namespace tessaro
