#include "core/runtime/node_rules.h"

#include <string>

namespace tessaro {

namespace {

bool IsAssignmentText(const std::string& op) { return op == ":=" || op == "="; }

// The missing left operand of a negation.
const TValue kZero = TValue::Integer(0);

}  // namespace

TStepCode StepCodeOf(const TwrTree& node) {
  const uint8_t inner = node.LeftNode || node.RightNode ? kInnerNode : 0;
  auto code = [inner](StepAction action, uint8_t operation = 0) {
    return TStepCode{static_cast<uint8_t>(action | inner), operation};
  };
  auto binary = [&code](StepAction action, BinaryOp op) { return code(action, static_cast<uint8_t>(op)); };
  // Nodes built after a parse error compute nothing, whatever their kind.
  if (IsParseErrorNode(node)) return code(kNothingStep);
  switch (node.NodeKind) {
    case kLeafNode:
    case kFunctionNameNode: return code(kLeafStep);
    case kStatementNode: return code(kStatementStep);
    case kCallNode:
    case kIndexedNode: return code(kElementStep);
    case kPrefixNode:
      if (node.OpText == "!" || node.OpText == "not") return code(kPrefixStep, kPrefixNegate);
      if (node.OpText == "@") return code(kPrefixStep, kPrefixAddress);
      return code(kPrefixStep, kPrefixNothing);
    case kBinaryNode:
      if (node.OpText == "^") return code(kDereferenceStep);
      if (IsAssignmentText(node.OpText)) return binary(kAssignStep, BinaryOp::None);
      if (const BinaryOp compound = CompoundAssignmentOp(node.OpText); compound != BinaryOp::None) {
        return binary(kAssignStep, compound);
      }
      return binary(kOperationStep, BinaryOpFromText(node.OpText));
    default: return code(kNothingStep);
  }
}

const TValue* MissingLeftOperand(const TwrTree& parent) {
  return parent.OpText == "-" ? &kZero : nullptr;
}

}  // namespace tessaro
