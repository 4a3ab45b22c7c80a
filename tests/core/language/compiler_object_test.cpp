#include "core/language/compiler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/i18n/language.h"
#include "core/language/message_format.h"

namespace tessaro {
namespace {

class CompilerObject : public ::testing::Test {
 protected:
  CompilerObject() {
    for (int32_t block : {4, 9}) {
      compiler.Instructions.emplace_back();
      compiler.Instructions.back().BlockIndex = block;
    }
    compiler.OnStateChange = [this](TKompilatorTS&, uint8_t code) { events.push_back(code); };
    compiler.OnStep = [this](TKompilatorTS&, uint8_t code) { events.push_back(100 + code); };
  }
  TKompilatorTS compiler;
  std::vector<int> events;
};

TEST_F(CompilerObject, StartsWithTheDefaults) {
  TKompilatorTS fresh;
  EXPECT_EQ(fresh.Current, kNoInstruction);
  EXPECT_EQ(fresh.StopRequest, kNoStopRequest);
  EXPECT_EQ(fresh.DynamicArrays, 1);
  EXPECT_EQ(fresh.StructFlag, 1);
  EXPECT_EQ(fresh.CaseSensitive, 1);
  EXPECT_EQ(fresh.AllowNewVariables, 1);
  EXPECT_EQ(fresh.EvalMode, 0);
  EXPECT_EQ(fresh.Running, 0);
  EXPECT_TRUE(fresh.NullInstance.Value.IsEmpty());
  EXPECT_FALSE(fresh.HasErrors());
}

TEST_F(CompilerObject, ErrorsAreRecordedOnlyForNoneOrAnExistingInstruction) {
  const struct {
    int32_t index;
    bool recorded;
    int32_t block;
  } cases[] = {{-1, true, -1}, {0, true, 4}, {1, true, 9}, {2, false, 0}, {-2, false, 0}};
  for (const auto& c : cases) {
    compiler.ClearErrors();
    compiler.ClearWarnings();
    compiler.AddError("e", c.index);
    compiler.AddWarning("w", c.index);
    ASSERT_EQ(compiler.Errors.size(), c.recorded ? 1u : 0u) << c.index;
    ASSERT_EQ(compiler.Warnings.size(), c.recorded ? 1u : 0u) << c.index;
    if (!c.recorded) continue;
    EXPECT_EQ(compiler.Errors[0].Text, "e");
    EXPECT_EQ(compiler.Errors[0].Instruction, c.index);
    EXPECT_EQ(compiler.Errors[0].Block, c.block);
    EXPECT_EQ(compiler.Warnings[0].Text, "w");
    EXPECT_EQ(compiler.Warnings[0].Block, c.block);
  }
}

TEST_F(CompilerObject, EvaluationModeCollectsLabelledLines) {
  compiler.EvalMode = 1;
  compiler.AddError("one", 0);
  compiler.AddWarning("two", 7);
  compiler.AddError("three", -1);
  EXPECT_TRUE(compiler.Errors.empty());
  EXPECT_TRUE(compiler.Warnings.empty());
  const std::string error = LangText("msgcmp000001");
  const std::string warning = LangText("msgcmp000002");
  EXPECT_EQ(compiler.EvalErrorText,
            error + ": one\r" + warning + ": two\r" + error + ": three");
}

TEST_F(CompilerObject, StopWhileNotRunningFiresAtOnce) {
  compiler.Current = 1;
  compiler.Stop();
  EXPECT_EQ(events, (std::vector<int>{kStateStopped, 102}));
  EXPECT_EQ(compiler.Current, kNoInstruction);
  EXPECT_EQ(compiler.Instructions[1].StepIndex, kNoInstruction);
}

TEST_F(CompilerObject, StopWithErrorsAlsoFiresSix) {
  compiler.Current = 0;
  compiler.AddRunTimeError("bad");
  ASSERT_EQ(compiler.Errors.size(), 1u);
  EXPECT_EQ(compiler.Errors[0].Instruction, 0);
  EXPECT_EQ(events, (std::vector<int>{kStateStopped, kStateStoppedWithErrors, 102}));
}

TEST_F(CompilerObject, StopWhileRunningLeavesTheStateToTheLoop) {
  compiler.Running = 1;
  compiler.Current = 0;
  compiler.Stop();
  EXPECT_EQ(compiler.Running, 0);
  EXPECT_EQ(compiler.StopRequest, kStopRequested);
  EXPECT_EQ(events, std::vector<int>{102});
}

TEST_F(CompilerObject, StopSurvivesAHandlerThatDiscardsTheProgram) {
  compiler.Current = 1;
  compiler.OnStateChange = [](TKompilatorTS& sender, uint8_t) { sender.Instructions.clear(); };
  compiler.Stop();
  EXPECT_TRUE(compiler.Instructions.empty());
}

TEST(CheckParentheses, CountsEveryRoundParenthesis) {
  const struct {
    const char* text;
    bool balanced;
  } cases[] = {
      {"", true},          {"(a)", true},      {"((a)(b))", true}, {"f(x", false},
      {"x)", false},       {")(", false},      {"(()", false},     {"'('", false},
      {"('(')", false},    {"t[1]", true},     {"t[(1]", false},   {"a)(b", false},
  };
  for (const auto& c : cases) EXPECT_EQ(TKompilatorTS::CheckParentheses(c.text), c.balanced) << c.text;
}

TEST(FormatText, FillsStringArgumentsInOrder) {
  const struct {
    const char* format;
    std::vector<std::string> args;
    const char* expected;
  } cases[] = {
      {"Unknown %s.", {"x"}, "Unknown x."},
      {"%s and %s", {"a", "b"}, "a and b"},
      {"%s and %s", {"a"}, "a and "},       // a missing argument is empty
      {"no place", {"a"}, "no place"},      // an extra one is dropped
      {"100%% of %s", {"x"}, "100% of x"},
      {"%d stays, %", {"a"}, "%d stays, %"},
      {"%S", {"y"}, "y"},
  };
  for (const auto& c : cases) {
    std::string result;
    if (c.args.size() == 1) result = FormatText(c.format, {c.args[0]});
    if (c.args.size() == 2) result = FormatText(c.format, {c.args[0], c.args[1]});
    EXPECT_EQ(result, c.expected) << c.format;
  }
}

}  // namespace
}  // namespace tessaro
