// Stepping back. Every random program runs twice from the same seed and the
// same answers: once plainly, one step at a time, noting what the user could
// see after each step; once with history, by a random mix of micro,
// instruction and block steps and continuous runs, stepping back now and
// then and forwards again to the end. After every step back the state must
// be the plain run's at that position, and at the end everything must be as
// the plain run left it, with no read asked twice.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>

#include "core/runtime/builtin_calls.h"
#include "core/runtime/run_history.h"
#include "core/runtime/value_ops.h"
#include "program_harness.h"
#include "random_program.h"
#include "variable_dump.h"

namespace tessaro::test {
namespace {

// Everything the window shows of a run, and everything its future depends on.
struct Visible {
  std::string variables;
  int32_t current = 0;
  std::string trees;  // every instruction's step position and node values
  size_t exchanges = 0;  // the transcript's length; its text is compared at the end
  std::vector<int32_t> hits;
  int32_t last_break_block = 0, last_break_line = 0;
  std::vector<std::string> errors;
  size_t warnings = 0;

  bool operator==(const Visible&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Visible& v) {
  out << "current " << v.current << "\n" << v.variables << v.trees << "exchanges " << v.exchanges
      << " errors " << v.errors.size() << " warnings " << v.warnings << " last break " << v.last_break_block
      << ":" << v.last_break_line << " hits";
  for (int32_t h : v.hits) out << " " << h;
  return out;
}

// A compiled random program with a host that answers reads from the
// program's input and keeps a transcript of the exchanges, cut back to the
// run's exchanges after every step back.
class Host {
 public:
  Host(const Program& p, uint32_t seed, const TBreakPointArray& breakpoints, int64_t history = 0)
      : h(p.spec, p.input) {
    h.c.DynamicArrays = p.dynamic_arrays ? 1 : 0;
    h.breakpoints = breakpoints;
    h.c.OnStep = nullptr;
    h.c.OnStateChange = [this](TKompilatorTS&, uint8_t code) {
      if (code == kStateBreakpoint) h.c.Running = 0;
    };
    h.c.OnInputOutput = [this](TKompilatorTS&, const std::string& value, const std::string& item,
                               uint8_t direction, std::string& answer) {
      answer.clear();
      if (direction == 1) {
        transcript.push_back("w " + item + " = " + value);
        return;
      }
      ++asked;
      answer = "1";  // past the program's answers
      if (!h.input.empty()) {
        answer = h.input.front();
        h.input.pop_front();
      }
      transcript.push_back("r " + item + " = " + answer);
    };
    h.c.OnReplayedInput = [this](TKompilatorTS&, const std::string& item, const std::string& answer) {
      ++replayed;
      transcript.push_back("r " + item + " = " + answer);
    };
    compiled = h.Compile();
    SeedRandom(seed);
    h.c.SetHistoryBudget(history);
    if (compiled) h.c.PrepareRun();
  }

  Visible See() const {
    Visible v;
    for (const Tzmienna& variable : h.c.Variables) {
      v.variables += variable.Name + "=";
      DumpCell(variable.Root, v.variables);
      v.variables += "\n";
    }
    v.current = h.c.Current;
    for (const Trozkaz& ins : h.c.Instructions) {
      v.trees += std::to_string(ins.StepIndex) + ":";
      for (const TwrTree* node : ins.Steps) v.trees += " " + ValueText(node->NodeValue) + "|" + node->SrcText;
      v.trees += "\n";
    }
    v.exchanges = transcript.size();
    for (const TBreakPoint& bp : h.breakpoints) v.hits.push_back(bp.Hits);
    v.last_break_block = h.c.LastBreakBlock;
    v.last_break_line = h.c.LastBreakLine;
    v.errors = h.Errors();
    v.warnings = h.c.Warnings.size();
    return v;
  }

  bool Ended() const { return !h.c.HasInstruction(h.c.Current); }
  int32_t BlockOf(int32_t instruction) const {
    return h.c.HasInstruction(instruction) ? h.c.Instructions[static_cast<size_t>(instruction)].BlockIndex : -1;
  }

