#include <gtest/gtest.h>

#include "core/language/text_rules.h"
#include "core/language/tokens.h"

namespace tessaro {
namespace {

struct TokenCase {
  const char* token;
  TValue value;  // Empty: not a literal, so a name
};

TEST(Tokens, Literals) {
  const TokenCase cases[] = {
      // Strings lose their first and last character, whatever the last is.
      {"'abc'", TValue::String("abc")},
      {"\"abc\"", TValue::String("abc")},
      {"'abc", TValue::String("ab")},
      {"''", TValue::String("")},
      {"'", TValue::String("")},
      {"'12'", TValue::String("12")},
      // Integers, decimal and hexadecimal.
      {"0", TValue::Integer(0)},
      {"007", TValue::Integer(7)},
      {"+5", TValue::Integer(5)},
      {"-7", TValue::Integer(-7)},
      {"2147483647", TValue::Integer(2147483647)},
      {"-2147483648", TValue::Integer(INT32_MIN)},
      {"$1F", TValue::Integer(31)},
      {"0x1F", TValue::Integer(31)},
      {"0X1f", TValue::Integer(31)},
      {"$FFFFFFFF", TValue::Integer(-1)},
      {"x1F", TValue()},
      {"X1F", TValue()},
      {"$", TValue()},
      {"0x", TValue()},
      {"$100000000", TValue()},
      {"0x1G", TValue()},
      // Reals, "." as separator; 32-bit overflow lands here.
      {"1e3", TValue::Real(1000)},
      {"1E+3", TValue::Real(1000)},
      {"1e-2", TValue::Real(0.01)},
      {".5", TValue::Real(0.5)},
      {"1.5", TValue::Real(1.5)},
      {"5.", TValue::Real(5)},
      {"-2.25", TValue::Real(-2.25)},
      {"3000000000", TValue::Real(3e9)},
      {"2147483648", TValue::Real(2147483648.0)},
      {"-2147483649", TValue::Real(-2147483649.0)},
      {"1e", TValue()},
      {"e5", TValue()},
      {"1,5", TValue()},
      {"1e999", TValue()},
      {"12abc", TValue()},
      {"-.5", TValue()},
      // Booleans in any case.
      {"True", TValue::Boolean(true)},
      {"TRUE", TValue::Boolean(true)},
      {"false", TValue::Boolean(false)},
      {"Truth", TValue()},
      // Names.
      {"abc", TValue()},
      {"", TValue()},
  };
  for (const TokenCase& c : cases) EXPECT_EQ(ClassifyToken(c.token), c.value) << "token: " << c.token;
}

TEST(Tokens, VariableNames) {
  struct NameCase {
    const char* name;
    bool valid;
  };
  const NameCase cases[] = {
      {"", true},        {"a", true},      {"_x1", true},    {"A_Z09", true},
      {"t[1]", true},    {"x[", true},     {"t[i+1]", true}, {"2x", false},
      {"a b", false},    {"a-b", false},   {"\xB9", false},  {"x.y", false},
  };
  for (const NameCase& c : cases) EXPECT_EQ(IsValidVariableName(c.name), c.valid) << "name: " << c.name;
}

TEST(TextRules, SpacesGoOnlyOutsideApostrophes) {
  EXPECT_EQ(RemoveSpacesOutsideQuotes(" a , 'b c' , d "), "a,'b c',d");
  EXPECT_EQ(RemoveSpacesOutsideQuotes("'a b"), "'a b");
  EXPECT_EQ(RemoveSpacesOutsideQuotes("'a' b 'c d'"), "'a'b'c d'");
  EXPECT_TRUE(EqualsIgnoringCase("Sqrt", "SQRT"));
  EXPECT_FALSE(EqualsIgnoringCase("Sqr", "Sqrt"));
}

}  // namespace
}  // namespace tessaro
