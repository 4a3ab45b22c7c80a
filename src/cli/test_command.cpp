// tessaro-cli test TASK SUBMISSION...: grades algorithm files against a task
// and writes the reports asked for.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

#include "cli/commands.h"
#include "core/platform/file_io.h"
#include "core/task/grading.h"
#include "core/task/reports.h"
#include "core/task/task_reader.h"

namespace tessaro::cli {

namespace {

namespace fs = std::filesystem;
using namespace tessaro::task;

constexpr unsigned kMostJobs = 256;

struct ShowName {
  const char* name;
  ShowDetails show;
};
constexpr ShowName kShowNames[] = {
    {"none", ShowDetails::None}, {"first", ShowDetails::First}, {"all", ShowDetails::All}};

int TestUsage(const std::string& why) {
  std::fprintf(stderr, "tessaro-cli: test: %s\n", why.c_str());
  std::fprintf(stderr,
               "usage: tessaro-cli test TASK SUBMISSION... [--jobs N] [--compare MODE] [--max-steps N]\n"
               "       [--timeout S] [--show none|first|all] [--tap[=FILE]] [--junit FILE] [--csv FILE] "
               "[--json FILE]\n");
  return kExitTestUsage;
}

bool WholeNumber(const std::string& text, uint64_t highest, uint64_t& value) {
  if (text.empty() || text.size() > 18) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  return value > 0 && value <= highest;
}

// A report file must not replace the task or a pupil's work.
bool Overwrites(const std::string& out, const std::string& task, const std::vector<Submission>& submissions) {
  std::error_code ec;
  if (!fs::exists(out, ec)) return false;
  if (fs::equivalent(out, task, ec)) return true;
  for (const Submission& s : submissions) {
    if (fs::equivalent(out, s.path, ec)) return true;
  }
  return false;
}

struct Options {
  unsigned jobs = 1;
  GradeOverrides overrides;
  ShowDetails show = ShowDetails::First;
};

// Reads the options that change the grading; false after the usage message.
bool ReadOptions(const CliOptions& cli, Options& o, int& status) {
  const unsigned cores = std::thread::hardware_concurrency();
  o.jobs = cores ? cores : 1;
  if (!cli.Values("--jobs").empty()) {
    uint64_t n = 0;
    if (!WholeNumber(cli.Value("--jobs"), kMostJobs, n)) {
      status = TestUsage("--jobs needs a whole number from 1 to 256");
      return false;
    }
    o.jobs = static_cast<unsigned>(n);
  }
  if (!cli.Values("--compare").empty()) {
    o.overrides.compare = ParseCompareMode(cli.Value("--compare"));
    if (!o.overrides.compare) {
      status = TestUsage("--compare needs exact, lines, ws, nocase or num:EPS");
      return false;
    }
  }
  if (!cli.Values("--max-steps").empty()) {
    uint64_t n = 0;
    if (!WholeNumber(cli.Value("--max-steps"), uint64_t{1} << 40, n)) {
      status = TestUsage("--max-steps needs a whole number above 0");
      return false;
    }
    o.overrides.max_steps = n;
  }
  if (!cli.Values("--timeout").empty()) {
    const std::string text = cli.Value("--timeout");
    char* end = nullptr;
    errno = 0;
    const double s = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || errno || !(s > 0) || s > 3600) {
      status = TestUsage("--timeout needs a number of seconds above 0, up to 3600");
      return false;
    }
    o.overrides.time_limit = s;
  }
  if (!cli.Values("--show").empty()) {
    bool found = false;
    for (const ShowName& s : kShowNames) {
      if (cli.Value("--show") == s.name) {
        o.show = s.show;
        found = true;
      }
    }
    if (!found) {
      status = TestUsage("--show needs none, first or all");
      return false;
    }
  }
  return true;
}

}  // namespace

int RunTest(const CliOptions& cli) {
  if (cli.positional.size() < 2) return TestUsage("a task and at least one submission are needed");
  Options o;
  int status = 0;
  if (!ReadOptions(cli, o, status)) return status;

  const TaskRead read = ReadTask(cli.positional[0]);
  if (!read.ok) {
    PrintErr("tessaro-cli: test: " + read.error + "\n");
    return kExitTestUsage;
  }
  const SubmissionList list =
      CollectSubmissions(std::vector<std::string>(cli.positional.begin() + 1, cli.positional.end()));
  if (!list.ok) {
    PrintErr("tessaro-cli: test: " + list.error + "\n");
    return kExitTestUsage;
  }

  // The report files, checked before any pupil runs.
  struct Report {
    const char* option;
    std::string (*write)(const Task&, const std::vector<PupilResult>&);
  };
  static constexpr Report kReports[] = {
      {"--tap", TapReport},
      {"--junit", JunitReport},
      {"--csv", [](const Task&, const std::vector<PupilResult>& p) { return CsvReport(p); }},
      {"--json", JsonReport},
  };
  for (const Report& r : kReports) {
    for (const std::string& path : cli.Values(r.option)) {
      if (path.empty()) return TestUsage(std::string(r.option) + " needs a file name");
      if (Overwrites(path, cli.positional[0], list.submissions)) {
        return TestUsage(std::string(r.option) + " " + path + " would overwrite the task or a submission");
      }
    }
  }

  const std::vector<PupilResult> results = GradeAll(read.task, list.submissions, o.overrides, o.jobs);

  const std::string out = cli.Has("--tap") ? TapReport(read.task, results) : TextSummary(results, o.show);
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fflush(stdout);
  bool written = true;
  for (const Report& r : kReports) {
    for (const std::string& path : cli.Values(r.option)) {
      if (ReplaceFileBytes(path, r.write(read.task, results))) continue;
      std::fprintf(stderr, "tessaro-cli: test: %s: cannot write the file\n", path.c_str());
      written = false;
    }
  }
  if (!written) return kExitTestUsage;
  return CountAllPassed(results) == results.size() ? kExitAllPassed : kExitSomeFailed;
}

}  // namespace tessaro::cli