  ProgramHarness h;
  bool compiled = false;
  std::vector<std::string> transcript;
  int asked = 0;
  int replayed = 0;
};

// One step of the plain run: what it was and what the user saw after it.
struct PlainStep {
  bool micro = false;
  bool starts_instruction = false;  // the position after it
  bool starts_block = false;
  Visible after;
};

// The plain run: the script's commands, block steps and runs spelled out as
// the instruction steps they are made of, then instruction steps to the end
// or the limit. steps[p] is the step that leads to position p + 1.
struct PlainRun {
  Visible start;
  std::vector<std::string> transcript;  // at the end
  std::vector<PlainStep> steps;
  int asked = 0;
  bool ended = false;         // the program ended, before the limit
  size_t whole_commands = 0;  // the script's commands that the limit did not cut short
};

constexpr int kStepLimit = 800;

void PlainStepOnce(Host& host, PlainRun& run, bool micro) {
  TKompilatorTS& c = host.h.c;
  const int32_t from = c.Current;
  if (micro) {
    c.MicroStep();
  } else {
    c.InstructionStep();
  }
  PlainStep step;
  step.micro = micro;
  step.starts_instruction =
      !micro || !c.HasInstruction(c.Current) || c.Instructions[static_cast<size_t>(c.Current)].StepIndex == 0;
  step.starts_block = step.starts_instruction && host.BlockOf(c.Current) != host.BlockOf(from);
  step.after = host.See();
  run.steps.push_back(step);
  ASSERT_EQ(c.StepPosition, run.steps.size());
}

PlainRun RunPlainly(const Program& p, uint32_t seed, const TBreakPointArray& breakpoints, const std::string& script) {
  Host host(p, seed, breakpoints);
  PlainRun run;
  if (!host.compiled) return run;
  run.start = host.See();
  TKompilatorTS& c = host.h.c;
  auto room = [&] { return !host.Ended() && run.steps.size() < kStepLimit; };
  for (char command : script) {
    if (!room()) break;
    ++run.whole_commands;
    switch (command) {
      case 'm': PlainStepOnce(host, run, true); break;
      case 'i': PlainStepOnce(host, run, false); break;
      case 'b': {
        const int32_t block = host.BlockOf(c.Current);
        while (room() && host.BlockOf(c.Current) == block) {
          PlainStepOnce(host, run, false);
          if (c.BreakpointHit) break;
        }
        break;
      }
      case 'r':
        c.BreakpointHit = 0;
        while (room()) {
          PlainStepOnce(host, run, false);
          if (c.BreakpointHit) break;
        }
        break;
    }
    c.BreakpointHit = 0;
  }
  if (!room() && !host.Ended()) --run.whole_commands;
  while (room()) PlainStepOnce(host, run, false);
  run.asked = host.asked;
  run.ended = host.Ended();
  run.transcript = host.transcript;
  return run;
}

// The position a step back of `size` from `now` goes to, by the plain run's notes.
uint64_t ExpectedTarget(const PlainRun& run, uint64_t now, StepSize size, uint64_t horizon) {
  for (uint64_t p = now - 1; p > horizon; --p) {
    const PlainStep& step = run.steps[p - 1];
    if (size == StepSize::Micro || (size == StepSize::Instruction && step.starts_instruction) ||
        (size == StepSize::Block && step.starts_block)) {
      return p;
    }
  }
  return horizon;
}

const Visible& PlainAt(const PlainRun& run, uint64_t position) {
  return position == 0 ? run.start : run.steps[position - 1].after;
}

class HistoryRun {
 public:
  HistoryRun(const Program& p, uint32_t seed, const TBreakPointArray& breakpoints, const PlainRun& plain,
             std::mt19937& random)
      : host_(p, seed, breakpoints, kDefaultHistoryBudget), plain_(plain), random_(random) {
    // Copies every few steps, so that steps back cross copies.
    c().History->SetFixedInterval(static_cast<uint64_t>(Pick(3, 40)));
  }

