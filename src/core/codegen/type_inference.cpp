#include "core/codegen/type_inference.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "core/codegen/for_loops.h"
#include "core/codegen/variable_use.h"
#include "core/language/builtin_functions.h"
#include "core/language/compiler.h"
#include "core/runtime/value_ops.h"

namespace tessaro::codegen {

namespace {

// The kinds a value may have, as bits.
enum KindBit : uint8_t { kEmpty = 1, kInt = 2, kReal = 4, kText = 8, kBool = 16, kAny = 31 };

constexpr int64_t kMin = INT32_MIN;
constexpr int64_t kMax = INT32_MAX;

// What a value may be; the range bounds its integer kind.
struct Abstract {
  uint8_t Mask = 0;
  int64_t Lo = kMax;
  int64_t Hi = kMin;
};

Abstract Join(const Abstract& a, const Abstract& b) {
  return {static_cast<uint8_t>(a.Mask | b.Mask), std::min(a.Lo, b.Lo), std::max(a.Hi, b.Hi)};
}

bool Same(const Abstract& a, const Abstract& b) { return a.Mask == b.Mask && a.Lo == b.Lo && a.Hi == b.Hi; }

Abstract Only(uint8_t mask) {
  Abstract a{mask, kMax, kMin};
  if (mask & kInt) a.Lo = kMin, a.Hi = kMax;
  return a;
}

// An integer result in [lo, hi]: what leaves 32 bits is a real.
Abstract Integers(int64_t lo, int64_t hi) {
  Abstract a;
  if (hi >= kMin && lo <= kMax) a = {kInt, std::max(lo, kMin), std::min(hi, kMax)};
  if (lo < kMin || hi > kMax) a.Mask |= kReal;
  return a;
}

struct Range {
  int64_t Lo, Hi;
};

// The integer a value of one kind gives where an integer is computed.
Range IntegerRange(uint8_t kind, const Abstract& a) {
  switch (kind) {
    case kInt: return {a.Lo, a.Hi};
    case kBool: return {-1, 0};
    case kEmpty: return {0, 0};
    default: return {kMin, kMax};
  }
}

bool IsIntegerOp(BinaryOp op) {
  return op == BinaryOp::Div || op == BinaryOp::Mod || op == BinaryOp::Shl || op == BinaryOp::Shr;
}
bool IsLogicOp(BinaryOp op) { return op == BinaryOp::And || op == BinaryOp::Or; }

// Two integers, as the interpreter computes them.
Abstract IntegerResult(BinaryOp op, Range a, Range b) {
  switch (op) {
    case BinaryOp::Add: return Integers(a.Lo + b.Lo, a.Hi + b.Hi);
    case BinaryOp::Subtract: return Integers(a.Lo - b.Hi, a.Hi - b.Lo);
    case BinaryOp::Multiply: {
      const int64_t p[] = {a.Lo * b.Lo, a.Lo * b.Hi, a.Hi * b.Lo, a.Hi * b.Hi};
      return Integers(*std::min_element(p, p + 4), *std::max_element(p, p + 4));
    }
    case BinaryOp::Divide: return Only(kReal);
    case BinaryOp::Mod:
      // The remainder has the sign of the dividend and is smaller than the divisor.
      if (b.Lo == b.Hi && b.Lo != 0) {
        const int64_t m = (b.Lo < 0 ? -b.Lo : b.Lo) - 1;
        return {kInt, std::max(std::min(a.Lo, int64_t{0}), -m), std::min(std::max(a.Hi, int64_t{0}), m)};
      }
      return Only(kInt);
    default: return Only(kInt);
  }
}

// One kind against one kind, by the interpreter's rule of the family both are computed in.
Abstract PairResult(BinaryOp op, uint8_t ka, const Abstract& a, uint8_t kb, const Abstract& b) {
  if (IsComparison(op)) return Only(kBool);
  const uint8_t both = ka | kb;
  // Whatever the dividend, the remainder of a constant divisor is smaller than it.
  if (op == BinaryOp::Mod && kb == kInt && b.Lo == b.Hi && b.Lo != 0 && !(both & kEmpty)) {
    return IntegerResult(op, IntegerRange(ka, a), {b.Lo, b.Hi});
  }
  const bool integer = IsIntegerOp(op), logic = IsLogicOp(op);
  if ((both & kReal) || ((both & kInt) && (both & kText))) {
    return Only(integer || logic ? kInt : kReal);
  }
  if (both & kInt) return IntegerResult(op, IntegerRange(ka, a), IntegerRange(kb, b));
  if (both & kBool) return Only(logic ? kBool : integer ? kInt : kReal);
  if (both & kText) return Only(op == BinaryOp::Add ? kText : integer || logic ? kInt : kReal);
  // Two empty values: division faults, the rest is empty.
  if (op == BinaryOp::Divide || op == BinaryOp::Div || op == BinaryOp::Mod) return {};
  return Only(kEmpty);
}

Abstract BinaryResult(BinaryOp op, const Abstract& a, const Abstract& b) {
  Abstract out;
  for (uint8_t ka = 1; ka <= kBool; ka <<= 1) {
    if (!(a.Mask & ka)) continue;
    for (uint8_t kb = 1; kb <= kBool; kb <<= 1) {
      if (b.Mask & kb) out = Join(out, PairResult(op, ka, a, kb, b));
    }
  }
  return out;
}

Abstract NotResult(const Abstract& a) {
  Abstract out;
  if (a.Mask & kBool) out = Join(out, Only(kBool));
  if (a.Mask & kText) out = Join(out, Only(kBool | kInt));  // «true» and «false» are negated as booleans
  if (a.Mask & kInt) out = Join(out, {kInt, ~a.Hi, ~a.Lo});
  if (a.Mask & kReal) out = Join(out, Only(kInt));
  if (a.Mask & kEmpty) out = Join(out, {kInt, -1, -1});
  return out;
}

Abstract CallResult(std::string_view name, size_t arguments) {
  constexpr std::string_view kIntegers[] = {"Length", "Pos", "Round", "Trunc", "SystemToDec"};
  constexpr std::string_view kTexts[] = {"Copy", "Insert", "Delete", "Str", "Val", "HexToBin", "BinToHex",
                                         "HexToDec", "OctToDec", "BinToDec", "DecToHex", "DecToOct",
                                         "DecToBin", "DecToSystem", "SystemToSystem"};
  if (name == "Length" || name == "Pos") return {kInt, 0, kMax};
  if (std::find(std::begin(kIntegers), std::end(kIntegers), name) != std::end(kIntegers)) return Only(kInt);
  if (std::find(std::begin(kTexts), std::end(kTexts), name) != std::end(kTexts)) return Only(kText);
  if (name == "Random") return arguments == 1 ? Only(kInt) : Only(kAny);
  return Only(kReal);  // the mathematical functions
}

Abstract LiteralValue(const TValue& v) {
  switch (v.Kind()) {
    case ValueKind::Integer: return {kInt, v.AsInteger(), v.AsInteger()};
    case ValueKind::Real: return Only(kReal);
    case ValueKind::String: return Only(kText);
    case ValueKind::Boolean: return Only(kBool);
    default: return Only(kEmpty);
  }
}

Natural NaturalOf(const Abstract& a) {
  switch (a.Mask) {
    case kInt: return Natural::Integer;
    case kReal: return Natural::Real;
    case kText: return Natural::Text;
    case kBool: return Natural::Boolean;
    default: return Natural::None;
  }
}

using Bits = std::vector<uint64_t>;

bool Has(const Bits& bits, int32_t v) { return (bits[static_cast<size_t>(v) / 64] >> (v % 64)) & 1; }
void Set(Bits& bits, int32_t v) { bits[static_cast<size_t>(v) / 64] |= uint64_t{1} << (v % 64); }

class Inference {
 public:
  explicit Inference(const TKompilatorTS& program)
      : p_(program), count_(static_cast<int32_t>(program.Variables.size())) {
    state_.resize(static_cast<size_t>(count_));
    changes_.assign(static_cast<size_t>(count_), 0);
    answered_.assign(static_cast<size_t>(count_), 0);
    maybe_empty_.assign(static_cast<size_t>(count_), 0);
    read_.assign(static_cast<size_t>(count_), 0);
    arrays_ = AnalyseVariables(p_, {}, false).HasElements;
  }

