#include "core/task/output_compare.h"

#include <gtest/gtest.h>

namespace tessaro::task {
namespace {

struct CompareCase {
  const char* mode;
  const char* expected;
  const char* got;
  int32_t differing_line;  // 0: the same
};

constexpr CompareCase kCases[] = {
    // exact forgives nothing
    {"exact", "120", "120", 0},
    {"exact", "120", "120 ", 1},
    {"exact", "1\n2", "1\n2\n", 3},
    {"exact", "a", "A", 1},
    // lines: blanks at line ends and empty lines at the end
    {"lines", "120", "120   ", 0},
    {"lines", "1\n2", "1\n2\n\n\n", 0},
    {"lines", "1\n2\n", "1\n2", 0},
    {"lines", "1\n2", "1\n\n2", 2},
    {"lines", "1\n2", "1", 2},
    {"lines", "1", "1\n2", 2},
    {"lines", " 1", "1", 1},
    {"lines", "a  b", "a b", 1},
    // ws: every run of blanks is one blank, at the start as well
    {"ws", "a b", "a \t  b", 0},
    {"ws", "a b", "  a b  ", 0},
    {"ws", "a b", "ab", 1},
    {"ws", "x\ny", "x \ny\n\n", 0},
    // nocase: as lines, letter case aside (Windows-1250 letters too)
    {"nocase", "Wynik: TAK", "wynik: tak ", 0},
    {"nocase", "\xA3\xD3" "DZ", "\xB3\xF3" "dz", 0},  // ŁÓDZ / łódz
    {"nocase", "tak", "nie", 1},
    // num:EPS: numbers within EPS, other words exactly
    {"num:0.01", "3.14159", "3.14", 0},
    {"num:0.001", "3.14159", "3.14", 1},
    {"num:0.01", "x = 2.5", "x = 2,5", 0},
    {"num:0.01", "x = 2.5", "X = 2.5", 1},
    {"num:0", "1 2", "1 2 3", 1},
    {"num:0.5", "10\n20", "10.4\n19.6\n", 0},
    {"num:1", "abc", "abd", 1},
};

TEST(OutputCompare, EachModeForgivesWhatItSays) {
  for (const CompareCase& c : kCases) {
    const std::optional<CompareMode> mode = ParseCompareMode(c.mode);
    ASSERT_TRUE(mode) << c.mode;
    const OutputDifference d = CompareOutput(*mode, c.expected, c.got);
    EXPECT_EQ(d.same, c.differing_line == 0) << c.mode << " [" << c.expected << "] [" << c.got << "]";
    EXPECT_EQ(d.line, c.differing_line) << c.mode << " [" << c.expected << "] [" << c.got << "]";
  }
}

TEST(OutputCompare, TheDifferenceNamesBothLines) {
  const OutputDifference d = CompareOutput(CompareMode{}, "1\n2\n6", "1\n2\n7");
  EXPECT_EQ(d.line, 3);
  EXPECT_EQ(d.expected_line, "6");
  EXPECT_EQ(d.got_line, "7");

  const OutputDifference shorter = CompareOutput(CompareMode{}, "1\n2", "1");
  EXPECT_EQ(shorter.line, 2);
  EXPECT_TRUE(shorter.got_ended);
  EXPECT_FALSE(shorter.expected_ended);

  const OutputDifference longer = CompareOutput(CompareMode{}, "", "oops");
  EXPECT_EQ(longer.line, 1);
  EXPECT_TRUE(longer.expected_ended);
  EXPECT_EQ(longer.got_line, "oops");
}

TEST(OutputCompare, ModeNamesReadBackAndStrangersAreRefused) {
  for (const char* name : {"exact", "lines", "ws", "nocase", "num:0.5", "num:0"}) {
    const std::optional<CompareMode> mode = ParseCompareMode(name);
    ASSERT_TRUE(mode) << name;
    EXPECT_EQ(CompareModeName(*mode), name);
  }
  for (const char* bad : {"", "Lines", "num", "num:", "num:-1", "num:abc", "num:1 ", "fuzzy"}) {
    EXPECT_FALSE(ParseCompareMode(bad)) << bad;
  }
}

}  // namespace
}  // namespace tessaro::task
