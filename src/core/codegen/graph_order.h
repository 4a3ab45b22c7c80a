// Orders of a flow graph: reverse postorder, immediate dominators, back
// edges and natural loops.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/codegen/flow_graph.h"

namespace tessaro::codegen {

struct GraphOrder {
  std::vector<int32_t> Rpo;     // the reachable nodes in reverse postorder
  std::vector<int32_t> Number;  // position of each node in Rpo; -1 when unreachable
  std::vector<int32_t> Idom;    // immediate dominator; the entry's is itself, -1 when unreachable

  bool Reachable(int32_t n) const { return Number[static_cast<size_t>(n)] >= 0; }
  // Whether `a` dominates `b`.
  bool Dominates(int32_t a, int32_t b) const;
  // An edge u -> v that goes back in reverse postorder.
  bool Retreating(int32_t u, int32_t v) const {
    return Number[static_cast<size_t>(v)] <= Number[static_cast<size_t>(u)];
  }
};

// Depth-first order from the entry (false exit first) and the dominator tree
// by the iterative method of Cooper, Harvey and Kennedy.
GraphOrder AnalyseGraph(const FlowGraph& g);

// Whether every retreating edge goes to a node that dominates its source.
bool IsReducible(const FlowGraph& g, const GraphOrder& order);

}  // namespace tessaro::codegen
