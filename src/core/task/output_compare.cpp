#include "core/task/output_compare.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/i18n/ansi_case.h"

namespace tessaro::task {

namespace {

struct ModeName {
  const char* name;
  CompareKind kind;
};

constexpr ModeName kModeNames[] = {
    {"exact", CompareKind::Exact},
    {"lines", CompareKind::Lines},
    {"ws", CompareKind::Whitespace},
    {"nocase", CompareKind::NoCase},
};

constexpr std::string_view kNumericPrefix = "num:";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (true) {
    const size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      return lines;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

std::string_view TrimEnd(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::vector<std::string> Words(std::string_view line) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    const size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) words.emplace_back(line.substr(start, i - start));
  }
  return words;
}

std::string Normalised(CompareKind kind, std::string_view line) {
  switch (kind) {
    case CompareKind::Exact: return std::string(line);
    case CompareKind::Lines:
    case CompareKind::Numeric: return std::string(TrimEnd(line));
    case CompareKind::NoCase: return AnsiLowerCase(TrimEnd(line));
    case CompareKind::Whitespace: {
      std::string joined;
      for (const std::string& w : Words(line)) joined += (joined.empty() ? "" : " ") + w;
      return joined;
    }
  }
  return std::string(line);
}

// A whole word read as a number; the decimal comma the program writes counts as a point.
std::optional<double> NumberWord(std::string word) {
  for (char& c : word) {
    if (c == ',') c = '.';
  }
  if (word.empty()) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const double v = std::strtod(word.c_str(), &end);
  if (end != word.c_str() + word.size() || errno == ERANGE || !std::isfinite(v)) return std::nullopt;
  return v;
}

bool NumericLinesEqual(double epsilon, std::string_view a, std::string_view b) {
  const std::vector<std::string> wa = Words(a), wb = Words(b);
  if (wa.size() != wb.size()) return false;
  for (size_t i = 0; i < wa.size(); ++i) {
    if (wa[i] == wb[i]) continue;
    const std::optional<double> x = NumberWord(wa[i]), y = NumberWord(wb[i]);
    if (!x || !y || std::fabs(*x - *y) > epsilon) return false;
  }
  return true;
}

bool LinesEqual(const CompareMode& mode, std::string_view a, std::string_view b) {
  if (mode.kind == CompareKind::Numeric) return NumericLinesEqual(mode.epsilon, a, b);
  return Normalised(mode.kind, a) == Normalised(mode.kind, b);
}

// The number of lines that count: every line in exact mode, otherwise
// without the empty lines (after normalising) at the end.
size_t CountedLines(const CompareMode& mode, const std::vector<std::string_view>& lines) {
  size_t n = lines.size();
  if (mode.kind == CompareKind::Exact) return n;
  while (n > 0 && Normalised(mode.kind == CompareKind::Numeric ? CompareKind::Lines : mode.kind,
                             lines[n - 1])
                      .empty()) {
    --n;
  }
  return n;
}

}  // namespace

std::optional<CompareMode> ParseCompareMode(std::string_view text) {
  for (const ModeName& m : kModeNames) {
    if (text == m.name) return CompareMode{m.kind, 0};
  }
  if (text.substr(0, kNumericPrefix.size()) != kNumericPrefix) return std::nullopt;
  const std::string eps(text.substr(kNumericPrefix.size()));
  if (eps.empty() || eps.find_first_of(" \t") != std::string::npos) return std::nullopt;
  const std::optional<double> v = NumberWord(eps);
  if (!v || *v < 0) return std::nullopt;
  return CompareMode{CompareKind::Numeric, *v};
}

std::string CompareModeName(const CompareMode& mode) {
  for (const ModeName& m : kModeNames) {
    if (mode.kind == m.kind) return m.name;
  }
  char eps[40];
  std::snprintf(eps, sizeof eps, "%g", mode.epsilon);
  return std::string(kNumericPrefix) + eps;
}

OutputDifference CompareOutput(const CompareMode& mode, std::string_view expected,
                               std::string_view got) {
  const std::vector<std::string_view> want = SplitLines(expected), have = SplitLines(got);
  const size_t want_count = CountedLines(mode, want), have_count = CountedLines(mode, have);
  OutputDifference d;
  for (size_t i = 0; i < std::max(want_count, have_count); ++i) {
    const bool want_ends = i >= want_count, have_ends = i >= have_count;
    if (!want_ends && !have_ends && LinesEqual(mode, want[i], have[i])) continue;
    d.same = false;
    d.line = static_cast<int32_t>(i + 1);
    d.expected_ended = want_ends;
    d.got_ended = have_ends;
    if (!want_ends) d.expected_line = std::string(want[i]);
    if (!have_ends) d.got_line = std::string(have[i]);
    return d;
  }
  return d;
}

}  // namespace tessaro::task
