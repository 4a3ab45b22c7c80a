#include "core/extensions/plugin_dll.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/extensions/plugin_library.h"
#include "core/runtime/plugin_value.h"
#include "extension_home.h"

namespace tessaro {
namespace {

using Lines = std::vector<std::string>;

// A library loaded straight from the build folder for one test.
class Loaded {
 public:
  explicit Loaded(const char* path) : load_(LoadModule(path)) {}
  ~Loaded() { FreeModule(load_.handle); }
  TModuleHandle handle() const { return load_.handle; }
  const std::string& error() const { return load_.error; }

 private:
  TModuleLoad load_;
};

class PluginDll : public ::testing::Test {
 protected:
  test::ExtensionHome home;
};

TEST_F(PluginDll, ArgumentsArriveEncodedInOrderAndEmptyOnesAreLeftOut) {
  Loaded probe(TESSARO_EXT_PROBE);
  ASSERT_NE(probe.handle(), 0u) << probe.error();
  // Foo(1, 2.5, 'a', TRUE, unassigned)
  std::vector<TValue> arguments = {TValue::Integer(1), TValue::Real(2.5), TValue::String("a"),
                                   TValue::Boolean(true), TValue()};
  TPluginResult result = CallPluginFunction(probe.handle(), "Liczba", arguments);

  EXPECT_EQ(home.Log(), (Lines{"WyczyscParametryFunkcji", "DodajParametrFunkcji 1|integer",
                               "DodajParametrFunkcji 2.5|real", "DodajParametrFunkcji a|string",
                               "DodajParametrFunkcji -1|boolean", "WykonajFunkcje Liczba",
                               "PobierzTypRezultatu", "PobierzOpisBledu"}));
  EXPECT_TRUE(result.executed);
  EXPECT_EQ(result.value, TValue::Integer(4));
  EXPECT_EQ(result.error, "");
}

TEST_F(PluginDll, ArgumentTextIsCutTo2048Characters) {
  Loaded probe(TESSARO_EXT_PROBE);
  std::vector<TValue> arguments = {TValue::String(std::string(3000, 'x'))};
  TPluginResult result = CallPluginFunction(probe.handle(), "Echo", arguments);
  EXPECT_EQ(result.value, TValue::String(std::string(2048, 'x')));
}

TEST_F(PluginDll, ResultIsReadByItsTypeName) {
  Loaded probe(TESSARO_EXT_PROBE);
  const std::string bad = kBadResultType;
  struct Case {
    const char* text;
    const char* type;
    TValue value;
    std::string error;
  } cases[] = {
      {"12", "integer", TValue::Integer(12), ""},
      {"12", "real", TValue::Real(12.0), ""},
      {"12", "text", TValue::String("12"), ""},
      {"12", "", TValue::String("12"), ""},
      {"12", "Integer", TValue::String("12"), ""},  // type names are compared exactly
      {"$1F", "integer", TValue::Integer(31), ""},
      {"2.5", "real", TValue::Real(2.5), ""},
      {"True", "boolean", TValue::Boolean(true), ""},
      {"false", "boolean", TValue::Boolean(false), ""},
      {"7", "boolean", TValue::Boolean(true), ""},
      {"\xB3\xF3\xBF", "string", TValue::String("\xB3\xF3\xBF"), ""},
      {"abc", "integer", TValue::String(""), bad},
      {"2147483648", "integer", TValue::String(""), bad},
      {"2,5", "real", TValue::String(""), bad},
      {"tak", "boolean", TValue::String(""), bad},
  };
  for (const Case& c : cases) {
    std::vector<TValue> arguments = {TValue::String(c.text), TValue::String(c.type)};
    if (*c.type == '\0') arguments.pop_back();
    TPluginResult result = CallPluginFunction(probe.handle(), "Echo", arguments);
    EXPECT_EQ(result.value, c.value) << c.text << " as " << c.type;
    EXPECT_EQ(result.error, c.error) << c.text << " as " << c.type;
  }
}

TEST_F(PluginDll, ErrorTextComesBackAlsoWithAValidResult) {
  Loaded probe(TESSARO_EXT_PROBE);
  TPluginResult result = CallPluginFunction(probe.handle(), "BladZWynikiem", std::vector<TValue>{});
  EXPECT_EQ(result.error, "Co\x9C posz\xB3o nie tak");
  EXPECT_EQ(result.value, TValue::Integer(12));

  // A result that does not fit its type replaces the error text.
  result = CallPluginFunction(probe.handle(), "ZlyTyp", std::vector<TValue>{});
  EXPECT_EQ(result.error, "B\xB3\xEA" "dny typ rezultatu!");
  EXPECT_EQ(result.value, TValue::String(""));
}

TEST_F(PluginDll, ExecutionNeedsAllThreeOfItsExports) {
  Loaded library(TESSARO_EXT_NO_RESULT_TYPE);
  ASSERT_NE(library.handle(), 0u) << library.error();
  TPluginResult result = CallPluginFunction(library.handle(), "Echo",
                                            std::vector<TValue>{TValue::Integer(5)});
  EXPECT_FALSE(result.executed);
  EXPECT_TRUE(result.value.IsEmpty());
  EXPECT_EQ(result.error, "");
  // The arguments went out; the function itself never ran.
  EXPECT_EQ(home.Log(), (Lines{"WyczyscParametryFunkcji", "DodajParametrFunkcji 5|integer"}));
}

TEST_F(PluginDll, ListingWalksFirstDescriptionNextUntilAnEmptyName) {
  Loaded probe(TESSARO_EXT_PROBE);
  std::vector<TPluginFunction> functions = PluginFunctions(probe.handle());
  ASSERT_EQ(functions.size(), 4u);
  EXPECT_EQ(functions[0].name, "Echo");
  EXPECT_EQ(functions[3].name, "Liczba");
  EXPECT_EQ(functions[3].description, "Liczba() - liczba argument\xF3w");
  EXPECT_EQ(home.Log(), (Lines{"PobierzPierwszaFunkcje", "PobierzOpisFunkcji",
                               "PobierzNastepnaFunkcje", "PobierzOpisFunkcji",
                               "PobierzNastepnaFunkcje", "PobierzOpisFunkcji",
                               "PobierzNastepnaFunkcje", "PobierzOpisFunkcji",
                               "PobierzNastepnaFunkcje"}));
}

TEST_F(PluginDll, AnAbandonedListingRestartsFromTheFirstName) {
  Loaded probe(TESSARO_EXT_PROBE);
  std::vector<std::string> seen;
  bool abandoned = ForEachPluginFunction(probe.handle(), [&](const std::string& name) {
    seen.push_back(name);
    return name != "ZlyTyp";
  });
  EXPECT_TRUE(abandoned);
  EXPECT_EQ(seen, (Lines{"Echo", "ZlyTyp"}));
  seen.clear();
  EXPECT_FALSE(ForEachPluginFunction(probe.handle(), [&](const std::string& name) {
    seen.push_back(name);
    return true;
  }));
  EXPECT_EQ(seen, (Lines{"Echo", "ZlyTyp", "BladZWynikiem", "Liczba"}));
}

TEST_F(PluginDll, LibraryWithoutFunctionsOffersNothing) {
  Loaded library(TESSARO_EXT_NO_FUNCTIONS);
  ASSERT_NE(library.handle(), 0u) << library.error();
  EXPECT_EQ(PluginName(library.handle()), "Bez funkcji");
  EXPECT_EQ(PluginDescription(library.handle()), "");  // export missing
  EXPECT_TRUE(PluginFunctions(library.handle()).empty());
  EXPECT_FALSE(PluginExecute(library.handle(), "Cokolwiek").executed);
  // Missing notifications are skipped quietly.
  PluginInitialise(library.handle());
  PluginCompileHook(library.handle());
  PluginSetMainWindowHandle(library.handle(), 1);
}

TEST_F(PluginDll, SinLibraryAnswersWithItsOwnValue) {
  Loaded library(TESSARO_EXT_SIN);
  ASSERT_NE(library.handle(), 0u) << library.error();
  std::vector<TPluginFunction> functions = PluginFunctions(library.handle());
  ASSERT_EQ(functions.size(), 1u);
  EXPECT_EQ(functions[0].name, "Sin");
  TPluginResult result = CallPluginFunction(library.handle(), "Sin",
                                            std::vector<TValue>{TValue::Real(0.5)});
  EXPECT_EQ(result.value, TValue::Integer(42));
  EXPECT_EQ(result.error, "");
}

TEST_F(PluginDll, UnterminatedRepliesAreCutAtTheirBuffers) {
  Loaded library(TESSARO_EXT_UNTERMINATED);
  ASSERT_NE(library.handle(), 0u) << library.error();
  EXPECT_EQ(PluginName(library.handle()), std::string(TS_NAME_SIZE - 1, 'N'));
  EXPECT_EQ(PluginDescription(library.handle()), std::string(TS_DESCRIPTION_SIZE - 1, 'O'));

  TPluginResult result = PluginExecute(library.handle(), "X");
  EXPECT_TRUE(result.executed);
  // The type name "TTT..." is no known type, so the result stays text.
  EXPECT_EQ(result.value, TValue::String(std::string(TS_RESULT_SIZE - 1, 'W')));
  EXPECT_EQ(result.error, std::string(TS_ERROR_SIZE - 1, 'B'));

  // Its listing never ends on its own.
  std::vector<TPluginFunction> functions = PluginFunctions(library.handle());
  ASSERT_EQ(functions.size(), static_cast<size_t>(kMaxPluginFunctions));
  EXPECT_EQ(functions[0].name, std::string(TS_FUNCTION_NAME_SIZE - 1, 'F'));
  EXPECT_EQ(functions[0].description, std::string(TS_FUNCTION_DESCRIPTION_SIZE - 1, 'D'));
}

TEST_F(PluginDll, LibraryThatFailsToLoadBehavesAsOneWithoutExports) {
  home.home.Write("zepsute.so", "this is not a shared object");
  struct Case {
    std::string path;
    std::string error_part;
  } cases[] = {
      {home.home.Path("zepsute.so"), "zepsute.so"},
      {home.home.Path("brak.so"), "brak.so"},
      {TESSARO_EXT_UNRESOLVED, "tessaro_symbol_nobody_defines"},
  };
  for (const Case& c : cases) {
    Loaded library(c.path.c_str());
    EXPECT_EQ(library.handle(), 0u) << c.path;
    EXPECT_NE(library.error().find(c.error_part), std::string::npos) << library.error();
    EXPECT_EQ(PluginName(library.handle()), "");
    EXPECT_TRUE(PluginFunctions(library.handle()).empty());
    EXPECT_FALSE(PluginExecute(library.handle(), "Echo").executed);
  }
}

TEST_F(PluginDll, ReleasedHandleFindsNothing) {
  TModuleLoad load = LoadModule(TESSARO_EXT_PROBE);
  ASSERT_NE(load.handle, 0u);
  EXPECT_NE(FindExport(load.handle, "PobierzNazwe"), nullptr);
  FreeModule(load.handle);
  EXPECT_FALSE(IsModuleLoaded(load.handle));
  EXPECT_EQ(FindExport(load.handle, "PobierzNazwe"), nullptr);
  EXPECT_EQ(PluginName(load.handle), "");
  FreeModule(load.handle);  // twice is harmless

  TModuleLoad again = LoadModule(TESSARO_EXT_PROBE);
  EXPECT_NE(again.handle, load.handle);  // a stale copy never names the new load
  FreeModule(again.handle);
}

}  // namespace
}  // namespace tessaro
