#include "gui/analysis/describe_word.h"

#include "core/extensions/plugin_dll.h"
#include "core/i18n/ansi_case.h"
#include "core/i18n/language.h"
#include "core/language/builtin_functions.h"
#include "core/language/variables.h"

namespace tessaro::gui {

namespace {

struct CommandWord {
  const char* word;
  const char* text_id;
};

constexpr CommandWord kCommandWords[] = {
    {"READ", "msgcmp000009"}, {"WRITE", "msgcmp000010"}, {"SET", "msgcmp000011"},
    {"DIM", "msgcmp000012"},  {"STRUCT", "msgcmp000013"},
};

std::string FunctionText(const std::string& hint) { return " - " + LangText("msgcmp000007") + ": " + hint; }

}  // namespace

TWordDescription DescribeWord(const TKompilatorTS& compiler, const std::string& word) {
  TWordDescription result;
  const std::string upper = AnsiUpperCase(word);
  // 1. Built-in functions, unless a variable carries the name.
  for (size_t i = 0; i < kBuiltinFunctions.size(); ++i) {
    if (AnsiUpperCase(std::string(kBuiltinFunctions[i].Name)) != upper) continue;
    if (FindVariable(compiler, word) != -1) continue;
    result.Found = true;
    result.Text = FunctionText(BuiltinHint(static_cast<int>(i) + 1));
  }
  // 2. The first extension function of that name.
  for (const TPlugInEntry& entry : compiler.Extensions) {
    if (entry.Module == 0) continue;
    bool matched = false;
    ForEachPluginFunction(entry.Module, [&](const std::string& name) {
      if (AnsiUpperCase(name) != upper) return true;
      result.Found = matched = true;
      result.Text = FunctionText(PluginFunctionDescription(entry.Module)) + "\r(" + LangText("msgcmp000008") +
                    " " + entry.Name + ")";
      return false;
    });
    if (matched) break;
  }
  // 3. The command words.
  if (!result.Found) {
    for (const CommandWord& c : kCommandWords) {
      if (upper != c.word) continue;
      result.Found = true;
      result.Text = " - " + LangText(c.text_id);
    }
  }
  return result;
}

}  // namespace tessaro::gui
