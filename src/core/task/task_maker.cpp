#include "core/task/task_maker.h"

#include <filesystem>
#include <system_error>

#include "core/i18n/cp1250.h"
#include "core/platform/file_io.h"
#include "core/task/case_run.h"
#include "core/task/task_files.h"
#include "core/task/task_reader.h"

namespace tessaro::task {

namespace fs = std::filesystem;

namespace {

struct PlannedCase {
  std::string name;  // native file stem
  std::string input_bytes;
  std::string output;  // UTF-8
};

bool StartsWithDigits(const std::string& name) { return !name.empty() && name[0] >= '0' && name[0] <= '9'; }

std::string TwoDigits(size_t n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// The limits of the folder's task.ini when it has a readable one.
RunLimits ExistingLimits(const fs::path& dir) {
  TaskFiles files;
  std::error_code ec;
  const fs::path ini = dir / "task.ini";
  RunLimits limits;
  if (!fs::is_regular_file(ini, ec) || fs::file_size(ini, ec) > kMaxTaskFileBytes) return limits;
  const std::optional<std::string> bytes = ReadFileBytes(ini.string());
  if (!bytes) return limits;
  files.files["task.ini"] = *bytes;
  files.files["statement.md"] = "-";
  files.files["cases/00.out"] = "";
  const TaskRead read = ParseTask(files, dir.string());
  if (!read.ok) return limits;
  limits.max_steps = read.task.settings.max_steps;
  limits.time_limit = read.task.settings.time_limit;
  limits.seed = read.task.settings.seed;
  return limits;
}

const char* EndText(RunEnd end) {
  switch (end) {
    case RunEnd::Finished: return "";
    case RunEnd::RunTimeError: return "a run-time error";
    case RunEnd::StepLimit: return "the step limit";
    case RunEnd::TimeLimit: return "the time limit";
    case RunEnd::InputExhausted: return "the end of the input";
    case RunEnd::OutputLimit: return "too much output";
  }
  return "";
}

}  // namespace

MakeTaskResult MakeTask(const std::vector<Tobj>& reference, const MakeTaskRequest& request) {
  MakeTaskResult result;
  const fs::path dir(request.task_dir);
  TaskProgram program;
  std::string message;
  if (!program.Compile(reference, message)) {
    result.error = "the reference does not compile: " + message;
    return result;
  }
  const RunLimits limits = ExistingLimits(dir);

  // Every input is read, then runs, before anything is written.
  std::vector<MakeTaskInput> inputs;
  for (const std::string& path : request.input_paths) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec) || fs::file_size(path, ec) > kMaxTaskFileBytes) {
      result.error = ShownPath(path) + ": cannot read the file, or it is larger than " +
                     std::to_string(kMaxTaskFileBytes >> 20) + " MiB";
      return result;
    }
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) {
      result.error = ShownPath(path) + ": cannot read the file";
      return result;
    }
    inputs.push_back({fs::path(path).stem().string(), *bytes});
  }
  inputs.insert(inputs.end(), request.inputs.begin(), request.inputs.end());
  const size_t from_files = request.input_paths.size();

  std::vector<PlannedCase> planned;
  for (size_t i = 0; i < inputs.size(); ++i) {
    const std::string shown = i < from_files ? ShownPath(request.input_paths[i]) : Utf8ToCp1250(inputs[i].name);
    std::vector<std::string> answers;
    std::string why;
    if (inputs[i].name.empty() || inputs[i].name.find_first_of("/\\") != std::string::npos ||
        inputs[i].name == "." || inputs[i].name == "..") {
      result.error = shown + ": not a name for a case";
      return result;
    }
    if (!ParseAnswers(inputs[i].bytes, answers, why)) {
      result.error = shown + ": " + why;
      return result;
    }
    const CaseRun run = program.Run(answers, limits);
    if (run.end != RunEnd::Finished) {
      std::string where = DescribeStop(run);
      result.error = shown + ": the reference stopped at " + EndText(run.end) +
                     (where.empty() ? "" : " in " + where) + (run.message.empty() ? "" : ": " + run.message);
      return result;
    }
    if (run.answers_used < answers.size()) {
      result.warnings.push_back(shown + ": the reference left " + std::to_string(answers.size() - run.answers_used) +
                                " answers unread");
    }
    std::string stem = inputs[i].name;
    if (!StartsWithDigits(stem)) stem = TwoDigits(i + 1) + "-" + stem;
    planned.push_back({stem, inputs[i].bytes, Cp1250ToUtf8(run.output) + "\n"});
  }
  if (planned.empty()) {
    result.error = "no input was given";
    return result;
  }

  std::string title = request.title.empty() ? dir.filename().string() : Cp1250ToUtf8(request.title);
  for (char& c : title) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  std::error_code ec;
  fs::create_directories(dir / "cases", ec);
  if (ec) {
    result.error = ShownPath((dir / "cases").string()) + ": cannot create the folder";
    return result;
  }
  const auto write = [&](const fs::path& path, const std::string& bytes) {
    if (ReplaceFileBytes(path.string(), bytes)) {
      result.written.push_back(path.string());
      return true;
    }
    result.error = ShownPath(path.string()) + ": cannot write the file";
    return false;
  };
  for (const PlannedCase& c : planned) {
    if (!write(dir / "cases" / (c.name + ".in"), c.input_bytes)) return result;
    if (!write(dir / "cases" / (c.name + ".out"), c.output)) return result;
  }
  if (!fs::exists(dir / "task.ini", ec)) {
    if (!write(dir / "task.ini", "[task]\ntitle = " + title + "\n")) return result;
  }
  if (!fs::exists(dir / "statement.md", ec) && !fs::exists(dir / "statement.html", ec)) {
    const std::string statement = request.statement_md.empty() ? "# " + title + "\n" : request.statement_md;
    if (!write(dir / "statement.md", statement)) return result;
  }
  result.ok = true;
  return result;
}

}  // namespace tessaro::task
