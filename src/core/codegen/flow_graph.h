// The control-flow graph of a compiled flowchart.
//
// One node per block that does something: its instructions are a run of the
// compiled program's instruction list. Junction nodes and other blocks
// without effect are folded into the edges that pass through them. The
// start block's node is the entry; a successor of kHalt ends the program,
// which is what an end block's missing exit means.
//
// Making the graph reducible adds two more kinds of node: copies of blocks
// (node splitting) and the assignments and tests of a state variable that
// let one loop stand for a region with several entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessaro {
class TKompilatorTS;
}

namespace tessaro::codegen {

constexpr int32_t kHalt = -1;

enum class FlowNodeKind : uint8_t {
  Block,      // instructions first..last of one block
  SetState,   // state := State, then Next
  TestState,  // if state = State then NextTrue else Next
};

struct FlowNode {
  FlowNodeKind Kind = FlowNodeKind::Block;
  int32_t Block = -1;  // source block; -1 for state nodes
  int32_t First = -1;  // first and last instruction of the block's run
  int32_t Last = -1;
  bool Condition = false;     // two successors: Next (false) and NextTrue
  int32_t Next = kHalt;
  int32_t NextTrue = kHalt;
  int32_t State = 0;
  bool Copy = false;  // a second node for the same block, made by node splitting

  bool HasTwoExits() const { return Condition || Kind == FlowNodeKind::TestState; }
};

struct FlowGraph {
  std::vector<FlowNode> Nodes;
  int32_t Entry = kHalt;
  // Blocks with instructions that no path from the start block reaches.
  std::vector<int32_t> UnreachableBlocks;
  int32_t CopiedNodes = 0;   // nodes added by node splitting
  int32_t StateRegions = 0;  // regions turned into a loop over a state variable

  // The successors of node `n` that are nodes (kHalt left out): false exit first.
  void Successors(int32_t n, std::vector<int32_t>& out) const;
  std::vector<std::vector<int32_t>> Predecessors() const;
};

// Whether instruction `index` of `program` does nothing when it runs: an empty
// text, a lone literal or a lone name without increment.
bool InstructionHasNoEffect(const TKompilatorTS& program, int32_t index);

// The graph of a program that compiled without errors.
FlowGraph BuildFlowGraph(const TKompilatorTS& program);

}  // namespace tessaro::codegen
