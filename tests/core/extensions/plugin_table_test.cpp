#include "core/extensions/plugin_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/extensions/plugin_dll.h"
#include "core/i18n/language.h"
#include "extension_home.h"
#include "support/recording_dialogs.h"

namespace fs = std::filesystem;

namespace tessaro {
namespace {

using Lines = std::vector<std::string>;

// One list-file record written byte by byte at its documented offsets.
std::string Record(const std::string& name, const std::string& description,
                   const std::string& file, unsigned char enabled) {
  std::string record(620, '\0');
  record[0] = static_cast<char>(name.size());
  record.replace(1, name.size(), name);
  record[101] = static_cast<char>(description.size());
  record.replace(102, description.size(), description);
  record[356] = static_cast<char>(file.size());
  record.replace(357, file.size(), file);
  record[611] = static_cast<char>(enabled);
  record.replace(612, 8, "\x01\x00\x00\x00\x78\x56\x34\x12", 8);  // ignored by readers
  return record;
}

const Lines kStartCalls = {"UstawUchwytAplikacji 11", "UstawUchwytOknaGlownego 22",
                           "InicjujRozszerzenie"};

class PlugInTable : public ::testing::Test {
 protected:
  void WriteList(const std::string& bytes) { ext.home.Write("tsdllin.dat", bytes); }
  std::vector<std::string> FileNames() const {
    std::vector<std::string> names;
    for (const TPlugInEntry& entry : PlugIns) names.push_back(entry.FileName);
    return names;
  }

  test::ExtensionHome ext;
};

TEST_F(PlugInTable, StartUpKeepsEnabledEntriesAndInitialisesThem) {
  ext.Install(TESSARO_EXT_PROBE, "a.so");
  ext.Install(TESSARO_EXT_PROBE, "b.so");
  WriteList(Record("Wy\xB3\xB9" "czone", "", "a.so", 0) +
            Record("Sonda z pliku", "Opis z pliku", "b.so", 1));
  LoadPlugIns(11, 22);

  ASSERT_EQ(FileNames(), (Lines{"b.so"}));
  const TPlugInEntry& entry = PlugIns[0];
  // Name and description come from the file; the library is not asked.
  EXPECT_EQ(entry.Name, "Sonda z pliku");
  EXPECT_EQ(entry.Description, "Opis z pliku");
  EXPECT_EQ(entry.Enabled, 1);
  EXPECT_EQ(entry.UsedByAlgorithm, 0);
  EXPECT_TRUE(IsModuleLoaded(entry.Module));
  EXPECT_EQ(ext.Log(), kStartCalls);

  // The manager lists both libraries, the disabled one unchecked and now
  // known; other files, folders and other letter cases of the mask are not
  // libraries.
  ext.home.Write("Rozszerzenia/notatka.txt", "x");
  ext.home.Write("Rozszerzenia/DUZE.SO", "x");
  fs::create_directory(ext.home.Path("Rozszerzenia/katalog.so"));
  std::vector<TPlugInItem> items = RefreshPlugIns();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].FileName, "a.so");
  EXPECT_FALSE(items[0].Checked);
  EXPECT_EQ(items[1].FileName, "b.so");
  EXPECT_TRUE(items[1].Checked);
  ASSERT_EQ(FileNames(), (Lines{"b.so", "a.so"}));
  EXPECT_EQ(PlugIns[1].Name, "Sonda");  // identity read from the library
  EXPECT_EQ(PlugIns[1].Enabled, 0);
  EXPECT_TRUE(IsModuleLoaded(PlugIns[1].Module));
}

