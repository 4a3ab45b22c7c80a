#include "core/extensions/plugin_project.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/i18n/language.h"
#include "support/recording_dialogs.h"
#include "support/temp_home.h"

namespace fs = std::filesystem;

namespace tessaro {
namespace {

const std::string kShippedTemplates =
    std::string(TESSARO_SOURCE_DIR) + "/resources/Kreator/Rozszerzenia/C";

TEST(ProjectFileName, OnlyACIdentifierWithSo) {
  struct Case {
    const char* typed;
    const char* normalised;
    bool accepted;
  } cases[] = {
      {"Kalkulator", "Kalkulator.so", true},
      {"abc.SO", "abc.so", true},  // the manager lists "*.so" by exact name
      {"  _x1.so ", "_x1.so", true},
      {"abc.dll", "abc.dll.so", false},
      {"../wyjscie", "../wyjscie.so", false},
      {"a/b", "a/b.so", false},
      {"a\\b", "a\\b.so", false},
      {"..", "...so", false},
      {"1abc", "1abc.so", false},
      {"mo je", "mo je.so", false},
      {"\xBF" "aba", "\xBF" "aba.so", false},
      {"$(shell rm)", "$(shell rm).so", false},
      {"", ".so", false},
      {".so", ".so", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NormaliseLibraryFileName(c.typed), c.normalised) << c.typed;
    EXPECT_EQ(IsLibraryFileName(NormaliseLibraryFileName(c.typed)), c.accepted) << c.typed;
  }
  EXPECT_EQ(ProjectNameOf("abc.so"), "abc");
  // The list file's field holds 254 characters.
  EXPECT_TRUE(IsLibraryFileName(std::string(251, 'a') + ".so"));
  EXPECT_FALSE(IsLibraryFileName(std::string(252, 'a') + ".so"));
}

TEST(ProjectLiteral, EscapesEverythingCWouldMisread) {
  struct Case {
    std::string text;
    std::string literal;
  } cases[] = {
      {"", "\"\""},
      {"Moje rozszerzenie", "\"Moje rozszerzenie\""},
      {"a \"b\" c\\d", "\"a \\\"b\\\" c\\\\d\""},
      {"Autor\r\nJan", "\"Autor\\r\\nJan\""},
      {"x\ty", "\"x\\ty\""},
      // A hex escape swallows every hex digit after it: the literal is cut.
      {"\xBF" "aba", "\"\\xBF\" \"aba\""},
      {"\xBF" "zart", "\"\\xBFzart\""},
      {"\xB3\xB9" "1", "\"\\xB3\\xB9\" \"1\""},
      {"co?\?=", "\"co?\\?=\""},
      {std::string("a\0b", 3), "\"a\\x00\" \"b\""},
      {"\x7F", "\"\\x7F\""},
  };
  for (const Case& c : cases) EXPECT_EQ(CStringLiteral(c.text), c.literal) << c.text;
}

TEST(ProjectMarkers, AreFoundInTheTemplateBeforeAnythingIsInserted) {
  const std::string text = "n = {N}; d = {D}; again {N}";
  EXPECT_EQ(FillMarkers(text, "{N}", "\"{D}\"", "{D}", "\"opis\""),
            "n = \"{D}\"; d = \"opis\"; again {N}");
  // Either order in the template; a missing marker is skipped.
  EXPECT_EQ(FillMarkers("{D}{N}", "{N}", "1", "{D}", "2"), "21");
  EXPECT_EQ(FillMarkers("{N}", "{N}", "1", "{D}", "2"), "1");
}

class ProjectGenerator : public ::testing::Test {
 protected:
  // The shipped template set under the roles the shipped Polish texts give.
  ProjectGenerator() {
    fs::copy(std::string(TESSARO_PROGRAM_DIR) + "/lang", home.Path("lang"),
             fs::copy_options::recursive);
    Language().LoadTexts();
    roles = ProjectTemplateFromTexts();
    request.FullName = "Moje \"pierwsze\" rozszerzenie \\ \xBF";
    request.FileName = "Moje";
    request.Description = "Informacje\r\n...\r\n\r\nAutor\r\nJan";
    request.TargetFolder = home.Path("projekty/nowy");
  }

  std::vector<std::string> Written(const TProjectOutcome& outcome) const {
    std::vector<std::string> names;
    for (const std::string& path : outcome.Written) names.push_back(fs::path(path).filename().string());
    return names;
  }

  test::TempHome home;
  test::RecordingDialogs dialogs;
  TProjectTemplate roles;
  TProjectRequest request;
};

TEST_F(ProjectGenerator, MakesTheProjectFromTheShippedTemplates) {
  TProjectOutcome outcome = GenerateProject(request, kShippedTemplates, roles, nullptr);
  ASSERT_EQ(outcome.Result, ProjectResult::Created);
  EXPECT_EQ(outcome.FileName, "Moje.so");
  EXPECT_EQ(Written(outcome),
            (std::vector<std::string>{"Makefile", "tessaro_extension.h", "Moje.c"}));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].caption, LangText("msgpm00004"));
  EXPECT_EQ(dialogs.shown[0].text, LangText("msgpm00006"));