  TypeInfo Run(const CodeTree& tree) {
    DefiniteAssignment();
    bool settled = false;
    for (int round = 0; round < 64 && !settled; ++round) {
      changed_ = false;
      Visit(tree.Body);
      settled = !changed_;
    }
    TypeInfo info;
    info.Variables.assign(static_cast<size_t>(count_), Natural::None);
    if (!settled) return info;
    record_ = &info.Nodes;
    Visit(tree.Body);
    for (auto it = info.Nodes.begin(); it != info.Nodes.end();) {
      it = it->second == Natural::None ? info.Nodes.erase(it) : std::next(it);
    }
    for (int32_t v = 0; v < count_; ++v) {
      const size_t k = static_cast<size_t>(v);
      // A variable never read keeps the value type: C++ would call it set but unused.
      if (!arrays_[k] && !answered_[k] && !maybe_empty_[k] && read_[k]) info.Variables[k] = NaturalOf(state_[k]);
    }
    return info;
  }

 private:
  // Which variables every path from the start has assigned before each instruction.
  void DefiniteAssignment() {
    const int32_t n = static_cast<int32_t>(p_.Instructions.size());
    const size_t words = (static_cast<size_t>(count_) + 63) / 64;
    before_.assign(static_cast<size_t>(n), Bits(words, ~uint64_t{0}));
    if (n == 0) return;
    std::vector<Bits> writes(static_cast<size_t>(n), Bits(words, 0));
    std::vector<VariableAccess> access;
    for (int32_t i = 0; i < n; ++i) {
      access.clear();
      InstructionAccesses(p_, p_.Instructions[static_cast<size_t>(i)].Tree.get(), access);
      for (const VariableAccess& a : access) {
        if (a.Write && a.Whole) Set(writes[static_cast<size_t>(i)], a.Variable);
      }
    }
    auto successors = [&](int32_t i, int32_t out[2]) {
      const Trozkaz& ins = p_.Instructions[static_cast<size_t>(i)];
      const bool last = i + 1 >= n || p_.Instructions[static_cast<size_t>(i + 1)].BlockIndex != ins.BlockIndex;
      out[0] = last ? ins.Next : i + 1;
      out[1] = last && ins.Kind == Warunek ? ins.NextTrue : -1;
    };
    std::fill(before_[0].begin(), before_[0].end(), 0);
    std::vector<int32_t> work = {0};
    std::vector<char> queued(static_cast<size_t>(n), 0);
    std::vector<char> reached(static_cast<size_t>(n), 0);
    queued[0] = reached[0] = 1;
    Bits after(words);
    while (!work.empty()) {
      const int32_t i = work.back();
      work.pop_back();
      queued[static_cast<size_t>(i)] = 0;
      for (size_t w = 0; w < words; ++w) after[w] = before_[static_cast<size_t>(i)][w] | writes[static_cast<size_t>(i)][w];
      int32_t next[2];
      successors(i, next);
      for (int32_t s : next) {
        if (s < 0 || s >= n) continue;
        Bits& target = before_[static_cast<size_t>(s)];
        bool narrowed = false;
        for (size_t w = 0; w < words; ++w) {
          const uint64_t meet = target[w] & after[w];
          narrowed = narrowed || meet != target[w];
          target[w] = meet;
        }
        if ((narrowed || !reached[static_cast<size_t>(s)]) && !queued[static_cast<size_t>(s)]) {
          queued[static_cast<size_t>(s)] = 1;
          work.push_back(s);
        }
        reached[static_cast<size_t>(s)] = 1;
      }
    }
  }

