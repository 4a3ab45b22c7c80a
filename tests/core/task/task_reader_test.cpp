#include "core/task/task_reader.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "support/temp_home.h"

namespace tessaro::task {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

// The smallest good task, to which each table row adds or from which it removes.
Files GoodTask() {
  return {
      {"task.ini", "[task]\ntitle = Silnia\n"},
      {"statement.md", "# Silnia\n"},
      {"cases/01-five.in", "5\n"},
      {"cases/01-five.out", "120\n"},
  };
}

TaskRead Parse(const Files& files) {
  TaskFiles t;
  t.ok = true;
  t.files = files;
  return ParseTask(t, "silnia");
}

// Writes `entries` (name -> bytes, in order) into a zip at `path` with libzip.
void WriteZip(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries) {
  int error = 0;
  zip_t* z = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  ASSERT_NE(z, nullptr);
  for (const auto& [name, bytes] : entries) {
    zip_source_t* source = zip_source_buffer(z, bytes.data(), bytes.size(), 0);
    ASSERT_NE(source, nullptr);
    ASSERT_GE(zip_file_add(z, name.c_str(), source, ZIP_FL_ENC_UTF_8), 0) << name;
  }
  ASSERT_EQ(zip_close(z), 0);
}

std::vector<std::pair<std::string, std::string>> Entries(const Files& files, const std::string& folder = "") {
  std::vector<std::pair<std::string, std::string>> entries;
  for (const auto& [name, bytes] : files) entries.emplace_back(folder + name, bytes);
  return entries;
}

TEST(TaskReader, GoodTasksReadWithTheirSettings) {
  Files full = GoodTask();
  full["task.ini"] =
      "; a comment\r\n[task]\r\ntitle = Silnia\r\nmin-version = 0.9\r\ncompare = num:0.5\r\nmax-steps = 500\r\n"
      "seed = 42\r\ngrading = all-or-nothing\r\ntime-limit = 1.5\r\n";
  full["statement.html"] = "<h1>Silnia</h1>";
  full["statement.en.md"] = "# Factorial";
  full["cases/02-zero.in"] = "0\r\n";
  full["cases/02-zero.out"] = "1\r\n";
  full["cases/02-zero.ini"] = "[case]\nmark = 3\ndisplay = hide-if-fail\nhide-rest-if-fail = yes\n";
  full["cases/03-two.in"] = "2\n3\n\n\n";  // final empty lines are no answers
  full["cases/03-two.out"] = "a\nb";
  full["cases/04-none.out"] = "hello\n";  // a case that reads nothing
  full["cases/README.txt"] = "not a case";

  const TaskRead read = Parse(full);
  ASSERT_TRUE(read.ok) << read.error;
  const Task& t = read.task;
  EXPECT_EQ(t.settings.title, "Silnia");
  EXPECT_EQ(t.settings.compare.kind, CompareKind::Numeric);
  EXPECT_DOUBLE_EQ(t.settings.compare.epsilon, 0.5);
  EXPECT_EQ(t.settings.max_steps, 500u);
  EXPECT_EQ(t.settings.seed, 42u);
  EXPECT_EQ(t.settings.grading, Grading::AllOrNothing);
  EXPECT_DOUBLE_EQ(t.settings.time_limit, 1.5);
  EXPECT_EQ(t.statement.format, StatementFormat::Html);  // html is preferred
  EXPECT_EQ(t.statement_en.format, StatementFormat::Markdown);
  ASSERT_EQ(t.cases.size(), 4u);
  EXPECT_EQ(t.cases[0].name, "01-five");
  EXPECT_EQ(t.cases[0].answers, std::vector<std::string>{"5"});
  EXPECT_EQ(t.cases[0].expected, "120");
  EXPECT_EQ(t.cases[0].mark, 1);
  EXPECT_EQ(t.cases[1].expected, "1");  // CR LF read as LF
  EXPECT_EQ(t.cases[1].mark, 3);
  EXPECT_EQ(t.cases[1].display, Display::HideIfFail);
  EXPECT_TRUE(t.cases[1].hide_rest_if_fail);
  EXPECT_EQ(t.cases[2].answers, (std::vector<std::string>{"2", "3"}));
  EXPECT_EQ(t.cases[2].expected, "a\nb");
  EXPECT_TRUE(t.cases[3].answers.empty());

  // Defaults of the keys left out.
  const TaskRead plain = Parse(GoodTask());
  ASSERT_TRUE(plain.ok) << plain.error;
  EXPECT_EQ(plain.task.settings.compare.kind, CompareKind::Lines);
  EXPECT_EQ(plain.task.settings.grading, Grading::PerCase);
  EXPECT_EQ(plain.task.statement_en.format, StatementFormat::None);
  // UTF-8 in the files becomes core text.
  Files polish = GoodTask();
  polish["task.ini"] = "[task]\ntitle = Największa\n";
  EXPECT_EQ(Parse(polish).task.settings.title, "Najwi\xEAksza");
}

struct BrokenTask {
  const char* what;
  std::vector<std::pair<std::string, std::string>> set;  // value "" with name "-x" removes x
  const char* message;  // a part of the message
};

TEST(TaskReader, BrokenTasksAreRefusedNamingTheFile) {
  const std::vector<BrokenTask> table = {
      {"no task.ini", {{"-task.ini", ""}}, "task.ini is missing"},
      {"no title", {{"task.ini", "[task]\nseed = 1\n"}}, "task.ini: [task] has no title"},
      {"empty title", {{"task.ini", "[task]\ntitle =\n"}}, "no title"},
      {"title outside [task]", {{"task.ini", "title = x\n"}}, "no title"},
      {"unknown key", {{"task.ini", "[task]\ntitle = x\nmax_steps = 5\n"}}, "unknown key \"max_steps\""},
      {"bad compare", {{"task.ini", "[task]\ntitle = x\ncompare = fuzzy\n"}}, "compare \"fuzzy\""},
      {"bad max-steps", {{"task.ini", "[task]\ntitle = x\nmax-steps = -5\n"}}, "max-steps"},
      {"zero max-steps", {{"task.ini", "[task]\ntitle = x\nmax-steps = 0\n"}}, "max-steps"},
      {"bad seed", {{"task.ini", "[task]\ntitle = x\nseed = 4294967296\n"}}, "seed"},
      {"bad grading", {{"task.ini", "[task]\ntitle = x\ngrading = best\n"}}, "grading"},
      {"bad time-limit", {{"task.ini", "[task]\ntitle = x\ntime-limit = 0\n"}}, "time-limit"},
      {"newer version", {{"task.ini", "[task]\ntitle = x\nmin-version = 999.0\n"}}, "needs version 999.0"},
      {"no statement", {{"-statement.md", ""}}, "statement.html or statement.md is missing"},
      {"no cases", {{"-cases/01-five.in", ""}, {"-cases/01-five.out", ""}}, "holds no case"},
      {"input without output", {{"cases/02-x.in", "1\n"}}, "cases/02-x.out: is missing"},
      {"settings without output", {{"cases/02-x.ini", "[case]\nmark = 2\n"}}, "cases/02-x.out"},
      {"empty answer inside", {{"cases/01-five.in", "5\n\n6\n"}}, "cases/01-five.in: line 2 is empty"},
      {"bad mark", {{"cases/01-five.ini", "[case]\nmark = lots\n"}}, "cases/01-five.ini: mark"},
      {"bad display", {{"cases/01-five.ini", "[case]\ndisplay = sometimes\n"}}, "display"},
      {"bad hide-rest", {{"cases/01-five.ini", "[case]\nhide-rest-if-fail = maybe\n"}}, "hide-rest-if-fail"},
      {"case keys outside [case]", {{"cases/01-five.ini", "mark = 2\n"}}, "has no [case] section"},
      {"template no algorithm", {{"template.alg", "hello"}}, "template.alg: not an algorithm file"},
  };
  for (const BrokenTask& row : table) {
    Files files = GoodTask();
    for (const auto& [name, bytes] : row.set) {
      if (name[0] == '-') files.erase(name.substr(1));
      else files[name] = bytes;
    }
    const TaskRead read = Parse(files);
    EXPECT_FALSE(read.ok) << row.what;
    EXPECT_NE(read.error.find(row.message), std::string::npos) << row.what << ": " << read.error;
    EXPECT_EQ(read.error.rfind("silnia", 0), 0u) << row.what << ": " << read.error;
  }
}

TEST(TaskReader, FolderAndZipReadAlike) {
  test::TempHome home;
  for (const auto& [name, bytes] : GoodTask()) home.Write("silnia/" + name, bytes);
  home.Write("silnia/cases/deeper/ignored.in", "1");
  const TaskRead folder = ReadTask(home.Path("silnia"));
  ASSERT_TRUE(folder.ok) << folder.error;
  ASSERT_EQ(folder.task.cases.size(), 1u);

  // Files at the top of the zip, or inside the task's one folder.
  WriteZip(home.Path("top.tzad"), Entries(GoodTask()));
  WriteZip(home.Path("nested.zip"), Entries(GoodTask(), "silnia/"));
  for (const char* packed : {"top.tzad", "nested.zip"}) {
    const TaskRead read = ReadTask(home.Path(packed));
    ASSERT_TRUE(read.ok) << packed << ": " << read.error;
    EXPECT_EQ(read.task.settings.title, "Silnia");
    ASSERT_EQ(read.task.cases.size(), 1u);
    EXPECT_EQ(read.task.cases[0].expected, "120");
  }
  EXPECT_TRUE(IsPackedTaskPath("a/b/SILNIA.TZAD"));
  EXPECT_FALSE(IsPackedTaskPath("a/b/silnia"));
}

TEST(TaskReader, ZipEntriesLeavingTheFolderRejectTheWholeTask) {
  test::TempHome home;
  const char* names[] = {"../evil.in", "cases/../../evil", "/etc/passwd", "C:/evil", "cases\\..\\evil"};
  for (const char* bad : names) {
    auto entries = Entries(GoodTask());
    entries.emplace_back(bad, "x");
    const std::string path = home.Path("bad.tzad");
    WriteZip(path, entries);
    const TaskRead read = ReadTask(path);
    EXPECT_FALSE(read.ok) << bad;
    EXPECT_NE(read.error.find("leaves the task's folder"), std::string::npos) << bad << ": " << read.error;
    EXPECT_NE(read.error.find("bad.tzad"), std::string::npos) << read.error;
  }
  // Nothing was written beside the zip.
  EXPECT_FALSE(fs::exists(home.Path("evil.in")));
  EXPECT_FALSE(fs::exists(home.Path("../evil.in")));
}

TEST(TaskReader, HugeAndUnreadablePartsAreRefused) {
  test::TempHome home;
  const std::string huge(kMaxTaskFileBytes + 1, '7');
  for (const auto& [name, bytes] : GoodTask()) home.Write("big/" + name, bytes);
  home.Write("big/cases/02-huge.in", huge);
  home.Write("big/cases/02-huge.out", "1");
  TaskRead read = ReadTask(home.Path("big"));
  EXPECT_FALSE(read.ok);
  EXPECT_NE(read.error.find("02-huge.in: the file is larger than 4 MiB"), std::string::npos) << read.error;

  auto entries = Entries(GoodTask());
  entries.emplace_back("cases/02-huge.in", huge);  // compresses to almost nothing
  WriteZip(home.Path("big.tzad"), entries);
  read = ReadTask(home.Path("big.tzad"));
  EXPECT_FALSE(read.ok);
  EXPECT_NE(read.error.find("cases/02-huge.in: the file is larger than 4 MiB"), std::string::npos) << read.error;

  home.Write("junk.tzad", "PK not really a zip");
  read = ReadTask(home.Path("junk.tzad"));
  EXPECT_FALSE(read.ok);
  EXPECT_NE(read.error.find("junk.tzad: not a task folder nor a readable zip file"), std::string::npos)
      << read.error;

  read = ReadTask(home.Path("missing"));
  EXPECT_FALSE(read.ok);
  EXPECT_NE(read.error.find("missing: no such task folder or file"), std::string::npos) << read.error;

  if (geteuid() != 0) {  // root reads any file
    for (const auto& [name, bytes] : GoodTask()) home.Write("locked/" + name, bytes);
    fs::permissions(home.Path("locked/cases/01-five.out"), fs::perms::none);
    read = ReadTask(home.Path("locked"));
    EXPECT_FALSE(read.ok);
    EXPECT_NE(read.error.find("01-five.out: cannot read the file"), std::string::npos) << read.error;
  }
}

TEST(TaskReader, VersionsCompareByParts) {
  EXPECT_TRUE(VersionAtMost("1.0", "1.0.0.0"));
  EXPECT_TRUE(VersionAtMost("1.2", "1.10"));
  EXPECT_FALSE(VersionAtMost("1.10", "1.2"));
  EXPECT_FALSE(VersionAtMost("2", "1.9.9"));
  EXPECT_FALSE(VersionAtMost("1.x", "1.0"));
}

TEST(TaskReader, ShippedTasksRead) {
  for (const char* name : {"silnia", "nwd", "najwieksza_z_n"}) {
    const TaskRead read = ReadTask(std::string(TESSARO_SOURCE_DIR) + "/resources/Zadania/" + name);
    ASSERT_TRUE(read.ok) << name << ": " << read.error;
    EXPECT_GE(read.task.cases.size(), 5u) << name;
    EXPECT_EQ(read.task.statement.format, StatementFormat::Markdown) << name;
    EXPECT_EQ(read.task.statement_en.format, StatementFormat::Markdown) << name;
  }
}

}  // namespace
}  // namespace tessaro::task
