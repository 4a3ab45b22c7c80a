#include "core/runtime/fast_code.h"

#include <exception>
#include <string>

#include "core/language/compiler.h"
#include "core/runtime/fault.h"
#include "core/runtime/value_ops.h"

namespace tessaro {

namespace {

// The missing left operand of a negation «-x».
const TValue kZero = TValue::Integer(0);

bool IsAssignmentText(const std::string& op) { return op == ":=" || op == "="; }

bool IsBareLeaf(const TwrTree& node) {
  return node.NodeKind == kLeafNode && !node.LeftNode && !node.RightNode && !IsParseErrorNode(node);
}

// Writes the operations of one tree, children before their parent, as the
// walk would compute them; every method returns false for a tree the walk
// must run.
class Builder {
 public:
  Builder(const TKompilatorTS& compiler, std::vector<TFastOp>& ops) : c_(compiler), ops_(ops) {}

  bool Operand(TwrTree* node, TFastOperand& out) {
    if (!node || IsParseErrorNode(*node)) return false;
    if (IsBareLeaf(*node)) {
      if (node->VarIndex == -1) {
        out.Value = &node->NodeValue;
        return true;
      }
      if (node->IncMode != kNoIncrement || !IsVariable(node->VarIndex)) return false;
      out.Variable = node->VarIndex;
      return true;
    }
    if (node->VarIndex != -1) return false;
    TFastOp op;
    op.Node = node;
    switch (node->NodeKind) {
      case kBinaryNode: {
        const std::string& text = node->OpText;
        if (text == "^" || IsAssignmentText(text) || CompoundAssignmentOp(text) != BinaryOp::None) return false;
        const BinaryOp operation = BinaryOpFromText(text);
        if (operation == BinaryOp::None || !node->RightNode) return false;
        if (node->LeftNode) {
          if (!Operand(node->LeftNode, op.A)) return false;
        } else if (text == "-") {
          op.A.Value = &kZero;
        } else {
          return false;
        }
        if (!Operand(node->RightNode, op.B)) return false;
        op.Kind = kFastBinary;
        op.Operation = static_cast<uint8_t>(operation);
        break;
      }
      case kPrefixNode:
        if ((node->OpText != "!" && node->OpText != "not") || !Operand(node->RightNode, op.A)) return false;
        op.Kind = kFastNegate;
        break;
      case kIndexedNode:
        if (!Element(*node, op)) return false;
        op.Kind = kFastElement;
        break;
      default:
        return false;
    }
    ops_.push_back(op);
    out.Value = &node->NodeValue;
    return true;
  }

  // «v := x», «t[i] := x», «t[i, j] := x» and their compound forms.
  bool Assignment(TwrTree& root) {
    TwrTree* target = root.LeftNode;
    if (!target || !root.RightNode) return false;
    TFastOp op;
    op.Node = &root;
    if (!IsAssignmentText(root.OpText)) {
      const BinaryOp compound = CompoundAssignmentOp(root.OpText);
      if (compound == BinaryOp::None) return false;
      op.Operation = static_cast<uint8_t>(compound);
    }
    if (!Operand(root.RightNode, op.C)) return false;
    if (IsBareLeaf(*target) && target->OpText.empty() && target->IncMode == kNoIncrement &&
        IsVariable(target->VarIndex)) {
      op.Kind = kFastAssign;
      op.Variable = target->VarIndex;
    } else if (target->NodeKind == kIndexedNode && target->VarIndex == -1 && Element(*target, op)) {
      op.Kind = kFastAssignElement;
      op.Target = target;
    } else {
      return false;
    }
    ops_.push_back(op);
    return true;
  }

 private:
  bool IsVariable(int32_t v) const { return v >= 0 && v < static_cast<int32_t>(c_.Variables.size()); }

