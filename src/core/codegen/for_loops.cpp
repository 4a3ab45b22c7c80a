#include "core/codegen/for_loops.h"

#include "core/codegen/variable_use.h"
#include "core/language/compiler.h"

namespace tessaro::codegen {

namespace {

const TwrTree* InstructionTree(const TKompilatorTS& program, int32_t index) {
  return program.Instructions[static_cast<size_t>(index)].Tree.get();
}

bool IsAssignment(const TwrTree* n) { return n && n->NodeKind == kBinaryNode && (n->OpText == ":=" || n->OpText == "="); }

bool IsCounterLeaf(const TwrTree* n, int32_t counter) {
  return n && n->NodeKind == kLeafNode && n->VarIndex == counter && n->IncMode == kNoIncrement;
}

bool IntegerLiteral(const TwrTree* n, int32_t& out) {
  if (!n || n->NodeKind != kLeafNode || n->VarIndex >= 0 || n->IncMode != kNoIncrement ||
      n->NodeValue.Kind() != ValueKind::Integer) {
    return false;
  }
  out = n->NodeValue.AsInteger();
  return true;
}

// «i := a»: the counter, or -1.
int32_t StartedCounter(const TwrTree* n) {
  if (!IsAssignment(n) || !n->RightNode) return -1;
  const TwrTree* target = n->LeftNode;
  if (!target || target->NodeKind != kLeafNode || target->IncMode != kNoIncrement) return -1;
  return target->VarIndex;
}

// «i := i + c», «i := i - c», «i += c», «i -= c», «i++», «i--»: the constant, or 0.
int32_t StepOf(const TwrTree* n, int32_t counter) {
  if (!n) return 0;
  if (n->NodeKind == kLeafNode && n->VarIndex == counter) {
    if (n->IncMode == kPostIncrement || n->IncMode == kPreIncrement) return 1;
    if (n->IncMode == kPostDecrement || n->IncMode == kPreDecrement) return -1;
    return 0;
  }
  if (n->NodeKind != kBinaryNode || !IsCounterLeaf(n->LeftNode, counter)) return 0;
  int32_t c = 0;
  BinaryOp op = CompoundAssignmentOp(n->OpText);
  const TwrTree* amount = n->RightNode;
  if (IsAssignment(n)) {
    const TwrTree* sum = n->RightNode;
    if (!sum || sum->NodeKind != kBinaryNode || !IsCounterLeaf(sum->LeftNode, counter)) return 0;
    op = BinaryOpFromText(sum->OpText);
    amount = sum->RightNode;
  }
  if ((op != BinaryOp::Add && op != BinaryOp::Subtract) || !IntegerLiteral(amount, c) || c == 0 || c == INT32_MIN) {
    return 0;
  }
  return op == BinaryOp::Add ? c : -c;
}

// Whether anything in `body` other than loops nested in it continues the loop.
bool Continues(const std::vector<Stmt>& body) {
  for (const Stmt& s : body) {
    if (s.Kind == StmtKind::Continue) return true;
    if (s.Kind == StmtKind::If && (Continues(s.Body) || Continues(s.Otherwise))) return true;
  }
  return false;
}

// Calls `visit` with every instruction of `body`, conditions and for headers included.
template <typename Visit>
void ForEachInstruction(const std::vector<Stmt>& body, Visit&& visit) {
  for (const Stmt& s : body) {
    if (s.Kind == StmtKind::Instruction) visit(s.Instruction);
    if ((s.Kind == StmtKind::If || s.Kind == StmtKind::Loop) && s.Cond.Kind == ConditionKind::Instruction &&
        s.Cond.Instruction >= 0) {
      visit(s.Cond.Instruction);
    }
    if (s.Init >= 0) visit(s.Init);
    if (s.Step >= 0) visit(s.Step);
    ForEachInstruction(s.Body, visit);
    ForEachInstruction(s.Otherwise, visit);
  }
}

class Recogniser {
 public:
  explicit Recogniser(const TKompilatorTS& program) : p_(program), reads_(program.Variables.size(), 0) {}

  void Run(CodeTree& tree) {
    Sequence(tree.Body);
    ForEachInstruction(tree.Body, [&](int32_t i) { CountReads(i, reads_, 1); });
    Outside(tree.Body);
  }

 private:
  void Sequence(std::vector<Stmt>& seq) {
    for (size_t k = 0; k < seq.size(); ++k) {
      Stmt& s = seq[k];
      Sequence(s.Body);
      Sequence(s.Otherwise);
      if (k > 0 && TryFor(seq[k - 1], s)) {
        seq.erase(seq.begin() + static_cast<std::ptrdiff_t>(k - 1));
        --k;
      }
    }
  }

