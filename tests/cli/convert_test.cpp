#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/cli_runner.h"

namespace tessaro {
namespace {

struct ConvertCase {
  std::vector<std::string> args;
  const char* out;
};

TEST(CliConvert, PrintsTheConvertedDigits) {
  const ConvertCase cases[] = {
      {{"convert", "255", "10", "16"}, "FF\n"},
      {{"convert", "ff", "16", "10"}, "255\n"},      // a lower-case letter is its upper-case digit
      {{"convert", "fF", "16", "2"}, "11111111\n"},
      {{"convert", "19", "8", "10"}, "17\n"},
      {{"convert", "0", "10", "2"}, "0\n"},          // zero has one digit
      {{"convert", "FFFFFFFF", "16", "10"}, "\n"},   // wraps to -1
      {{"convert", "12", "10", "1"}, "\n"},          // base 1 ends at once
      {{"convert", "-1", "10", "+10"}, "\n"},        // "-" is a digit of -3
      {{"--lang", "EN", "convert", "31", "10", "32"}, "V\n"},
      {{"convert", "\xC5\x82", "10", "10"}, "124\n"},  // a Polish letter is byte 179
  };
  for (const ConvertCase& c : cases) {
    test::CliResult r = test::RunProgram(TESSARO_CLI_PATH, c.args);
    EXPECT_EQ(r.exit_code, 0) << c.args[1];
    EXPECT_EQ(r.out, c.out) << c.args[1];
  }
}

TEST(CliConvert, WrongArgumentsAreUsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {"convert"},
      {"convert", "255", "10"},
      {"convert", "255", "10", "16", "2"},
      {"convert", "255", "ten", "16"},
      {"convert", "255", "10", "16x"},
      {"convert", "255", "10", ""},
      {"convert", "255", "10", "99999999999"},
  };
  for (const std::vector<std::string>& args : cases) {
    test::CliResult r = test::RunProgram(TESSARO_CLI_PATH, args);
    EXPECT_EQ(r.exit_code, 64) << args.size();
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("usage"), std::string::npos);
  }
}

}  // namespace
}  // namespace tessaro
