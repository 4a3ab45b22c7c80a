#include "core/extensions/plugin_list_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "core/platform/file_io.h"

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
  std::string bytes;
  bytes.reserve(entries.size() * kPlugInRecordSize);
  for (const TPlugInEntry& entry : entries) {
    const TPlugInRecord record = EncodePlugInRecord(entry);
    bytes.append(reinterpret_cast<const char*>(record.data()), record.size());
  }
  return ReplaceFileBytes(path, bytes);
}

}  // namespace tessaro
