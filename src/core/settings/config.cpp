#include "core/settings/config.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <filesystem>
#include <system_error>

#include "core/i18n/ansi_case.h"
#include "core/platform/file_io.h"
#include "core/settings/extended80.h"

namespace tessaro {

namespace {

enum Tag : std::uint16_t {
  kTagInteger = 0,
  kTagBoolean = 1,
  kTagExtended = 3,
  kTagString = 4,
  kTagOther = 13,
};

constexpr size_t kMax16 = 0xFFFF;
// Smallest entry: name length, a tag without payload, count of additional values.
constexpr size_t kMinEntryBytes = 6;
constexpr size_t kMinValueBytes = 2;

// Bounds-checked reading of the file image; every failure ends in `ok = false`.
struct Reader {
  const std::string& bytes;
  size_t pos = 0;
  bool ok = true;

  size_t Remaining() const { return bytes.size() - pos; }

  bool Take(void* out, size_t n) {
    if (!ok || Remaining() < n) return ok = false;
    std::memcpy(out, bytes.data() + pos, n);
    pos += n;
    return true;
  }
  std::uint64_t Unsigned(size_t n) {
    unsigned char b[8] = {};
    if (!Take(b, n)) return 0;
    std::uint64_t v = 0;
    for (size_t i = n; i-- > 0;) v = (v << 8) | b[i];
    return v;
  }
  std::string Bytes(size_t n) {
    if (!ok || Remaining() < n) {
      ok = false;
      return {};
    }
    std::string s = bytes.substr(pos, n);
    pos += n;
    return s;
  }
};

ConfigValue ReadTagged(Reader& r) {
  switch (r.Unsigned(2)) {
    case kTagInteger:
      return static_cast<std::int32_t>(static_cast<std::uint32_t>(r.Unsigned(4)));
    case kTagBoolean:
      return r.Unsigned(1) != 0;
    case kTagExtended: {
      Extended80 x{};
      r.Take(x.data(), x.size());
      return ExtendedToDouble(x);
    }
    case kTagString: {
      auto length = static_cast<std::int32_t>(static_cast<std::uint32_t>(r.Unsigned(4)));
      if (length < 0) {
        r.ok = false;
        return {};
      }
      return r.Bytes(static_cast<size_t>(length));
    }
    default:
      return std::int32_t{1};
  }
}

void PutUnsigned(std::string& out, std::uint64_t v, size_t n) {
  for (size_t i = 0; i < n; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void WriteTagged(std::string& out, const ConfigValue& value) {
  if (const double* d = std::get_if<double>(&value)) {
    PutUnsigned(out, kTagExtended, 2);
    Extended80 x = DoubleToExtended(*d);
    out.append(reinterpret_cast<const char*>(x.data()), x.size());
  } else if (const std::int32_t* i = std::get_if<std::int32_t>(&value)) {
    PutUnsigned(out, kTagInteger, 2);
    PutUnsigned(out, static_cast<std::uint32_t>(*i), 4);
  } else if (const bool* b = std::get_if<bool>(&value)) {
    PutUnsigned(out, kTagInteger, 2);
    PutUnsigned(out, *b ? 0xFFFFFFFFu : 0u, 4);
  } else if (const std::string* s = std::get_if<std::string>(&value)) {
    PutUnsigned(out, kTagString, 2);
    PutUnsigned(out, static_cast<std::uint32_t>(s->size()), 4);
    out += *s;
  } else {
    PutUnsigned(out, kTagOther, 2);
  }
}

bool FitsFile(const TVariable& v) {
  if (v.Name.size() > kMax16 || v.Values.size() > kMax16) return false;
  auto fits = [](const ConfigValue& value) {
    const std::string* s = std::get_if<std::string>(&value);
    return !s || s->size() <= 0x7FFFFFFF;
  };
  if (!fits(v.Value)) return false;
  for (const ConfigValue& x : v.Values) {
    if (!fits(x)) return false;
  }
  return true;
}

}  // namespace

bool TConfig::Parse(const std::string& bytes) {
  entries_.clear();
  Reader r{bytes};
  size_t count = r.Unsigned(2);
  if (!r.ok) return false;
  // A count the rest of the file cannot hold is a corrupt file, not a reason
  // to allocate for it.
  entries_.resize(std::min(count, r.Remaining() / kMinEntryBytes));
  for (size_t i = 0; i < count; ++i) {
    if (i == entries_.size()) return false;
    TVariable v;
    v.Name = r.Bytes(r.Unsigned(2));
    v.Value = ReadTagged(r);
    size_t extra = r.Unsigned(2);
    if (r.ok && extra > r.Remaining() / kMinValueBytes) r.ok = false;
    for (size_t j = 0; r.ok && j < extra; ++j) v.Values.push_back(ReadTagged(r));
    if (!r.ok) return false;  // the slot of a half-read entry stays empty
    entries_[i] = std::move(v);
  }
  return true;
}

std::string TConfig::Serialize() const {
  std::string out;
  PutUnsigned(out, entries_.size(), 2);
  for (const TVariable& v : entries_) {
    PutUnsigned(out, v.Name.size(), 2);
    out += v.Name;
    WriteTagged(out, v.Value);
    PutUnsigned(out, v.Values.size(), 2);
    for (const ConfigValue& x : v.Values) WriteTagged(out, x);
  }
  return out;
}

bool TConfig::LoadFromFile() {
  StartupFile file = ReadStartupFile(file_name_);
  if (file.State == StartupFileState::Missing) return false;
  if (file.State == StartupFileState::Damaged) {
    entries_.clear();
    SetAsideDamagedFile(file_name_);
    return false;
  }
  return Parse(file.Bytes);
}

bool TConfig::SaveToFile() const {
  if (entries_.size() > kMax16) return false;
  for (const TVariable& v : entries_) {
    if (!FitsFile(v)) return false;
  }
  return ReplaceFileBytes(file_name_, Serialize());
}

int TConfig::IndexOfKey(const std::string& name) const {
  const std::string key = AnsiUpperCase(name);
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].Name == key) return static_cast<int>(i);
  }
  return -1;
}

void TConfig::WriteValue(const std::string& name, const ConfigValue& value) {
  int i = IndexOfKey(name);
  if (i < 0) {
    entries_.push_back({AnsiUpperCase(name), value, {}});
  } else {
    entries_[i].Value = value;
  }
}

ConfigValue TConfig::ReadValue(const std::string& name, const ConfigValue& fallback) const {
  int i = IndexOfKey(name);
  return i < 0 ? fallback : entries_[i].Value;
}

}  // namespace tessaro
