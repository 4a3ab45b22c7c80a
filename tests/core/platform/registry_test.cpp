#include "core/platform/registry.h"

#include <gtest/gtest.h>

#include <set>

#include "core/platform/program_paths.h"
#include "core/platform/version.h"
#include "core/platform/version_info.h"
#include "support/temp_home.h"

namespace tessaro {
namespace {

int g_failures = 0;
void CountFailure() { ++g_failures; }

class Registry : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRegistry();
    g_failures = 0;
    SetRegistryFailureHandler(CountFailure);
  }
  void TearDown() override {
    SetRegistryFailureHandler(nullptr);
    ResetRegistry();
  }
};

TEST_F(Registry, ValuesSurviveAndNamesIgnoreCase) {
  test::TempHome home;
  EXPECT_EQ(RegistryReadString("IdTS"), "");
  // Opening creates the store, as opening a missing key creates it.
  EXPECT_EQ(home.Read(kRegistryFile), "");
  RegistryWriteString("IdTS", "ABCDEFGHIJKLMNOP");
  RegistryWriteString("Informacja", "Brak");
  RegistryWriteString("informacja", "");
  EXPECT_EQ(RegistryReadString("IDTS"), "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(RegistryReadString("Informacja"), "");
  EXPECT_EQ(home.Read(kRegistryFile), "IdTS=ABCDEFGHIJKLMNOP\r\nInformacja=\r\n");
  EXPECT_EQ(g_failures, 0);
}

TEST_F(Registry, OddLinesAreSkippedAndValuesStayOnOneLine) {
  test::TempHome home;
  home.Write(kRegistryFile, "garbage\n=x\nPodswietlajBloki=Wylacz\nIdTS=a=b\r\n");
  EXPECT_EQ(RegistryReadString("PodswietlajBloki"), "Wylacz");
  EXPECT_EQ(RegistryReadString("IdTS"), "a=b");
  RegistryWriteString("Informacja", "two\r\nlines");
  EXPECT_EQ(RegistryReadString("Informacja"), "two  lines");
  EXPECT_EQ(RegistryReadString("PodswietlajBloki"), "Wylacz");
}

TEST_F(Registry, FirstFailureNotifiesOnceThenDisables) {
  SetProgramDir("/nonexistent/tessaro-registry-test");
  EXPECT_EQ(RegistryReadString("IdTS"), "");
  EXPECT_TRUE(RegistryDisabled());
  RegistryWriteString("IdTS", "X");
  EXPECT_EQ(RegistryReadString("IdTS"), "");
  EXPECT_EQ(g_failures, 1);
  // Even a store that works again stays disabled for the rest of the run.
  test::TempHome home;
  RegistryWriteString("IdTS", "X");
  EXPECT_EQ(RegistryReadString("IdTS"), "");
  EXPECT_EQ(home.Read(kRegistryFile), "");
  EXPECT_EQ(g_failures, 1);
}

TEST(UserId, SixteenLettersFromAToX) {
  std::mt19937 random(12345);
  std::set<char> seen;
  for (int round = 0; round < 200; ++round) {
    const std::string id = NewUserId(random);
    ASSERT_EQ(id.size(), 16u);
    for (char c : id) {
      ASSERT_GE(c, 'A');
      ASSERT_LE(c, 'X');
      seen.insert(c);
    }
  }
  EXPECT_EQ(seen.size(), 24u);  // every letter of the range occurs, none beyond it
}

TEST(VersionInfo, FileVersionComesFromTheBuild) {
  TVersionInfo info("/proc/self/exe");
  EXPECT_EQ(info.Item(TVersionInfo::kFileVersion), ProgramVersion());
  EXPECT_EQ(info.Item(7), "Tessaro");
  EXPECT_EQ(info.Item(10), "N/A");
  EXPECT_EQ(info.Item(-1), "N/A");
  TVersionInfo missing("/nonexistent/tessaro");
  for (int i = 0; i < 10; ++i) EXPECT_EQ(missing.Item(i), "N/A") << i;
}

}  // namespace
}  // namespace tessaro
