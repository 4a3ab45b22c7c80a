// What the conversion panel shows, as plain data: the rows of a repeated
// division, the terms of a positional expansion and the grouped binary strips,
// plus the checks of the panel's input. The drawing (conversion_paint.h)
// only places these on a canvas.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

constexpr int32_t kMinConversionBase = 2;
constexpr int32_t kMaxConversionBase = 32;

inline bool IsConversionBase(int32_t base) {
  return base >= kMinConversionBase && base <= kMaxConversionBase;
}

// "BinToHex" and the other fifteen names when both bases are 2, 8, 10 or 16;
// "Inny" for every other pair.
std::string KindName(int32_t source_base, int32_t target_base);

enum class TConversionLayout : uint8_t {
  Division,             // decimal to another base
  Expansion,            // another base (or decimal itself) to decimal
  Grouping,             // between two powers of two, through the binary digits
  ExpansionAndDivision  // any other pair: to decimal, then into the target base
};

TConversionLayout ChooseLayout(int32_t source_base, int32_t target_base);

// The panel's own input read in a base: letters in either case, every
// character that is not a digit of the base marked, and values past the
// 32-bit range refused.
struct TDigitCheck {
  std::string Digits;          // the text with lower-case letters made upper-case
  std::vector<bool> Invalid;   // per character of Digits
  bool TooLarge = false;       // all digits valid, but above 2147483647
  int32_t Value = 0;           // when Valid()
  bool Valid() const;
};
TDigitCheck CheckDigits(std::string_view text, int32_t base);

// Repeated division of Value by Base: one row per division that leaves a
// quotient, the final 0 row not included.
struct TDivisionRow {
  int32_t Dividend = 0;
  int32_t Remainder = 0;
};
struct TDivision {
  int32_t Value = 0;
  int32_t Base = 2;
  std::vector<TDivisionRow> Rows;
  std::string Result;  // the remainders read upwards; "0" for the value 0
};
TDivision DivisionOf(int32_t value, int32_t base);

// A remainder as the panel writes it: the digit, and for values above 9 the
// value in brackets ("F(15)").
std::string RemainderText(int32_t remainder);

// Digits × powers of the base, least significant term first.
struct TExpansionTerm {
  int32_t Exponent = 0;
  char Digit = '0';
};
struct TExpansion {
  std::string Digits;
  int32_t Base = 2;
  std::vector<TExpansionTerm> Terms;
  int32_t Value = 0;
};
TExpansion ExpansionOf(std::string_view digits, int32_t base);

// Binary digits left-padded to whole groups, with the value of each group.
struct TDigitStrip {
  std::string Digits;     // padded
  int32_t Group = 1;      // digits per group
  int32_t Padding = 0;    // zeros added on the left
  std::vector<int32_t> GroupValues;
};
// Binary digits per digit of a base that is a power of two: 2 -> 1, 16 -> 4.
int32_t GroupSize(int32_t base);
TDigitStrip StripOf(std::string_view binary, int32_t group);

struct TGrouping {
  std::string Source;  // as given
  std::string Target;  // in the target base
  int32_t SourceBase = 2;
  int32_t TargetBase = 2;
  std::string Binary;
  TDigitStrip SourceStrip;
  TDigitStrip TargetStrip;
};
TGrouping GroupingOf(std::string_view digits, int32_t source_base, int32_t target_base);

}  // namespace tessaro
