#include "core/conversion/conversion_figure.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>

#include "core/conversion/base_conversion.h"

namespace tessaro {

namespace {

struct NamedBase {
  int32_t base;
  const char* prefix;
};
constexpr std::array<NamedBase, 4> kNamedBases = {{{2, "Bin"}, {8, "Oct"}, {10, "Dec"}, {16, "Hex"}}};

const char* BaseName(int32_t base) {
  for (const NamedBase& b : kNamedBases) {
    if (b.base == base) return b.prefix;
  }
  return nullptr;
}

bool IsPowerOfTwo(int32_t base) { return base >= 2 && (base & (base - 1)) == 0; }

}  // namespace

std::string KindName(int32_t source_base, int32_t target_base) {
  const char* from = BaseName(source_base);
  const char* to = BaseName(target_base);
  if (!from || !to) return "Inny";
  return std::string(from) + "To" + to;
}

TConversionLayout ChooseLayout(int32_t source_base, int32_t target_base) {
  if (source_base == 10 && target_base != 10) return TConversionLayout::Division;
  if (target_base == 10) return TConversionLayout::Expansion;
  // Groups of binary digits are digits of both numbers only between powers of two.
  if (IsPowerOfTwo(source_base) && IsPowerOfTwo(target_base)) return TConversionLayout::Grouping;
  return TConversionLayout::ExpansionAndDivision;
}

bool TDigitCheck::Valid() const {
  return !TooLarge && std::find(Invalid.begin(), Invalid.end(), true) == Invalid.end();
}

TDigitCheck CheckDigits(std::string_view text, int32_t base) {
  TDigitCheck check;
  check.Digits.assign(text);
  check.Invalid.assign(text.size(), false);
  int64_t value = 0;
  for (size_t i = 0; i < check.Digits.size(); ++i) {
    char& c = check.Digits[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    int32_t digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'A' && c <= 'Z') digit = c - 'A' + 10;
    if (digit < 0 || digit >= base) {
      check.Invalid[i] = true;
      continue;
    }
    if (!check.TooLarge) {
      value = value * base + digit;
      check.TooLarge = value > INT32_MAX;
    }
  }
  if (check.Valid()) check.Value = static_cast<int32_t>(value);
  return check;
}

TDivision DivisionOf(int32_t value, int32_t base) {
  TDivision d;
  d.Value = value;
  d.Base = base;
  // A base below 2 would never end; the figure then has no rows.
  if (base >= 2) {
    for (int32_t n = value; n > 0; n /= base) d.Rows.push_back({n, n % base});
  }
  // At least one digit: the panel shows zero as "0".
  d.Result = FromDecimal(value, base, 1);
  return d;
}

std::string RemainderText(int32_t remainder) {
  std::string text(1, static_cast<char>(remainder < 10 ? '0' + remainder : 'A' + remainder - 10));
  if (remainder > 9) text += "(" + std::to_string(remainder) + ")";
  return text;
}

TExpansion ExpansionOf(std::string_view digits, int32_t base) {
  TExpansion e;
  e.Digits.assign(digits);
  e.Base = base;
  int32_t exponent = 0;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) e.Terms.push_back({exponent++, *it});
  e.Value = ToDecimal(digits, base);
  return e;
}

int32_t GroupSize(int32_t base) {
  return std::max(1, static_cast<int32_t>(std::lround(std::log2(std::max(2, base)))));
}

TDigitStrip StripOf(std::string_view binary, int32_t group) {
  TDigitStrip s;
  s.Group = std::max(1, group);
  const int32_t length = static_cast<int32_t>(binary.size());
  s.Padding = (s.Group - length % s.Group) % s.Group;
  s.Digits = std::string(static_cast<size_t>(s.Padding), '0') + std::string(binary);
  for (size_t i = 0; i < s.Digits.size(); i += static_cast<size_t>(s.Group)) {
    s.GroupValues.push_back(ToDecimal(s.Digits.substr(i, static_cast<size_t>(s.Group)), 2));
  }
  return s;
}

TGrouping GroupingOf(std::string_view digits, int32_t source_base, int32_t target_base) {
  TGrouping g;
  g.Source.assign(digits);
  g.SourceBase = source_base;
  g.TargetBase = target_base;
  // At least one digit: the panel shows zero as "0".
  const int32_t value = ToDecimal(digits, source_base);
  g.Target = FromDecimal(value, target_base, 1);
  g.Binary = FromDecimal(value, 2, 1);
  g.SourceStrip = StripOf(g.Binary, GroupSize(source_base));
  g.TargetStrip = StripOf(g.Binary, GroupSize(target_base));
  return g;
}

}  // namespace tessaro
