#include "core/services/recovery_store.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

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

// A writer is judged by the lock it holds, not by whether some process runs
// under its number: here the number is this very process's id.
TEST(RecoveryStore, WritersAreJudgedByTheirLock) {
  test::TempHome home;
  const std::string folder = RecoveryFolder(home.Dir());
  const int pid = static_cast<int>(::getpid());
  ASSERT_TRUE(WriteRecoveryCopy(folder, pid, 1, "zostawiony", "", {1}));
  EXPECT_FALSE(WriterAlive(folder, pid));
  ASSERT_EQ(LeftBehindCopies(folder).size(), 1u);

  {
    // The number with copies left behind is not taken over; the next one is.
    TRecoveryLock lock(folder, pid);
    ASSERT_TRUE(lock.Held());
    EXPECT_EQ(lock.Writer(), pid + 1);
    TRecoveryLock second(folder, pid);
    EXPECT_EQ(second.Writer(), pid + 2);  // a running writer's number neither
    ASSERT_TRUE(WriteRecoveryCopy(folder, lock.Writer(), 1, "biezacy", "", {2}));
    EXPECT_TRUE(WriterAlive(folder, lock.Writer()));
    const auto copies = LeftBehindCopies(folder);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].Nazwa, "zostawiony");
    RemoveLeftBehindCopies(folder);
    EXPECT_TRUE(LeftBehindCopies(folder).empty());
    EXPECT_TRUE(std::filesystem::exists(folder + "/" + RecoveryFileName(lock.Writer(), 1)));
  }
  // A clean end releases the lock and removes its file.
  EXPECT_FALSE(WriterAlive(folder, pid + 1));
  EXPECT_FALSE(std::filesystem::exists(folder + "/odzysk-" + std::to_string(pid + 1) + ".lock"));
  ASSERT_EQ(LeftBehindCopies(folder).size(), 1u);
}

// A writer killed with SIGKILL runs no code of its own at the end; the kernel
// drops its lock, so its copy is offered and its lock file goes with it.
TEST(RecoveryStore, AKilledWritersCopiesAreLeftBehind) {
  test::TempHome home;
  const std::string folder = RecoveryFolder(home.Dir());
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    TRecoveryLock lock(folder, static_cast<int>(::getpid()));
    const bool written = lock.Held() && WriteRecoveryCopy(folder, lock.Writer(), 1, "zabity", "", {3});
    const char byte = written ? 1 : 0;
    (void)!::write(ready[1], &byte, 1);
    for (;;) ::pause();
  }
  ::close(ready[1]);
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  ::close(ready[0]);
  EXPECT_EQ(byte, 1);
  EXPECT_TRUE(LeftBehindCopies(folder).empty());
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  const auto copies = LeftBehindCopies(folder);
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].Nazwa, "zabity");
  RemoveLeftBehindCopies(folder);
  EXPECT_TRUE(std::filesystem::is_empty(folder));
}

}  // namespace
}  // namespace tessaro
