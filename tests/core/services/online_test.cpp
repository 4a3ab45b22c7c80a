#include "core/services/online.h"

#include <gtest/gtest.h>

#include "support/temp_home.h"

namespace tessaro {
namespace {

TEST(VersionComparison, ComparesComponentByComponent) {
  struct Case {
    const char* remote;
    const char* local;
    bool newer;
  };
  const Case cases[] = {
      {"1.6", "1.5.9.7", true},      // fewer components: the missing ones count as 0
      {"1.6.0.0", "1.5.9.7", true},
      {"1.5.10", "1.5.9.7", true},   // numbers, not text
      {"1.5.9.7", "1.5.9.7", false},
      {"1.5.9", "1.5.9.7", false},
      {"1.5.9.7.9", "1.5.9.7", false},  // a fifth component is not read
      {"2", "1.99.99.99", true},
      {"1.4", "1.5", false},
      {"<html>", "1.0", false},
      {"1..6", "1.0", false},
      {"1.6.", "1.0", false},
      {"", "1.0", false},
      {"1.6", "", false},
      {"1.6 beta", "1.0", false},
      {"99999999999.0", "1.0", false},  // too long to be a version number
  };
  for (const Case& c : cases) EXPECT_EQ(IsNewerVersion(c.remote, c.local), c.newer) << c.remote << " vs " << c.local;
}

TEST(UsageEvents, FieldsConsentAndAddress) {
  EXPECT_EQ(UsageEventFields("1.0.0.0", "ABOUT", "a&b=c", "ABCD", "PL"),
            (FormFields{{"akcja", "1.0.0.0@ ABOUT"}, {"dane", "a&b=c"}, {"id", "ABCD"}, {"lang", "PL"}}));
  EXPECT_FALSE(MaySendUsageEvent("", true, true));
  EXPECT_FALSE(MaySendUsageEvent("host", false, false));
  EXPECT_TRUE(MaySendUsageEvent("host", false, true));
  EXPECT_TRUE(MaySendUsageEvent("host", true, false));
  EXPECT_EQ(ServiceUrl("tessaro.example.org", kUpdatePath), "https://tessaro.example.org/ts/update");
  EXPECT_EQ(ServiceUrl("127.0.0.1:8123", kUsageEventPath), "http://127.0.0.1:8123/ts/netstatm/tsstat.php");
  EXPECT_EQ(ServiceUrl("localhost", "/x"), "http://localhost/x");
  EXPECT_EQ(ServiceUrl("127.example.org", "/x"), "https://127.example.org/x");
  EXPECT_EQ(ServiceUrl("127.0.0.1.example.org:80", "/x"), "https://127.0.0.1.example.org:80/x");
}

TEST(UsageEvents, FeedbackTexts) {
  EXPECT_EQ(ErrorTipMessage("  ala@example.org ", ""), "email: <b>ala@example.org</b><br>");
  EXPECT_EQ(ErrorTipMessage("", "  opis \r\n"), "opis");
  EXPECT_EQ(ErrorTipMessage(" ", " "), "");
  EXPECT_EQ(ErrorTipMessage("", std::string(1500, 'x')), std::string(1000, 'x'));
  EXPECT_EQ(FeedbackText(std::string(1001, 'y')).size(), 1000u);
}

TEST(UpdateCheck, AnnouncesEachNewVersionOnceAndIgnoresOtherReplies) {
  test::TempHome home;
  const std::string dir = home.Dir();
  // First start: "release" is made from the running version.
  EXPECT_FALSE(RecordUpdateReply(dir, "<html><body>Not found</body></html>", "1.5.9.7"));
  EXPECT_EQ(home.Read("release"), "1.5.9.7\r\n");
  EXPECT_TRUE(RecordUpdateReply(dir, "1.6.0.0\r\n", "1.5.9.7"));
  EXPECT_EQ(FirstLine(home.Read("release")), "1.6.0.0");
  EXPECT_EQ(FirstLine(home.Read("version")), "1.5.9.7");
  // The next start sees the same version: no second notice.
  EXPECT_FALSE(RecordUpdateReply(dir, "1.6.0.0\r\n", "1.5.9.7"));
  // Only the first 256 bytes are looked at; a failed download changes nothing.
  EXPECT_FALSE(RecordUpdateReply(dir, std::string(300, '7'), "1.5.9.7"));
  EXPECT_EQ(home.Read("update").size(), kUpdateReplyLimit);
  EXPECT_FALSE(RecordUpdateReply(dir, "", "1.5.9.7"));
  EXPECT_EQ(FirstLine(home.Read("release")), "1.6.0.0");
  EXPECT_TRUE(RecordUpdateReply(dir, "1.7", "1.5.9.7"));
}

}  // namespace
}  // namespace tessaro
