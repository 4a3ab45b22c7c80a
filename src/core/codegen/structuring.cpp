#include "core/codegen/structuring.h"

#include <algorithm>
#include <functional>
#include <map>

#include "core/codegen/graph_order.h"
#include "core/language/compiler.h"

namespace tessaro::codegen {

namespace {

// The tree of the dominator-tree translation, with blocks and exits.
struct Pre {
  enum Kind : uint8_t { Code, If, Loop, Block, Exit, Halt, Break };
  Kind kind = Code;
  int32_t node = -1;     // Code, If: the flow node; Loop: its header; Block: the node after it
  bool to_loop = false;  // Exit: continues loop `node`; otherwise leaves block `node`
  std::vector<Pre> a;    // If: true branch; Loop, Block: body
  std::vector<Pre> b;    // If: false branch
};

struct Frame {
  bool loop;
  int32_t node;
};

// ---- the dominator-tree translation ----

class Translation {
 public:
  Translation(const FlowGraph& g, const GraphOrder& order) : g_(g), order_(order) {
    const size_t n = g.Nodes.size();
    header_.assign(n, 0);
    merge_.assign(n, 0);
    kids_.resize(n);
    follows_.resize(n);
    body_index_.assign(n, -1);
    std::vector<int32_t> forward_in(n, 0);
    std::vector<int32_t> succ;
    std::vector<std::vector<int32_t>> back_sources(n);
    for (int32_t u : order.Rpo) {
      g.Successors(u, succ);
      for (int32_t v : succ) {
        if (order.Retreating(u, v)) {
          header_[static_cast<size_t>(v)] = 1;
          back_sources[static_cast<size_t>(v)].push_back(u);
        } else {
          ++forward_in[static_cast<size_t>(v)];
        }
      }
    }
    for (size_t v = 0; v < n; ++v) merge_[v] = forward_in[v] >= 2;
    // Natural loops: what reaches a back edge's source without passing the header.
    const std::vector<std::vector<int32_t>> preds = g.Predecessors();
    for (int32_t h : order.Rpo) {
      if (!header_[static_cast<size_t>(h)]) continue;
      body_index_[static_cast<size_t>(h)] = static_cast<int32_t>(bodies_.size());
      std::vector<char> in(n, 0);
      in[static_cast<size_t>(h)] = 1;
      std::vector<int32_t> work;
      for (int32_t s : back_sources[static_cast<size_t>(h)]) {
        if (!in[static_cast<size_t>(s)]) {
          in[static_cast<size_t>(s)] = 1;
          work.push_back(s);
        }
      }
      while (!work.empty()) {
        const int32_t v = work.back();
        work.pop_back();
        for (int32_t p : preds[static_cast<size_t>(v)]) {
          if (order.Reachable(p) && !in[static_cast<size_t>(p)]) {
            in[static_cast<size_t>(p)] = 1;
            work.push_back(p);
          }
        }
      }
      bodies_.push_back(std::move(in));
      headers_.push_back(h);
    }
    // Where each node's code goes: after the outermost loop that holds its
    // immediate dominator but not the node, else under its immediate dominator.
    for (int32_t y : order.Rpo) {
      if (y == g.Entry) continue;
      const int32_t x = order.Idom[static_cast<size_t>(y)];
      int32_t place = -1;
      for (size_t k = 0; k < headers_.size() && place == -1; ++k) {
        if (bodies_[k][static_cast<size_t>(x)] && !bodies_[k][static_cast<size_t>(y)]) place = headers_[k];
      }
      if (place == -1) kids_[static_cast<size_t>(x)].push_back(y);
      else follows_[static_cast<size_t>(place)].push_back(y);
    }
  }

  std::vector<Pre> Node(int32_t x) { return Generate(x); }

 private:
  bool InLoop(int32_t header, int32_t v) const {
    return bodies_[static_cast<size_t>(body_index_[static_cast<size_t>(header)])][static_cast<size_t>(v)] != 0;
  }

  // Latest in reverse postorder first: that one's block is the outermost.
  std::vector<int32_t> Sorted(std::vector<int32_t> nodes) const {
    std::sort(nodes.begin(), nodes.end(), [&](int32_t a, int32_t b) {
      return order_.Number[static_cast<size_t>(a)] > order_.Number[static_cast<size_t>(b)];
    });
    return nodes;
  }

