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
      {"ff", 16, 799},  // lower case letters are code - 55, so "f" is 47
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
      {0, 2, 0, ""},
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
      {0, 10, -4, ""},
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
      {"0", 10, 2, ""},
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
