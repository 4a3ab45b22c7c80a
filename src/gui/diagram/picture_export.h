// Writing the diagram picture to files and to the clipboard's formats.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QString>
#include <string>

#include "core/diagram/diagram_picture.h"
#include "gui/diagram/qt_canvas.h"

namespace tessaro::gui {

enum class PictureFormat { Unknown, Emf, Jpeg, Png, Svg, Pdf };

// By the file name's extension, in any letter case.
PictureFormat PictureFormatOf(const QString& file_name);

// Raster pictures are twice the diagram's size in each direction.
constexpr double kRasterScale = 2.0;

// Plays the picture onto `painter` with `frame`'s top-left at the painter's
// current origin.
void PaintPicture(const DiagramPicture& picture, const TRect& frame, QPainter& painter, QtTextMetrics& metrics);

// The frame of the picture drawn over white, `scale` device pixels to the
// unit, 24-bit; at least one pixel each way.
QImage PictureImage(const DiagramPicture& picture, const TRect& frame, double scale, QtTextMetrics& metrics);

// The picture as an SVG document.
QByteArray PictureSvg(const DiagramPicture& picture, const TRect& frame, QtTextMetrics& metrics);

// Writes the picture to `path` (native bytes) in `format`; false when the
// file cannot be written.
bool WritePicture(const DiagramPicture& picture, const TRect& frame, PictureFormat format, const std::string& path,
                  QtTextMetrics& metrics);

}  // namespace tessaro::gui