  std::vector<Pre> Generate(int32_t x) {
    std::vector<int32_t> merges;
    for (int32_t y : kids_[static_cast<size_t>(x)]) {
      if (merge_[static_cast<size_t>(y)]) merges.push_back(y);
    }
    merges = Sorted(std::move(merges));
    if (!header_[static_cast<size_t>(x)]) return Within(x, merges);
    const std::vector<int32_t> outs = Sorted(follows_[static_cast<size_t>(x)]);
    return Wrap(outs, 0, [&] {
      Pre loop;
      loop.kind = Pre::Loop;
      loop.node = x;
      frames_.push_back({true, x});
      loop.a = Within(x, merges);
      frames_.pop_back();
      return std::vector<Pre>{std::move(loop)};
    });
  }

  // Blocks for ys[i..], innermost the code `inner` makes; after each block the code of its node.
  std::vector<Pre> Wrap(const std::vector<int32_t>& ys, size_t i, const std::function<std::vector<Pre>()>& inner) {
    if (i == ys.size()) return inner();
    const int32_t y = ys[i];
    Pre block;
    block.kind = Pre::Block;
    block.node = y;
    frames_.push_back({false, y});
    block.a = Wrap(ys, i + 1, inner);
    frames_.pop_back();
    std::vector<Pre> out;
    out.push_back(std::move(block));
    std::vector<Pre> after = Generate(y);
    for (Pre& p : after) out.push_back(std::move(p));
    return out;
  }

  std::vector<Pre> Within(int32_t x, const std::vector<int32_t>& merges) {
    return Wrap(merges, 0, [&] {
      std::vector<Pre> out;
      const FlowNode& node = g_.Nodes[static_cast<size_t>(x)];
      Pre code;
      code.kind = Pre::Code;
      code.node = x;
      out.push_back(code);
      if (node.HasTwoExits()) {
        Pre branch;
        branch.kind = Pre::If;
        branch.node = x;
        branch.a = Branch(x, node.NextTrue);
        branch.b = Branch(x, node.Next);
        out.push_back(std::move(branch));
      } else {
        for (Pre& p : Branch(x, node.Next)) out.push_back(std::move(p));
      }
      return out;
    });
  }

  std::vector<Pre> Branch(int32_t from, int32_t to) {
    Pre exit;
    if (to == kHalt) {
      exit.kind = Pre::Halt;
      return {exit};
    }
    exit.kind = Pre::Exit;
    exit.node = to;
    if (order_.Retreating(from, to)) {
      exit.to_loop = true;
      return {exit};
    }
    for (const Frame& f : frames_) {
      if (!f.loop && f.node == to) return {exit};
    }
    return Generate(to);
  }

