// tessaro-cli test and task make: a class's folder graded against a shipped
// task, the reports, the exit statuses and the refusals.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "alg_spec.h"
#include "support/cli_runner.h"
#include "support/temp_home.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using test::CliResult;
using test::RunProgram;

const std::string kFactorialTask = std::string(TESSARO_SOURCE_DIR) + "/resources/Zadania/silnia";

constexpr const char* kRightFactorial =
    "start 1 -1\nio 2 -1 read n\nproc 3 -1 s := 1\\ni := 1\ncond 5 4 i <= n\n"
    "proc 3 -1 s := s * i\\ni := i + 1\nio 6 -1 write s\nend -1 -1\n";

// A pupil's submission and what grading it against the factorial task
// (cases n = 5, 0, 1, 10, 12, 2, 3, 7, 8, 11) must give.
struct Pupil {
  const char* name;
  const char* spec;  // nullptr: a file that is no algorithm
  int passed;
  const char* status;  // of the first failed case
};

const Pupil kClass[] = {
    {"ala", kRightFactorial, 10, ""},
    {"bartek",  // counts down
     "start 1 -1\nio 2 -1 read n\nproc 3 -1 s := 1\ncond 5 4 n > 1\nproc 3 -1 s := s * n\\nn := n - 1\n"
     "io 6 -1 write s\nend -1 -1\n",
     10, ""},
    {"celina",  // stops one step early: (n-1)!, right only for 0 and 1
     "start 1 -1\nio 2 -1 read n\nproc 3 -1 s := 1\\ni := 1\ncond 5 4 i < n\n"
     "proc 3 -1 s := s * i\\ni := i + 1\nio 6 -1 write s\nend -1 -1\n",
     2, "wrong-output"},
    {"darek",  // writes a label as well
     "start 1 -1\nio 2 -1 read n\nproc 3 -1 s := 1\\ni := 1\ncond 5 4 i <= n\n"
     "proc 3 -1 s := s * i\\ni := i + 1\nio 6 -1 write 'wynik'\\nwrite s\nend -1 -1\n",
     0, "wrong-output"},
    {"ewa", "start 1 -1\nio 2 -1 read n\nproc 3 -1 s := (1\nio 4 -1 write s\nend -1 -1\n", 0, "compile-error"},
    {"filip",  // forgets to count: endless for every n but 0
     "start 1 -1\nio 2 -1 read n\nproc 3 -1 s := 1\\ni := 1\ncond 5 4 i <= n\n"
     "proc 3 -1 s := s * i\nio 6 -1 write s\nend -1 -1\n",
     1, "step-limit"},
    {"gosia", "start 1 -1\nio 2 -1 read n\\nread m\nio 3 -1 write n\nend -1 -1\n", 0, "input-exhausted"},
    {"henryk", nullptr, 0, "unreadable"},
    {"iza", "start 1 -1\nio 2 -1 read n\nproc 3 -1 s := n div (n - n)\nio 4 -1 write s\nend -1 -1\n", 0,
     "run-time-error"},
    {"jan",  // 0! = 0
     "start 1 -1\nio 2 -1 read n\nproc 3 -1 s := 1\\ni := 1\ncond 5 4 i <= n\n"
     "proc 3 -1 s := s * i\\ni := i + 1\ncond 7 6 n == 0\nio 8 -1 write 0\nio 8 -1 write s\nend -1 -1\n",
     9, "wrong-output"},
};

void WriteDiagram(const std::string& spec, const std::string& path) {
  std::vector<Tobj> bloki;
  std::string error;
  ASSERT_TRUE(fixtures::ParseAlgSpec(spec, bloki, error)) << error;
  ASSERT_TRUE(fixtures::WriteAlgFile(bloki, path));
}

class CliTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const Pupil& p : kClass) {
      const std::string path = home.Path(std::string("klasa/") + p.name + ".alg");
      if (p.spec) {
        fs::create_directories(home.Path("klasa"));
        WriteDiagram(p.spec, path);
      } else {
        home.Write(std::string("klasa/") + p.name + ".alg", "PK\x03\x04 a zip, not a diagram");
      }
    }
  }
  test::TempHome home;
};

