// JSON: the whole grading, for any program that wants it all.
#include <cstdio>

#include "core/i18n/cp1250.h"
#include "core/task/reports.h"

namespace tessaro::task {

namespace {

// A JSON string of UTF-8 text.
std::string Json(const std::string& utf8) {
  std::string out = "\"";
  for (char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\u%04x", c);
      out += hex;
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

std::string CoreJson(const std::string& cp1250) { return Json(Cp1250ToUtf8(cp1250)); }

}  // namespace

std::string SecondsText(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", seconds);
  return text;
}

std::string JsonReport(const Task& task, const std::vector<PupilResult>& pupils) {
  const size_t passed = CountAllPassed(pupils);
  std::string json = "{\n  \"task\": " + CoreJson(task.settings.title) + ",\n";
  json += "  \"cases\": " + std::to_string(task.cases.size()) + ",\n";
  json += "  \"passed\": " + std::to_string(passed) + ",\n";
  json += "  \"failed\": " + std::to_string(pupils.size() - passed) + ",\n";
  json += "  \"pupils\": [";
  for (size_t i = 0; i < pupils.size(); ++i) {
    const PupilResult& p = pupils[i];
    json += std::string(i ? "," : "") + "\n    {\n";
    json += "      \"pupil\": " + CoreJson(p.submission.pupil) + ",\n";
    json += "      \"file\": " + Json(p.submission.path) + ",\n";
    json += "      \"passed\": " + std::to_string(p.passed) + ",\n";
    json += "      \"total\": " + std::to_string(p.cases.size()) + ",\n";
    json += "      \"score\": " + std::to_string(p.score) + ",\n";
    json += "      \"max_score\": " + std::to_string(p.max_score) + ",\n";
    json += "      \"problem\": " + CoreJson(p.problem) + ",\n";
    json += "      \"cases\": [";
    for (size_t k = 0; k < p.cases.size(); ++k) {
      const CaseResult& c = p.cases[k];
      json += std::string(k ? "," : "") + "\n        {\"name\": " + CoreJson(c.name) + ", \"status\": \"" +
              StatusInfo(c.status).key + "\", \"passed\": " + (c.Passed() ? "true" : "false") +
              ", \"detail\": " + CoreJson(c.detail) + ", \"expect\": " + CoreJson(c.expected) +
              ", \"got\": " + CoreJson(c.got) + ", \"steps\": " + std::to_string(c.steps) +
              ", \"seconds\": " + SecondsText(c.seconds) + "}";
    }
    json += std::string(p.cases.empty() ? "" : "\n      ") + "]\n    }";
  }
  json += std::string(pupils.empty() ? "" : "\n  ") + "]\n}\n";
  return json;
}

}  // namespace tessaro::task