  const FlowGraph& g_;
  const GraphOrder& order_;
  std::vector<char> header_, merge_;
  std::vector<std::vector<int32_t>> kids_, follows_;
  std::vector<std::vector<char>> bodies_;
  std::vector<int32_t> headers_;
  std::vector<int32_t> body_index_;
  std::vector<Frame> frames_;
};

// ---- exits at the end of what they leave ----

bool SameExit(const Pre& p, bool to_loop, int32_t node) {
  return p.kind == Pre::Exit && p.to_loop == to_loop && p.node == node;
}

void DropTailExit(std::vector<Pre>& seq, bool to_loop, int32_t node) {
  if (seq.empty()) return;
  Pre& last = seq.back();
  if (SameExit(last, to_loop, node)) {
    seq.pop_back();
  } else if (last.kind == Pre::If) {
    DropTailExit(last.a, to_loop, node);
    DropTailExit(last.b, to_loop, node);
  } else if (last.kind == Pre::Block) {
    DropTailExit(last.a, to_loop, node);
  }
}

void CountExits(const std::vector<Pre>& seq, std::map<int32_t, int32_t>& block_exits) {
  for (const Pre& p : seq) {
    if (p.kind == Pre::Exit && !p.to_loop) ++block_exits[p.node];
    CountExits(p.a, block_exits);
    CountExits(p.b, block_exits);
  }
}

void DropTailExits(std::vector<Pre>& seq) {
  for (Pre& p : seq) {
    DropTailExits(p.a);
    DropTailExits(p.b);
    if (p.kind == Pre::Block) DropTailExit(p.a, false, p.node);
    if (p.kind == Pre::Loop) DropTailExit(p.a, true, p.node);
  }
}

// A loop that the end of a block, or of an outer loop's round, follows
// directly: leaving that block or continuing that outer loop from inside the
// loop is the loop's break. `tail` holds the keys (node * 2, + 1 for a loop's
// round) of what the current statement reaches when it falls through.
int32_t ExitKey(bool to_loop, int32_t node) { return node * 2 + (to_loop ? 1 : 0); }

void TailBreaks(std::vector<Pre>& seq, const std::vector<int32_t>& tail, const std::vector<int32_t>* exits);

void TailBreaksIn(Pre& p, const std::vector<int32_t>& tail, const std::vector<int32_t>* exits) {
  switch (p.kind) {
    case Pre::If:
      TailBreaks(p.a, tail, exits);
      TailBreaks(p.b, tail, exits);
      return;
    case Pre::Block: {
      std::vector<int32_t> inner = tail;
      inner.push_back(ExitKey(false, p.node));
      TailBreaks(p.a, inner, exits);
      return;
    }
    case Pre::Loop:
      // Inside the loop, what the loop's end reaches may be left by break.
      TailBreaks(p.a, {ExitKey(true, p.node)}, &tail);
      return;
    case Pre::Exit:
      if (exits && std::find(exits->begin(), exits->end(), ExitKey(p.to_loop, p.node)) != exits->end()) {
        p.kind = Pre::Break;
      }
      return;
    default:
      return;
  }
}

void TailBreaks(std::vector<Pre>& seq, const std::vector<int32_t>& tail, const std::vector<int32_t>* exits) {
  static const std::vector<int32_t> kNone;
  for (size_t i = 0; i < seq.size(); ++i) TailBreaksIn(seq[i], i + 1 == seq.size() ? tail : kNone, exits);
}

// Blocks that nothing leaves any more are just their statements.
void DissolveBlocks(std::vector<Pre>& seq, const std::map<int32_t, int32_t>& block_exits) {
  std::vector<Pre> out;
  out.reserve(seq.size());
  for (Pre& p : seq) {
    DissolveBlocks(p.a, block_exits);
    DissolveBlocks(p.b, block_exits);
    if (p.kind == Pre::Block && !block_exits.count(p.node)) {
      for (Pre& q : p.a) out.push_back(std::move(q));
    } else {
      out.push_back(std::move(p));
    }
  }
  seq = std::move(out);
}

// ---- lowering of blocks and exits ----

struct LowerFrame {
  bool loop;
  int32_t node;
  bool wraps_loop_only;  // a block whose body is one loop: leaving it is that loop's break
};

class Lowering {
 public:
  Lowering(const FlowGraph& g, const TKompilatorTS& program) : g_(g), program_(program) {}

  std::vector<Stmt> Run(const std::vector<Pre>& seq) {
    std::vector<Stmt> out;
    LowerSeq(seq, 0, out);
    return out;
  }
  int32_t FlagCount() const { return static_cast<int32_t>(flags_.size()); }

 private:
  // A frame's key: blocks and loop continuations live in one flag space.
  static int32_t Key(bool loop, int32_t node) { return node * 2 + (loop ? 1 : 0); }

