#include "core/platform/program_paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <unistd.h>

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

namespace tessaro {
namespace {

// Sets (or, for nullptr, removes) environment variables for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(ProgramPaths, WritableFilesFollowTheFolderRule) {
  test::TempHome home;  // a writable portable copy
  namespace fs = std::filesystem;
  const std::string installed = home.Path("prefix/bin");
  fs::create_directories(installed);
  fs::create_directories(home.Path("prefix/share/tessaro"));
  const std::string read_only = home.Path("ro");
  fs::create_directories(read_only);
  fs::permissions(read_only, fs::perms::owner_read | fs::perms::owner_exec);
  const bool root = ::access(read_only.c_str(), W_OK) == 0;  // root writes anywhere

  ScopedEnv user_home("HOME", "/home/pupil");
  struct Case {
    const char* config_home;
    const char* data_home;
    std::string exe;
    bool data;
    std::string expected;
  };
  const Case cases[] = {
      {nullptr, nullptr, home.Dir(), false, home.Dir()},
      {nullptr, nullptr, home.Dir(), true, home.Dir()},
      {nullptr, nullptr, installed, false, "/home/pupil/.config/tessaro"},
      {nullptr, nullptr, installed, true, "/home/pupil/.local/share/tessaro"},
      {"/xdg/cfg/", "/xdg/data", installed, false, "/xdg/cfg/tessaro"},
      {"/xdg/cfg", "/xdg/data", installed, true, "/xdg/data/tessaro"},
      // A relative value is not a valid base folder and is ignored.
      {"cfg", "data", installed, true, "/home/pupil/.local/share/tessaro"},
  };
  for (const Case& c : cases) {
    ScopedEnv config("XDG_CONFIG_HOME", c.config_home);
    ScopedEnv data("XDG_DATA_HOME", c.data_home);
    EXPECT_EQ(UserDirForExecutable(c.exe, c.data), c.expected) << c.exe << " " << c.data;
  }
  if (!root) {
    EXPECT_EQ(UserDirForExecutable(read_only, false), "/home/pupil/.config/tessaro");
  }
  fs::permissions(read_only, fs::perms::owner_all);
}

TEST(ProgramPaths, HomeVariableHoldsShippedAndWritableFiles) {
  test::TempHome home;
  home.Write("Lang/lang.ini", "[Default]\r\nLanguage=PL\r\n");
  EXPECT_EQ(ShippedDir(), home.Dir());
  EXPECT_EQ(UserFile("tsview.dat"), home.Dir() + "/tsview.dat");
  EXPECT_EQ(UserFile("Rozszerzenia\\x.so"), home.Dir() + "/Rozszerzenia/x.so");
  EXPECT_EQ(UserFile("lang\\lang.ini"), home.Dir() + "/Lang/lang.ini");
  EXPECT_EQ(ReadableUserFile("lang\\lang.ini"), home.Dir() + "/Lang/lang.ini");
}

}  // namespace
}  // namespace tessaro
