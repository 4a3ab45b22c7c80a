#include "core/services/recovery_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <system_error>
#include <utility>

#include "core/document/alg_file.h"
#include "core/platform/file_io.h"

namespace tessaro {

namespace {

constexpr std::string_view kMagic = "TSREC1\n";
constexpr std::string_view kPrefix = "odzysk-";
constexpr std::string_view kSuffix = ".tsr";
constexpr std::string_view kLockSuffix = ".lock";
constexpr int kWriterNumbersTried = 1000;
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

// "odzysk-<writer>.lock" -> writer.
bool ParseLockName(const std::string& name, int& writer) {
  if (name.size() <= kPrefix.size() + kLockSuffix.size() || name.rfind(kPrefix, 0) != 0 ||
      name.compare(name.size() - kLockSuffix.size(), kLockSuffix.size(), kLockSuffix) != 0)
    return false;
  const char* p = name.data() + kPrefix.size();
  const char* end = name.data() + name.size() - kLockSuffix.size();
  auto [after, ec] = std::from_chars(p, end, writer);
  return ec == std::errc() && after == end && writer > 0;
}

std::string LockPath(const std::string& folder, int writer) {
  return folder + "/" + std::string(kPrefix) + std::to_string(writer) + std::string(kLockSuffix);
}

// Opens and locks the file at `path` without waiting; -1 when a running
// process holds it. A file unlinked between the open and the lock is left for
// the one now at `path`, since a lock on a file nobody can find guards nothing.
int LockFile(const std::string& path) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      return -1;
    }
    struct stat held {};
    struct stat named {};
    if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
        held.st_dev == named.st_dev)
      return fd;
    ::close(fd);
  }
  return -1;
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

TRecoveryLock::TRecoveryLock(std::string folder, int preferred) : folder_(std::move(folder)), writer_(preferred) {
  std::error_code ec;
  std::filesystem::create_directories(folder_, ec);
  for (int writer = std::max(preferred, 1), tried = 0; tried < kWriterNumbersTried; ++writer, ++tried) {
    const int fd = LockFile(LockPath(folder_, writer));
    if (fd < 0) continue;
    bool left_behind = false;
    ForEachCopyFile(folder_, [&](const std::string&, int p, int) { left_behind = left_behind || p == writer; });
    if (left_behind) {
      ::close(fd);
      continue;
    }
    fd_ = fd;
    writer_ = writer;
    return;
  }
}

TRecoveryLock::~TRecoveryLock() {
  if (fd_ < 0) return;
  // Removed while still held, so nobody locks the file on its way out.
  ::unlink(LockPath(folder_, writer_).c_str());
  ::close(fd_);
}

bool WriterAlive(const std::string& folder, int writer) {
  const int fd = ::open(LockPath(folder, writer).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return held;
}

std::vector<TRecoveryCopy> LeftBehindCopies(const std::string& folder, const std::function<bool(int)>& alive) {
  std::vector<TRecoveryCopy> copies;
  ForEachCopyFile(folder, [&](const std::string& path, int process, int serial) {
    if (alive ? alive(process) : WriterAlive(folder, process)) return;
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
  std::vector<int> remaining;
  ForEachCopyFile(folder, [&](const std::string& path, int process, int) {
    if (alive ? !alive(process) : !WriterAlive(folder, process))
      doomed.push_back(path);
    else
      remaining.push_back(process);
  });
  std::error_code ec;
  for (const std::string& path : doomed) std::filesystem::remove(path, ec);
  // A lock file nobody holds and no copy names is what a killed writer left.
  std::vector<int> stale;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    int writer = 0;
    if (ParseLockName(it->path().filename().string(), writer) &&
        std::find(remaining.begin(), remaining.end(), writer) == remaining.end())
      stale.push_back(writer);
  }
  for (int writer : stale) {
    const std::string path = LockPath(folder, writer);
    const int fd = LockFile(path);
    if (fd < 0) continue;
    ::unlink(path.c_str());
    ::close(fd);
  }
}

}  // namespace tessaro