  int32_t FrameIndex(int32_t key) const {
    for (int32_t i = static_cast<int32_t>(frames_.size()) - 1; i >= 0; --i) {
      const LowerFrame& f = frames_[static_cast<size_t>(i)];
      if (Key(f.loop, f.node) == key) return i;
    }
    return -1;
  }
  int32_t InnermostLoop() const {
    for (int32_t i = static_cast<int32_t>(frames_.size()) - 1; i >= 0; --i) {
      if (frames_[static_cast<size_t>(i)].loop) return i;
    }
    return -1;
  }
  int32_t Flag(int32_t key) {
    auto it = flags_.find(key);
    if (it != flags_.end()) return it->second;
    const int32_t id = static_cast<int32_t>(flags_.size());
    flags_.emplace(key, id);
    return id;
  }
  std::vector<int32_t> Flags(const std::vector<int32_t>& keys) {
    std::vector<int32_t> out;
    for (int32_t k : keys) out.push_back(Flag(k));
    return out;
  }
  static Stmt FlagTest(std::vector<int32_t> flags, bool negated) {
    Stmt s;
    s.Kind = StmtKind::If;
    s.Cond.Kind = ConditionKind::Flags;
    s.Cond.Flags = std::move(flags);
    s.Cond.Negated = negated;
    return s;
  }
  static Stmt Simple(StmtKind kind) {
    Stmt s;
    s.Kind = kind;
    return s;
  }
  Stmt SetFlag(int32_t key, bool value) {
    Stmt s;
    s.Kind = StmtKind::SetFlag;
    s.Value = Flag(key);
    s.FlagValue = value;
    return s;
  }

  static void Merge(std::vector<int32_t>& into, const std::vector<int32_t>& more) {
    for (int32_t k : more) {
      if (std::find(into.begin(), into.end(), k) == into.end()) into.push_back(k);
    }
  }

  // Lowers seq[from..] into `out`; returns the keys of the exits still under way.
  std::vector<int32_t> LowerSeq(const std::vector<Pre>& seq, size_t from, std::vector<Stmt>& out) {
    std::vector<int32_t> pending;
    for (size_t i = from; i < seq.size(); ++i) {
      const std::vector<int32_t> p = LowerStmt(seq[i], out);
      if (p.empty()) continue;
      if (i + 1 == seq.size()) {
        Merge(pending, p);
        break;
      }
      const int32_t loop = InnermostLoop();
      std::vector<int32_t> outer, next_round, local;
      for (int32_t k : p) {
        const int32_t at = FrameIndex(k);
        if (loop >= 0 && at < loop) outer.push_back(k);
        else if (loop >= 0 && at == loop) next_round.push_back(k);
        else local.push_back(k);
      }
      if (!outer.empty()) {
        Stmt test = FlagTest(Flags(outer), false);
        test.Body.push_back(Simple(StmtKind::Break));
        out.push_back(std::move(test));
        Merge(pending, outer);
      }
      if (!next_round.empty()) {
        Stmt test = FlagTest(Flags(next_round), false);
        test.Body.push_back(Simple(StmtKind::Continue));
        out.push_back(std::move(test));
      }
      if (!local.empty()) {
        Stmt guard = FlagTest(Flags(local), true);
        Merge(pending, LowerSeq(seq, i + 1, guard.Body));
        Merge(pending, local);
        if (!guard.Body.empty()) out.push_back(std::move(guard));
        break;
      }
    }
    return pending;
  }

  Condition NodeCondition(int32_t n) const {
    const FlowNode& node = g_.Nodes[static_cast<size_t>(n)];
    Condition c;
    if (node.Kind == FlowNodeKind::TestState) {
      c.Kind = ConditionKind::State;
      c.Value = node.State;
    } else {
      c.Kind = ConditionKind::Instruction;
      c.Instruction = node.Last;
    }
    return c;
  }

  void Code(int32_t n, std::vector<Stmt>& out) const {
    const FlowNode& node = g_.Nodes[static_cast<size_t>(n)];
    if (node.Kind == FlowNodeKind::SetState) {
      Stmt s;
      s.Kind = StmtKind::SetState;
      s.Value = node.State;
      out.push_back(s);
      return;
    }
    if (node.Kind != FlowNodeKind::Block) return;
    const int32_t last = node.Condition ? node.Last - 1 : node.Last;
    for (int32_t i = node.First; i <= last; ++i) {
      if (InstructionHasNoEffect(program_, i)) continue;
      Stmt s;
      s.Kind = StmtKind::Instruction;
      s.Instruction = i;
      s.Block = node.Block;
      out.push_back(s);
    }
  }

