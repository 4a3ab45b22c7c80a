// Structuring a reducible flow graph into the intermediate tree.
//
// The method follows Ramsey's dominator-tree translation ("Beyond
// Relooper", ICFP 2022): a node's code is followed by the code of the
// dominator-tree children that several edges join (merge nodes), each
// behind a block that its incoming edges leave; a loop header's code runs
// inside a loop that back edges continue. Unlike the original, the nodes a
// loop leaves to are placed after that loop, so the rest of a program does
// not end up inside its loops.
//
// Blocks and multi-level exits have no form in the targets, so three passes
// follow: exits at the end of what they leave are dropped, an exit from a
// loop to just after it becomes break, and every other exit sets a flag that
// guards the statements it skips; then loops that test first or last take
// the while and do-while forms.
#pragma once

#include "core/codegen/code_tree.h"
#include "core/codegen/flow_graph.h"

namespace tessaro {
class TKompilatorTS;
}

namespace tessaro::codegen {

// `g` must be reducible (MakeReducible).
CodeTree StructureGraph(const FlowGraph& g, const TKompilatorTS& program);

}  // namespace tessaro::codegen
