#include "core/runtime/value_ops.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "core/i18n/language.h"
#include "core/language/fault.h"
#include "value_shorthand.h"

namespace tessaro {
namespace {

using test::I;
using test::R;
using test::S;
TValue B(bool v) { return TValue::Boolean(v); }
TValue E() { return TValue(); }

std::string Describe(const TValue& v) {
  switch (v.Kind()) {
    case ValueKind::Empty: return "empty";
    case ValueKind::Integer: return "integer " + TextForm(v);
    case ValueKind::Real: return "real " + TextForm(v);
    case ValueKind::String: return "string '" + v.AsString() + "'";
    case ValueKind::Boolean: return std::string("boolean ") + TextForm(v);
  }
  return "?";
}

TEST(ValueFamilies, AreChosenFromBothOperandKindsInEitherOrder) {
  using K = ValueKind;
  struct Case { K a, b; Family family; };
  const Case cases[] = {
      {K::Integer, K::Integer, Family::Integer}, {K::Integer, K::Boolean, Family::Integer},
      {K::Integer, K::Empty, Family::Integer},   {K::Real, K::Integer, Family::Real},
      {K::Real, K::String, Family::Real},        {K::Real, K::Boolean, Family::Real},
      {K::Real, K::Empty, Family::Real},         {K::Real, K::Real, Family::Real},
      {K::Integer, K::String, Family::Real},     {K::String, K::String, Family::Text},
      {K::String, K::Empty, Family::Text},       {K::Boolean, K::Boolean, Family::Boolean},
      {K::Boolean, K::String, Family::Boolean},  {K::Boolean, K::Empty, Family::Boolean},
      {K::Empty, K::Empty, Family::Empty},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FamilyOf(c.a, c.b), c.family) << int(c.a) << "," << int(c.b);
    EXPECT_EQ(FamilyOf(c.b, c.a), c.family) << int(c.b) << "," << int(c.a);
  }
}

struct BinaryCase {
  const char* op;
  TValue a, b;
  std::optional<TValue> result;        // the value, or
  std::optional<FaultKind> fault = {};  // the fault it raises
};

void CheckBinary(const BinaryCase& c) {
  const std::string label = Describe(c.a) + " " + c.op + " " + Describe(c.b);
  try {
    const TValue r = ApplyBinary(BinaryOpFromText(c.op), c.a, c.b);
    ASSERT_TRUE(c.result.has_value()) << label << " gave " << Describe(r) << ", expected a fault";
    EXPECT_EQ(r, *c.result) << label << " gave " << Describe(r) << ", expected " << Describe(*c.result);
  } catch (const RuntimeFault& f) {
    ASSERT_TRUE(c.fault.has_value()) << label << " faulted " << int(f.Kind());
    EXPECT_EQ(f.Kind(), *c.fault) << label;
  }
}

TEST(BinaryOperators, ComputeByFamily) {
  const BinaryCase cases[] = {
      // integer family
      {"+", I(2), I(3), I(5)},
      {"+", I(2147483647), I(1), R(2147483648.0)},  // overflow is redone in real arithmetic
      {"-", I(-2147483647), I(2), R(-2147483649.0)},
      {"*", I(65536), I(65536), R(4294967296.0)},
      {"*", I(6), I(7), I(42)},
      {"/", I(7), I(2), R(3.5)},
      {"/", I(6), I(3), R(2.0)},  // always real
      {"div", I(7), I(2), I(3)},
      {"div", I(-7), I(2), I(-3)},
      {"mod", I(-7), I(2), I(-1)},
      {"%", I(7), I(-2), I(1)},
      {"mod", I(-2147483647 - 1), I(-1), I(0)},
      {"shl", I(1), I(4), I(16)},
      {"<<", I(1), I(33), I(2)},  // shift count modulo 32
      {"shr", I(16), I(2), I(4)},
      {">>", I(-1), I(28), I(15)},  // zero bits come in
      {"and", I(6), I(3), I(2)},
      {"&&", I(6), I(3), I(2)},
      {"&", I(6), I(3), I(2)},
      {"or", I(6), I(3), I(7)},
      {"|", I(4), I(1), I(5)},
      {"+", I(5), E(), I(5)},
      {"+", I(1), B(true), I(0)},
      {"and", B(true), I(3), I(3)},
      // real family
      {"+", R(1.5), I(2), R(3.5)},
      {"*", R(0.5), S("4"), R(2.0)},
      {"+", R(1.5), E(), R(1.5)},
      {"div", R(7.6), I(2), I(4)},  // rounded to integers first
      {"mod", R(2.5), I(2), I(0)},   // 2.5 rounds to 2
      {"and", R(6.2), I(3), I(2)},
      {"+", S("3"), I(4), R(7.0)},
      {"+", I(4), S("2.5"), R(6.5)},
      // text family
      {"+", S("ab"), S("cd"), S("abcd")},
      {"+", S("ab"), E(), S("ab")},
      {"-", S("10"), S("4"), R(6.0)},
      {"div", S("9"), S("2"), I(4)},
      {"or", S("1"), S("2"), I(3)},
      // boolean family
      {"and", B(true), B(false), B(false)},
      {"or", B(true), B(false), B(true)},
      {"||", B(false), E(), B(false)},
      {"and", B(true), S("true"), B(true)},
      {"+", B(true), B(true), R(-2.0)},
      {"div", B(true), B(true), I(1)},
      // empty family
      {"+", E(), E(), E()},
      {"*", E(), E(), E()},
      {"shl", E(), E(), E()},
      {"and", E(), E(), E()},
      // operators that compute nothing
      {"->", I(1), I(2), E()},
      {"~", I(1), I(2), E()},
  };
  for (const BinaryCase& c : cases) CheckBinary(c);
}

TEST(BinaryOperators, RaiseTheirFaults) {
  const BinaryCase cases[] = {
      {"/", I(1), I(0), {}, FaultKind::RealDivisionByZero},
      {"/", R(1.5), R(0.0), {}, FaultKind::RealDivisionByZero},
      {"/", I(0), I(0), {}, FaultKind::InvalidFloat},
      {"/", E(), E(), {}, FaultKind::RealDivisionByZero},
      {"div", I(1), I(0), {}, FaultKind::IntegerDivisionByZero},
      {"mod", I(1), E(), {}, FaultKind::IntegerDivisionByZero},
      {"div", E(), E(), {}, FaultKind::IntegerDivisionByZero},
      {"div", I(-2147483647 - 1), I(-1), {}, FaultKind::IntegerOverflow},
      {"*", S("ab"), I(2), {}, FaultKind::TypeMismatch},
      {"-", S("ab"), S("cd"), {}, FaultKind::TypeMismatch},
      {"and", B(true), S("maybe"), {}, FaultKind::TypeMismatch},
      {"div", R(3e10), I(2), {}, FaultKind::OutOfRange},
      {"*", R(1e300), R(1e300), {}, FaultKind::OutOfRange},
  };
  for (const BinaryCase& c : cases) CheckBinary(c);
}

TEST(Comparisons, UseTheFamiliesAndYieldBooleans) {
  const BinaryCase cases[] = {
      {"==", I(2), I(2), B(true)},
      {"!=", I(2), I(2), B(false)},
      {"<>", I(2), I(3), B(true)},
      {"<", I(2), R(2.5), B(true)},
      {"<=", R(2.0), I(2), B(true)},
      {"=<", I(3), I(2), B(false)},
      {">=", I(3), I(3), B(true)},
      {"=>", I(2), I(3), B(false)},
      {">", S("10"), I(9), B(true)},           // real family: numeric
      {"<", S("10"), S("9"), B(true)},          // text family: by character codes
      {"<", S("B"), S("a"), B(true)},           // case-sensitive
      {"==", S("a"), S("A"), B(false)},
      {"<", S("\xB3"), S("z"), B(false)},      // codes above 127 sort after ASCII
      {"==", S(""), E(), B(true)},
      {"<", E(), S("a"), B(true)},
      {"<", B(false), B(true), B(true)},
      {"==", B(true), S("TRUE"), B(true)},
      {"==", B(false), E(), B(true)},
      {"==", E(), E(), B(true)},
      {"<", E(), E(), B(false)},
      {"==", I(0), E(), B(true)},
      {"==", I(-1), B(true), B(true)},
      {"<", S("x"), I(1), {}, FaultKind::TypeMismatch},
  };
  for (const BinaryCase& c : cases) CheckBinary(c);
}

TEST(Negation, IsLogicalOnBooleansAndBitwiseOtherwise) {
  EXPECT_EQ(Negate(B(true)), B(false));
  EXPECT_EQ(Negate(I(0)), I(-1));
  EXPECT_EQ(Negate(I(5)), I(-6));
  EXPECT_EQ(Negate(R(1.6)), I(-3));
  EXPECT_EQ(Negate(S("false")), B(true));
  EXPECT_EQ(Negate(S("1")), I(-2));
  EXPECT_EQ(Negate(E()), I(-1));
  EXPECT_THROW(Negate(S("abc")), RuntimeFault);
}

TEST(Conversions, ToInteger) {
  struct Case { TValue v; int32_t expected; };
  const Case cases[] = {
      {E(), 0}, {B(true), -1}, {B(false), 0}, {R(2.5), 2}, {R(3.5), 4}, {R(-2.5), -2},
      {R(-2.6), -3}, {S("12"), 12}, {S(" 7 "), 7}, {S("3.7"), 4}, {S("$1F"), 31},
      {S("0x10"), 16}, {S("-5"), -5}, {R(2147483647.0), 2147483647},
  };
  for (const Case& c : cases) EXPECT_EQ(ToInteger(c.v), c.expected) << Describe(c.v);
  EXPECT_THROW(ToInteger(S("abc")), RuntimeFault);
  EXPECT_THROW(ToInteger(S("")), RuntimeFault);
  try {
    ToInteger(R(2147483648.0));
    ADD_FAILURE() << "no range fault";
  } catch (const RuntimeFault& f) {
    EXPECT_EQ(f.Kind(), FaultKind::OutOfRange);
  }
}

TEST(Conversions, ToRealAndToBoolean) {
  EXPECT_EQ(ToReal(S("2.5")), 2.5);
  EXPECT_EQ(ToReal(S("2,5")), 2.5);
  EXPECT_EQ(ToReal(S("1e3")), 1000.0);
  EXPECT_EQ(ToReal(S(".5")), 0.5);
  EXPECT_EQ(ToReal(B(true)), -1.0);
  EXPECT_THROW(ToReal(S("1.2.3")), RuntimeFault);
  EXPECT_THROW(ToReal(S("inf")), RuntimeFault);
  EXPECT_THROW(ToReal(S("nan")), RuntimeFault);

  struct Case { TValue v; bool expected; };
  const Case cases[] = {
      {E(), false}, {I(0), false}, {I(-3), true}, {R(0.0), false}, {R(0.1), true},
      {S("True"), true}, {S("FALSE"), false}, {S("0"), false}, {S("2"), true}, {B(true), true},
  };
  for (const Case& c : cases) EXPECT_EQ(ToBoolean(c.v), c.expected) << Describe(c.v);
  EXPECT_THROW(ToBoolean(S("yes")), RuntimeFault);
  EXPECT_THROW(ToBoolean(S("")), RuntimeFault);
}

TEST(TextForms, OfEveryKind) {
  struct Case { TValue v; const char* text; };
  const Case cases[] = {
      {E(), ""}, {I(-42), "-42"}, {B(true), "True"}, {B(false), "False"}, {S("a b"), "a b"},
      {R(3.5), "3.5"}, {R(2.0), "2"}, {R(-0.25), "-0.25"}, {R(0.1 + 0.2), "0.3"},
      {R(1.0 / 3), "0.333333333333333"}, {R(2147483648.0), "2147483648"},
      {R(1e14), "100000000000000"}, {R(1e15), "1E15"}, {R(1.5e-7), "1.5E-7"},
      {R(0.00001), "0.00001"}, {R(0.000001), "1E-6"}, {R(1e20), "1E20"},
      {R(-1.25e-300), "-1.25E-300"}, {R(123456.789), "123456.789"},
  };
  for (const Case& c : cases) EXPECT_EQ(TextForm(c.v), c.text) << Describe(c.v);
}

TEST(NumberTexts, AcceptOnlyWholeNumbers) {
  int32_t i = 0;
  EXPECT_TRUE(ParseIntegerText("$FFFFFFFF", i));
  EXPECT_EQ(i, -1);
  EXPECT_TRUE(ParseIntegerText("-2147483648", i));
  EXPECT_EQ(i, -2147483647 - 1);
  EXPECT_FALSE(ParseIntegerText("2147483648", i));
  EXPECT_FALSE(ParseIntegerText("12a", i));
  EXPECT_FALSE(ParseIntegerText("0x", i));
  EXPECT_FALSE(ParseIntegerText("$123456789", i));
  double r = 0;
  EXPECT_TRUE(ParseRealText("-1.5E+2", r));
  EXPECT_EQ(r, -150.0);
  EXPECT_TRUE(ParseRealText("5.", r));
  EXPECT_FALSE(ParseRealText("1e", r));
  EXPECT_FALSE(ParseRealText(".", r));
  EXPECT_FALSE(ParseRealText("1e999", r));
  EXPECT_FALSE(ParseRealText("0x1p3", r));
}

TEST(FaultMessages, CarryTheirSuffix) {
  EXPECT_EQ(FaultMessage(FaultKind::RealDivisionByZero), LangText("msgcmp000047") + " ");
  EXPECT_EQ(FaultMessage(FaultKind::IntegerDivisionByZero), LangText("msgcmp000047") + "");
  EXPECT_EQ(FaultMessage(FaultKind::TypeMismatch), LangText("msgcmp000048") + "");
  EXPECT_EQ(FaultMessage(FaultKind::InvalidNumber), LangText("msgcmp000049") + "");
  EXPECT_EQ(FaultMessage(FaultKind::IntegerOverflow), LangText("msgcmp000050") + "");
  EXPECT_EQ(FaultMessage(FaultKind::OutOfRange), LangText("msgcmp000051") + "");
  EXPECT_EQ(FaultMessage(FaultKind::InvalidFloat), LangText("msgcmp000052") + "");
  EXPECT_EQ(FaultMessage(FaultKind::Other), LangText("msgcmp000053") + "");
}

}  // namespace
}  // namespace tessaro
