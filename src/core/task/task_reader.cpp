#include "core/task/task_reader.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>
#include <span>

#include "core/document/alg_reader.h"
#include "core/i18n/ansi_case.h"
#include "core/i18n/cp1250.h"
#include "core/i18n/ini_file.h"
#include "core/platform/version.h"
#include "core/task/task_files.h"

namespace tessaro::task {

namespace {

constexpr double kLongestTimeLimit = 3600;
constexpr int32_t kHighestMark = 1000;

struct GradingName {
  const char* name;
  Grading grading;
};
constexpr GradingName kGradingNames[] = {
    {"all-or-nothing", Grading::AllOrNothing},
    {"per-case", Grading::PerCase},
};

struct DisplayName {
  const char* name;
  Display display;
};
constexpr DisplayName kDisplayNames[] = {
    {"show", Display::Show},
    {"hide", Display::Hide},
    {"hide-if-fail", Display::HideIfFail},
};

constexpr const char* kTaskKeys[] = {"title", "min-version", "compare", "max-steps",
                                     "seed",  "grading",     "time-limit"};
constexpr const char* kCaseKeys[] = {"mark", "display", "hide-rest-if-fail"};

// The statement files, each with its format, in order of preference.
struct StatementFile {
  const char* name;
  StatementFormat format;
  bool english;
};
constexpr StatementFile kStatementFiles[] = {
    {"statement.html", StatementFormat::Html, false},
    {"statement.md", StatementFormat::Markdown, false},
    {"statement.en.html", StatementFormat::Html, true},
    {"statement.en.md", StatementFormat::Markdown, true},
};

// Text of a task file as core text: UTF-8 converted, CR LF as LF.
std::string CoreText(const std::string& bytes) {
  std::string text = Utf8ToCp1250(bytes);
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

std::optional<uint64_t> WholeNumber(const std::string& text, uint64_t highest) {
  if (text.empty() || text.size() > 19) return std::nullopt;
  uint64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + static_cast<uint64_t>(c - '0');
  }
  if (v > highest) return std::nullopt;
  return v;
}

std::optional<bool> YesNo(const std::string& text) {
  const std::string t = AnsiLowerCase(text);
  if (t == "yes" || t == "true" || t == "1" || t == "tak") return true;
  if (t == "no" || t == "false" || t == "0" || t == "nie") return false;
  return std::nullopt;
}

std::optional<Grading> GradingFromName(const std::string& text) {
  for (const GradingName& row : kGradingNames) {
    if (text == row.name) return row.grading;
  }
  return std::nullopt;
}

bool KnownKey(std::span<const char* const> keys, const std::string& key) {
  const std::string lower = AnsiLowerCase(key);
  for (const char* k : keys) {
    if (lower == k) return true;
  }
  return false;
}

// Parses the version's parts; nothing unless it is dot-separated whole numbers.
std::optional<std::vector<uint64_t>> VersionParts(const std::string& text) {
  std::vector<uint64_t> parts;
  size_t start = 0;
  while (true) {
    const size_t dot = text.find('.', start);
    const std::optional<uint64_t> part =
        WholeNumber(text.substr(start, dot == std::string::npos ? std::string::npos : dot - start), 999999);
    if (!part) return std::nullopt;
    parts.push_back(*part);
    if (dot == std::string::npos) return parts;
    start = dot + 1;
  }
}

class Parser {
 public:
  Parser(const TaskFiles& files, const std::string& source)
      : files_(files), shown_(Utf8ToCp1250(source)) {
    read_.task.source = source;
  }

  TaskRead Parse() {
    if (ReadSettings() && ReadStatements() && ReadTemplate() && ReadCases()) read_.ok = true;
    return std::move(read_);
  }

 private:
  bool Fail(const std::string& inner, const std::string& why) {
    read_.error = shown_ + ": " + Utf8ToCp1250(inner) + ": " + why;
    return false;
  }

  const std::string* File(const std::string& inner) const {
    auto it = files_.files.find(inner);
    return it == files_.files.end() ? nullptr : &it->second;
  }

