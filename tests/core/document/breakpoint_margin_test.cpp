#include "core/document/breakpoint_margin.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

Tobj Block(int32_t kind, std::string text) {
  Tobj b;
  b.Blok = kind;
  b.Left = 100;
  b.Top = 200;
  b.Width = 120;
  b.Height = 90;
  b.Kod = std::move(text);
  return b;
}

TEST(BreakpointMargin, LineUnderAPressInTheMargin) {
  struct Case {
    int32_t kind;
    const char* text;
    int32_t dx;  // from the right edge
    int32_t dy;  // from the top
    int32_t lh;
    int32_t line;
  };
  const Case cases[] = {
      {Warunek, "i < 5", 0, 10, 13, 1},                 // (10 + 24) div 13 - 1
      {Warunek, "i < 5", 0, 20, 13, 0},                 // line 2 of a condition counts as 0
      {Warunek, "i < 5", 15, 10, 13, 1},                // conditions reach past their edge
      {Warunek, "i < 5", 16, 10, 13, 0},
      {Przetwarzanie, "a\r\nb\r\nc", -20, 50, 15, 3},   // (50 + 15) div 15 - 1
      {Przetwarzanie, "a\r\nb\r\nc", -30, 50, 15, 0},   // left of the margin
      {Przetwarzanie, "a\r\nb", -20, 50, 15, 0},        // below the last line
      {Przetwarzanie, "a", -20, 0, 15, 0},              // above the first line
      {WeWY, "read n", -15, 16, 15, 1},
      {WeWY, "read n", -16, 16, 15, 0},
      {Przetwarzanie, "a", -20, 16, 0, 0},              // no line height measured
      {Start, "", -5, 16, 15, 0},
      {Koniec, "", -5, 16, 15, 0},
      {Wezel, "", -5, 16, 15, 0},
      {Notatka, "a", -5, 16, 15, 0},
      {Przetwarzanie, " ", -20, 16, 15, 0},             // a blank line holds no instruction
      {Przetwarzanie, "a\r\n \r\nc", -20, 35, 15, 0},
  };
  for (const Case& c : cases) {
    const Tobj b = Block(c.kind, c.text);
    ASSERT_TRUE(c.line == 0 || c.dx * 2 > -b.Width);
    EXPECT_EQ(MarginLine(b, b.Left + b.Width + c.dx, b.Top + c.dy, c.lh), c.line)
        << "kind " << c.kind << " dx " << c.dx << " dy " << c.dy;
  }
}

TEST(BreakpointMargin, TheMiddleOfANarrowBlockIsNeverMargin) {
  Tobj narrow = Block(Przetwarzanie, "x");
  narrow.Width = 47;
  EXPECT_EQ(MarginLine(narrow, narrow.Left + 23, narrow.Top + 16, 15), 0);
  EXPECT_EQ(MarginLine(narrow, narrow.Left + 30, narrow.Top + 16, 15), 1);
}

TEST(BreakpointMargin, ToggleAddsAnUnconditionalOneThenRemovesIt) {
  TBreakPointArray list;
  EXPECT_TRUE(ToggleBreakpoint(list, 3, 2));
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0], (TBreakPoint{3, 2, 1, 0, "1", 0}));
  EXPECT_TRUE(ToggleBreakpoint(list, 4, 2));
  EXPECT_FALSE(ToggleBreakpoint(list, 3, 2));
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].Block, 4);
}

TEST(BreakpointMargin, TextLineFromTheKindsTextOrigin) {
  const Tobj proc = Block(Przetwarzanie, "a\r\nb");
  EXPECT_EQ(TextLineAt(proc, proc.Top + 14, 15), 0);
  EXPECT_EQ(TextLineAt(proc, proc.Top + 15, 15), 1);
  EXPECT_EQ(TextLineAt(proc, proc.Top + 30, 15), 2);
  EXPECT_EQ(TextLineAt(proc, proc.Top + 45, 15), 0);
  const Tobj cond = Block(Warunek, "x > 1");
  EXPECT_EQ(TextLineAt(cond, cond.Top + 8, 15), 1);
}

TEST(BreakpointMargin, WordAroundAPosition) {
  struct Case {
    const char* text;
    size_t position;
    const char* word;
  };
  const Case cases[] = {
      {"s := Sqrt(x1)", 6, "Sqrt"},  {"s := Sqrt(x1)", 11, "x1"}, {"s := Sqrt(x1)", 9, "Sqrt"},
      {"s := Sqrt(x1)", 3, ""},      {"a.b_c + 1", 2, "a.b_c"},   {"x", 50, "x"},
      {"", 0, ""},                   {"\xBF\xF3\xB3w := 1", 1, "\xBF\xF3\xB3w"},
  };
  for (const Case& c : cases) EXPECT_EQ(WordAt(c.text, c.position), c.word) << c.text << " @" << c.position;
}

}  // namespace
}  // namespace tessaro