TEST_F(CliTest, GradesAFolderOfTenWithKnownResults) {
  const CliResult r = RunProgram(TESSARO_CLI_PATH, {"test", kFactorialTask, home.Path("klasa"), "--show", "none",
                                                    "--csv", home.Path("oceny.csv")});
  EXPECT_EQ(r.exit_code, 1) << r.err;
  EXPECT_EQ(r.err, "");
  // One line per pupil, in name order, then the totals.
  std::vector<std::string> lines;
  std::istringstream out(r.out);
  for (std::string line; std::getline(out, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), std::size(kClass) + 1) << r.out;
  for (size_t i = 0; i < std::size(kClass); ++i) {
    const std::string start = std::string(kClass[i].name) + ": " + std::to_string(kClass[i].passed) + "/10 passed";
    EXPECT_EQ(lines[i].rfind(start, 0), 0u) << lines[i];
  }
  EXPECT_EQ(lines.back(), "2 passed, 8 failed");

  // The gradebook has every pupil with the status of every case.
  const std::string csv = test::ReadFileBytes(home.Path("oceny.csv"));
  ASSERT_FALSE(csv.empty()) << r.err;
  for (const Pupil& p : kClass) {
    const size_t row = csv.find(std::string("\n") + p.name + ",");
    ASSERT_NE(row, std::string::npos) << p.name;
    const std::string line = csv.substr(row + 1, csv.find('\n', row + 1) - row - 1);
    EXPECT_NE(line.find("," + std::to_string(p.passed) + ",10,"), std::string::npos) << line;
    if (*p.status) {
      EXPECT_NE(line.find(std::string("=") + p.status), std::string::npos) << line;
    }
  }
}

TEST_F(CliTest, ShowsTheFirstFailureAndWritesEveryReport) {
  const CliResult r =
      RunProgram(TESSARO_CLI_PATH, {"test", kFactorialTask, home.Path("klasa/celina.alg"), home.Path("klasa/ala.alg"),
                                    "--jobs=2", "--junit", home.Path("r.xml"), "--json=" + home.Path("r.json"),
                                    "--tap=" + home.Path("r.tap")});
  EXPECT_EQ(r.exit_code, 1) << r.err;
  EXPECT_NE(r.out.find("celina: 2/10 passed, score 2/11\n  01-piec: wrong output: line 1: expected \"120\", got \"24\"\n"
                       "ala: 10/10 passed, score 11/11\n1 passed, 1 failed\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(test::ReadFileBytes(home.Path("r.xml")).find("<testcase classname=\"celina\" name=\"01-piec\""),
            std::string::npos);
  EXPECT_NE(test::ReadFileBytes(home.Path("r.json")).find("\"pupil\": \"ala\""), std::string::npos);
  EXPECT_EQ(test::ReadFileBytes(home.Path("r.tap")).rfind("TAP version 14\n1..2\n", 0), 0u);

  // --tap alone puts TAP on stdout instead of the summary.
  const CliResult tap = RunProgram(TESSARO_CLI_PATH, {"test", "--tap", kFactorialTask, home.Path("klasa/ala.alg")});
  EXPECT_EQ(tap.exit_code, 0) << tap.err;
  EXPECT_EQ(tap.out.rfind("TAP version 14\n1..1\n", 0), 0u) << tap.out;
  EXPECT_NE(tap.out.find("\nok 1 - ala\n"), std::string::npos) << tap.out;
}

TEST_F(CliTest, ShippedTasksPassTheirReferenceSolutions) {
  const std::string examples = std::string(TESSARO_FIXTURES_DIR) + "/examples/";
  std::ifstream nwd_spec(examples + "nwd.txt");
  const std::string nwd((std::istreambuf_iterator<char>(nwd_spec)), std::istreambuf_iterator<char>());
  WriteDiagram(nwd, home.Path("nwd.alg"));
  WriteDiagram(
      "start 1 -1\nio 2 -1 read n\\nread m\nproc 3 -1 i := 1\ncond 7 4 i < n\nio 5 -1 read x\ncond 6 8 x > m\n"
      "proc 3 -1 i := i + 1\nio 9 -1 write m\nproc 6 -1 m := x\nend -1 -1\n",
      home.Path("najwieksza.alg"));
  const std::map<std::string, std::string> references = {
      {"silnia", home.Path("klasa/ala.alg")},
      {"nwd", home.Path("nwd.alg")},
      {"najwieksza_z_n", home.Path("najwieksza.alg")},
  };
  for (const auto& [task, reference] : references) {
    const CliResult r =
        RunProgram(TESSARO_CLI_PATH, {"test", std::string(TESSARO_SOURCE_DIR) + "/resources/Zadania/" + task, reference});
    EXPECT_EQ(r.exit_code, 0) << task << "\n" << r.out << r.err;
  }
}

