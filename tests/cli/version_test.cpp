#include <gtest/gtest.h>

#include "core/platform/version.h"
#include "support/cli_runner.h"

namespace tessaro {
namespace {

TEST(CliVersion, PrintsTheBuildVersion) {
  test::CliResult r = test::RunProgram(TESSARO_CLI_PATH, {"--version"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out, std::string(ProgramVersion()) + "\n");
}

TEST(CliVersion, UnknownCommandIsAUsageError) {
  EXPECT_EQ(test::RunProgram(TESSARO_CLI_PATH, {"frobnicate"}).exit_code, 64);
  EXPECT_EQ(test::RunProgram(TESSARO_CLI_PATH, {"--bogus"}).exit_code, 64);
  EXPECT_EQ(test::RunProgram(TESSARO_CLI_PATH, {}).exit_code, 64);
}

}  // namespace
}  // namespace tessaro
