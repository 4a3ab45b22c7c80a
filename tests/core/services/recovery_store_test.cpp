#include "core/services/recovery_store.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "support/temp_home.h"

namespace tessaro {
namespace {

TEST(RecoveryStore, CopiesOfDeadWritersAreListedAndRemoved) {
  test::TempHome home;
  const std::string folder = RecoveryFolder(home.Dir());
  const TMemoryStream a = {1, 2, 3};
  const TMemoryStream b = {'\n', 0, '9'};
  ASSERT_TRUE(WriteRecoveryCopy(folder, 700, 2, "Algorytm 2", "", a));
  ASSERT_TRUE(WriteRecoveryCopy(folder, 700, 1, "silnia.alg", "/home/ala/2\n.alg", b));
  ASSERT_TRUE(WriteRecoveryCopy(folder, 800, 1, "live", "", a));
  home.Write("Odzyskane/odzysk-700-3.tsr", "TSREC1\n999\nshort");  // cut short by a crash
  home.Write("Odzyskane/notes.txt", "not a copy");
  const auto alive = [](int process) { return process == 800; };

  const auto copies = LeftBehindCopies(folder, alive);
  ASSERT_EQ(copies.size(), 2u);
  EXPECT_EQ(copies[0].Serial, 1);
  EXPECT_EQ(copies[0].Nazwa, "silnia.alg");
  EXPECT_EQ(copies[0].Sciezka, "/home/ala/2\n.alg");
  EXPECT_EQ(copies[0].Diagram, b);
  EXPECT_EQ(copies[1].Nazwa, "Algorytm 2");
  EXPECT_EQ(copies[1].Diagram, a);

  RemoveLeftBehindCopies(folder, alive);
  EXPECT_TRUE(LeftBehindCopies(folder, [](int) { return false; }).size() == 1);  // the live writer's
  EXPECT_TRUE(std::filesystem::exists(home.Path("Odzyskane/notes.txt")));
  RemoveRecoveryCopies(folder, 800);
  EXPECT_TRUE(LeftBehindCopies(folder, [](int) { return false; }).empty());
}

TEST(RecoveryStore, RejectsDamagedCopies) {
  TRecoveryCopy copy;
  const std::string good = EncodeRecoveryCopy("n", "p", {7});
  EXPECT_TRUE(DecodeRecoveryCopy(good, copy));
  for (const std::string& bad : {std::string(), std::string("TSREC1\n"), good.substr(0, good.size() - 1),
                                 std::string("TSREC1\nx\n"), std::string("TSREC1\n-1\n\n0\n1"),
                                 std::string("XSREC1\n1\nn1\np\x07")})
    EXPECT_FALSE(DecodeRecoveryCopy(bad, copy)) << bad;
}

TEST(RecoveryStore, ProcessAliveKnowsThisProcess) {
  EXPECT_TRUE(ProcessAlive(static_cast<int>(::getpid())));
}

}  // namespace
}  // namespace tessaro