TEST_F(PlugInTable, ListFileRoundTripDropsTheDisabledEntryAtTheNextStart) {
  ext.Install(TESSARO_EXT_PROBE, "a.so");
  ext.Install(TESSARO_EXT_MATEMATYKA, "matematyka.so");
  LoadPlugIns();
  RefreshPlugIns();
  ASSERT_TRUE(CheckPlugIn("matematyka.so", true));
  ASSERT_TRUE(SavePlugIns());

  std::string bytes = ext.home.Read("tsdllin.dat");
  ASSERT_EQ(bytes.size(), 2u * 620);
  EXPECT_EQ(bytes.substr(356, 5), std::string("\x04" "a.so"));
  EXPECT_EQ(bytes[611], 0);
  EXPECT_EQ(bytes.substr(620, 19), std::string("\x12" "Matematyka szkolna"));
  EXPECT_EQ(bytes[620 + 611], 1);

  UnloadPlugIns();
  LoadPlugIns();
  ASSERT_EQ(FileNames(), (Lines{"matematyka.so"}));
  EXPECT_EQ(PlugIns[0].Name, "Matematyka szkolna");
  EXPECT_FALSE(PlugIns[0].Description.empty());
  EXPECT_LE(PlugIns[0].Description.size(), 254u);
}

TEST_F(PlugInTable, StartUpDropsRecordsWithoutTheirLibrary) {
  ext.Install(TESSARO_EXT_PROBE, "ts_probe.so");
  struct Case {
    const char* what;
    std::string file_name;
  } cases[] = {
      {"deleted from the folder", "usuniete.so"},
      {"different letter case", "TS_PROBE.so"},
      {"a path outside the folder", TESSARO_EXT_PROBE},
      {"a relative path", "../Rozszerzenia/ts_probe.so"},
      {"the folder itself", "."},
      {"no name", ""},
  };
  for (const Case& c : cases) {
    WriteList(Record("X", "", c.file_name, 1));
    LoadPlugIns();
    EXPECT_TRUE(PlugIns.empty()) << c.what;
    EXPECT_TRUE(ext.Log().empty()) << c.what;
  }
  // Letter case makes a different extension: the file is a new, unchecked one.
  WriteList(Record("X", "", "TS_PROBE.so", 1));
  LoadPlugIns();
  std::vector<TPlugInItem> items = RefreshPlugIns();
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].FileName, "ts_probe.so");
  EXPECT_FALSE(items[0].Checked);
  EXPECT_EQ(FindPlugIn("TS_PROBE.so"), -1);
}

TEST_F(PlugInTable, OddListFilesLoadWhatTheirWholeRecordsHold) {
  ext.Install(TESSARO_EXT_PROBE, "a.so");
  std::string oversized = Record(std::string(100, 'n'), std::string(254, 'd'), "a.so", 1);
  oversized[0] = static_cast<char>(200);     // longer than the 100-byte field
  oversized[101] = static_cast<char>(255);   // longer than the 254-byte field
  WriteList(oversized + Record("again", "", "a.so", 1) + std::string(300, '\x07'));
  LoadPlugIns(11, 22);
  ASSERT_EQ(FileNames(), (Lines{"a.so"}));  // the repeated record loads nothing twice
  EXPECT_EQ(PlugIns[0].Name, std::string(100, 'n'));
  EXPECT_EQ(PlugIns[0].Description, std::string(254, 'd'));
  EXPECT_EQ(ext.Log(), kStartCalls);
}

TEST_F(PlugInTable, UnreadableListFileEmptiesTheTableAndIsKeptAside) {
  fs::create_directory(ext.home.Path("tsdllin.dat"));
  ext.home.Write("tsdllin.dat/inside", "x");
  LoadPlugIns();
  EXPECT_TRUE(PlugIns.empty());
  EXPECT_FALSE(fs::exists(ext.home.Path("tsdllin.dat")));
  EXPECT_EQ(ext.home.Read("tsdllin.dat.bad/inside"), "x");

  // No list file at all is no error.
  LoadPlugIns();
  EXPECT_TRUE(PlugIns.empty());
}

