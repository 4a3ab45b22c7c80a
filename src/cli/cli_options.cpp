#include "cli/cli_options.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "core/i18n/cp1250.h"

namespace tessaro::cli {

namespace {

enum class OptionValue : uint8_t {
  None,      // a flag
  Required,  // --opt VALUE or --opt=VALUE
  Optional,  // a flag, or --opt=VALUE
};

struct OptionSpec {
  const char* name;
  OptionValue value;
};

constexpr OptionValue kFlag = OptionValue::None;
constexpr OptionValue kValue = OptionValue::Required;

// Every option any subcommand understands; a subcommand ignores the ones it does not use.
constexpr OptionSpec kOptions[] = {
    {"--version", kFlag},          {"--help", kFlag},
    {"--lang", kValue},            {"--layout", kFlag},
    {"--extension", kValue},       {"--no-dynamic-arrays", kFlag},
    {"--case-insensitive", kFlag}, {"--seed", kValue},
    {"--max-steps", kValue},       {"--trace", kFlag},
    {"--names", kFlag},            {"--dump-vars", kFlag},
    {"--jobs", kValue},            {"--compare", kValue},
    {"--timeout", kValue},         {"--show", kValue},
    {"--tap", OptionValue::Optional}, {"--junit", kValue},
    {"--csv", kValue},             {"--json", kValue},
    {"--inputs", kValue},          {"--title", kValue},
    {"--history", kValue},         {"--block-numbers", kFlag},
    {"-o", kValue},                {"--max-memory", kValue},
};

const OptionSpec* FindOption(const std::string& name) {
  for (const OptionSpec& spec : kOptions) {
    if (name == spec.name) return &spec;
  }
  return nullptr;
}

}  // namespace

bool CliOptions::Has(const std::string& flag) const {
  return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

std::string CliOptions::Value(const std::string& option, const std::string& fallback) const {
  auto it = values.find(option);
  return it == values.end() || it->second.empty() ? fallback : it->second.back();
}

const std::vector<std::string>& CliOptions::Values(const std::string& option) const {
  static const std::vector<std::string> kNone;
  auto it = values.find(option);
  return it == values.end() ? kNone : it->second;
}

bool ParseCommandLine(int argc, char** argv, CliOptions& options, std::string& error) {
  bool options_ended = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (!options_ended && arg == "--") {
      options_ended = true;
      continue;
    }
    // "-o FILE" is the one short option: the output file of code.
    if (!options_ended && ((arg.size() > 2 && arg.compare(0, 2, "--") == 0) || arg == "-o")) {
      std::string value;
      bool has_inline_value = false;
      if (auto eq = arg.find('='); eq != std::string::npos) {
        value = arg.substr(eq + 1);
        arg.resize(eq);
        has_inline_value = true;
      }
      const OptionSpec* spec = FindOption(arg);
      if (!spec) {
        error = "unknown option " + arg;
        return false;
      }
      if (spec->value == OptionValue::None && has_inline_value) {
        error = arg + " takes no value";
        return false;
      }
      if (spec->value == OptionValue::None || (spec->value == OptionValue::Optional && !has_inline_value)) {
        options.flags.push_back(arg);
        continue;
      }
      if (!has_inline_value) {
        if (i + 1 >= argc) {
          error = arg + " needs a value";
          return false;
        }
        value = argv[++i];
      }
      options.values[arg].push_back(value);
      continue;
    }
    if (options.command.empty()) {
      options.command = arg;
    } else {
      options.positional.push_back(arg);
    }
  }
  return true;
}

void PrintOut(const std::string& cp1250_text) {
  const std::string text = Cp1250ToUtf8(cp1250_text);
  std::fwrite(text.data(), 1, text.size(), stdout);
}

void PrintErr(const std::string& cp1250_text) {
  const std::string text = Cp1250ToUtf8(cp1250_text);
  std::fwrite(text.data(), 1, text.size(), stderr);
}

}  // namespace tessaro::cli
