// Grading submissions against a task: every case of every pupil gets one
// status, every pupil a count of passed cases and a score.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/task/case_run.h"
#include "core/task/output_compare.h"
#include "core/task/task.h"

namespace tessaro::task {

enum class CaseStatus : uint8_t {
  Pass,
  UnusedInput,     // passed, with a warning: answers were left over
  WrongOutput,
  RunTimeError,
  CompileError,
  StepLimit,
  TimeLimit,
  InputExhausted,  // the program asked for more answers than the case gives
  Unreadable,      // the submission is no readable algorithm file
};

struct CaseStatusInfo {
  CaseStatus status;
  const char* key;    // in reports: "wrong-output"
  const char* title;  // in the text summary: "wrong output"
  bool passed;
};

inline constexpr CaseStatusInfo kCaseStatuses[] = {
    {CaseStatus::Pass, "pass", "passed", true},
    {CaseStatus::UnusedInput, "unused-input", "passed, but input was left unread", true},
    {CaseStatus::WrongOutput, "wrong-output", "wrong output", false},
    {CaseStatus::RunTimeError, "run-time-error", "run-time error", false},
    {CaseStatus::CompileError, "compile-error", "compile error", false},
    {CaseStatus::StepLimit, "step-limit", "step limit reached", false},
    {CaseStatus::TimeLimit, "time-limit", "time limit reached", false},
    {CaseStatus::InputExhausted, "input-exhausted", "input exhausted", false},
    {CaseStatus::Unreadable, "unreadable", "unreadable file", false},
};

const CaseStatusInfo& StatusInfo(CaseStatus status);

struct CaseResult {
  std::string name;  // the case's name
  CaseStatus status = CaseStatus::Pass;
  std::string expected;  // the whole expected output
  std::string got;       // the whole output written
  OutputDifference difference;  // for wrong output
  std::string detail;    // one line: where and why it failed, or the warning
  uint64_t steps = 0;
  double seconds = 0;

  bool Passed() const { return StatusInfo(status).passed; }
};

struct Submission {
  std::string pupil;  // core text: the file's stem
  std::string path;   // native path of the .alg file
};

struct PupilResult {
  Submission submission;
  std::vector<CaseResult> cases;  // in the task's order
  int32_t passed = 0;
  int32_t score = 0;
  int32_t max_score = 0;
  std::string problem;  // a whole-file problem (unreadable, compile error); empty when none

  bool AllPassed() const { return passed == static_cast<int32_t>(cases.size()); }
};

// What the command line may set over the task's own values.
struct GradeOverrides {
  std::optional<CompareMode> compare;
  std::optional<uint64_t> max_steps;
  std::optional<double> time_limit;
};

RunLimits LimitsOf(const TaskSettings& settings, const GradeOverrides& overrides);

// Grades the cases of `task` on a program already read.
PupilResult GradeProgram(const Task& task, const std::vector<Tobj>& bloki, const Submission& submission,
                         const GradeOverrides& overrides = {});

// Reads, compiles and grades one submission file.
PupilResult GradeSubmission(const Task& task, const Submission& submission,
                            const GradeOverrides& overrides = {});

// Grades every submission, `jobs` of them at a time; results in the given order.
std::vector<PupilResult> GradeAll(const Task& task, const std::vector<Submission>& submissions,
                                  const GradeOverrides& overrides, unsigned jobs);

struct SubmissionList {
  bool ok = false;
  std::string error;  // core text naming the path, when not ok
  std::vector<Submission> submissions;
};

// The submissions named by native `paths`: a file is one, a folder gives its
// ".alg" files in name order.
SubmissionList CollectSubmissions(const std::vector<std::string>& paths);

// Which cases a pupil sees in full: "show" cases, and "hide-if-fail" ones
// while they pass, up to the first failure of a "hide-rest-if-fail" case.
std::vector<bool> VisibleCases(const Task& task, const std::vector<CaseResult>& results);

}  // namespace tessaro::task
