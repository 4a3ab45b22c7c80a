#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler_fixture.h"
#include "core/language/variables.h"

namespace tessaro {
namespace {

using test::Message;

class TupleAssignment : public test::CompilerFixture {};

struct Assigned {
  std::vector<int32_t> path;
  TValue value;
};

struct TupleCase {
  const char* text;
  std::vector<Assigned> cells;  // cells that must hold these values
  const char* rendered;
};

TEST_F(TupleAssignment, WalkAssignsEachLiteralAtItsPath) {
  const TupleCase cases[] = {
      {"(1,2,3)",
       {{{1}, TValue::Integer(1)}, {{2}, TValue::Integer(2)}, {{3}, TValue::Integer(3)}},
       "(1,2,3)"},
      // The outer position is the first index.
      {"((1,2),(3,4))",
       {{{1, 1}, TValue::Integer(1)},
        {{1, 2}, TValue::Integer(2)},
        {{2, 1}, TValue::Integer(3)},
        {{2, 2}, TValue::Integer(4)}},
       "((1,2),(3,4))"},
      {"(1,(2,3))",
       {{{1}, TValue::Integer(1)}, {{2, 1}, TValue::Integer(2)}, {{2, 2}, TValue::Integer(3)}},
       "(1,(2,3))"},
      // The path never shrinks: 3 goes to (2,1), and (2) keeps no value.
      {"((1,2),3)", {{{2, 1}, TValue::Integer(3)}, {{2}, TValue()}}, "((1,2),(3))"},
      // A comma at a shallow depth moves the whole rest of the long path.
      {"(((1,2),(3)),4)",
       {{{1, 1, 2}, TValue::Integer(2)}, {{1, 2, 1}, TValue::Integer(3)}, {{2, 1, 1}, TValue::Integer(4)}},
       "(((1,2),(3)),((4)))"},
      {"(((1,2),(3,4)),((5,6),(7,8)))",
       {{{1, 2, 1}, TValue::Integer(3)}, {{2, 1, 2}, TValue::Integer(6)}},
       "(((1,2),(3,4)),((5,6),(7,8)))"},
      {"(1,'a,b',TRUE)",
       {{{1}, TValue::Integer(1)}, {{2}, TValue::String("a,b")}, {{3}, TValue::Boolean(true)}},
       "(1,a,b,True)"},
      // Quoted parentheses, commas and spaces belong to the text.
      {"( 'x (y), z' , 2 )", {{{1}, TValue::String("x (y), z")}}, "(x (y), z,2)"},
      {"(2.5,-3,$1F,0x10,'',false,.5,1e3)",
       {{{1}, TValue::Real(2.5)},
        {{3}, TValue::Integer(31)},
        {{4}, TValue::Integer(16)},
        {{5}, TValue::String("")},
        {{6}, TValue::Boolean(false)},
        {{7}, TValue::Real(0.5)},
        {{8}, TValue::Real(1000)}},
       "(2.5000,-3,31,16,0,0,0.5000,1000.0000)"},
      {"(\"q\")", {{{1}, TValue::String("q")}}, "q"},
      // Line breaks between the elements do not count.
      {"(1,\r\n2)\r\n", {{{2}, TValue::Integer(2)}}, "(1,2)"},
      {"(1,,3)", {{{2}, TValue()}, {{3}, TValue::Integer(3)}}, "(1,?,3)"},
      // A token that no "," or ")" follows is never assigned.
      {"5", {{{1}, TValue()}}, "?"},
      {"(1,2)3", {{{2}, TValue::Integer(2)}}, "(1,2)"},
      {"", {}, "?"},
      {"()", {}, "?"},
      // An unquoted "(" opens a group and is not part of the token.
      {"(7(8))", {{{1, 1}, TValue::Integer(78)}, {{1}, TValue()}}, "(78)"},
  };
  for (const TupleCase& c : cases) {
    TKompilatorTS fresh;
    const int32_t t = ResolveVariable(fresh, "t", -1);
    EXPECT_TRUE(TupleAssign(fresh, t, c.text, true)) << c.text;
    EXPECT_TRUE(fresh.Errors.empty()) << c.text;
    for (const Assigned& a : c.cells) {
      const TInstancjaZmiennej* cell = &fresh.Variables[0].Root;
      for (int32_t k : a.path) {
        ASSERT_GE(cell->ChildCount(), k) << c.text;
        cell = &cell->Child(k - 1);
      }
      EXPECT_EQ(cell->Value, a.value) << c.text;
    }
    EXPECT_EQ(RenderVariable(fresh, t), c.rendered) << c.text;
  }
}

struct FailingTupleCase {
  const char* text;
  std::string error;
  const char* rendered;  // after the error: earlier elements stay
};

TEST_F(TupleAssignment, ErrorsStopTheRunAndKeepEarlierElements) {
  const FailingTupleCase cases[] = {
      {"(1,2", Message("msgcmp000022"), "?"},
      {"(1,2))", Message("msgcmp000022"), "?"},
      {")(", Message("msgcmp000022"), "?"},
      // Quoted parentheses still count for the balance of the whole text...
      {"(')')", Message("msgcmp000022"), "?"},
      // ...and a text whose unquoted parentheses close more groups than are
      // open is refused in the same way before anything is assigned.
      {"'('),(')'", Message("msgcmp000022"), "?"},
      {"1,2", Message("msgcmp000029"), "?"},
      {"(1),2", Message("msgcmp000029"), "1"},
      {"(1,x)", Message("msgcmp000030", {"x"}), "1"},
      {"(1,2,a+b,4)", Message("msgcmp000030", {"a+b"}), "(1,2)"},
      {"(x1F)", Message("msgcmp000030", {"x1F"}), "?"},
  };
  for (const FailingTupleCase& c : cases) {
    TKompilatorTS fresh;
    fresh.Instructions.resize(1);
    fresh.Current = 0;
    const int32_t t = ResolveVariable(fresh, "t", -1);
    EXPECT_FALSE(TupleAssign(fresh, t, c.text, true)) << c.text;
    ASSERT_EQ(fresh.Errors.size(), 1u) << c.text;
    EXPECT_EQ(fresh.Errors[0].Text, c.error) << c.text;
    EXPECT_EQ(fresh.Errors[0].Instruction, 0);
    EXPECT_EQ(fresh.Current, kNoInstruction);
    EXPECT_EQ(RenderVariable(fresh, t), c.rendered) << c.text;
  }
}

TEST_F(TupleAssignment, ErrorIsReportedThroughTheFixtureProgram) {
  const int32_t t = Variable("t");
  EXPECT_FALSE(TupleAssign(compiler, t, "(1,x)", true));
  ExpectRunTimeError(Message("msgcmp000030", {"x"}));
  EXPECT_EQ(states, (std::vector<uint8_t>{kStateStopped, kStateStoppedWithErrors}));
  EXPECT_EQ(steps, std::vector<uint8_t>{2});
}

TEST_F(TupleAssignment, ManyElementsAtTheEndOfALongPath) {
  // 20,000 elements inside 20,000 groups: each element must not walk the
  // whole path again.
  const int32_t t = Variable("t");
  std::string text(20000, '(');
  for (int i = 0; i < 20000; ++i) text += "1,";
  text += "2" + std::string(20000, ')');
  EXPECT_TRUE(TupleAssign(compiler, t, text, true));
  EXPECT_EQ(compiler.CellCount, 20000 + 20000);
}

TEST_F(TupleAssignment, SetForcesDynamicArraysAndRestoresIt) {
  const int32_t t = Variable("t");
  compiler.DynamicArrays = 0;
  EXPECT_TRUE(TupleAssign(compiler, t, "(1,2,3)", true));
  EXPECT_EQ(compiler.DynamicArrays, 0);
  EXPECT_EQ(Render(t), "(1,2,3)");
  // Without forcing, growth beyond the array is an index error that ends the walk.
  EXPECT_FALSE(TupleAssign(compiler, t, "(4,5,6,7,8)", false));
  ExpectRunTimeError(Message("msgcmp000035"));
  EXPECT_EQ(Render(t), "(4,5,6)");
}

TEST_F(TupleAssignment, RestoresDynamicArraysWhenItRunsOutOfCells) {
  const int32_t t = Variable("t");
  compiler.DynamicArrays = 0;
  compiler.CellLimit = 3;
  EXPECT_THROW(TupleAssign(compiler, t, "(1,2,3,4)", true), std::bad_alloc);
  EXPECT_EQ(compiler.DynamicArrays, 0);
}

struct AnswerCase {
  const char* answer;
  const char* rendered;
};

TEST_F(TupleAssignment, WholeVariableInputWrapsTheAnswer) {
  const AnswerCase cases[] = {
      {"5", "5"},         {"7", "7"},         {"1,2,3", "(1,2,3)"},
      {"(1,2)", "(1,2)"}, {"'hi'", "hi"},     {"(1", "1"},
      {"1)", "1"},        {"", "?"},          {"2.5", "2.5000"},
      {" 1 , 2 ", "(1,2)"},
  };
  for (const AnswerCase& c : cases) {
    TKompilatorTS fresh;
    const int32_t x = ResolveVariable(fresh, "x", -1);
    EXPECT_TRUE(ReadWholeVariable(fresh, x, c.answer)) << c.answer;
    EXPECT_TRUE(fresh.Errors.empty()) << c.answer;
    EXPECT_EQ(RenderVariable(fresh, x), c.rendered) << c.answer;
  }
}

TEST_F(TupleAssignment, WholeVariableInputRejectsWords) {
  const int32_t x = Variable("x");
  EXPECT_FALSE(ReadWholeVariable(compiler, x, "abc"));
  ExpectRunTimeError(Message("msgcmp000030", {"abc"}));
}

TEST_F(TupleAssignment, WholeVariableInputKeepsDynamicArraysAsSet) {
  const int32_t x = Variable("x");
  compiler.DynamicArrays = 0;
  EXPECT_FALSE(ReadWholeVariable(compiler, x, "1,2,3"));
  ExpectRunTimeError(Message("msgcmp000035"));
  EXPECT_EQ(Render(x), "1");
}

TEST_F(TupleAssignment, EvaluationModeCollectsTheErrorAsText) {
  const int32_t x = Variable("x");
  compiler.EvalMode = 1;
  EXPECT_FALSE(TupleAssign(compiler, x, "1,2", true));
  EXPECT_TRUE(compiler.Errors.empty());
  EXPECT_EQ(compiler.EvalErrorText, Message("msgcmp000001") + ": " + Message("msgcmp000029"));
}

}  // namespace
}  // namespace tessaro
