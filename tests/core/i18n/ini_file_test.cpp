#include "core/i18n/ini_file.h"

#include <gtest/gtest.h>

#include "core/i18n/cp1250.h"

namespace tessaro {
namespace {

TEST(IniFile, ReadsValuesByTheProfileRules) {
  const std::string text =
      "; a comment\r\n"
      "[Other]\r\n"
      "Key=other\r\n"
      "  [ texts ]  \r\n"
      "Plain=abc\r\n"
      "  Spaced  =   a b  \t\r\n"
      "Quoted=\"  kept blanks  \"\r\n"
      "Single='x'\r\n"
      "Unmatched=\"x'\r\n"
      "Inner=a \"b\" c\r\n"
      "Twice=\"\"x\"\"\r\n"
      "no equals sign here\r\n"
      ";Commented=1\r\n"
      "Empty=\r\n"
      "Equals=a=b\r\n"
      "Hash=one#13two ; not a comment\r\n"
      "[Later]\r\n"
      "Plain=later\n";
  std::vector<IniEntry> e = ReadIniSection(text, "TEXTS");
  struct Case {
    const char* key;
    const char* value;
  } cases[] = {
      {"Plain", "abc"},           {"SPACED", "a b"},        {"quoted", "  kept blanks  "},
      {"Single", "x"},            {"Unmatched", "\"x'"},    {"Inner", "a \"b\" c"},
      {"Twice", "\"x\""},         {"Empty", ""},            {"Equals", "a=b"},
      {"Hash", "one#13two ; not a comment"},
  };
  ASSERT_EQ(e.size(), std::size(cases));
  for (size_t i = 0; i < e.size(); ++i) {
    EXPECT_TRUE(FindIniValue(e, cases[i].key)) << cases[i].key;
    EXPECT_EQ(FindIniValue(e, cases[i].key).value_or("?"), cases[i].value) << cases[i].key;
  }
  EXPECT_EQ(e[1].key, "Spaced");  // names keep their spelling and file order
  EXPECT_FALSE(FindIniValue(e, "Commented"));
  EXPECT_FALSE(FindIniValue(e, "Key"));
}

TEST(IniFile, NamesMatchWithPolishLettersInAnyCase) {
  const std::string text = Utf8ToCp1250("[Język]\nŻółć=tak\n");
  std::vector<IniEntry> e = ReadIniSection(text, Utf8ToCp1250("JĘZYK"));
  EXPECT_EQ(FindIniValue(e, Utf8ToCp1250("żÓŁć")).value_or(""), "tak");
}

TEST(IniFile, FirstOfTwoEqualKeysWinsAndFirstSectionIsTheOne) {
  const std::string text = "[A]\nk=1\nK=2\n[a]\nk=3\n";
  std::vector<IniEntry> e = ReadIniSection(text, "a");
  ASSERT_EQ(e.size(), 2u);
  EXPECT_EQ(*FindIniValue(e, "k"), "1");
}

TEST(IniFile, MissingSectionAndEmptyText) {
  EXPECT_TRUE(ReadIniSection("", "TEXTS").empty());
  EXPECT_TRUE(ReadIniSection("[X]\na=b", "TEXTS").empty());
  EXPECT_EQ(ReadIniSection("[TEXTS]\na=b", "TEXTS").size(), 1u);  // no final line break
  EXPECT_EQ(ReadIniSection("\xEF\xBB\xBF[Default]\r\nLanguage=EN\r\n", "Default").size(), 1u);
  EXPECT_EQ(SetIniValue("\xEF\xBB\xBF[Default]\r\nLanguage=PL\r\n", "Default", "Language", "EN"),
            "\xEF\xBB\xBF[Default]\r\nLanguage=EN\r\n");
}

TEST(IniFile, LongValuesAndManyKeysAreRead) {
  std::string text = "[TEXTS]\r\n";
  const std::string long_value(100000, 'x');
  text += "Long=" + long_value + "\r\n";
  for (int i = 0; i < 5000; ++i) text += "msgkey" + std::to_string(i) + "=v\r\n";
  std::vector<IniEntry> e = ReadIniSection(text, "TEXTS");
  ASSERT_EQ(e.size(), 5001u);
  EXPECT_EQ(e[0].value, long_value);
  EXPECT_EQ(e.back().key, "msgkey4999");
}

TEST(IniFile, SettingAValueKeepsEveryOtherLine) {
  struct Case {
    const char* name;
    const char* before;
    const char* after;
  } cases[] = {
      {"in place", "; keep\r\n[Default]\r\n  language = PL \r\nOther=1\r\n",
       "; keep\r\n[Default]\r\nlanguage=EN\r\nOther=1\r\n"},
      {"other sections untouched", "[X]\nLanguage=PL\n[default]\nLanguage=PL\n[Y]\nLanguage=PL\n",
       "[X]\nLanguage=PL\n[default]\nLanguage=EN\n[Y]\nLanguage=PL\n"},
      {"key added", "[Default]\r\nA=1\r\n\r\n[Next]\r\n", "[Default]\r\nA=1\r\nLanguage=EN\r\n\r\n[Next]\r\n"},
      {"section added", "[Other]\r\nA=1", "[Other]\r\nA=1\r\n[Default]\r\nLanguage=EN\r\n"},
      {"empty file", "", "[Default]\nLanguage=EN\n"},
      {"last line without break", "[Default]\nLanguage=PL", "[Default]\nLanguage=EN"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SetIniValue(c.before, "Default", "Language", "EN"), c.after) << c.name;
  }
}

}  // namespace
}  // namespace tessaro
