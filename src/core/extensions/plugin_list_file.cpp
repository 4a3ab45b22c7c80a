#include "core/extensions/plugin_list_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace tessaro {

namespace {

// Reads up to record.size() bytes; the count read, or -1 on an error.
ssize_t ReadFull(int fd, TPlugInRecord& record) {
  size_t done = 0;
  while (done < record.size()) {
    ssize_t n = read(fd, record.data() + done, record.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return static_cast<ssize_t>(done);
}

bool WriteFull(int fd, const unsigned char* data, size_t size) {
  while (size > 0) {
    ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool WriteRecords(int fd, const std::vector<TPlugInEntry>& entries) {
  for (const TPlugInEntry& entry : entries) {
    TPlugInRecord record = EncodePlugInRecord(entry);
    if (!WriteFull(fd, record.data(), record.size())) return false;
  }
  return fsync(fd) == 0;
}

}  // namespace

bool ReadPlugInRecords(const std::string& path, const std::function<void(TPlugInEntry)>& each) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = true;
  TPlugInRecord record;
  for (;;) {
    ssize_t n = ReadFull(fd, record);
    if (n < 0) ok = false;
    if (n != static_cast<ssize_t>(record.size())) break;
    each(DecodePlugInRecord(record));
  }
  close(fd);
  return ok;
}

bool WritePlugInList(const std::string& path, const std::vector<TPlugInEntry>& entries) {
  std::string temporary = path + ".XXXXXX";
  int fd = mkstemp(temporary.data());
  if (fd < 0) return false;
  // mkstemp makes the file private; the list is an ordinary program file.
  fchmod(fd, 0644);
  bool ok = WriteRecords(fd, entries);
  ok = close(fd) == 0 && ok;
  if (ok) ok = rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) unlink(temporary.c_str());
  return ok;
}

}  // namespace tessaro
