#include "core/i18n/language.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "core/i18n/cp1250.h"
#include "core/i18n/retranslation.h"
#include "support/recording_dialogs.h"
#include "support/temp_home.h"

namespace tessaro {
namespace {

// A program folder with a selection file and translation files.
class LanguageTest : public ::testing::Test {
 protected:
  void WriteTexts(const std::string& code, const std::string& texts_utf8) {
    home.Write("lang/" + code + ".slg",
               "[VERSION]\r\nVersion=1\r\n\r\n[TEXTS]\r\n" + Utf8ToCp1250(texts_utf8));
  }
  TLanguage Loaded() {
    TLanguage l;
    l.LoadLanguageCode();
    l.LoadTexts();
    return l;
  }
  test::TempHome home;
  test::RecordingDialogs dialogs;
};

TEST_F(LanguageTest, LooksUpTextsInAnyLetterCase) {
  WriteTexts("PL", "msgm00012=Zapisać zmiany?\r\nMSG00006=Nawigator\r\nmsgŁ1=łódź\r\n");
  TLanguage l = Loaded();
  EXPECT_EQ(l.LanguageCode(), "PL");
  struct Case {
    const char* id;
    const char* text;
  } cases[] = {
      {"msgm00012", "Zapisać zmiany?"}, {"MSGM00012", "Zapisać zmiany?"}, {"Msg00006", "Nawigator"},
      {"msgł1", "łódź"}, {"MSGŁ1", "łódź"}, {"msgm99999", "[MSGM99999]"}, {"", "[]"},
  };
  for (const Case& c : cases) EXPECT_EQ(Cp1250ToUtf8(l.Text(Utf8ToCp1250(c.id))), c.text) << c.id;
  EXPECT_EQ(l.Keys(), (std::vector<std::string>{"MSGM00012", "MSG00006", Utf8ToCp1250("MSGŁ1")}));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(LanguageTest, ResolvesLineBreakEscapes) {
  WriteTexts("PL",
             "a=one\\ntwo\r\nb=one#13two\r\nc=\\n#13\\\r\nd=\\N and \\t and #10 stay\r\n"
             "e=\"  quoted\\n  \"\r\n");
  TLanguage l = Loaded();
  EXPECT_EQ(l.Text("a"), "one\r\ntwo");
  EXPECT_EQ(l.Text("b"), "one\r\ntwo");
  EXPECT_EQ(l.Text("c"), "\r\n\r\n\\");
  EXPECT_EQ(l.Text("d"), "\\N and \\t and #10 stay");
  EXPECT_EQ(l.Text("e"), "  quoted\r\n  ");
}

TEST_F(LanguageTest, MissingFilesGiveBracketedIdentifiers) {
  TLanguage l = Loaded();  // neither lang.ini nor PL.slg
  EXPECT_EQ(l.LanguageCode(), "PL");
  EXPECT_TRUE(l.Keys().empty());
  EXPECT_EQ(l.Text("msgm00012"), "[MSGM00012]");
  EXPECT_EQ(l.Text("mgsc00001"), "[MGSC00001]");
}

TEST_F(LanguageTest, GlobalLookupOfALanguageWithoutFile) {
  const std::string before = Language().LanguageCode();
  Language().UseLanguage("XX");
  EXPECT_EQ(LangText("msgm00012"), "[MSGM00012]");
  EXPECT_EQ(LangText("MsgM00012"), "[MSGM00012]");
  WriteTexts("XX", "msgm00012=found\r\n");
  Language().UseLanguage("XX");
  EXPECT_EQ(LangText("MSGM00012"), "found");
  Language().UseLanguage(before);
}

TEST_F(LanguageTest, SelectionFileNamesTheLanguage) {
  struct Case {
    const char* ini;
    const char* code;
  } cases[] = {
      {"[Default]\r\nLanguage=EN\r\n", "EN"},
      {"[default]\r\n  LANGUAGE = \"DE\" \r\n", "DE"},
      {"[Other]\r\nLanguage=EN\r\n", "PL"},
      {"", "PL"},
      {"\xFF\xFE garbage \x01\x02", "PL"},
  };
  for (const Case& c : cases) {
    home.Write("lang/lang.ini", c.ini);
    TLanguage l;
    l.LoadLanguageCode();
    EXPECT_EQ(l.LanguageCode(), c.code) << c.ini;
  }
}

TEST_F(LanguageTest, CodeCannotReachOutsideTheLanguageFolder) {
  home.Write("secret.slg", "[TEXTS]\r\nmsg00001=secret\r\n");
  for (const char* code : {"../secret", "..\\secret", "x/../../secret"}) {
    home.Write("lang/lang.ini", std::string("[Default]\r\nLanguage=") + code + "\r\n");
    TLanguage l = Loaded();
    EXPECT_EQ(l.Text("msg00001"), "[MSG00001]") << code;
  }
}

TEST_F(LanguageTest, DuplicateIsReportedOnceWithTheFirstTextKept) {
  WriteTexts("PL", "msg00002=a\r\nmsg00001=first\r\nMSG00001=second\r\nmsg00002=b\r\nmsg00003=c\r\nmsg00003=d\r\n");
  TLanguage l = Loaded();
  // Nothing is shown while the table is built; the report comes after, once.
  EXPECT_TRUE(dialogs.shown.empty());
  l.ReportLoadProblems();
  l.ReportLoadProblems();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, "Komunikat");
  // The earliest key that has a twin anywhere is the one named.
  EXPECT_EQ(dialogs.shown[0].text, "Translation duplicate: MSG00002");
  EXPECT_EQ(l.Text("msg00001"), "first");
  EXPECT_EQ(l.Keys().size(), 6u);
  EXPECT_EQ(l.Texts().size(), 6u);

  dialogs.shown.clear();
  WriteTexts("PL", "msg00001=first\r\nMSG00001=second\r\n");
  l.LoadTexts();
  l.ReportLoadProblems();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Translation duplicate: MSG00001");
}

// A notice whose dialog looks up its own texts, as the window's message box
// does with its caption and buttons.
class LookingUpDialogs final : public Dialogs {
 public:
  LookingUpDialogs() { SetDialogs(this); }
  ~LookingUpDialogs() override { SetDialogs(nullptr); }
  void Komunikat(const std::string&, const std::string& text) override {
    shown.push_back(text + " / " + LangText("msgm00001"));
  }
  Answer PytanieTakNie(const std::string&, const std::string&, QuestionIcon) override { return Answer::No; }
  Answer PytanieTakNieAnuluj(const std::string&, const std::string&) override { return Answer::No; }
  std::vector<std::string> shown;
};

// The program's first lookup builds the language; a duplicate found then is
// reported by a dialog that looks texts up in that very language. Both
// spellings of the identifier, in either file, keep the first text.
TEST(LanguageStart, DuplicateAtTheFirstLookupIsReportedAfterTheTableIsBuilt) {
  for (const char* code : {"PL", "EN"}) {
    test::TempHome home;
    home.Write("lang/lang.ini", std::string("[Default]\r\nLanguage=") + code + "\r\n");
    home.Write("lang/" + std::string(code) + ".slg", "[TEXTS]\r\nmsgm00001=krotki\r\nMSGM00001=dup\r\n");
    LookingUpDialogs dialogs;
    // The first lookup of the process builds the language (ctest runs every
    // test in a process of its own); when it was built before, the file is
    // loaded again instead.
    LangText("msgm00001");
    if (dialogs.shown.empty()) Language().UseLanguage(code);
    EXPECT_EQ(LangText("msgm00001"), "krotki") << code;
    ASSERT_EQ(dialogs.shown.size(), 1u) << code;
    EXPECT_EQ(dialogs.shown[0], "Translation duplicate: MSGM00001 / krotki") << code;
  }
}

// Damaged translation files give way to the other language's file with one
// notice; only when both are damaged do the identifiers show.
TEST_F(LanguageTest, DamagedFileFallsBackToTheOtherLanguage) {
  const std::string good_en = "[TEXTS]\r\nmsg00006=Navigator\r\nmsgk00007=File %s broken, %s used.\r\n";
  const std::string good_pl = "[TEXTS]\r\nmsg00006=Nawigator\r\nmsgk00007=Plik %s zepsuty, %s użyty.\r\n";
  struct Case {
    const char* name;
    std::function<void(test::TempHome&)> damage;  // of PL.slg
  } cases[] = {
      {"no [TEXTS]", [](test::TempHome& h) { h.Write("lang/PL.slg", "[VERSION]\r\nVersion=1\r\n"); }},
      {"binary junk", [](test::TempHome& h) { h.Write("lang/PL.slg", std::string("\0\xFF\x01garbage", 11)); }},
      {"a folder", [](test::TempHome& h) { std::filesystem::create_directories(h.Path("lang/PL.slg")); }},
      {"a named pipe", [](test::TempHome& h) { ASSERT_EQ(::mkfifo(h.Path("lang/PL.slg").c_str(), 0600), 0); }},
      {"over 16 MiB",
       [](test::TempHome& h) { h.Write("lang/PL.slg", "[TEXTS]\r\nmsg00006=x\r\n" + std::string(16 << 20, ';')); }},
  };
  for (const Case& c : cases) {
    test::TempHome home;
    test::RecordingDialogs seen;
    home.Write("lang/EN.slg", good_en);
    c.damage(home);
    TLanguage l = Loaded();
    l.ReportLoadProblems();
    EXPECT_EQ(l.LanguageCode(), "EN") << c.name;
    EXPECT_EQ(l.Text("msg00006"), "Navigator") << c.name;
    ASSERT_EQ(seen.shown.size(), 1u) << c.name;
    EXPECT_EQ(seen.shown[0].text, "File PL.slg broken, EN.slg used.") << c.name;
  }

  // A damaged English file falls back to Polish.
  {
    test::TempHome home;
    test::RecordingDialogs seen;
    home.Write("lang/lang.ini", "[Default]\r\nLanguage=EN\r\n");
    home.Write("lang/EN.slg", "[VERSION]\r\n");
    home.Write("lang/PL.slg", good_pl);
    TLanguage l = Loaded();
    l.ReportLoadProblems();
    EXPECT_EQ(l.Text("msg00006"), "Nawigator");
    ASSERT_EQ(seen.shown.size(), 1u);
  }

  // Both damaged: the identifiers, and one notice that says so.
  {
    test::TempHome home;
    test::RecordingDialogs seen;
    home.Write("lang/PL.slg", "[VERSION]\r\n");
    home.Write("lang/EN.slg", "junk");
    TLanguage l = Loaded();
    l.ReportLoadProblems();
    EXPECT_EQ(l.Text("msg00006"), "[MSG00006]");
    ASSERT_EQ(seen.shown.size(), 1u);
    EXPECT_EQ(seen.shown[0].text, "Translation files damaged: PL.slg, EN.slg");
  }
}

TEST_F(LanguageTest, SwitchingRemembersReloadsAndBroadcasts) {
  const std::string ini = "; chosen in the program\r\n[Default]\r\nLanguage=PL\r\n\r\n[Extra]\r\nA=1\r\n";
  home.Write("lang/lang.ini", ini);
  WriteTexts("PL", "msg00006=Nawigator\r\n");
  WriteTexts("EN", "msg00006=Navigator\r\n");
  TLanguage l = Loaded();
  int calls = 0;
  RetranslationHandle h = AddRetranslationObserver([&] { ++calls; });

  // The active language: no reload (the changed file is not read) and no message.
  WriteTexts("PL", "msg00006=changed\r\n");
  l.SetLanguage("PL");
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(l.Text("msg00006"), "Nawigator");

  l.SetLanguage("EN");
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(l.Text("msg00006"), "Navigator");
  EXPECT_EQ(home.Read("lang/lang.ini"),
            "; chosen in the program\r\n[Default]\r\nLanguage=EN\r\n\r\n[Extra]\r\nA=1\r\n");

  // The comparison is exact: "pl" is another code (and has no file here).
  l.SetLanguage("pl");
  EXPECT_EQ(calls, 2);
  RemoveRetranslationObserver(h);
  l.SetLanguage("EN");
  EXPECT_EQ(calls, 2);
}

TEST_F(LanguageTest, SwitchWithoutSelectionFileIsNotRemembered) {
  WriteTexts("EN", "msg00006=Navigator\r\n");
  TLanguage l = Loaded();
  l.SetLanguage("EN");
  EXPECT_EQ(l.Text("msg00006"), "Navigator");
  EXPECT_FALSE(std::filesystem::exists(home.Path("lang/lang.ini")));
  EXPECT_FALSE(std::filesystem::exists(home.Path("Lang/lang.ini")));
}

TEST_F(LanguageTest, UseLanguageNeitherWritesNorBroadcasts) {
  home.Write("lang/lang.ini", "[Default]\r\nLanguage=PL\r\n");
  WriteTexts("EN", "msg00006=Navigator\r\n");
  TLanguage l = Loaded();
  int calls = 0;
  RetranslationHandle h = AddRetranslationObserver([&] { ++calls; });
  l.UseLanguage("EN");
  RemoveRetranslationObserver(h);
  EXPECT_EQ(l.Text("msg00006"), "Navigator");
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(home.Read("lang/lang.ini"), "[Default]\r\nLanguage=PL\r\n");
}

TEST(Retranslation, ObserversMayLeaveDuringTheBroadcast) {
  std::vector<std::string> log;
  RetranslationHandle second = 0;
  RetranslationHandle first = AddRetranslationObserver([&] {
    log.push_back("first");
    RemoveRetranslationObserver(second);                              // closes a later window
    AddRetranslationObserver([&] { log.push_back("late"); });        // opens a new one
  });
  second = AddRetranslationObserver([&] { log.push_back("second"); });
  RetranslationHandle self = 0;
  self = AddRetranslationObserver([&] {
    log.push_back("self");
    RemoveRetranslationObserver(self);  // a window that closes while translating
  });
  BroadcastRetranslation();
  EXPECT_EQ(log, (std::vector<std::string>{"first", "self"}));
  RemoveRetranslationObserver(first);
  log.clear();
  BroadcastRetranslation();
  EXPECT_EQ(log, (std::vector<std::string>{"late"}));
}

}  // namespace
}  // namespace tessaro
