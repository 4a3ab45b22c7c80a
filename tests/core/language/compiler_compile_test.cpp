// Compilation: the start and end checks, cutting into instructions, linking,
// resolution order and function binding.
#include <gtest/gtest.h>

#include "core/i18n/language.h"
#include "program_harness.h"

namespace tessaro::test {
namespace {

std::string Err(const char* id) { return LangText("msgcmp000001") + ": " + LangText(id); }

struct CompileErrorCase {
  const char* name;
  std::string spec;
  std::vector<std::string> errors;  // the error list items, in order
};

class CompileErrors : public testing::TestWithParam<CompileErrorCase> {};

TEST_P(CompileErrors, AreReportedWhereTheyArise) {
  ProgramHarness h(GetParam().spec);
  EXPECT_FALSE(h.Compile());
  EXPECT_EQ(h.Errors(), GetParam().errors);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CompileErrors,
    testing::Values(
        CompileErrorCase{"no_start", "end -1 -1\n", {Err("msgcmp000023")}},
        // Only the first failing check counts: two starts and no end give one error.
        CompileErrorCase{"two_starts", "start -1 -1\nstart -1 -1\n", {Err("msgcmp000024")}},
        CompileErrorCase{"no_end", "start -1 -1\nproc -1 -1 x := 1\n", {Err("msgcmp000025")}},
        CompileErrorCase{"parentheses",
                         "start 1 -1\nproc 2 -1 y := 2\\nx := (1\nend -1 -1\nproc -1 -1 z := 1)\n",
                         {Err("msgcmp000004") + " " + LangText("msgcmp000003") + " 2",
                          Err("msgcmp000004") + " " + LangText("msgcmp000003") + " 1"}},
        CompileErrorCase{"unknown_function", "start 1 -1\nproc 2 -1 x := Foo(1)\nend -1 -1\n",
                         {Err("msgcmp000028") + "Foo " + LangText("msgcmp000003") + " 1"}}),
    [](const testing::TestParamInfo<CompileErrorCase>& info) { return std::string(info.param.name); });

TEST(Compile, ABlockWithoutInstructionsFailsBoundToThatBlock) {
  // Processing and kind-0 elements alike; an error about a whole block names
  // the block right after its text. Only the first such block is reported.
  for (int32_t kind : {int32_t{Przetwarzanie}, int32_t{0}}) {
    ProgramHarness h("start 1 -1\nproc 2 -1 x := 1\nend -1 -1\nproc -1 -1 y := 1\nproc -1 -1 z := 1\n");
    h.bloki[3].Blok = kind;
    h.bloki[3].Kod = "";
    h.bloki[4].Kod = "";
    EXPECT_FALSE(h.Compile());
    EXPECT_EQ(h.Errors(), std::vector<std::string>{Err("msgcmp000026") + "3"}) << kind;
    EXPECT_EQ(h.c.Errors[0].Block, 3);
    EXPECT_TRUE(h.c.Variables.empty()) << "the resolution pass does not run";
  }
  // A single blank is one empty instruction, and compiles.
  ProgramHarness blank("start 1 -1\nproc 2 -1 \nend -1 -1\n");
  EXPECT_TRUE(blank.Compile());
}

TEST(Compile, CutsBlocksIntoInstructionsStartBlockFirst) {
  ProgramHarness h(
      "proc 2 -1 a := 1;;b := 2\\nc := 3\n"
      "start 0 -1\n"
      "end -1 -1\n"
      "note -1 -1 never compiled\n"
      "cond 2 2 a > 1\\n b < 2 \n");
  ASSERT_TRUE(h.Compile()) << testing::PrintToString(h.Errors());
  struct Expected { std::string text; int32_t block, line, column, length, next, next_true; };
  const std::vector<Expected> expected = {
      {" ", 1, 1, 1, 1, 1, 1},             // the start block, whatever its position
      {"a := 1", 0, 1, 1, 6, 2, 2},
      {"", 0, 1, 8, 0, 3, 3},
      {"b := 2", 0, 1, 9, 6, 4, 4},
      {"c := 3", 0, 2, 16, 6, 5, 5},      // the exit instruction jumps to block 2's first
      {" ", 2, 1, 1, 1, -1, 6},           // the end block: no exit
      {"(a > 1) and (b < 2)", 4, 1, 1, 19, 5, 5},
  };
  ASSERT_EQ(h.c.Instructions.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    const Trozkaz& ins = h.c.Instructions[i];
    const Expected& e = expected[i];
    EXPECT_EQ(ins.Text, e.text) << i;
    EXPECT_EQ(ins.BlockIndex, e.block) << i;
    EXPECT_EQ(ins.Line, e.line) << i;
    EXPECT_EQ(ins.Column, e.column) << i;
    EXPECT_EQ(ins.Length, e.length) << i;
    EXPECT_EQ(ins.Next, e.next) << i;
    EXPECT_EQ(ins.NextTrue, e.next_true) << i;
  }
  EXPECT_EQ(h.c.Current, 0);
}

TEST(Compile, LinksConditionsByNieTakAndTreatsASecondLinkOfZeroAsNone) {
  struct Case { const char* kind; int32_t link2; int32_t next, next_true; };
  // Blocks: 0 start, 1 condition, 2 end, 3 processing. Link1 = 2, Link2 as given.
  const Case cases[] = {
      {"cond", 3, 2, 3},   // NieTak 1: Link1 is the false exit
      {"cond0", 3, 3, 2},  // NieTak 0: swapped
      {"cond", -1, 2, -1},
      {"cond", 0, 2, -1},  // 0 is no second successor, not the start block
      {"cond0", 0, -1, 2},
  };
  for (const Case& c : cases) {
    ProgramHarness h("start 1 -1\n" + std::string(c.kind) + " 2 " + std::to_string(c.link2) +
                     " x > 1\nend -1 -1\nproc 2 -1 x := 1\n");
    ASSERT_TRUE(h.Compile());
    const Trozkaz& cond = h.c.Instructions[1];
    const int32_t first_of_3 = 3;  // start, condition, end, then block 3
    EXPECT_EQ(cond.Next, c.next == 3 ? first_of_3 : c.next) << c.kind << " " << c.link2;
    EXPECT_EQ(cond.NextTrue, c.next_true == 3 ? first_of_3 : c.next_true) << c.kind << " " << c.link2;
  }
}

TEST(Compile, ExitsToNothingEndTheProgramWhenTaken) {
  // The condition's true exit names a note, its false exit the end block.
  ProgramHarness h("start 1 -1\ncond 2 3 1 == 1\nend -1 -1\nnote -1 -1 n\n");
  ASSERT_TRUE(h.CompileAndRun());
  EXPECT_EQ(h.c.Instructions[1].NextTrue, -1);
  EXPECT_TRUE(h.c.IsFinished());
  EXPECT_EQ(h.states, (std::vector<int>{kStateRunning, kStateStopped}));
}

TEST(Compile, CreatesVariablesInOrderOfFirstAppearance) {
  ProgramHarness h(
      "start 1 -1\n"
      "proc 2 -1 b := a + t[i];dim z[3], y\\nset w := (1,2);read r;write q\n"
      "end -1 -1\n"
      "proc -1 -1 unreachable := 1\n");
  ASSERT_TRUE(h.Compile());
  std::vector<std::string> names;
  for (const Tzmienna& v : h.c.Variables) names.push_back(v.Name);
  // An assignment: its left side before its right; an indexed element: the
  // array, then its indexes; a dim chain: the first written item first.
  EXPECT_EQ(names, (std::vector<std::string>{"b", "a", "t", "i", "z", "y", "w", "r", "q", "unreachable"}));
}

TEST(Compile, BindsBuiltinsIgnoringCase) {
  ProgramHarness h("start 1 -1\nproc 2 -1 x := sqrt(4) + SQR(2)\nend -1 -1\n");
  ASSERT_TRUE(h.Compile());
  const TwrTree* plus = h.c.Instructions[1].Tree->RightNode;
  ASSERT_NE(plus, nullptr);
  EXPECT_EQ(plus->LeftNode->FuncIndex, 31);
  EXPECT_EQ(plus->RightNode->FuncIndex, 32);
  EXPECT_TRUE(plus->LeftNode->ExtName.empty());
}

TEST(Compile, TwiceGivesTheSameProgram) {
  ProgramHarness h("start 1 -1\nproc 2 -1 Suma := 1;suma := 2;x := Foo(1)\nend -1 -1\n");
  EXPECT_FALSE(h.Compile());
  const std::vector<std::string> first = h.Errors();
  const size_t instructions = h.c.Instructions.size();
  const size_t variables = h.c.Variables.size();
  EXPECT_FALSE(h.Compile());
  EXPECT_EQ(h.Errors(), first);
  EXPECT_EQ(h.c.Instructions.size(), instructions);
  EXPECT_EQ(h.c.Variables.size(), variables);
  EXPECT_EQ(h.c.Warnings.size(), 1u);
}

TEST(Compile, ClearDiscardsTheProgram) {
  ProgramHarness h(OneBlock("x := 1"));
  ASSERT_TRUE(h.Compile());
  EXPECT_FALSE(h.c.IsEmpty());
  h.states.clear();
  h.c.Clear();
  EXPECT_TRUE(h.c.IsEmpty());
  EXPECT_EQ(h.states, std::vector<int>{kStateCleared});
  EXPECT_TRUE(h.c.Extensions.empty());
}

TEST(Compile, CheckParenthesesCountsOnlyRoundOnes) {
  struct Case { const char* text; bool balanced; };
  const Case cases[] = {{"(a)", true}, {")(", false}, {"((a)", false}, {"'(' + x", false},
                        {"t[1", true}, {"", true}, {"f(g(x))", true}};
  for (const Case& c : cases) EXPECT_EQ(TKompilatorTS::CheckParentheses(c.text), c.balanced) << c.text;
}

TEST(InstructionLookups, FindLinesOfABlock) {
  ProgramHarness h("start 1 -1\nproc 2 -1 a := 1; b := 2\\nc := 3\nend -1 -1\n");
  ASSERT_TRUE(h.Compile());
  EXPECT_EQ(h.c.FirstInstructionOfBlock(1), 1);
  EXPECT_EQ(h.c.FirstInstructionOfBlock(7), -1);
  EXPECT_EQ(h.c.InstructionAt(1, 1), 1);
  EXPECT_EQ(h.c.InstructionAt(1, 2), 3);
  EXPECT_EQ(h.c.InstructionAt(1, 3), -1);
  EXPECT_EQ(h.c.LineRange(1, 1), std::make_pair(1, 15));  // "a := 1; b := 2", one past its end
  EXPECT_EQ(h.c.LineRange(1, 2), std::make_pair(16, 7));
  EXPECT_EQ(h.c.LineRange(1, 5), std::make_pair(-1, 0));
}

}  // namespace
}  // namespace tessaro::test
