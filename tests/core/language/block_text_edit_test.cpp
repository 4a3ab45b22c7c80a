#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/document/model.h"
#include "core/language/block_text_edit.h"

namespace tessaro {
namespace {

struct ReplacementCase {
  const char* typed;
  const char* condition;  // stored by a condition block
  const char* statement;  // stored by a processing block
};

TEST(OperatorReplacement, LoneEqualsOnlyOutsideQuotes) {
  const ReplacementCase cases[] = {
      {"a = b", "a == b", "a := b"},
      {"a=b", "a==b", "a:=b"},
      {"x=1", "x==1", "x:=1"},
      // Longer operators stay whole.
      {"a <= b", "a <= b", "a <= b"},
      {"a >= b", "a >= b", "a >= b"},
      {"a != b", "a != b", "a != b"},
      {"a == b", "a == b", "a == b"},
      {"a =< b", "a =< b", "a =< b"},
      {"a => b", "a => b", "a => b"},
      {"x := 1", "x := 1", "x := 1"},
      // Compound assignments are not split into an assignment and "==".
      {"x += 2", "x += 2", "x += 2"},
      {"x -= 2", "x -= 2", "x -= 2"},
      {"x *= 2; y /= 3; z %= 4", "x *= 2; y /= 3; z %= 4", "x *= 2; y /= 3; z %= 4"},
      {"x &= 1; x |= 2; x ^= 3", "x &= 1; x |= 2; x ^= 3", "x &= 1; x |= 2; x ^= 3"},
      {"x <<= 1; x >>= 2", "x <<= 1; x >>= 2", "x <<= 1; x >>= 2"},
      // A leading "=" counts as joined.
      {"=a", "=a", "=a"},
      // Inside apostrophes nothing changes.
      {"x = 'a=b'", "x == 'a=b'", "x := 'a=b'"},
      {"'a=b' = c", "'a=b' == c", "'a=b' := c"},
      // Several per text, and on several lines.
      {"a=1\r\nb=2", "a==1\r\nb==2", "a:=1\r\nb:=2"},
      {"", "", ""},
  };
  for (const ReplacementCase& c : cases) {
    EXPECT_EQ(ReplaceConditionOperators(c.typed), c.condition) << c.typed;
    EXPECT_EQ(ReplaceStatementOperators(c.typed), c.statement) << c.typed;
  }
}

TEST(OperatorReplacement, DoubleQuotedLiteralsBecomeApostropheLiterals) {
  const std::pair<const char*, const char*> cases[] = {
      {"write \"abc\"", "write 'abc'"},
      {"write \"a\", \"b\"", "write 'a', 'b'"},
      // One that holds an apostrophe is a valid token as it stands.
      {"write \"don't\"", "write \"don't\""},
      {"write \"don't\", \"x\"", "write \"don't\", 'x'"},
      // Inside an apostrophe literal a double quote is a character.
      {"write 'say \"hi\"'", "write 'say \"hi\"'"},
      // Still being typed: the literal runs to the end.
      {"write \"abc", "write 'abc"},
      {"write \"it's", "write \"it's"},
      // A double-quoted literal is a literal for the "=" walk as well.
      {"x = \"a=b\"", "x := 'a=b'"},
      {"write \"don't\", a=b", "write \"don't\", a:=b"},
  };
  for (auto [typed, stored] : cases) EXPECT_EQ(ReplaceStatementOperators(typed), stored) << typed;
  // Conditions keep their double quotes.
  EXPECT_EQ(ReplaceConditionOperators("s = \"a\""), "s == \"a\"");
}

TEST(BlockTextFromEditor, TrimsReplacesByKindAndKeepsCrLf) {
  struct Case {
    const char* typed;
    int32_t kind;
    bool replace;
    std::optional<std::string> stored;
  };
  const Case cases[] = {
      {"x=1", Przetwarzanie, true, "x:=1"},
      {"read a\nx=a", WeWY, true, "read a\r\nx:=a"},
      {"a=b", Warunek, true, "a==b"},
      {"a=b", Notatka, true, "a=b"},
      {"  x=1 \n\n", Przetwarzanie, false, "x=1"},
      {"x=1\nwrite \"a\"", Przetwarzanie, false, "x=1\r\nwrite \"a\""},
      // Nothing left: one space, which compiles to one empty instruction.
      {"", Przetwarzanie, true, " "},
      {" \n\t ", Warunek, true, " "},
      // Kinds without an editable text store nothing.
      {"x=1", Start, true, std::nullopt},
      {"x=1", Koniec, true, std::nullopt},
      {"x=1", Wezel, true, std::nullopt},
      {"x=1", 0, true, std::nullopt},
      {"x=1", 9, true, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(BlockTextFromEditor(c.typed, c.kind, c.replace), c.stored) << c.typed;
}

TEST(BlockLineBreaks, EditorFeedsAndBlockCrLfConvertBothWays) {
  EXPECT_EQ(ToBlockLineBreaks("a\nb\n"), "a\r\nb\r\n");
  EXPECT_EQ(ToBlockLineBreaks("a\r\nb\rc"), "a\r\nb\r\nc");
  EXPECT_EQ(ToEditorLineBreaks("a\r\nb\r\n"), "a\nb\n");
  EXPECT_EQ(ToEditorLineBreaks("a\rb"), "a\nb");
  const std::string block = "read n\r\ns := 0\r\nwrite s";
  EXPECT_EQ(ToBlockLineBreaks(ToEditorLineBreaks(block)), block);
}

}  // namespace
}  // namespace tessaro
