#include "core/platform/program_paths.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/temp_home.h"

namespace tessaro {
namespace {

TEST(ProgramPaths, HomeVariableWinsOverExecutableFolder) {
  setenv("TESSARO_HOME", "/some/where/", 1);
  EXPECT_EQ(ProgramDir(), "/some/where");
  unsetenv("TESSARO_HOME");
  EXPECT_NE(ProgramDir(), "/some/where");
}

TEST(ProgramPaths, BackslashNamesResolveWithoutRegardToCase) {
  test::TempHome home;
  home.Write("lang/PL.slg", "x");
  EXPECT_EQ(ProgramFile("Lang\\lang.ini"), home.Dir() + "/lang/lang.ini");
  EXPECT_EQ(ProgramFile("lang\\PL.slg"), home.Dir() + "/lang/PL.slg");
  EXPECT_EQ(ProgramFile("LANG\\pl.SLG"), home.Dir() + "/lang/PL.slg");
  // Names that exist in no spelling keep the spelling asked for.
  EXPECT_EQ(ProgramFile("Rozszerzenia\\a.so"), home.Dir() + "/Rozszerzenia/a.so");
  EXPECT_EQ(ProgramFile("tsset.dat"), home.Dir() + "/tsset.dat");
}

}  // namespace
}  // namespace tessaro