  // An element of one or two indexes: Variable and the index operands A, B.
  bool Element(const TwrTree& node, TFastOp& op) {
    const TwrTree* name = node.LeftNode;
    TwrTree* indexes = node.RightNode;
    if (IsParseErrorNode(node) || !name || !IsBareLeaf(*name) || !IsVariable(name->VarIndex) || !indexes) {
      return false;
    }
    if (indexes->NodeKind == kListNode) {
      TwrTree* first = indexes->LeftNode;
      TwrTree* second = indexes->RightNode;
      if (IsParseErrorNode(*indexes) || !first || !second || first->NodeKind == kListNode ||
          second->NodeKind == kListNode || !Operand(first, op.A) || !Operand(second, op.B)) {
        return false;
      }
      op.Indexes = 2;
    } else {
      if (!Operand(indexes, op.A)) return false;
      op.Indexes = 1;
    }
    op.Variable = name->VarIndex;
    return true;
  }

  const TKompilatorTS& c_;
  std::vector<TFastOp>& ops_;
};

// ---- running ----

// The value cell of a plain variable; null when it has none yet (the walk
// would create it).
// Variables are only ever added while a program lives: an index checked when
// the operations were built stays valid.
inline TValue* ScalarValue(TKompilatorTS& c, int32_t variable) {
  TInstancjaZmiennej& root = c.Variables[static_cast<size_t>(variable)].Root;
  return root.ChildCount() > 0 ? &root.Child(0).Value : nullptr;
}

inline const TValue* Fetch(TKompilatorTS& c, const TFastOperand& operand) {
  return operand.Variable < 0 ? operand.Value : ScalarValue(c, operand.Variable);
}

// An existing element addressed by integer indexes of at least 1; null for
// anything the general element access must handle (growth, errors,
// conversions of other kinds).
inline TInstancjaZmiennej* ExistingElement(TKompilatorTS& c, const TFastOp& op) {
  const TValue* a = Fetch(c, op.A);
  if (!a || a->Kind() != ValueKind::Integer) return nullptr;
  TInstancjaZmiennej* cell = &c.Variables[static_cast<size_t>(op.Variable)].Root;
  const int32_t i = a->AsInteger();
  if (i < 1 || i > cell->ChildCount()) return nullptr;
  cell = &cell->Child(i - 1);
  if (op.Indexes == 2) {
    const TValue* b = Fetch(c, op.B);
    if (!b || b->Kind() != ValueKind::Integer) return nullptr;
    const int32_t j = b->AsInteger();
    if (j < 1 || j > cell->ChildCount()) return nullptr;
    cell = &cell->Child(j - 1);
  }
  return cell;
}

// Depth of the operations under way; see TKompilatorTS::ExecutionDepth.
class DepthScope {
 public:
  explicit DepthScope(TKompilatorTS& c) : c_(c) { ++c_.ExecutionDepth; }
  ~DepthScope() { --c_.ExecutionDepth; }
  DepthScope(const DepthScope&) = delete;
  DepthScope& operator=(const DepthScope&) = delete;