  bool TryFor(const Stmt& start, Stmt& loop) {
    if (loop.Kind != StmtKind::Loop || loop.Form != LoopForm::While || loop.Cond.Kind != ConditionKind::Instruction ||
        start.Kind != StmtKind::Instruction || loop.Body.size() < 2) {
      return false;
    }
    const int32_t counter = StartedCounter(InstructionTree(p_, start.Instruction));
    if (counter < 0 || IsArray(counter)) return false;
    const Stmt& last = loop.Body.back();
    if (last.Kind != StmtKind::Instruction) return false;
    const int32_t step = StepOf(InstructionTree(p_, last.Instruction), counter);
    if (step == 0 || Continues(loop.Body)) return false;
    if (ReadCounterTest(p_, loop.Cond, counter).Op == BinaryOp::None) return false;
    // The step is the only write of the counter in the test and the body.
    int32_t writes = 0;
    std::vector<VariableAccess> access;
    auto count = [&](int32_t i) {
      access.clear();
      InstructionAccesses(p_, InstructionTree(p_, i), access);
      for (const VariableAccess& a : access) writes += a.Variable == counter && a.Write;
    };
    count(loop.Cond.Instruction);
    ForEachInstruction(loop.Body, count);
    if (writes != 1) return false;
    loop.Form = LoopForm::For;
    loop.Counter = counter;
    loop.Init = start.Instruction;
    loop.Step = last.Instruction;
    loop.StepBy = step;
    loop.Body.pop_back();
    return true;
  }

  bool IsArray(int32_t v) {
    if (arrays_.empty()) arrays_ = AnalyseVariables(p_, {}, false).HasElements;
    return arrays_[static_cast<size_t>(v)] != 0;
  }

  void CountReads(int32_t instruction, std::vector<int32_t>& reads, int32_t sign) {
    access_.clear();
    InstructionAccesses(p_, InstructionTree(p_, instruction), access_);
    for (const VariableAccess& a : access_) {
      if (a.Read) reads[static_cast<size_t>(a.Variable)] += sign;
    }
  }

  // Each for loop learns whether its counter is read outside it.
  void Outside(std::vector<Stmt>& seq) {
    for (Stmt& s : seq) {
      if (s.Kind == StmtKind::Loop && s.Form == LoopForm::For) {
        int32_t inside = 0;
        std::vector<int32_t> reads(p_.Variables.size(), 0);
        CountReads(s.Cond.Instruction, reads, 1);
        CountReads(s.Step, reads, 1);
        ForEachInstruction(s.Body, [&](int32_t i) { CountReads(i, reads, 1); });
        inside = reads[static_cast<size_t>(s.Counter)];
        s.CounterReadOutside = reads_[static_cast<size_t>(s.Counter)] > inside;
      }
      Outside(s.Body);
      Outside(s.Otherwise);
    }
  }

  const TKompilatorTS& p_;
  std::vector<char> arrays_;
  std::vector<int32_t> reads_;
  std::vector<VariableAccess> access_;
};

BinaryOp Mirrored(BinaryOp op) {
  switch (op) {
    case BinaryOp::Less: return BinaryOp::Greater;
    case BinaryOp::LessEqual: return BinaryOp::GreaterEqual;
    case BinaryOp::Greater: return BinaryOp::Less;
    case BinaryOp::GreaterEqual: return BinaryOp::LessEqual;
    default: return BinaryOp::None;
  }
}

BinaryOp Negated(BinaryOp op) {
  switch (op) {
    case BinaryOp::Less: return BinaryOp::GreaterEqual;
    case BinaryOp::LessEqual: return BinaryOp::Greater;
    case BinaryOp::Greater: return BinaryOp::LessEqual;
    case BinaryOp::GreaterEqual: return BinaryOp::Less;
    default: return BinaryOp::None;
  }
}

}  // namespace

CounterTest ReadCounterTest(const TKompilatorTS& program, const Condition& cond, int32_t counter) {
  if (cond.Kind != ConditionKind::Instruction || cond.Instruction < 0) return {};
  const TwrTree* test = InstructionTree(program, cond.Instruction);
  if (!test || test->NodeKind != kBinaryNode || !test->LeftNode || !test->RightNode) return {};
  BinaryOp op = BinaryOpFromText(test->OpText);
  if (Mirrored(op) == BinaryOp::None) return {};
  CounterTest t;
  if (IsCounterLeaf(test->LeftNode, counter)) {
    t = {op, test->RightNode};
  } else if (IsCounterLeaf(test->RightNode, counter)) {
    t = {Mirrored(op), test->LeftNode};
  } else {
    return {};
  }
  // Values compare in a total order (a real is never NaN), so «not i > b» is «i <= b».
  if (cond.Negated) t.Op = Negated(t.Op);
  return t;
}

void RecogniseForLoops(const TKompilatorTS& program, CodeTree& tree) { Recogniser(program).Run(tree); }

bool BoundIsInvariant(const TKompilatorTS& program, const Stmt& loop, const TwrTree* bound) {
  std::vector<const TwrTree*> stack = {bound};
  while (!stack.empty()) {
    const TwrTree* n = stack.back();
    stack.pop_back();
    if (!n) continue;
    if (n->NodeKind == kCallNode || n->NodeKind == kIndexedNode || n->NodeKind == kStatementNode) return false;
    if (n->NodeKind == kLeafNode && n->IncMode != kNoIncrement) return false;
    stack.push_back(n->LeftNode);
    stack.push_back(n->RightNode);
  }
  std::vector<VariableAccess> reads, writes;
  InstructionAccesses(program, bound, reads);
  InstructionAccesses(program, InstructionTree(program, loop.Cond.Instruction), writes);
  InstructionAccesses(program, InstructionTree(program, loop.Step), writes);
  ForEachInstruction(loop.Body, [&](int32_t i) { InstructionAccesses(program, InstructionTree(program, i), writes); });
  for (const VariableAccess& r : reads) {
    for (const VariableAccess& w : writes) {
      if (w.Write && w.Variable == r.Variable) return false;
    }
  }
  return true;
}

}  // namespace tessaro::codegen
