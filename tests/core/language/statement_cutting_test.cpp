#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/language/statement_cutting.h"

namespace tessaro {
namespace {

struct Piece {
  std::string text;
  int32_t line;
  int32_t column;
  int32_t length;
};

struct CutCase {
  const char* block_text;
  std::vector<Piece> pieces;
};

TEST(StatementCutting, StatementRule) {
  const CutCase cases[] = {
      {"x := 1", {{"x := 1", 1, 1, 6}}},
      {"x := 1;", {{"x := 1", 1, 1, 6}}},
      {"x := 1;;y := 2", {{"x := 1", 1, 1, 6}, {"", 1, 8, 0}, {"y := 2", 1, 9, 6}}},
      {";;", {{"", 1, 1, 0}, {"", 1, 2, 0}}},
      {"", {}},
      {" ", {{" ", 1, 1, 1}}},
      // ";" separates even inside apostrophes.
      {"write 'a;b'", {{"write 'a", 1, 1, 8}, {"b'", 1, 10, 2}}},
      // Line feeds vanish before the walk; columns count without them.
      {"a\r\nb", {{"a", 1, 1, 1}, {"b", 2, 3, 1}}},
      {"a\r\n\r\nb", {{"a", 1, 1, 1}, {"", 2, 3, 0}, {"b", 3, 4, 1}}},
      {"a;b\r\nc", {{"a", 1, 1, 1}, {"b", 1, 3, 1}, {"c", 2, 5, 1}}},
      {"a\r\n", {{"a", 1, 1, 1}}},
      {"x\n", {{"x", 1, 1, 1}}},
  };
  for (const CutCase& c : cases) {
    const std::vector<TInstructionPiece> got = CutStatements(c.block_text);
    ASSERT_EQ(got.size(), c.pieces.size()) << "block: " << c.block_text;
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].Text, c.pieces[i].text) << c.block_text << " #" << i;
      EXPECT_EQ(got[i].Line, c.pieces[i].line) << c.block_text << " #" << i;
      EXPECT_EQ(got[i].Column, c.pieces[i].column) << c.block_text << " #" << i;
      EXPECT_EQ(got[i].Length, c.pieces[i].length) << c.block_text << " #" << i;
    }
  }
}

TEST(StatementCutting, ConditionRule) {
  struct ConditionCase {
    const char* block_text;
    const char* condition;
  };
  const ConditionCase cases[] = {
      {"a > 1", "a > 1"},
      {"  a > 1\t", "a > 1"},
      {"a > 1\r\n b < 2 ", "(a > 1) and (b < 2)"},
      {"a\r\n\r\nb", "(a) and () and (b)"},
      {"a\r\n", "(a) and ()"},
      {"x == 1;y", "x == 1;y"},
      {"", ""},
  };
  for (const ConditionCase& c : cases) {
    const TInstructionPiece piece = CutCondition(c.block_text);
    EXPECT_EQ(piece.Text, c.condition) << c.block_text;
    EXPECT_EQ(piece.Line, 1);
    EXPECT_EQ(piece.Column, 1);
    EXPECT_EQ(piece.Length, static_cast<int32_t>(std::string(c.condition).size()));
  }
}

}  // namespace
}  // namespace tessaro
