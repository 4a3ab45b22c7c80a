// The algorithm file format: its magic numbers and record sizes.
//
// All integers are little-endian, int32 signed. Strings are a 16-bit byte
// count followed by that many Windows-1250 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tessaro {

enum class AlgFormat {
  Current,   // the only one written
  Previous,  // same layout as the current one; loaded after a notice
  Legacy,    // fixed 288-byte records
  Oldest,    // fixed records, with "=" assignments and 1-based links
};

struct AlgFormatInfo {
  AlgFormat format;
  uint32_t magic;
  std::string_view name;  // as tessaro-cli reports it
};

inline constexpr AlgFormatInfo kAlgFormats[] = {
    {AlgFormat::Current, 0x03681E9F, "current"},
    {AlgFormat::Previous, 0x0403C25A, "previous"},
    {AlgFormat::Legacy, 0x0A01673E, "legacy"},
    {AlgFormat::Oldest, 0x39B06F3E, "oldest"},
};

inline constexpr uint32_t kCurrentMagic = 0x03681E9F;

// The smallest element record of the current format (both strings empty).
inline constexpr size_t kMinRecordSize = 52;
// An element record of the legacy formats, and the room of its short string.
inline constexpr size_t kLegacyRecordSize = 288;
inline constexpr size_t kShortStringRoom = 255;
// The most bytes a counted string can hold.
inline constexpr size_t kMaxStringSize = 0xFFFF;

// The format a magic number announces, if any.
std::optional<AlgFormat> FormatOfMagic(uint32_t magic);
const AlgFormatInfo& FormatInfo(AlgFormat format);

}  // namespace tessaro
