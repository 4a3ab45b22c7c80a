// TAP version 14: one test point per pupil; the cases are the subtests,
// indented four spaces under "# Subtest: pupil", each with a YAML block.
#include <cstdio>

#include "core/i18n/cp1250.h"
#include "core/task/reports.h"

namespace tessaro::task {

namespace {

// A test point's description: "#" and "\" are escaped, line ends become blanks.
std::string Description(const std::string& cp1250) {
  std::string out;
  for (char c : Cp1250ToUtf8(cp1250)) {
    if (c == '#' || c == '\\') out += '\\';
    out += (c == '\n' || c == '\r') ? ' ' : c;
  }
  return out;
}

// A YAML double-quoted scalar of UTF-8 text, on one line.
std::string YamlString(const std::string& utf8) {
  std::string out = "\"";
  for (char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char hex[8];
          std::snprintf(hex, sizeof hex, "\\x%02X", c);
          out += hex;
        } else {
          out += ch;
        }
    }
  }
  return out + "\"";
}

void CasePoint(std::string& tap, size_t number, const CaseResult& c) {
  const std::string indent = "    ";
  tap += indent + (c.Passed() ? "ok " : "not ok ") + std::to_string(number) + " - " + Description(c.name) + "\n";
  if (c.status == CaseStatus::Pass) return;
  const std::string yaml = indent + "  ";
  tap += yaml + "---\n";
  tap += yaml + "status: " + StatusInfo(c.status).key + "\n";
  if (!c.detail.empty()) tap += yaml + "message: " + YamlString(Cp1250ToUtf8(c.detail)) + "\n";
  if (!c.Passed()) {
    tap += yaml + "expect: " + YamlString(Cp1250ToUtf8(c.expected)) + "\n";
    tap += yaml + "got: " + YamlString(Cp1250ToUtf8(c.got)) + "\n";
  }
  tap += yaml + "...\n";
}

}  // namespace

std::string TapReport(const Task& task, const std::vector<PupilResult>& pupils) {
  std::string tap = "TAP version 14\n";
  tap += "1.." + std::to_string(pupils.size()) + "\n";
  tap += "# " + Description(task.settings.title) + "\n";
  for (size_t i = 0; i < pupils.size(); ++i) {
    const PupilResult& p = pupils[i];
    tap += "# Subtest: " + Description(p.submission.pupil) + "\n";
    tap += "    1.." + std::to_string(p.cases.size()) + "\n";
    for (size_t k = 0; k < p.cases.size(); ++k) CasePoint(tap, k + 1, p.cases[k]);
    tap += std::string(p.AllPassed() ? "ok " : "not ok ") + std::to_string(i + 1) + " - " +
           Description(p.submission.pupil) + "\n";
    tap += "  ---\n";
    tap += "  file: " + YamlString(p.submission.path) + "\n";
    tap += "  passed: " + std::to_string(p.passed) + "\n";
    tap += "  score: " + std::to_string(p.score) + "\n";
    tap += "  max-score: " + std::to_string(p.max_score) + "\n";
    tap += "  ...\n";
  }
  return tap;
}

}  // namespace tessaro::task
