#include "core/codegen/reducible.h"

#include <algorithm>

#include "core/codegen/graph_order.h"

namespace tessaro::codegen {

namespace {

// The strongly connected components of the nodes marked in `inside`, by
// Tarjan's method without recursion.
std::vector<std::vector<int32_t>> Components(const FlowGraph& g, const std::vector<int32_t>& nodes,
                                             const std::vector<char>& inside) {
  const size_t n = g.Nodes.size();
  std::vector<int32_t> index(n, -1), low(n, 0);
  std::vector<char> on_stack(n, 0);
  std::vector<int32_t> stack;
  std::vector<std::vector<int32_t>> out;
  int32_t counter = 0;
  struct Frame {
    int32_t node;
    size_t next;
    std::vector<int32_t> succ;
  };
  for (int32_t root : nodes) {
    if (index[static_cast<size_t>(root)] != -1) continue;
    std::vector<Frame> frames;
    auto open = [&](int32_t v) {
      index[static_cast<size_t>(v)] = low[static_cast<size_t>(v)] = counter++;
      stack.push_back(v);
      on_stack[static_cast<size_t>(v)] = 1;
      Frame f{v, 0, {}};
      g.Successors(v, f.succ);
      frames.push_back(std::move(f));
    };
    open(root);
    while (!frames.empty()) {
      Frame& f = frames.back();
      if (f.next < f.succ.size()) {
        const int32_t w = f.succ[f.next++];
        if (!inside[static_cast<size_t>(w)]) continue;
        if (index[static_cast<size_t>(w)] == -1) {
          open(w);
        } else if (on_stack[static_cast<size_t>(w)]) {
          low[static_cast<size_t>(f.node)] = std::min(low[static_cast<size_t>(f.node)], index[static_cast<size_t>(w)]);
        }
        continue;
      }
      const int32_t v = f.node;
      frames.pop_back();
      if (!frames.empty()) {
        const int32_t parent = frames.back().node;
        low[static_cast<size_t>(parent)] = std::min(low[static_cast<size_t>(parent)], low[static_cast<size_t>(v)]);
      }
      if (low[static_cast<size_t>(v)] == index[static_cast<size_t>(v)]) {
        std::vector<int32_t> component;
        int32_t w;
        do {
          w = stack.back();
          stack.pop_back();
          on_stack[static_cast<size_t>(w)] = 0;
          component.push_back(w);
        } while (w != v);
        out.push_back(std::move(component));
      }
    }
  }
  return out;
}

struct Region {
  std::vector<int32_t> nodes;
  std::vector<int32_t> entries;  // in reverse postorder
};

// A cyclic region entered at more than one node, or false when there is none.
bool FindRegion(const FlowGraph& g, const GraphOrder& order, const std::vector<std::vector<int32_t>>& preds,
                Region& found) {
  const size_t n = g.Nodes.size();
  std::vector<std::vector<int32_t>> work{order.Rpo};
  std::vector<char> inside(n, 0), in_component(n, 0);
  std::vector<int32_t> succ;
  while (!work.empty()) {
    std::vector<int32_t> set = std::move(work.back());
    work.pop_back();
    std::fill(inside.begin(), inside.end(), 0);
    for (int32_t v : set) inside[static_cast<size_t>(v)] = 1;
    for (std::vector<int32_t>& component : Components(g, set, inside)) {
      bool cyclic = component.size() > 1;
      if (!cyclic) {
        g.Successors(component[0], succ);
        cyclic = std::find(succ.begin(), succ.end(), component[0]) != succ.end();
      }
      if (!cyclic) continue;
      for (int32_t v : component) in_component[static_cast<size_t>(v)] = 1;
      std::vector<int32_t> entries;
      for (int32_t v : component) {
        bool entry = v == g.Entry;
        for (int32_t p : preds[static_cast<size_t>(v)]) {
          if (order.Reachable(p) && !in_component[static_cast<size_t>(p)]) entry = true;
        }
        if (entry) entries.push_back(v);
      }
      for (int32_t v : component) in_component[static_cast<size_t>(v)] = 0;
      std::sort(entries.begin(), entries.end(), [&](int32_t a, int32_t b) {
        return order.Number[static_cast<size_t>(a)] < order.Number[static_cast<size_t>(b)];
      });
      if (entries.size() >= 2) {
        found.nodes = std::move(component);
        found.entries = std::move(entries);
        return true;
      }
      // One entry: it heads a loop; look for regions inside it.
      std::vector<int32_t> rest;
      for (int32_t v : component) {
        if (entries.empty() || v != entries[0]) rest.push_back(v);
      }
      if (!rest.empty()) work.push_back(std::move(rest));
    }
  }
  return false;
}

// The nodes of the region that `entry` reaches without passing `header`.
std::vector<int32_t> ReachedBefore(const FlowGraph& g, const std::vector<char>& in_region, int32_t entry,
                                   int32_t header) {
  std::vector<int32_t> out{entry};
  std::vector<char> seen(g.Nodes.size(), 0);
  seen[static_cast<size_t>(entry)] = 1;
  std::vector<int32_t> succ;
  for (size_t i = 0; i < out.size(); ++i) {
    g.Successors(out[i], succ);
    for (int32_t s : succ) {
      if (s == header || !in_region[static_cast<size_t>(s)] || seen[static_cast<size_t>(s)]) continue;
      seen[static_cast<size_t>(s)] = 1;
      out.push_back(s);
    }
  }
  return out;
}

void Redirect(FlowNode& node, int32_t from, int32_t to) {
  if (node.Next == from) node.Next = to;
  if (node.HasTwoExits() && node.NextTrue == from) node.NextTrue = to;
}

// Copies what each entry but the first reaches before the first, and lets
// the edges from outside the region enter the copies.
void SplitRegion(FlowGraph& g, const Region& region, const std::vector<char>& in_region,
                 const std::vector<std::vector<int32_t>>& preds, const std::vector<std::vector<int32_t>>& copies) {
  const int32_t header = region.entries[0];
  (void)header;
  for (size_t k = 1; k < region.entries.size(); ++k) {
    const int32_t entry = region.entries[k];
    const std::vector<int32_t>& part = copies[k];
    std::vector<int32_t> clone(g.Nodes.size(), kHalt);
    for (int32_t v : part) {
      clone[static_cast<size_t>(v)] = static_cast<int32_t>(g.Nodes.size());
      FlowNode copy = g.Nodes[static_cast<size_t>(v)];
      copy.Copy = true;
      g.Nodes.push_back(copy);
    }
    auto mapped = [&](int32_t t) {
      return t != kHalt && static_cast<size_t>(t) < clone.size() && clone[static_cast<size_t>(t)] != kHalt
                 ? clone[static_cast<size_t>(t)] : t;
    };
    for (int32_t v : part) {
      FlowNode& copy = g.Nodes[static_cast<size_t>(clone[static_cast<size_t>(v)])];
      copy.Next = mapped(copy.Next);
      if (copy.HasTwoExits()) copy.NextTrue = mapped(copy.NextTrue);
    }
    for (int32_t p : preds[static_cast<size_t>(entry)]) {
      if (!in_region[static_cast<size_t>(p)]) Redirect(g.Nodes[static_cast<size_t>(p)], entry, clone[static_cast<size_t>(entry)]);
    }
    if (g.Entry == entry) g.Entry = clone[static_cast<size_t>(entry)];
    g.CopiedNodes += static_cast<int32_t>(part.size());
  }
}

// Every edge into an entry sets the state to the entry's number and goes to
// one dispatch, a chain of tests, which becomes the region's only entry. The
// edges from inside and from outside the region set the state in separate
// nodes, so that no assignment is both inside a cycle and entered from outside.
void DispatchRegion(FlowGraph& g, const Region& region, const std::vector<char>& in_region,
                    const std::vector<std::vector<int32_t>>& preds) {
  const int32_t k = static_cast<int32_t>(region.entries.size());
  const int32_t first_test = static_cast<int32_t>(g.Nodes.size());
  for (int32_t j = 0; j + 1 < k; ++j) {
    FlowNode test;
    test.Kind = FlowNodeKind::TestState;
    test.State = j + 1;
    test.NextTrue = region.entries[static_cast<size_t>(j)];
    test.Next = j + 2 < k ? first_test + j + 1 : region.entries[static_cast<size_t>(k - 1)];
    g.Nodes.push_back(test);
  }
  auto add_set = [&](int32_t value) {
    FlowNode set;
    set.Kind = FlowNodeKind::SetState;
    set.State = value;
    set.Next = first_test;
    g.Nodes.push_back(set);
    return static_cast<int32_t>(g.Nodes.size()) - 1;
  };
  for (int32_t j = 0; j < k; ++j) {
    const int32_t entry = region.entries[static_cast<size_t>(j)];
    int32_t from_inside = kHalt, from_outside = kHalt;
    for (int32_t p : preds[static_cast<size_t>(entry)]) {
      int32_t& set = in_region[static_cast<size_t>(p)] ? from_inside : from_outside;
      if (set == kHalt) set = add_set(j + 1);
      Redirect(g.Nodes[static_cast<size_t>(p)], entry, set);
    }
    if (g.Entry == entry) {
      if (from_outside == kHalt) from_outside = add_set(j + 1);
      g.Entry = from_outside;
    }
  }
  ++g.StateRegions;
}

}  // namespace

bool MakeReducible(FlowGraph& g, SplitBudget budget) {
  int32_t left = budget.Total >= 0 ? budget.Total : static_cast<int32_t>(g.Nodes.size()) / 2 + 8;
  if (!budget.AllowSplitting) left = 0;
  // Each round removes the extra entries of one region; the bound only
  // guards against a graph that would make the rounds go on for ever.
  const size_t rounds = 4 * g.Nodes.size() + 16;
  for (size_t round = 0; round < rounds; ++round) {
    const GraphOrder order = AnalyseGraph(g);
    if (IsReducible(g, order)) return true;
    const std::vector<std::vector<int32_t>> preds = g.Predecessors();
    Region region;
    if (!FindRegion(g, order, preds, region)) return false;
    std::vector<char> in_region(g.Nodes.size(), 0);
    for (int32_t v : region.nodes) in_region[static_cast<size_t>(v)] = 1;
    std::vector<std::vector<int32_t>> copies(region.entries.size());
    int32_t cost = 0;
    for (size_t k = 1; k < region.entries.size(); ++k) {
      copies[k] = ReachedBefore(g, in_region, region.entries[k], region.entries[0]);
      cost += static_cast<int32_t>(copies[k].size());
    }
    if (cost <= left && cost <= static_cast<int32_t>(region.nodes.size())) {
      left -= cost;
      SplitRegion(g, region, in_region, preds, copies);
    } else {
      DispatchRegion(g, region, in_region, preds);
    }
  }
  return false;
}

}  // namespace tessaro::codegen
