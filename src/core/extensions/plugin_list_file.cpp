#include "core/extensions/plugin_list_file.h"

#include <cstring>
#include <optional>

#include "core/platform/file_io.h"

namespace tessaro {

bool ReadPlugInRecords(const std::string& path, const std::function<void(TPlugInEntry)>& each) {
  const std::optional<std::string> bytes = ReadFileBytes(path, kStartupFileLimit);
  if (!bytes) return false;
  TPlugInRecord record;
  for (size_t at = 0; at + record.size() <= bytes->size(); at += record.size()) {
    std::memcpy(record.data(), bytes->data() + at, record.size());
    each(DecodePlugInRecord(record));
  }
  return true;
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