  std::vector<int32_t> LowerStmt(const Pre& p, std::vector<Stmt>& out) {
    switch (p.kind) {
      case Pre::Code:
        Code(p.node, out);
        return {};
      case Pre::Halt:
        out.push_back(Simple(StmtKind::Return));
        return {};
      case Pre::Break:
        out.push_back(Simple(StmtKind::Break));
        return {};
      case Pre::If: {
        Stmt s;
        s.Kind = StmtKind::If;
        s.Cond = NodeCondition(p.node);
        s.Block = g_.Nodes[static_cast<size_t>(p.node)].Block;
        std::vector<int32_t> pending = LowerSeq(p.a, 0, s.Body);
        Merge(pending, LowerSeq(p.b, 0, s.Otherwise));
        if (s.Body.empty() && !s.Otherwise.empty()) {
          std::swap(s.Body, s.Otherwise);
          s.Cond = s.Cond.Inverted();
        }
        // Both ways lead on alike: the condition is still evaluated, as it may fail.
        out.push_back(std::move(s));
        return pending;
      }
      case Pre::Block: {
        const bool wraps = p.a.size() == 1 && p.a[0].kind == Pre::Loop;
        frames_.push_back({false, p.node, wraps});
        const size_t flags_before = flags_.size();
        std::vector<Stmt> body;
        std::vector<int32_t> pending = LowerSeq(p.a, 0, body);
        frames_.pop_back();
        const int32_t key = Key(false, p.node);
        if (flags_.count(key) && flags_.size() > flags_before) out.push_back(SetFlag(key, false));
        for (Stmt& s : body) out.push_back(std::move(s));
        pending.erase(std::remove(pending.begin(), pending.end(), key), pending.end());
        return pending;
      }
      case Pre::Loop: {
        frames_.push_back({true, p.node, false});
        const int32_t depth = static_cast<int32_t>(frames_.size()) - 1;
        Stmt loop;
        loop.Kind = StmtKind::Loop;
        loop.Form = LoopForm::Forever;
        loop.Block = g_.Nodes[static_cast<size_t>(p.node)].Block;
        std::vector<int32_t> pending = LowerSeq(p.a, 0, loop.Body);
        const int32_t key = Key(true, p.node);
        std::vector<int32_t> outer;
        for (int32_t k : pending) {
          if (k != key && FrameIndex(k) < depth) outer.push_back(k);
        }
        frames_.pop_back();
        if (!outer.empty()) {
          Stmt test = FlagTest(Flags(outer), false);
          test.Body.push_back(Simple(StmtKind::Break));
          loop.Body.push_back(std::move(test));
        }
        if (flags_.count(key)) loop.Body.insert(loop.Body.begin(), SetFlag(key, false));
        out.push_back(std::move(loop));
        return outer;
      }
      case Pre::Exit: {
        const int32_t key = Key(p.to_loop, p.node);
        const int32_t at = FrameIndex(key);
        const int32_t loop = InnermostLoop();
        if (p.to_loop && at == loop) {
          out.push_back(Simple(StmtKind::Continue));
          return {};
        }
        if (!p.to_loop && at >= 0 && loop == at + 1 && frames_[static_cast<size_t>(at)].wraps_loop_only) {
          out.push_back(Simple(StmtKind::Break));
          return {};
        }
        out.push_back(SetFlag(key, true));
        if (loop > at) out.push_back(Simple(StmtKind::Break));
        return {key};
      }
    }
    return {};
  }

