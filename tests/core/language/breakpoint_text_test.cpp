#include "core/language/breakpoint_condition.h"
#include "core/language/breakpoint_text.h"

#include <gtest/gtest.h>

#include "core/i18n/language.h"

namespace tessaro {
namespace {

TEST(BreakpointCondition, OnlyExpressionsThatChangeNothing) {
  struct Case {
    const char* text;
    const char* fault;
  };
  const Case cases[] = {
      {"i == 3", ""},        {"(a > 1) and (b < 2)", ""}, {"Sqrt(x) > 2", ""}, {"t[2] <> 'a'", ""},
      {"", "msgp00002"},     {"   ", "msgp00002"},
      {"read x", "msgp00003"}, {"write i", "msgp00003"}, {"dim t[3]", "msgp00003"}, {"set t := (1)", "msgp00003"},
      {"i := 0", "msgp00004"}, {"i = 3", "msgp00004"},  {"i += 1", "msgp00004"},  {"i++", "msgp00004"},
      {"(i := 2) > 1", "msgp00004"},
  };
  for (const Case& c : cases) EXPECT_EQ(BreakpointConditionFault(c.text), c.fault) << c.text;
}

TEST(BreakpointText, NamesTheBlockAndTheLine) {
  const std::vector<Tobj> bloki = [] {
    std::vector<Tobj> b(3);
    b[1].Kod = "i := 0\r\ns := s + i";
    b[2].Kod = "write s";
    return b;
  }();
  EXPECT_EQ(BlockLineText(bloki, 1, 2), "s := s + i");
  EXPECT_EQ(BlockLineText(bloki, 1, 3), "");
  EXPECT_EQ(BlockLineText(bloki, 7, 1), "");

  TBreakPoint first{1, 1, 1, 0, "1", 0};
  TBreakPoint second{2, 1, 1, 0, "1", 0};
  const std::string a = BreakpointItemText(first, bloki);
  const std::string b = BreakpointItemText(second, bloki);
  EXPECT_NE(a, b);
  EXPECT_NE(a.find("i := 0"), std::string::npos) << a;
  EXPECT_NE(b.find("write s"), std::string::npos) << b;

  TBreakPoint counted{1, 2, 0, 1, "i > 2", 1};
  counted.HitCount = 4;
  counted.Hits = 1;
  const std::string c = BreakpointItemText(counted, bloki);
  EXPECT_NE(c.find("i > 2"), std::string::npos) << c;
  EXPECT_NE(c.find(LangText("mgsc00014")), std::string::npos) << c;
  EXPECT_NE(c.find(LangText("mgsc00002")), std::string::npos) << c;
  EXPECT_NE(c.find('4'), std::string::npos) << c;
}

}  // namespace
}  // namespace tessaro
