#include <gtest/gtest.h>

#include <string>

#include "support/cli_runner.h"

namespace tessaro {
namespace {

std::string Leaf(const std::string& src, const std::string& extra = "") {
  return "{\"op\": \"\", \"kind\": 0, \"src\": \"" + src + "\", \"item\": \"\", \"dims\": \"\"" + extra +
         ", \"left\": null, \"right\": null}";
}

TEST(CliTree, PrintsFormStepsAndTreeAsJson) {
  const test::CliResult r = test::RunProgram(TESSARO_CLI_PATH, {"tree", "a + b"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out,
            "{\"form\": \"expression\", \"error\": [0, 0, 0], \"steps\": [\"+\", \"a\", \"b\"], \"tree\": "
            "{\"op\": \"+\", \"kind\": 1, \"src\": \"\", \"item\": \"\", \"dims\": \"\", \"left\": " +
                Leaf("a") + ", \"right\": " + Leaf("b") + "}}\n");
}

TEST(CliTree, LayoutAddsPositionsAndExtent) {
  const test::CliResult r = test::RunProgram(TESSARO_CLI_PATH, {"--layout", "tree", "a + b"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out,
            "{\"form\": \"expression\", \"error\": [0, 0, 0], \"steps\": [\"+\", \"a\", \"b\"], \"tree\": "
            "{\"op\": \"+\", \"kind\": 1, \"src\": \"\", \"item\": \"\", \"dims\": \"\", \"x\": 0, \"y\": 0, "
            "\"left\": " +
                Leaf("a", ", \"x\": -20, \"y\": 35") + ", \"right\": " + Leaf("b", ", \"x\": 20, \"y\": 35") +
                "}, \"extent\": [-40, 84, 51]}\n");
}

struct OutputCase {
  const char* text;
  const char* expected_part;
};

TEST(CliTree, StatementFormsMarkersAndEscapes) {
  const OutputCase cases[] = {
      {"dim t[3,4], v", "\"form\": \"dim\", \"error\": [0, 0, 0], \"steps\": [\"dim\", \"dim\"]"},
      {"dim t[3,4], v", "\"src\": \"[3,4]\", \"item\": \"t\", \"dims\": \"3,4\""},
      {"write Power(2,3)", "\"steps\": [\"write\", \"funkcja\", \"Power\", \",\", \"2\", \"3\"]"},
      {"write x, a !b", "\"error\": [1, 2, 1]"},
      {"a !b", "\"error\": [1, 3, 1]"},
      {"a !b", "\"op\": \"Blad\""},
      // The marker bytes are Windows-1250 letters, printed as UTF-8.
      {"a--b", "\"src\": \"a\xC3\xBC" "b\""},
      {"x := 'zażółć'", "\"src\": \"'zażółć'\""},
      {"x := \"a\\b\"", "\"src\": \"\\\"a\\\\b\\\"\""},
      {"a\tb", "\"src\": \"a\\u0009b\""},
      {"[", "\"tree\": null"},
  };
  for (const OutputCase& c : cases) {
    const test::CliResult r = test::RunProgram(TESSARO_CLI_PATH, {"tree", c.text});
    EXPECT_EQ(r.exit_code, 0) << c.text;
    EXPECT_NE(r.out.find(c.expected_part), std::string::npos) << c.text << "\n" << r.out;
  }
}

// A text that begins with "--" follows the end of the options.
TEST(CliTree, DecrementTextAfterTheEndOfOptions) {
  const test::CliResult r = test::RunProgram(TESSARO_CLI_PATH, {"tree", "--", "--i"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_NE(r.out.find("\"op\": \"--!\", \"kind\": 0, \"src\": \"i\""), std::string::npos) << r.out;
}

TEST(CliTree, WrongArgumentsAreAUsageError) {
  for (const auto& args : {std::vector<std::string>{"tree"}, std::vector<std::string>{"tree", "a", "b"}}) {
    const test::CliResult r = test::RunProgram(TESSARO_CLI_PATH, args);
    EXPECT_EQ(r.exit_code, 64);
    EXPECT_NE(r.err.find("usage"), std::string::npos);
    EXPECT_EQ(r.out, "");
  }
}

}  // namespace
}  // namespace tessaro
