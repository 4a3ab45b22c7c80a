// The data behind the conversion panel's figures: kind names, the choice of
// layout, input checks, division rows, expansion terms and digit strips.
#include "core/conversion/conversion_figure.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(KindName, NamesTheSixteenPairsOfCommonBasesAndInnyForTheRest) {
  const char* names[4][4] = {{"BinToBin", "BinToOct", "BinToDec", "BinToHex"},
                             {"OctToBin", "OctToOct", "OctToDec", "OctToHex"},
                             {"DecToBin", "DecToOct", "DecToDec", "DecToHex"},
                             {"HexToBin", "HexToOct", "HexToDec", "HexToHex"}};
  const int32_t bases[4] = {2, 8, 10, 16};
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) EXPECT_EQ(KindName(bases[i], bases[j]), names[i][j]);
  }
  EXPECT_EQ(KindName(3, 10), "Inny");
  EXPECT_EQ(KindName(10, 32), "Inny");
  EXPECT_EQ(KindName(0, 2), "Inny");
}

TEST(ChooseLayout, DivisionFromDecimalExpansionToDecimalGroupingOnlyBetweenPowersOfTwo) {
  EXPECT_EQ(ChooseLayout(10, 2), TConversionLayout::Division);
  EXPECT_EQ(ChooseLayout(10, 7), TConversionLayout::Division);
  EXPECT_EQ(ChooseLayout(16, 10), TConversionLayout::Expansion);
  EXPECT_EQ(ChooseLayout(3, 10), TConversionLayout::Expansion);
  EXPECT_EQ(ChooseLayout(10, 10), TConversionLayout::Expansion);
  EXPECT_EQ(ChooseLayout(16, 2), TConversionLayout::Grouping);
  EXPECT_EQ(ChooseLayout(8, 32), TConversionLayout::Grouping);
  EXPECT_EQ(ChooseLayout(2, 2), TConversionLayout::Grouping);
  EXPECT_EQ(ChooseLayout(3, 5), TConversionLayout::ExpansionAndDivision);
  EXPECT_EQ(ChooseLayout(16, 12), TConversionLayout::ExpansionAndDivision);
}

TEST(CheckDigits, AcceptsOnlyDigitsOfTheBaseInEitherCase) {
  struct Case {
    const char* text;
    int32_t base;
    const char* digits;
    std::vector<bool> invalid;
    bool too_large;
    int32_t value;
  };
  const Case cases[] = {
      {"ff", 16, "FF", {false, false}, false, 255},
      {"1F", 16, "1F", {false, false}, false, 31},
      {"vv", 32, "VV", {false, false}, false, 1023},
      {"19", 8, "19", {false, true}, false, 0},
      {"-5", 10, "-5", {true, false}, false, 0},
      {"1 2", 10, "1 2", {false, true, false}, false, 0},
      {"2147483647", 10, "2147483647", std::vector<bool>(10, false), false, 2147483647},
      {"2147483648", 10, "2147483648", std::vector<bool>(10, false), true, 0},
      {"0000000000007", 10, "0000000000007", std::vector<bool>(13, false), false, 7},
      {"\xB3", 10, "\xB3", {true}, false, 0},  // a Polish letter is no digit
  };
  for (const Case& c : cases) {
    const TDigitCheck check = CheckDigits(c.text, c.base);
    EXPECT_EQ(check.Digits, c.digits) << c.text;
    EXPECT_EQ(check.Invalid, c.invalid) << c.text;
    EXPECT_EQ(check.TooLarge, c.too_large) << c.text;
    EXPECT_EQ(check.Valid(), !c.too_large && c.value != 0) << c.text;
    EXPECT_EQ(check.Value, c.value) << c.text;
  }
  EXPECT_TRUE(CheckDigits("0", 2).Valid());
}

TEST(DivisionOf, RowsUntilTheQuotientIsZeroAndTheRemaindersReadUpwards) {
  const TDivision seven = DivisionOf(7, 2);
  ASSERT_EQ(seven.Rows.size(), 3u);
  for (const TDivisionRow& r : seven.Rows) EXPECT_EQ(r.Remainder, 1);
  EXPECT_EQ(seven.Rows[0].Dividend, 7);
  EXPECT_EQ(seven.Rows[1].Dividend, 3);
  EXPECT_EQ(seven.Rows[2].Dividend, 1);
  EXPECT_EQ(seven.Result, "111");

  EXPECT_EQ(DivisionOf(255, 16).Result, "FF");
  EXPECT_EQ(DivisionOf(2147483647, 2).Rows.size(), 31u);
  // Zero has no rows but is still written as a digit.
  EXPECT_TRUE(DivisionOf(0, 2).Rows.empty());
  EXPECT_EQ(DivisionOf(0, 2).Result, "0");
  // A base that cannot end gives no rows instead of looping.
  EXPECT_TRUE(DivisionOf(7, 1).Rows.empty());
  EXPECT_TRUE(DivisionOf(7, 0).Rows.empty());
}

TEST(RemainderText, DigitsAboveNineCarryTheirValue) {
  EXPECT_EQ(RemainderText(1), "1");
  EXPECT_EQ(RemainderText(9), "9");
  EXPECT_EQ(RemainderText(10), "A(10)");
  EXPECT_EQ(RemainderText(15), "F(15)");
  EXPECT_EQ(RemainderText(31), "V(31)");
}

TEST(ExpansionOf, TermsFromTheLeastSignificantDigit) {
  const TExpansion e = ExpansionOf("1011", 2);
  ASSERT_EQ(e.Terms.size(), 4u);
  EXPECT_EQ(e.Terms[0].Exponent, 0);
  EXPECT_EQ(e.Terms[0].Digit, '1');
  EXPECT_EQ(e.Terms[2].Exponent, 2);
  EXPECT_EQ(e.Terms[2].Digit, '0');
  EXPECT_EQ(e.Value, 11);
}

TEST(StripOf, PadsToWholeGroupsAndValuesEachGroup) {
  const TDigitStrip hex = StripOf("11111", 4);
  EXPECT_EQ(hex.Digits, "00011111");
  EXPECT_EQ(hex.Padding, 3);
  EXPECT_EQ(hex.GroupValues, (std::vector<int32_t>{1, 15}));
  const TDigitStrip bin = StripOf("11111", 1);
  EXPECT_EQ(bin.Padding, 0);
  EXPECT_EQ(bin.GroupValues, (std::vector<int32_t>{1, 1, 1, 1, 1}));
  EXPECT_EQ(StripOf("101010", 3).Padding, 0);

  EXPECT_EQ(GroupSize(2), 1);
  EXPECT_EQ(GroupSize(8), 3);
  EXPECT_EQ(GroupSize(16), 4);
  EXPECT_EQ(GroupSize(32), 5);
}

TEST(GroupingOf, GoesThroughTheBinaryDigits) {
  const TGrouping g = GroupingOf("1F", 16, 2);
  EXPECT_EQ(g.Target, "11111");
  EXPECT_EQ(g.Binary, "11111");
  EXPECT_EQ(g.SourceStrip.Digits, "00011111");
  EXPECT_EQ(g.TargetStrip.Digits, "11111");
  const TGrouping zero = GroupingOf("0", 8, 16);
  EXPECT_EQ(zero.Target, "0");
  EXPECT_EQ(zero.SourceStrip.Digits, "000");
}

}  // namespace
}  // namespace tessaro
