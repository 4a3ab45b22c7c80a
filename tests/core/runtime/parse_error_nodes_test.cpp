// A node built after a parse error computes nothing and names no variable:
// the expression compiles, runs, and its value is simply empty.
#include <gtest/gtest.h>

#include "program_harness.h"

namespace tessaro::test {
namespace {

TEST(ParseErrorNodes, ComputeNothingAndNameNoVariable) {
  ProgramHarness h(OneBlock("a := 1\\nx := a !b\\nwrite a"));
  ASSERT_TRUE(h.CompileAndRun());
  EXPECT_TRUE(h.c.Errors.empty());
  EXPECT_EQ(h.output, std::vector<std::string>{"1"});
  for (const Tzmienna& v : h.c.Variables) EXPECT_NE(v.Name, "Blad");

  const TEvaluation e = h.c.EvaluateExpression("a !b", true);
  EXPECT_TRUE(e.ErrorText.empty()) << e.ErrorText;
  EXPECT_TRUE(e.Value.IsEmpty());
}

}  // namespace
}  // namespace tessaro::test
