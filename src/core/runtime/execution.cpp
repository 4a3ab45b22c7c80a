// Executing instructions: one tree node per micro step, operand fetching
// with increments, the statement nodes and the fault guard.
#include <algorithm>
#include <exception>
#include <new>
#include <span>

#include "core/i18n/language.h"
#include "core/language/builtin_functions.h"
#include "core/language/compiler.h"
#include "core/language/message_format.h"
#include "core/runtime/builtin_calls.h"
#include "core/language/fault.h"
#include "core/runtime/node_rules.h"
#include "core/runtime/plugin_value.h"
#include "core/runtime/run_history.h"
#include "core/runtime/value_ops.h"

namespace tessaro {

namespace {

// A variable's address is its number plus this.
constexpr int32_t kAddressBase = 64000;

// The indexes of one element access; most have one to three.
class IndexList {
 public:
  void Push(int32_t v) {
    if (size_ < kInline) {
      inline_[size_++] = v;
      return;
    }
    if (heap_.empty()) heap_.assign(inline_, inline_ + kInline);
    heap_.push_back(v);
    ++size_;
  }
  std::span<int32_t> View() {
    return heap_.empty() ? std::span<int32_t>(inline_, size_) : std::span<int32_t>(heap_);
  }
  void Reverse() {
    std::span<int32_t> v = View();
    std::reverse(v.begin(), v.end());
  }

 private:
  static constexpr size_t kInline = 4;
  int32_t inline_[kInline] = {};
  size_t size_ = 0;
  std::vector<int32_t> heap_;
};

bool IsVariableIndex(const TKompilatorTS& c, int32_t v) {
  return v >= 0 && v < static_cast<int32_t>(c.Variables.size());
}

// The existing element of `variable` at `indexes`, found without the
// general index check and element access (which it agrees with); null when
// the access needs them.
TInstancjaZmiennej* ExistingElementOf(TKompilatorTS& c, int32_t variable, std::span<const int32_t> indexes) {
  TInstancjaZmiennej& root = c.Variables[static_cast<size_t>(variable)].Root;
  const int32_t count = root.ChildCount();
  return count > 0 ? ExistingElement(&root.Child(0), static_cast<size_t>(count), indexes) : nullptr;
}

// The cell of a plain variable; its element 1 exists from resolution on.
TInstancjaZmiennej& Scalar(TKompilatorTS& c, int32_t variable) {
  TInstancjaZmiennej& root = c.Variables[static_cast<size_t>(variable)].Root;
  return root.ChildCount() > 0 ? root.Child(0) : ScalarCell(c, variable);
}

class Executor {
 public:
  Executor(TKompilatorTS& compiler, Trozkaz& instruction)
      : c_(compiler), ins_(instruction), generation_(compiler.ProgramGeneration),
        current_(compiler.Current) {}

  bool Node(TwrTree& node, TStepCode code);
  TValue Fetch(TwrTree* node, TwrTree* parent);

 private:
  // Whether an event handler discarded the program meanwhile.
  bool Discarded() const { return c_.ProgramGeneration != generation_; }
  void Error(const std::string& text) { c_.AddRunTimeError(text); }
  // An error that follows one which has just stopped the run (an index
  // check): recorded, without stopping a second time.
  void FollowingError(const std::string& text) {
    if (c_.Current == current_) {
      Error(text);
    } else {
      c_.AddError(text, c_.Current);
    }
  }

  // Index lists are walked right part first and reversed afterwards, so the
  // first written index comes first.
  void CollectIndexes(TwrTree* tree, IndexList& out);
  void CollectArguments(TwrTree* tree, std::vector<TValue>& out);
  bool CheckedIndexes(TwrTree* index_tree, IndexList& out);

  TValue FetchElement(TwrTree& node);
  TValue FetchCall(TwrTree& node);
  TValue FetchVariable(TwrTree& node);

  bool Leaf(TwrTree& node);
  bool Prefix(TwrTree& node, TStepCode code);
  bool Binary(TwrTree& node, TStepCode code);
  bool Dereference(TwrTree& node);
  bool Assign(TwrTree& node, BinaryOp op);
  bool Statement(TwrTree& node);
  bool Read(TwrTree& node);
  bool Write(TwrTree& node);

