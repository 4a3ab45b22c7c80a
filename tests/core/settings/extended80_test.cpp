#include "core/settings/extended80.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

namespace tessaro {
namespace {

struct Pattern {
  const char* name;
  double value;
  Extended80 bytes;
};

// Mantissa bytes first (lowest first), then sign and exponent.
const Pattern kPatterns[] = {
    {"0", 0.0, {0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x00}},
    {"-0", -0.0, {0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x80}},
    {"1", 1.0, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
    {"-2.5", -2.5, {0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0xC0}},
    {"1e300", 1e300, {0x00, 0xE0, 0xAC, 0x03, 0x40, 0xE4, 0x21, 0xBF, 0xE3, 0x43}},
    {"smallest denormal", 4.9406564584124654e-324, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xCD, 0x3B}},
    {"denormal 2^-1030 * 1.5", 0x1.8p-1030, {0, 0, 0, 0, 0, 0, 0, 0xC0, 0xF9, 0x3B}},
    {"infinity", std::numeric_limits<double>::infinity(), {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}},
};

TEST(Extended80, KnownBytePatternsBothWays) {
  for (const Pattern& p : kPatterns) {
    EXPECT_EQ(DoubleToExtended(p.value), p.bytes) << p.name;
    double back = ExtendedToDouble(p.bytes);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(p.value)) << p.name;
  }
}

TEST(Extended80, EveryKindOfDoubleRoundTrips) {
  const double values[] = {0.1, -123456.789, 3.141592653589793, 1e-310, -2.2250738585072014e-308,
                           std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
                           std::numeric_limits<double>::denorm_min(), 9007199254740993.0};
  for (double v : values) EXPECT_EQ(ExtendedToDouble(DoubleToExtended(v)), v) << v;
  EXPECT_TRUE(std::isnan(ExtendedToDouble(DoubleToExtended(std::nan("")))));
}

TEST(Extended80, ValuesBeyondDoubleAreRounded) {
  struct Case {
    const char* name;
    Extended80 bytes;
    double expected;
  } cases[] = {
      // 1 + 2^-53 exactly: a tie, rounds to the even neighbour 1.
      {"tie to even", {0, 0x04, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}, 1.0},
      // 1 + 2^-53 + 2^-63: above the tie, rounds up.
      {"above tie", {0x01, 0x04, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}, 1.0 + 0x1p-52},
      // 2 - 2^-63: rounds up into the next binade.
      {"carry into exponent", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x3F}, 2.0},
      {"too large", {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x43}, std::numeric_limits<double>::infinity()},
      {"too large, negative", {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xC3}, -std::numeric_limits<double>::infinity()},
      {"too small", {0, 0, 0, 0, 0, 0, 0, 0x80, 0x01, 0x00}, 0.0},
      {"extended denormal", {0x01, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x00}, 0.0},
      {"half the smallest denormal is a tie to 0", {0, 0, 0, 0, 0, 0, 0, 0x80, 0xCC, 0x3B}, 0.0},
      {"just above half rounds up", {0x01, 0, 0, 0, 0, 0, 0, 0x80, 0xCC, 0x3B}, 4.9406564584124654e-324},
      {"unnormal 1 (lead bit clear)", {0, 0, 0, 0, 0, 0, 0, 0x40, 0x00, 0x40}, 1.0},
  };
  for (const Case& c : cases) EXPECT_EQ(ExtendedToDouble(c.bytes), c.expected) << c.name;
  EXPECT_TRUE(std::isnan(ExtendedToDouble({0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F})));
}

}  // namespace
}  // namespace tessaro
