// Putting a drawing on the clipboard in the two formats other programs take.
#pragma once

#include <QSize>
#include <functional>

class QByteArray;
class QImage;
class QPaintDevice;

namespace tessaro::gui {

// No enhanced-metafile clipboard format exists here: the drawing goes as SVG
// for drawing programs and as a bitmap over white, `scale` times its size
// (sharp on high-density screens), for everything else.
void CopyDrawingToClipboard(const QSize& size, double scale, const std::function<void(QPaintDevice&)>& draw);

// Replaces the clipboard's content with one drawing in both formats.
void PutDrawingOnClipboard(const QByteArray& svg, const QImage& image);

}  // namespace tessaro::gui
