#include "core/task/grading.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "alg_spec.h"
#include "support/temp_home.h"

namespace tessaro::task {
namespace {

constexpr const char* kFactorial =
    "start 1 -1\n"
    "io 2 -1 read n\n"
    "proc 3 -1 s := 1\\ni := 1\n"
    "cond 5 4 i <= n\n"
    "proc 3 -1 s := s * i\\ni := i + 1\n"
    "io 6 -1 write s\n"
    "end -1 -1\n";

Task FactorialTask() {
  Task t;
  t.settings.title = "Silnia";
  t.settings.max_steps = 10'000;
  t.cases = {
      {"01-zero", {"0"}, "1"},
      {"02-five", {"5"}, "120"},
      {"03-ten", {"10"}, "3628800"},
  };
  return t;
}

std::vector<Tobj> Blocks(const std::string& spec) {
  std::vector<Tobj> bloki;
  std::string error;
  EXPECT_TRUE(fixtures::ParseAlgSpec(spec, bloki, error)) << error;
  return bloki;
}

PupilResult Grade(const Task& task, const std::string& spec, const GradeOverrides& overrides = {}) {
  return GradeProgram(task, Blocks(spec), Submission{"ala", "ala.alg"}, overrides);
}

struct StatusCase {
  const char* what;
  const char* spec;
  CaseStatus status;  // of every case
  const char* detail;  // a part of the first case's detail
};

TEST(Grading, EachWayOfFailingHasItsStatus) {
  const std::vector<StatusCase> table = {
      {"a right solution", kFactorial, CaseStatus::Pass, ""},
      {"one too many",
       "start 1 -1\nio 2 -1 read n\nproc 3 -1 s := 1\\ni := 1\ncond 5 4 i <= n\n"
       "proc 3 -1 s := s * i\\ni := i + 1\nio 6 -1 write s + 1\nend -1 -1\n",
       CaseStatus::WrongOutput, "line 1: expected \"1\", got \"2\""},
      {"nothing written", "start 1 -1\nio 2 -1 read n\nend -1 -1\n", CaseStatus::WrongOutput,
       "expected \"1\", got no more output"},
      {"division by zero", "start 1 -1\nio 2 -1 read n\nproc 3 -1 x := 1\\ny := x div 0\nend -1 -1\n",
       CaseStatus::RunTimeError, "block 2, line 2 (y := x div 0): "},
      {"unbalanced parenthesis", "start 1 -1\nio 2 -1 read n\nproc 3 -1 x := (1\nend -1 -1\n",
       CaseStatus::CompileError, "block 2, line 1 (x := (1): "},
      {"no end block", "start 1 -1\nio -1 -1 read n\n", CaseStatus::CompileError, ""},
      {"an endless loop", "start 1 -1\nio 2 -1 read n\nproc 2 -1 n := n + 1\nend -1 -1\n", CaseStatus::StepLimit,
       "stopped after 10000 steps"},
      {"reads one more", "start 1 -1\nio 2 -1 read n\nio 3 -1 read m\nio 4 -1 write 1\nend -1 -1\n",
       CaseStatus::InputExhausted, "block 2, line 1 (read m): read m after the 1 answer of the case"},
  };
  for (const StatusCase& row : table) {
    const PupilResult p = Grade(FactorialTask(), row.spec);
    ASSERT_EQ(p.cases.size(), 3u) << row.what;
    for (const CaseResult& c : p.cases) {
      EXPECT_EQ(c.status, row.status) << row.what << ", " << c.name << ": " << c.detail;
    }
    EXPECT_NE(p.cases[0].detail.find(row.detail), std::string::npos) << row.what << ": " << p.cases[0].detail;
    const bool pass = row.status == CaseStatus::Pass;
    EXPECT_EQ(p.AllPassed(), pass) << row.what;
    EXPECT_EQ(p.score, pass ? 3 : 0) << row.what;
  }
}

TEST(Grading, TheTimeLimitStopsALongRun) {
  GradeOverrides o;
  o.max_steps = uint64_t{1} << 40;
  o.time_limit = 0.05;
  const PupilResult p = Grade(FactorialTask(), "start 1 -1\nio 2 -1 read n\nproc 2 -1 n := n + 1\nend -1 -1\n", o);
  EXPECT_EQ(p.cases[0].status, CaseStatus::TimeLimit) << p.cases[0].detail;
  EXPECT_LT(p.cases[0].seconds, 2.0);
}

TEST(Grading, LeftoverAnswersAreAWarningNotAFailure) {
  Task t = FactorialTask();
  t.cases = {{"01-extra", {"5", "6", "7"}, "120"}};
  const PupilResult p = Grade(t, kFactorial);
  EXPECT_EQ(p.cases[0].status, CaseStatus::UnusedInput);
  EXPECT_EQ(p.cases[0].detail, "2 answers were not read");
  EXPECT_TRUE(p.AllPassed());
}

TEST(Grading, ScoresFollowMarksAndGrading) {
  Task t = FactorialTask();
  t.cases[0].mark = 2;
  t.cases[2].mark = 5;
  t.cases[2].expected = "0";  // nobody passes it
  PupilResult p = Grade(t, kFactorial);
  EXPECT_EQ(p.passed, 2);
  EXPECT_EQ(p.score, 3);
  EXPECT_EQ(p.max_score, 8);
  t.settings.grading = Grading::AllOrNothing;
  p = Grade(t, kFactorial);
  EXPECT_EQ(p.score, 0);
  t.cases[2].expected = "3628800";
  EXPECT_EQ(Grade(t, kFactorial).score, 8);
}

TEST(Grading, TheCompareModeCanBeOverridden) {
  Task t = FactorialTask();
  t.cases = {{"01", {"5"}, "120.4"}};
  EXPECT_FALSE(Grade(t, kFactorial).AllPassed());
  GradeOverrides o;
  o.compare = ParseCompareMode("num:0.5");
  EXPECT_TRUE(Grade(t, kFactorial, o).AllPassed());
}

TEST(Grading, RunsAreRepeatableWithTheTaskSeed) {
  Task t;
  t.settings.title = "Los";
  t.settings.seed = 7;
  t.cases = {{"01", {}, "?"}};
  const std::string spec = "start 1 -1\nio 2 -1 write Random(1000000)\\nwrite Random(1000000)\nend -1 -1\n";
  const std::string first = Grade(t, spec).cases[0].got;
  EXPECT_EQ(Grade(t, spec).cases[0].got, first);
  EXPECT_NE(first.find('\n'), std::string::npos);
  t.settings.seed = 8;
  EXPECT_NE(Grade(t, spec).cases[0].got, first);
}

TEST(Grading, SubmissionFilesAndFoldersInParallel) {
  test::TempHome home;
  std::vector<Tobj> right = Blocks(kFactorial);
  std::filesystem::create_directories(home.Path("klasa"));
  ASSERT_TRUE(fixtures::WriteAlgFile(right, home.Path("klasa/ala.alg")));
  ASSERT_TRUE(fixtures::WriteAlgFile(Blocks("start 1 -1\nio 2 -1 read n\nend -1 -1\n"), home.Path("klasa/bob.ALG")));
  home.Write("klasa/cyryl.alg", "not a diagram at all");
  home.Write("klasa/notes.txt", "skipped");
  home.Write("empty/readme", "");

  const SubmissionList list = CollectSubmissions({home.Path("klasa")});
  ASSERT_TRUE(list.ok) << list.error;
  ASSERT_EQ(list.submissions.size(), 3u);
  EXPECT_EQ(list.submissions[0].pupil, "ala");
  EXPECT_EQ(list.submissions[1].pupil, "bob");
  EXPECT_EQ(list.submissions[2].pupil, "cyryl");

  const std::vector<PupilResult> results = GradeAll(FactorialTask(), list.submissions, {}, 3);
  ASSERT_EQ(results.size(), 3u);
  EXPECT_TRUE(results[0].AllPassed());
  EXPECT_EQ(results[1].cases[0].status, CaseStatus::WrongOutput);
  EXPECT_EQ(results[2].cases[0].status, CaseStatus::Unreadable);
  EXPECT_NE(results[2].problem.find("cyryl.alg: not an algorithm file"), std::string::npos) << results[2].problem;

  EXPECT_FALSE(CollectSubmissions({home.Path("empty")}).ok);
  const SubmissionList missing = CollectSubmissions({home.Path("nobody.alg")});
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.error.find("nobody.alg: no such file or folder"), std::string::npos);
}

TEST(Grading, PupilsSeeWhatTheCasesAllow) {
  Task t = FactorialTask();
  t.cases.push_back({"04-more", {"1"}, "1"});
  t.cases[0].display = Display::Hide;
  t.cases[1].display = Display::HideIfFail;
  std::vector<CaseResult> results(4);
  for (size_t i = 0; i < 4; ++i) results[i].name = t.cases[i].name;
  EXPECT_EQ(VisibleCases(t, results), (std::vector<bool>{false, true, true, true}));
  results[1].status = CaseStatus::WrongOutput;
  EXPECT_EQ(VisibleCases(t, results), (std::vector<bool>{false, false, true, true}));
  t.cases[1].hide_rest_if_fail = true;
  EXPECT_EQ(VisibleCases(t, results), (std::vector<bool>{false, false, false, false}));
}

}  // namespace
}  // namespace tessaro::task
