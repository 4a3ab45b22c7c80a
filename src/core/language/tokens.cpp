#include "core/language/tokens.h"

#include <charconv>
#include <cstdint>
#include <string>

#include "core/language/text_rules.h"

namespace tessaro {

namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Up to 32 bits of hexadecimal digits, taken as the bit pattern of the
// integer, so "$FFFFFFFF" is -1.
bool ParseHex(std::string_view digits, int32_t& out) {
  if (digits.empty()) return false;
  uint64_t value = 0;
  for (char c : digits) {
    const int d = HexDigitValue(c);
    if (d < 0) return false;
    value = value * 16 + static_cast<uint64_t>(d);
    if (value > 0xFFFFFFFFull) return false;
  }
  out = static_cast<int32_t>(static_cast<uint32_t>(value));
  return true;
}

bool ParseDecimal(std::string_view text, int32_t& out) {
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return false;
  int64_t value = 0;
  for (char c : text) {
    if (!IsDecimalDigit(c)) return false;
    value = value * 10 + (c - '0');
    if (value > int64_t{INT32_MAX} + 1) return false;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return false;
  out = static_cast<int32_t>(value);
  return true;
}

bool ParseInteger(std::string_view text, int32_t& out) {
  if (!text.empty() && text[0] == '$') return ParseHex(text.substr(1), out);
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    return ParseHex(text.substr(2), out);
  }
  return ParseDecimal(text, out);
}

// Optional sign, digits, optional "." with digits, optional exponent.
bool HasRealShape(std::string_view t) {
  size_t i = 0;
  auto digits = [&] {
    const size_t start = i;
    while (i < t.size() && IsDecimalDigit(t[i])) ++i;
    return i > start;
  };
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  if (!digits()) return false;
  if (i < t.size() && t[i] == '.') {
    ++i;
    digits();
  }
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    if (!digits()) return false;
  }
  return i == t.size();
}

// A real outside the range of a double is no literal.
bool ParseReal(std::string_view token, double& out) {
  std::string text(token);
  if (!text.empty() && text[0] == '.') text.insert(0, 1, '0');
  if (!HasRealShape(text)) return false;
  const char* first = text.data();
  if (*first == '+') ++first;
  const char* last = text.data() + text.size();
  auto [end, error] = std::from_chars(first, last, out);
  return error == std::errc() && end == last;
}

}  // namespace

TValue ClassifyToken(std::string_view token) {
  if (!token.empty() && (token[0] == '"' || token[0] == kQuote)) {
    // Without its first and its last character, whatever the last one is.
    return TValue::String(token.size() >= 2 ? std::string(token.substr(1, token.size() - 2)) : "");
  }
  int32_t integer = 0;
  const bool x_prefixed = !token.empty() && (token[0] == 'x' || token[0] == 'X');
  if (!x_prefixed && ParseInteger(token, integer)) return TValue::Integer(integer);
  double real = 0;
  if (ParseReal(token, real)) return TValue::Real(real);
  if (EqualsIgnoringCase(token, "TRUE")) return TValue::Boolean(true);
  if (EqualsIgnoringCase(token, "FALSE")) return TValue::Boolean(false);
  return TValue();
}

bool IsValidVariableName(std::string_view name) {
  if (!name.empty() && IsDecimalDigit(name[0])) return false;
  for (char c : name) {
    if (c == '[') return true;
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (!letter && !IsDecimalDigit(c) && c != '_') return false;
  }
  return true;
}

}  // namespace tessaro
