#include "core/extensions/plugin_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <strings.h>

namespace tessaro {

namespace {

constexpr int kSignificantDigits = 15;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Parses a run of digits of `base` that must fill `digits`, into at most
// `limit`; false when empty, malformed or above the limit.
bool ParseMagnitude(std::string_view digits, int base, uint64_t limit, uint64_t& value) {
  if (digits.empty()) return false;
  value = 0;
  for (char c : digits) {
    int d = base == 16 ? HexDigit(c) : (IsDigit(c) ? c - '0' : -1);
    if (d < 0) return false;
    value = value * base + d;
    if (value > limit) return false;
  }
  return true;
}

}  // namespace

std::string FormatArgumentReal(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";

  // d.dddddddddddddde±x: the 15 significant digits, correctly rounded.
  char scientific[40];
  auto end = std::to_chars(scientific, scientific + sizeof scientific, std::fabs(value),
                           std::chars_format::scientific, kSignificantDigits - 1).ptr;
  std::string_view text(scientific, end - scientific);
  size_t e = text.find('e');
  std::string digits = std::string(1, text[0]) + std::string(text.substr(2, e - 2));
  int exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = value < 0 ? "-" : "";
  if (exponent < -5 || exponent >= kSignificantDigits) {
    out += digits[0];
    if (digits.size() > 1) out += "." + digits.substr(1);
    out += "E" + std::to_string(exponent);
  } else if (exponent < 0) {
    out += "0." + std::string(-exponent - 1, '0') + digits;
  } else {
    size_t whole = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= whole) {
      out += digits + std::string(whole - digits.size(), '0');
    } else {
      out += digits.substr(0, whole) + "." + digits.substr(whole);
    }
  }
  return out;
}

std::optional<int32_t> ParseResultInteger(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  uint64_t magnitude = 0;
  if (!text.empty() && text.front() == '$') {
    if (!ParseMagnitude(text.substr(1), 16, 0xFFFFFFFFu, magnitude)) return std::nullopt;
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    if (!ParseMagnitude(text.substr(2), 16, 0xFFFFFFFFu, magnitude)) return std::nullopt;
  } else {
    uint64_t limit = negative ? 2147483648u : 2147483647u;
    if (!ParseMagnitude(text, 10, limit, magnitude)) return std::nullopt;
  }
  // Hexadecimal fills all 32 bits; the wrap into the signed range is meant.
  uint32_t bits = static_cast<uint32_t>(magnitude);
  if (negative) bits = 0u - bits;
  return static_cast<int32_t>(bits);
}

std::optional<double> ParseResultReal(std::string_view text) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // Only digits or a point may start the number: from_chars would also take
  // "inf", "nan" and a second sign.
  if (text.empty() || !(IsDigit(text.front()) || text.front() == '.')) return std::nullopt;
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::general);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return negative ? -value : value;
}

std::optional<bool> ParseResultBoolean(std::string_view text) {
  std::string word(TrimBlanks(text));
  if (strcasecmp(word.c_str(), "true") == 0) return true;
  if (strcasecmp(word.c_str(), "false") == 0) return false;
  if (auto number = ParseResultInteger(text)) return *number != 0;
  if (auto number = ParseResultReal(text)) return *number != 0;
  return std::nullopt;
}

}  // namespace tessaro
