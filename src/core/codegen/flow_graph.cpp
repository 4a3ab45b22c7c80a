#include "core/codegen/flow_graph.h"

#include "core/language/compiler.h"

namespace tessaro::codegen {

void FlowGraph::Successors(int32_t n, std::vector<int32_t>& out) const {
  out.clear();
  const FlowNode& node = Nodes[static_cast<size_t>(n)];
  if (node.Next != kHalt) out.push_back(node.Next);
  if (node.HasTwoExits() && node.NextTrue != kHalt) out.push_back(node.NextTrue);
}

std::vector<std::vector<int32_t>> FlowGraph::Predecessors() const {
  std::vector<std::vector<int32_t>> preds(Nodes.size());
  std::vector<int32_t> succ;
  for (int32_t n = 0; n < static_cast<int32_t>(Nodes.size()); ++n) {
    Successors(n, succ);
    for (int32_t s : succ) preds[static_cast<size_t>(s)].push_back(n);
  }
  return preds;
}

bool InstructionHasNoEffect(const TKompilatorTS& program, int32_t index) {
  const Trozkaz& ins = program.Instructions[static_cast<size_t>(index)];
  const TwrTree* tree = ins.Tree.get();
  if (!tree) return true;
  return tree->NodeKind == kLeafNode && !tree->LeftNode && !tree->RightNode && tree->IncMode == kNoIncrement;
}

namespace {

// A node that may be folded away: one successor and nothing to do.
bool IsPassThrough(const TKompilatorTS& program, const FlowNode& node) {
  if (node.Condition) return false;
  for (int32_t i = node.First; i <= node.Last; ++i) {
    if (!InstructionHasNoEffect(program, i)) return false;
  }
  return true;
}

}  // namespace

FlowGraph BuildFlowGraph(const TKompilatorTS& program) {
  const std::vector<Trozkaz>& ins = program.Instructions;
  const int32_t count = static_cast<int32_t>(ins.size());
  // 1. One node per block: the instructions of a block are consecutive.
  std::vector<FlowNode> raw;
  std::vector<int32_t> node_of_first(static_cast<size_t>(count), kHalt);
  for (int32_t i = 0; i < count;) {
    FlowNode node;
    node.Block = ins[static_cast<size_t>(i)].BlockIndex;
    node.First = i;
    while (i + 1 < count && ins[static_cast<size_t>(i + 1)].BlockIndex == node.Block) ++i;
    node.Last = i;
    const Trozkaz& exit = ins[static_cast<size_t>(i)];
    node.Condition = exit.Kind == Warunek;
    node.Next = exit.Next;  // instruction indexes for now
    node.NextTrue = exit.NextTrue;
    node_of_first[static_cast<size_t>(node.First)] = static_cast<int32_t>(raw.size());
    raw.push_back(node);
    ++i;
  }
  auto to_node = [&](int32_t instruction) {
    if (instruction < 0 || instruction >= count) return kHalt;
    return node_of_first[static_cast<size_t>(instruction)];
  };
  for (FlowNode& node : raw) {
    node.Next = to_node(node.Next);
    node.NextTrue = node.Condition ? to_node(node.NextTrue) : kHalt;
  }
  const int32_t raw_count = static_cast<int32_t>(raw.size());

  // 2. Where an edge really leads once pass-through nodes are skipped. A
  // cycle made only of such nodes keeps one of them: it is an endless loop.
  constexpr int32_t kUnknown = -2;
  constexpr int32_t kOnPath = -3;
  std::vector<int32_t> target(static_cast<size_t>(raw_count), kUnknown);
  auto resolve = [&](int32_t start) {
    std::vector<int32_t> path;
    int32_t n = start;
    while (n != kHalt && target[static_cast<size_t>(n)] == kUnknown &&
           IsPassThrough(program, raw[static_cast<size_t>(n)])) {
      target[static_cast<size_t>(n)] = kOnPath;
      path.push_back(n);
      n = raw[static_cast<size_t>(n)].Next;
    }
    int32_t end = kHalt;
    if (n != kHalt) {
      int32_t& t = target[static_cast<size_t>(n)];
      if (t == kOnPath || t == kUnknown) t = n;  // a node that stays
      end = t;
    }
    for (int32_t p : path) {
      if (target[static_cast<size_t>(p)] == kOnPath) target[static_cast<size_t>(p)] = end;
    }
  };
  for (int32_t n = 0; n < raw_count; ++n) resolve(n);
  auto forward = [&](int32_t n) { return n == kHalt ? kHalt : target[static_cast<size_t>(n)]; };

  // 3. The nodes reachable from the start through the folded edges, in
  // instruction order, renumbered.
  FlowGraph g;
  if (raw.empty()) return g;
  const int32_t entry = forward(0);
  std::vector<int32_t> number(static_cast<size_t>(raw_count), -1);
  std::vector<int32_t> stack;
  std::vector<char> seen(static_cast<size_t>(raw_count), 0);
  if (entry != kHalt) {
    stack.push_back(entry);
    seen[static_cast<size_t>(entry)] = 1;
  }
  while (!stack.empty()) {
    const int32_t n = stack.back();
    stack.pop_back();
    const FlowNode& node = raw[static_cast<size_t>(n)];
    for (int32_t s : {forward(node.Next), node.Condition ? forward(node.NextTrue) : kHalt}) {
      if (s != kHalt && !seen[static_cast<size_t>(s)]) {
        seen[static_cast<size_t>(s)] = 1;
        stack.push_back(s);
      }
    }
  }
  // Reachability through the unfolded edges, for the report of unreachable blocks.
  std::vector<char> reached(static_cast<size_t>(raw_count), 0);
  stack.assign(1, 0);
  reached[0] = 1;
  while (!stack.empty()) {
    const int32_t n = stack.back();
    stack.pop_back();
    const FlowNode& node = raw[static_cast<size_t>(n)];
    for (int32_t s : {node.Next, node.Condition ? node.NextTrue : kHalt}) {
      if (s != kHalt && !reached[static_cast<size_t>(s)]) {
        reached[static_cast<size_t>(s)] = 1;
        stack.push_back(s);
      }
    }
  }
  for (int32_t n = 0; n < raw_count; ++n) {
    if (!reached[static_cast<size_t>(n)] && !IsPassThrough(program, raw[static_cast<size_t>(n)])) {
      g.UnreachableBlocks.push_back(raw[static_cast<size_t>(n)].Block);
    }
    if (seen[static_cast<size_t>(n)]) {
      number[static_cast<size_t>(n)] = static_cast<int32_t>(g.Nodes.size());
      g.Nodes.push_back(raw[static_cast<size_t>(n)]);
    }
  }
  auto renumber = [&](int32_t n) { n = forward(n); return n == kHalt ? kHalt : number[static_cast<size_t>(n)]; };
  for (FlowNode& node : g.Nodes) {
    node.Next = renumber(node.Next);
    node.NextTrue = node.Condition ? renumber(node.NextTrue) : kHalt;
  }
  g.Entry = entry == kHalt ? kHalt : number[static_cast<size_t>(entry)];
  return g;
}

}  // namespace tessaro::codegen
