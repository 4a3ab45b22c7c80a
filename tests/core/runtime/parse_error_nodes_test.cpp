// A parse error («a !b»: a prefix operator after a value) is a compile error
// at its instruction; evaluated, it is an error and computes nothing.
#include <gtest/gtest.h>

#include "core/i18n/language.h"
#include "core/language/message_format.h"
#include "program_harness.h"

namespace tessaro::test {
namespace {

std::string ParseErrorItem(const std::string& op, int instruction) {
  return LangText("msgcmp000001") + ": " + FormatText(LangText("msgcmp000054"), {op}) + " " +
         LangText("msgcmp000003") + " " + std::to_string(instruction);
}

TEST(ParseErrors, AreCompileErrorsOfTheirInstruction) {
  ProgramHarness h(OneBlock("a := 1\\nx := a !b\\nwrite a, c !d\\ny := a not b"));
  EXPECT_FALSE(h.Compile());
  EXPECT_EQ(h.Errors(), (std::vector<std::string>{ParseErrorItem("!", 2), ParseErrorItem("!", 3),
                                                  ParseErrorItem("not", 4)}));
  for (const Tzmienna& v : h.c.Variables) EXPECT_NE(v.Name, kParseErrorLabel);
}

TEST(ParseErrors, EvaluatedAreErrorsAndChangeNothing) {
  ProgramHarness h(OneBlock("a := 1"));
  ASSERT_TRUE(h.CompileAndRun());
  const TEvaluation e = h.c.EvaluateExpression("a := a !b", true);
  EXPECT_EQ(e.ErrorText, LangText("msgcmp000001") + ": " + FormatText(LangText("msgcmp000054"), {"!"}));
  EXPECT_TRUE(e.ParseError.Flag);
  EXPECT_EQ(h.Render("a"), "1");
  EXPECT_EQ(FindVariable(h.c, "b"), -1);
}

}  // namespace
}  // namespace tessaro::test
