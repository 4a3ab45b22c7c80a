#include "core/platform/registry.h"

#include <cctype>
#include <cstdio>
#include <sstream>
#include <utility>
#include <vector>

#include "core/platform/file_io.h"
#include "core/platform/program_paths.h"

namespace tessaro {

namespace {

bool g_disabled = false;
RegistryFailureHandler g_failure_handler = nullptr;

using Entries = std::vector<std::pair<std::string, std::string>>;

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

void Fail() {
  if (g_disabled) return;
  g_disabled = true;
  if (g_failure_handler) g_failure_handler();
}

std::string StorePath() { return UserFile(kRegistryFile); }

// Writes through a temporary file so that a failed write never leaves a
// half-written store behind.
bool WriteEntries(const std::string& path, const Entries& entries) {
  std::string bytes;
  for (const auto& [name, value] : entries) bytes += name + "=" + value + "\r\n";
  return ReplaceFileBytes(path, bytes);
}

// Opens the store, creating an empty one when it is missing. A damaged one
// (too large, or no regular file) is set aside and replaced by an empty one.
bool ReadEntries(const std::string& path, Entries& entries) {
  StartupFile file = ReadStartupFile(path);
  if (file.State == StartupFileState::Damaged) {
    if (SetAsideDamagedFile(path).empty()) return false;
    file.State = StartupFileState::Missing;
  }
  if (file.State == StartupFileState::Missing) return WriteEntries(path, {});
  std::istringstream in(file.Bytes);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t eq = line.find('=');
    if (eq == std::string::npos || eq == 0) continue;  // not a value line: skipped
    entries.emplace_back(line.substr(0, eq), line.substr(eq + 1));
  }
  return true;
}

// Line breaks would split a value into two lines; values never need them.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  return text;
}

}  // namespace

std::string RegistryReadString(const std::string& name) {
  if (g_disabled) return "";
  Entries entries;
  if (!ReadEntries(StorePath(), entries)) {
    Fail();
    return "";
  }
  for (const auto& [key, value] : entries)
    if (SameName(key, name)) return value;
  return "";
}

void RegistryWriteString(const std::string& name, const std::string& value) {
  if (g_disabled) return;
  const std::string path = StorePath();
  Entries entries;
  if (!ReadEntries(path, entries)) {
    Fail();
    return;
  }
  bool found = false;
  for (auto& [key, old_value] : entries) {
    if (SameName(key, name)) {
      old_value = OneLine(value);
      found = true;
      break;
    }
  }
  if (!found) entries.emplace_back(OneLine(name), OneLine(value));
  if (!WriteEntries(path, entries)) Fail();
}

bool RegistryDisabled() { return g_disabled; }

void SetRegistryFailureHandler(RegistryFailureHandler handler) { g_failure_handler = handler; }

void ResetRegistry() { g_disabled = false; }

std::string NewUserId(std::mt19937& random) {
  std::uniform_int_distribution<int> letter(0, 23);
  std::string id;
  for (int i = 0; i < 16; ++i) id += static_cast<char>('A' + letter(random));
  return id;
}

}  // namespace tessaro
