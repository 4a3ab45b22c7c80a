// The value rules of the block language: operation families, the binary
// operators, comparisons, negation and the conversions between kinds.
//
// Every function here is pure; a failure throws a RuntimeFault (fault.h),
// which the fault guard of the step reports.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/language/value.h"

namespace tessaro {

// The family a binary operation computes in, picked from its two operand kinds.
enum class Family : uint8_t { Integer, Real, Text, Boolean, Empty };

Family FamilyOf(ValueKind a, ValueKind b);

enum class BinaryOp : uint8_t {
  None,  // parses, but computes nothing
  Add, Subtract, Multiply, Divide, Div, Mod, Shl, Shr, And, Or,
  Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual,
};

// The operation of an operator text ("+", "div", "%", "<>", "&", ...); None
// for a text that computes nothing.
BinaryOp BinaryOpFromText(std::string_view op);

// The operation a compound assignment ("+=", "&=", ...) applies before it
// assigns; None for any other text and for the compound forms without meaning.
BinaryOp CompoundAssignmentOp(std::string_view op);

bool IsComparison(BinaryOp op);

TValue ApplyBinary(BinaryOp op, const TValue& a, const TValue& b);

// The commonest operations on two integers, computed as ApplyBinary would
// without its general dispatch; false for everything else, and for the
// results ApplyBinary must handle itself (overflow, division by zero).
inline bool IntegerFastPath(BinaryOp op, int32_t a, int32_t b, TValue& out) {
  int64_t r;
  switch (op) {
    case BinaryOp::Add: r = int64_t{a} + b; break;
    case BinaryOp::Subtract: r = int64_t{a} - b; break;
    case BinaryOp::Multiply: r = int64_t{a} * b; break;
    case BinaryOp::Div:
      if (b == 0 || b == -1) return false;
      r = a / b;
      break;
    case BinaryOp::Mod:
      if (b == 0 || b == -1) return false;
      r = a % b;
      break;
    case BinaryOp::Equal: out = TValue::Boolean(a == b); return true;
    case BinaryOp::NotEqual: out = TValue::Boolean(a != b); return true;
    case BinaryOp::Less: out = TValue::Boolean(a < b); return true;
    case BinaryOp::LessEqual: out = TValue::Boolean(a <= b); return true;
    case BinaryOp::Greater: out = TValue::Boolean(a > b); return true;
    case BinaryOp::GreaterEqual: out = TValue::Boolean(a >= b); return true;
    default: return false;
  }
  if (r < INT32_MIN || r > INT32_MAX) return false;  // ApplyBinary goes over to reals
  out = TValue::Integer(static_cast<int32_t>(r));
  return true;
}

// "!" and "not": logical on booleans, bitwise complement on everything else.
TValue Negate(const TValue& v);

// Conversions. Empty counts as 0 (false), true as -1; reals round to nearest,
// ties to even; texts are read as numbers.
int32_t ToInteger(const TValue& v);
double ToReal(const TValue& v);
// Empty is false, a number is true when not zero, a text must be a boolean
// word or a number.
bool ToBoolean(const TValue& v);

// Integers in decimal, reals in the shortest general form with up to 15
// significant digits, "True"/"False", "" for empty.
std::string TextForm(const TValue& v);
std::string FormatReal(double v);

// Number reading of texts (leading and trailing blanks ignored). Integers are
// decimal with an optional sign, or hexadecimal after "$", "0x" or "0X".
bool ParseIntegerText(std::string_view text, int32_t& out);
// A decimal number with "." (or ",") as separator and an optional exponent.
bool ParseRealText(std::string_view text, double& out);

// A real rounded to nearest (ties to even) as a 32-bit integer; OutOfRange
// when it does not fit, InvalidFloat for a NaN.
int32_t RoundToInteger(double v);

}  // namespace tessaro
