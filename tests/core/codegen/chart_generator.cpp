#include "chart_generator.h"

#include <algorithm>
#include <random>
#include <vector>

#include "alg_spec.h"
#include "core/codegen/flow_graph.h"
#include "core/codegen/graph_order.h"
#include "core/language/compiler.h"

namespace tessaro::test {

namespace {

constexpr int kStepLimit = 30;

struct Block {
  std::string kind;  // start, end, proc, io, cond, cond0, node
  int link1 = -1;
  int link2 = -1;
  std::string text;
};

// Statements that exercise the value rules: integer overflow into reals,
// truncating div and mod, reals shown both ways, text, booleans and arrays.
constexpr const char* kPayloads[] = {
    "x := x * 3 - 7",
    "x := x * 100000",
    "y := x div 4\\nz := x mod -3",
    "y := (0 - x) div 3\\nz := (0 - x) mod 5",
    "r := x / 8\\nwrite r\\nwrite r + 0",
    "s := s + 'ab'\\nwrite Length(s), Copy(s, 2, 3)",
    "t[k] := x\\nwrite t",
    "b := x > 10\\nwrite b\\nwrite b + 0",
    "q := Sqrt(Abs(x))\\nwrite q",
    "u[2, k] := k\\nwrite u",
    "x := x + y * 2\\nwrite x, y",
    "w := Round(x / 3) + Trunc(2.75)\\nwrite w",
    "write Pos('b', s), s",
    "e := 7 shl 2 or 1\\nwrite e, not e",
};

class Builder {
 public:
  explicit Builder(uint32_t seed) : rng_(seed) {}