TEST_F(PlugInTable, FailedSaveKeepsTheOldFileAndTheTableWithOneNotice) {
  test::RecordingDialogs dialogs;
  ext.Install(TESSARO_EXT_PROBE, "a.so");
  WriteList(Record("A", "", "a.so", 1));
  LoadPlugIns();
  ASSERT_EQ(PlugIns.size(), 1u);
  std::string before = ext.home.Read("tsdllin.dat");
  // The list file cannot be replaced while a folder holds its name.
  fs::remove(ext.home.Path("tsdllin.dat"));
  ext.home.Write("tsdllin.dat/keep", before);
  ext.ClearLog();

  EXPECT_FALSE(SavePlugIns());
  ASSERT_EQ(PlugIns.size(), 1u);
  EXPECT_TRUE(IsModuleLoaded(PlugIns[0].Module));  // still callable by the next compilation
  EXPECT_TRUE(ext.Log().empty());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].caption, LangText("msgpi00004"));
  EXPECT_EQ(dialogs.shown[0].text, LangText("msgpi00007"));
  EXPECT_EQ(ext.home.Read("tsdllin.dat/keep"), before);
  for (const auto& item : fs::directory_iterator(ext.home.Dir())) {
    EXPECT_EQ(item.path().filename().string().find("tsdllin.dat."), std::string::npos)
        << "temporary file left behind: " << item.path();
  }
}

TEST_F(PlugInTable, CheckingLoadsTheIdentityAndUncheckingReleases) {
  test::RecordingDialogs dialogs;
  ext.Install(TESSARO_EXT_PROBE, "a.so");
  LoadPlugIns();
  RefreshPlugIns();
  ASSERT_EQ(PlugIns.size(), 1u);
  ext.ClearLog();

  ASSERT_TRUE(CheckPlugIn("a.so", false));
  EXPECT_EQ(PlugIns[0].Enabled, 0);
  EXPECT_EQ(PlugIns[0].Module, 0u);
  EXPECT_EQ(ext.Log(), (Lines{"ZakonczRozszerzenie"}));

  ext.ClearLog();
  ASSERT_TRUE(CheckPlugIn("a.so", true));
  EXPECT_EQ(PlugIns[0].Enabled, 1);
  EXPECT_TRUE(IsModuleLoaded(PlugIns[0].Module));
  EXPECT_EQ(PlugIns[0].Name, "Sonda");
  // Enabled while the program runs: loaded for its identity, not initialised.
  EXPECT_EQ(ext.Log(), (Lines{"PobierzNazwe", "PobierzOpis"}));
  EXPECT_TRUE(dialogs.shown.empty());

  EXPECT_FALSE(CheckPlugIn("A.so", true));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].caption, LangText("msgpi00004"));
  EXPECT_EQ(dialogs.shown[0].text, LangText("msgpi00001"));
}

TEST_F(PlugInTable, DetailsOfASelectedLibrary) {
  test::RecordingDialogs dialogs;
  ext.Install(TESSARO_EXT_MATEMATYKA, "m.so");
  ext.Install(TESSARO_EXT_NO_FUNCTIONS, "pusta.so");
  LoadPlugIns();
  RefreshPlugIns();

  std::optional<TPlugInDetails> details = PlugInDetails("m.so");
  ASSERT_TRUE(details);
  EXPECT_EQ(details->Name, "Matematyka szkolna");
  ASSERT_EQ(details->Functions.size(), 6u);
  EXPECT_EQ(details->Functions[1].name, "NWD");

  details = PlugInDetails("pusta.so");
  ASSERT_TRUE(details);
  EXPECT_EQ(details->Description, "");
  EXPECT_TRUE(details->Functions.empty());
  EXPECT_TRUE(dialogs.shown.empty());

  EXPECT_FALSE(PlugInDetails("brak.so"));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].caption, LangText("msgpi00004"));
  EXPECT_EQ(dialogs.shown[0].text, LangText("msgpi00002"));
}

TEST_F(PlugInTable, UnloadFinalisesEveryEntryAlsoThoseNeverInitialised) {
  ext.Install(TESSARO_EXT_PROBE, "a.so");
  ext.Install(TESSARO_EXT_PROBE, "b.so");
  WriteList(Record("A", "", "a.so", 1));
  LoadPlugIns();
  RefreshPlugIns();  // loads b.so for its name only
  ext.ClearLog();
  UnloadPlugIns();
  EXPECT_EQ(ext.Log(), (Lines{"ZakonczRozszerzenie", "ZakonczRozszerzenie"}));
  for (const TPlugInEntry& entry : PlugIns) EXPECT_EQ(entry.Module, 0u);
}

