#include "core/language/variables.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "compiler_fixture.h"
#include "core/language/fault.h"

namespace tessaro {
namespace {

using test::Message;

class Variables : public test::CompilerFixture {};

// ---- resolution and the case rules ----

TEST_F(Variables, ResolutionCreatesAnEmptyElementOne) {
  const int32_t x = Variable("x");
  EXPECT_EQ(x, 0);
  EXPECT_EQ(Variable("y"), 1);
  EXPECT_EQ(Variable("x"), 0);
  ASSERT_EQ(compiler.Variables.size(), 2u);
  EXPECT_EQ(compiler.Variables[0].Owner, &compiler);
  EXPECT_EQ(compiler.Variables[0].Root.ChildCount(), 1);
  EXPECT_TRUE(compiler.Variables[0].Root.Child(0).Value.IsEmpty());
  EXPECT_EQ(Render(x), "?");
  EXPECT_TRUE(compiler.Errors.empty());
  EXPECT_TRUE(compiler.Warnings.empty());
}

TEST_F(Variables, CreationForcesDynamicArraysAndRestoresIt) {
  compiler.DynamicArrays = 0;
  const int32_t x = Variable("x");
  EXPECT_EQ(compiler.DynamicArrays, 0);
  EXPECT_EQ(compiler.Variables[static_cast<size_t>(x)].Root.ChildCount(), 1);
  EXPECT_TRUE(compiler.Errors.empty());
}

struct CaseRuleCase {
  bool case_sensitive;
  std::vector<std::string> references;
  std::vector<int32_t> indexes;
  // Each warning as the pair (name as written, existing name).
  std::vector<std::pair<std::string, std::string>> warnings;
};

TEST_F(Variables, CaseRules) {
  const CaseRuleCase cases[] = {
      {true, {"Suma", "suma"}, {0, 1}, {{"suma", "Suma"}}},
      // Every variable equal ignoring case is warned about until the exact match.
      {true,
       {"Suma", "suma", "SUMA", "suma"},
       {0, 1, 2, 1},
       {{"suma", "Suma"}, {"SUMA", "Suma"}, {"SUMA", "suma"}, {"suma", "Suma"}}},
      {true, {"a", "b", "a"}, {0, 1, 0}, {}},
      {false, {"Suma", "suma", "SUMA"}, {0, 0, 0}, {}},
      {false, {"abc", "ABD", "aBc"}, {0, 1, 0}, {}},
  };
  for (const CaseRuleCase& c : cases) {
    TKompilatorTS fresh;
    fresh.CaseSensitive = c.case_sensitive;
    std::vector<int32_t> indexes;
    for (const std::string& name : c.references) indexes.push_back(ResolveVariable(fresh, name, -1));
    EXPECT_EQ(indexes, c.indexes) << c.references.back();
    ASSERT_EQ(fresh.Warnings.size(), c.warnings.size()) << c.references.back();
    for (size_t i = 0; i < c.warnings.size(); ++i) {
      EXPECT_EQ(fresh.Warnings[i].Text,
                Message("msgcmp000032", {c.warnings[i].first, c.warnings[i].second}));
    }
    EXPECT_TRUE(fresh.Errors.empty());
  }
}

TEST_F(Variables, FindFollowsTheCaseSetting) {
  Variable("Suma");
  Variable("x");
  EXPECT_EQ(FindVariable(compiler, "Suma"), 0);
  EXPECT_EQ(FindVariable(compiler, "suma"), -1);
  EXPECT_EQ(FindVariable(compiler, "y"), -1);
  compiler.CaseSensitive = 0;
  EXPECT_EQ(FindVariable(compiler, "SUMA"), 0);
  EXPECT_EQ(FindVariable(compiler, "X"), 1);
}

TEST_F(Variables, InvalidNamesAreReportedAndStillCreated) {
  const char* invalid[] = {"2x", "a b", "x-1", "\xB3\xF3" "d\xBC"};
  for (const char* name : invalid) {
    TKompilatorTS fresh;
    fresh.Instructions.resize(3);
    fresh.Instructions[2].BlockIndex = 7;
    EXPECT_EQ(ResolveVariable(fresh, name, 2), 0) << name;
    ASSERT_EQ(fresh.Errors.size(), 1u) << name;
    EXPECT_EQ(fresh.Errors[0].Text, Message("msgcmp000031", {name}));
    EXPECT_EQ(fresh.Errors[0].Instruction, 2);
    EXPECT_EQ(fresh.Errors[0].Block, 7);
  }
  const char* valid[] = {"x", "_a1", "Tab_2", "t[1", ""};
  for (const char* name : valid) {
    TKompilatorTS fresh;
    ResolveVariable(fresh, name, -1);
    EXPECT_TRUE(fresh.Errors.empty()) << name;
  }
}

TEST_F(Variables, UnknownNamesWithoutCreation) {
  Variable("x");
  compiler.AllowNewVariables = 0;
  EXPECT_EQ(ResolveVariable(compiler, "x", 0), 0);
  EXPECT_EQ(ResolveVariable(compiler, "y", 2), -1);
  ASSERT_EQ(compiler.Errors.size(), 1u);
  EXPECT_EQ(compiler.Errors[0].Text, Message("msgcmp000033", {"y"}));
  EXPECT_EQ(compiler.Errors[0].Block, 12);
  EXPECT_EQ(compiler.Variables.size(), 1u);
}

// ---- element access ----

TEST_F(Variables, PlainVariableIsElementOne) {
  const int32_t x = Variable("x");
  ScalarCell(compiler, x).Value = TValue::Integer(5);
  const int32_t one[] = {1};
  EXPECT_EQ(&ElementAccess(compiler, x, one), &ScalarCell(compiler, x));
  EXPECT_EQ(ElementAccess(compiler, x, one).Value, TValue::Integer(5));
  EXPECT_EQ(Render(x), "5");
}

TEST_F(Variables, AccessGrowsArraysWhenDynamic) {
  const int32_t t = Variable("t");
  const int32_t seven[] = {7};
  ElementAccess(compiler, t, seven).Value = TValue::Integer(1);
  EXPECT_EQ(compiler.Variables[0].Root.ChildCount(), 7);
  EXPECT_EQ(Render(t), "(?,?,?,?,?,?,1)");
  // A longer path descends further from the same cells.
  const int32_t deep[] = {2, 3};
  ElementAccess(compiler, t, deep).Value = TValue::Integer(9);
  EXPECT_EQ(Render(t), "(?,(?,?,9),?,?,?,?,1)");
  EXPECT_EQ(compiler.CellCount, 10);
  EXPECT_TRUE(compiler.Errors.empty());
}

TEST_F(Variables, AccessBeyondTheArrayStopsWhenNotDynamic) {
  const int32_t t = Variable("t");
  compiler.DynamicArrays = 0;
  const int32_t seven[] = {7};
  TInstancjaZmiennej& cell = ElementAccess(compiler, t, seven);
  EXPECT_EQ(&cell, &compiler.NullInstance);
  ExpectRunTimeError(Message("msgcmp000035"));
  EXPECT_EQ(states, (std::vector<uint8_t>{kStateStopped, kStateStoppedWithErrors}));
  EXPECT_EQ(compiler.Variables[0].Root.ChildCount(), 1);
  // What a caller writes into the null cell does not survive to the next error.
  cell.Value = TValue::Integer(3);
  EXPECT_TRUE(ElementAccess(compiler, t, seven).Value.IsEmpty());
}

TEST_F(Variables, IndexCheck) {
  const std::vector<int32_t> good = {1, 3};
  EXPECT_TRUE(CheckIndexes(compiler, good));
  EXPECT_TRUE(compiler.Errors.empty());
  const struct {
    std::vector<int32_t> indexes;
    const char* id;
  } bad[] = {{{}, "msgcmp000005"}, {{2, 0}, "msgcmp000006"}, {{-4}, "msgcmp000006"}};
  for (const auto& c : bad) {
    TKompilatorTS fresh;
    fresh.Instructions.resize(1);
    fresh.Current = 0;
    EXPECT_FALSE(CheckIndexes(fresh, c.indexes));
    ASSERT_EQ(fresh.Errors.size(), 1u);
    EXPECT_EQ(fresh.Errors[0].Text, Message(c.id));
  }
}

TEST_F(Variables, GrowthPastTheCellLimitFailsLikeExhaustedMemory) {
  const int32_t t = Variable("t");
  compiler.CellLimit = 100;
  const int32_t beyond[] = {150};
  EXPECT_THROW(ElementAccess(compiler, t, beyond), std::bad_alloc);
  // Far beyond, the memory budget speaks first, with its own error.
  const int32_t far[] = {2000000000};
  EXPECT_THROW(ElementAccess(compiler, t, far), RuntimeFault);
  const int32_t near[] = {99};
  EXPECT_NO_THROW(ElementAccess(compiler, t, near));
  EXPECT_EQ(compiler.CellCount, 99);
}

// ---- declarations ----

struct DeclareCase {
  const char* before;  // a tuple assigned first, or ""
  const char* dimensions;
  const char* rendered;
};

TEST_F(Variables, DeclarationResetsTheDeclaredCellsOnly) {
  const DeclareCase cases[] = {
      {"", "1", "?"},
      {"", "3,2", "((?,?),(?,?),(?,?))"},
      {"", "2,1,2", "(((?,?)),((?,?)))"},
      {"(5)", "1", "?"},
      {"(1,2,3,4,5)", "2", "(?,?,3,4,5)"},  // never shrinks, never touches the rest
      {"((1,2),(3,4))", "1,2", "((?,?),(3,4))"},
      {"((1,2),(3,4))", "2,1", "((?,2),(?,4))"},
      {"", "$3", "(?,?,?)"},
      {"", "0x2", "(?,?)"},
  };
  for (const DeclareCase& c : cases) {
    TKompilatorTS fresh;
    const int32_t t = ResolveVariable(fresh, "t", -1);
    TupleAssign(fresh, t, c.before, true);
    EXPECT_TRUE(DeclareVariable(fresh, t, c.dimensions)) << c.dimensions;
    EXPECT_EQ(RenderVariable(fresh, t), c.rendered) << c.before << " dim " << c.dimensions;
    EXPECT_TRUE(fresh.Errors.empty());
  }
}

TEST_F(Variables, DeclarationKeepsValuesBesideTheCells) {
  // dim resets values; children below a declared cell stay.
  const int32_t t = Variable("t");
  TupleAssign(compiler, t, "((1,2),3)", true);
  const int32_t one[] = {1};
  ElementAccess(compiler, t, one).Value = TValue::Integer(8);
  EXPECT_TRUE(DeclareVariable(compiler, t, "1"));
  EXPECT_TRUE(Existing(t, {1})->Value.IsEmpty());
  EXPECT_EQ(Existing(t, {1, 2})->Value, TValue::Integer(2));
}

struct FailingDeclareCase {
  const char* dimensions;
  const char* id;
};

TEST_F(Variables, FailingDeclarationsRestoreDynamicArrays) {
  const FailingDeclareCase cases[] = {
      {"0", "msgcmp000006"},   {"3,0", "msgcmp000006"}, {"-1", "msgcmp000006"},
      {"n", "msgcmp000049"},   {"", "msgcmp000049"},    {"3,,2", "msgcmp000049"},
      {"2.5", "msgcmp000049"}, {"'3'", "msgcmp000049"}, {"x10", "msgcmp000049"},
      {"99999999999", "msgcmp000049"},
  };
  for (uint8_t setting : {0, 1}) {
    for (const FailingDeclareCase& c : cases) {
      TKompilatorTS fresh;
      fresh.Instructions.resize(1);
      fresh.Current = 0;
      fresh.DynamicArrays = setting;
      const int32_t t = ResolveVariable(fresh, "t", -1);
      EXPECT_FALSE(DeclareVariable(fresh, t, c.dimensions)) << c.dimensions;
      EXPECT_EQ(fresh.DynamicArrays, setting) << c.dimensions;
      ASSERT_EQ(fresh.Errors.size(), 1u) << c.dimensions;
      EXPECT_EQ(fresh.Errors[0].Text, Message(c.id)) << c.dimensions;
      EXPECT_EQ(fresh.Current, kNoInstruction);
      EXPECT_EQ(RenderVariable(fresh, t), "?");
    }
  }
}

TEST_F(Variables, DeclarationGrowsWithDynamicArraysOffAndRestoresIt) {
  compiler.DynamicArrays = 0;
  const int32_t t = Variable("t");
  const std::vector<int32_t> sizes = {4};
  EXPECT_TRUE(DeclareVariable(compiler, t, sizes));
  EXPECT_EQ(compiler.DynamicArrays, 0);
  EXPECT_EQ(Render(t), "(?,?,?,?)");
  // The setting is also restored when the declaration runs out of cells.
  compiler.CellLimit = 50;
  const std::vector<int32_t> huge = {10, 10};
  EXPECT_THROW(DeclareVariable(compiler, t, huge), std::bad_alloc);
  EXPECT_EQ(compiler.DynamicArrays, 0);
}

// ---- rendering ----

struct RenderCase {
  TValue value;
  const char* text;
};

TEST(RenderValue, Kinds) {
  const RenderCase cases[] = {
      {TValue(), "?"},
      {TValue::Integer(0), "0"},
      {TValue::Real(0.0), "0"},
      {TValue::Real(-0.0), "0"},
      {TValue::String(""), "0"},
      {TValue::Boolean(false), "0"},
      {TValue::Boolean(true), "True"},
      {TValue::Integer(-7), "-7"},
      {TValue::Integer(2147483647), "2147483647"},
      {TValue::Real(2.5), "2.5000"},
      {TValue::Real(-1.23456), "-1.2346"},
      {TValue::Real(0.00001), "0.0000"},
      {TValue::Real(3.0), "3.0000"},
      {TValue::Real(1e20), "100000000000000000000.0000"},
      // Exact halves round away from zero; a value that shows as zero has no sign.
      {TValue::Real(0.03125), "0.0313"},
      {TValue::Real(-0.03125), "-0.0313"},
      {TValue::Real(1.21875), "1.2188"},
      {TValue::Real(0.15625), "0.1563"},
      {TValue::Real(0.1 + 0.2), "0.3000"},
      {TValue::Real(2.00005), "2.0000"},  // the double lies just below the half
      {TValue::Real(-0.00001), "0.0000"},
      {TValue::Real(9.99999), "10.0000"},
      {TValue::Real(-9.99999), "-10.0000"},
      {TValue::String("abc"), "abc"},
      {TValue::String("a,b"), "a,b"},
  };
  for (const RenderCase& c : cases) EXPECT_EQ(RenderValue(c.value), c.text);
}

TEST_F(Variables, RenderingDropsTheOuterPairWithoutAnyComma) {
  const struct {
    const char* tuple;
    const char* rendered;
  } cases[] = {
      {"(5)", "5"},
      {"('abc')", "abc"},
      {"('a,b')", "(a,b)"},  // the comma inside the text keeps the parentheses
      {"(1,2,3)", "(1,2,3)"},
      {"((1,2),(3,4))", "((1,2),(3,4))"},
      {"((7))", "(7)"},  // a single nested element loses only the outer pair
      {"(2.5,'',FALSE,TRUE)", "(2.5000,0,0,True)"},
  };
  for (const auto& c : cases) {
    TKompilatorTS fresh;
    const int32_t x = ResolveVariable(fresh, "x", -1);
    EXPECT_TRUE(TupleAssign(fresh, x, c.tuple, true));
    EXPECT_EQ(RenderVariable(fresh, x), c.rendered) << c.tuple;
  }
}

TEST_F(Variables, DeepNestingNeitherRendersNorFreesByRecursion) {
  // A typed answer of 200,000 nested groups builds a chain of cells as deep.
  const int32_t x = Variable("x");
  const std::string answer = std::string(200000, '(') + "1" + std::string(200000, ')');
  EXPECT_TRUE(ReadWholeVariable(compiler, x, answer));
  const std::string rendered = Render(x);
  EXPECT_EQ(rendered.size(), answer.size() - 2);
  ClearVariables(compiler);
  EXPECT_TRUE(compiler.Variables.empty());
}

// ---- clearing ----

TEST_F(Variables, ClearEmptiesTheListAndTellsTheOwner) {
  Variable("a");
  Variable("b");
  ClearVariables(compiler);
  EXPECT_TRUE(compiler.Variables.empty());
  EXPECT_EQ(compiler.CellCount, 0);
  EXPECT_EQ(variable_changes, std::vector<int32_t>{-1});
  EXPECT_EQ(FindVariable(compiler, "a"), -1);
  EXPECT_EQ(Variable("b"), 0);
}

}  // namespace
}  // namespace tessaro
