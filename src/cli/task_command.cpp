// tessaro-cli task make REFERENCE.alg TASKDIR --inputs FILE...: writes a
// task's cases from the teacher's own solution.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/program_session.h"
#include "core/i18n/cp1250.h"
#include "core/task/task_maker.h"

namespace tessaro::cli {

namespace {

int TaskUsage(const char* why) {
  std::fprintf(stderr, "tessaro-cli: task: %s\n", why);
  std::fprintf(stderr, "usage: tessaro-cli task make REFERENCE.alg TASKDIR --inputs FILE... [--title TEXT]\n");
  return kExitTestUsage;
}

}  // namespace

int RunTask(const CliOptions& cli) {
  if (cli.positional.empty() || cli.positional[0] != "make") return TaskUsage("the only action is make");
  if (cli.positional.size() < 3) return TaskUsage("a reference algorithm and a task folder are needed");
  // "--inputs a b c" leaves b and c as plain arguments after the folder.
  task::MakeTaskRequest request;
  request.task_dir = cli.positional[2];
  request.input_paths = cli.Values("--inputs");
  request.input_paths.insert(request.input_paths.end(), cli.positional.begin() + 3, cli.positional.end());
  if (request.input_paths.empty()) return TaskUsage("--inputs names no file");
  request.title = Utf8ToCp1250(cli.Value("--title"));

  std::vector<Tobj> reference;
  if (!LoadAlgorithm(cli.positional[1], "task", reference)) return kExitTestUsage;
  const task::MakeTaskResult result = task::MakeTask(reference, request);
  for (const std::string& warning : result.warnings) PrintErr("tessaro-cli: task: warning: " + warning + "\n");
  if (!result.ok) {
    PrintErr("tessaro-cli: task: " + result.error + "\n");
    return kExitSomeFailed;
  }
  for (const std::string& path : result.written) std::printf("%s\n", path.c_str());
  return kExitAllPassed;
}

}  // namespace tessaro::cli