  int Add(Block b) {
    blocks_.push_back(std::move(b));
    return static_cast<int>(blocks_.size()) - 1;
  }
  Block& at(int i) { return blocks_[static_cast<size_t>(i)]; }
  int Random(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool Chance(int percent) { return Random(1, 100) <= percent; }

  // A processing or input block: its number, the counter, the checksum and
  // sometimes more work or a read.
  int Proc(int next) {
    const int id = Add({});
    at(id) = MakeProc(id, next);
    return id;
  }
  Block MakeProc(int id, int next) {
    std::string text = "write " + std::to_string(id) + "\\nk := k + 1\\nc := (c * 31 + " + std::to_string(id) +
                       ") mod 1009";
    std::string kind = "proc";
    if (Chance(25)) {
      text += "\\nread a";
      kind = "io";
    }
    if (Chance(45)) text += std::string("\\n") + kPayloads[Random(0, static_cast<int>(std::size(kPayloads)) - 1)];
    return {kind, next, -1, text};
  }

  // A condition whose true exit is `on_true` and false exit `on_false`;
  // it holds only while the counter is below the limit.
  int Cond(int on_true, int on_false) {
    const int id = Add({});
    SetCond(id, on_true, on_false);
    return id;
  }
  void SetCond(int id, int on_true, int on_false) {
    std::string test;
    switch (Random(0, 3)) {
      case 0: test = "c mod " + std::to_string(Random(2, 5)) + " <> 0"; break;
      case 1: test = "a > " + std::to_string(Random(-3, 6)); break;
      case 2: test = "(c + k) mod 3 < 2"; break;
      default: test = "c mod 7 >= " + std::to_string(Random(1, 5)); break;
    }
    const std::string text = "(" + test + ") and (k < " + std::to_string(kStepLimit) + ")";
    // Either way of drawing the exits: a cond's Link1 is its false exit, a cond0's its true exit.
    if (Chance(50)) at(id) = {"cond", on_false, on_true, text};
    else at(id) = {"cond0", on_true, on_false, text};
  }

  // ---- structured charts ----

  int Sequence(int depth, int next) {
    const int count = Random(1, depth > 2 ? 2 : 3);
    for (int i = 0; i < count; ++i) next = Statement(depth, next);
    return next;
  }

  int Statement(int depth, int next) {
    const int choice = depth >= 3 ? 0 : Random(0, 5);
    switch (choice) {
      case 1: {  // if/else, sometimes joined at a junction
        const int join = Chance(40) ? Add({"node", next, -1, ""}) : next;
        const int yes = Sequence(depth + 1, join);
        const int no = Chance(30) ? join : Sequence(depth + 1, join);
        return Cond(yes, no);
      }
      case 2:
      case 3: {  // while
        const int head = Add({});
        const int body = Sequence(depth + 1, head);
        // The body needs a block that counts, or the loop would not end.
        const int counted = at(body).kind == "proc" || at(body).kind == "io" ? body : Proc(body);
        SetCond(head, counted, next);
        return head;
      }
      case 4: {  // do-while
        const int test = Add({});
        const int body = Proc(Sequence(depth + 1, test));
        SetCond(test, body, next);
        return body;
      }
      default:
        return Proc(next);
    }
  }

  // ---- unstructured and irreducible charts ----

  // Blocks 2..n+1 on a spine; false exits and processing blocks go forward,
  // true exits anywhere, backward ones only to processing blocks.
  void Spine(int n, int end) {
    const int first = static_cast<int>(blocks_.size());
    std::vector<bool> is_cond(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) is_cond[static_cast<size_t>(i)] = i > 0 && Chance(45);
    for (int i = 0; i < n; ++i) Add({});
    auto forward = [&](int i) {
      const int j = i + Random(1, 3);
      return j >= n ? end : first + j;
    };
    for (int i = 0; i < n; ++i) {
      const int id = first + i;
      if (!is_cond[static_cast<size_t>(i)]) {
        at(id) = MakeProc(id, Chance(80) ? (i + 1 >= n ? end : id + 1) : forward(i));
        continue;
      }
      int on_true;
      if (Chance(50)) {
        std::vector<int> targets;
        for (int j = 0; j <= i; ++j) {
          if (!is_cond[static_cast<size_t>(j)]) targets.push_back(first + j);
        }
        on_true = targets[static_cast<size_t>(Random(0, static_cast<int>(targets.size()) - 1))];
      } else {
        on_true = forward(i);
      }
      SetCond(id, on_true, forward(i));
    }
  }

  // The chart with its blocks in a shuffled order, so that nothing depends on where they stand.
  std::string Description(bool shuffle) {
    const int n = static_cast<int>(blocks_.size());
    std::vector<int> place(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) place[static_cast<size_t>(i)] = i;
    if (shuffle) std::shuffle(place.begin(), place.end(), rng_);
    std::vector<Block> out(static_cast<size_t>(n));
    auto moved = [&](int link) { return link < 0 ? link : place[static_cast<size_t>(link)]; };
    for (int i = 0; i < n; ++i) {
      Block b = blocks_[static_cast<size_t>(i)];
      b.link1 = moved(b.link1);
      b.link2 = moved(b.link2);
      // Block numbers written by the chart stay those of the drawing before the shuffle.
      out[static_cast<size_t>(place[static_cast<size_t>(i)])] = b;
    }
    // A condition's second exit cannot be block 0, which means none.
    for (const Block& b : out) {
      if ((b.kind == "cond" || b.kind == "cond0") && b.link2 == 0) return Description(shuffle);
    }
    std::string description;
    for (const Block& b : out) {
      description += b.kind + " " + std::to_string(b.link1) + " " + std::to_string(b.link2) + " " + b.text + "\n";
    }
    return description;
  }

  std::vector<Block>& blocks() { return blocks_; }

 private:
  std::mt19937 rng_;
  std::vector<Block> blocks_;
};

std::string Structured(uint32_t seed) {
  Builder b(seed);
  b.Add({"start", -1, -1, ""});
  const int end = b.Add({"end", -1, -1, ""});
  const int init = b.Add({"proc", -1, -1, "k := 0\\nc := 1\\na := 0\\nx := 5\\ny := 0\\ns := 'z'"});
  const int first = b.Sequence(0, end);
  b.at(init).link1 = first;
  b.at(0).link1 = init;
  return b.Description(true);
}

std::string Spined(uint32_t seed) {
  Builder b(seed);
  b.Add({"start", 2, -1, ""});
  const int end = b.Add({"end", -1, -1, ""});
  b.Add({"proc", 3, -1, "k := 0\\nc := 1\\na := 0\\nx := 5\\ny := 0\\ns := 'z'"});
  b.Spine(b.Random(5, 14), end);
  return b.Description(true);
}

enum class Shape { Structured, Reducible, Irreducible, Invalid };

Shape ShapeOf(const std::string& description) {
  std::vector<Tobj> bloki;
  std::string error;
  if (!fixtures::ParseAlgSpec(description, bloki, error)) return Shape::Invalid;
  TKompilatorTS c;
  TBreakPointArray none;
  std::vector<TPlugInEntry> no_extensions;
  if (!c.Compile(bloki, static_cast<int32_t>(bloki.size()) - 1, -1, no_extensions, none)) return Shape::Invalid;
  const codegen::FlowGraph g = codegen::BuildFlowGraph(c);
  const codegen::GraphOrder order = codegen::AnalyseGraph(g);
  return codegen::IsReducible(g, order) ? Shape::Reducible : Shape::Irreducible;
}

}  // namespace

const char* FamilyName(ChartFamily family) {
  switch (family) {
    case ChartFamily::Structured: return "structured";
    case ChartFamily::Unstructured: return "unstructured";
    case ChartFamily::Irreducible: return "irreducible";
  }
  return "";
}

std::string GenerateChart(ChartFamily family, uint32_t seed, int* attempts) {
  if (family == ChartFamily::Structured) {
    if (attempts) *attempts = 1;
    return Structured(seed);
  }
  const Shape wanted = family == ChartFamily::Unstructured ? Shape::Reducible : Shape::Irreducible;
  for (uint32_t k = 0;; ++k) {
    const std::string description = Spined(seed * 7919u + k);
    if (ShapeOf(description) == wanted) {
      if (attempts) *attempts = static_cast<int>(k) + 1;
      return description;
    }
  }
}

std::string GenerateInput(uint32_t seed) {
  std::mt19937 rng(seed ^ 0x5EEDu);
  std::string input;
  for (int i = 0; i < 40; ++i) input += std::to_string(std::uniform_int_distribution<int>(-5, 12)(rng)) + "\n";
  return input;
}

}  // namespace tessaro::test
