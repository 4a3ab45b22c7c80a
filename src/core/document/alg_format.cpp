#include "core/document/alg_format.h"

namespace tessaro {

std::optional<AlgFormat> FormatOfMagic(uint32_t magic) {
  for (const AlgFormatInfo& f : kAlgFormats) {
    if (f.magic == magic) return f.format;
  }
  return std::nullopt;
}

const AlgFormatInfo& FormatInfo(AlgFormat format) {
  for (const AlgFormatInfo& f : kAlgFormats) {
    if (f.format == format) return f;
  }
  return kAlgFormats[0];
}

}  // namespace tessaro
