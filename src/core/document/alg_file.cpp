#include "core/document/alg_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/document/alg_format.h"
#include "core/document/alg_writer.h"
#include "core/document/document_state.h"
#include "core/i18n/cp1250.h"
#include "core/i18n/language.h"
#include "core/platform/dialogs.h"

namespace fs = std::filesystem;

namespace tessaro {

namespace {

// A file descriptor closed when it goes out of scope.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  // Closes now, reporting whether the close (the last chance for a write error) succeeded.
  bool Close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

// Opens a regular file for reading; -1 for anything else. Non-blocking, so
// that a named pipe given as an algorithm file cannot stall the program.
int OpenRegularFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

bool ReadExactly(int fd, uint8_t* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::read(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) errno = EIO;  // nothing written, and no error said why
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// The file a save replaces: through a symbolic link to its target, so the
// link stays a link.
std::string SaveTarget(const std::string& path) {
  std::error_code ec;
  if (fs::is_symlink(path, ec)) {
    fs::path target = fs::canonical(path, ec);
    if (!ec) return target.string();
  }
  return path;
}

// A new, empty file beside `target`; -1 when none can be made (errno says
// why). The name is short, so that a target name near the length limit still
// has room beside it.
int CreateTemporaryBeside(const std::string& target, std::string& temp_path) {
  static std::atomic<unsigned> counter{0};
  fs::path folder = fs::path(target).parent_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    char name[64];
    std::snprintf(name, sizeof name, ".tessaro-save-%ld-%u.tmp", static_cast<long>(::getpid()),
                  counter++);
    temp_path = (folder / name).string();
    int fd = ::open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// The system's text for `error`, as core text.
std::string SystemReason(int error) { return Utf8ToCp1250(std::system_category().message(error)); }

// Writes `bytes` into the temporary file `fd` and renames it over `target`.
// `mode`, when not 0, becomes the new file's permissions. Returns 0, or the
// error that stopped it; the temporary file is gone either way.
int ReplaceFile(Fd& fd, const std::string& temp_path, const std::string& target, const TMemoryStream& bytes,
                mode_t mode) {
  int error = 0;
  if (!WriteAll(fd.get(), bytes.data(), bytes.size()) || ::fsync(fd.get()) != 0 ||
      (mode != 0 && ::fchmod(fd.get(), mode) != 0))
    error = errno;
  if (!fd.Close() && error == 0) error = errno;
  if (error == 0 && ::rename(temp_path.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temp_path.c_str());
    return error;
  }
  // Makes the rename itself durable; the file is complete whether or not this succeeds.
  std::string folder = fs::path(target).parent_path().string();
  Fd dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
  return 0;
}

}  // namespace

bool SprawdzFormat(const std::string& path) {
  Fd fd(OpenRegularFile(path));
  if (fd.get() < 0) return false;
  uint8_t m[4];
  if (!ReadExactly(fd.get(), m, sizeof m)) return false;
  uint32_t magic = uint32_t{m[0]} | (uint32_t{m[1]} << 8) | (uint32_t{m[2]} << 16) |
                   (uint32_t{m[3]} << 24);
  return FormatOfMagic(magic).has_value();
}

bool ReadAlgorithmFile(const std::string& path, TMemoryStream& stream) {
  Fd fd(OpenRegularFile(path));
  if (fd.get() < 0) return false;
  struct stat st;
  if (::fstat(fd.get(), &st) != 0) return false;
  if (st.st_size < 0 || static_cast<uint64_t>(st.st_size) > kMaxAlgorithmFileSize) return false;
  TMemoryStream bytes(static_cast<size_t>(st.st_size));
  if (!ReadExactly(fd.get(), bytes.data(), bytes.size())) return false;
  stream = std::move(bytes);
  return true;
}

bool AlgorithmFileTooLarge(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
         static_cast<uint64_t>(st.st_size) > kMaxAlgorithmFileSize;
}

std::string AlgorithmFileTooLargeText(const std::string& display_name) {
  std::string text = LangText("msgm00099");
  for (const std::string& argument : {display_name, std::to_string(kMaxAlgorithmFileSize >> 20)}) {
    const size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, argument);
  }
  return text;
}

TSaveResult ZapiszDoPliku(TDocumentState& state, const std::string& path) {
  if (state.OnAddRecentFile) state.OnAddRecentFile(state, path);
  const std::string target = SaveTarget(path);
  TSaveResult result;

  TMemoryStream bytes;
  if (!ZapiszSchemat(state.Bloki, bytes)) {
    result.Failure = LangText("msgm00097");
    return result;
  }
  struct stat st;
  const bool exists = ::stat(target.c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) {
    result.Failure = SystemReason(EISDIR);
    return result;
  }
  // The temporary file is made first: where it cannot be made the save
  // cannot succeed, and no question about a read-only file is asked.
  std::string temp_path;
  Fd fd(CreateTemporaryBeside(target, temp_path));
  if (fd.get() < 0) {
    result.Failure = SystemReason(errno);
    return result;
  }

  // The existing file's permissions carry over to the new one.
  mode_t mode = 0;
  if (exists) {
    mode = st.st_mode & 07777;
    if ((mode & S_IWUSR) == 0) {
      if (PytanieTakNie(LangText("msgm00023"), LangText("msgm00054")) != Answer::Yes) {
        fd.Close();
        ::unlink(temp_path.c_str());
        return result;
      }
      mode |= S_IWUSR;
    }
  }

  if (const int error = ReplaceFile(fd, temp_path, target, bytes, mode); error != 0) {
    result.Failure = SystemReason(error);
    return result;
  }
  result.Saved = true;
  return result;
}

}  // namespace tessaro
