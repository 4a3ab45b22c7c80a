// The picture of a laid-out expression tree, drawn onto any canvas: the tree
// page of the analysis window, its clipboard copy and the diagram's hover hint.
#pragma once

#include <cstdint>
#include <string>

#include "core/diagram/canvas.h"
#include "core/language/expression_tree.h"

namespace tessaro {

// The colour of the node boxes on the tree page and in its copy.
constexpr TColor kTreePageFill = 0xE8FFFE;  // RGB(254, 255, 232)

// Draws the tree of `root` (already laid out by LayoutTree) with the root at
// (origin_x, origin_y). A shadow offset of 0 draws no shadow. The node equal
// to `current` gets a green outline; a null `current` marks nothing.
void PaintTree(Canvas& canvas, int32_t origin_x, int32_t origin_y, TColor fill, int32_t shadow,
               const TwrTree* current, const TwrTree* root);

// The label a node shows: its operand text, or its operator ("dim" with its
// sizes), before shortening.
std::string NodeLabel(const TwrTree& node);
// The value shown under an inner node: reals with four decimals, every other
// kind in its text form; empty for a leaf and for an empty value.
std::string NodeValueText(const TwrTree& node);

}  // namespace tessaro
