// The shipped extension "Matematyka szkolna", called as a run calls it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/extensions/plugin_dll.h"
#include "core/extensions/plugin_library.h"
#include "core/runtime/plugin_value.h"

namespace tessaro {
namespace {

class MatematykaSzkolna : public ::testing::Test {
 protected:
  void SetUp() override {
    load_ = LoadModule(TESSARO_EXT_MATEMATYKA);
    ASSERT_NE(load_.handle, 0u) << load_.error;
  }
  void TearDown() override { FreeModule(load_.handle); }
  TModuleHandle module() const { return load_.handle; }

 private:
  TModuleLoad load_;
};

TEST_F(MatematykaSzkolna, NamesItselfAndListsItsFunctionsWithDescriptions) {
  EXPECT_EQ(PluginName(module()), "Matematyka szkolna");
  EXPECT_FALSE(PluginDescription(module()).empty());
  std::vector<std::string> names;
  for (const TPluginFunction& f : PluginFunctions(module())) {
    names.push_back(f.name);
    EXPECT_EQ(f.description.rfind(f.name + "(", 0), 0u) << f.description;
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Silnia", "NWD", "NWW", "CzyPierwsza", "Max", "Min"}));
}

TValue I(int32_t v) { return TValue::Integer(v); }
TValue R(double v) { return TValue::Real(v); }

TEST_F(MatematykaSzkolna, ComputesAndRejectsBadArguments) {
  const std::string kWhole = "argumenty musz\xB9 by\xE6 liczbami ca\xB3kowitymi";
  const std::string kRange = "wynik nie mie\x9C" "ci si\xEA w zakresie liczb ca\xB3kowitych";
  struct Case {
    const char* function;
    std::vector<TValue> arguments;
    TValue value;       // expected when `error` is empty
    std::string error;  // expected error text, whole
  } cases[] = {
      {"Silnia", {I(0)}, I(1), ""},
      {"Silnia", {I(5)}, I(120), ""},
      {"Silnia", {I(12)}, I(479001600), ""},
      {"Silnia", {R(5.0)}, I(120), ""},
      {"Silnia", {I(13)}, {}, "Silnia: dla n > 12 " + kRange},
      {"Silnia", {I(-1)}, {}, "Silnia: n musi by\xE6 nieujemne"},
      {"Silnia", {R(2.5)}, {}, "Silnia: " + kWhole},
      {"Silnia", {TValue::String("5")}, {}, "Silnia: argumenty musz\xB9 by\xE6 liczbami"},
      {"Silnia", {TValue::Boolean(true)}, {}, "Silnia: argumenty musz\xB9 by\xE6 liczbami"},
      {"Silnia", {}, {}, "Silnia: oczekiwano argument\xF3w: 1, podano: 0"},
      {"Silnia", {TValue()}, {}, "Silnia: oczekiwano argument\xF3w: 1, podano: 0"},
      {"NWD", {I(12), I(18)}, I(6), ""},
      {"NWD", {I(-12), I(18)}, I(6), ""},
      {"NWD", {I(0), I(7)}, I(7), ""},
      {"NWD", {I(0), I(0)}, I(0), ""},
      {"NWD", {I(INT32_MIN), I(0)}, {}, "NWD: " + kRange},
      {"NWD", {I(1), I(2), I(3)}, {}, "NWD: oczekiwano argument\xF3w: 2, podano: 3"},
      {"NWW", {I(4), I(6)}, I(12), ""},
      {"NWW", {I(-4), I(6)}, I(12), ""},
      {"NWW", {I(0), I(5)}, I(0), ""},
      {"NWW", {I(65536), I(65537)}, {}, "NWW: " + kRange},
      {"CzyPierwsza", {I(2)}, TValue::Boolean(true), ""},
      {"CzyPierwsza", {I(1)}, TValue::Boolean(false), ""},
      {"CzyPierwsza", {I(-7)}, TValue::Boolean(false), ""},
      {"CzyPierwsza", {I(91)}, TValue::Boolean(false), ""},
      {"CzyPierwsza", {I(2147483647)}, TValue::Boolean(true), ""},
      {"Max", {I(3), R(2.5)}, I(3), ""},
      {"Max", {R(-1.5), R(-0.5)}, R(-0.5), ""},
      {"Min", {I(3), R(2.5)}, R(2.5), ""},
      {"Min", {I(-2), I(-2)}, I(-2), ""},
      {"Max", {I(1), TValue::String("a")}, {}, "Max: argumenty musz\xB9 by\xE6 liczbami"},
      {"Nieznana", {}, {}, "Nieznana funkcja: Nieznana"},
  };
  for (const Case& c : cases) {
    TPluginResult result = CallPluginFunction(module(), c.function, c.arguments);
    ASSERT_TRUE(result.executed);
    EXPECT_EQ(result.error, c.error) << c.function;
    if (c.error.empty()) {
      EXPECT_EQ(result.value, c.value) << c.function;
    }
  }
}

}  // namespace
}  // namespace tessaro
