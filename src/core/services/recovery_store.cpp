#include "core/services/recovery_store.h"

#include <signal.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <system_error>

#include "core/document/alg_file.h"
#include "core/platform/file_io.h"

namespace tessaro {

namespace {

constexpr std::string_view kMagic = "TSREC1\n";
constexpr std::string_view kPrefix = "odzysk-";
constexpr std::string_view kSuffix = ".tsr";
// A copy holds one diagram and two names: more than the largest algorithm
// file the program opens is no copy of ours.
constexpr size_t kMaxRecoveryCopySize = kMaxAlgorithmFileSize + (size_t{1} << 20);

// "odzysk-<pid>-<n>.tsr" -> pid and n.
bool ParseFileName(const std::string& name, int& process, int& serial) {
  if (name.size() <= kPrefix.size() + kSuffix.size() || name.rfind(kPrefix, 0) != 0 ||
      name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0)
    return false;
  const char* p = name.data() + kPrefix.size();
  const char* end = name.data() + name.size() - kSuffix.size();
  auto [after_pid, e1] = std::from_chars(p, end, process);
  if (e1 != std::errc() || after_pid == end || *after_pid != '-') return false;
  auto [after_serial, e2] = std::from_chars(after_pid + 1, end, serial);
  return e2 == std::errc() && after_serial == end && process > 0;
}

void AppendField(std::string& out, const std::string& field) {
  out += std::to_string(field.size());
  out += '\n';
  out += field;
}

bool ReadField(const std::string& bytes, size_t& pos, std::string& field) {
  const size_t newline = bytes.find('\n', pos);
  if (newline == std::string::npos || newline == pos || newline - pos > 9) return false;
  size_t length = 0;
  auto [end, ec] = std::from_chars(bytes.data() + pos, bytes.data() + newline, length);
  if (ec != std::errc() || end != bytes.data() + newline) return false;
  pos = newline + 1;
  if (length > bytes.size() - pos) return false;
  field = bytes.substr(pos, length);
  pos += length;
  return true;
}

template <typename Visit>
void ForEachCopyFile(const std::string& folder, Visit visit) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    int process = 0;
    int serial = 0;
    if (ParseFileName(it->path().filename().string(), process, serial)) visit(it->path().string(), process, serial);
  }
}

}  // namespace

std::string RecoveryFolder(const std::string& data_folder) { return data_folder + "/Odzyskane"; }

std::string RecoveryFileName(int process, int serial) {
  return std::string(kPrefix) + std::to_string(process) + "-" + std::to_string(serial) + std::string(kSuffix);
}

std::string EncodeRecoveryCopy(const std::string& nazwa, const std::string& sciezka, const TMemoryStream& diagram) {
  std::string out(kMagic);
  AppendField(out, nazwa);
  AppendField(out, sciezka);
  out.append(diagram.begin(), diagram.end());
  return out;
}

bool DecodeRecoveryCopy(const std::string& bytes, TRecoveryCopy& copy) {
  if (bytes.compare(0, kMagic.size(), kMagic) != 0) return false;
  size_t pos = kMagic.size();
  if (!ReadField(bytes, pos, copy.Nazwa) || !ReadField(bytes, pos, copy.Sciezka)) return false;
  if (pos == bytes.size()) return false;
  copy.Diagram.assign(bytes.begin() + static_cast<std::ptrdiff_t>(pos), bytes.end());
  return true;
}

bool WriteRecoveryCopy(const std::string& folder, int process, int serial, const std::string& nazwa,
                       const std::string& sciezka, const TMemoryStream& diagram) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  return ReplaceFileBytes(folder + "/" + RecoveryFileName(process, serial),
                          EncodeRecoveryCopy(nazwa, sciezka, diagram));
}

void RemoveRecoveryCopy(const std::string& folder, int process, int serial) {
  std::error_code ec;
  std::filesystem::remove(folder + "/" + RecoveryFileName(process, serial), ec);
}

void RemoveRecoveryCopies(const std::string& folder, int process) {
  std::vector<std::string> doomed;
  ForEachCopyFile(folder, [&](const std::string& path, int p, int) {
    if (p == process) doomed.push_back(path);
  });
  std::error_code ec;
  for (const std::string& path : doomed) std::filesystem::remove(path, ec);
}

bool ProcessAlive(int process) { return ::kill(process, 0) == 0 || errno == EPERM; }

std::vector<TRecoveryCopy> LeftBehindCopies(const std::string& folder, const std::function<bool(int)>& alive) {
  std::vector<TRecoveryCopy> copies;
  ForEachCopyFile(folder, [&](const std::string& path, int process, int serial) {
    if (alive(process)) return;
    TRecoveryCopy copy;
    const auto bytes = ReadFileBytes(path, kMaxRecoveryCopySize);
    if (!bytes || !DecodeRecoveryCopy(*bytes, copy)) return;
    copy.File = path;
    copy.Process = process;
    copy.Serial = serial;
    copies.push_back(std::move(copy));
  });
  std::sort(copies.begin(), copies.end(), [](const TRecoveryCopy& a, const TRecoveryCopy& b) {
    return a.Process != b.Process ? a.Process < b.Process : a.Serial < b.Serial;
  });
  return copies;
}

void RemoveLeftBehindCopies(const std::string& folder, const std::function<bool(int)>& alive) {
  std::vector<std::string> doomed;
  ForEachCopyFile(folder, [&](const std::string& path, int process, int) {
    if (!alive(process)) doomed.push_back(path);
  });
  std::error_code ec;
  for (const std::string& path : doomed) std::filesystem::remove(path, ec);
}

}  // namespace tessaro
