// Functions of extension libraries: binding precedence, calls at run time,
// errors and the compile and end hooks, through real libraries.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/extensions/plugin_dll.h"
#include "core/extensions/plugin_library.h"
#include "core/i18n/language.h"
#include "core/runtime/plugin_value.h"
#include "program_harness.h"
#include "support/temp_home.h"

namespace tessaro::test {
namespace {

// Loaded libraries as extension entries, released at the end.
class Libraries {
 public:
  ~Libraries() {
    for (const TPlugInEntry& e : entries) FreeModule(e.Module);
  }
  void Add(const char* path, uint8_t enabled = 1) {
    TModuleLoad load = LoadModule(path);
    ASSERT_NE(load.handle, 0u) << path << ": " << load.error;
    TPlugInEntry entry;
    entry.Name = PluginName(load.handle);
    entry.Enabled = enabled;
    entry.Module = load.handle;
    entries.push_back(entry);
  }
  std::vector<TPlugInEntry> entries;
};

std::string RunWith(const std::vector<TPlugInEntry>& table, const std::string& text,
                    std::vector<std::string>* errors = nullptr) {
  ProgramHarness h(OneBlock(text + ";write r"));
  h.extensions = table;
  if (!h.CompileAndRun()) return "compile failed";
  if (errors) *errors = h.Errors();
  return h.output.empty() ? "" : h.output.back();
}

TEST(ExtensionCalls, TheFirstExtensionWinsOverABuiltin) {
  Libraries sin_first;
  sin_first.Add(TESSARO_EXT_SIN);
  sin_first.Add(TESSARO_EXT_MATEMATYKA);
  EXPECT_EQ(RunWith(sin_first.entries, "r := Sin(0)"), "42");
  EXPECT_EQ(RunWith(sin_first.entries, "r := nwd(12, 18)"), "6");  // later ones serve other names

  Libraries sin_second;
  sin_second.Add(TESSARO_EXT_MATEMATYKA);
  sin_second.Add(TESSARO_EXT_SIN);
  EXPECT_EQ(RunWith(sin_second.entries, "r := Sin(0)"), "0");  // the built-in: no later extension is asked

  Libraries disabled;
  disabled.Add(TESSARO_EXT_SIN, 0);
  EXPECT_EQ(RunWith(disabled.entries, "r := Sin(0)"), "0");
}

TEST(ExtensionCalls, BindToTheirPositionAmongTheEnabledEntries) {
  Libraries libs;
  libs.Add(TESSARO_EXT_SIN, 0);
  libs.Add(TESSARO_EXT_NO_FUNCTIONS);
  libs.Add(TESSARO_EXT_MATEMATYKA);
  ProgramHarness h(OneBlock("r := Silnia(4)"));
  h.extensions = libs.entries;
  ASSERT_TRUE(h.Compile());
  ASSERT_EQ(h.c.Extensions.size(), 2u);
  const TwrTree* call = h.c.Instructions[1].Tree->RightNode;
  EXPECT_EQ(call->FuncIndex, 1);
  EXPECT_EQ(call->ExtName, "Silnia");
  EXPECT_EQ(h.c.Extensions[0].UsedByAlgorithm, 0);
  EXPECT_EQ(h.c.Extensions[1].UsedByAlgorithm, 1);
  EXPECT_EQ(libs.entries[2].UsedByAlgorithm, 0) << "the table itself is not marked";
}

TEST(ExtensionCalls, AnExtensionWithoutFunctionsProvidesNone) {
  Libraries libs;
  libs.Add(TESSARO_EXT_NO_FUNCTIONS);
  ProgramHarness h(OneBlock("r := Foo(1)"));
  h.extensions = libs.entries;
  EXPECT_FALSE(h.Compile());
  EXPECT_EQ(h.c.Errors.at(0).Text, LangText("msgcmp000028") + "Foo");
}

TEST(ExtensionCalls, TheirErrorTextsStopTheRunAsTheyStand) {
  Libraries libs;
  libs.Add(TESSARO_EXT_MATEMATYKA);
  libs.Add(TESSARO_EXT_PROBE);
  struct Case { const char* text; std::string error; };
  const Case cases[] = {
      {"r := Silnia(-1)", "Silnia: n musi by\xE6 nieujemne"},
      {"r := ZlyTyp()", kBadResultType},
      {"r := BladZWynikiem()", ""},
  };
  for (const Case& c : cases) {
    std::vector<std::string> errors;
    RunWith(libs.entries, c.text, &errors);
    ASSERT_EQ(errors.size(), 1u) << c.text;
    EXPECT_NE(errors[0].find(c.error), std::string::npos) << errors[0];
  }
  // An unassigned argument is not passed at all.
  EXPECT_EQ(RunWith(libs.entries, "r := Liczba(1, x, 'a')"), "2");
  EXPECT_EQ(RunWith(libs.entries, "r := Echo('12', 'real') + 1"), "13.0000");
}

TEST(ExtensionCalls, HooksFollowCompilationAndDiscard) {
  TempHome home;
  const std::string log = home.Path("probe.log");
  setenv("TESSARO_PROBE_LOG", log.c_str(), 1);
  {
    Libraries libs;
    libs.Add(TESSARO_EXT_PROBE);
    ProgramHarness h(OneBlock("r := Liczba();x := (1"));  // an error, and still a used extension
    h.extensions = libs.entries;
    EXPECT_FALSE(h.Compile());
    h.c.Clear();
    ProgramHarness unused(OneBlock("r := 1"));
    unused.extensions = libs.entries;
    EXPECT_TRUE(unused.Compile());
    unused.c.Clear();
  }
  unsetenv("TESSARO_PROBE_LOG");
  const std::string calls = ReadFileBytes(log);
  const size_t compile = calls.find("KompilujAlgorytm");
  const size_t end = calls.find("ZakonczAlgorytm");
  ASSERT_NE(compile, std::string::npos) << calls;
  ASSERT_NE(end, std::string::npos) << calls;
  EXPECT_LT(compile, end);
  EXPECT_EQ(calls.find("KompilujAlgorytm", compile + 1), std::string::npos) << "the unused one gets no hook";
  EXPECT_EQ(calls.find("ZakonczAlgorytm", end + 1), std::string::npos);
}

}  // namespace
}  // namespace tessaro::test