  TKompilatorTS& c() { return host_.h.c; }
  uint64_t End() const { return plain_.steps.size(); }

  void Command(char command) {
    switch (command) {
      case 'm': c().MicroStep(); break;
      case 'i': c().InstructionStep(); break;
      case 'b': c().BlockStep(); break;
      case 'r': c().Run(); break;
    }
    c().BreakpointHit = 0;
  }

  void ExpectAsPlain(const char* what) {
    ASSERT_LE(c().StepPosition, End()) << what;
    ASSERT_EQ(host_.See(), PlainAt(plain_, c().StepPosition)) << what << " at " << c().StepPosition;
  }

  void StepBack() {
    static constexpr StepSize kSizes[] = {StepSize::Micro, StepSize::Instruction, StepSize::Block};
    const StepSize size = kSizes[Pick(0, 2)];
    const uint64_t now = c().StepPosition;
    if (now == 0) {
      ASSERT_FALSE(c().CanStepBack());
      return;
    }
    ASSERT_TRUE(c().History->HasCopies());
    const uint64_t horizon = c().History->Horizon();
    if (!c().CanStepBack()) {
      ASSERT_EQ(now, horizon);
      return;
    }
    ASSERT_TRUE(c().StepBack(size));
    host_.transcript.resize(static_cast<size_t>(c().Exchanges()));
    ASSERT_EQ(c().StepPosition, ExpectedTarget(plain_, now, size, horizon)) << "from " << now;
    ExpectAsPlain("after a step back");
  }

  // Forwards with the plain run's own kinds of step, by instruction steps,
  // micro steps and, where only instruction steps follow, continuous runs.
  void Forward(uint64_t until) {
    while (c().StepPosition < until && !::testing::Test::HasFatalFailure()) {
      const uint64_t at = c().StepPosition;
      const bool rest_whole = std::none_of(plain_.steps.begin() + static_cast<ptrdiff_t>(at), plain_.steps.end(),
                                           [](const PlainStep& s) { return s.micro; });
      // A run stops at the plain run's end only when the program ends there.
      if (until == End() && rest_whole && plain_.ended && Pick(0, 3) == 0) {
        Command('r');
      } else if (plain_.steps[at].micro) {
        c().MicroStep();
      } else {
        c().InstructionStep();
      }
      if (c().StepPosition == at) FAIL() << "no step at " << at;
      ExpectAsPlain("forward again");
    }
  }

  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  Host& host() { return host_; }

