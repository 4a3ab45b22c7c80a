#include <gtest/gtest.h>

#include <filesystem>

#include "alg_spec.h"
#include "support/cli_runner.h"
#include "support/temp_home.h"

namespace tessaro {
namespace {

// --lang picks the texts of one run; the remembered language stays as it is,
// and a program folder without a selection file does not get one.
TEST(CliLang, ChoosesTheLanguageWithoutWritingTheSelectionFile) {
  struct Case {
    std::vector<std::string> args;
  } cases[] = {
      {{"--lang", "EN", "info", "missing.alg"}},
      {{"info", "missing.alg", "--lang=XX"}},
      {{"--lang", "PL", "convert", "10", "10", "2"}},
  };
  for (const Case& c : cases) {
    for (bool with_selection : {true, false}) {
      test::TempHome home;
      const std::string ini = "; kept\r\n[Default]\r\nLanguage=PL\r\n";
      if (with_selection) home.Write("lang/lang.ini", ini);
      home.Write("lang/EN.slg", "[TEXTS]\r\nmsgm00050=OK\r\n");
      std::vector<std::string> plain;
      for (size_t i = 0; i < c.args.size(); ++i) {
        if (c.args[i] == "--lang") ++i;
        else if (c.args[i].rfind("--lang=", 0) != 0) plain.push_back(c.args[i]);
      }
      test::CliResult with = test::RunProgram(TESSARO_CLI_PATH, c.args, "", home.Dir());
      test::CliResult without = test::RunProgram(TESSARO_CLI_PATH, plain, "", home.Dir());
      EXPECT_EQ(with.exit_code, without.exit_code) << c.args[0];
      if (with_selection) {
        EXPECT_EQ(home.Read("lang/lang.ini"), ini) << c.args[0];
      } else {
        EXPECT_FALSE(std::filesystem::exists(home.Path("lang/lang.ini"))) << c.args[0];
        EXPECT_FALSE(std::filesystem::exists(home.Path("Lang"))) << c.args[0];
      }
    }
  }
}

// The error list of a compilation is looked up in the language chosen for the
// run; a language without a file shows the bracketed identifiers.
TEST(CliLang, ErrorTextsFollowTheChosenLanguage) {
  test::TempHome home;
  const std::filesystem::path shipped = std::filesystem::path(TESSARO_SOURCE_DIR) / "resources" / "lang";
  for (const char* file : {"lang.ini", "PL.slg", "EN.slg"}) {
    home.Write(std::string("lang/") + file, test::ReadFileBytes((shipped / file).string()));
  }
  std::vector<Tobj> bloki;
  std::string error;
  ASSERT_TRUE(fixtures::ParseAlgSpec("end -1 -1\n", bloki, error)) << error;
  ASSERT_TRUE(fixtures::WriteAlgFile(bloki, home.Path("no_start.alg")));

  struct Case {
    std::vector<std::string> lang;
    const char* expected;  // UTF-8
  } cases[] = {
      {{}, "Błąd: Brak bloku startowego"},
      {{"--lang", "PL"}, "Błąd: Brak bloku startowego"},
      {{"--lang", "EN"}, "Error: There is no start block"},
      {{"--lang=XX"}, "[MSGCMP000001]: [MSGCMP000023]"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.lang;
    args.insert(args.end(), {"compile", home.Path("no_start.alg")});
    test::CliResult r = test::RunProgram(TESSARO_CLI_PATH, args, "", home.Dir());
    EXPECT_EQ(r.exit_code, 1) << c.expected << "\n" << r.err;
    EXPECT_NE(r.out.find(c.expected), std::string::npos) << r.out;
  }
  EXPECT_EQ(home.Read("lang/lang.ini"), test::ReadFileBytes((shipped / "lang.ini").string()));
}

}  // namespace
}  // namespace tessaro
