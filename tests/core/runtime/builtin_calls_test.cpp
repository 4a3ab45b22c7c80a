#include "core/runtime/builtin_calls.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/language/fault.h"
#include "core/runtime/value_ops.h"
#include "value_shorthand.h"

namespace tessaro {
namespace {

using test::I;
using test::R;
using test::S;

// Positions in the built-in table.
enum : int32_t {
  kRandom = 1, kArcCos = 2, kArcCtg = 4, kArcTan = 12, kArcTan2 = 13, kCos = 15, kCosecant = 16,
  kCot = 18, kHypot = 23, kSin = 27, kSqrt = 31, kSqr = 32, kLength = 33, kCopy = 34, kPos = 35,
  kInsert = 36, kDelete = 37, kStr = 38, kVal = 39, kAbs = 40, kLn = 41, kLog2 = 42, kLog10 = 43,
  kLogN = 44, kExp = 45, kPower = 46, kRound = 47, kTrunc = 48, kHexToBin = 49, kBinToHex = 50,
  kHexToDec = 51, kOctToDec = 52, kBinToDec = 53, kDecToHex = 54, kDecToOct = 55, kDecToBin = 56,
  kSystemToDec = 57, kDecToSystem = 58, kSystemToSystem = 59,
};

TValue Call(int32_t position, std::vector<TValue> args, ConversionNote* note = nullptr) {
  TValue result;
  EXPECT_EQ(CallBuiltin(position, args, result, note), BuiltinStatus::Ok) << position;
  return result;
}

FaultKind FaultOf(int32_t position, std::vector<TValue> args) {
  try {
    TValue result;
    CallBuiltin(position, args, result);
  } catch (const RuntimeFault& f) {
    return f.Kind();
  }
  ADD_FAILURE() << "built-in " << position << " raised no fault";
  return FaultKind::Other;
}

TEST(Builtins, TextFunctions) {
  struct Case { int32_t fn; std::vector<TValue> args; TValue expected; };
  const Case cases[] = {
      {kLength, {S("abc")}, I(3)},
      {kLength, {R(3.5)}, I(3)},
      {kLength, {TValue()}, I(0)},
      {kCopy, {S("abcdef"), I(2), I(3)}, S("bcd")},
      {kCopy, {S("abcdef"), I(0), I(2)}, S("ab")},
      {kCopy, {S("abcdef"), I(5), I(10)}, S("ef")},
      {kCopy, {S("abcdef"), I(7), I(1)}, S("")},
      {kCopy, {S("abcdef"), I(2), I(-1)}, S("")},
      {kCopy, {I(12345), I(2), I(2)}, S("23")},
      {kPos, {S("c"), S("abc")}, I(3)},
      {kPos, {S("x"), S("abc")}, I(0)},
      {kPos, {S(""), S("abc")}, I(0)},
      {kInsert, {S("X"), S("abc"), I(2)}, S("aXbc")},
      {kInsert, {S("X"), S("abc"), I(-4)}, S("Xabc")},
      {kInsert, {S("X"), S("abc"), I(99)}, S("abcX")},
      {kDelete, {S("abcdef"), I(2), I(3)}, S("aef")},
      {kDelete, {S("abcdef"), I(5), I(9)}, S("abcd")},
      {kDelete, {S("abcdef"), I(0), I(2)}, S("abcdef")},
      {kDelete, {S("abcdef"), I(7), I(2)}, S("abcdef")},
      {kStr, {I(12)}, S("12")},
      {kStr, {R(2.5)}, S("2")},
      {kVal, {S("12")}, S("12")},
  };
  for (const Case& c : cases) EXPECT_EQ(Call(c.fn, c.args), c.expected) << c.fn;
}

TEST(Builtins, Numbers) {
  struct Case { int32_t fn; std::vector<TValue> args; double expected; };
  const double pi = std::numbers::pi;
  const Case cases[] = {
      {kSqrt, {I(9)}, 3.0},           {kSqr, {I(3)}, 9.0},
      {kAbs, {I(-4)}, 4.0},           {kPower, {I(2), I(10)}, 1024.0},
      {kLogN, {I(2), I(8)}, 3.0},     {kLog2, {I(8)}, 3.0},
      {kLog10, {I(1000)}, 3.0},       {kLn, {R(std::exp(2.0))}, 2.0},
      {kExp, {I(0)}, 1.0},            {kArcTan2, {I(1), I(1)}, pi / 4},
      {kArcTan, {I(1)}, pi / 4},      {kHypot, {I(3), I(4)}, 5.0},
      {kSin, {I(0)}, 0.0},            {kCos, {I(0)}, 1.0},
      {kArcCos, {I(1)}, 0.0},         {kArcCtg, {I(1)}, pi / 4},
      {kCosecant, {R(pi / 2)}, 1.0},  {kCot, {R(pi / 4)}, 1.0},
      {kSqrt, {S("16")}, 4.0},
  };
  for (const Case& c : cases) {
    const TValue r = Call(c.fn, c.args);
    ASSERT_EQ(r.Kind(), ValueKind::Real) << c.fn;
    EXPECT_NEAR(r.AsReal(), c.expected, 1e-12) << c.fn;
  }
  EXPECT_EQ(Call(kSqrt, {Call(kSqr, {I(3)})}), R(3.0));
}

TEST(Builtins, RoundAndTruncKeepTheLow32Bits) {
  struct Case { int32_t fn; double x; int32_t expected; };
  const Case cases[] = {
      {kRound, 2.5, 2},  {kRound, 3.5, 4},   {kRound, -2.5, -2}, {kRound, 2.4999, 2},
      {kTrunc, -2.7, -2}, {kTrunc, 2.7, 2},  {kRound, 4294967297.0, 1},
      {kTrunc, 2147483648.5, -2147483647 - 1},
  };
  for (const Case& c : cases) EXPECT_EQ(Call(c.fn, {R(c.x)}), I(c.expected)) << c.fn << " " << c.x;
}

TEST(Builtins, FaultsOfTheirDomains) {
  EXPECT_EQ(FaultOf(kSqrt, {I(-1)}), FaultKind::InvalidFloat);
  EXPECT_EQ(FaultOf(kLn, {I(0)}), FaultKind::InvalidFloat);
  EXPECT_EQ(FaultOf(kLogN, {I(1), I(5)}), FaultKind::InvalidFloat);
  EXPECT_EQ(FaultOf(kArcCos, {I(2)}), FaultKind::InvalidFloat);
  EXPECT_EQ(FaultOf(kCosecant, {I(0)}), FaultKind::RealDivisionByZero);
  EXPECT_EQ(FaultOf(kArcCtg, {I(0)}), FaultKind::RealDivisionByZero);
  EXPECT_EQ(FaultOf(kExp, {I(1000)}), FaultKind::OutOfRange);
  EXPECT_EQ(FaultOf(kSqrt, {S("abc")}), FaultKind::TypeMismatch);
  EXPECT_EQ(FaultOf(kRound, {R(1e300)}), FaultKind::InvalidFloat);
}

TEST(Builtins, Conversions) {
  struct Case { int32_t fn; std::vector<TValue> args; TValue expected; int32_t from, to; const char* text; };
  const Case cases[] = {
      {kHexToBin, {S("3A")}, S("111010"), 16, 2, "3A"},
      {kBinToHex, {S("1010")}, S("A"), 2, 16, "1010"},
      {kHexToDec, {S("FF")}, S("255"), 16, 10, "FF"},
      {kOctToDec, {S("17")}, S("15"), 8, 10, "17"},
      {kBinToDec, {I(1001)}, S("9"), 2, 10, "1001"},
      {kDecToHex, {I(255)}, S("FF"), 10, 16, "255"},
      {kDecToOct, {S("91")}, S("133"), 10, 8, "91"},
      {kDecToBin, {S("5")}, S("101"), 10, 2, "5"},
      {kDecToBin, {I(0)}, S("0"), 10, 2, "0"},
      {kHexToDec, {S("ff")}, S("255"), 16, 10, "ff"},
      {kSystemToDec, {I(16), S("ff")}, I(255), 16, 10, "ff"},
      {kHexToBin, {S("a")}, S("1010"), 16, 2, "a"},
      {kSystemToDec, {I(16), S("FF")}, I(255), 16, 10, "FF"},
      {kDecToSystem, {I(16), S("255")}, S("FF"), 10, 16, "255"},
      {kSystemToSystem, {I(2), I(16), S("1010")}, S("A"), 2, 16, "1010"},
      {kDecToSystem, {I(1), S("255")}, S(""), 10, 1, "255"},  // a base without digits ends at once
  };
  for (const Case& c : cases) {
    ConversionNote note;
    EXPECT_EQ(Call(c.fn, c.args, &note), c.expected) << c.fn;
    EXPECT_TRUE(note.happened);
    EXPECT_EQ(note.from_base, c.from) << c.fn;
    EXPECT_EQ(note.to_base, c.to) << c.fn;
    EXPECT_EQ(note.text, c.text) << c.fn;
  }
  ConversionNote note;
  Call(kSqrt, {I(4)}, &note);
  EXPECT_FALSE(note.happened);
}

TEST(Builtins, RandomStaysInItsRange) {
  SeedRandom(7);
  bool seen_low = false, seen_high = false;
  for (int k = 0; k < 500; ++k) {
    const int32_t r = Call(kRandom, {I(5)}).AsInteger();
    ASSERT_GE(r, 0);
    ASSERT_LT(r, 5);
    const TValue two = Call(kRandom, {I(10), I(20)});
    ASSERT_EQ(two.Kind(), ValueKind::Integer);
    ASSERT_GE(two.AsInteger(), 10);
    ASSERT_LT(two.AsInteger(), 20);
    seen_low |= two.AsInteger() == 10;
    seen_high |= two.AsInteger() == 19;
  }
  EXPECT_TRUE(seen_low && seen_high);
  EXPECT_EQ(Call(kRandom, {I(0)}), I(0));
  EXPECT_EQ(Call(kRandom, {R(0.4)}), I(0));
  // The same seed gives the same sequence.
  SeedRandom(11);
  const TValue a = Call(kRandom, {I(1000000)});
  SeedRandom(11);
  EXPECT_EQ(Call(kRandom, {I(1000000)}), a);
}

TEST(Builtins, CheckTheNumberOfArguments) {
  struct Case { int32_t fn; size_t count; bool accepted; };
  const Case cases[] = {
      {kRandom, 0, false}, {kRandom, 1, true}, {kRandom, 2, true}, {kRandom, 3, false},
      {kSqrt, 1, true},    {kSqrt, 2, false},  {kArcTan2, 1, false}, {kArcTan2, 2, true},
      {kHypot, 2, true},   {kCopy, 2, false},  {kCopy, 3, true},   {kSystemToSystem, 3, true},
      {kSystemToDec, 3, false}, {0, 1, false}, {60, 1, false},
  };
  for (const Case& c : cases) EXPECT_EQ(BuiltinAcceptsArgumentCount(c.fn, c.count), c.accepted) << c.fn;
  TValue result = I(99);
  EXPECT_EQ(CallBuiltin(kSqrt, {I(1), I(2)}, result), BuiltinStatus::WrongArity);
  EXPECT_EQ(result, I(99));
  EXPECT_EQ(CallBuiltin(0, {}, result), BuiltinStatus::UnknownFunction);
}

}  // namespace
}  // namespace tessaro