 private:
  Host host_;
  const PlainRun& plain_;
  std::mt19937& random_;
};

std::string RandomScript(std::mt19937& random) {
  static const char kCommands[] = "mmmmiiiibbr";
  std::string script;
  const int length = std::uniform_int_distribution<int>(5, 60)(random);
  for (int k = 0; k < length; ++k) script += kCommands[std::uniform_int_distribution<int>(0, 10)(random)];
  return script;
}

// A few breakpoints on whole blocks, from a random pass on, some on a condition.
TBreakPointArray RandomBlockBreakpoints(const Program& p, std::mt19937& random) {
  TBreakPointArray list;
  const int blocks = static_cast<int>(std::count(p.spec.begin(), p.spec.end(), '\n'));
  for (int k = std::uniform_int_distribution<int>(0, 2)(random); k > 0; --k) {
    TBreakPoint bp;
    bp.Block = std::uniform_int_distribution<int>(2, std::max(2, blocks - 2))(random);
    bp.HitCount = std::uniform_int_distribution<int>(0, 3)(random);
    if (std::uniform_int_distribution<int>(0, 2)(random) == 0) bp.Condition = "i > 3";
    list.push_back(bp);
  }
  return list;
}

TEST(RunHistory, SteppingBackShowsWhatThePlainRunShowedAndEndsTheSame) {
  RandomProgram maker(20261211, true);
  std::mt19937 random(28);
  int replayed_reads = 0;
  int back_steps = 0;
  for (int k = 0; k < 50; ++k) {
    const Program p = maker.Make("random " + std::to_string(k));
    SCOPED_TRACE(p.name + "\n" + p.spec);
    const uint32_t seed = random();
    const TBreakPointArray breakpoints = RandomBlockBreakpoints(p, random);
    const std::string script = RandomScript(random);
    SCOPED_TRACE("script " + script);
    const PlainRun plain = RunPlainly(p, seed, breakpoints, script);
    if (::testing::Test::HasFatalFailure()) return;
    if (plain.steps.empty()) continue;

    HistoryRun run(p, seed, breakpoints, plain, random);
    // Forwards by the script, as far as the plain run went.
    const size_t commands = std::min(plain.whole_commands, static_cast<size_t>(run.Pick(1, static_cast<int>(script.size()))));
    for (size_t n = 0; n < commands && !run.host().Ended(); ++n) {
      run.Command(script[n]);
      run.ExpectAsPlain("forward");
      if (::testing::Test::HasFatalFailure()) return;
    }
    // Back and forth a few times, then on to the end.
    for (int round = run.Pick(1, 3); round > 0; --round) {
      for (int back = run.Pick(1, 12); back > 0; --back, ++back_steps) {
        run.StepBack();
        if (::testing::Test::HasFatalFailure()) return;
      }
      run.Forward(std::min<uint64_t>(run.End(), run.c().StepPosition + static_cast<uint64_t>(run.Pick(0, 20))));
      if (::testing::Test::HasFatalFailure()) return;
    }
    run.Forward(run.End());
    if (::testing::Test::HasFatalFailure()) return;
    EXPECT_EQ(run.c().StepPosition, run.End());
    EXPECT_EQ(run.host().See(), plain.steps.back().after);
    EXPECT_EQ(run.host().transcript, plain.transcript);
    EXPECT_EQ(run.host().asked, plain.asked) << "a read was asked again";
    replayed_reads += run.host().replayed;
  }
  // The programs did read again after stepping back.
  EXPECT_GT(replayed_reads, 0);
  EXPECT_GT(back_steps, 100);
}

}  // namespace
}  // namespace tessaro::test

namespace tessaro::test {
namespace {

// A counting loop of `count` rounds over a small array.
std::string CountingLoop(int count) {
  return "start 1 -1\nproc 2 -1 i := 0\\ndim t[4]\ncond 4 3 i < " + std::to_string(count) +
         "\nproc 2 -1 i := i + 1\\nt[i mod 4 + 1] := i\nend -1 -1\n";
}

TEST(RunHistory, StaysWithinItsBudgetAndGoesBackAsFarAsItReaches) {
  ProgramHarness h(CountingLoop(4000));
  ASSERT_TRUE(h.Compile());
  constexpr int64_t kBudget = 24 * 1024;
  h.c.SetHistoryBudget(kBudget);
  h.c.History->SetFixedInterval(500);
  size_t most = 0;
  h.c.OnStep = [&](TKompilatorTS& c, uint8_t) { most = std::max(most, c.History->Bytes()); };
  h.c.PrepareRun();
  h.c.Run();
  ASSERT_TRUE(h.c.IsFinished());
  EXPECT_LE(most, static_cast<size_t>(kBudget));
  EXPECT_GE(h.c.History->CopyCount(), 3u);
  // The oldest copies went; what is left reaches back a good way, not to the start.
  const uint64_t reach = h.c.HistoryReach();
  EXPECT_GT(reach, 1000u);
  EXPECT_LT(reach, h.c.StepPosition);
  const uint64_t end = h.c.StepPosition;
  int backs = 0;
  while (h.c.StepBack(StepSize::Block)) ++backs;
  EXPECT_EQ(h.c.StepPosition, end - reach);
  EXPECT_GT(backs, 100);
  // The start and the two instructions before the loop take three steps;
  // a round three more: the condition, the increment, the store.
  const uint64_t rounds = (h.c.StepPosition - 3) / 3;
  const uint64_t into = (h.c.StepPosition - 3) % 3;
  EXPECT_EQ(h.Render("i"), std::to_string(rounds + (into == 2 ? 1 : 0)));
  h.c.Run();
  EXPECT_EQ(h.Render("i"), "4000");
  EXPECT_EQ(h.c.StepPosition, end);
}

TEST(RunHistory, ARepeatedReadTakesItsAnswerAndRandomItsNumbersAgain) {
  ProgramHarness h("start 1 -1\nio 2 -1 read a\\nwrite a + Random(1000000)\\nwrite Random(1000000)\nend -1 -1\n",
                   {"5", "6"});
  std::vector<std::string> replayed;
  h.c.OnReplayedInput = [&](TKompilatorTS&, const std::string& item, const std::string& answer) {
    replayed.push_back(item + "=" + answer);
  };
  ASSERT_TRUE(h.Compile());
  h.c.SetHistoryBudget(kDefaultHistoryBudget);
  h.c.PrepareRun();
  h.c.Run();
  ASSERT_TRUE(h.c.IsFinished());
  ASSERT_EQ(h.output.size(), 2u);
  const std::vector<std::string> first = h.output;
  // Back into the end block, then back to the read: the exchanges then were none.
  h.states.clear();
  ASSERT_TRUE(h.c.StepBack(StepSize::Block));
  EXPECT_EQ(h.c.Exchanges(), 3u);
  ASSERT_TRUE(h.c.StepBack(StepSize::Block));
  EXPECT_EQ(h.states, (std::vector<int>{kStatePaused, kStatePaused}));
  EXPECT_EQ(h.c.Exchanges(), 0u);
  EXPECT_EQ(h.Render("a"), "?");
  h.output.clear();
  h.c.Run();
  EXPECT_EQ(h.output, first);
  EXPECT_EQ(h.prompts.size(), 1u);
  EXPECT_EQ(replayed, std::vector<std::string>{"a=5"});
  EXPECT_EQ(h.input.size(), 1u);
}

TEST(RunHistory, KeepsAChangeMadeBetweenStepsAndTheLastConversion) {
  ProgramHarness h(OneBlock("x := 1\\ny := x + 1\\nz := DecToBin(y)\\nw := DecToHex('255')"));
  ASSERT_TRUE(h.Compile());
  h.c.SetHistoryBudget(kDefaultHistoryBudget);
  h.c.PrepareRun();
  h.c.InstructionStep();  // the start
  h.c.InstructionStep();  // x := 1
  // A console line while paused.
  EXPECT_TRUE(h.c.EvaluateExpression("x := 10", false).ErrorText.empty());
  for (int k = 0; k < 3; ++k) h.c.InstructionStep();
  EXPECT_EQ(h.Render("w"), "FF");
  ASSERT_TRUE(h.c.History->Counters().Conversion.Shown);
  EXPECT_EQ(h.c.History->Counters().Conversion.ToBase, 16);
  ASSERT_TRUE(h.c.StepBack(StepSize::Instruction));
  EXPECT_EQ(h.Render("x"), "10");
  EXPECT_EQ(h.Render("z"), "1011");
  EXPECT_EQ(h.Render("w"), "?");
  EXPECT_EQ(h.c.History->Counters().Conversion.ToBase, 2);
  ASSERT_TRUE(h.c.StepBack(StepSize::Micro));
  ASSERT_TRUE(h.c.StepBack(StepSize::Instruction));
  EXPECT_EQ(h.Render("y"), "?");
  EXPECT_EQ(h.Render("x"), "10");
  // Back before the change and on again: the program's own value.
  ASSERT_TRUE(h.c.StepBack(StepSize::Instruction));
  EXPECT_EQ(h.Render("x"), "?");
  h.c.InstructionStep();
  EXPECT_EQ(h.Render("x"), "1");
  // A new run starts without history.
  h.c.PrepareRun();
  EXPECT_FALSE(h.c.CanStepBack());
  EXPECT_FALSE(h.c.StepBack(StepSize::Micro));
}

}  // namespace
}  // namespace tessaro::test