TEST_F(PlugInTable, LibraryThatFailsToLoadKeepsItsEntryWithoutExports) {
  ext.home.Write("Rozszerzenia/zepsute.so", "not a library");
  WriteList(Record("Zepsute", "", "zepsute.so", 1));
  LoadPlugIns();
  ASSERT_EQ(PlugIns.size(), 1u);
  EXPECT_EQ(PlugIns[0].Module, 0u);
  EXPECT_FALSE(PlugIns[0].LoadError.empty());
  EXPECT_TRUE(PluginFunctions(PlugIns[0].Module).empty());
  ReadPlugInIdentity(PlugIns[0]);
  EXPECT_EQ(PlugIns[0].Name, "");  // no PobierzNazwe to ask
}

class PlugInImport : public PlugInTable {
 protected:
  void SetUp() override {
    ext.Install(TESSARO_EXT_PROBE, "a.so");
    WriteList(Record("A", "", "a.so", 1));
    LoadPlugIns(11, 22);
    ext.ClearLog();
  }
  test::RecordingDialogs dialogs;
};

TEST_F(PlugInImport, NewLibraryIsCopiedWithoutAQuestion) {
  TImportOutcome outcome = ImportPlugIn(TESSARO_EXT_MATEMATYKA);
  EXPECT_EQ(outcome.result, ImportResult::Copied);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_TRUE(fs::exists(ext.home.Path("Rozszerzenia/matematyka_szkolna.so")));
  ASSERT_EQ(outcome.items.size(), 2u);
  EXPECT_EQ(outcome.items[1].FileName, "matematyka_szkolna.so");
  EXPECT_FALSE(outcome.items[1].Checked);
  // Listed and in the table, so it can be checked at once.
  EXPECT_TRUE(CheckPlugIn("matematyka_szkolna.so", true));
  Lines expected = {"ZakonczRozszerzenie"};
  expected.insert(expected.end(), kStartCalls.begin(), kStartCalls.end());
  EXPECT_EQ(ext.Log(), expected);
}

// Checks made in the manager but not yet confirmed with "Ok" are not in the
// list file that the import reloads from.
TEST_F(PlugInImport, UnconfirmedChecksSurviveAnImport) {
  ext.Install(TESSARO_EXT_SIN, "b.so");
  RefreshPlugIns();
  ASSERT_TRUE(CheckPlugIn("b.so", true));
  ASSERT_TRUE(CheckPlugIn("a.so", false));
  TImportOutcome outcome = ImportPlugIn(TESSARO_EXT_MATEMATYKA);
  ASSERT_EQ(outcome.result, ImportResult::Copied);
  ASSERT_EQ(outcome.items.size(), 3u);
  EXPECT_EQ(outcome.items[0].FileName, "a.so");
  EXPECT_FALSE(outcome.items[0].Checked);
  EXPECT_EQ(outcome.items[1].FileName, "b.so");
  EXPECT_TRUE(outcome.items[1].Checked);
  EXPECT_FALSE(outcome.items[2].Checked);  // the imported library
  EXPECT_EQ(PlugIns[FindPlugIn("a.so")].Enabled, 0);
  EXPECT_EQ(PlugIns[FindPlugIn("a.so")].Module, 0u);
  EXPECT_EQ(PlugIns[FindPlugIn("b.so")].Enabled, 1);
  EXPECT_TRUE(IsModuleLoaded(PlugIns[FindPlugIn("b.so")].Module));
}

TEST_F(PlugInImport, MissingExtensionFolderIsCreated) {
  UnloadPlugIns();
  fs::remove_all(ext.home.Path("Rozszerzenia"));
  EXPECT_EQ(ImportPlugIn(TESSARO_EXT_PROBE).result, ImportResult::Copied);
  EXPECT_TRUE(fs::exists(ext.home.Path("Rozszerzenia/ts_probe.so")));
}