  TKompilatorTS& c_;
  Trozkaz& ins_;
  uint32_t generation_;
  int32_t current_;
};

void Executor::CollectIndexes(TwrTree* tree, IndexList& out) {
  if (!tree) return;
  if (tree->NodeKind == kListNode) {
    CollectIndexes(tree->RightNode, out);
    CollectIndexes(tree->LeftNode, out);
    return;
  }
  out.Push(ToInteger(Fetch(tree, tree)));
}

void Executor::CollectArguments(TwrTree* tree, std::vector<TValue>& out) {
  if (!tree) return;
  if (tree->NodeKind == kListNode) {
    CollectArguments(tree->RightNode, out);
    CollectArguments(tree->LeftNode, out);
    return;
  }
  out.push_back(Fetch(tree, tree));
}

bool Executor::CheckedIndexes(TwrTree* index_tree, IndexList& out) {
  CollectIndexes(index_tree, out);
  out.Reverse();
  return !Discarded() && CheckIndexes(c_, out.View());
}

TValue Executor::FetchElement(TwrTree& node) {
  if (!node.NodeValue.IsEmpty()) return node.NodeValue;
  IndexList indexes;
  CollectIndexes(node.RightNode, indexes);
  indexes.Reverse();
  if (Discarded()) return TValue::Integer(0);
  const int32_t variable = node.LeftNode ? node.LeftNode->VarIndex : -1;
  if (IsVariableIndex(c_, variable)) {
    if (TInstancjaZmiennej* cell = ExistingElementOf(c_, variable, indexes.View())) {
      node.NodeValue = cell->Value;
      return node.NodeValue;
    }
  }
  if (!CheckIndexes(c_, indexes.View())) {
    if (!Discarded()) FollowingError(LangText("msgcmp000037") + " ");
    return TValue::Integer(0);
  }
  if (!IsVariableIndex(c_, variable)) return TValue();
  node.NodeValue = ElementAccess(c_, variable, indexes.View()).Value;
  return node.NodeValue;
}

TValue Executor::FetchCall(TwrTree& node) {
  if (!node.NodeValue.IsEmpty()) return node.NodeValue;
  std::vector<TValue> arguments;
  CollectArguments(node.RightNode, arguments);
  std::reverse(arguments.begin(), arguments.end());
  if (Discarded()) return TValue();
  TValue result;
  if (node.ExtName.empty()) {
    ConversionNote note;
    if (CallBuiltin(node.FuncIndex, arguments, result, &note) == BuiltinStatus::WrongArity) {
      const std::string_view name = kBuiltinFunctions[static_cast<size_t>(node.FuncIndex - 1)].Name;
      Error(LangText("msgcmp000038") + " \"" + std::string(name) + "\"");
    }
    if (note.happened) NoteConversion(c_, ins_, note.from_base, note.to_base, note.text);
  } else if (node.FuncIndex >= 0 && node.FuncIndex < static_cast<int32_t>(c_.Extensions.size())) {
    TPluginResult r =
        CallExtension(c_, c_.Extensions[static_cast<size_t>(node.FuncIndex)].Module, node.ExtName, arguments);
    if (r.error.empty()) {
      result = r.value;
    } else {
      Error(r.error);
    }
  }
  if (Discarded()) return result;
  node.NodeValue = result;
  return result;
}

TValue Executor::FetchVariable(TwrTree& node) {
  if (!IsVariableIndex(c_, node.VarIndex)) return TValue();
  TInstancjaZmiennej& cell = Scalar(c_, node.VarIndex);
  if (node.IncMode == kNoIncrement) return cell.Value;
  const TValue value = cell.Value;
  switch (node.IncMode) {
    case kPostDecrement:
      cell.Value = ApplyBinary(BinaryOp::Subtract, value, TValue::Integer(1));
      return value;
    case kPreDecrement:
      cell.Value = ApplyBinary(BinaryOp::Subtract, value, TValue::Integer(1));
      return cell.Value;
    case kPostIncrement:
      cell.Value = ApplyBinary(BinaryOp::Add, value, TValue::Integer(1));
      return value;
    case kPreIncrement:
      cell.Value = ApplyBinary(BinaryOp::Add, value, TValue::Integer(1));
      return cell.Value;
    default:
      return value;
  }
}

TValue Executor::Fetch(TwrTree* node, TwrTree* parent) {
  if (!node) {
    if (parent && !parent->LeftNode) {
      if (const TValue* value = MissingLeftOperand(*parent)) return *value;
    }
    c_.AddWarning(LangText("msgcmp000036"), c_.Current);
    return TValue::Integer(0);
  }
  if (FetchReadsNodeValue(*node)) return node->NodeValue;
  if (node->NodeKind == kIndexedNode) return FetchElement(*node);
  if (node->NodeKind == kCallNode) return FetchCall(*node);
  // A lone increment was applied by its own step (Leaf below); fetching the
  // root afterwards must not apply it a second time.
  if (node->IncMode != kNoIncrement && !parent && node == ins_.Tree.get() && ins_.StepIndex >= 1 &&
      node->NodeKind == kLeafNode) {
    return node->NodeValue;
  }
  return FetchVariable(*node);
}

bool Executor::Leaf(TwrTree& node) {
  // Operands are fetched by their parent. Only an instruction that is a lone
  // increment («i++») has nobody to fetch it, so its own step applies it.
  if (&node == ins_.Tree.get() && node.IncMode != kNoIncrement && node.VarIndex != -1) {
    node.NodeValue = FetchVariable(node);
  }
  return true;
}

bool Executor::Prefix(TwrTree& node, TStepCode code) {
  if (!node.RightNode) {
    Error(FormatText(LangText("msgcmp000040"), {node.OpText}));
    return false;
  }
  if (code.Operation == kPrefixNegate) {
    node.NodeValue = Negate(Fetch(node.RightNode, &node));
  } else if (code.Operation == kPrefixAddress) {
    const TwrTree& target = *node.RightNode;
    const int32_t variable =
        target.NodeKind == kIndexedNode && target.LeftNode ? target.LeftNode->VarIndex : target.VarIndex;
    node.NodeValue = TValue::Integer(variable + kAddressBase);
  }
  return true;
}

bool Executor::Dereference(TwrTree& node) {
  if (!node.LeftNode && node.RightNode) {
    Error(FormatText(LangText("msgcmp000041"), {node.OpText}));
    return false;
  }
  try {
    const TValue v = ApplyBinary(BinaryOp::Subtract, Fetch(node.LeftNode, &node),
                                 TValue::Integer(kAddressBase));
    node.NodeValue = TValue::Integer(ToInteger(v));
  } catch (const RuntimeFault&) {
    Error(LangText("msgcmp000043") + " \"" + node.ItemName + "\".");
    return false;
  }
  return true;
}

bool Executor::Binary(TwrTree& node, TStepCode code) {
  const StepAction action = ActionOf(code);
  if (action == kDereferenceStep) return Dereference(node);
  // Only an operator whose missing left operand has a stand-in (a negation)
  // may lack one, and it still needs its right one.
  if (!node.LeftNode || !node.RightNode) {
    if (!MissingLeftOperand(node)) {
      Error(FormatText(LangText("msgcmp000041"), {node.OpText}));
      return false;
    }
    if (!node.RightNode) {
      Error(FormatText(LangText("msgcmp000042"), {node.OpText}));
      return false;
    }
  }
  const BinaryOp operation = static_cast<BinaryOp>(code.Operation);
  if (action == kAssignStep) return Assign(node, operation);
  if (operation == BinaryOp::None) return true;  // parses, computes nothing
  const TValue left = Fetch(node.LeftNode, &node);
  const TValue right = Fetch(node.RightNode, &node);
  if (Discarded()) return false;
  if (left.Kind() == ValueKind::Integer && right.Kind() == ValueKind::Integer &&
      IntegerFastPath(operation, left.AsInteger(), right.AsInteger(), node.NodeValue)) {
    return true;
  }
  node.NodeValue = ApplyBinary(operation, left, right);
  return true;
}

// ":=" and "=" (op None), and the compound assignments, which store
// `target op value`.
bool Executor::Assign(TwrTree& node, BinaryOp op) {
  TwrTree& target = *node.LeftNode;
  int32_t changed = -1;
  TValue value;
  TInstancjaZmiennej* cell = nullptr;
  if (target.NodeKind == kMemberNode) {
    Error(LangText("msgcmp000034"));
    return false;
  }
  if (target.NodeKind == kIndexedNode) {
    IndexList indexes;
    if (!CheckedIndexes(target.RightNode, indexes)) return false;
    value = Fetch(node.RightNode, &node);
    const int32_t variable = target.LeftNode ? target.LeftNode->VarIndex : -1;
    if (Discarded() || !IsVariableIndex(c_, variable)) return false;
    cell = ExistingElementOf(c_, variable, indexes.View());
    if (!cell) cell = &ElementAccess(c_, variable, indexes.View());
    if (cell == &c_.NullInstance) return false;
    changed = variable;
  } else if (target.VarIndex == -1 && target.OpText != "^") {
    Error(LangText("msgcmp000045"));
    return false;
  } else if (target.OpText == "^") {
    const TValue number = Fetch(&target, &node);
    value = Fetch(node.RightNode, &node);
    if (Discarded()) return false;
    int32_t k = 0;
    bool valid = true;
    try {
      k = ToInteger(number);
    } catch (const RuntimeFault&) {
      valid = false;
    }
    if (!valid || !IsVariableIndex(c_, k)) {
      Error(LangText("msgcmp000046") + " " + (valid ? std::to_string(k) : TextForm(number)));
      return false;
    }
    cell = &ScalarCell(c_, k);
    changed = -1;
  } else {
    value = Fetch(node.RightNode, &node);
    if (Discarded() || !IsVariableIndex(c_, target.VarIndex)) return false;
    cell = &Scalar(c_, target.VarIndex);
    changed = target.VarIndex;
  }
  if (op != BinaryOp::None) value = ApplyBinary(op, cell->Value, value);
  cell->Value = value;
  node.NodeValue = value;
  c_.FireVariableChange(changed);
  return true;
}

bool Executor::Read(TwrTree& node) {
  int32_t variable = FindVariable(c_, node.ItemName);
  if (variable == -1) {
    // An element: the item names a known variable before its "[".
    variable = FindVariable(c_, std::string_view(node.ItemName).substr(0, node.ItemName.find('[')));
    if (variable == -1) {
      Error(FormatText(LangText("msgcmp000039"), {node.ItemName}));
      return false;
    }
    const TwrTree* item = node.RightNode;
    IndexList indexes;
    if (!CheckedIndexes(item && item->NodeKind == kIndexedNode ? item->RightNode : nullptr, indexes)) {
      if (!Discarded()) FollowingError(LangText("msgcmp000037") + " ");
      return false;
    }
    std::string answer;
    AskForAnswer(c_, c_.Variables[static_cast<size_t>(variable)].Name, answer);
    if (Discarded()) return false;
    node.SrcText = answer;
    // An element takes the answer as text, unconverted.
    TInstancjaZmiennej& cell = ElementAccess(c_, variable, indexes.View());
    if (&cell != &c_.NullInstance) cell.Value = TValue::String(answer);
    c_.FireVariableChange(variable);
    return true;
  }
  std::string answer;
  AskForAnswer(c_, c_.Variables[static_cast<size_t>(variable)].Name, answer);
  if (Discarded() || !IsVariableIndex(c_, variable)) return false;
  node.SrcText = answer;
  if (!ReadWholeVariable(c_, variable, answer)) return false;
  c_.FireVariableChange(variable);
  return true;
}

bool Executor::Write(TwrTree& node) {
  const int32_t variable = FindVariable(c_, node.ItemName);
  const std::string text = variable != -1 ? RenderVariable(c_, variable)
                                          : TextForm(Fetch(node.RightNode, &node));
  if (Discarded()) return false;
  ShowOutput(c_, text, node.ItemName);
  return true;
}

bool Executor::Statement(TwrTree& node) {
  if (node.OpText == "dim") {
    if (!IsVariableIndex(c_, node.VarIndex)) return false;
    ForcedDynamicArrays forced(c_.DynamicArrays);
    return DeclareVariable(c_, node.VarIndex, node.DimsText);
  }
  if (node.OpText == "set") {
    if (!IsVariableIndex(c_, node.VarIndex)) return false;
    ForcedDynamicArrays forced(c_.DynamicArrays);
    if (!TupleAssign(c_, node.VarIndex, node.SrcText, true)) return false;
    c_.FireVariableChange(node.VarIndex);
    return true;
  }
  // Input and output happen only when somebody listens.
  if (!c_.OnInputOutput) return true;
  if (node.OpText == "read") return Read(node);
  if (node.OpText == "write") return Write(node);
  return true;
}

bool Executor::Node(TwrTree& node, TStepCode code) {
  switch (ActionOf(code)) {
    case kLeafStep: return Leaf(node);
    case kStatementStep: return Statement(node);
    case kElementStep: node.NodeValue = Fetch(&node, &node); return true;
    case kPrefixStep: return Prefix(node, code);
    case kDereferenceStep:
    case kAssignStep:
    case kOperationStep: return Binary(node, code);
    default: return true;  // lists and members compute nothing of their own
  }
}

// Depth of the steps and operations under way; see TKompilatorTS::ExecutionDepth.
class ExecutionScope {
 public:
  explicit ExecutionScope(TKompilatorTS& c) : c_(c) { ++c_.ExecutionDepth; }
  ~ExecutionScope() { --c_.ExecutionDepth; }
  ExecutionScope(const ExecutionScope&) = delete;
  ExecutionScope& operator=(const ExecutionScope&) = delete;

