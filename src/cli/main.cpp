// tessaro-cli: the headless runner. A thin driver over the core.
#include <cstdio>
#include <string>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "core/i18n/cp1250.h"
#include "core/i18n/language.h"
#include "core/platform/dialogs.h"
#include "core/platform/version.h"

namespace {

using tessaro::cli::CliOptions;

struct Command {
  const char* name;
  int (*run)(const CliOptions&);
  const char* usage;
  int usage_exit = tessaro::cli::kExitUsage;  // the exit code of a wrong command line
};

constexpr Command kCommands[] = {
    {"info", tessaro::cli::RunInfo, "info FILE.alg             list the elements of an algorithm file"},
    {"tree", tessaro::cli::RunTree, "tree [--layout] TEXT      print the expression tree of one instruction as JSON"},
    {"convert", tessaro::cli::RunConvert, "convert VALUE FROM TO     convert a number between bases"},
    {"run", tessaro::cli::RunRun, "run [options] FILE.alg    compile and run an algorithm (--max-memory MB: the values' budget, 256 by default)"},
    {"compile", tessaro::cli::RunCompile, "compile [options] FILE.alg  print the instruction listing and errors"},
    {"eval", tessaro::cli::RunEval, "eval [options] EXPR...    evaluate expressions"},
    {"export", tessaro::cli::RunExport, "export FILE.alg OUT       draw the diagram into a picture file"},
    {"code", tessaro::cli::RunCode, "code --lang L FILE.alg [-o OUT]  write the flowchart as a program (python, cpp, java, pascal)"},
    {"test", tessaro::cli::RunTest,
     "test TASK SUBMISSION... [--jobs N] [--compare MODE] [--max-steps N] [--timeout S]\n"
     "       [--show none|first|all] [--tap[=FILE]] [--junit FILE] [--csv FILE] [--json FILE]\n"
     "                            grade algorithm files (or folders of them) against a task",
     tessaro::cli::kExitTestUsage},
    {"task", tessaro::cli::RunTask,
     "task make REFERENCE.alg TASKDIR --inputs FILE... [--title TEXT]\n"
     "                            write a task's expected outputs from a reference solution",
     tessaro::cli::kExitTestUsage},
};

// Notices go to stderr as UTF-8; no one is there to answer a question, so
// every question is declined.
class StderrDialogs final : public tessaro::Dialogs {
 public:
  void Komunikat(const std::string& caption, const std::string& text) override {
    tessaro::cli::PrintErr(caption + ": " + text + "\n");
  }
  tessaro::Answer PytanieTakNie(const std::string& caption, const std::string& text,
                                tessaro::QuestionIcon) override {
    Komunikat(caption, text);
    return tessaro::Answer::No;
  }
  tessaro::Answer PytanieTakNieAnuluj(const std::string& caption, const std::string& text) override {
    Komunikat(caption, text);
    return tessaro::Answer::No;
  }
};

void PrintUsage(FILE* out) {
  std::fprintf(out, "usage: tessaro-cli [--lang CODE] [--version] COMMAND ...\ncommands:\n");
  for (const Command& c : kCommands) std::fprintf(out, "  %s\n", c.usage);
}

}  // namespace

int main(int argc, char** argv) {
  static StderrDialogs dialogs;  // outlives everything that may still show a notice
  tessaro::SetDialogs(&dialogs);
  CliOptions options;
  std::string error;
  if (!tessaro::cli::ParseCommandLine(argc, argv, options, error)) {
    std::fprintf(stderr, "tessaro-cli: %s\n", error.c_str());
    PrintUsage(stderr);
    for (const Command& c : kCommands) {
      if (options.command == c.name) return c.usage_exit;
    }
    return tessaro::cli::kExitUsage;
  }
  if (options.Has("--version")) {
    std::printf("%s\n", tessaro::ProgramVersion());
    return tessaro::cli::kExitOk;
  }
  if (options.Has("--help")) {
    PrintUsage(stdout);
    return tessaro::cli::kExitOk;
  }
  // --lang chooses the texts of this run only; lang.ini stays as it is. For
  // code it names the language the flowchart is written in instead.
  if (!options.Values("--lang").empty() && options.command != "code") {
    tessaro::Language().UseLanguage(tessaro::Utf8ToCp1250(options.Value("--lang")));
  }
  for (const Command& c : kCommands) {
    if (options.command == c.name) return c.run(options);
  }
  if (options.command.empty()) {
    std::fprintf(stderr, "tessaro-cli: no command given\n");
  } else {
    std::fprintf(stderr, "tessaro-cli: unknown command '%s'\n", options.command.c_str());
  }
  PrintUsage(stderr);
  return tessaro::cli::kExitUsage;
}
