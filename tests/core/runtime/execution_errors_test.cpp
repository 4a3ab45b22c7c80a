// Run-time errors: their messages, where they are recorded, and that they stop the run.
#include <gtest/gtest.h>

#include "core/i18n/language.h"
#include "core/language/message_format.h"
#include "program_harness.h"

namespace tessaro::test {
namespace {

std::string Msg(const char* id) { return LangText(id); }
std::string Formatted(const char* id, const std::string& arg) { return FormatText(LangText(id), {arg}); }

struct ErrorCase {
  const char* name;
  std::string text;            // the processing block
  std::vector<std::string> errors;
  std::vector<std::string> output = {};  // written before the error
};

class RunTimeErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(RunTimeErrors, StopTheRunWithTheirMessage) {
  const ErrorCase& e = GetParam();
  ProgramHarness h(OneBlock(e.text + ";write 'after'"));
  ASSERT_TRUE(h.CompileAndRun()) << testing::PrintToString(h.Errors());
  EXPECT_EQ(h.Errors(), e.errors) << e.text;
  EXPECT_EQ(h.output, e.output) << e.text;
  EXPECT_EQ(h.states, (std::vector<int>{kStateRunning, kStateStoppedWithErrors, kStateStopped}));
  EXPECT_TRUE(h.c.IsFinished());
}

INSTANTIATE_TEST_SUITE_P(
    Table, RunTimeErrors,
    testing::Values(
        ErrorCase{"real_division", "x := 1 / 0", {At(Msg("msgcmp000047") + " ")}},
        ErrorCase{"integer_division", "x := 1 div 0", {At(Msg("msgcmp000047"))}},
        ErrorCase{"type", "write 1;x := 'ab' * 2", {At(Msg("msgcmp000048"))}, {"1"}},
        ErrorCase{"number_text", "n := 3;dim t[n]", {At(Msg("msgcmp000049"))}},
        ErrorCase{"range", "x := Round(1e10) + 3e9 div 1", {At(Msg("msgcmp000051"))}},
        ErrorCase{"invalid_float", "x := Sqrt(-1)", {At(Msg("msgcmp000052"))}},
        ErrorCase{"not_a_variable", "5 := x", {At(Msg("msgcmp000045"))}},
        // (a = b) = 5: a receives b, then the outer assignment has no variable.
        ErrorCase{"chained_assignment", "b := 2;a = b = 5;write a", {At(Msg("msgcmp000045"))}},
        ErrorCase{"member", "a.b := 1", {At(Msg("msgcmp000034"))}},
        ErrorCase{"arity", "x := Sqrt(1, 2)", {At(Msg("msgcmp000038") + " \"Sqrt\"")}},
        ErrorCase{"index_below_one", "x := t[0]", {At(Msg("msgcmp000006"))}},
        ErrorCase{"dim_size", "dim t[0]", {At(Msg("msgcmp000006"))}},
        ErrorCase{"read_no_variable", "read 5", {At(Formatted("msgcmp000039", "5"))}},
        ErrorCase{"prefix_operand", "!", {At(Formatted("msgcmp000040", "!"))}},
        ErrorCase{"binary_operand", "x := 2 *", {At(Formatted("msgcmp000041", "*"))}},
        ErrorCase{"minus_operand", "x := 2 -", {At(Formatted("msgcmp000042", "-"))}},
        ErrorCase{"address_assignment", "p := 5;p^ := 1", {At(Msg("msgcmp000046") + " -63995")}},
        ErrorCase{"tuple", "set t := 1,2", {At(Msg("msgcmp000029"))}}),
    [](const testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.name); });

TEST(RunTimeErrors, AreCollectedAsTextInEvaluationMode) {
  ProgramHarness h(OneBlock("x := 1"));
  ASSERT_TRUE(h.Compile());
  const TEvaluation e = h.c.EvaluateExpression("1 div 0", true);
  EXPECT_EQ(e.ErrorText, LangText("msgcmp000001") + ": " + Msg("msgcmp000047"));
  EXPECT_EQ(e.Value, TValue::String(LangText("msgcmp000001") + "!"));
  EXPECT_TRUE(h.c.Errors.empty());
  EXPECT_EQ(h.c.EvalMode, 0);
  EXPECT_EQ(h.c.AllowNewVariables, 1);
}

TEST(RunTimeErrors, OneFailingElementAccessIsOneErrorInEvaluationMode) {
  ProgramHarness h(OneBlock("t := 1"));
  ASSERT_TRUE(h.Compile());
  h.c.DynamicArrays = 0;
  const std::string once = LangText("msgcmp000001") + ": " + Msg("msgcmp000035");
  for (const char* text : {"t[2] := 1", "x := t[2] + 1", "t[2, 1]"}) {
    EXPECT_EQ(h.c.EvaluateExpression(text, true).ErrorText, once) << text;
  }
}

TEST(RunTimeErrors, WrongExtensionResultStopsTheRunWithTheExtensionText) {
  // No extension is loaded here: an unbound name fails at compile time instead.
  ProgramHarness h(OneBlock("x := Foo(1)"));
  EXPECT_FALSE(h.Compile());
}

TEST(RunTimeWarnings, AMissingOperandIsFetchedAsZero) {
  ProgramHarness h(OneBlock("write x,["));  // "[" parses to no tree at all
  ASSERT_TRUE(h.CompileAndRun());
  EXPECT_EQ(h.output, (std::vector<std::string>{"?", "0"}));
  ASSERT_EQ(h.c.Warnings.size(), 1u);
  EXPECT_EQ(h.c.Warnings[0].Text, Msg("msgcmp000036"));
  EXPECT_TRUE(h.c.Errors.empty());
}

}  // namespace
}  // namespace tessaro::test