  void Visit(const std::vector<Stmt>& body) {
    for (const Stmt& s : body) {
      if (s.Kind == StmtKind::Instruction) Execute(s.Instruction);
      if (s.Kind != StmtKind::If && s.Kind != StmtKind::Loop) continue;
      if (s.Form == LoopForm::For && s.Kind == StmtKind::Loop) {
        Execute(s.Init);
        Execute(s.Cond.Instruction);
        refinements_.push_back(Refinement(s));
        Visit(s.Body);
        Execute(s.Step);
        refinements_.pop_back();
        continue;
      }
      if (s.Cond.Kind == ConditionKind::Instruction && s.Cond.Instruction >= 0) Execute(s.Cond.Instruction);
      Visit(s.Body);
      Visit(s.Otherwise);
    }
  }

  struct Narrowing {
    int32_t Variable = -1;
    int64_t Lo = kMin, Hi = kMax;
  };

  // Inside the loop the counter has passed the test against an integer bound.
  Narrowing Refinement(const Stmt& loop) {
    Narrowing n;
    const CounterTest test = ReadCounterTest(p_, loop.Cond, loop.Counter);
    if (test.Op == BinaryOp::None) return n;
    assigned_ = &before_[static_cast<size_t>(loop.Cond.Instruction)];
    const Abstract bound = Eval(test.Bound);
    if (bound.Mask != kInt) return n;
    n.Variable = loop.Counter;
    switch (test.Op) {
      case BinaryOp::LessEqual: n.Hi = bound.Hi; break;
      case BinaryOp::Less: n.Hi = bound.Hi - 1; break;
      case BinaryOp::GreaterEqual: n.Lo = bound.Lo; break;
      case BinaryOp::Greater: n.Lo = bound.Lo + 1; break;
      default: n.Variable = -1; break;
    }
    return n;
  }

