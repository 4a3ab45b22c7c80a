#include "core/services/language_reference.h"

#include <gtest/gtest.h>

#include "core/language/builtin_functions.h"

namespace tessaro {
namespace {

TEST(LanguageReference, TablesNameEveryOperatorAndBuiltin) {
  const std::string operators = OperatorReferenceHtml();
  for (std::string_view op : ReferenceOperators())
    EXPECT_NE(operators.find("<code>" + HtmlEscape(op) + "</code>"), std::string::npos) << op;
  EXPECT_EQ(operators.find('\xFB'), std::string::npos);
  EXPECT_EQ(operators.find("####"), std::string::npos);
  const std::string builtins = BuiltinReferenceHtml(false);
  for (const TBuiltinFunction& f : kBuiltinFunctions)
    EXPECT_NE(builtins.find("<code>" + std::string(f.Name) + "</code>"), std::string::npos) << f.Name;
  EXPECT_NE(operators.find("<code>&lt;&lt;=</code>"), std::string::npos);
}

}  // namespace
}  // namespace tessaro
