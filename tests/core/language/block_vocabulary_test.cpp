#include <gtest/gtest.h>

#include <algorithm>

#include "core/language/block_vocabulary.h"
#include "core/language/builtin_functions.h"
#include "core/language/keywords.h"
#include "core/language/operator_table.h"

namespace tessaro {
namespace {

TEST(InsertMenu, OperatorsInTableOrderWithASeparatorPerGroup) {
  const std::vector<TInsertItem> items = OperatorMenuItems();
  // 57 slots less the seven fillers and the parser's marker.
  ASSERT_EQ(items.size(), 49u);
  EXPECT_EQ(items.front().Caption, "(");
  EXPECT_EQ(items.back().Caption, ",");
  int separators = 0;
  for (const TInsertItem& item : items) {
    EXPECT_NE(item.Caption, kFillerOperator);
    EXPECT_EQ(item.Insert, item.Caption);
    EXPECT_EQ(item.CaretOffset, -1);
    separators += item.SeparatorBefore;
  }
  EXPECT_EQ(separators, 11);  // groups 1 to 11
  // "^" opens group 2 after group 1's filler slot; "@" follows fillers inside group 2.
  auto find = [&](std::string_view text) {
    return *std::find_if(items.begin(), items.end(), [&](const TInsertItem& i) { return i.Caption == text; });
  };
  EXPECT_TRUE(find("^").SeparatorBefore);
  EXPECT_FALSE(find("@").SeparatorBefore);
  EXPECT_TRUE(find("&&").SeparatorBefore);
  EXPECT_FALSE(find("and").SeparatorBefore);
}

TEST(InsertMenu, FunctionsInsertNameAndBlanksWithTheCaretBetween) {
  const std::vector<TInsertItem> items = FunctionMenuItems();
  ASSERT_EQ(items.size(), static_cast<size_t>(kBuiltinFunctionCount));
  const TInsertItem& sin = items[26];
  EXPECT_EQ(sin.Caption, "Sin");
  EXPECT_EQ(sin.Insert, "Sin(  )");
  EXPECT_EQ(sin.Insert.substr(0, static_cast<size_t>(sin.CaretOffset)), "Sin( ");
  EXPECT_EQ(sin.Hint, BuiltinHint(27));
  EXPECT_EQ(items[1].Hint, "");  // ArcCos has none

  const TExtensionMenu ext = ExtensionMenu("Szkolna", {{"Nwd", "Najwi\xEAkszy wsp\xF3lny dzielnik"}, {"Nww", ""}});
  EXPECT_EQ(ext.Caption, " Szkolna  ");
  ASSERT_EQ(ext.Items.size(), 2u);
  EXPECT_EQ(ext.Items[0].Insert, "Nwd(  )");
  EXPECT_EQ(ext.Items[0].CaretOffset, 5);
  EXPECT_TRUE(ExtensionMenu("Pusta", {}).Items.empty());
}

TEST(InsertMenu, KeywordTemplatesInsertTheirCaption) {
  const std::vector<TInsertItem> items = KeywordMenuItems();
  ASSERT_EQ(items.size(), kKeywordEntries.size());
  EXPECT_EQ(items[6].Insert, "dim ");
  EXPECT_EQ(items[13].Insert, "set tablica:=(((1,2),(3,4)),((5,6),(7,8)))");
  EXPECT_FALSE(items[0].Hint.empty());
  EXPECT_TRUE(items[1].Hint.empty());
}

TEST(Completion, HintOnOneLineAfterTheNameAndExtensionsAfterBuiltins) {
  const std::vector<TCompletionEntry> entries = CompletionEntries({{"Nwd", "Dzielnik\r\nwsp\xF3lny"}, {"Nww", ""}});
  ASSERT_EQ(entries.size(), static_cast<size_t>(kBuiltinFunctionCount) + 2);
  EXPECT_EQ(entries[30].Display, "Sqrt - Pierwiastek  Np: a := Sqrt( 9 )");
  EXPECT_EQ(entries[30].Insert, "Sqrt");
  EXPECT_EQ(entries[1].Display, "ArcCos");
  EXPECT_EQ(entries[59].Display, "Nwd - Dzielnik  wsp\xF3lny");
  EXPECT_EQ(entries[60].Display, "Nww");
}

TEST(Highlighter, KeywordsBuiltinsAndExtensionFunctions) {
  const std::vector<std::string> words = HighlightedWords({{"Nwd", ""}});
  ASSERT_EQ(words.size(), 4u + kBuiltinFunctionCount + 1);
  EXPECT_EQ(std::vector<std::string>(words.begin(), words.begin() + 4),
            (std::vector<std::string>{"dim", "set", "read", "write"}));
  EXPECT_EQ(words[4], "Random");
  EXPECT_EQ(words.back(), "Nwd");
}

}  // namespace
}  // namespace tessaro
