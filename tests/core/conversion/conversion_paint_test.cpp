// The conversion panel's picture on a logging canvas. Every character is 7
// units wide; a normal line (size 10) is 14 high, a small one (size 7) 11.
#include "core/conversion/conversion_paint.h"

#include <gtest/gtest.h>

#include "core/diagram/fake_canvas.h"

namespace tessaro {
namespace {

using test::FakeMetrics;
using test::LogCanvas;

struct Drawn {
  FakeMetrics metrics;
  LogCanvas canvas{metrics};
  Drawn(const std::string& value, int32_t from, int32_t to, const std::string& note = {}) {
    TConversionStyle style;
    style.TextReszaZDzielenia = "Reszta";
    style.InvalidNumberText = "Zla liczba w systemie";
    PaintConversion(canvas, style, TConversionRequest{value, from, to, note}, TRect{0, 0, 200, 300});
  }
  // The texts drawn with their tops from y1 to y2, joined in drawing order.
  std::string TextsBetween(int y1, int y2) const {
    std::string joined;
    for (const std::string& s : canvas.Starting("text ")) {
      const int y = std::stoi(s.substr(s.find(',') + 1));
      if (y >= y1 && y <= y2) joined += s.substr(s.find(' ', 5) + 1);
    }
    return joined;
  }
  // The font selected when the entry was drawn.
  std::string FontOf(const std::string& entry) const {
    std::string font;
    for (const std::string& s : canvas.log) {
      if (s.compare(0, 5, "font ") == 0) font = s;
      if (s == entry) return font;
    }
    return "(not drawn)";
  }
};

TEST(DivisionLayout, SevenIntoBinaryRowByRow) {
  Drawn d("7", 10, 2);
  // Centre 100; rows from 2 caption heights down, 17 apart.
  EXPECT_TRUE(d.canvas.Has("text 110,12 Reszta"));
  EXPECT_EQ(d.FontOf("text 110,12 Reszta"), "font Tahoma 10 000000");
  const std::vector<std::string> rows = {"text 69,28 7:2", "text 69,45 3:2", "text 69,62 1:2", "text 69,79 0:2"};
  for (const std::string& r : rows) EXPECT_TRUE(d.canvas.Has(r)) << r;
  for (int y : {28, 45, 62}) {
    const std::string remainder = "text 110," + std::to_string(y) + " 1";
    EXPECT_TRUE(d.canvas.Has(remainder)) << y;
    EXPECT_EQ(d.FontOf(remainder), "font Courier New 10 ff0000 bold");
  }
  EXPECT_FALSE(d.canvas.Has("text 110,79 0"));  // the final row has no remainder
  // A centre-line segment per row, the last one at the final row.
  EXPECT_TRUE(d.canvas.Has("line 100,28 100,45"));
  EXPECT_TRUE(d.canvas.Has("line 100,79 100,96"));
  EXPECT_EQ(d.canvas.Count("line 100,"), 4);
  // The arrow points up the remainders, a black head with a grey outline.
  EXPECT_TRUE(d.canvas.Has("line 160,85 160,38"));
  EXPECT_TRUE(d.canvas.Has("polygon 160,32 157,38 163,38"));
  // Summary 7(10) = 111(2), 98 wide, centred, its bottom 35 below the last row's.
  const std::vector<std::string> summary = {"text 51,117 7", "text 58,120 (10)", "text 86,117  = ",
                                            "text 107,117 111", "text 128,120 (2)"};
  for (const std::string& s : summary) EXPECT_TRUE(d.canvas.Has(s)) << s;
  EXPECT_EQ(d.FontOf("text 107,117 111"), "font Courier New 10 ff0000");
  EXPECT_EQ(d.FontOf("text 58,120 (10)"), "font Courier New 7 000000");
  // The check below it: 111(2) = 2^0*1 + 2^1*1 + 2^2*1 = 7(10).
  // It wraps after the last term: the closing part does not fit in 200.
  EXPECT_EQ(d.TextsBetween(135, 145), "111(2) = 20*1 + 21*1 + 22*1");
  EXPECT_EQ(d.TextsBetween(152, 160), " = 7(10)");
}

TEST(DivisionLayout, RemaindersAboveNineShowTheirValue) {
  Drawn d("255", 10, 16);
  EXPECT_TRUE(d.canvas.Has("text 110,28 F(15)"));
  EXPECT_TRUE(d.canvas.Has("text 110,45 F(15)"));
  EXPECT_TRUE(d.canvas.Has("text 62,62 0:16"));
  EXPECT_EQ(d.TextsBetween(97, 103), "255(10) = FF(16)");
}

TEST(DivisionLayout, ZeroHasOnlyTheFinalRowAndIsWrittenAsADigit) {
  Drawn d("0", 10, 2);
  EXPECT_TRUE(d.canvas.Has("text 69,28 0:2"));
  EXPECT_EQ(d.canvas.Count("polygon"), 0);  // no remainders, no arrow
  // 0(10) = 0(2): the result is not left empty, and neither is its check.
  EXPECT_EQ(d.TextsBetween(60, 70), "0(10) = 0(2)");
  EXPECT_EQ(d.TextsBetween(85, 95), "0(2) = 20*0 = 0(10)");
}

TEST(ExpansionLayout, OneHexDigitWithARaisedSmallExponent) {
  Drawn d("A", 16, 10);
  // A(16) = 16^0*A = 10(10), 154 wide, centred on 100, 15 below the top;
  // suffixes sit on the text's bottom line, the exponent is raised by 11 / 4.
  const std::vector<std::string> expected = {"text 23,15 A",   "text 30,18 (16)", "text 58,15  = ",
                                             "text 79,15 16",  "text 93,13 0",    "text 100,15 *",
                                             "text 107,15 A",  "text 114,15  = ", "text 135,15 10",
                                             "text 149,18 (10)"};
  EXPECT_EQ(d.canvas.Starting("text"), expected);
  EXPECT_EQ(d.FontOf("text 93,13 0"), "font Courier New 7 000000");
  EXPECT_EQ(d.FontOf("text 107,15 A"), "font Courier New 10 ff0000");
  EXPECT_EQ(d.FontOf("text 135,15 10"), "font Courier New 10 000000");
}

TEST(ExpansionLayout, LongNumbersWrapAndEveryLineStartsAtTheSamePlace) {
  Drawn d("11111111", 2, 10);
  std::vector<int> tops;
  int left = -1;
  for (const std::string& s : d.canvas.Starting("text ")) {
    const int x = std::stoi(s.substr(5));
    const int y = std::stoi(s.substr(s.find(',') + 1));
    if (tops.empty() || (y != tops.back() && y - tops.back() >= 14)) {
      tops.push_back(y);
      if (left == -1) left = x;
      EXPECT_EQ(x, left) << s;
    }
    EXPECT_LE(x, 200) << s;
  }
  EXPECT_GT(tops.size(), 2u);
  for (size_t i = 1; i < tops.size(); ++i) EXPECT_EQ(tops[i] - tops[i - 1], 14);
}

TEST(GroupingLayout, HexOneFRegroupsIntoFiveBinaryDigits) {
  Drawn d("1F", 16, 2);
  EXPECT_TRUE(d.canvas.Has("text 10,30 1F"));
  EXPECT_TRUE(d.canvas.Has("text 10,80 11111"));
  // Source strip: 00011111, 8 digits of 7 + 4 ending 20 left of the edge.
  // The labels end at 87, so both strips move 5 right of their place 20
  // from the edge; they still end in the same column.
  EXPECT_EQ(d.TextsBetween(30, 30), "1F = 00011111");
  EXPECT_EQ(d.TextsBetween(80, 80), "11111 = 11111");
  EXPECT_TRUE(d.canvas.Has("text 97,30 0"));
  EXPECT_TRUE(d.canvas.Has("text 174,30 1"));
  EXPECT_TRUE(d.canvas.Has("text 130,80 1"));
  EXPECT_TRUE(d.canvas.Has("text 174,80 1"));
  // One separator in the source row (after 0001), four in the target row.
  EXPECT_EQ(d.canvas.Starting("line"),
            (std::vector<std::string>{"line 138,70 138,118", "line 149,70 149,118", "line 160,70 160,118",
                                      "line 171,70 171,118", "line 138,20 138,68"}));
  // Group values centred below each group: 1 and 15, then 1 five times.
  EXPECT_TRUE(d.canvas.Has("text 114,44 1"));
  EXPECT_TRUE(d.canvas.Has("text 154,44 15"));
  EXPECT_EQ(d.TextsBetween(94, 94), "11111");
  // Stripes behind every second digit, counted from the unpadded text.
  EXPECT_EQ(d.canvas.Starting("rect ").size(), 1u + 4u + 2u);
  EXPECT_TRUE(d.canvas.Has("rect 95,20 106,68"));
  EXPECT_TRUE(d.canvas.Has("rect 139,70 150,118"));
  EXPECT_FALSE(d.canvas.Has("rect 106,20 117,68"));
}

TEST(ExpansionAndDivision, OtherPairsGoThroughDecimalInTwoFigures) {
  Drawn d("12", 3, 5);
  // 12(3) = 3^0*2 + 3^1*1 = 5(10) first, then 5 divided by 5 below it.
  EXPECT_EQ(d.TextsBetween(13, 18), "12(3) = 30*2 + 31*1 = 5(10)");
  EXPECT_TRUE(d.canvas.Has("text 110,51 Reszta"));
  EXPECT_TRUE(d.canvas.Has("text 69,67 5:5"));
  EXPECT_TRUE(d.canvas.Has("text 69,84 1:5"));
  EXPECT_TRUE(d.canvas.Has("text 69,101 0:5"));
  EXPECT_EQ(d.TextsBetween(139, 142), "5(10) = 10(5)");
}

TEST(InvalidInput, MarksTheDigitsThatDoNotBelongToTheBase) {
  Drawn d("1G", 16, 2);
  EXPECT_EQ(d.FontOf("text 10,15 1"), "font Courier New 10 ff0000");
  EXPECT_EQ(d.FontOf("text 17,15 G"), "font Courier New 10 0000d0");
  EXPECT_TRUE(d.canvas.Has("line 17,29 23,29"));  // underlined
  EXPECT_TRUE(d.canvas.Has("text 10,37 Zla liczba w systemie 16"));
  EXPECT_EQ(d.canvas.Count("polygon"), 0);

  Drawn big("2147483648", 10, 2);
  EXPECT_EQ(big.canvas.Count("line "), 10);  // every digit is marked
  EXPECT_TRUE(big.canvas.Has("text 10,55 0 .. 2147483647"));
}

TEST(PaintConversion, BasesOutsideTheRangeDrawOnlyTheBackgroundAndTheNote) {
  for (int32_t base : {0, 1, 33, -2}) {
    Drawn d("7", 10, base, "note");
    EXPECT_EQ(d.canvas.Count("text"), 1) << base;
    EXPECT_TRUE(d.canvas.Has("text 6,4 note")) << base;
  }
  Drawn plain("", 10, 2);
  EXPECT_EQ(plain.canvas.Count("text"), 0);
  EXPECT_EQ(plain.canvas.log.front(), "pen ffffff 1 solid");
}

TEST(PaintConversion, ANoteMovesTheFigureBelowItsBand) {
  Drawn d("7", 10, 2, "note");
  EXPECT_TRUE(d.canvas.Has("rect 0,0 200,22"));
  EXPECT_TRUE(d.canvas.Has("text 69,54 7:2"));  // 26 lower than without the note

  // A note wider than the area breaks at spaces, and its band grows.
  Drawn wide("7", 10, 2, "a note that is much too long for two hundred units");
  EXPECT_TRUE(wide.canvas.Has("text 6,4 a note that is much too"));
  EXPECT_TRUE(wide.canvas.Has("text 6,18 long for two hundred units"));
  EXPECT_TRUE(wide.canvas.Has("rect 0,0 200,36"));
  EXPECT_TRUE(wide.canvas.Has("text 69,68 7:2"));
}

}  // namespace
}  // namespace tessaro
