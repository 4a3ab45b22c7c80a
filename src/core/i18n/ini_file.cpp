#include "core/i18n/ini_file.h"

#include "core/i18n/ansi_case.h"

namespace tessaro {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view s) {
  size_t first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  size_t last = s.find_last_not_of(kBlanks);
  return s.substr(first, last - first + 1);
}

std::string_view Unquote(std::string_view s) {
  if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front()) {
    return s.substr(1, s.size() - 2);
  }
  return s;
}

// One line of the text without its line break, with where it starts and ends.
struct Line {
  std::string_view body;
  size_t begin;  // offset of the line
  size_t end;    // offset just past its line break
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  // A byte-order mark left by an editor would otherwise hide the first section.
  constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
  size_t pos = text.substr(0, kUtf8Bom.size()) == kUtf8Bom ? kUtf8Bom.size() : 0;
  while (pos < text.size()) {
    size_t nl = text.find('\n', pos);
    size_t stop = nl == std::string_view::npos ? text.size() : nl;
    std::string_view body = text.substr(pos, stop - pos);
    if (!body.empty() && body.back() == '\r') body.remove_suffix(1);
    size_t next = nl == std::string_view::npos ? text.size() : nl + 1;
    lines.push_back({body, pos, next});
    pos = next;
  }
  return lines;
}

// The section name of a "[name]" line.
std::optional<std::string_view> SectionName(std::string_view body) {
  std::string_view t = Trim(body);
  if (t.empty() || t.front() != '[') return std::nullopt;
  size_t close = t.find(']');
  std::string_view name = t.substr(1, close == std::string_view::npos ? t.size() - 1 : close - 1);
  return Trim(name);
}

// The key and raw value of a "key=value" line; nothing for comments and other lines.
std::optional<IniEntry> KeyLine(std::string_view body) {
  std::string_view t = Trim(body);
  if (t.empty() || t.front() == ';') return std::nullopt;
  size_t eq = t.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return IniEntry{std::string(Trim(t.substr(0, eq))), std::string(Unquote(Trim(t.substr(eq + 1))))};
}

// Lines [first, last) of the first section named `section`; first == npos when absent.
struct SectionSpan {
  size_t first = std::string_view::npos;
  size_t last = 0;
  size_t header = 0;
};

SectionSpan FindSection(const std::vector<Line>& lines, std::string_view section) {
  SectionSpan span;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::optional<std::string_view> name = SectionName(lines[i].body);
    if (!name) continue;
    if (span.first != std::string_view::npos) {
      span.last = i;
      return span;
    }
    if (AnsiSameText(*name, section)) {
      span.header = i;
      span.first = i + 1;
    }
  }
  span.last = lines.size();
  return span;
}

}  // namespace

std::vector<IniEntry> ReadIniSection(std::string_view text, std::string_view section) {
  std::vector<Line> lines = SplitLines(text);
  SectionSpan span = FindSection(lines, section);
  std::vector<IniEntry> entries;
  if (span.first == std::string_view::npos) return entries;
  for (size_t i = span.first; i < span.last; ++i) {
    if (std::optional<IniEntry> e = KeyLine(lines[i].body)) entries.push_back(std::move(*e));
  }
  return entries;
}

std::optional<std::string> FindIniValue(const std::vector<IniEntry>& entries,
                                        std::string_view key) {
  for (const IniEntry& e : entries) {
    if (AnsiSameText(e.key, key)) return e.value;
  }
  return std::nullopt;
}

std::string SetIniValue(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value) {
  const std::string eol = text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
  std::vector<Line> lines = SplitLines(text);
  SectionSpan span = FindSection(lines, section);
  std::string out;

  // No such section: append it.
  if (span.first == std::string_view::npos) {
    out = text;
    if (!out.empty() && out.back() != '\n') out += eol;
    out += "[" + std::string(section) + "]" + eol + std::string(key) + "=" + std::string(value) + eol;
    return out;
  }

  // The key's line, rewritten with the file's spelling of the key.
  for (size_t i = span.first; i < span.last; ++i) {
    std::optional<IniEntry> e = KeyLine(lines[i].body);
    if (!e || !AnsiSameText(e->key, key)) continue;
    size_t break_at = lines[i].begin + lines[i].body.size();
    out = text.substr(0, lines[i].begin);
    out += e->key + "=" + std::string(value);
    out += text.substr(break_at);
    return out;
  }

  // A new key, after the section's last non-blank line.
  size_t after = span.header;
  for (size_t i = span.first; i < span.last; ++i) {
    if (!Trim(lines[i].body).empty()) after = i;
  }
  size_t insert_at = lines[after].end;
  out = text.substr(0, insert_at);
  if (!out.empty() && out.back() != '\n') out += eol;
  out += std::string(key) + "=" + std::string(value) + eol;
  out += text.substr(insert_at);
  return out;
}

}  // namespace tessaro
