#include "core/task/grading.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <filesystem>
#include <system_error>
#include <thread>

#include "core/document/alg_file.h"
#include "core/document/alg_reader.h"
#include "core/i18n/ansi_case.h"
#include "core/i18n/cp1250.h"
#include "core/i18n/language.h"

namespace tessaro::task {

namespace fs = std::filesystem;

namespace {

// A line quoted in a one-line detail, cut when long.
constexpr size_t kLongestQuotedLine = 120;

std::string Quoted(const std::string& line) {
  if (line.size() <= kLongestQuotedLine) return "\"" + line + "\"";
  return "\"" + line.substr(0, kLongestQuotedLine) + "...\"";
}

std::string DifferenceDetail(const OutputDifference& d) {
  std::string text = "line " + std::to_string(d.line) + ": expected ";
  text += d.expected_ended ? std::string("no more output") : Quoted(d.expected_line);
  text += ", got ";
  text += d.got_ended ? std::string("no more output") : Quoted(d.got_line);
  return text;
}

std::string Plural(size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

CaseResult Judge(const TaskCase& c, const CaseRun& run, const CompareMode& compare) {
  CaseResult r;
  r.name = c.name;
  r.expected = c.expected;
  r.got = run.output;
  r.steps = run.steps;
  r.seconds = run.seconds;
  switch (run.end) {
    case RunEnd::RunTimeError:
      r.status = CaseStatus::RunTimeError;
      r.detail = DescribeStop(run);
      r.detail += (r.detail.empty() ? "" : ": ") + run.message;
      return r;
    case RunEnd::StepLimit:
      r.status = CaseStatus::StepLimit;
      r.detail = "stopped after " + Plural(run.steps, "step", "steps");
      return r;
    case RunEnd::TimeLimit: {
      r.status = CaseStatus::TimeLimit;
      char seconds[32];
      std::snprintf(seconds, sizeof seconds, "%.1f", run.seconds);
      r.detail = std::string("stopped after ") + seconds + " s";
      return r;
    }
    case RunEnd::InputExhausted:
      r.status = CaseStatus::InputExhausted;
      r.detail = DescribeStop(run);
      r.detail += (r.detail.empty() ? "" : ": ") + std::string("read ") + run.message + " after the " +
                  Plural(c.answers.size(), "answer", "answers") + " of the case";
      return r;
    case RunEnd::OutputLimit:
      r.status = CaseStatus::WrongOutput;
      r.detail = "the output exceeds " + std::to_string(kMaxRunOutputBytes >> 20) + " MiB";
      return r;
    case RunEnd::Finished: break;
  }
  r.difference = CompareOutput(compare, c.expected, run.output);
  if (!r.difference.same) {
    r.status = CaseStatus::WrongOutput;
    r.detail = DifferenceDetail(r.difference);
  } else if (run.answers_used < c.answers.size()) {
    r.status = CaseStatus::UnusedInput;
    r.detail = Plural(c.answers.size() - run.answers_used, "answer was", "answers were") + " not read";
  }
  return r;
}

// Every case gets the same status when the program cannot run at all.
PupilResult WholeFileFailure(const Task& task, const Submission& submission, CaseStatus status,
                             const std::string& problem) {
  PupilResult p;
  p.submission = submission;
  p.problem = problem;
  for (const TaskCase& c : task.cases) {
    CaseResult r;
    r.name = c.name;
    r.status = status;
    r.expected = c.expected;
    r.detail = problem;
    p.cases.push_back(std::move(r));
    p.max_score += c.mark;
  }
  return p;
}

void Score(const Task& task, PupilResult& p) {
  p.passed = 0;
  p.score = 0;
  p.max_score = 0;
  for (size_t i = 0; i < p.cases.size(); ++i) {
    const int32_t mark = task.cases[i].mark;
    p.max_score += mark;
    if (!p.cases[i].Passed()) continue;
    ++p.passed;
    p.score += mark;
  }
  if (task.settings.grading == Grading::AllOrNothing && !p.AllPassed()) p.score = 0;
}

bool IsAlgorithmName(const fs::path& path) { return AnsiLowerCase(path.extension().string()) == ".alg"; }

}  // namespace

const CaseStatusInfo& StatusInfo(CaseStatus status) {
  for (const CaseStatusInfo& info : kCaseStatuses) {
    if (info.status == status) return info;
  }
  assert(false && "every status has a row in kCaseStatuses");
  return kCaseStatuses[0];
}

RunLimits LimitsOf(const TaskSettings& settings, const GradeOverrides& overrides) {
  RunLimits limits;
  limits.max_steps = overrides.max_steps.value_or(settings.max_steps);
  limits.time_limit = overrides.time_limit.value_or(settings.time_limit);
  limits.seed = settings.seed;
  return limits;
}

PupilResult GradeProgram(const Task& task, const std::vector<Tobj>& bloki, const Submission& submission,
                         const GradeOverrides& overrides) {
  TaskProgram program;
  std::string message;
  if (!program.Compile(bloki, message)) {
    return WholeFileFailure(task, submission, CaseStatus::CompileError, message);
  }
  const RunLimits limits = LimitsOf(task.settings, overrides);
  const CompareMode compare = overrides.compare.value_or(task.settings.compare);
  PupilResult p;
  p.submission = submission;
  for (const TaskCase& c : task.cases) p.cases.push_back(Judge(c, program.Run(c.answers, limits), compare));
  Score(task, p);
  return p;
}

PupilResult GradeSubmission(const Task& task, const Submission& submission, const GradeOverrides& overrides) {
  TMemoryStream bytes;
  const std::string shown = Utf8ToCp1250(submission.path);
  if (!ReadAlgorithmFile(submission.path, bytes)) {
    return WholeFileFailure(task, submission, CaseStatus::Unreadable, shown + ": cannot read the file");
  }
  TAlgRead read = ReadAlgorithm(bytes, TElementDefaults{});
  if (!read.format || !read.ok) {
    return WholeFileFailure(task, submission, CaseStatus::Unreadable,
                            shown + (read.format ? ": damaged algorithm file" : ": not an algorithm file"));
  }
  return GradeProgram(task, read.bloki, submission, overrides);
}

std::vector<PupilResult> GradeAll(const Task& task, const std::vector<Submission>& submissions,
                                  const GradeOverrides& overrides, unsigned jobs) {
  std::vector<PupilResult> results(submissions.size());
  Language();  // the message texts are loaded once, before any worker reads them
  std::atomic<size_t> next{0};
  const auto work = [&] {
    for (size_t i = next++; i < submissions.size(); i = next++) {
      results[i] = GradeSubmission(task, submissions[i], overrides);
    }
  };
  jobs = std::clamp<unsigned>(jobs, 1, static_cast<unsigned>(std::max<size_t>(submissions.size(), 1)));
  std::vector<std::thread> workers;
  for (unsigned j = 1; j < jobs; ++j) workers.emplace_back(work);
  work();
  for (std::thread& t : workers) t.join();
  return results;
}

SubmissionList CollectSubmissions(const std::vector<std::string>& paths) {
  SubmissionList list;
  for (const std::string& path : paths) {
    std::error_code ec;
    const fs::path p(path);
    if (fs::is_directory(p, ec)) {
      std::vector<fs::path> found;
      fs::directory_iterator it(p, ec), end;
      for (; !ec && it != end; it.increment(ec)) {
        std::error_code type_ec;
        if (it->is_regular_file(type_ec) && IsAlgorithmName(it->path())) found.push_back(it->path());
      }
      if (ec) {
        list.error = Utf8ToCp1250(path) + ": cannot read the folder";
        return list;
      }
      if (found.empty()) {
        list.error = Utf8ToCp1250(path) + ": the folder holds no .alg file";
        return list;
      }
      std::sort(found.begin(), found.end());
      for (const fs::path& f : found) list.submissions.push_back({Utf8ToCp1250(f.stem().string()), f.string()});
    } else if (fs::exists(p, ec)) {
      list.submissions.push_back({Utf8ToCp1250(p.stem().string()), path});
    } else {
      list.error = Utf8ToCp1250(path) + ": no such file or folder";
      return list;
    }
  }
  list.ok = true;
  return list;
}

std::vector<bool> VisibleCases(const Task& task, const std::vector<CaseResult>& results) {
  std::vector<bool> visible(results.size(), false);
  for (size_t i = 0; i < results.size() && i < task.cases.size(); ++i) {
    const TaskCase& c = task.cases[i];
    const bool passed = results[i].Passed();
    visible[i] = c.display == Display::Show || (c.display == Display::HideIfFail && passed);
    if (c.hide_rest_if_fail && !passed) break;
  }
  return visible;
}

}  // namespace tessaro::task
