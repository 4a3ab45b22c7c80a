#include "core/runtime/value_ops.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "core/language/text_rules.h"
#include "core/language/value_memory.h"
#include "core/language/fault.h"

namespace tessaro {

namespace {

struct OperatorName {
  std::string_view text;
  BinaryOp op;
};

// Spellings with the same meaning share an operation; "&" and "|" are the
// symbol forms of "and" and "or".
constexpr OperatorName kBinaryOperators[] = {
    {"+", BinaryOp::Add},        {"-", BinaryOp::Subtract},     {"*", BinaryOp::Multiply},
    {"/", BinaryOp::Divide},     {"div", BinaryOp::Div},        {"mod", BinaryOp::Mod},
    {"%", BinaryOp::Mod},        {"shl", BinaryOp::Shl},        {"<<", BinaryOp::Shl},
    {"shr", BinaryOp::Shr},      {">>", BinaryOp::Shr},         {"and", BinaryOp::And},
    {"&&", BinaryOp::And},       {"&", BinaryOp::And},          {"or", BinaryOp::Or},
    {"||", BinaryOp::Or},        {"|", BinaryOp::Or},           {"==", BinaryOp::Equal},
    {"!=", BinaryOp::NotEqual},  {"<>", BinaryOp::NotEqual},    {"<", BinaryOp::Less},
    {"<=", BinaryOp::LessEqual}, {"=<", BinaryOp::LessEqual},   {">", BinaryOp::Greater},
    {">=", BinaryOp::GreaterEqual}, {"=>", BinaryOp::GreaterEqual},
};

// "^=" keeps computing nothing: there is no exclusive-or operator to lend it a meaning.
constexpr OperatorName kCompoundAssignments[] = {
    {"+=", BinaryOp::Add}, {"-=", BinaryOp::Subtract}, {"*=", BinaryOp::Multiply},
    {"/=", BinaryOp::Divide}, {"%=", BinaryOp::Mod}, {"<<=", BinaryOp::Shl},
    {">>=", BinaryOp::Shr}, {"&=", BinaryOp::And}, {"|=", BinaryOp::Or},
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A real result must be a number: NaN is an invalid operation, an infinity
// produced from finite operands does not fit.
double CheckReal(double r) {
  if (std::isnan(r)) Fault(FaultKind::InvalidFloat);
  if (std::isinf(r)) Fault(FaultKind::OutOfRange);
  return r;
}

TValue IntegerOrReal(int64_t r) {
  if (r < std::numeric_limits<int32_t>::min() || r > std::numeric_limits<int32_t>::max()) {
    return TValue::Real(static_cast<double>(r));
  }
  return TValue::Integer(static_cast<int32_t>(r));
}

TValue IntegerArithmetic(BinaryOp op, int32_t a, int32_t b) {
  switch (op) {
    case BinaryOp::Add: return IntegerOrReal(int64_t{a} + b);
    case BinaryOp::Subtract: return IntegerOrReal(int64_t{a} - b);
    case BinaryOp::Multiply: return IntegerOrReal(int64_t{a} * b);
    case BinaryOp::Div:
      if (b == 0) Fault(FaultKind::IntegerDivisionByZero);
      if (a == std::numeric_limits<int32_t>::min() && b == -1) Fault(FaultKind::IntegerOverflow);
      return TValue::Integer(a / b);
    case BinaryOp::Mod:
      if (b == 0) Fault(FaultKind::IntegerDivisionByZero);
      if (b == -1) return TValue::Integer(0);
      return TValue::Integer(a % b);
    case BinaryOp::Shl:
      return TValue::Integer(static_cast<int32_t>(static_cast<uint32_t>(a) << (b & 31)));
    case BinaryOp::Shr:
      return TValue::Integer(static_cast<int32_t>(static_cast<uint32_t>(a) >> (b & 31)));
    case BinaryOp::And: return TValue::Integer(a & b);
    case BinaryOp::Or: return TValue::Integer(a | b);
    default: return TValue();
  }
}

TValue RealDivision(double a, double b) {
  if (b == 0) Fault(a == 0 || std::isnan(a) ? FaultKind::InvalidFloat : FaultKind::RealDivisionByZero);
  return TValue::Real(CheckReal(a / b));
}

TValue RealArithmetic(BinaryOp op, double a, double b) {
  switch (op) {
    case BinaryOp::Add: return TValue::Real(CheckReal(a + b));
    case BinaryOp::Subtract: return TValue::Real(CheckReal(a - b));
    case BinaryOp::Multiply: return TValue::Real(CheckReal(a * b));
    case BinaryOp::Divide: return RealDivision(a, b);
    default: return TValue();
  }
}

// a + b of texts, built in place: the operands are not copied first, and
// the budget is asked before the result is made.
TValue Concatenation(const TValue& a, const TValue& b) {
  const bool a_text = a.Kind() == ValueKind::String;
  const bool b_text = b.Kind() == ValueKind::String;
  const std::string a_form = a_text ? std::string() : TextForm(a);
  const std::string b_form = b_text ? std::string() : TextForm(b);
  const std::string& left = a_text ? a.AsString() : a_form;
  const std::string& right = b_text ? b.AsString() : b_form;
  CheckTextGrowth(left.size() + right.size());
  std::string joined;
  joined.reserve(left.size() + right.size());
  joined += left;
  joined += right;
  return TValue::String(std::move(joined));
}

bool IsIntegerOperation(BinaryOp op) {
  return op == BinaryOp::Div || op == BinaryOp::Mod || op == BinaryOp::Shl || op == BinaryOp::Shr;
}

TValue Arithmetic(BinaryOp op, Family family, const TValue& a, const TValue& b) {
  const bool logic = op == BinaryOp::And || op == BinaryOp::Or;
  switch (family) {
    case Family::Integer:
      if (op == BinaryOp::Divide) return RealDivision(ToReal(a), ToReal(b));
      return IntegerArithmetic(op, ToInteger(a), ToInteger(b));
    case Family::Text:
      if (op == BinaryOp::Add) return Concatenation(a, b);
      [[fallthrough]];
    case Family::Real:
      if (IsIntegerOperation(op) || logic) return IntegerArithmetic(op, ToInteger(a), ToInteger(b));
      return RealArithmetic(op, ToReal(a), ToReal(b));
    case Family::Boolean:
      if (logic) {
        const bool x = ToBoolean(a), y = ToBoolean(b);
        return TValue::Boolean(op == BinaryOp::And ? (x && y) : (x || y));
      }
      if (IsIntegerOperation(op)) return IntegerArithmetic(op, ToInteger(a), ToInteger(b));
      return RealArithmetic(op, ToReal(a), ToReal(b));
    case Family::Empty:
      if (op == BinaryOp::Divide) Fault(FaultKind::RealDivisionByZero);
      if (op == BinaryOp::Div || op == BinaryOp::Mod) Fault(FaultKind::IntegerDivisionByZero);
      return TValue();
  }
  return TValue();
}

// -1, 0 or 1.
template <typename T>
int Order(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

int CompareInFamily(Family family, const TValue& a, const TValue& b) {
  switch (family) {
    case Family::Integer: return Order(ToInteger(a), ToInteger(b));
    case Family::Real: return Order(ToReal(a), ToReal(b));
    case Family::Text: {
      const int c = TextForm(a).compare(TextForm(b));  // std::string compares bytes unsigned
      return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    case Family::Boolean: return Order(ToBoolean(a), ToBoolean(b));
    case Family::Empty: return 0;
  }
  return 0;
}

TValue Comparison(BinaryOp op, Family family, const TValue& a, const TValue& b) {
  const int c = CompareInFamily(family, a, b);
  switch (op) {
    case BinaryOp::Equal: return TValue::Boolean(c == 0);
    case BinaryOp::NotEqual: return TValue::Boolean(c != 0);
    case BinaryOp::Less: return TValue::Boolean(c < 0);
    case BinaryOp::LessEqual: return TValue::Boolean(c <= 0);
    case BinaryOp::Greater: return TValue::Boolean(c > 0);
    case BinaryOp::GreaterEqual: return TValue::Boolean(c >= 0);
    default: return TValue();
  }
}

// Reads a text as a number: an integer when it is one, else a real.
bool ParseNumberText(std::string_view text, TValue& out) {
  int32_t i = 0;
  if (ParseIntegerText(text, i)) {
    out = TValue::Integer(i);
    return true;
  }
  double r = 0;
  if (ParseRealText(text, r)) {
    out = TValue::Real(r);
    return true;
  }
  return false;
}

}  // namespace

Family FamilyOf(ValueKind a, ValueKind b) {
  using K = ValueKind;
  if (a == K::Real || b == K::Real) return Family::Real;
  if (a == K::Integer || b == K::Integer) {
    return (a == K::String || b == K::String) ? Family::Real : Family::Integer;
  }
  if (a == K::Boolean || b == K::Boolean) return Family::Boolean;
  if (a == K::String || b == K::String) return Family::Text;
  return Family::Empty;
}

BinaryOp BinaryOpFromText(std::string_view op) {
  for (const OperatorName& o : kBinaryOperators) {
    if (o.text == op) return o.op;
  }
  return BinaryOp::None;
}

BinaryOp CompoundAssignmentOp(std::string_view op) {
  for (const OperatorName& o : kCompoundAssignments) {
    if (o.text == op) return o.op;
  }
  return BinaryOp::None;
}

bool IsComparison(BinaryOp op) { return op >= BinaryOp::Equal; }

TValue ApplyBinary(BinaryOp op, const TValue& a, const TValue& b) {
  if (op == BinaryOp::None) return TValue();
  const Family family = FamilyOf(a.Kind(), b.Kind());
  if (IsComparison(op)) return Comparison(op, family, a, b);
  return Arithmetic(op, family, a, b);
}

TValue Negate(const TValue& v) {
  if (v.Kind() == ValueKind::Boolean) return TValue::Boolean(!v.AsBoolean());
  if (v.Kind() == ValueKind::String) {
    const std::string_view t = Trim(v.AsString());
    if (EqualsIgnoringCase(t, "true") || EqualsIgnoringCase(t, "false")) {
      return TValue::Boolean(!ToBoolean(v));
    }
  }
  return TValue::Integer(~ToInteger(v));
}

int32_t RoundToInteger(double v) {
  if (std::isnan(v)) Fault(FaultKind::InvalidFloat);
  const double r = std::nearbyint(v);  // the default rounding mode: nearest, ties to even
  if (r < -2147483648.0 || r > 2147483647.0) Fault(FaultKind::OutOfRange);
  return static_cast<int32_t>(r);
}

int32_t ToInteger(const TValue& v) {
  switch (v.Kind()) {
    case ValueKind::Empty: return 0;
    case ValueKind::Integer: return v.AsInteger();
    case ValueKind::Real: return RoundToInteger(v.AsReal());
    case ValueKind::Boolean: return v.AsBoolean() ? -1 : 0;
    case ValueKind::String: {
      TValue n;
      if (!ParseNumberText(v.AsString(), n)) Fault(FaultKind::TypeMismatch);
      return ToInteger(n);
    }
  }
  return 0;
}

double ToReal(const TValue& v) {
  switch (v.Kind()) {
    case ValueKind::Empty: return 0;
    case ValueKind::Integer: return v.AsInteger();
    case ValueKind::Real: return v.AsReal();
    case ValueKind::Boolean: return v.AsBoolean() ? -1 : 0;
    case ValueKind::String: {
      TValue n;
      if (!ParseNumberText(v.AsString(), n)) Fault(FaultKind::TypeMismatch);
      return ToReal(n);
    }
  }
  return 0;
}

bool ToBoolean(const TValue& v) {
  switch (v.Kind()) {
    case ValueKind::Empty: return false;
    case ValueKind::Integer: return v.AsInteger() != 0;
    case ValueKind::Real: return v.AsReal() != 0;
    case ValueKind::Boolean: return v.AsBoolean();
    case ValueKind::String: {
      const std::string_view t = Trim(v.AsString());
      if (EqualsIgnoringCase(t, "true")) return true;
      if (EqualsIgnoringCase(t, "false")) return false;
      TValue n;
      if (!ParseNumberText(t, n)) Fault(FaultKind::TypeMismatch);
      return ToBoolean(n);
    }
  }
  return false;
}

std::string FormatReal(double v) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v > 0 ? "INF" : "-INF";
  if (v == 0) return "0";
  // 15 significant digits: d.dddddddddddddde[+-]x
  char buf[40];
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
  std::string sci(buf, res.ptr);
  const size_t e = sci.find('e');
  const int exponent = std::stoi(sci.substr(e + 1));
  std::string mantissa = sci.substr(0, e);
  const bool negative = mantissa[0] == '-';
  if (negative) mantissa.erase(0, 1);
  std::string digits = mantissa.substr(0, 1) + mantissa.substr(2);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string out = negative ? "-" : "";
  if (exponent >= -5 && exponent < 15) {
    if (exponent < 0) {
      out += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    } else if (digits.size() <= static_cast<size_t>(exponent) + 1) {
      out += digits + std::string(static_cast<size_t>(exponent) + 1 - digits.size(), '0');
    } else {
      out += digits.substr(0, static_cast<size_t>(exponent) + 1) + "." +
             digits.substr(static_cast<size_t>(exponent) + 1);
    }
    return out;
  }
  out += digits.substr(0, 1);
  if (digits.size() > 1) out += "." + digits.substr(1);
  return out + "E" + std::to_string(exponent);
}

std::string TextForm(const TValue& v) {
  switch (v.Kind()) {
    case ValueKind::Empty: return "";
    case ValueKind::Integer: return std::to_string(v.AsInteger());
    case ValueKind::Real: return FormatReal(v.AsReal());
    case ValueKind::Boolean: return v.AsBoolean() ? "True" : "False";
    case ValueKind::String: return v.AsString();
  }
  return "";
}

bool ParseIntegerText(std::string_view text, int32_t& out) {
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text[0] == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return false;
  int64_t value = 0;
  for (char c : text) {
    int digit;
    if (IsDigit(c)) digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return false;
    value = value * base + digit;
    if (value > int64_t{1} << 32) return false;
  }
  if (negative) value = -value;
  // Hexadecimal texts name the 32 bits directly, so $FFFFFFFF is -1.
  if (base == 16 && !negative && value <= 0xFFFFFFFF) value = static_cast<int32_t>(static_cast<uint32_t>(value));
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) return false;
  out = static_cast<int32_t>(value);
  return true;
}

bool ParseRealText(std::string_view text, double& out) {
  text = Trim(text);
  std::string s(text);
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && (s[i] == '.' || s[i] == ',')) {
    s[i] = '.';
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t exp_digits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++exp_digits;
    if (exp_digits == 0) return false;
  }
  if (i != s.size()) return false;
  const char* begin = s.data() + (s[0] == '+' ? 1 : 0);
  double v = 0;
  auto res = std::from_chars(begin, s.data() + s.size(), v);
  if (res.ec != std::errc() || res.ptr != s.data() + s.size() || std::isinf(v)) return false;
  out = v;
  return true;
}

}  // namespace tessaro