  const std::string makefile = home.Read("projekty/nowy/Makefile");
  EXPECT_NE(makefile.find("\nPROJEKT = Moje\n"), std::string::npos);
  EXPECT_EQ(makefile.find("PrzykladRozszerzenia"), std::string::npos);
  // The shipped header is the one the program reads.
  EXPECT_EQ(home.Read("projekty/nowy/tessaro_extension.h"),
            test::ReadFileBytes(std::string(TESSARO_SOURCE_DIR) + "/extensions/include/tessaro_extension.h"));
  const std::string source = home.Read("projekty/nowy/Moje.c");
  EXPECT_NE(source.find("extension_name[] = \"Moje \\\"pierwsze\\\" rozszerzenie \\\\ \\xBF\";"),
            std::string::npos);
  EXPECT_NE(source.find("extension_description[] = \"Informacje\\r\\n...\\r\\n\\r\\nAutor\\r\\nJan\";"),
            std::string::npos);
  EXPECT_EQ(source.find(roles.NameMarker), std::string::npos);
  EXPECT_EQ(source.find(roles.DescriptionMarker), std::string::npos);
  for (char c : source) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << "the source stays ASCII";
}

TEST_F(ProjectGenerator, RefusalsWriteNothing) {
  struct Case {
    const char* what;
    std::string file_name;
    std::string folder;
    std::string templates;
    ProjectResult result;
    const char* notice;
  } cases[] = {
      {"blank folder", "Moje", "  ", kShippedTemplates, ProjectResult::NoFolder, "msgpm00010"},
      {"a path in the name", "../Moje", request.TargetFolder, kShippedTemplates,
       ProjectResult::BadFileName, "msgpm00012"},
      {"no template set", "Moje", request.TargetFolder, home.Path("brak"),
       ProjectResult::TemplateMissing, "msgpm00001"},
  };
  for (const Case& c : cases) {
    dialogs.shown.clear();
    request.FileName = c.file_name;
    request.TargetFolder = c.folder;
    TProjectOutcome outcome = GenerateProject(request, c.templates, roles, nullptr);
    EXPECT_EQ(outcome.Result, c.result) << c.what;
    EXPECT_TRUE(outcome.Written.empty()) << c.what;
    ASSERT_EQ(dialogs.shown.size(), 1u) << c.what;
    EXPECT_EQ(dialogs.shown[0].text, LangText(c.notice)) << c.what;
  }
  EXPECT_FALSE(fs::exists(home.Path("projekty")));
}

TEST_F(ProjectGenerator, ExistingFilesAreReplacedOnlyWhenTheUserAgrees) {
  home.Write("projekty/nowy/Moje.c", "moje zmiany");
  home.Write("projekty/nowy/Makefile", "moj Makefile");
  std::vector<std::string> asked;
  auto answer = [&](bool yes) {
    return [&asked, yes](const std::string& path) {
      asked.push_back(fs::path(path).filename().string());
      return yes;
    };
  };

  TProjectOutcome outcome = GenerateProject(request, kShippedTemplates, roles, answer(false));
  EXPECT_EQ(outcome.Result, ProjectResult::Declined);
  EXPECT_EQ(asked, (std::vector<std::string>{"Makefile"}));  // the first refusal ends it
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(home.Read("projekty/nowy/Moje.c"), "moje zmiany");
  EXPECT_FALSE(fs::exists(home.Path("projekty/nowy/tessaro_extension.h")));

  asked.clear();
  outcome = GenerateProject(request, kShippedTemplates, roles, answer(true));
  EXPECT_EQ(outcome.Result, ProjectResult::Created);
  EXPECT_EQ(asked, (std::vector<std::string>{"Makefile", "Moje.c"}));
  EXPECT_NE(home.Read("projekty/nowy/Moje.c").find("PobierzNazwe"), std::string::npos);

  // Without a callback the question goes through the message dialogs.
  dialogs.shown.clear();
  dialogs.answers = {Answer::No};
  EXPECT_EQ(GenerateProject(request, kShippedTemplates, roles, nullptr).Result, ProjectResult::Declined);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, "PytanieTakNie");
  EXPECT_EQ(dialogs.shown[0].text.rfind(LangText("msgpm00013"), 0), 0u);
}

TEST_F(ProjectGenerator, AFolderThatCannotBeMadeIsReported) {
  home.Write("projekty", "a file where the folder should be");
  TProjectOutcome outcome = GenerateProject(request, kShippedTemplates, roles, nullptr);
  EXPECT_EQ(outcome.Result, ProjectResult::Failed);
  EXPECT_TRUE(outcome.Written.empty());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, LangText("msgpm00005"));
  for (const auto& item : fs::directory_iterator(home.Dir())) {
    EXPECT_EQ(item.path().filename().string().find(".tmp"), std::string::npos) << item.path();
  }
}

}  // namespace
}  // namespace tessaro