TEST_F(PlugInImport, NothingWorthCopyingChangesNothingAndSaysWhy) {
  ext.home.Write("\xE4\xB8\xAD.so", "a name without a Windows-1250 form");
  ext.home.Write("tekst.so", "not a library");
  fs::copy_file(TESSARO_EXT_PROBE, ext.home.Path("sonda.dll"));
  fs::copy_file(TESSARO_EXT_NO_FUNCTIONS, ext.home.Path("pusta.so"));
  struct Case {
    std::string source;
    std::string file;    // as the notice names it
    std::string reason;  // how the notice's reason begins
  } cases[] = {
      {ext.home.Path("brak.so"), "brak.so", LangText("msgpi00009")},
      {ext.home.Dir() + "/", "", LangText("msgpi00009")},
      {ext.home.Path("sonda.dll"), "sonda.dll", LangText("msgpi00013")},
      {ext.home.Path("\xE4\xB8\xAD.so"), "?.so", LangText("msgpi00010")},
      {ext.home.Path("tekst.so"), "tekst.so", LangText("msgpi00012") + " "},
      {ext.home.Path("pusta.so"), "pusta.so", LangText("msgpi00014")},  // loads, but exports no function
  };
  for (const Case& c : cases) {
    dialogs.shown.clear();
    TImportOutcome outcome = ImportPlugIn(c.source);
    EXPECT_EQ(outcome.result, ImportResult::Failed) << c.source;
    EXPECT_FALSE(outcome.reloaded) << c.source;
    EXPECT_EQ(outcome.reason.rfind(c.reason, 0), 0u) << c.source << ": " << outcome.reason;
    ASSERT_EQ(dialogs.shown.size(), 1u) << c.source;
    EXPECT_EQ(dialogs.shown[0].caption, LangText("msgpi00003"));
    EXPECT_EQ(dialogs.shown[0].text,
              LangText("msgpi00008") + "\r\n" + c.file + "\r\n" + outcome.reason);
  }
  EXPECT_TRUE(ext.Log().empty());  // nothing was unloaded
  EXPECT_TRUE(IsModuleLoaded(PlugIns[0].Module));
  EXPECT_FALSE(fs::exists(ext.home.Path("Rozszerzenia/tekst.so")));
  EXPECT_FALSE(fs::exists(ext.home.Path("Rozszerzenia/pusta.so")));
}

TEST_F(PlugInImport, ReplacingAFileIsAskedFirst) {
  std::string source = ext.home.Path("a.so");
  fs::copy_file(TESSARO_EXT_SIN, source);

  dialogs.answers = {Answer::No};
  EXPECT_EQ(ImportPlugIn(source).result, ImportResult::Declined);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, "PytanieTakNie");
  EXPECT_EQ(dialogs.shown[0].caption, LangText("msgpi00003"));
  EXPECT_EQ(dialogs.shown[0].text, LangText("msgpi00005"));
  EXPECT_TRUE(ext.Log().empty());  // nothing unloaded
  EXPECT_TRUE(IsModuleLoaded(PlugIns[0].Module));

  dialogs.answers = {Answer::Yes};
  EXPECT_EQ(ImportPlugIn(source).result, ImportResult::Copied);
  ASSERT_EQ(PlugIns.size(), 1u);
  EXPECT_EQ(PluginName(PlugIns[0].Module), "Sinus testowy");  // the new library is loaded
  EXPECT_EQ(ext.Log(), (Lines{"ZakonczRozszerzenie"}));      // the old one was finalised
}

TEST_F(PlugInImport, ImportingTheInstalledFileOntoItselfKeepsIt) {
  std::string target = ext.home.Path("Rozszerzenia/a.so");
  auto size = fs::file_size(target);
  dialogs.answers = {Answer::Yes};
  EXPECT_EQ(ImportPlugIn(target).result, ImportResult::Copied);
  EXPECT_EQ(fs::file_size(target), size);
  ASSERT_EQ(PlugIns.size(), 1u);
  EXPECT_EQ(PluginName(PlugIns[0].Module), "Sonda");
}

}  // namespace
}  // namespace tessaro
