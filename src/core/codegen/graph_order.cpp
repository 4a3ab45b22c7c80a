#include "core/codegen/graph_order.h"

#include <algorithm>

namespace tessaro::codegen {

bool GraphOrder::Dominates(int32_t a, int32_t b) const {
  if (!Reachable(a) || !Reachable(b)) return false;
  // Dominators have smaller numbers: walk up from b while that is not yet below a.
  while (b != a && Number[static_cast<size_t>(b)] > Number[static_cast<size_t>(a)]) {
    b = Idom[static_cast<size_t>(b)];
  }
  return a == b;
}

GraphOrder AnalyseGraph(const FlowGraph& g) {
  const size_t n = g.Nodes.size();
  GraphOrder order;
  order.Number.assign(n, -1);
  order.Idom.assign(n, -1);
  if (g.Entry == kHalt) return order;

  // 1. Postorder without recursion: each frame remembers the next successor to visit.
  std::vector<int32_t> post;
  post.reserve(n);
  std::vector<char> visited(n, 0);
  struct Frame {
    int32_t node;
    int32_t next;
  };
  std::vector<Frame> stack{{g.Entry, 0}};
  visited[static_cast<size_t>(g.Entry)] = 1;
  std::vector<int32_t> succ;
  while (!stack.empty()) {
    Frame& top = stack.back();
    g.Successors(top.node, succ);
    if (top.next < static_cast<int32_t>(succ.size())) {
      const int32_t s = succ[static_cast<size_t>(top.next++)];
      if (!visited[static_cast<size_t>(s)]) {
        visited[static_cast<size_t>(s)] = 1;
        stack.push_back({s, 0});
      }
      continue;
    }
    post.push_back(top.node);
    stack.pop_back();
  }
  order.Rpo.assign(post.rbegin(), post.rend());
  for (size_t i = 0; i < order.Rpo.size(); ++i) order.Number[static_cast<size_t>(order.Rpo[i])] = static_cast<int32_t>(i);

  // 2. Dominators: intersect the predecessors' dominator paths until nothing changes.
  const std::vector<std::vector<int32_t>> preds = g.Predecessors();
  order.Idom[static_cast<size_t>(g.Entry)] = g.Entry;
  auto intersect = [&](int32_t a, int32_t b) {
    while (a != b) {
      while (order.Number[static_cast<size_t>(a)] > order.Number[static_cast<size_t>(b)]) a = order.Idom[static_cast<size_t>(a)];
      while (order.Number[static_cast<size_t>(b)] > order.Number[static_cast<size_t>(a)]) b = order.Idom[static_cast<size_t>(b)];
    }
    return a;
  };
  for (bool changed = true; changed;) {
    changed = false;
    for (size_t i = 1; i < order.Rpo.size(); ++i) {
      const int32_t b = order.Rpo[i];
      int32_t idom = -1;
      for (int32_t p : preds[static_cast<size_t>(b)]) {
        if (order.Idom[static_cast<size_t>(p)] == -1) continue;
        idom = idom == -1 ? p : intersect(p, idom);
      }
      if (idom != order.Idom[static_cast<size_t>(b)]) {
        order.Idom[static_cast<size_t>(b)] = idom;
        changed = true;
      }
    }
  }
  return order;
}

bool IsReducible(const FlowGraph& g, const GraphOrder& order) {
  std::vector<int32_t> succ;
  for (int32_t u : order.Rpo) {
    g.Successors(u, succ);
    for (int32_t v : succ) {
      if (order.Retreating(u, v) && !order.Dominates(v, u)) return false;
    }
  }
  return true;
}

}  // namespace tessaro::codegen
