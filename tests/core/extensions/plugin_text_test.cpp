#include "core/extensions/plugin_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace tessaro {
namespace {

TEST(PluginText, RealArgumentsUseGeneralFormatWithFifteenDigits) {
  struct Case {
    double value;
    const char* text;
  } cases[] = {
      {2.5, "2.5"},
      {-0.5, "-0.5"},
      {100.0, "100"},
      {0.0, "0"},
      {1.0 / 3.0, "0.333333333333333"},
      {2.0 / 3.0, "0.666666666666667"},
      {0.1 + 0.2, "0.3"},  // rounded to 15 digits, not 0.30000000000000004
      {0.00001, "0.00001"},
      {0.000015, "0.000015"},
      {0.0000099, "9.9E-6"},
      {1.5e-7, "1.5E-7"},
      {123456789012345.0, "123456789012345"},
      {999999999999999.0, "999999999999999"},
      {1e15, "1E15"},
      {1e20, "1E20"},
      {-2.25e15, "-2.25E15"},
      {1234567890123456789.0, "1.23456789012346E18"},
      {0.99999999999999999, "1"},
      {std::numeric_limits<double>::infinity(), "INF"},
      {-std::numeric_limits<double>::infinity(), "-INF"},
      {std::nan(""), "NAN"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatArgumentReal(c.value), c.text) << c.value;
}

TEST(PluginText, IntegerResults) {
  struct Case {
    const char* text;
    std::optional<int32_t> value;
  } cases[] = {
      {"12", 12},
      {"-12", -12},
      {"+7", 7},
      {"  42", 42},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"$FF", 255},
      {"0x10", 16},
      {"0XfF", 255},
      {"-$10", -16},
      {"$FFFFFFFF", -1},
      {"$80000000", INT32_MIN},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"$100000000", std::nullopt},
      {"99999999999999999999999", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"$", std::nullopt},
      {"0x", std::nullopt},
      {"12 ", std::nullopt},
      {"1.0", std::nullopt},
      {"abc", std::nullopt},
      {"$G1", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseResultInteger(c.text), c.value) << c.text;
}

TEST(PluginText, RealResults) {
  struct Case {
    const char* text;
    std::optional<double> value;
  } cases[] = {
      {"12", 12.0},
      {"2.5", 2.5},
      {"-0.25", -0.25},
      {"+1", 1.0},
      {".5", 0.5},
      {"1.5E-7", 1.5e-7},
      {"1e20", 1e20},
      {" 3.0 ", 3.0},
      {"1,5", std::nullopt},
      {"", std::nullopt},
      {"abc", std::nullopt},
      {"inf", std::nullopt},
      {"NAN", std::nullopt},
      {"--1", std::nullopt},
      {"1e400", std::nullopt},
      {"0x10", std::nullopt},
      {"1.2.3", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseResultReal(c.text), c.value) << c.text;
}

TEST(PluginText, BooleanResults) {
  struct Case {
    const char* text;
    std::optional<bool> value;
  } cases[] = {
      {"True", true},   {"FALSE", false}, {"true", true},         {"fAlSe", false},
      {"-1", true},     {"0", false},     {"2.5", true},          {"0.0", false},
      {"$0", false},    {"yes", std::nullopt}, {"", std::nullopt}, {"T", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseResultBoolean(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace tessaro
