#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alg_spec.h"
#include "support/cli_runner.h"
#include "support/temp_home.h"

namespace tessaro {
namespace {

std::string Example(const std::string& name) {
  return std::string(TESSARO_SOURCE_DIR) + "/resources/Przyklady/" + name + ".alg";
}

TEST(CliCode, WritesEachLanguageToStandardOutput) {
  struct Case {
    const char* lang;
    const char* expected;  // a line the program must hold
  };
  const Case cases[] = {
      {"python", "    while i <= n:\n"},
      {"cpp", "    for (i = 1; i <= n; i = i + 1) {\n"},
      {"java", "public class Main {\n"},
      {"pascal", "    while i <= n do\n"},
  };
  for (const Case& c : cases) {
    const test::CliResult r = test::RunProgram(TESSARO_CLI_PATH, {"code", "--lang", c.lang, Example("silnia")});
    EXPECT_EQ(r.exit_code, 0) << c.lang << r.err;
    EXPECT_NE(r.out.find(c.expected), std::string::npos) << c.lang << "\n" << r.out;
    EXPECT_EQ(r.out.find("goto"), std::string::npos) << c.lang;
  }
}

TEST(CliCode, NamesJavasClassAfterTheOutputFile) {
  test::TempHome temp;
  const std::string out = temp.Path("Silnia.java");
  const test::CliResult r = test::RunProgram(TESSARO_CLI_PATH, {"code", "--lang", "java", Example("silnia"), "-o", out});
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_TRUE(r.out.empty());
  EXPECT_NE(test::ReadFileBytes(out).find("public class Silnia {"), std::string::npos);
}

TEST(CliCode, RefusesWhatDoesNotCompileAndWarnsOfWhatItCannotExpress) {
  test::TempHome temp;
  struct Case {
    const char* description;
    int exit_code;
    const char* warning;  // expected on stderr, or empty
  };
  const Case cases[] = {
      {"start 1 -1\nproc 2 -1 x := Foo(1)\nend -1 -1\n", 1, ""},
      {"start 1 -1\nproc 2 -1 x := 1\\ny := @x\nend -1 -1\n", 0, "block 1: the @ operator"},
      {"start 2 -1\nproc 2 -1 write 1\nend -1 -1\n", 0, "block 1: no path from the start block reaches it"},
  };
  int k = 0;
  for (const Case& c : cases) {
    std::vector<Tobj> bloki;
    std::string error;
    ASSERT_TRUE(fixtures::ParseAlgSpec(c.description, bloki, error)) << error;
    const std::string alg = temp.Path("case" + std::to_string(k++) + ".alg");
    ASSERT_TRUE(fixtures::WriteAlgFile(bloki, alg));
    const test::CliResult r = test::RunProgram(TESSARO_CLI_PATH, {"code", "--lang", "python", alg});
    EXPECT_EQ(r.exit_code, c.exit_code) << c.description << r.err;
    if (*c.warning) {
      EXPECT_NE(r.err.find(c.warning), std::string::npos) << r.err;
    }
  }
  EXPECT_EQ(test::RunProgram(TESSARO_CLI_PATH, {"code", "--lang", "cobol", Example("silnia")}).exit_code, 64);
}

}  // namespace
}  // namespace tessaro
