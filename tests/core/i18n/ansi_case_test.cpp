#include "core/i18n/ansi_case.h"

#include <gtest/gtest.h>

#include "core/i18n/cp1250.h"

namespace tessaro {
namespace {

std::string Cp(const char* utf8) { return Utf8ToCp1250(utf8); }

TEST(AnsiCase, LettersOfTheCodePageChangeCase) {
  struct Case {
    const char* lower;
    const char* upper;
  } cases[] = {
      {"ą", "Ą"}, {"ś", "Ś"}, {"ł", "Ł"}, {"ż", "Ż"}, {"ź", "Ź"}, {"ó", "Ó"}, {"ę", "Ę"},
      {"ć", "Ć"}, {"ń", "Ń"}, {"š", "Š"}, {"ť", "Ť"}, {"ž", "Ž"}, {"ľ", "Ľ"}, {"ŕ", "Ŕ"},
      {"ő", "Ő"}, {"ű", "Ű"}, {"ţ", "Ţ"}, {"č", "Č"}, {"ř", "Ř"}, {"z", "Z"},
      {"zażółć gęślą jaźń", "ZAŻÓŁĆ GĘŚLĄ JAŹŃ"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AnsiUpperCase(Cp(c.lower)), Cp(c.upper)) << c.lower;
    EXPECT_EQ(AnsiLowerCase(Cp(c.upper)), Cp(c.lower)) << c.upper;
  }
}

TEST(AnsiCase, OtherBytesStayAsTheyAre) {
  for (const char* s : {"÷", "×", "ß", "˙", "µ", "€", "1", "[", "_"}) {
    EXPECT_EQ(AnsiUpperCase(Cp(s)), Cp(s)) << s;
    EXPECT_EQ(AnsiLowerCase(Cp(s)), Cp(s)) << s;
  }
}

TEST(AnsiCase, UpperAndLowerAreInversesOnLetters) {
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    const char up = AnsiUpperChar(c);
    if (up != c) {
      EXPECT_EQ(AnsiLowerChar(up), c) << "byte " << b;
    }
  }
}

TEST(AnsiCase, SameTextIgnoresCaseOnly) {
  EXPECT_TRUE(AnsiSameText(Cp("Język"), Cp("JĘZYK")));
  EXPECT_FALSE(AnsiSameText(Cp("Język"), Cp("Jezyk")));
  EXPECT_FALSE(AnsiSameText("abc", "abcd"));
}

}  // namespace
}  // namespace tessaro