  bool ReadSettings() {
    const std::string* ini = File("task.ini");
    if (!ini) {
      read_.error = shown_ + ": task.ini is missing (is this a task?)";
      return false;
    }
    const std::vector<IniEntry> entries = ReadIniSection(CoreText(*ini), "task");
    TaskSettings& s = read_.task.settings;
    for (const IniEntry& e : entries) {
      if (!KnownKey(kTaskKeys, e.key)) return Fail("task.ini", "unknown key \"" + e.key + "\"");
    }
    s.title = FindIniValue(entries, "title").value_or("");
    if (s.title.empty()) return Fail("task.ini", "[task] has no title");
    if (auto v = FindIniValue(entries, "min-version")) {
      if (!VersionParts(*v)) return Fail("task.ini", "min-version \"" + *v + "\" is not a version");
      if (!VersionAtMost(*v, ProgramVersion())) {
        return Fail("task.ini", "the task needs version " + *v + " or newer of the program");
      }
      s.min_version = *v;
    }
    if (auto v = FindIniValue(entries, "compare")) {
      const std::optional<CompareMode> mode = ParseCompareMode(*v);
      if (!mode) {
        return Fail("task.ini", "compare \"" + *v + "\" is none of exact, lines, ws, nocase, num:EPS");
      }
      s.compare = *mode;
    }
    if (auto v = FindIniValue(entries, "max-steps")) {
      const std::optional<uint64_t> n = WholeNumber(*v, uint64_t{1} << 40);
      if (!n || *n == 0) return Fail("task.ini", "max-steps \"" + *v + "\" is not a whole number above 0");
      s.max_steps = *n;
    }
    if (auto v = FindIniValue(entries, "seed")) {
      const std::optional<uint64_t> n = WholeNumber(*v, 0xFFFFFFFFu);
      if (!n) return Fail("task.ini", "seed \"" + *v + "\" is not a whole number from 0 to 4294967295");
      s.seed = static_cast<uint32_t>(*n);
    }
    if (auto v = FindIniValue(entries, "grading")) {
      const std::optional<Grading> g = GradingFromName(AnsiLowerCase(*v));
      if (!g) return Fail("task.ini", "grading \"" + *v + "\" is neither all-or-nothing nor per-case");
      s.grading = *g;
    }
    if (auto v = FindIniValue(entries, "time-limit")) {
      char* end = nullptr;
      errno = 0;
      const double t = std::strtod(v->c_str(), &end);
      if (v->empty() || end != v->c_str() + v->size() || errno || !(t > 0) || t > kLongestTimeLimit) {
        return Fail("task.ini", "time-limit \"" + *v + "\" is not a number of seconds above 0, up to 3600");
      }
      s.time_limit = t;
    }
    return true;
  }

  bool ReadStatements() {
    for (const StatementFile& f : kStatementFiles) {
      Statement& target = f.english ? read_.task.statement_en : read_.task.statement;
      if (target.format != StatementFormat::None) continue;
      if (const std::string* bytes = File(f.name)) target = Statement{f.format, *bytes};
    }
    if (read_.task.statement.format == StatementFormat::None) {
      read_.error = shown_ + ": statement.html or statement.md is missing";
      return false;
    }
    return true;
  }

  bool ReadTemplate() {
    const std::string* bytes = File("template.alg");
    if (!bytes) return true;
    const auto* data = reinterpret_cast<const uint8_t*>(bytes->data());
    const TAlgRead read = ReadAlgorithm(std::span<const uint8_t>(data, bytes->size()), TElementDefaults{});
    if (!read.format || !read.ok) return Fail("template.alg", "not an algorithm file");
    read_.task.template_alg = *bytes;
    return true;
  }

  // One case's files by extension.
  struct CaseFiles {
    const std::string* in = nullptr;
    const std::string* out = nullptr;
    const std::string* ini = nullptr;
  };

