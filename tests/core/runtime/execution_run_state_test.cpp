// The run-state operations and the order of the codes they fire.
#include <gtest/gtest.h>

#include "core/i18n/language.h"
#include "core/language/message_format.h"
#include "core/language/fault.h"
#include "program_harness.h"

namespace tessaro::test {
namespace {

using Codes = std::vector<int>;

// start, a counting loop over i, end: blocks 0 start, 1 init, 2 condition,
// 3 body (two instructions on line 1, one on line 2), 4 end.
const char* const kLoop =
    "start 1 -1\n"
    "proc 2 -1 i := 0;s := 0\n"
    "cond 4 3 i < 5\n"
    "proc 2 -1 i := i + 1; s := s + i\\nw := s\n"
    "end -1 -1\n";

TEST(RunState, CompileAndPrepareFiresStopThenPrepared) {
  ProgramHarness h(kLoop);
  ASSERT_TRUE(h.Compile());
  h.states.clear();
  h.c.PrepareRun();
  EXPECT_EQ(h.states, (Codes{kStateStopped, kStatePrepared}));
  EXPECT_EQ(h.c.Current, 0);
}

TEST(RunState, ARunToTheEndFiresRunningThenStopped) {
  ProgramHarness h(kLoop);
  ASSERT_TRUE(h.CompileAndRun());
  EXPECT_EQ(h.states, (Codes{kStateRunning, kStateStopped}));
  EXPECT_EQ(h.Render("s"), "15");
  EXPECT_TRUE(h.c.IsFinished());
  EXPECT_EQ(h.c.Running, 0);
}

TEST(RunState, PauseDuringARunAndResume) {
  ProgramHarness h(kLoop);
  ASSERT_TRUE(h.Compile());
  h.c.PrepareRun();
  int executed = 0;
  h.c.OnStep = [&](TKompilatorTS& c, uint8_t) {
    if (++executed == 3) c.Pause();
  };
  h.states.clear();
  EXPECT_FALSE(h.c.Run());
  EXPECT_EQ(h.states, (Codes{kStateRunning, kStatePaused}));
  EXPECT_EQ(h.c.Current, 3);  // the pause takes effect after the current instruction
  EXPECT_EQ(h.c.StopRequest, kNoStopRequest);
  h.states.clear();
  EXPECT_TRUE(h.c.Run());
  EXPECT_EQ(h.states, (Codes{kStateRunning, kStateStopped}));
  EXPECT_EQ(h.Render("s"), "15");
}

TEST(RunState, StopDuringARunAndWhileSuspended) {
  ProgramHarness h(kLoop);
  ASSERT_TRUE(h.Compile());
  h.c.PrepareRun();
  h.c.OnStep = [&](TKompilatorTS& c, uint8_t code) {
    if (code == 0 && c.Current == 3) c.Stop();
  };
  h.states.clear();
  h.c.Run();
  EXPECT_EQ(h.states, (Codes{kStateRunning, kStateStopped}));
  EXPECT_TRUE(h.c.IsFinished());

  ProgramHarness s(kLoop);
  ASSERT_TRUE(s.Compile());
  s.c.PrepareRun();
  s.c.InstructionStep();
  s.states.clear();
  s.c.Stop();
  EXPECT_EQ(s.states, Codes{kStateStopped});
}

TEST(RunState, RunTimeErrorWhileStepping) {
  ProgramHarness h(OneBlock("x := 1 div 0"));
  ASSERT_TRUE(h.Compile());
  h.c.PrepareRun();
  EXPECT_TRUE(h.c.InstructionStep());  // the start block
  h.states.clear();
  h.c.InstructionStep();
  EXPECT_EQ(h.states, (Codes{kStateStopped, kStateStoppedWithErrors}));
  EXPECT_TRUE(h.c.IsFinished());
}

TEST(RunState, SteppingPastTheEndFiresNothingThenABlockStepStops) {
  ProgramHarness h(OneBlock("x := 1"));
  ASSERT_TRUE(h.Compile());
  h.c.PrepareRun();
  h.states.clear();
  for (int k = 0; k < 3; ++k) EXPECT_TRUE(h.c.InstructionStep());
  EXPECT_TRUE(h.c.IsFinished());
  EXPECT_FALSE(h.c.InstructionStep());
  EXPECT_TRUE(h.states.empty());
  EXPECT_FALSE(h.c.BlockStep());
  EXPECT_EQ(h.states, Codes{kStateStopped});
}

TEST(RunState, ResumingAnEndedProgramStopsAtOnce) {
  ProgramHarness h(OneBlock("x := 1"));
  ASSERT_TRUE(h.CompileAndRun());
  h.states.clear();
  h.c.Run();
  EXPECT_EQ(h.states, (Codes{kStateRunning, kStateStopped}));
}

TEST(RunState, ABlockStepRunsTheRestOfTheBlockAndItsJump) {
  ProgramHarness h(kLoop);
  ASSERT_TRUE(h.Compile());
  h.c.PrepareRun();
  EXPECT_TRUE(h.c.BlockStep());  // start
  EXPECT_EQ(h.c.Current, 1);
  EXPECT_TRUE(h.c.BlockStep());  // i := 0; s := 0
  EXPECT_EQ(h.c.Current, 3);
  EXPECT_TRUE(h.c.BlockStep());  // the condition
  EXPECT_EQ(h.c.Current, 4);
  EXPECT_TRUE(h.c.BlockStep());  // the body, three instructions, back to the condition
  EXPECT_EQ(h.c.Current, 3);
  EXPECT_EQ(h.Render("w"), "1");
  EXPECT_EQ(h.c.Running, 0);
}

// An instruction met again after it was executed whole (by an instruction
// step, inside a block step or a run) is micro-stepped from its first node:
// its walk is not left at its end from the last time.
TEST(RunState, MicroStepsAfterTheLoopCameBackStartAtTheFirstNode) {
  enum class Way { InstructionSteps, BlockSteps, PausedRun };
  for (Way way : {Way::InstructionSteps, Way::BlockSteps, Way::PausedRun}) {
    ProgramHarness h(kLoop);
    ASSERT_TRUE(h.Compile());
    h.c.PrepareRun();
    // To the condition (3) the second time, after one pass of the body.
    if (way == Way::InstructionSteps) {
      for (int k = 0; k < 7; ++k) h.c.InstructionStep();
    } else if (way == Way::BlockSteps) {
      for (int k = 0; k < 4; ++k) h.c.BlockStep();
    } else {
      int executed = 0;
      h.c.OnStep = [&](TKompilatorTS& c, uint8_t) {
        if (++executed == 7) c.Pause();
      };
      h.c.Run();
      h.c.OnStep = nullptr;
    }
    ASSERT_EQ(h.c.Current, 3) << int(way);
    ASSERT_EQ(h.Render("w"), "1");
    // i < 5: three nodes, three micro steps on the condition, then the pass.
    for (int step = 0; step < 3; ++step) {
      EXPECT_TRUE(h.c.MicroStep());
      EXPECT_EQ(h.c.Current, 3) << int(way) << " step " << step;
    }
    h.c.MicroStep();
    EXPECT_EQ(h.c.Current, 4) << int(way);
  }
}

TEST(RunState, AnExpressionOfNNodesTakesNPlusOneMicroSteps) {
  struct Case { const char* text; int nodes; };
  const Case cases[] = {{"x := 1", 3}, {"x := a + b * c", 7}, {"write 1, 2", 4}, {" ", 1}};
  for (const Case& c : cases) {
    ProgramHarness h(OneBlock(c.text));
    ASSERT_TRUE(h.Compile());
    h.c.PrepareRun();
    ASSERT_TRUE(h.c.MicroStep());  // the start block's leaf
    ASSERT_TRUE(h.c.MicroStep());  // passing to instruction 1
    ASSERT_EQ(h.c.Current, 1);
    int micro = 0;
    while (h.c.Current == 1) {
      h.c.MicroStep();
      ++micro;
    }
    EXPECT_EQ(micro, c.nodes + 1) << c.text;
  }
}

TEST(RunState, AConditionWithoutATruthValueIsTheUsersError) {
  ProgramHarness h("start 1 -1\ncond 2 2 'maybe'\nend -1 -1\n");
  ASSERT_TRUE(h.CompileAndRun());
  EXPECT_EQ(h.Errors(), std::vector<std::string>{LangText("msgcmp000001") + ": " + LangText("msgcmp000048") +
                                                 " " + LangText("msgcmp000003") + " 1"});
  EXPECT_EQ(h.states, (Codes{kStateRunning, kStateStoppedWithErrors, kStateStopped}));
}

TEST(RunState, ALoneIncrementAppliesOncePerExecution) {
  // x-- as a condition: its step applies it, the jump reads the value it gave.
  ProgramHarness h(
      "start 1 -1\nproc 2 -1 x := 3;n := 0\ncond 4 3 x--\nproc 2 -1 n := n + 1\nend -1 -1\n");
  ASSERT_TRUE(h.CompileAndRun());
  EXPECT_EQ(h.Render("n"), "3");
  EXPECT_EQ(h.Render("x"), "-1");
  const TEvaluation e = h.c.EvaluateExpression("n++", false);
  EXPECT_EQ(e.Value, TValue::Integer(3));
  EXPECT_EQ(h.Render("n"), "4");
}

TEST(RunState, PrepareRunDoesNotRepeatWarnings) {
  ProgramHarness h(OneBlock("Suma := 1;suma := 2"));
  ASSERT_TRUE(h.Compile());
  ASSERT_EQ(h.c.Warnings.size(), 1u);
  h.c.PrepareRun();
  EXPECT_EQ(h.c.Warnings.size(), 1u);
}

TEST(RunState, VariablesStartEmptyForEveryRun) {
  ProgramHarness h(OneBlock("x := x + 1"));
  ASSERT_TRUE(h.CompileAndRun());
  EXPECT_EQ(h.Render("x"), "1");
  h.c.PrepareRun();
  h.c.Run();
  EXPECT_EQ(h.Render("x"), "1");
}

TEST(RunState, AHandlerMayDiscardTheProgramInTheMiddleOfAStep) {
  ProgramHarness h(OneBlock("x := 1 div 0;y := 2"));
  ASSERT_TRUE(h.Compile());
  h.c.PrepareRun();
  h.c.OnStateChange = [&](TKompilatorTS& c, uint8_t code) {
    if (code == kStateStoppedWithErrors) c.Clear();
  };
  h.c.InstructionStep();
  h.c.InstructionStep();
  EXPECT_TRUE(h.c.IsEmpty());
  EXPECT_FALSE(h.c.InstructionStep());
  EXPECT_FALSE(h.c.MicroStep());
}

// Breakpoints

struct BreakHarness : ProgramHarness {
  explicit BreakHarness(const char* spec) : ProgramHarness(spec) {}
  // Runs (and resumes) to the end; the value of `variable` at each suspension.
  std::vector<std::string> Suspensions(const std::string& variable) {
    std::vector<std::string> seen;
    c.PrepareRun();
    for (int guard = 0; guard < 100 && !c.IsFinished(); ++guard) {
      c.Run();
      if (c.BreakpointHit) seen.push_back(Render(variable));
    }
    return seen;
  }
};

TEST(Breakpoints, SuspendBeforeEachInstructionOfTheirLine) {
  BreakHarness h(kLoop);
  h.breakpoints.push_back(TBreakPoint{3, 1, 1, 0, "1", 0});
  ASSERT_TRUE(h.Compile());
  h.states.clear();
  // Two instructions on the line: two suspensions per pass, five passes.
  EXPECT_EQ(h.Suspensions("i").size(), 10u);
  ASSERT_GE(h.states.size(), 4u);
  EXPECT_EQ((Codes{h.states.begin(), h.states.begin() + 4}),
            (Codes{kStateStopped, kStatePrepared, kStateRunning, kStateBreakpoint}));
}

TEST(Breakpoints, SkipSameLineSuspendsOnceUntilAnotherBreakpointMatches) {
  BreakHarness alone(kLoop);
  alone.breakpoints.push_back(TBreakPoint{3, 1, 1, 0, "1", 1});
  ASSERT_TRUE(alone.Compile());
  EXPECT_EQ(alone.Suspensions("i"), std::vector<std::string>{"0"});

  // With a second breakpoint on line 2 the first matches again each pass.
  BreakHarness two(kLoop);
  two.breakpoints.push_back(TBreakPoint{3, 1, 1, 0, "1", 1});
  two.breakpoints.push_back(TBreakPoint{3, 2, 1, 0, "1", 0});
  ASSERT_TRUE(two.Compile());
  EXPECT_EQ(two.Suspensions("i").size(), 10u);
}

TEST(Breakpoints, ConditionsAreTestedBeforeTheInstructionRuns) {
  BreakHarness h(kLoop);
  h.breakpoints.push_back(TBreakPoint{3, 2, 1, 1, "i > 3", 0});
  ASSERT_TRUE(h.Compile());
  EXPECT_EQ(h.Suspensions("w"), (std::vector<std::string>{"6", "10"}));
}

TEST(Breakpoints, DisabledOnesAndTheStartBlockAreNeverTested) {
  BreakHarness h(kLoop);
  h.breakpoints.push_back(TBreakPoint{3, 1, 0, 0, "1", 0});
  h.breakpoints.push_back(TBreakPoint{0, 1, 1, 0, "1", 0});
  ASSERT_TRUE(h.Compile());
  EXPECT_TRUE(h.Suspensions("i").empty());
  EXPECT_EQ(h.c.LastBreakBlock, -1);
}

// The message names the breakpoint (block 3, line 1) and gives the
// condition's own error, not a conversion error of the block.
TEST(Breakpoints, AConditionThatCannotBeTestedStopsTheRunNamingTheBreakpoint) {
  struct Case {
    const char* condition;
    std::string own_error;
  };
  const Case cases[] = {
      {"'maybe'", FaultMessage(FaultKind::TypeMismatch)},  // a text without a truth value
      {"unknown > 1", FormatText(LangText("msgcmp000033"), {"unknown"})},
      {"i div 0 > 1", FaultMessage(FaultKind::IntegerDivisionByZero)},
  };
  for (const Case& c : cases) {
    BreakHarness h(kLoop);
    h.breakpoints.push_back(TBreakPoint{3, 1, 1, 1, c.condition, 0});
    ASSERT_TRUE(h.Compile());
    h.c.PrepareRun();
    h.states.clear();
    h.c.Run();
    EXPECT_TRUE(h.c.IsFinished()) << c.condition;
    ASSERT_EQ(h.c.Errors.size(), 1u) << c.condition;
    EXPECT_EQ(h.c.Errors[0].Text, FormatText(LangText("msgcmp000055"), {"3", "1", c.condition, c.own_error}))
        << c.condition;
    EXPECT_EQ(h.c.Errors[0].Instruction, 4) << c.condition;  // the first of block 3
    EXPECT_EQ(h.states, (Codes{kStateRunning, kStateStoppedWithErrors, kStateStopped})) << c.condition;
  }
}

TEST(Breakpoints, TheCompiledProgramSharesTheDocumentsList) {
  BreakHarness h(kLoop);
  ASSERT_TRUE(h.Compile());
  h.breakpoints.push_back(TBreakPoint{2, 1, 1, 1, "i == 2", 0});
  EXPECT_EQ(h.Suspensions("i"), std::vector<std::string>{"2"});
}

TEST(Breakpoints, HitCountsStopFromTheNthPassOnAfterTheCondition) {
  // Line 2 of block 3 runs once per pass with i = 1..5 before it.
  struct Case {
    const char* condition;
    int32_t hit_count;
    std::vector<std::string> stops;
  };
  const Case cases[] = {
      {"1", 4, {"4", "5"}},          // the fourth pass and every one after
      {"1", 0, {"1", "2", "3", "4", "5"}},
      {"i > 2", 2, {"4", "5"}},      // counted only when the condition held
      {"1", 9, {}},
  };
  for (const Case& c : cases) {
    BreakHarness h(kLoop);
    TBreakPoint b{3, 2, 1, 1, c.condition, 0};
    b.HitCount = c.hit_count;
    h.breakpoints.push_back(b);
    ASSERT_TRUE(h.Compile());
    EXPECT_EQ(h.Suspensions("i"), c.stops) << c.condition << " from " << c.hit_count;
  }
}

TEST(Breakpoints, AStatementOrAssignmentIsNeverRunAsACondition) {
  for (const char* condition : {"i := 100", "read i", "write i", "i++", "w += 1"}) {
    BreakHarness h(kLoop);
    h.breakpoints.push_back(TBreakPoint{3, 2, 1, 1, condition, 0});
    ASSERT_TRUE(h.Compile());
    EXPECT_TRUE(h.Suspensions("i").empty()) << condition;
    EXPECT_EQ(h.Render("i"), "5") << condition;
  }
}

// A breakpoint set from a step handler, as the window does while it lets the
// user work during a run, suspends the run the next time its line comes: on
// the document's own list at once, through a source once the host has
// counted that its window worked.
TEST(Breakpoints, OneSetDuringARunSuspendsItAtItsLine) {
  for (const bool through_source : {false, true}) {
    BreakHarness h(kLoop);
    ASSERT_TRUE(h.Compile());
    TBreakPointArray elsewhere;
    if (through_source) h.c.BreakpointSource = [&elsewhere] { return &elsewhere; };
    TBreakPointArray& list = through_source ? elsewhere : h.breakpoints;
    int steps = 0;
    h.c.OnStep = [&](TKompilatorTS& sender, uint8_t code) {
      if (code != 0 || ++steps != 2) return;
      list.push_back(TBreakPoint{3, 2, 1, 0, "1", 0});  // before «w := s»
      if (through_source) ++sender.HostWorkCount;
    };
    h.c.PrepareRun();
    h.c.Run();
    EXPECT_TRUE(h.c.BreakpointHit) << through_source;
    EXPECT_EQ(h.Render("i"), "1") << through_source;
    EXPECT_EQ(h.Render("s"), "1") << through_source;
  }
}

TEST(Breakpoints, ASourceFindsTheListAgainAndClearForgetsIt) {
  BreakHarness h(kLoop);
  ASSERT_TRUE(h.Compile());
  TBreakPointArray moved = {TBreakPoint{2, 1, 1, 1, "i == 2", 0}};
  TBreakPointArray* where = &moved;
  h.c.BreakpointSource = [&where] { return where; };
  EXPECT_EQ(h.Suspensions("i"), std::vector<std::string>{"2"});
  h.c.Clear();
  EXPECT_FALSE(h.c.BreakpointSource);
  EXPECT_EQ(h.c.Breakpoints, nullptr);
}

}  // namespace
}  // namespace tessaro::test
