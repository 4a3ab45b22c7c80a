#include <gtest/gtest.h>

#include <string>

#include "core/language/block_highlight.h"
#include "core/language/block_vocabulary.h"

namespace tessaro {
namespace {

// One letter per byte: . default, K keyword, N number, S string, O operator.
std::string Picture(const THighlighter& h, std::string_view text) {
  std::string out;
  for (uint8_t s : h.Styles(text)) out += ".KNSO"[s];
  return out;
}

TEST(Highlighter, StylesFollowTheLanguageTables) {
  const THighlighter h(HighlightedWords({{"Nwd", ""}}));
  const std::pair<const char*, const char*> cases[] = {
      {"read n", "KKKK.."},
      {"WRITE x", "KKKKK.."},
      {"x := Sin(1.5e-3)", "..OO.KKKONNNNNNO"},
      {"y:=nwd($1F,0x1F)", ".OOKKKONNNONNNNO"},
      {"s := 'a b' + \"c\"", "..OO.SSSSS.O.SSS"},
      {"'open", "SSSSS"},
      {"a div b mod c", "..OOO...OOO.."},
      {"i <= n and not b", "..OO...OOO.OOO.."},
      {"reader x1", "........."},
      {"t[2]", ".ONO"},
  };
  for (auto [text, picture] : cases) EXPECT_EQ(Picture(h, text), picture) << text;
}

}  // namespace
}  // namespace tessaro