 private:
  TKompilatorTS& c_;
};

// The store of an assignment, whose value the root node already holds, and
// its event, as the root step of the walk does them, with the walk's fault
// guard around the event.
void Commit(TKompilatorTS& c, Trozkaz& instruction, TValue& cell, const TwrTree& root, int32_t variable) {
  const int32_t steps = static_cast<int32_t>(instruction.Steps.size());
  instruction.StepIndex = steps - 1;  // the root's step is under way
  cell = root.NodeValue;
  const uint32_t generation = c.ProgramGeneration;
  DepthScope depth(c);
  try {
    c.FireVariableChange(variable);
  } catch (const RuntimeFault& fault) {
    c.AddRunTimeError(FaultMessage(fault.Kind()));
    return;
  } catch (const std::exception&) {
    c.AddRunTimeError(FaultMessage(FaultKind::Other));
    return;
  }
  if (generation == c.ProgramGeneration) instruction.StepIndex = steps;
}

}  // namespace

void BuildFastCode(const TKompilatorTS& compiler, Trozkaz& instruction) {
  TFastCode& fast = instruction.Fast;
  fast.Ops.clear();
  fast.Ready = 0;
  fast.Condition = 0;
  TwrTree* root = instruction.Tree.get();
  if (!root || instruction.Steps.empty()) return;
  // What Advance fetches of such a root is its NodeValue.
  fast.Condition = root->NodeKind != kIndexedNode && root->NodeKind != kCallNode && root->VarIndex == -1;
  Builder builder(compiler, fast.Ops);
  bool ready = false;
  if (IsParseErrorNode(*root)) {
    ready = false;
  } else if (IsBareLeaf(*root)) {
    ready = root->IncMode == kNoIncrement;  // nothing to compute
  } else if (root->NodeKind == kBinaryNode &&
             (IsAssignmentText(root->OpText) || CompoundAssignmentOp(root->OpText) != BinaryOp::None)) {
    ready = builder.Assignment(*root);
  } else {
    TFastOperand value;
    ready = builder.Operand(root, value);
  }
  if (!ready) fast.Ops.clear();
  fast.Ready = ready ? 1 : 0;
}

namespace {

// Runs the operations up to the store of an assignment, whose cell it hands
// back (null when the instruction stores nothing). Everything here only
// writes node values, which the walk resets before it starts; so giving up
// anywhere is harmless. Flattened: the helpers above are its inner loop.
[[gnu::flatten]] bool Evaluate(TKompilatorTS& c, const Trozkaz& instruction, TValue*& store) {
  try {
    for (const TFastOp& op : instruction.Fast.Ops) {
      switch (op.Kind) {
        case kFastBinary: {
          const TValue* a = Fetch(c, op.A);
          const TValue* b = Fetch(c, op.B);
          if (!a || !b) return false;
          const BinaryOp operation = static_cast<BinaryOp>(op.Operation);
          if (a->Kind() == ValueKind::Integer && b->Kind() == ValueKind::Integer &&
              IntegerFastPath(operation, a->AsInteger(), b->AsInteger(), op.Node->NodeValue)) {
            break;
          }
          op.Node->NodeValue = ApplyBinary(operation, *a, *b);
          break;
        }
        case kFastNegate: {
          const TValue* a = Fetch(c, op.A);
          if (!a) return false;
          op.Node->NodeValue = Negate(*a);
          break;
        }
        case kFastElement: {
          const TInstancjaZmiennej* cell = ExistingElement(c, op);
          if (!cell) return false;
          op.Node->NodeValue = cell->Value;
          break;
        }
        case kFastAssign:
        case kFastAssignElement: {
          TValue* cell = nullptr;
          if (op.Kind == kFastAssign) {
            cell = ScalarValue(c, op.Variable);
          } else if (TInstancjaZmiennej* element = ExistingElement(c, op)) {
            cell = &element->Value;
            op.Target->NodeValue = *cell;  // the target's own step reads the element
          }
          const TValue* value = Fetch(c, op.C);
          if (!cell || !value) return false;
          const BinaryOp operation = static_cast<BinaryOp>(op.Operation);
          if (operation == BinaryOp::None) {
            op.Node->NodeValue = *value;
          } else {
            op.Node->NodeValue = ApplyBinary(operation, *cell, *value);
          }
          store = cell;
          return true;  // an assignment is the root, the last operation
        }
        default:
          return false;
      }
    }
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

}  // namespace

bool RunFastCode(TKompilatorTS& c, Trozkaz& instruction) {
  TValue* store = nullptr;
  if (!Evaluate(c, instruction, store)) return false;
  if (store) {
    const TFastOp& root = instruction.Fast.Ops.back();
    Commit(c, instruction, *store, *root.Node, root.Variable);
  } else {
    instruction.StepIndex = static_cast<int32_t>(instruction.Steps.size());
  }
  return true;
}

}  // namespace tessaro
