#include "core/settings/config.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/i18n/cp1250.h"
#include "support/temp_home.h"

namespace tessaro {
namespace {

std::string Bytes(std::initializer_list<int> list) {
  std::string s;
  for (int b : list) s += static_cast<char>(b);
  return s;
}

TEST(TConfig, WritesEachKindWithItsTag) {
  TConfig c("unused");
  c.WriteValue("i", std::int32_t{-2});
  c.WriteValue("t", true);
  c.WriteValue("f", false);
  c.WriteValue("d", 1.0);
  c.WriteValue("s", std::string("ab"));
  c.WriteValue("e", ConfigValue{});
  const std::string expected = Bytes({6, 0,
      1, 0, 'I', 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0,
      1, 0, 'T', 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0,
      1, 0, 'F', 0, 0, 0, 0, 0, 0, 0, 0,
      1, 0, 'D', 3, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F, 0, 0,
      1, 0, 'S', 4, 0, 2, 0, 0, 0, 'a', 'b', 0, 0,
      1, 0, 'E', 13, 0, 0, 0});
  EXPECT_EQ(c.Serialize(), expected);
}

TEST(TConfig, ReadsEveryTag) {
  const std::string file = Bytes({5, 0,
      1, 0, 'A', 0, 0, 0x2A, 0, 0, 0, 0, 0,
      1, 0, 'B', 1, 0, 7, 0, 0,
      1, 0, 'C', 3, 0, 0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0xC0, 0, 0,
      1, 0, 'D', 4, 0, 0, 0, 0, 0, 0, 0,
      1, 0, 'E', 13, 0, 2, 0, 9, 0, 13, 0});  // tag 13, then two additional values of unknown tags
  TConfig c("unused");
  ASSERT_TRUE(c.Parse(file));
  ASSERT_EQ(c.Entries().size(), 5u);
  EXPECT_EQ(c.ReadValue("a", {}), ConfigValue(std::int32_t{42}));
  EXPECT_EQ(c.ReadValue("b", {}), ConfigValue(true));
  EXPECT_EQ(c.ReadValue("c", {}), ConfigValue(-2.5));
  EXPECT_EQ(c.ReadValue("d", {}), ConfigValue(std::string()));
  EXPECT_EQ(c.ReadValue("e", {}), ConfigValue(std::int32_t{1}));
  EXPECT_EQ(c.Entries()[4].Values, (std::vector<ConfigValue>{std::int32_t{1}, std::int32_t{1}}));
  // Additional values survive a save, now as the integers they were read as.
  const std::string saved = c.Serialize();
  EXPECT_EQ(saved.substr(saved.size() - 14), Bytes({2, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
}

TEST(TConfig, NamesAreUpperCasedWithPolishLetters) {
  TConfig c("unused");
  c.WriteValue(Utf8ToCp1250("zażółć"), std::int32_t{1});
  c.WriteValue("NazwaCzcionki", std::string("Arial"));
  c.WriteValue(Utf8ToCp1250("ZAŻÓŁĆ"), std::int32_t{2});  // the same key
  ASSERT_EQ(c.Entries().size(), 2u);
  EXPECT_EQ(c.Entries()[0].Name, Utf8ToCp1250("ZAŻÓŁĆ"));
  EXPECT_EQ(c.IndexOfKey(Utf8ToCp1250("Zażółć")), 0);
  EXPECT_EQ(c.ReadValue(Utf8ToCp1250("zAżÓłĆ"), {}), ConfigValue(std::int32_t{2}));
  EXPECT_EQ(c.IndexOfKey("nazwaczcionki"), 1);
  EXPECT_EQ(c.IndexOfKey("zazolc"), -1);
  EXPECT_EQ(c.ReadValue("missing", std::string("x")), ConfigValue(std::string("x")));
  EXPECT_EQ(c.Entries().size(), 2u);  // a read adds nothing
}

TEST(TConfig, CorruptImagesAreRejectedWithoutHugeAllocations) {
  struct Case {
    const char* name;
    std::string bytes;
    size_t entries_kept;  // complete entries before the damage
  } cases[] = {
      {"empty", "", 0},
      {"half a count", Bytes({1}), 0},
      {"count of 65535 with one entry", Bytes({0xFF, 0xFF, 1, 0, 'A', 13, 0, 0, 0}), 1},
      {"name longer than the file", Bytes({1, 0, 0xFF, 0xFF, 'A'}), 0},
      {"negative string length", Bytes({1, 0, 1, 0, 'A', 4, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0}), 0},
      {"string longer than the file", Bytes({1, 0, 1, 0, 'A', 4, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0}), 0},
      {"65535 additional values claimed", Bytes({1, 0, 1, 0, 'A', 13, 0, 0xFF, 0xFF, 13, 0}), 0},
      {"cut inside an extended", Bytes({2, 0, 1, 0, 'A', 13, 0, 0, 0, 1, 0, 'B', 3, 0, 1, 2}), 1},
  };
  for (const Case& c : cases) {
    TConfig config("unused");
    EXPECT_FALSE(config.Parse(c.bytes)) << c.name;
    EXPECT_LE(config.Entries().size(), c.bytes.size()) << c.name;
    size_t named = 0;
    for (const TVariable& v : config.Entries()) named += !v.Name.empty();
    EXPECT_EQ(named, c.entries_kept) << c.name;
  }
}

TEST(TConfig, FileRoundTripAndMissingFile) {
  test::TempHome home;
  TConfig missing(home.Path("none.dat"));
  missing.WriteValue("kept", std::int32_t{5});
  EXPECT_FALSE(missing.LoadFromFile());
  EXPECT_EQ(missing.Entries().size(), 1u);  // untouched

  TConfig a(home.Path("a.dat"));
  a.WriteValue("x", 0.1);
  a.WriteValue("y", std::string(Utf8ToCp1250("źdźbło")));
  ASSERT_TRUE(a.SaveToFile());
  TConfig b(home.Path("a.dat"));
  b.WriteValue("old", std::int32_t{1});
  ASSERT_TRUE(b.LoadFromFile());
  EXPECT_EQ(b.Entries().size(), 2u);
  EXPECT_EQ(b.ReadValue("X", {}), ConfigValue(0.1));
  EXPECT_EQ(b.ReadValue("Y", {}), ConfigValue(std::string(Utf8ToCp1250("źdźbło"))));
}

TEST(TConfig, FailedSaveKeepsTheOldFile) {
  test::TempHome home;
  home.Write("cfg.dat", "old");
  TConfig longName(home.Path("cfg.dat"));
  longName.WriteValue(std::string(65536, 'n'), std::int32_t{1});
  EXPECT_FALSE(longName.SaveToFile());
  EXPECT_EQ(home.Read("cfg.dat"), "old");

  // A folder in the way of the file and a missing folder.
  std::filesystem::create_directory(home.Path("dir.dat"));
  EXPECT_FALSE(TConfig(home.Path("dir.dat")).SaveToFile());
  EXPECT_FALSE(TConfig(home.Path("no/such/cfg.dat")).SaveToFile());
  size_t files = 0;
  for (const auto& e : std::filesystem::directory_iterator(home.Dir())) files += e.is_regular_file();
  EXPECT_EQ(files, 1u);  // no temporary file left behind
}

}  // namespace
}  // namespace tessaro
