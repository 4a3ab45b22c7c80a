#include "core/extensions/plugin_entry.h"

#include <algorithm>

namespace tessaro {

namespace {

void PutString(TPlugInRecord& record, TRecordString field, const std::string& text) {
  size_t length = std::min(text.size(), field.MaxLength());
  record[field.offset] = static_cast<unsigned char>(length);
  std::copy_n(text.begin(), length, record.begin() + field.offset + 1);
}

std::string GetString(const TPlugInRecord& record, TRecordString field) {
  size_t length = std::min<size_t>(record[field.offset], field.MaxLength());
  auto first = record.begin() + field.offset + 1;
  return std::string(first, first + length);
}

}  // namespace

TPlugInRecord EncodePlugInRecord(const TPlugInEntry& entry) {
  TPlugInRecord record{};
  PutString(record, kRecordName, entry.Name);
  PutString(record, kRecordDescription, entry.Description);
  PutString(record, kRecordFileName, entry.FileName);
  record[kRecordEnabled] = entry.Enabled;
  record[kRecordUsed] = entry.UsedByAlgorithm;
  return record;
}

TPlugInEntry DecodePlugInRecord(const TPlugInRecord& record) {
  TPlugInEntry entry;
  entry.Name = GetString(record, kRecordName);
  entry.Description = GetString(record, kRecordDescription);
  entry.FileName = GetString(record, kRecordFileName);
  entry.Enabled = record[kRecordEnabled];
  return entry;
}

}  // namespace tessaro
