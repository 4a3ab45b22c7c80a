#include "cli/program_session.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "core/document/alg_file.h"
#include "core/document/alg_reader.h"
#include "core/extensions/plugin_dll.h"
#include "core/extensions/plugin_table.h"
#include "core/i18n/cp1250.h"
#include "core/language/value_memory.h"
#include "core/runtime/analysis_text.h"
#include "core/runtime/builtin_calls.h"

namespace tessaro::cli {

namespace {

// A whole number from 0 to 4294967295.
bool ParseUnsigned(const std::string& text, uint32_t& value) {
  if (text.empty() || text.size() > 10) return false;
  uint64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<uint64_t>(c - '0');
  }
  if (v > 0xFFFFFFFFu) return false;
  value = static_cast<uint32_t>(v);
  return true;
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// One line of stdin without its line end and a trailing CR; false at the end of input.
bool ReadLine(std::string& line) {
  if (!std::getline(std::cin, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

// Says on stderr which read found the input at its end, so that a script
// learns why the run stopped early.
void TellInputEnded(const TKompilatorTS& c, const std::string& item) {
  std::string where;
  if (c.HasInstruction(c.Current)) {
    const Trozkaz& ins = c.Instructions[static_cast<size_t>(c.Current)];
    where = " (block " + std::to_string(ins.BlockIndex) + ", line " + std::to_string(ins.Line) + ")";
  }
  std::fflush(stdout);
  PrintErr("tessaro-cli: the input ended while the program still reads " + item + where + "\n");
}

}  // namespace

ProgramSession::~ProgramSession() {
  // The compiler's end hooks run before the libraries go.
  compiler.OnStateChange = nullptr;
  compiler.OnVariableChange = nullptr;
  compiler.OnStep = nullptr;
  compiler.Clear();
  for (TModuleHandle module : own_modules_) {
    PluginFinalise(module);
    FreeModule(module);
  }
  if (plugins_loaded_) UnloadPlugIns();
}

int ProgramSession::Start(const CliOptions& options, const char* command) {
  if (!options.Values("--max-memory").empty()) {
    uint32_t megabytes = 0;
    if (!ParseUnsigned(options.Value("--max-memory"), megabytes) || megabytes < kMinMemoryBudgetMB ||
        megabytes > kMaxMemoryBudgetMB) {
      std::fprintf(stderr, "tessaro-cli: %s: --max-memory needs a whole number of MB from %lld to %lld\n", command,
                   static_cast<long long>(kMinMemoryBudgetMB), static_cast<long long>(kMaxMemoryBudgetMB));
      return kExitUsage;
    }
    SetMemoryBudgetMB(megabytes);
  }
  if (options.Has("--no-dynamic-arrays")) compiler.DynamicArrays = 0;
  if (options.Has("--case-insensitive")) compiler.CaseSensitive = 0;
  if (!options.Values("--seed").empty()) {
    uint32_t seed = 0;
    if (!ParseUnsigned(options.Value("--seed"), seed)) {
      std::fprintf(stderr, "tessaro-cli: %s: --seed needs a whole number from 0 to 4294967295\n", command);
      return kExitUsage;
    }
    SeedRandom(seed);
  }
  LoadPlugIns();
  plugins_loaded_ = true;
  for (const TPlugInEntry& e : PlugIns) {
    if (e.Enabled) extensions.push_back(e);
  }
  for (const std::string& path : options.Values("--extension")) {
    TModuleLoad load = LoadModule(path);
    if (!load.handle) {
      std::fprintf(stderr, "tessaro-cli: %s: cannot load the extension %s: ", command, path.c_str());
      PrintErr(load.error + "\n");
      return kExitNoInput;
    }
    own_modules_.push_back(load.handle);
    PluginInitialise(load.handle);
    TPlugInEntry entry;
    entry.Name = PluginName(load.handle);
    entry.FileName = Utf8ToCp1250(BaseName(path));
    entry.Enabled = 1;
    entry.Module = load.handle;
    extensions.push_back(entry);
  }
  return kExitOk;
}

bool ProgramSession::Compile(const std::vector<Tobj>& bloki) {
  return compiler.Compile(bloki, static_cast<int32_t>(bloki.size()) - 1,
                          static_cast<int32_t>(extensions.size()) - 1, extensions, no_breakpoints_);
}

void ProgramSession::ConnectConsole(bool with_names) {
  const bool prompt = isatty(STDIN_FILENO);
  compiler.OnInputOutput = [this, with_names, prompt](TKompilatorTS& sender, const std::string& value,
                                                       const std::string& item, uint8_t direction,
                                                       std::string& answer) {
    answer.clear();
    if (direction == 1) {
      PrintOut((with_names ? item + " = " : std::string()) + value + "\n");
      return;
    }
    if (prompt) {
      std::fflush(stdout);
      PrintErr(item + "=? ");
    }
    std::string line;
    if (ReadLine(line)) {
      answer = Utf8ToCp1250(line);
    } else {
      TellInputEnded(sender, item);
    }
    if (answer.empty()) {
      // No answer ends the run, as the console does.
      empty_answer = true;
      sender.Stop();
    }
  };
}

void ProgramSession::PrintErrorList() const {
  std::fflush(stdout);
  for (const std::string& item : ErrorListItems(compiler)) PrintErr(item + "\n");
}

bool LoadAlgorithm(const std::string& path, const char* command, std::vector<Tobj>& bloki) {
  TMemoryStream bytes;
  const char* why = nullptr;
  TAlgRead read;
  if (!ReadAlgorithmFile(path, bytes)) {
    why = AlgorithmFileTooLarge(path) ? "the file is too large (over 64 MB)" : "cannot read the file";
  } else {
    read = ReadAlgorithm(bytes, TElementDefaults{});
    if (!read.format) why = "not an algorithm file (unknown format)";
    else if (!read.ok) why = "damaged algorithm file (it ends before its contents)";
  }
  if (why) {
    std::fprintf(stderr, "tessaro-cli: %s: %s: %s\n", command, path.c_str(), why);
    return false;
  }
  bloki = std::move(read.bloki);
  return true;
}

}  // namespace tessaro::cli