  void Execute(int32_t index) {
    if (index < 0) return;
    const TwrTree* root = p_.Instructions[static_cast<size_t>(index)].Tree.get();
    if (!root) return;
    assigned_ = &before_[static_cast<size_t>(index)];
    if (root->NodeKind != kStatementNode) {
      Eval(root);
      return;
    }
    for (const TwrTree* item = root; item; item = item->LeftNode) {
      if (item->OpText == "read") {
        const int32_t v = FindVariable(p_, item->ItemName);
        if (v >= 0) {
          answered_[static_cast<size_t>(v)] = 1;
          Assign(v, Only(kAny));
        } else if (item->RightNode) {
          Eval(item->RightNode);
        }
      } else if (item->OpText == "write") {
        const int32_t v = FindVariable(p_, item->ItemName);
        if (v >= 0) {
          Read(v);
        } else {
          Eval(item->RightNode);
        }
      }
    }
  }

  Abstract Read(int32_t v) {
    read_[static_cast<size_t>(v)] = 1;
    Abstract a = state_[static_cast<size_t>(v)];
    for (const Narrowing& n : refinements_) {
      if (n.Variable != v || !(a.Mask & kInt)) continue;
      a.Lo = std::max(a.Lo, n.Lo);
      a.Hi = std::min(a.Hi, n.Hi);
      if (a.Lo > a.Hi) a.Mask &= static_cast<uint8_t>(~kInt), a.Lo = kMax, a.Hi = kMin;
    }
    if (!Has(*assigned_, v)) {
      a.Mask |= kEmpty;
      maybe_empty_[static_cast<size_t>(v)] = 1;
    }
    return a;
  }

  void Assign(int32_t v, const Abstract& value) {
    Abstract& s = state_[static_cast<size_t>(v)];
    Abstract joined = Join(s, value);
    if (Same(joined, s)) return;
    // A bound that keeps moving is widened to the end of the integers on its side.
    if ((joined.Lo != s.Lo || joined.Hi != s.Hi) && (s.Mask & kInt) && ++changes_[static_cast<size_t>(v)] > 4) {
      if (joined.Lo < s.Lo) joined.Lo = kMin;
      if (joined.Hi > s.Hi) joined.Hi = kMax;
    }
    s = joined;
    changed_ = true;
  }

