// Exports the sample flowchart to every picture format and checks the files.
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>

#include "gui_test.h"
#include "core/diagram/renderer.h"
#include "core/document/alg_writer.h"
#include "core/document/document_state.h"
#include "diagram_sample_flowchart.h"
#include "picture/picture_export.h"

using namespace tessaro;

namespace {

TObszar Extents(const std::vector<Tobj>& bloki) {
  std::vector<const Tobj*> all;
  for (const Tobj& e : bloki) all.push_back(&e);
  return ComputeExtents(all);
}

uint32_t U32(const QByteArray& b, qsizetype at) {
  uint32_t v = 0;
  std::memcpy(&v, b.constData() + at, 4);
  return v;
}

QString CliPath() { return QStringLiteral(TESSARO_PROGRAM_DIR "/tessaro-cli"); }

}  // namespace

class ExportFormatsTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  picture::QtTextMetrics metrics_;
  std::vector<Tobj> bloki_;
  DiagramRenderer* renderer_ = nullptr;
  TRect frame_;

  QString Path(const QString& name) const { return dir_.filePath(name); }

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    bloki_ = test::SampleFlowchart();
    renderer_ = new DiagramRenderer(metrics_);
    RenderScene scene;
    scene.Bloki = &bloki_;
    scene.Obszar = Extents(bloki_);
    renderer_->RysujSchemat(kModePrint, scene);
    frame_ = renderer_->Picture().FrameWithInk();
    QVERIFY(frame_.Right - frame_.Left > 100);
    if (qEnvironmentVariableIsSet("TESSARO_KEEP_EXPORTS")) dir_.setAutoRemove(false);
  }
  void cleanupTestCase() { delete renderer_; }

  void rasterPicturesAreTwiceTheSize_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("png") << "sample.png";
    QTest::newRow("jpeg") << "sample.jpg";
  }
  void rasterPicturesAreTwiceTheSize() {
    QFETCH(QString, name);
    const QString path = Path(name);
    QVERIFY(picture::WritePicture(renderer_->Picture(), frame_, picture::PictureFormatOf(path), path.toStdString(), metrics_));
    QImage image(path);
    QVERIFY(!image.isNull());
    QCOMPARE(image.width(), 2 * (frame_.Right - frame_.Left));
    QCOMPARE(image.height(), 2 * (frame_.Bottom - frame_.Top));
    // The background is white and something dark is drawn on it.
    QCOMPARE(QColor(image.pixel(0, 0)).lightness() > 240, true);
    int dark = 0;
    for (int y = 0; y < image.height(); y += 2)
      for (int x = 0; x < image.width(); x += 2) dark += QColor(image.pixel(x, y)).lightness() < 80;
    QVERIFY(dark > 200);
  }

  void metafileHasItsHeaderAndAllRecords() {
    const QString path = Path("sample.emf");
    QVERIFY(picture::WritePicture(renderer_->Picture(), frame_, picture::PictureFormat::Emf, path.toStdString(), metrics_));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray b = file.readAll();
    QVERIFY(b.size() > 108);
    QCOMPARE(U32(b, 0), 1u);                  // EMR_HEADER
    QCOMPARE(b.mid(40, 4), QByteArray(" EMF"));  // its signature
    QCOMPARE(U32(b, 48), static_cast<uint32_t>(b.size()));
    // Walk the records: each names its size; the last is EMR_EOF.
    uint32_t records = 0, last_type = 0;
    for (qsizetype at = 0; at + 8 <= b.size();) {
      const uint32_t size = U32(b, at + 4);
      QVERIFY(size >= 8 && size % 4 == 0 && at + size <= b.size());
      last_type = U32(b, at);
      ++records;
      at += size;
    }
    QCOMPARE(records, U32(b, 52));
    QCOMPARE(last_type, 14u);  // EMR_EOF
    QVERIFY(records > 50);
  }

  void svgParsesAndPdfIsAPdf() {
    const QString svg = Path("sample.svg"), pdf = Path("sample.pdf");
    QVERIFY(picture::WritePicture(renderer_->Picture(), frame_, picture::PictureFormat::Svg, svg.toStdString(), metrics_));
    QSvgRenderer reader(svg);
    QVERIFY(reader.isValid());
    QCOMPARE(reader.viewBox().width(), frame_.Right - frame_.Left);
    QVERIFY(picture::WritePicture(renderer_->Picture(), frame_, picture::PictureFormat::Pdf, pdf.toStdString(), metrics_));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
  }

  void anUnwritablePlaceFails() {
    const std::string path = Path("no/such/folder/sample.png").toStdString();
    for (picture::PictureFormat f : {picture::PictureFormat::Emf, picture::PictureFormat::Jpeg, picture::PictureFormat::Png,
                                 picture::PictureFormat::Svg, picture::PictureFormat::Pdf}) {
      QVERIFY(!picture::WritePicture(renderer_->Picture(), frame_, f, path, metrics_));
    }
  }

  void formatByExtension_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("format");
    QTest::newRow("emf capitals") << "a.EMF" << int(picture::PictureFormat::Emf);
    QTest::newRow("jpg") << "a.jpg" << int(picture::PictureFormat::Jpeg);
    QTest::newRow("jpeg") << "a.jpeg" << int(picture::PictureFormat::Jpeg);
    QTest::newRow("png") << "dir.x/a.png" << int(picture::PictureFormat::Png);
    QTest::newRow("svg") << "a.svg" << int(picture::PictureFormat::Svg);
    QTest::newRow("pdf") << "a.pdf" << int(picture::PictureFormat::Pdf);
    QTest::newRow("bmp") << "a.bmp" << int(picture::PictureFormat::Unknown);
    QTest::newRow("none") << "a" << int(picture::PictureFormat::Unknown);
  }
  void formatByExtension() {
    QFETCH(QString, name);
    QFETCH(int, format);
    QCOMPARE(int(picture::PictureFormatOf(name)), format);
  }

  void commandLineExport_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("exit_code");
    QTest::newRow("png") << "sample.alg" << "cli.png" << 0;
    QTest::newRow("emf") << "sample.alg" << "cli.emf" << 0;
    QTest::newRow("jpg") << "sample.alg" << "cli.jpg" << 0;
    QTest::newRow("svg") << "sample.alg" << "cli.svg" << 0;
    QTest::newRow("pdf") << "sample.alg" << "cli.pdf" << 0;
    QTest::newRow("unknown extension") << "sample.alg" << "cli.gif" << 64;
    QTest::newRow("missing input") << "missing.alg" << "cli2.png" << 66;
    QTest::newRow("not an algorithm") << "garbage.alg" << "cli3.png" << 66;
    QTest::newRow("unwritable output") << "sample.alg" << "no/such/dir/cli.png" << 73;
  }
  void commandLineExport() {
    QFETCH(QString, input);
    QFETCH(QString, output);
    QFETCH(int, exit_code);
    TMemoryStream stream;
    QVERIFY(ZapiszSchemat(bloki_, stream));
    QFile alg(Path("sample.alg"));
    QVERIFY(alg.open(QIODevice::WriteOnly));
    alg.write(reinterpret_cast<const char*>(stream.data()), static_cast<qint64>(stream.size()));
    alg.close();
    QFile garbage(Path("garbage.alg"));
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a diagram at all");
    garbage.close();

    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));  // the program chooses its own
    env.remove(QStringLiteral("DISPLAY"));
    cli.setProcessEnvironment(env);
    cli.start(CliPath(), {QStringLiteral("export"), Path(input), Path(output)});
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), exit_code);
    if (exit_code != 0) {
      QVERIFY(!cli.readAllStandardError().isEmpty());
      return;
    }
    QVERIFY(QFileInfo(Path(output)).size() > 0);
    if (output.endsWith(QLatin1String(".png"))) {
      // The file's own sizes are settled by the program: the same picture as here.
      QCOMPARE(QImage(Path(output)).size(), QSize(2 * (frame_.Right - frame_.Left), 2 * (frame_.Bottom - frame_.Top)));
    }
  }
};

TESSARO_GUI_TEST(ExportFormatsTest)
#include "export_formats_test.moc"
