// Rewriting texts of the oldest file format.
#include <gtest/gtest.h>

#include <string>

#include "core/document/legacy_text.h"

namespace tessaro {
namespace {

TEST(LegacyText, Assignments) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"=", ":="},
      {"a=b=c", "a:=b:=c"},
      {"==", ":=:="},
      {"x:=1", "x::=1"},  // the old language had no ":="; taken literally
      // At the 255-byte limit the character pushed past the end is lost.
      {std::string(254, 'a') + "=", std::string(254, 'a') + ":"},
      {std::string(253, 'a') + "=b", std::string(253, 'a') + ":="},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(RewriteOldestAssignments(in), out) << in;
}

TEST(LegacyText, Comparisons) {
  const std::pair<std::string, std::string> cases[] = {
      {"=", "=="},
      {"a=1 and b=2", "a==1 and b==2"},
      {"a<=1", "a<=1"},
      {"a>=1", "a>=1"},
      {"a!=1", "a!=1"},
      {"a=<1", "a=<1"},
      {"a=>1", "a=>1"},
      {"=<", "=<"},
      {"a<>b", "a<>b"},
      {std::string(254, 'a') + "=", std::string(254, 'a') + "="},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(RewriteOldestComparisons(in), out) << in;
}

}  // namespace
}  // namespace tessaro
