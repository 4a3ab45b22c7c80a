// The text summary and the CSV report: the two a teacher reads first.
#include "core/i18n/cp1250.h"
#include "core/task/reports.h"

namespace tessaro::task {

namespace {

std::string PupilLine(const PupilResult& p) {
  std::string line = p.submission.pupil + ": " + std::to_string(p.passed) + "/" +
                     std::to_string(p.cases.size()) + " passed, score " + std::to_string(p.score) + "/" +
                     std::to_string(p.max_score);
  if (!p.problem.empty()) {
    line += " (" + std::string(StatusInfo(p.cases.empty() ? CaseStatus::Unreadable : p.cases[0].status).title) +
            ")";
  }
  return line + "\n";
}

// A CSV field, quoted when it must be; a leading character that a
// spreadsheet would take for a formula is defused with an apostrophe.
std::string CsvField(const std::string& text) {
  std::string field = text;
  if (!field.empty() && (field[0] == '=' || field[0] == '+' || field[0] == '-' || field[0] == '@')) {
    field.insert(0, "'");
  }
  if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
  std::string quoted = "\"";
  for (char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

}  // namespace

size_t CountAllPassed(const std::vector<PupilResult>& pupils) {
  size_t n = 0;
  for (const PupilResult& p : pupils) n += p.AllPassed() ? 1 : 0;
  return n;
}

std::string TextSummary(const std::vector<PupilResult>& pupils, ShowDetails show) {
  std::string text;
  for (const PupilResult& p : pupils) {
    text += PupilLine(p);
    if (show == ShowDetails::None) continue;
    if (!p.problem.empty()) {
      text += "  " + p.problem + "\n";
      continue;
    }
    for (const CaseResult& c : p.cases) {
      if (c.status == CaseStatus::Pass) continue;
      text += "  " + c.name + ": " + StatusInfo(c.status).title + (c.detail.empty() ? "" : ": " + c.detail) + "\n";
      if (show == ShowDetails::First && !c.Passed()) break;
    }
  }
  const size_t passed = CountAllPassed(pupils);
  text += std::to_string(passed) + " passed, " + std::to_string(pupils.size() - passed) + " failed\n";
  return Cp1250ToUtf8(text);
}

std::string CsvReport(const std::vector<PupilResult>& pupils) {
  std::string csv = "pupil,file,passed,total,score,statuses\r\n";
  for (const PupilResult& p : pupils) {
    std::string statuses;
    for (const CaseResult& c : p.cases) {
      statuses += (statuses.empty() ? "" : " ") + c.name + "=" + StatusInfo(c.status).key;
    }
    // The path is a native (UTF-8) name; the rest is core text.
    csv += CsvField(Cp1250ToUtf8(p.submission.pupil)) + "," + CsvField(p.submission.path) + "," +
           std::to_string(p.passed) + "," + std::to_string(p.cases.size()) + "," + std::to_string(p.score) + "," +
           CsvField(Cp1250ToUtf8(statuses)) + "\r\n";
  }
  return csv;
}

}  // namespace tessaro::task
