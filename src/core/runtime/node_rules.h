// The rules of tree nodes that both ways of running an instruction follow:
// the micro-step walk (execution.cpp) and the flat form of continuous runs
// (fast_code.cpp). Each rule is written here once; neither way decides on its
// own what a node does, which operand a missing one stands for, which values
// a fetch takes straight from the node or when an element exists.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/language/compiler.h"
#include "core/language/expression_tree.h"
#include "core/runtime/value_ops.h"

namespace tessaro {

// What the step of a node does: TStepCode::Action without kInnerNode.
enum StepAction : uint8_t {
  kLeafStep,
  kStatementStep,
  kElementStep,      // a call or an indexed element
  kPrefixStep,       // Operation: a PrefixOp
  kDereferenceStep,  // "^"
  kAssignStep,       // Operation: BinaryOp::None, or the operation of a compound assignment
  kOperationStep,    // Operation: the BinaryOp, None for the operators that compute nothing
  kNothingStep,      // lists, members and the nodes built after a parse error
};

// TStepCode::Operation of a prefix step.
enum PrefixOp : uint8_t {
  kPrefixNothing,  // "~" and the like parse but compute nothing
  kPrefixNegate,   // "!" and "not"
  kPrefixAddress,  // "@"
};

// TStepCode::Action carries this bit for a node with a child, whose
// computed values a reset clears.
constexpr uint8_t kInnerNode = 0x80;

// The step of `node`, worked out from its kind and operator text. Here alone
// are ":=" and "=" told from the compound assignments and from the
// operators; the walk and the flat form's builder both switch on the result.
TStepCode StepCodeOf(const TwrTree& node);

inline StepAction ActionOf(TStepCode code) {
  return static_cast<StepAction>(code.Action & static_cast<uint8_t>(~kInnerNode));
}

// The value a binary node takes for its missing left operand: «-x» is the
// negation 0 - x. Null for every other operator, whose missing operand is an
// error at its step and a warning where it is fetched.
const TValue* MissingLeftOperand(const TwrTree& parent);

// Whether fetching `node` as an operand reads its own NodeValue: a literal,
// or an inner node whose step computed it. Elements and calls compute theirs
// when first fetched; variables read their cells.
inline bool FetchReadsNodeValue(const TwrTree& node) {
  return node.NodeKind != kIndexedNode && node.NodeKind != kCallNode && node.VarIndex == -1;
}

// Element lookup: the element at 1-based `index` of a list of `count`
// elements from `elements` (a variable's first level), found only when it
// exists already. Null when the index is below 1 or beyond the list: the
// general element access must then check the indexes, grow the array or
// refuse. Deeper levels follow the same rule (TInstancjaZmiennej::FindChild).
inline TInstancjaZmiennej* ExistingElement(TInstancjaZmiennej* elements, size_t count, int32_t index) {
  return index >= 1 && static_cast<size_t>(index) <= count ? &elements[index - 1] : nullptr;
}

// The same along a whole path of indexes; null for an empty path.
inline TInstancjaZmiennej* ExistingElement(TInstancjaZmiennej* elements, size_t count,
                                           std::span<const int32_t> path) {
  if (path.empty()) return nullptr;
  TInstancjaZmiennej* cell = ExistingElement(elements, count, path[0]);
  for (size_t k = 1; cell && k < path.size(); ++k) cell = cell->FindChild(path[k]);
  return cell;
}

}  // namespace tessaro
