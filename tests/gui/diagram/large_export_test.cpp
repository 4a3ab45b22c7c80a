// Diagrams too large for a raster format or a PDF page: the picture is scaled
// down to the format's limits (and said so), the PDF spreads over pages.
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "gui_test.h"
#include "core/diagram/renderer.h"
#include "core/document/alg_writer.h"
#include "core/document/document_state.h"
#include "picture/picture_export.h"

using namespace tessaro;

namespace {

// A column of `count` linked processing blocks, as a pupil's long program.
std::vector<Tobj> Column(int count) {
  std::vector<Tobj> bloki(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    Tobj& o = bloki[static_cast<size_t>(i)];
    o.Left = 40;
    o.Top = 40 + 70 * i;
    o.Width = 120;
    o.Height = 40;
    o.Kod = "x := " + std::to_string(i);
    o.Link1 = i + 1 < count ? i + 1 : -1;
  }
  return bloki;
}

}  // namespace

class LargeExportTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  picture::QtTextMetrics metrics_;
  std::vector<Tobj> bloki_ = Column(1200);
  DiagramRenderer* renderer_ = nullptr;
  TRect frame_;

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    renderer_ = new DiagramRenderer(metrics_);
    RenderScene scene;
    scene.Bloki = &bloki_;
    std::vector<const Tobj*> all;
    for (const Tobj& e : bloki_) all.push_back(&e);
    scene.Obszar = ComputeExtents(all);
    renderer_->RysujSchemat(kModePrint, scene);
    frame_ = renderer_->Picture().FrameWithInk();
    QVERIFY(frame_.Bottom - frame_.Top > kJpegMaxSide / 2);  // 2H would pass JPEG's limit
  }
  void cleanupTestCase() { delete renderer_; }

  void rasterFormatsScaleDownToTheirLimits_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("limit");
    QTest::newRow("jpeg") << "column.jpg" << int(kJpegMaxSide);
    QTest::newRow("png") << "column.png" << int(kRasterMaxSide);
  }
  void rasterFormatsScaleDownToTheirLimits() {
    QFETCH(QString, name);
    QFETCH(int, limit);
    const QString path = dir_.filePath(name);
    RasterFit fit;
    QVERIFY(picture::WritePicture(renderer_->Picture(), frame_, picture::PictureFormatOf(path), path.toStdString(), metrics_,
                              &fit));
    QVERIFY(fit.reduced);
    const QSize size = QImageReader(path).size();
    QCOMPARE(size.height(), limit);
    QCOMPARE(size, QSize(fit.width, fit.height));
    // The proportions stay.
    const double wanted = double(frame_.Right - frame_.Left) / (frame_.Bottom - frame_.Top);
    QVERIFY(std::abs(double(size.width()) / size.height() - wanted) < 0.01);
  }

  void pdfSpreadsOverPages() {
    const QString path = dir_.filePath("column.pdf");
    QVERIFY(picture::WritePicture(renderer_->Picture(), frame_, picture::PictureFormat::Pdf, path.toStdString(), metrics_));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    const int pages = static_cast<int>(pdf.count("/Type /Page") - pdf.count("/Type /Pages"));
    const int expected = (frame_.Bottom - frame_.Top + kPdfMaxPage - 1) / kPdfMaxPage;
    QVERIFY2(pages == expected, qPrintable(QStringLiteral("%1 pages, %2 expected").arg(pages).arg(expected)));
  }

  void cliSaysThePictureWasScaledDown() {
    TMemoryStream bytes;
    QVERIFY(ZapiszSchemat(bloki_, bytes));
    const QString alg = dir_.filePath("column.alg");
    QFile out(alg);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    out.close();
    QProcess cli;
    cli.start(QStringLiteral(TESSARO_PROGRAM_DIR "/tessaro-cli"), {"export", alg, dir_.filePath("cli.jpg")});
    QVERIFY(cli.waitForFinished(120000));
    QCOMPARE(cli.exitCode(), 0);
    QVERIFY(cli.readAllStandardError().contains("scaled down to"));
    QCOMPARE(QImageReader(dir_.filePath("cli.jpg")).size().height(), int(kJpegMaxSide));
  }
};

TESSARO_GUI_TEST(LargeExportTest)
#include "large_export_test.moc"
