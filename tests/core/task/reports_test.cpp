#include "core/task/reports.h"

#include <expat.h>
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace tessaro::task {
namespace {

CaseResult Result(const char* name, CaseStatus status, const char* expected, const char* got) {
  CaseResult c;
  c.name = name;
  c.status = status;
  c.expected = expected;
  c.got = got;
  return c;
}

// Two pupils: one passes both cases (with a warning), one fails the second
// with output full of characters that every format must escape.
struct Fixture {
  Task task;
  std::vector<PupilResult> pupils;

  Fixture() {
    task.settings.title = "Silnia #1";
    task.cases = {{"01-zero", {"0"}, "1"}, {"02-five", {"5"}, "120\n<&>"}};
    PupilResult ala;
    ala.submission = {"ala", "klasa/ala.alg"};
    ala.cases = {Result("01-zero", CaseStatus::Pass, "1", "1"),
                 Result("02-five", CaseStatus::UnusedInput, "120\n<&>", "120\n<&>")};
    ala.cases[1].detail = "1 answer was not read";
    ala.passed = 2;
    ala.score = ala.max_score = 2;
    PupilResult zenon;
    zenon.submission = {"\x8Cwi\xEAty, \"Z\" =1", "klasa/\xC5\x9Awi\xC4\x99ty.alg"};  // Święty (core) and its UTF-8 path
    zenon.cases = {Result("01-zero", CaseStatus::Pass, "1", "1"),
                   Result("02-five", CaseStatus::WrongOutput, "120\n<&>", "120\n\"quoted\" \\ #\t\x01")};
    zenon.cases[1].detail = "line 2: expected \"<&>\", got \"\\\"quoted\\\" \\\\ #\"";
    zenon.passed = 1;
    zenon.score = 1;
    zenon.max_score = 2;
    pupils = {ala, zenon};
  }
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Checks `tap` line by line against the TAP 14 grammar: the version line, a
// plan per level, test points numbered from 1 and as many as the plan says,
// YAML blocks two blanks deeper than the point they follow, subtests four
// blanks deeper and closed by their parent's test point. Returns "" or the fault.
std::string CheckTap14(const std::string& tap) {
  const std::vector<std::string> lines = Lines(tap);
  if (lines.empty() || lines[0] != "TAP version 14") return "no version line";
  static const std::regex plan(R"(^(\d+)\.\.(\d+)$)");
  static const std::regex point(R"(^(not )?ok (\d+)( - ([^#\\]|\\[#\\])*)?$)");
  struct Level {
    int planned = -1;
    int seen = 0;
  };
  std::vector<Level> levels(1);
  bool last_was_point = false;
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string& raw = lines[i];
    const size_t indent = raw.find_first_not_of(' ');
    if (indent == std::string::npos) return "blank line " + std::to_string(i + 1);
    const std::string line = raw.substr(indent);
    const std::string where = " at line " + std::to_string(i + 1) + ": " + raw;
    if (line == "---") {
      if (!last_was_point || indent != 4 * (levels.size() - 1) + 2) return "misplaced YAML start" + where;
      const std::string yaml_indent(indent, ' ');
      for (++i; i < lines.size() && lines[i] != yaml_indent + "..."; ++i) {
        if (lines[i].rfind(yaml_indent, 0) != 0) return "YAML line outside its block at " + std::to_string(i + 1);
      }
      if (i == lines.size()) return "YAML block never ends";
      last_was_point = false;
      continue;
    }
    last_was_point = false;
    if (indent % 4 != 0) return "odd indentation" + where;
    const size_t depth = indent / 4;
    if (depth > levels.size() - 1) {
      if (depth != levels.size() || lines[i - 1].find("# Subtest: ") == std::string::npos) {
        return "subtest without its comment" + where;
      }
      levels.emplace_back();
    }
    if (line[0] == '#') continue;
    while (depth < levels.size() - 1) {
      // A test point of the parent closes the subtest.
      const Level& done = levels.back();
      if (done.planned != done.seen) return "subtest plan not met" + where;
      levels.pop_back();
    }
    Level& level = levels.back();
    std::smatch m;
    if (std::regex_match(line, m, plan)) {
      if (level.planned != -1 || m[1] != "1") return "second or odd plan" + where;
      level.planned = std::stoi(m[2]);
    } else if (std::regex_match(line, m, point)) {
      if (std::stoi(m[2]) != ++level.seen) return "test point out of order" + where;
      last_was_point = true;
    } else {
      return "not a TAP line" + where;
    }
  }
  if (levels.size() != 1) return "unclosed subtest";
  if (levels[0].planned != levels[0].seen) return "plan not met";
  return "";
}

TEST(Reports, TapFollowsTap14LineByLine) {
  const Fixture f;
  const std::string tap = TapReport(f.task, f.pupils);
  EXPECT_EQ(CheckTap14(tap), "") << tap;
  const std::vector<std::string> lines = Lines(tap);
  const std::vector<std::string> head = {"TAP version 14", "1..2", "# Silnia \\#1", "# Subtest: ala", "    1..2",
                                         "    ok 1 - 01-zero", "    ok 2 - 02-five", "      ---",
                                         "      status: unused-input"};
  ASSERT_GE(lines.size(), head.size());
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + head.size()), head);
  EXPECT_NE(tap.find("\nok 1 - ala\n"), std::string::npos);
  EXPECT_NE(tap.find("\n    not ok 2 - 02-five\n"), std::string::npos);
  EXPECT_NE(tap.find("      expect: \"120\\n<&>\"\n"), std::string::npos) << tap;
  EXPECT_NE(tap.find("      got: \"120\\n\\\"quoted\\\" \\\\ #\\t\\x01\"\n"), std::string::npos) << tap;
  EXPECT_NE(tap.find("\nnot ok 2 - \xC5\x9Awi\xC4\x99ty, \"Z\" =1\n"), std::string::npos) << tap;

  // The checker itself refuses what TAP 14 does not allow.
  EXPECT_NE(CheckTap14("TAP version 14\n1..2\nok 1\n"), "");
  EXPECT_NE(CheckTap14("TAP version 14\n1..1\nok 2\n"), "");
  EXPECT_NE(CheckTap14("TAP version 14\n1..1\n    1..1\n    ok 1\nok 1\n"), "");
  EXPECT_NE(CheckTap14("TAP version 14\n1..1\nok 1 - a # b\n"), "");
}

