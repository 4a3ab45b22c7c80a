// tessaro-cli code --lang LANGUAGE FILE.alg [-o OUT]: writes the flowchart as
// a program in Python, C++, Java or Pascal.
#include <cstdio>
#include <fstream>
#include <string>

#include "cli/commands.h"
#include "cli/program_session.h"
#include "core/codegen/code_export.h"
#include "core/i18n/cp1250.h"

namespace tessaro::cli {

namespace {

// The file name without folder and extension.
std::string Stem(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = name.find_last_of('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

}  // namespace

int RunCode(const CliOptions& options) {
  codegen::TargetLanguage language;
  if (options.positional.size() != 1 || !codegen::ParseTargetLanguage(options.Value("--lang"), language)) {
    std::fprintf(stderr, "usage: tessaro-cli code --lang python|cpp|java|pascal FILE.alg [-o OUT]\n");
    return kExitUsage;
  }
  ProgramSession session;
  if (int status = session.Start(options, "code"); status != kExitOk) return status;
  std::vector<Tobj> bloki;
  if (!LoadAlgorithm(options.positional[0], "code", bloki)) return kExitNoInput;
  if (!session.Compile(bloki)) {
    session.PrintErrorList();
    return 1;
  }
  const std::string out_path = options.Value("-o");
  codegen::ExportOptions export_options;
  export_options.Language = language;
  export_options.ProgramName = out_path.empty() ? "Main" : Stem(out_path);
  export_options.Title = Utf8ToCp1250(Stem(options.positional[0]));
  export_options.BlockNumbers = options.Has("--block-numbers");
  const codegen::ExportResult result = codegen::ExportProgram(session.compiler, export_options);
  if (!result.Ok) {
    std::fprintf(stderr, "tessaro-cli: code: %s\n", result.Error.c_str());
    return 1;
  }
  for (const std::string& w : result.Warnings) PrintErr("warning: " + w + "\n");
  if (out_path.empty()) {
    PrintOut(result.Text);
    return kExitOk;
  }
  std::ofstream file(out_path, std::ios::binary);
  file << Cp1250ToUtf8(result.Text);
  if (!file.flush()) {
    std::fprintf(stderr, "tessaro-cli: code: cannot write %s\n", out_path.c_str());
    return kExitCantCreate;
  }
  return kExitOk;
}

}  // namespace tessaro::cli
