// The files read at start-up against damage: a named pipe (which must not
// block the start), a folder, and a file over its size limit. Each counts as
// damaged: it is set aside as ".bad" with one notice and defaults are used.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/extensions/plugin_table.h"
#include "core/platform/file_io.h"
#include "core/platform/program_paths.h"
#include "core/platform/registry.h"
#include "core/settings/config.h"
#include "core/settings/settings.h"
#include "support/temp_home.h"

namespace fs = std::filesystem;

namespace tessaro {
namespace {

struct Damage {
  const char* name;
  std::function<void(const std::string& path)> make;
};

const Damage kDamages[] = {
    {"a named pipe", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }},
    {"a folder", [](const std::string& p) { fs::create_directories(p); }},
    {"over 1 MiB",
     [](const std::string& p) {
       // A valid beginning, so only the size can be the reason.
       TConfig config(p);
       config.WriteValue("RozmiarCzcionki", int32_t{12});
       config.WriteValue("Padding", std::string(60000, 'x'));
       std::string bytes = config.Serialize();
       while (bytes.size() <= kStartupFileLimit) bytes += bytes;
       FILE* f = std::fopen(p.c_str(), "wb");
       std::fwrite(bytes.data(), 1, bytes.size(), f);
       std::fclose(f);
     }},
};

struct StartupFileCase {
  const char* file;
  // Reads the file as the start does and checks that defaults came out.
  std::function<void()> read_and_check;
};

class StartupFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDamagedFileHandler([this](const std::string& path, const std::string& moved_to) {
      notices.push_back(path + " -> " + moved_to);
    });
    ResetRegistry();
  }
  void TearDown() override {
    SetDamagedFileHandler(nullptr);
    ResetRegistry();
  }
  std::vector<std::string> notices;
};

TEST_F(StartupFiles, DamagedFilesAreSetAsideWithOneNoticeAndDefaultsUsed) {
  const StartupFileCase cases[] = {
      {"tsset.dat",
       [] {
         TSettings s;
         s.RozmiarCzcionki = 99;
         LoadSettings(s);
         EXPECT_EQ(s.RozmiarCzcionki, 9);
         EXPECT_EQ(s.LimitPamieci, 256);
       }},
      {"tsview.dat",
       [] {
         TConfig layout(UserFile("tsview.dat"));
         EXPECT_FALSE(layout.LoadFromFile());
         EXPECT_TRUE(layout.Entries().empty());
       }},
      {"tsreg.dat",
       [] {
         RegistryWriteString("IdTS", "NEW");
         EXPECT_EQ(RegistryReadString("IdTS"), "NEW");
         EXPECT_FALSE(RegistryDisabled());
       }},
      {"tsdllin.dat",
       [] {
         LoadPlugIns();
         EXPECT_TRUE(PlugIns.empty());
       }},
  };
  for (const StartupFileCase& c : cases) {
    for (const Damage& d : kDamages) {
      test::TempHome home;
      notices.clear();
      const std::string path = home.Path(c.file);
      d.make(path);
      c.read_and_check();
      const std::string what = std::string(c.file) + ", " + d.name;
      ASSERT_EQ(notices.size(), 1u) << what;
      EXPECT_EQ(notices[0], path + " -> " + path + ".bad") << what;
      EXPECT_TRUE(fs::exists(fs::symlink_status(path + ".bad"))) << what;
      // The next start finds no damage: nothing more is set aside.
      notices.clear();
      c.read_and_check();
      EXPECT_TRUE(notices.empty()) << what;
    }
  }
}

TEST(ReadStartupFile, TellsMissingReadAndDamagedApart) {
  test::TempHome home;
  home.Write("small.dat", "abc");
  home.Write("limit.dat", std::string(10, 'x'));
  home.Write("over.dat", std::string(11, 'x'));
  ASSERT_EQ(::mkfifo(home.Path("pipe.dat").c_str(), 0600), 0);
  struct Case {
    const char* name;
    StartupFileState state;
    const char* bytes;
  } cases[] = {
      {"small.dat", StartupFileState::Read, "abc"},
      {"limit.dat", StartupFileState::Read, "xxxxxxxxxx"},
      {"over.dat", StartupFileState::Damaged, ""},
      {"pipe.dat", StartupFileState::Damaged, ""},
      {"missing.dat", StartupFileState::Missing, ""},
      {"missing/inner.dat", StartupFileState::Missing, ""},
      {".", StartupFileState::Damaged, ""},
  };
  for (const Case& c : cases) {
    const StartupFile file = ReadStartupFile(home.Path(c.name), 10);
    EXPECT_EQ(file.State, c.state) << c.name;
    EXPECT_EQ(file.Bytes, c.bytes) << c.name;
  }
  EXPECT_FALSE(ReadFileBytes(home.Path("pipe.dat")));
  EXPECT_FALSE(ReadFileBytes(home.Path("over.dat"), 10));
  EXPECT_EQ(ReadFileBytes(home.Path("over.dat")).value_or(""), std::string(11, 'x'));
}

}  // namespace
}  // namespace tessaro
