// Comparing a program's output with the expected output of a case.
//
// Both are texts of lines joined by "\n" (no final line end needed). The
// modes differ in what they forgive:
//   exact   nothing;
//   lines   blanks at line ends and empty lines at the end (the default);
//   ws      as lines, and every run of blanks counts as one blank, also at a
//           line's start;
//   nocase  as lines, and letter case;
//   num:EPS as lines, with words that are numbers on both sides equal when
//           they differ by at most EPS; other words compare exactly.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessaro::task {

enum class CompareKind { Exact, Lines, Whitespace, NoCase, Numeric };

struct CompareMode {
  CompareKind kind = CompareKind::Lines;
  double epsilon = 0;  // Numeric only
};

// "exact", "lines", "ws", "nocase" or "num:EPS" (EPS a non-negative number);
// nothing for any other text.
std::optional<CompareMode> ParseCompareMode(std::string_view text);
// The text ParseCompareMode reads back.
std::string CompareModeName(const CompareMode& mode);

// The first place where the two outputs differ.
struct OutputDifference {
  bool same = true;
  int32_t line = 0;            // 1-based; 0 when same
  std::string expected_line;   // as written in the case
  std::string got_line;        // as the program wrote it
  bool expected_ended = false;  // the expected output has no such line
  bool got_ended = false;       // the program wrote no such line
};

OutputDifference CompareOutput(const CompareMode& mode, std::string_view expected,
                               std::string_view got);

}  // namespace tessaro::task
