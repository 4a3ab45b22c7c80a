#include "core/runtime/fast_code.h"

#include <exception>
#include <string>

#include "core/language/compiler.h"
#include "core/language/fault.h"
#include "core/runtime/instruction_end.h"
#include "core/runtime/node_rules.h"
#include "core/runtime/value_ops.h"

namespace tessaro {

namespace {

// The runner of a finished operation (defined with the runners below).
TFastRun RunnerFor(const TFastOp& op);

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
    const TStepCode code = StepCodeOf(*node);
    switch (ActionOf(code)) {
      case kOperationStep: {
        const BinaryOp operation = static_cast<BinaryOp>(code.Operation);
        if (operation == BinaryOp::None || !node->RightNode) return false;
        if (node->LeftNode) {
          if (!Operand(node->LeftNode, op.A)) return false;
        } else if (const TValue* stand_in = MissingLeftOperand(*node)) {
          op.A.Value = stand_in;
        } else {
          return false;
        }
        if (!Operand(node->RightNode, op.B)) return false;
        op.Kind = kFastBinary;
        op.Operation = code.Operation;
        break;
      }
      case kPrefixStep:
        if (code.Operation != kPrefixNegate || !Operand(node->RightNode, op.A)) return false;
        op.Kind = kFastNegate;
        break;
      case kElementStep:  // calls are left to the walk
        if (node->NodeKind != kIndexedNode || !Element(*node, op)) return false;
        op.Kind = kFastElement;
        break;
      default:
        return false;
    }
    op.Run = RunnerFor(op);
    ops_.push_back(op);
    out.Value = &node->NodeValue;
    return true;
  }