 private:
  TKompilatorTS& c_;
};

}  // namespace

namespace {

inline void FillStepCodes(Trozkaz& instruction) {
  if (instruction.StepCodes.size() == instruction.Steps.size()) [[likely]] return;
  instruction.StepCodes.clear();
  for (const TwrTree* step : instruction.Steps) instruction.StepCodes.push_back(StepCodeOf(*step));
}

// Executes up to `count` steps of `instruction`, each as ExecuteStep
// describes, and returns how many were executed: fewer when the steps run
// out or one fails.
int64_t RunSteps(TKompilatorTS& c, Trozkaz& instruction, int64_t count) {
  FillStepCodes(instruction);
  const uint32_t generation = c.ProgramGeneration;
  ExecutionScope scope(c);
  Executor executor(c, instruction);
  int64_t executed = 0;
  const uint32_t errors = c.RunTimeErrorCount;
  // The fault guard: any fault of a step becomes one error and a stop, and
  // that step counts as not executed.
  try {
    while (executed < count) {
      const int32_t n = static_cast<int32_t>(instruction.Steps.size());
      if (instruction.StepIndex < 0 || instruction.StepIndex >= n) break;
      const size_t at = static_cast<size_t>(n - 1 - instruction.StepIndex);
      TwrTree& node = *instruction.Steps[at];
      const TStepCode code = instruction.StepCodes[at];
      const StepAction action = ActionOf(code);
      // Operands and lists compute nothing at their own step (their parent
      // fetches them); only a lone increment, the root, has work to do.
      const bool idle = (action == kLeafStep || action == kNothingStep) && &node != instruction.Tree.get();
      if (!idle && (!executor.Node(node, code) || generation != c.ProgramGeneration)) break;
      ++instruction.StepIndex;
      ++executed;
      // A run-time error stops a run by leaving its instruction. An evaluated
      // expression is no instruction of the run: it ends here, or the steps
      // after the failing one would report the same failure again.
      if (c.EvalMode && c.RunTimeErrorCount != errors) break;
    }
  } catch (const RuntimeFault& fault) {
    c.AddRunTimeError(FaultMessage(fault));
  } catch (const std::exception&) {
    c.AddRunTimeError(FaultMessage(FaultKind::Other));
  }
  return executed;
}

}  // namespace

bool TKompilatorTS::ExecuteStep(Trozkaz& instruction) { return RunSteps(*this, instruction, 1) == 1; }

void TKompilatorTS::ResetInstruction(Trozkaz& instruction) {
  instruction.StepIndex = 0;
  // Steps lists every node of the tree, so walking it clears what
  // ClearComputedValues would, without a walk of the tree of its own.
  if (instruction.Steps.empty()) {
    ClearComputedValues(instruction.Tree.get());
    return;
  }
  FillStepCodes(instruction);
  for (size_t k = 0; k < instruction.Steps.size(); ++k) {
    if (!(instruction.StepCodes[k].Action & kInnerNode)) continue;
    TwrTree* node = instruction.Steps[k];
    if (!node->SrcText.empty()) node->SrcText.clear();
    if (!node->NodeValue.IsEmpty()) node->NodeValue = TValue();
  }
}

void TKompilatorTS::ExecuteInstruction(Trozkaz& instruction) {
  ResetInstruction(instruction);
  RunSteps(*this, instruction, INT64_MAX);
}

void TKompilatorTS::ExecuteRemainingSteps(Trozkaz& instruction) { RunSteps(*this, instruction, INT64_MAX); }

TValue TKompilatorTS::FetchOperand(Trozkaz& instruction, TwrTree* node, TwrTree* parent) {
  ExecutionScope scope(*this);
  return Executor(*this, instruction).Fetch(node, parent);
}

}  // namespace tessaro
