// JUnit XML, as continuous-integration servers and school systems read it.
#include <cstdio>

#include "core/i18n/cp1250.h"
#include "core/task/reports.h"

namespace tessaro::task {

namespace {

// UTF-8 text escaped for an XML attribute or element. Control characters
// that XML 1.0 cannot hold become "?".
std::string Xml(const std::string& utf8) {
  std::string out;
  for (char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      case '\n': out += "&#10;"; break;
      case '\r': out += "&#13;"; break;
      case '\t': out += "&#9;"; break;
      default: out += (c < 0x20 || c == 0x7F) ? '?' : ch;
    }
  }
  return out;
}

std::string CoreXml(const std::string& cp1250) { return Xml(Cp1250ToUtf8(cp1250)); }

}  // namespace

std::string JunitReport(const Task& task, const std::vector<PupilResult>& pupils) {
  size_t tests = 0, failures = 0;
  for (const PupilResult& p : pupils) {
    tests += p.cases.size();
    failures += p.cases.size() - static_cast<size_t>(p.passed);
  }
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  xml += "<testsuites name=\"" + CoreXml(task.settings.title) + "\" tests=\"" + std::to_string(tests) +
         "\" failures=\"" + std::to_string(failures) + "\">\n";
  for (const PupilResult& p : pupils) {
    double time = 0;
    for (const CaseResult& c : p.cases) time += c.seconds;
    const std::string pupil = CoreXml(p.submission.pupil);
    xml += "  <testsuite name=\"" + pupil + "\" tests=\"" + std::to_string(p.cases.size()) + "\" failures=\"" +
           std::to_string(p.cases.size() - static_cast<size_t>(p.passed)) + "\" errors=\"0\" skipped=\"0\" time=\"" +
           SecondsText(time) + "\">\n";
    xml += "    <properties>\n";
    xml += "      <property name=\"file\" value=\"" + Xml(p.submission.path) + "\"/>\n";
    xml += "      <property name=\"score\" value=\"" + std::to_string(p.score) + "\"/>\n";
    xml += "      <property name=\"max-score\" value=\"" + std::to_string(p.max_score) + "\"/>\n";
    xml += "    </properties>\n";
    for (const CaseResult& c : p.cases) {
      xml += "    <testcase classname=\"" + pupil + "\" name=\"" + CoreXml(c.name) + "\" time=\"" +
             SecondsText(c.seconds) + "\"";
      if (c.Passed()) {
        xml += "/>\n";
        continue;
      }
      xml += ">\n      <failure type=\"" + std::string(StatusInfo(c.status).key) + "\" message=\"" +
             CoreXml(c.detail) + "\">";
      xml += CoreXml("expected:\n" + c.expected + "\ngot:\n" + c.got);
      xml += "</failure>\n    </testcase>\n";
    }
    xml += "  </testsuite>\n";
  }
  xml += "</testsuites>\n";
  return xml;
}

}  // namespace tessaro::task
