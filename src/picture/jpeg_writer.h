// JPEG files through libjpeg, 24-bit colour at the encoder's default quality.
#pragma once

#include <QImage>
#include <string>

namespace tessaro::picture {

// Writes `image` to `path` (native bytes); false when the file cannot be
// created or the encoder fails. A failed file is removed.
bool WriteJpeg(const QImage& image, const std::string& path);

}  // namespace tessaro::picture
