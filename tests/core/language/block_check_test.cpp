#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/document/model.h"
#include "core/i18n/language.h"
#include "core/language/block_check.h"
#include "core/language/message_format.h"

namespace tessaro {
namespace {

struct Expected {
  int32_t line;
  int32_t column;
  int32_t length;
  std::string text;
};

void ExpectErrors(std::string_view text, int32_t kind, const std::vector<Expected>& expected,
                  const std::vector<std::string>& extensions = {}) {
  const std::vector<TBlockError> errors = CheckBlockText(text, kind, extensions);
  ASSERT_EQ(errors.size(), expected.size()) << text;
  for (size_t i = 0; i < errors.size(); ++i) {
    EXPECT_EQ(errors[i].Line, expected[i].line) << text << " #" << i;
    EXPECT_EQ(errors[i].Column, expected[i].column) << text << " #" << i;
    EXPECT_EQ(errors[i].Length, expected[i].length) << text << " #" << i;
    EXPECT_EQ(errors[i].Text, expected[i].text) << text << " #" << i;
  }
}

std::string UnknownFunction(const char* name) { return LangText("msgcmp000028") + name; }
std::string InvalidName(const char* name) { return FormatText(LangText("msgcmp000031"), {name}); }

TEST(BlockCheck, CorrectTextsHaveNoErrors) {
  ExpectErrors("read n\r\ns := 0\r\ni := 1", Przetwarzanie, {});
  ExpectErrors("write 'a=', Sqrt(x), t[1,2]", WeWY, {});
  ExpectErrors("dim t[3,4], v\r\nset t:=(1,2)", Przetwarzanie, {});
  ExpectErrors("i <= n\r\n (a > 1) or not b ", Warunek, {});
  ExpectErrors(" ", Przetwarzanie, {});
  ExpectErrors("x := Nwd(4, 6)", Przetwarzanie, {}, {"NWD"});
  // Notes and blocks without text are never compiled.
  ExpectErrors("x := (((", Notatka, {});
  ExpectErrors("x := (((", Start, {});
}

TEST(BlockCheck, EachErrorAtItsLineAndColumn) {
  // Functions: the name is marked; extensions count only when given.
  ExpectErrors("x := 1\r\ny := Foo(2)", Przetwarzanie, {{2, 6, 3, UnknownFunction("Foo")}});
  ExpectErrors("x := Nwd(4, 6)", Przetwarzanie, {{1, 6, 3, UnknownFunction("Nwd")}});
  // Names that begin with a digit.
  ExpectErrors("2x := 3", Przetwarzanie, {{1, 1, 2, InvalidName("2x")}});
  // Several instructions on one line: columns count from the line's start.
  ExpectErrors("a := 1\r\nb := 2;c := (1", Przetwarzanie, {{2, 13, 1, LangText("msgcmp000004")}});
  ExpectErrors("x := a)", Przetwarzanie, {{1, 7, 1, LangText("msgcmp000004")}});
  // ";" cuts inside apostrophes too, which leaves a broken name behind.
  ExpectErrors("write 'a;b'", WeWY, {{1, 10, 2, InvalidName("b'")}});
  // A prefix operator with text before it: the whole instruction.
  ExpectErrors("a > 1\r\n b !c ", Warunek, {{2, 2, 4, LangText("msged00001")}});
  // Conditions are checked line by line.
  ExpectErrors("(a > 1\r\nb < 2)", Warunek,
               {{1, 1, 1, LangText("msgcmp000004")}, {2, 6, 1, LangText("msgcmp000004")}});
}

TEST(BlockCheck, LineFeedsDoNotShiftColumns) {
  ExpectErrors("x := 1\r\n\r\ny := Bar()", Przetwarzanie, {{3, 6, 3, UnknownFunction("Bar")}});
}

}  // namespace
}  // namespace tessaro
