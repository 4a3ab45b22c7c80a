#include "core/conversion/base_conversion.h"

#include <gtest/gtest.h>

#include <climits>

namespace tessaro {
namespace {

struct ToDecimalCase {
  const char* text;
  int32_t base;
  int32_t expected;
};

TEST(ToDecimal, ReadsDigitsWithoutValidation) {
  const ToDecimalCase cases[] = {
      {"FF", 16, 255},
      {"ff", 16, 255},  // a lower-case letter is its upper-case digit
      {"z", 36, 35},
      {"19", 8, 17},    // the digit 9 is accepted in base 8
      {"1010", 2, 10},
      {"V", 32, 31},
      {"", 10, 0},
      {"-1", 10, -29},  // "-" is code 45, a digit of -3
      {"007", 10, 7},
      // 32-bit wrap-around of the sum and of the weight.
      {"2147483647", 10, INT_MAX},
      {"2147483648", 10, INT_MIN},
      {"4294967296", 10, 0},
      {"FFFFFFFF", 16, -1},
      {"100000000", 16, 0},
      {"10", 0, 0},   // base 0: every weight past the first is 0
      {"11", -2, -1},
  };
  for (const ToDecimalCase& c : cases) {
    EXPECT_EQ(ToDecimal(c.text, c.base), c.expected) << c.text << " in base " << c.base;
  }
}

TEST(ToDecimal, BytesAboveAsciiCountAsUnsignedCodes) {
  // 0xB3 is a Polish letter in Windows-1250: 179 - 55.
  EXPECT_EQ(ToDecimal("\xB3", 10), 124);
}

struct FromDecimalCase {
  int32_t value;
  int32_t base;
  int32_t minimum_digits;
  const char* expected;
};

TEST(FromDecimal, WritesDigitsAndPads) {
  const FromDecimalCase cases[] = {
      {0, 2, 0, "0"},
      {0, 2, 8, "00000000"},
      {5, 2, 8, "00000101"},
      {5, 2, 2, "101"},  // the minimum never shortens
      {255, 16, 0, "FF"},
      {31, 32, 0, "V"},
      {35, 36, 0, "Z"},
      {INT_MAX, 16, 0, "7FFFFFFF"},
      {INT_MAX, 2, 0, "1111111111111111111111111111111"},
      {-5, 10, 0, ""},
      {-5, 10, 3, "000"},
      {INT_MIN, 10, 0, ""},
      {0, 10, -4, "0"},
      {5, -2, 0, "1"},  // 5 / -2 is negative, so one digit only
  };
  for (const FromDecimalCase& c : cases) {
    EXPECT_EQ(FromDecimal(c.value, c.base, c.minimum_digits), c.expected)
        << c.value << " in base " << c.base;
  }
}

TEST(FromDecimal, BasesThatCannotEndGiveNoDigits) {
  // Base 0 would divide by zero and base 1 would never finish.
  EXPECT_EQ(FromDecimal(7, 0), "");
  EXPECT_EQ(FromDecimal(7, 1), "");
  EXPECT_EQ(FromDecimal(7, 1, 2), "00");
}

// The two rules that changed (lower-case letters, zero) beside the rules that
// stayed, as FromDecimal(ToDecimal(text, from), to, minimum); with no minimum
// this is ConvertBase too. `was` is what the functions gave before.
struct RuleCase {
  const char* text;
  int32_t from;
  int32_t to;
  int32_t minimum;
  const char* was;
  const char* now;
};

TEST(BaseConversion, LowerCaseLettersAreDigitsAndZeroIsWritten) {
  const RuleCase cases[] = {
      // Changed: a lower-case letter counts as its upper-case digit.
      {"ff", 16, 10, 0, "799", "255"},
      {"fF", 16, 2, 0, "1011111111", "11111111"},
      {"1a", 16, 16, 0, "3A", "1A"},
      {"v", 32, 10, 0, "63", "31"},
      {"g", 16, 10, 0, "48", "16"},  // not a digit of base 16: read as "G"
      // Changed: zero is "0", and a minimum pads it as before.
      {"0", 10, 2, 0, "", "0"},
      {"0", 10, 2, 8, "00000000", "00000000"},
      {"000", 2, 16, 0, "", "0"},
      {"", 10, 2, 0, "", "0"},  // no digits is the value 0
      {"0", 10, 1, 0, "", "0"},
      // Kept: upper-case digits, digits not smaller than the base, other
      // characters, negative values and the 32-bit wrap-around.
      {"FF", 16, 10, 0, "255", "255"},
      {"19", 8, 10, 0, "17", "17"},
      {"-1", 10, 10, 0, "", ""},  // "-" is a digit of -3, so the value is -29
      {"-1", 10, 10, 3, "000", "000"},
      {"FFFFFFFF", 16, 10, 0, "", ""},
      {"4294967296", 10, 2, 0, "", "0"},  // wraps to zero, which is now written
      {"\xB3", 10, 10, 0, "124", "124"},  // a Polish letter is no ASCII letter
      {"5", 10, 2, 8, "00000101", "00000101"},
  };
  for (const RuleCase& c : cases) {
    const std::string now = FromDecimal(ToDecimal(c.text, c.from), c.to, c.minimum);
    EXPECT_EQ(now, c.now) << c.text << " from " << c.from << " to " << c.to << " (was " << c.was << ")";
    if (c.minimum == 0) {
      EXPECT_EQ(ConvertBase(c.text, c.from, c.to), c.now) << c.text;
    }
  }
}

struct ConvertCase {
  const char* text;
  int32_t from;
  int32_t to;
  const char* expected;
};

TEST(ConvertBase, ComposesBothDirections) {
  const ConvertCase cases[] = {
      {"255", 10, 16, "FF"},
      {"1010", 2, 16, "A"},
      {"3A", 16, 2, "111010"},
      {"67", 8, 10, "55"},
      {"91", 10, 8, "133"},
      {"0", 10, 2, "0"},
      {"FFFFFFFF", 16, 10, ""},  // wraps to -1, which has no digits
      {"4294967297", 10, 10, "1"},
      {"12", 10, 1, ""},
  };
  for (const ConvertCase& c : cases) {
    EXPECT_EQ(ConvertBase(c.text, c.from, c.to), c.expected)
        << c.text << " from " << c.from << " to " << c.to;
  }
}

}  // namespace
}  // namespace tessaro
