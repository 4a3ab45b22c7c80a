#include "gui/diagram/clipboard_drawing.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QSvgGenerator>

namespace tessaro::gui {

void CopyDrawingToClipboard(const QSize& size, double scale, const std::function<void(QPaintDevice&)>& draw) {
  QByteArray svg;
  {
    QBuffer buffer(&svg);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    draw(generator);
  }
  QImage image(size * scale, QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  image.fill(Qt::white);
  draw(image);
  PutDrawingOnClipboard(svg, image);
}

void PutDrawingOnClipboard(const QByteArray& svg, const QImage& image) {
  auto* data = new QMimeData;
  data->setData(QStringLiteral("image/svg+xml"), svg);
  data->setImageData(image);
  QGuiApplication::clipboard()->setMimeData(data);
}

}  // namespace tessaro::gui
