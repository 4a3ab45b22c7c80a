#include <gtest/gtest.h>

#include <filesystem>

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

}  // namespace
}  // namespace tessaro
