// The memory budget of a pupil's program: runaway texts and arrays stop the
// run with an error of their own, and the count of the bytes values hold
// follows them as they come and go.
#include <gtest/gtest.h>

#include "core/i18n/language.h"
#include "core/language/message_format.h"
#include "core/language/value_memory.h"
#include "program_harness.h"

namespace tessaro::test {
namespace {

// Sets a budget for one test and puts the default back.
class BudgetOf {
 public:
  explicit BudgetOf(int64_t megabytes) { SetMemoryBudgetMB(megabytes); }
  ~BudgetOf() { SetMemoryBudgetMB(kDefaultMemoryBudgetMB); }
};

// A start block, an endless loop of one processing block after `setup`.
std::string Loop(const std::string& setup, const std::string& body) {
  return "start 1 -1\nproc 2 -1 " + setup + "\nproc 2 -1 " + body + "\nend -1 -1\n";
}

struct RunawayCase {
  const char* name;
  std::string spec;
  std::string error;  // the whole error-list item
};

TEST(MemoryBudget, RunawayValuesStopTheRunWithTheirOwnError) {
  BudgetOf budget(16);
  const std::string mb = "16";
  // A quarter of 16 MB: the longest text.
  const std::string longest = std::to_string(MaxTextLength());
  const RunawayCase cases[] = {
      {"doubling text", Loop("s := 'ab'", "s := s + s"),
       At(FormatText(LangText("msgcmp000058"), {longest, mb}))},
      {"compound doubling", Loop("s := 'ab'", "s += s"), At(FormatText(LangText("msgcmp000058"), {longest, mb}))},
      {"inserting into itself", Loop("s := 'ab'", "s := Insert(s, s, 1)"),
       At(FormatText(LangText("msgcmp000058"), {longest, mb}))},
  };
  for (const RunawayCase& c : cases) {
    ProgramHarness h(c.spec);
    ASSERT_TRUE(h.CompileAndRun()) << c.name;
    EXPECT_EQ(h.Errors(), std::vector<std::string>{c.error}) << c.name;
    ASSERT_EQ(h.c.Errors.size(), 1u);
    EXPECT_EQ(h.c.Errors[0].Block, 2) << c.name;  // the block that grew the value
    EXPECT_TRUE(h.c.IsFinished()) << c.name;
    EXPECT_LE(ValueBytesInUse(), MemoryBudgetBytes()) << c.name;
  }
}

TEST(MemoryBudget, ArraysStopAtTheBudgetWithTheirCellCount) {
  BudgetOf budget(16);
  const std::string cell_text = LangText("msgcmp000059");
  const char* programs[][2] = {
      {"i := 1", "t[i] := i; i := i + 1"},             // one cell at a time
      {"i := 1", "t[i, i] := i; i := i * 2"},          // rows of growing length
      {"i := 1", "dim t[1000, 100000]"},              // a declaration
      {"i := 1", "s := s + 'x'; t[i] := s; i := i + 1"},  // texts in cells
  };
  for (const auto& program : programs) {
    ProgramHarness h(Loop(program[0], program[1]));
    ASSERT_TRUE(h.CompileAndRun()) << program[1];
    ASSERT_EQ(h.c.Errors.size(), 1u) << program[1] << testing::PrintToString(h.Errors());
    const std::string& text = h.c.Errors[0].Text;
    const bool names_a_limit = text.find(" (16 MB)") != std::string::npos;
    EXPECT_TRUE(names_a_limit) << program[1] << ": " << text;
    EXPECT_EQ(h.c.Errors[0].Block, 2) << program[1];
    EXPECT_LE(ValueBytesInUse(), MemoryBudgetBytes()) << program[1];
  }
  // The cell message names the count.
  ProgramHarness h(Loop("i := 1", "t[i] := i; i := i + 1"));
  ASSERT_TRUE(h.CompileAndRun());
  const std::string prefix = cell_text.substr(0, cell_text.find("%s"));
  EXPECT_EQ(h.c.Errors[0].Text.rfind(prefix, 0), 0u) << h.c.Errors[0].Text;
}

TEST(MemoryBudget, TheCountFollowsTextsAndCellsAndReturnsToWhereItWas) {
  const int64_t before = ValueBytesInUse();
  {
    ProgramHarness h(OneBlock("s := 'abc'; s := s + s + s; t[1000] := s; dim u[50, 50]"));
    ASSERT_TRUE(h.CompileAndRun());
    EXPECT_TRUE(h.Errors().empty());
    EXPECT_GE(ValueBytesInUse() - before, int64_t{1000 + 2500} * 24 + 9);
  }
  EXPECT_EQ(ValueBytesInUse(), before);
}

TEST(MemoryBudget, ProgramsInsideTheBudgetRunAsBefore) {
  BudgetOf budget(16);
  ProgramHarness h(Loop("s := 'ab'; n := 0", "s := s + s; n := n + 1"));
  // 20 doublings (2 MB) fit; the loop is cut by a step limit here.
  h.c.OnStep = [&h](TKompilatorTS& c, uint8_t code) {
    if (code == 0 && FindVariable(c, "n") >= 0 && h.Render("n") == "20") c.Stop();
  };
  ASSERT_TRUE(h.CompileAndRun());
  EXPECT_TRUE(h.Errors().empty());
  EXPECT_EQ(h.Render("n"), "20");
}

TEST(MemoryBudget, TheSettingIsClampedToItsRange) {
  SetMemoryBudgetMB(1);
  EXPECT_EQ(MemoryBudgetMB(), kMinMemoryBudgetMB);
  SetMemoryBudgetMB(int64_t{1} << 40);
  EXPECT_EQ(MemoryBudgetMB(), kMaxMemoryBudgetMB);
  SetMemoryBudgetMB(kDefaultMemoryBudgetMB);
  EXPECT_EQ(MemoryBudgetBytes(), int64_t{256} << 20);
  EXPECT_EQ(MaxTextLength(), int64_t{64} << 20);
}

}  // namespace
}  // namespace tessaro::test