// What expat finds in a JUnit report.
struct Junit {
  std::vector<std::string> suites;
  std::vector<std::string> cases;     // classname/name
  std::vector<std::string> failures;  // type: message | text
  std::string current_text;
  bool in_failure = false;

  static void Start(void* data, const XML_Char* name, const XML_Char** attributes) {
    auto* j = static_cast<Junit*>(data);
    std::map<std::string, std::string> a;
    for (int i = 0; attributes[i]; i += 2) a[attributes[i]] = attributes[i + 1];
    const std::string element = name;
    if (element == "testsuite") j->suites.push_back(a["name"]);
    if (element == "testcase") j->cases.push_back(a["classname"] + "/" + a["name"]);
    if (element == "failure") {
      j->in_failure = true;
      j->current_text = a["type"] + ": " + a["message"] + " | ";
    }
  }
  static void End(void* data, const XML_Char* name) {
    auto* j = static_cast<Junit*>(data);
    if (std::string(name) == "failure") {
      j->failures.push_back(j->current_text);
      j->in_failure = false;
    }
  }
  static void Text(void* data, const XML_Char* s, int length) {
    auto* j = static_cast<Junit*>(data);
    if (j->in_failure) j->current_text.append(s, static_cast<size_t>(length));
  }
};

TEST(Reports, JunitParsesBackWithEveryCase) {
  const Fixture f;
  const std::string xml = JunitReport(f.task, f.pupils);
  Junit j;
  XML_Parser parser = XML_ParserCreate(nullptr);
  XML_SetUserData(parser, &j);
  XML_SetElementHandler(parser, Junit::Start, Junit::End);
  XML_SetCharacterDataHandler(parser, Junit::Text);
  const bool parsed = XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), 1) == XML_STATUS_OK;
  const std::string error = parsed ? "" : XML_ErrorString(XML_GetErrorCode(parser));
  XML_ParserFree(parser);
  ASSERT_TRUE(parsed) << error << "\n" << xml;

  const std::string zenon = "\xC5\x9Awi\xC4\x99ty, \"Z\" =1";
  EXPECT_EQ(j.suites, (std::vector<std::string>{"ala", zenon}));
  EXPECT_EQ(j.cases, (std::vector<std::string>{"ala/01-zero", "ala/02-five", zenon + "/01-zero", zenon + "/02-five"}));
  ASSERT_EQ(j.failures.size(), 1u);
  EXPECT_EQ(j.failures[0],
            "wrong-output: line 2: expected \"<&>\", got \"\\\"quoted\\\" \\\\ #\" | expected:\n120\n<&>\ngot:\n120\n"
            "\"quoted\" \\ #\t?");
  EXPECT_NE(xml.find("tests=\"4\" failures=\"1\""), std::string::npos);
}

