#include "core/settings/settings.h"

#include <gtest/gtest.h>

#include "core/settings/config.h"
#include "support/temp_home.h"

namespace tessaro {
namespace {

// A record in which every field differs from its default.
TSettings Unusual() {
  TSettings s;
  s.ZamieniajOperator = false;
  s.DynamiczneTablice = false;
  s.WielkoscLiter = false;
  s.PodswietlajBloki = false;
  s.KonsolaWejscie = true;
  s.KonsolaWyjscie = true;
  s.NazwaCzcionki = "Arial";
  s.RozmiarCzcionki = 12;
  s.KolorWypelnienia = 0x123456;
  s.KolorObrysu = 0x654321;
  s.WersjaPilotazowa = true;
  s.Interfejs = "Aluminum";
  s.SprawdzajAktualizacje = true;
  s.LimitPamieci = 512;
  s.LimitHistorii = 0;
  return s;
}

bool SameField(const SettingKey& key, const TSettings& a, const TSettings& b) {
  if (key.flag) return a.*key.flag == b.*key.flag;
  if (key.number) return a.*key.number == b.*key.number;
  return a.*key.text == b.*key.text;
}

TEST(Settings, DefaultFileStartsWithTheCountAndTheFirstKey) {
  test::TempHome home;
  ASSERT_TRUE(SaveSettings(TSettings{}));
  const std::string file = home.Read("tsset.dat");
  const std::string head = std::string("\x0F\x00\x11\x00", 4) + "ZAMIENIAJOPERATOR" +
                           std::string("\x00\x00\xFF\xFF\xFF\xFF\x00\x00", 8);
  EXPECT_EQ(file.substr(0, head.size()), head);

  TConfig c(home.Path("tsset.dat"));
  ASSERT_TRUE(c.LoadFromFile());
  ASSERT_EQ(c.Entries().size(), std::size(kSettingKeys));
  for (size_t i = 0; i < std::size(kSettingKeys); ++i) {
    EXPECT_EQ(c.IndexOfKey(kSettingKeys[i].name), static_cast<int>(i));
  }
  EXPECT_EQ(c.ReadValue("KolorWypelnienia", {}), ConfigValue(std::int32_t{0xBBFFFF}));
  EXPECT_EQ(c.ReadValue("Interfejs", {}), ConfigValue(std::string("Office2003")));
}

TEST(Settings, SaveThenLoadGivesTheSameRecord) {
  test::TempHome home;
  ASSERT_TRUE(SaveSettings(Unusual()));
  TSettings loaded;
  LoadSettings(loaded);
  for (const SettingKey& key : kSettingKeys) EXPECT_TRUE(SameField(key, loaded, Unusual())) << key.name;
}

TEST(Settings, EveryTruncationKeepsTheKeysReadBeforeIt) {
  test::TempHome home;
  ASSERT_TRUE(SaveSettings(Unusual()));
  const std::string full = home.Read("tsset.dat");
  // Where each entry ends in the file.
  std::vector<size_t> ends;
  TConfig probe("unused");
  for (const SettingKey& key : kSettingKeys) {
    probe.WriteValue(key.name, ConfigValue{});
  }
  {
    TConfig whole(home.Path("tsset.dat"));
    ASSERT_TRUE(whole.LoadFromFile());
    TConfig prefix("unused");
    for (const TVariable& v : whole.Entries()) {
      prefix.WriteValue(v.Name, v.Value);
      ends.push_back(prefix.Serialize().size());
    }
  }
  const TSettings current = Unusual();
  for (size_t cut = 0; cut < full.size(); ++cut) {
    home.Write("tsset.dat", full.substr(0, cut));
    TSettings s = current;  // the colours of a missing key stay as they are
    LoadSettings(s);
    for (size_t k = 0; k < std::size(kSettingKeys); ++k) {
      const SettingKey& key = kSettingKeys[k];
      bool read = ends[k] <= cut;
      TSettings expected = read || key.missing_keeps_current ? current : TSettings{};
      EXPECT_TRUE(SameField(key, s, expected)) << "cut " << cut << " key " << key.name;
    }
  }
}

TEST(Settings, MissingEmptyAndOddValues) {
  test::TempHome home;
  TSettings s = Unusual();
  LoadSettings(s);  // no file
  EXPECT_TRUE(s.ZamieniajOperator);
  EXPECT_TRUE(s.WielkoscLiter);
  EXPECT_EQ(s.NazwaCzcionki, "Courier New");
  EXPECT_EQ(s.RozmiarCzcionki, 9);
  EXPECT_EQ(s.KolorWypelnienia, 0x123456);  // a missing colour keeps the current default

  home.Write("tsset.dat", std::string("\x00\x00", 2));  // only the count 0
  TConfig empty(home.Path("tsset.dat"));
  EXPECT_TRUE(empty.LoadFromFile());
  EXPECT_TRUE(empty.Entries().empty());

  // Tag 13 reads as 1 (true for a flag); a string where a flag belongs and a
  // flag where a string belongs leave those fields alone.
  TConfig odd(home.Path("tsset.dat"));
  odd.WriteValue("KonsolaWejscie", ConfigValue{});
  odd.WriteValue("ZamieniajOperator", std::string("yes"));
  odd.WriteValue("Interfejs", std::int32_t{3});
  odd.WriteValue("WielkoscLiter", std::int32_t{7});
  odd.WriteValue("RozmiarCzcionki", 11.0);
  ASSERT_TRUE(odd.SaveToFile());
  s = Unusual();
  LoadSettings(s);
  EXPECT_TRUE(s.KonsolaWejscie);
  EXPECT_FALSE(s.ZamieniajOperator);
  EXPECT_EQ(s.Interfejs, "Aluminum");
  EXPECT_TRUE(s.WielkoscLiter);
  EXPECT_EQ(s.RozmiarCzcionki, 12);
}

TEST(Settings, RestoredDefaultsDifferFromMissingOnlyInCaseSensitivity) {
  TSettings restored = RestoredDefaults();
  TSettings missing;
  for (const SettingKey& key : kSettingKeys) {
    EXPECT_EQ(SameField(key, restored, missing), std::string(key.name) != "WielkoscLiter") << key.name;
  }
  EXPECT_FALSE(restored.WielkoscLiter);
}

TEST(Settings, SaveWritesOnlyTheTableKeysAndFailsCleanly) {
  test::TempHome home;
  TConfig extra(home.Path("tsset.dat"));
  extra.WriteValue("Obcy", std::int32_t{1});
  ASSERT_TRUE(extra.SaveToFile());
  ASSERT_TRUE(SaveSettings(TSettings{}));
  TConfig c(home.Path("tsset.dat"));
  ASSERT_TRUE(c.LoadFromFile());
  EXPECT_EQ(c.IndexOfKey("Obcy"), -1);
  EXPECT_EQ(c.Entries().size(), std::size(kSettingKeys));

  EXPECT_FALSE(SaveSettings(TSettings{}, home.Path("missing/tsset.dat")));
}

}  // namespace
}  // namespace tessaro