  const FlowGraph& g_;
  const TKompilatorTS& program_;
  std::vector<LowerFrame> frames_;
  std::map<int32_t, int32_t> flags_;
};

// ---- loop forms and the final return ----

bool IsLone(const std::vector<Stmt>& seq, StmtKind kind) { return seq.size() == 1 && seq[0].Kind == kind; }

// A continue of this loop outside any inner loop.
bool ContinuesHere(const std::vector<Stmt>& seq) {
  for (const Stmt& s : seq) {
    if (s.Kind == StmtKind::Continue) return true;
    if (s.Kind == StmtKind::If && (ContinuesHere(s.Body) || ContinuesHere(s.Otherwise))) return true;
  }
  return false;
}

void ShapeLoops(std::vector<Stmt>& seq) {
  for (Stmt& s : seq) {
    ShapeLoops(s.Body);
    ShapeLoops(s.Otherwise);
    if (s.Kind != StmtKind::Loop || s.Form != LoopForm::Forever || s.Body.empty()) continue;
    Stmt& first = s.Body.front();
    if (first.Kind == StmtKind::If && first.Cond.Kind == ConditionKind::Instruction &&
        (IsLone(first.Otherwise, StmtKind::Break) || (IsLone(first.Body, StmtKind::Break)))) {
      // while: the test comes first and one of its ways leaves.
      const bool leaves_when_true = IsLone(first.Body, StmtKind::Break);
      Condition cond = leaves_when_true ? first.Cond.Inverted() : first.Cond;
      std::vector<Stmt> stay = leaves_when_true ? std::move(first.Otherwise) : std::move(first.Body);
      for (size_t k = 1; k < s.Body.size(); ++k) stay.push_back(std::move(s.Body[k]));
      s.Body = std::move(stay);
      s.Form = LoopForm::While;
      s.Cond = cond;
      continue;
    }
    Stmt& last = s.Body.back();
    if (last.Kind == StmtKind::If && last.Cond.Kind == ConditionKind::Instruction && last.Otherwise.empty() &&
        IsLone(last.Body, StmtKind::Break)) {
      Condition cond = last.Cond.Inverted();
      s.Body.pop_back();
      if (ContinuesHere(s.Body)) {
        s.Body.push_back(Stmt());  // put back below
        s.Body.back().Kind = StmtKind::If;
        s.Body.back().Cond = cond.Inverted();
        s.Body.back().Body.push_back(Stmt());
        s.Body.back().Body.back().Kind = StmtKind::Break;
        continue;
      }
      s.Form = LoopForm::DoWhile;
      s.Cond = cond;
    }
  }
}

// A return in a loop that ends the program anyway is that loop's break.
void ReturnsToBreaks(std::vector<Stmt>& seq) {
  for (Stmt& s : seq) {
    if (s.Kind == StmtKind::Return) s.Kind = StmtKind::Break;
    if (s.Kind == StmtKind::If) {
      ReturnsToBreaks(s.Body);
      ReturnsToBreaks(s.Otherwise);
    }
  }
}

void TailLoopReturns(std::vector<Stmt>& seq) {
  if (seq.empty()) return;
  Stmt& last = seq.back();
  if (last.Kind == StmtKind::Loop) ReturnsToBreaks(last.Body);
  if (last.Kind == StmtKind::If) {
    TailLoopReturns(last.Body);
    TailLoopReturns(last.Otherwise);
  }
}

void DropTailReturn(std::vector<Stmt>& seq) {
  if (seq.empty()) return;
  Stmt& last = seq.back();
  if (last.Kind == StmtKind::Return) {
    seq.pop_back();
  } else if (last.Kind == StmtKind::If) {
    DropTailReturn(last.Body);
    DropTailReturn(last.Otherwise);
    if (last.Body.empty() && last.Otherwise.empty()) {
      // The condition is still evaluated: it may fail at run time.
      return;
    }
    if (last.Body.empty()) {
      std::swap(last.Body, last.Otherwise);
      last.Cond = last.Cond.Inverted();
    }
  }
}

}  // namespace

CodeTree StructureGraph(const FlowGraph& g, const TKompilatorTS& program) {
  CodeTree tree;
  tree.CopiedNodes = g.CopiedNodes;
  tree.StateRegions = g.StateRegions;
  tree.UsesState = g.StateRegions > 0;
  tree.UnreachableBlocks = g.UnreachableBlocks;
  if (g.Entry == kHalt) return tree;
  const GraphOrder order = AnalyseGraph(g);
  Translation translation(g, order);
  std::vector<Pre> pre = translation.Node(g.Entry);
  DropTailExits(pre);
  TailBreaks(pre, {}, nullptr);
  std::map<int32_t, int32_t> block_exits;
  CountExits(pre, block_exits);
  DissolveBlocks(pre, block_exits);
  Lowering lowering(g, program);
  tree.Body = lowering.Run(pre);
  tree.FlagCount = lowering.FlagCount();
  TailLoopReturns(tree.Body);
  ShapeLoops(tree.Body);
  DropTailReturn(tree.Body);
  return tree;
}

}  // namespace tessaro::codegen
