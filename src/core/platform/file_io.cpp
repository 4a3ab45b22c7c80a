#include "core/platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace tessaro {

namespace {

DamagedFileHandler& Handler() {
  static DamagedFileHandler handler;
  return handler;
}

// Reads a regular file of at most `limit` bytes into `bytes`. The size is
// checked before anything is allocated, and again while reading, since the
// file may grow meanwhile.
StartupFile ReadRegular(const std::string& path, size_t limit) {
  StartupFile result;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    result.State = errno == ENOENT || errno == ENOTDIR ? StartupFileState::Missing : StartupFileState::Damaged;
    return result;
  }
  result.State = StartupFileState::Damaged;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0 ||
      static_cast<uint64_t>(st.st_size) > limit) {
    ::close(fd);
    return result;
  }
  std::string bytes(static_cast<size_t>(st.st_size), '\0');
  size_t done = 0;
  char probe = 0;
  for (;;) {
    char* into = done < bytes.size() ? bytes.data() + done : &probe;
    const size_t room = done < bytes.size() ? bytes.size() - done : 1;
    const ssize_t n = ::read(fd, into, room);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return result;
    }
    if (n == 0) break;
    if (done >= bytes.size()) {  // grew since fstat
      if (bytes.size() + 1 > limit) {
        ::close(fd);
        return result;
      }
      bytes.push_back(probe);
    }
    done += static_cast<size_t>(n);
  }
  ::close(fd);
  bytes.resize(done);
  result.State = StartupFileState::Read;
  result.Bytes = std::move(bytes);
  return result;
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& path, size_t limit) {
  StartupFile file = ReadRegular(path, limit);
  if (file.State != StartupFileState::Read) return std::nullopt;
  return std::move(file.Bytes);
}

StartupFile ReadStartupFile(const std::string& path, size_t limit) { return ReadRegular(path, limit); }

std::string SetAsideDamagedFile(const std::string& path) {
  const std::string bad = path + ".bad";
  std::error_code ec;
  std::filesystem::remove(bad, ec);
  std::filesystem::rename(path, bad, ec);
  if (ec) return std::string();
  if (Handler()) Handler()(path, bad);
  return bad;
}

void SetDamagedFileHandler(DamagedFileHandler handler) { Handler() = std::move(handler); }

bool ReplaceFileBytes(const std::string& path, const std::string& bytes) {
  const std::string temp = path + ".tmp" + std::to_string(::getpid());
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fflush(f) == 0 && ok;
  ok = ::fsync(::fileno(f)) == 0 && ok;
  ok = std::fclose(f) == 0 && ok;
  std::error_code ec;
  if (ok) std::filesystem::rename(temp, path, ec);
  if (!ok || ec) {
    std::filesystem::remove(temp, ec);
    return false;
  }
  return true;
}

}  // namespace tessaro