  // «v := x», «t[i] := x», «t[i, j] := x» and their compound forms.
  bool Assignment(TwrTree& root) {
    TwrTree* target = root.LeftNode;
    if (!target || !root.RightNode) return false;
    const TStepCode code = StepCodeOf(root);
    if (ActionOf(code) != kAssignStep) return false;
    TFastOp op;
    op.Node = &root;
    op.Operation = code.Operation;  // None for a plain assignment
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
    op.Run = RunnerFor(op);
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

}  // namespace

// What the operations of one instruction share while they run.
struct TFastFrame {
  const TFastCell* Cells;   // by variable index
  TValue* Store = nullptr;  // the cell an assignment stores into
};

namespace {

// Looks every variable's cells up again.
void RebuildCells(TKompilatorTS& c, uint64_t layout) {
  TFastCells& cache = c.FastCells;
  cache.Cells.resize(c.Variables.size());
  for (size_t v = 0; v < c.Variables.size(); ++v) {
    TInstancjaZmiennej& root = c.Variables[v].Root;
    TFastCell& cell = cache.Cells[v];
    cell.Count = static_cast<size_t>(root.ChildCount());
    cell.Elements = cell.Count > 0 ? &root.Child(0) : nullptr;
    cell.Scalar = cell.Elements ? &cell.Elements->Value : nullptr;
  }
  cache.Layout = layout;
  cache.Valid = true;
}

// The variables' cells, looked up again when a list of children may have
// moved since the last look. Following Variables to a variable's root and on
// to its list at every operand was much of a continuous run's time.
inline const TFastCell* Cells(TKompilatorTS& c) {
  TFastCells& cache = c.FastCells;
  const uint64_t layout = TInstancjaZmiennej::LayoutChanges();
  if (!cache.Valid || cache.Layout != layout || cache.Cells.size() != c.Variables.size()) {
    RebuildCells(c, layout);
  }
  return cache.Cells.data();
}

// The value cell of a plain variable; null when it has none yet (the walk
// would create it).
inline TValue* ScalarValue(const TFastFrame& frame, int32_t variable) {
  return frame.Cells[variable].Scalar;
}

inline const TValue* Fetch(const TFastFrame& frame, const TFastOperand& operand) {
  return operand.Variable < 0 ? operand.Value : ScalarValue(frame, operand.Variable);
}

// Fetch for an operand whose source is known when the runner is picked.
template <bool FromVariable>
inline const TValue* FetchFrom(const TFastFrame& frame, const TFastOperand& operand) {
  if constexpr (FromVariable) {
    return ScalarValue(frame, operand.Variable);
  } else {
    return operand.Value;
  }
}

// An existing element addressed by integer indexes of at least 1; null for
// anything the general element access must handle (growth, errors,
// conversions of other kinds).
inline TInstancjaZmiennej* ExistingElement(const TFastFrame& frame, const TFastOp& op) {
  const TValue* a = Fetch(frame, op.A);
  if (!a || a->Kind() != ValueKind::Integer) return nullptr;
  const TFastCell& variable = frame.Cells[op.Variable];
  TInstancjaZmiennej* cell = tessaro::ExistingElement(variable.Elements, variable.Count, a->AsInteger());
  if (!cell || op.Indexes != 2) return cell;
  const TValue* b = Fetch(frame, op.B);
  if (!b || b->Kind() != ValueKind::Integer) return nullptr;
  return cell->FindChild(b->AsInteger());
}

template <BinaryOp Operation, bool AFromVariable, bool BFromVariable>
bool RunBinary(TFastFrame& frame, const TFastOp& op) {
  const TValue* a = FetchFrom<AFromVariable>(frame, op.A);
  const TValue* b = FetchFrom<BFromVariable>(frame, op.B);
  if (!a || !b) return false;
  TValue& out = op.Node->NodeValue;
  if (a->Kind() == ValueKind::Integer && b->Kind() == ValueKind::Integer &&
      IntegerFastPath(Operation, a->AsInteger(), b->AsInteger(), out)) {
    return true;
  }
  out = ApplyBinary(Operation, *a, *b);
  return true;
}

bool RunNegate(TFastFrame& frame, const TFastOp& op) {
  const TValue* a = Fetch(frame, op.A);
  if (!a) return false;
  op.Node->NodeValue = Negate(*a);
  return true;
}

bool RunElement(TFastFrame& frame, const TFastOp& op) {
  const TInstancjaZmiennej* cell = ExistingElement(frame, op);
  if (!cell) return false;
  op.Node->NodeValue = cell->Value;
  return true;
}

// The value an assignment stores, in its root node, and the cell it goes to.
inline bool Assign(TFastFrame& frame, const TFastOp& op, TValue* cell) {
  const TValue* value = Fetch(frame, op.C);
  if (!cell || !value) return false;
  const BinaryOp operation = static_cast<BinaryOp>(op.Operation);
  if (operation == BinaryOp::None) {
    op.Node->NodeValue = *value;
  } else {
    op.Node->NodeValue = ApplyBinary(operation, *cell, *value);
  }
  frame.Store = cell;
  return true;
}

bool RunAssign(TFastFrame& frame, const TFastOp& op) {
  return Assign(frame, op, ScalarValue(frame, op.Variable));
}

bool RunAssignElement(TFastFrame& frame, const TFastOp& op) {
  TInstancjaZmiennej* element = ExistingElement(frame, op);
  if (!element) return false;
  op.Target->NodeValue = element->Value;  // the target's own step reads the element
  return Assign(frame, op, &element->Value);
}

template <BinaryOp Operation>
TFastRun BinaryRunner(const TFastOp& op) {
  const bool a = op.A.Variable >= 0;
  const bool b = op.B.Variable >= 0;
  if (a && b) return RunBinary<Operation, true, true>;
  if (a) return RunBinary<Operation, true, false>;
  if (b) return RunBinary<Operation, false, true>;
  return RunBinary<Operation, false, false>;
}

TFastRun RunnerFor(const TFastOp& op) {
  switch (op.Kind) {
    case kFastNegate: return RunNegate;
    case kFastElement: return RunElement;
    case kFastAssign: return RunAssign;
    case kFastAssignElement: return RunAssignElement;
    default: break;
  }
  switch (static_cast<BinaryOp>(op.Operation)) {
    case BinaryOp::Add: return BinaryRunner<BinaryOp::Add>(op);
    case BinaryOp::Subtract: return BinaryRunner<BinaryOp::Subtract>(op);
    case BinaryOp::Multiply: return BinaryRunner<BinaryOp::Multiply>(op);
    case BinaryOp::Divide: return BinaryRunner<BinaryOp::Divide>(op);
    case BinaryOp::Div: return BinaryRunner<BinaryOp::Div>(op);
    case BinaryOp::Mod: return BinaryRunner<BinaryOp::Mod>(op);
    case BinaryOp::Shl: return BinaryRunner<BinaryOp::Shl>(op);
    case BinaryOp::Shr: return BinaryRunner<BinaryOp::Shr>(op);
    case BinaryOp::And: return BinaryRunner<BinaryOp::And>(op);
    case BinaryOp::Or: return BinaryRunner<BinaryOp::Or>(op);
    case BinaryOp::Equal: return BinaryRunner<BinaryOp::Equal>(op);
    case BinaryOp::NotEqual: return BinaryRunner<BinaryOp::NotEqual>(op);
    case BinaryOp::Less: return BinaryRunner<BinaryOp::Less>(op);
    case BinaryOp::LessEqual: return BinaryRunner<BinaryOp::LessEqual>(op);
    case BinaryOp::Greater: return BinaryRunner<BinaryOp::Greater>(op);
    case BinaryOp::GreaterEqual: return BinaryRunner<BinaryOp::GreaterEqual>(op);
    case BinaryOp::None: break;
  }
  return nullptr;  // never built: the builder refuses None
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
inline void Commit(TKompilatorTS& c, Trozkaz& instruction, TValue& cell, const TwrTree& root, int32_t variable) {
  const int32_t steps = static_cast<int32_t>(instruction.Steps.size());
  if (!c.OnVariableChange) {  // nothing can happen between the store and the step's end
    cell = root.NodeValue;
    instruction.StepIndex = steps;
    return;
  }
  instruction.StepIndex = steps - 1;  // the root's step is under way
  cell = root.NodeValue;
  const uint32_t generation = c.ProgramGeneration;
  DepthScope depth(c);
  try {
    c.FireVariableChange(variable);
  } catch (const RuntimeFault& fault) {
    c.AddRunTimeError(FaultMessage(fault));
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
  fast.Condition = FetchReadsNodeValue(*root);
  Builder builder(compiler, fast.Ops);
  bool ready = false;
  if (IsParseErrorNode(*root)) {
    ready = false;
  } else if (IsBareLeaf(*root)) {
    ready = root->IncMode == kNoIncrement;  // nothing to compute
  } else if (ActionOf(StepCodeOf(*root)) == kAssignStep) {
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
// anywhere is harmless.
// Inline: the continuous run's loop calls it for every instruction.
inline bool Evaluate(TKompilatorTS& c, const Trozkaz& instruction, TValue*& store) {
  TFastFrame frame{Cells(c)};
  try {
    for (const TFastOp& op : instruction.Fast.Ops) {
      if (!op.Run(frame, op)) return false;
    }
  } catch (const std::exception&) {
    return false;
  }
  store = frame.Store;
  return true;
}

}  // namespace

namespace {

// RunFastCode, forced inline into the continuous run's loop: as a call it
// cost that loop a tenth of its time.
[[gnu::always_inline]] inline bool RunFlat(TKompilatorTS& c, Trozkaz& instruction) {
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

}  // namespace

bool RunFastCode(TKompilatorTS& c, Trozkaz& instruction) { return RunFlat(c, instruction); }

// The same steps as InstructionStep, in one loop: a continuous run spends
// most of its time here.
TFastStepResult RunStretch(TKompilatorTS& c) {
  // Whether breakpoints are set is asked once between two instructions
  // (nothing runs between the test after a step and the next instruction).
  BreakpointWatch breakpoints(c, false);
  // An instruction that micro steps began is finished by its own steps. Only
  // the first can be one: every instruction left is idle.
  if (c.HasInstruction(c.Current) && c.Instructions[static_cast<size_t>(c.Current)].StepIndex != 0) {
    return kFastStepDeclined;
  }
  while (c.Running) {
    const int32_t current = c.Current;
    if (!c.HasInstruction(current)) return kFastStepDeclined;
    Trozkaz& instruction = c.Instructions[static_cast<size_t>(current)];
    if (!instruction.Fast.Ready || breakpoints.Set()) return kFastStepDeclined;
    const uint32_t generation = c.ProgramGeneration;
    c.ClearSelections();  // InstructionStep clears them again when it takes over
    c.BeginStep();
    if (!RunFlat(c, instruction)) {
      --c.StepPosition;  // nothing was done: InstructionStep begins this step again
      return kFastStepDeclined;
    }
    if (FinishInstruction(c, instruction, current, generation, breakpoints)) return kFastStepHalted;
  }
  return kFastStepDone;
}

}  // namespace tessaro
