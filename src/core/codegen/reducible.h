// Making a flow graph reducible, so that every loop has one entry.
//
// A region with several entries is found with the loop-nesting walk of
// strongly connected components. When copying the nodes that the other
// entries reach before the chosen header costs no more than the budget,
// those nodes are split off; otherwise every edge into the region goes
// through a state assignment and one dispatch on the state variable, which
// then heads a loop that covers the whole region.
#pragma once

#include <cstdint>

#include "core/codegen/flow_graph.h"

namespace tessaro::codegen {

struct SplitBudget {
  int32_t Total = -1;         // copies over the whole graph; -1: half the node count + 8
  bool AllowSplitting = true; // false: every region gets the state variable
};

// False when the graph could not be made reducible (never expected; the
// state variable always removes a region's extra entries).
bool MakeReducible(FlowGraph& g, SplitBudget budget = {});

}  // namespace tessaro::codegen
