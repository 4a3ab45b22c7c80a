// The operator vocabulary of the block language: one table read by the
// expression parser, the compiler, the editor's operator menu and the hints.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tessaro {

// Bytes the expression parser inserts into the text it splits. They are
// ordinary characters of the 8-bit character set, reserved for this use.
constexpr char kArgumentMarker = '\xFB';   // right after every "(" and "["
constexpr char kDecrementMarker = '\xFC';  // a "--" attached to an operand
constexpr char kIncrementMarker = '\xFD';  // a "++" attached to an operand

// The text of an unused slot; it never matches and the menu skips it.
constexpr std::string_view kFillerOperator = "#########################";

struct TOperatorSlot {
  std::string_view Text;
  uint8_t Group;  // precedence group, 1 binds tightest, 12 loosest
};

constexpr int kOperatorSlotCount = 57;
constexpr int kArgumentMarkerSlot = 56;

// Stored order matters: the parser visits the slots from the last to the
// first, and the menu shows them from the first, a separator between groups.
constexpr std::array<TOperatorSlot, kOperatorSlotCount> kOperators = {{
    {"(", 1}, {")", 1}, {"[", 1}, {"]", 1}, {kFillerOperator, 1},
    {"^", 2}, {"->", 2}, {"^.", 2}, {".", 2}, {"!", 2}, {"not", 2}, {"~", 2},
    {kFillerOperator, 2}, {kFillerOperator, 2}, {kFillerOperator, 2}, {"@", 2},
    {kFillerOperator, 2}, {kFillerOperator, 2}, {kFillerOperator, 2},
    {"*", 3}, {"/", 3}, {"div", 3}, {"%", 3}, {"mod", 3},
    {"+", 4}, {"-", 4},
    {"<<", 5}, {"shl", 5}, {">>", 5}, {"shr", 5},
    {"<", 6}, {"<=", 6}, {">", 6}, {">=", 6},
    {"==", 7}, {"!=", 7}, {"<>", 7},
    {"&", 8}, {"|", 8},
    {"&&", 9}, {"||", 9}, {"and", 9}, {"or", 9},
    {"=", 10}, {":=", 10}, {"*=", 10}, {"/=", 10}, {"%=", 10}, {"+=", 10},
    {"-=", 10}, {"<<=", 10}, {">>=", 10}, {"&=", 10}, {"^=", 10}, {"|=", 10},
    {",", 11},
    {std::string_view("\xFB", 1), 12},
}};

constexpr bool IsFillerSlot(int slot) { return kOperators[slot].Text == kFillerOperator; }

// Operators the parser knows besides the table: attached increments and
// decrements, and the conversion prefixes the editor offers (the parser does
// not treat them specially, so «(int)x» is the operand "intx").
constexpr std::array<std::string_view, 2> kIncrementOperators = {"++", "--"};
constexpr std::array<std::string_view, 7> kTypeConversions = {
    "(integer)", "(int)", "(boolean)", "(bool)", "(string)", "(double)", "(real)"};

}  // namespace tessaro