TEST(Reports, CsvQuotesWhatItMustAndDefusesFormulas) {
  const Fixture f;
  EXPECT_EQ(CsvReport(f.pupils),
            "pupil,file,passed,total,score,statuses\r\n"
            "ala,klasa/ala.alg,2,2,2,01-zero=pass 02-five=unused-input\r\n"
            "\"\xC5\x9Awi\xC4\x99ty, \"\"Z\"\" =1\",klasa/\xC5\x9Awi\xC4\x99ty.alg,1,2,1,01-zero=pass 02-five=wrong-output\r\n");
  PupilResult formula;
  formula.submission = {"=HYPERLINK(1)", "x.alg"};
  EXPECT_NE(CsvReport({formula}).find("\n'=HYPERLINK(1),x.alg,"), std::string::npos);
}

TEST(Reports, JsonHoldsEveryCaseEscaped) {
  const Fixture f;
  const std::string json = JsonReport(f.task, f.pupils);
  EXPECT_NE(json.find("\"task\": \"Silnia #1\""), std::string::npos);
  EXPECT_NE(json.find("\"passed\": 1,\n  \"failed\": 1"), std::string::npos) << json;
  EXPECT_NE(json.find("\"pupil\": \"\xC5\x9Awi\xC4\x99ty, \\\"Z\\\" =1\""), std::string::npos) << json;
  EXPECT_NE(json.find("\"got\": \"120\\n\\\"quoted\\\" \\\\ #\\t\\u0001\""), std::string::npos) << json;
  EXPECT_NE(json.find("\"status\": \"wrong-output\", \"passed\": false"), std::string::npos);
  // Balanced brackets outside strings: a cheap check that the document closes.
  int depth = 0;
  bool in_string = false;
  for (size_t i = 0; i < json.size(); ++i) {
    if (in_string) {
      if (json[i] == '\\') ++i;
      else if (json[i] == '"') in_string = false;
      continue;
    }
    if (json[i] == '"') in_string = true;
    if (json[i] == '{' || json[i] == '[') ++depth;
    if (json[i] == '}' || json[i] == ']') --depth;
    ASSERT_GE(depth, 0);
  }
  EXPECT_EQ(depth, 0);
}

TEST(Reports, TextSummaryShowsAsAsked) {
  const Fixture f;
  EXPECT_EQ(TextSummary(f.pupils, ShowDetails::None),
            "ala: 2/2 passed, score 2/2\n"
            "\xC5\x9Awi\xC4\x99ty, \"Z\" =1: 1/2 passed, score 1/2\n"
            "1 passed, 1 failed\n");
  const std::string first = TextSummary(f.pupils, ShowDetails::First);
  EXPECT_NE(first.find("ala: 2/2 passed, score 2/2\n  02-five: passed, but input was left unread: 1 answer was not read\n"),
            std::string::npos)
      << first;
  EXPECT_NE(first.find("  02-five: wrong output: line 2: expected \"<&>\""), std::string::npos) << first;
}

}  // namespace
}  // namespace tessaro::task
