// Small programs run end to end: the statements, operators and built-ins as a
// pupil writes them.
#include <gtest/gtest.h>

#include "core/i18n/language.h"
#include "program_harness.h"

namespace tessaro::test {
namespace {

struct ProgramCase {
  const char* name;
  std::string text;  // the processing block
  std::vector<std::string> output;
};

class Programs : public testing::TestWithParam<ProgramCase> {};

TEST_P(Programs, WriteWhatTheyCompute) {
  const ProgramCase& p = GetParam();
  ProgramHarness h(OneBlock(p.text));
  ASSERT_TRUE(h.CompileAndRun()) << testing::PrintToString(h.Errors());
  EXPECT_EQ(h.output, p.output) << p.text;
  EXPECT_TRUE(h.c.Errors.empty()) << testing::PrintToString(h.Errors());
}

INSTANTIATE_TEST_SUITE_P(
    Values, Programs,
    testing::Values(
        ProgramCase{"division", "a := 7 / 2;b := 7 div 2;c := -7 div 2;d := -7 mod 2;write a, b, c, d", {"3.5000", "3", "-3", "-1"}},
        ProgramCase{"overflow", "a := 2147483647 + 1;write a + 0", {"2147483648"}},
        ProgramCase{"texts", "write '3' + 4;write 'ab' + 'cd'", {"7", "abcd"}},
        ProgramCase{"shifts", "a := 1 shl 4;b := 16 shr 2;write a, b, 1 << 3, 256 >> 4", {"16", "4", "8", "16"}},
        ProgramCase{"logic", "a := true and false;b := 6 and 3;c := not 0;write a, b, c, true + true", {"0", "2", "-1", "-2"}},
        ProgramCase{"empty", "x := y;write x;write y + 1", {"?", "1"}},
        ProgramCase{"rounding", "write Round(2.5);write Round(3.5);write Trunc(-2.7)", {"2", "4", "-2"}},
        ProgramCase{"strings", "a := Copy('abcdef', 2, 3);b := Pos('c', 'abc');c := Insert('X', 'abc', 2);d := Delete('abcdef', 2, 3);write a, b, c, d", {"bcd", "3", "aXbc", "aef"}},
        ProgramCase{"str", "write Val('12');write Str(12)", {"12", "12"}},
        ProgramCase{"power", "a := Power(2, 10);b := LogN(2, 8);write a, b", {"1024.0000", "3.0000"}},
        ProgramCase{"bases", "a := DecToSystem(16, '255');b := SystemToDec(16, 'FF');c := SystemToSystem(2, 16, '1010');write a, b, c", {"FF", "255", "A"}},
        ProgramCase{"nested call", "write Sqrt(Sqr(3))", {"3"}},
        ProgramCase{"address", "p := @x;p^ := 5;write x", {"5"}},
        ProgramCase{"increments", "x := 1;y := x++ + x;write y;write x", {"3", "2"}},
        ProgramCase{"post increment", "x := 1;y := x++;write y, x", {"1", "2"}},
        ProgramCase{"pre increment", "x := 1;y := ++x;write y, x", {"2", "2"}},
        ProgramCase{"lone increment", "i := 1;i++;i++;--i;write i", {"2"}},
        ProgramCase{"compound", "x := 10;x += 5;write x;x -= 3;write x;x *= 2;write x;x /= 4;write x", {"15", "12", "24", "6.0000"}},
        ProgramCase{"compound bits", "x := 12;x %= 5;write x;x <<= 3;write x;x >>= 1;write x;x &= 6;write x;x |= 1;write x", {"2", "16", "8", "0", "1"}},
        ProgramCase{"symbol logic", "write 6 & 3;write 4 | 1;x := 5;x ^= 3;write x", {"2", "5", "5"}},
        ProgramCase{"arrays", "t[3] := 7;write t;dim u[2,2];write u;set v := (1,'a b',TRUE);write v", {"(?,?,7)", "((?,?),(?,?))", "(1,a b,True)"}},
        ProgramCase{"write expression", "x := 4;write x + 1", {"5"}},
        ProgramCase{"element", "t[2] := 'q';write t[2]", {"q"}},
        ProgramCase{"two dimensions", "t[2,3] := 4;u := t[2,3] * 2;write u, t[1], t", {"8", "", "(?,(?,?,4))"}},
        ProgramCase{"comparison chain", "a := 1;write a < 2;write a == 1.0;write 'a' <> 'b'", {"True", "True", "True"}}),
    [](const testing::TestParamInfo<ProgramCase>& info) {
      std::string n = info.param.name;
      for (char& ch : n) if (ch == ' ') ch = '_';
      return n;
    });

}  // namespace
}  // namespace tessaro::test

namespace tessaro::test {
namespace {

TEST(ExecutionEvents, ConversionsAndAssignmentsAreAnnounced) {
  ProgramHarness h(OneBlock("x := DecToBin(5);t[2] := 1;p := @x;p^ := 7"));
  std::vector<std::string> conversions;
  h.c.OnConversion = [&](const Trozkaz& sender, int32_t from, int32_t to, const std::string& text) {
    conversions.push_back(sender.Text + " " + std::to_string(from) + ">" + std::to_string(to) + " " + text);
  };
  ASSERT_TRUE(h.Compile());
  h.c.PrepareRun();
  h.variable_changes.clear();
  h.c.Run();
  EXPECT_EQ(conversions, std::vector<std::string>{"x := DecToBin(5) 10>2 5"});
  // x, t, p by number; the assignment through "^" changes the whole list.
  EXPECT_EQ(h.variable_changes, (std::vector<int32_t>{0, 1, 2, -1}));
  EXPECT_EQ(h.Render("x"), "7");
}

}  // namespace
}  // namespace tessaro::test
