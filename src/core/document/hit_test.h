// Which element lies under a point of the diagram, and which elements a
// rubber band catches.
#pragma once

#include <cstdint>
#include <vector>

#include "core/document/model.h"

namespace tessaro {

// TrafionyBlok: the highest index whose area strictly contains (x, y), or -1.
// Conditions reach 15 units further left and right (their side points);
// junction nodes have a margin of 3 on every side. Hidden nodes (nodes not
// shown and the node tool not active) cannot be hit.
int32_t TrafionyBlok(const std::vector<Tobj>& bloki, int32_t x, int32_t y, bool nodes_hittable = true);

// The elements a rubber band from (x1, y1) to (x2, y2) catches: those with at
// least one corner strictly inside the normalised band, in index order.
std::vector<int32_t> CaughtByBand(const std::vector<Tobj>& bloki, TRect band, bool nodes_hittable = true);

// The bounding rectangle of the listed elements (all 0 for none).
TRect BoundsOfElements(const std::vector<Tobj>& bloki, const std::vector<int32_t>& indexes);

}  // namespace tessaro
