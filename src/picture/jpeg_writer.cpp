#include "picture/jpeg_writer.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace tessaro::picture {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return;
// it jumps back to the writer instead of ending the program.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void OnError(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1); }

void OnMessage(j_common_ptr) {}

// Kept free of C++ objects with destructors, since a longjmp may cross it.
bool Encode(FILE* file, const unsigned char* rows, int width, int height, int stride) {
  jpeg_compress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.output_message = OnMessage;
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rows + static_cast<size_t>(info.next_scanline) * stride);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

bool WriteJpeg(const QImage& image, const std::string& path) {
  if (image.isNull() || image.width() <= 0 || image.height() <= 0) return false;
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = Encode(file, rgb.constBits(), rgb.width(), rgb.height(), static_cast<int>(rgb.bytesPerLine()));
  ok = std::fflush(file) == 0 && ok;
  ok = std::fclose(file) == 0 && ok;
  if (!ok) std::remove(path.c_str());
  return ok;
}

}  // namespace tessaro::picture
