#include "picture/picture_export.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "picture/emf_canvas.h"
#include "picture/jpeg_writer.h"
#include "picture/text_crossing.h"

namespace tessaro::picture {

namespace {

int32_t FrameWidth(const TRect& f) { return f.Right - f.Left; }
int32_t FrameHeight(const TRect& f) { return f.Bottom - f.Top; }

bool WriteSvg(const DiagramPicture& picture, const TRect& frame, QIODevice& device, QtTextMetrics& metrics) {
  QSvgGenerator svg;
  svg.setOutputDevice(&device);
  const QRect box(0, 0, std::max(1, FrameWidth(frame)), std::max(1, FrameHeight(frame)));
  svg.setSize(box.size());
  svg.setViewBox(box);
  svg.setTitle(QStringLiteral("Tessaro"));
  QPainter painter;
  if (!painter.begin(&svg)) return false;
  PaintPicture(picture, frame, painter, metrics);
  return painter.end();
}

// One diagram unit is one point on the page, as on paper.
bool WritePdf(const DiagramPicture& picture, const TRect& frame, QIODevice& device, QtTextMetrics& metrics) {
  QPdfWriter pdf(&device);
  pdf.setResolution(72);
  // A page holds at most kPdfMaxPage points each way; a larger diagram goes
  // on several pages at its natural size rather than shrinking.
  const int32_t width = std::max(1, FrameWidth(frame));
  const int32_t height = std::max(1, FrameHeight(frame));
  const int32_t page_width = std::min(width, kPdfMaxPage);
  const int32_t page_height = std::min(height, kPdfMaxPage);
  pdf.setPageSize(QPageSize(QSizeF(page_width, page_height), QPageSize::Point, QString(), QPageSize::ExactMatch));
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  pdf.setCreator(QStringLiteral("Tessaro"));
  QPainter painter;
  if (!painter.begin(&pdf)) return false;
  bool first = true;
  for (int32_t top = 0; top < height; top += page_height) {
    for (int32_t left = 0; left < width; left += page_width) {
      if (!first && !pdf.newPage()) return false;
      first = false;
      painter.save();
      painter.setClipRect(QRect(0, 0, page_width, page_height));
      painter.translate(-left, -top);
      PaintPicture(picture, frame, painter, metrics);
      painter.restore();
    }
  }
  return painter.end();
}

bool WriteDevice(const std::string& path, const auto& write) {
  QFile file(FromPath(path));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  bool ok = write(file);
  ok = file.flush() && ok;
  file.close();
  ok = ok && file.error() == QFileDevice::NoError;
  if (!ok) file.remove();
  return ok;
}

}  // namespace

PictureFormat PictureFormatOf(const QString& file_name) {
  const QString suffix = QFileInfo(file_name).suffix().toLower();
  if (suffix == QLatin1String("emf")) return PictureFormat::Emf;
  if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) return PictureFormat::Jpeg;
  if (suffix == QLatin1String("png")) return PictureFormat::Png;
  if (suffix == QLatin1String("svg")) return PictureFormat::Svg;
  if (suffix == QLatin1String("pdf")) return PictureFormat::Pdf;
  return PictureFormat::Unknown;
}

void PaintPicture(const DiagramPicture& picture, const TRect& frame, QPainter& painter, QtTextMetrics& metrics) {
  painter.save();
  painter.translate(-frame.Left, -frame.Top);
  QtCanvas canvas(painter, metrics);
  picture.Replay(canvas);
  painter.restore();
}

RasterFit FitPicture(const TRect& frame, PictureFormat format) {
  return FitRaster(FrameWidth(frame), FrameHeight(frame), kRasterScale,
                   format == PictureFormat::Jpeg ? kJpegMaxSide : kRasterMaxSide);
}

QImage PictureImage(const DiagramPicture& picture, const TRect& frame, const RasterFit& fit, QtTextMetrics& metrics) {
  // Drawn straight into 24 bits: no second copy of a large picture.
  QImage image(fit.width, fit.height, QImage::Format_RGB888);
  if (image.isNull()) return image;
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.scale(fit.scale, fit.scale);
  PaintPicture(picture, frame, painter, metrics);
  painter.end();
  return image;
}

QByteArray PictureSvg(const DiagramPicture& picture, const TRect& frame, QtTextMetrics& metrics) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!WriteSvg(picture, frame, buffer, metrics)) return {};
  return bytes;
}

bool WritePicture(const DiagramPicture& picture, const TRect& frame, PictureFormat format, const std::string& path,
                  QtTextMetrics& metrics, RasterFit* raster) {
  const RasterFit fit = FitPicture(frame, format);
  if (raster) *raster = fit;
  switch (format) {
    case PictureFormat::Emf: {
      EmfCanvas emf(path, frame, metrics);
      if (!emf.Ok()) return false;
      picture.Replay(emf);
      return emf.Finish() && QFileInfo(FromPath(path)).size() > 0;
    }
    case PictureFormat::Jpeg:
      return WriteJpeg(PictureImage(picture, frame, fit, metrics), path);
    case PictureFormat::Png: {
      const QImage image = PictureImage(picture, frame, fit, metrics);
      return WriteDevice(path, [&](QIODevice& d) { return QImageWriter(&d, "png").write(image); });
    }
    case PictureFormat::Svg:
      return WriteDevice(path, [&](QIODevice& d) { return WriteSvg(picture, frame, d, metrics); });
    case PictureFormat::Pdf:
      return WriteDevice(path, [&](QIODevice& d) { return WritePdf(picture, frame, d, metrics); });
    case PictureFormat::Unknown:
      break;
  }
  return false;
}

}  // namespace tessaro::picture
