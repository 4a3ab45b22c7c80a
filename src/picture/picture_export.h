// Writing the diagram picture to files and to the clipboard's formats.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QString>
#include <string>

#include "core/diagram/diagram_picture.h"
#include "core/diagram/page_fit.h"
#include "picture/qt_canvas.h"

namespace tessaro::picture {

enum class PictureFormat { Unknown, Emf, Jpeg, Png, Svg, Pdf };

// By the file name's extension, in any letter case.
PictureFormat PictureFormatOf(const QString& file_name);

// Raster pictures are twice the diagram's size in each direction, as far as
// the format's side limit and the pixel budget allow.
constexpr double kRasterScale = 2.0;

// The raster size of `frame` in `format` (the clipboard: Png).
RasterFit FitPicture(const TRect& frame, PictureFormat format);

// Plays the picture onto `painter` with `frame`'s top-left at the painter's
// current origin.
void PaintPicture(const DiagramPicture& picture, const TRect& frame, QPainter& painter, QtTextMetrics& metrics);

// The frame of the picture drawn over white at the size `fit` chose, 24-bit.
// A null image when the memory cannot be had.
QImage PictureImage(const DiagramPicture& picture, const TRect& frame, const RasterFit& fit, QtTextMetrics& metrics);

// The picture as an SVG document.
QByteArray PictureSvg(const DiagramPicture& picture, const TRect& frame, QtTextMetrics& metrics);

// Writes the picture to `path` (native bytes) in `format`; false when the
// file cannot be written. `raster`, when given, receives the raster size used
// (reduced: the picture was scaled down to fit).
bool WritePicture(const DiagramPicture& picture, const TRect& frame, PictureFormat format, const std::string& path,
                  QtTextMetrics& metrics, RasterFit* raster = nullptr);

}  // namespace tessaro::picture