TEST_F(CliTest, WrongTasksAndCommandLinesExitWithTwo) {
  home.Write("zle/task.ini", "[task]\ntitle = x\n");
  home.Write("zle/statement.md", "x");
  home.Write("zle/cases/01-a.in", "5\n");
  const std::string ala = home.Path("klasa/ala.alg");
  struct Refusal {
    std::vector<std::string> args;
    const char* message;
  };
  const std::vector<Refusal> table = {
      {{"test", home.Path("zle"), ala}, "cases/01-a.out: is missing"},
      {{"test", home.Path("nic"), ala}, "no such task folder or file"},
      {{"test", kFactorialTask}, "a task and at least one submission are needed"},
      {{"test", kFactorialTask, home.Path("brak.alg")}, "brak.alg: no such file or folder"},
      {{"test", kFactorialTask, ala, "--jobs", "0"}, "--jobs needs"},
      {{"test", kFactorialTask, ala, "--compare=fuzzy"}, "--compare needs"},
      {{"test", kFactorialTask, ala, "--timeout", "-1"}, "--timeout needs"},
      {{"test", kFactorialTask, ala, "--show", "some"}, "--show needs"},
      {{"test", kFactorialTask, ala, "--max-steps", "many"}, "--max-steps needs"},
      {{"test", kFactorialTask, ala, "--csv", ala}, "would overwrite the task or a submission"},
      {{"test", kFactorialTask, ala, "--junit"}, "--junit needs a value"},
      {{"test", kFactorialTask, ala, "--tap="}, "--tap needs a file name"},
  };
  const std::string before = test::ReadFileBytes(ala);
  for (const Refusal& row : table) {
    const CliResult r = RunProgram(TESSARO_CLI_PATH, row.args);
    EXPECT_EQ(r.exit_code, 2) << row.message << "\n" << r.err;
    EXPECT_NE(r.err.find(row.message), std::string::npos) << r.err;
  }
  EXPECT_EQ(test::ReadFileBytes(ala), before);
}

TEST_F(CliTest, OverridesChangeTheVerdict) {
  // With a tiny step limit even the right solution runs out of steps.
  const std::string ala = home.Path("klasa/ala.alg");
  CliResult r = RunProgram(TESSARO_CLI_PATH, {"test", kFactorialTask, ala, "--max-steps=5", "--show", "first"});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_NE(r.out.find("step limit reached"), std::string::npos) << r.out;
  // darek's label passes no mode; nocase forgives nothing of it either.
  r = RunProgram(TESSARO_CLI_PATH, {"test", kFactorialTask, home.Path("klasa/darek.alg"), "--compare", "ws"});
  EXPECT_EQ(r.exit_code, 1);
}

TEST_F(CliTest, TaskMakeWritesTheExpectedOutputsOfTheReference) {
  home.Write("in/piec.in", "5\n");
  home.Write("in/zero.in", "0\n");
  const std::string dir = home.Path("nowe");
  CliResult r = RunProgram(TESSARO_CLI_PATH, {"task", "make", home.Path("klasa/ala.alg"), dir, "--inputs",
                                              home.Path("in/piec.in"), home.Path("in/zero.in")});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(test::ReadFileBytes(dir + "/cases/01-piec.out"), "120\n");
  EXPECT_EQ(test::ReadFileBytes(dir + "/cases/02-zero.out"), "1\n");
  EXPECT_EQ(test::ReadFileBytes(dir + "/cases/02-zero.in"), "0\n");
  EXPECT_EQ(test::ReadFileBytes(dir + "/task.ini"), "[task]\ntitle = nowe\n");
  r = RunProgram(TESSARO_CLI_PATH, {"test", dir, home.Path("klasa/ala.alg"), home.Path("klasa/bartek.alg")});
  EXPECT_EQ(r.exit_code, 0) << r.out << r.err;

  // A reference that cannot finish an input writes nothing.
  home.Write("in/krotkie.in", "");
  r = RunProgram(TESSARO_CLI_PATH, {"task", "make", home.Path("klasa/ala.alg"), home.Path("inne"), "--inputs",
                                    home.Path("in/krotkie.in")});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_NE(r.err.find("krotkie.in: the reference stopped at the end of the input"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(home.Path("inne")));
}

TEST_F(CliTest, RunTellsWhenTheInputEndsWhileTheProgramReads) {
  const CliResult r = RunProgram(TESSARO_CLI_PATH, {"run", home.Path("klasa/gosia.alg")}, "5\n");
  EXPECT_EQ(r.exit_code, 3);
  EXPECT_NE(r.err.find("the input ended while the program still reads m (block 1, line 2)"), std::string::npos)
      << r.err;
}

}  // namespace
}  // namespace tessaro