  Abstract Note(const TwrTree* n, const Abstract& a) {
    if (record_) {
      auto [it, fresh] = record_->emplace(n, NaturalOf(a));
      if (!fresh && it->second != NaturalOf(a)) it->second = Natural::None;
    }
    return a;
  }

  Abstract Eval(const TwrTree* n) {
    if (!n) return Only(kInt);
    switch (n->NodeKind) {
      case kLeafNode: {
        if (n->VarIndex < 0) return Note(n, LiteralValue(n->NodeValue));
        if (n->IncMode == kNoIncrement) return Note(n, Read(n->VarIndex));
        const bool up = n->IncMode == kPostIncrement || n->IncMode == kPreIncrement;
        const Abstract r = BinaryResult(up ? BinaryOp::Add : BinaryOp::Subtract, Read(n->VarIndex), {kInt, 1, 1});
        Assign(n->VarIndex, r);
        return Note(n, r);
      }
      case kIndexedNode:
        Eval(n->RightNode);
        return Note(n, Only(kAny));
      case kListNode:
        Eval(n->LeftNode);
        Eval(n->RightNode);
        return Only(kAny);
      case kCallNode: {
        std::vector<const TwrTree*> args;
        for (const TwrTree* a = n->RightNode; a;) {
          if (a->NodeKind == kListNode) {
            Eval(a->RightNode);
            args.push_back(a->RightNode);
            a = a->LeftNode;
          } else {
            Eval(a);
            args.push_back(a);
            break;
          }
        }
        if (!n->ExtName.empty() || n->FuncIndex < 1 || n->FuncIndex > kBuiltinFunctionCount) return Only(kAny);
        return Note(n, CallResult(kBuiltinFunctions[static_cast<size_t>(n->FuncIndex - 1)].Name, args.size()));
      }
      case kPrefixNode: {
        const Abstract r = Eval(n->RightNode);
        if (n->OpText != "!" && n->OpText != "not") return Only(kAny);
        return Note(n, NotResult(r));
      }
      case kBinaryNode: return Note(n, Binary(*n));
      default: return Only(kAny);
    }
  }

  Abstract Binary(const TwrTree& n) {
    const bool plain = n.OpText == ":=" || n.OpText == "=";
    const BinaryOp compound = CompoundAssignmentOp(n.OpText);
    if ((plain || compound != BinaryOp::None) && n.LeftNode) {
      const TwrTree* target = n.LeftNode;
      const Abstract value = Eval(n.RightNode);
      if (target->NodeKind == kLeafNode && target->VarIndex >= 0) {
        const Abstract r = plain ? value : BinaryResult(compound, Read(target->VarIndex), value);
        Assign(target->VarIndex, r);
        return r;
      }
      Eval(target->RightNode);  // an element's indexes
      return Only(kAny);
    }
    const BinaryOp op = BinaryOpFromText(n.OpText);
    if (!n.LeftNode) {
      const Abstract r = Eval(n.RightNode);
      return op == BinaryOp::Subtract ? BinaryResult(op, {kInt, 0, 0}, r) : Only(kAny);
    }
    const Abstract l = Eval(n.LeftNode);
    const Abstract r = Eval(n.RightNode);
    if (op == BinaryOp::None) return Only(kAny);
    return BinaryResult(op, l, r);
  }

  const TKompilatorTS& p_;
  int32_t count_;
  std::vector<Abstract> state_;
  std::vector<int32_t> changes_;
  std::vector<char> answered_;     // given an answer by read: any kind
  std::vector<char> maybe_empty_;  // read somewhere before it is surely assigned
  std::vector<char> read_;
  std::vector<char> arrays_;
  std::vector<Bits> before_;
  const Bits* assigned_ = nullptr;
  std::vector<Narrowing> refinements_;
  bool changed_ = false;
  std::unordered_map<const TwrTree*, Natural>* record_ = nullptr;
};

}  // namespace

TypeInfo InferTypes(const TKompilatorTS& program, const CodeTree& tree) { return Inference(program).Run(tree); }

}  // namespace tessaro::codegen
