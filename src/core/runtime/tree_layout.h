// Placing the nodes of a tree for its picture, and the picture's extent.
// Both the analysis window and the diagram's hover hint use them.
#pragma once

#include <cstdint>

#include "core/language/expression_tree.h"

namespace tessaro {

constexpr int32_t kTreeUnit = 20;      // horizontal unit
constexpr int32_t kTreeStep = 35;      // vertical distance between levels
constexpr int32_t kNodeHalfWidth = 12;

// The root at (0, 0), every child one step below its parent. A left child C
// stands 20 * 2^h to the left (h the height of C's subtree), pulled back by
// 20 * 2^a - 20 when that is smaller (a = 1 + the length of C's right spine);
// a right child mirrors it with its left spine. Positions saturate at the
// limits of 32 bits, which only trees dozens of levels deep reach.
void LayoutTree(TwrTree* root);

struct TTreeExtent {
  int32_t Left = 0;  // offset of the picture's left edge from the root
  int32_t Width = 0;
  int32_t Height = 0;
};

// The bounding box of a laid-out tree.
TTreeExtent TreeExtent(const TwrTree* root);

}  // namespace tessaro