  bool ReadCases() {
    std::map<std::string, CaseFiles> by_name;  // ordered by name
    for (const auto& [inner, bytes] : files_.files) {
      if (inner.substr(0, kCasesFolder.size()) != kCasesFolder) continue;
      const std::string file = inner.substr(kCasesFolder.size());
      const size_t dot = file.rfind('.');
      if (dot == std::string::npos || dot == 0) continue;
      const std::string ext = AnsiLowerCase(file.substr(dot));
      CaseFiles& c = by_name[file.substr(0, dot)];
      if (ext == ".in") c.in = &bytes;
      else if (ext == ".out") c.out = &bytes;
      else if (ext == ".ini") c.ini = &bytes;
    }
    for (const auto& [name, files] : by_name) {
      if (!files.in && !files.out && !files.ini) continue;
      const std::string base = std::string(kCasesFolder) + name;
      if (!files.out) return Fail(base + ".out", "is missing (every case needs its expected output)");
      TaskCase c;
      c.name = Utf8ToCp1250(name);
      if (files.in && !ReadAnswers(base + ".in", *files.in, c.answers)) return false;
      c.expected = CoreText(*files.out);
      if (!c.expected.empty() && c.expected.back() == '\n') c.expected.pop_back();
      if (files.ini && !ReadCaseSettings(base + ".ini", *files.ini, c)) return false;
      read_.task.cases.push_back(std::move(c));
    }
    if (read_.task.cases.empty()) {
      read_.error = shown_ + ": cases/ holds no case (NN-name.in with NN-name.out)";
      return false;
    }
    return true;
  }

  bool ReadAnswers(const std::string& inner, const std::string& bytes, std::vector<std::string>& answers) {
    std::string why;
    return ParseAnswers(bytes, answers, why) || Fail(inner, why);
  }

  bool ReadCaseSettings(const std::string& inner, const std::string& bytes, TaskCase& c) {
    const std::string text = CoreText(bytes);
    const std::vector<IniEntry> entries = ReadIniSection(text, "case");
    if (entries.empty() && text.find('=') != std::string::npos) return Fail(inner, "has no [case] section");
    for (const IniEntry& e : entries) {
      if (!KnownKey(kCaseKeys, e.key)) return Fail(inner, "unknown key \"" + e.key + "\"");
    }
    if (auto v = FindIniValue(entries, "mark")) {
      const std::optional<uint64_t> n = WholeNumber(*v, kHighestMark);
      if (!n) return Fail(inner, "mark \"" + *v + "\" is not a whole number from 0 to 1000");
      c.mark = static_cast<int32_t>(*n);
    }
    if (auto v = FindIniValue(entries, "display")) {
      bool found = false;
      for (const DisplayName& d : kDisplayNames) {
        if (AnsiLowerCase(*v) == d.name) {
          c.display = d.display;
          found = true;
        }
      }
      if (!found) return Fail(inner, "display \"" + *v + "\" is none of show, hide, hide-if-fail");
    }
    if (auto v = FindIniValue(entries, "hide-rest-if-fail")) {
      const std::optional<bool> b = YesNo(*v);
      if (!b) return Fail(inner, "hide-rest-if-fail \"" + *v + "\" is neither yes nor no");
      c.hide_rest_if_fail = *b;
    }
    return true;
  }

  const TaskFiles& files_;
  std::string shown_;
  TaskRead read_;
};

}  // namespace

bool ParseAnswers(const std::string& bytes, std::vector<std::string>& answers, std::string& why) {
  answers.clear();
  std::string text = CoreText(bytes);
  while (!text.empty() && text.back() == '\n') text.pop_back();
  if (text.empty()) return true;
  size_t start = 0;
  while (true) {
    const size_t end = text.find('\n', start);
    answers.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (answers.back().empty()) {
      // The console takes an empty answer for the end of the input.
      why = "line " + std::to_string(answers.size()) + " is empty, and an empty answer ends the input";
      return false;
    }
    if (end == std::string::npos) return true;
    start = end + 1;
  }
}

bool VersionAtMost(const std::string& wanted, const std::string& have) {
  const auto w = VersionParts(wanted), h = VersionParts(have);
  if (!w || !h) return false;
  for (size_t i = 0; i < std::max(w->size(), h->size()); ++i) {
    const uint64_t a = i < w->size() ? (*w)[i] : 0, b = i < h->size() ? (*h)[i] : 0;
    if (a != b) return a < b;
  }
  return true;
}

TaskRead ReadTask(const std::string& path) {
  const TaskFiles files = ReadTaskFiles(path);
  if (!files.ok) {
    TaskRead read;
    read.error = files.error;
    return read;
  }
  return ParseTask(files, path);
}

TaskRead ParseTask(const TaskFiles& files, const std::string& source) {
  return Parser(files, source).Parse();
}

}  // namespace tessaro::task
