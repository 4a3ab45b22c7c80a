// The editor's drawing area and the print and export commands.
#include <algorithm>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include "core/diagram/view_math.h"
#include "core/i18n/language.h"
#include "diagram_sample_flowchart.h"
#include "gui/diagram/diagram_commands.h"
#include "gui/diagram/diagram_view.h"
#include "gui/shell/qt_text.h"
#include "gui_test.h"
#include "support/recording_dialogs.h"

using namespace tessaro;
using namespace tessaro::gui;

namespace {

Tobj Box(int32_t left, int32_t top, const char* text) {
  Tobj e;
  e.Blok = Przetwarzanie;
  e.Left = left;
  e.Top = top;
  e.Kod = text;
  return e;
}

}  // namespace

class DiagramViewTest : public QObject {
  Q_OBJECT

  TDocumentState state_;
  ViewState view_state_;
  std::unique_ptr<DiagramView> view_;

 private slots:
  void init() {
    state_ = TDocumentState();
    view_state_ = ViewState();
    view_ = std::make_unique<DiagramView>(state_, view_state_);
    view_->resize(420, 420);
    view_->show();
    QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
  }
  void cleanup() { view_.reset(); }

  void scrollBarsMirrorTheOrigin_data() {
    QTest::addColumn<int>("origin");
    QTest::addColumn<int>("position");
    QTest::newRow("middle") << 0 << 5000;
    QTest::newRow("inside") << 1234 << 3766;
    // Beyond 0..10000 the range widens, so the origin stays reachable.
    QTest::newRow("beyond the left end") << 7000 << -2000;
    QTest::newRow("beyond the right end") << -6000 << 11000;
  }
  void scrollBarsMirrorTheOrigin() {
    QFETCH(int, origin);
    QFETCH(int, position);
    view_state_.PoczatekX = origin;
    view_state_.PoczatekY = origin;
    view_->UpdateScrollBars();
    QCOMPARE(view_->ScrollBarH()->value(), position);
    QCOMPARE(view_->ScrollBarV()->value(), position);
    QCOMPARE(view_state_.PoczatekX, origin);  // setting the bars does not feed back
    QCOMPARE(view_->ScrollBarH()->minimum(), std::min(0, position));
    QCOMPARE(view_->ScrollBarH()->maximum(), std::max(10000, position));
  }

  void movingABarMovesTheOrigin() {
    view_->ScrollBarH()->setValue(4000);
    view_->ScrollBarV()->setValue(6500);
    QCOMPARE(view_state_.PoczatekX, 1000);
    QCOMPARE(view_state_.PoczatekY, -1500);
  }

  void theScreenShowsTheDiagramAtTheZoomAndOrigin_data() {
    QTest::addColumn<double>("zoom");
    QTest::addColumn<int>("origin");
    QTest::newRow("100%") << 100.0 << 0;
    QTest::newRow("200% shifted") << 200.0 << 20;
    QTest::newRow("50% shifted") << 50.0 << 60;
  }
  void theScreenShowsTheDiagramAtTheZoomAndOrigin() {
    QFETCH(double, zoom);
    QFETCH(int, origin);
    state_.Bloki = {Box(40, 30, "a := 1")};
    state_.Bloki[0].Styl.KolorWypelnienia = 0x0000FF;  // red
    view_state_.Skala = zoom;
    view_state_.PoczatekX = origin;
    view_state_.PoczatekY = origin;
    view_->RysujSchemat();
    view_->RysujSchemat();
    const Tobj& e = state_.Bloki[0];
    const QImage& bitmap = view_->Bitmap();
    const double ratio = bitmap.devicePixelRatio();
    auto pixel = [&](double x, double y) {
      return QColor(bitmap.pixel(int((origin + x) * zoom / 100 * ratio), int((origin + y) * zoom / 100 * ratio)));
    };
    // Inside the block: its fill; just outside: the white background.
    QCOMPARE(pixel(e.Left + e.Width / 2.0, e.Top + 4), QColor(255, 0, 0));
    QCOMPARE(pixel(e.Left - 6, e.Top + 4), QColor(Qt::white));
    QCOMPARE(pixel(e.Left + e.Width + 6, e.Top + e.Height / 2.0), QColor(Qt::white));
    QCOMPARE(ratio, view_->PaintBox()->devicePixelRatioF());
  }

  void zoomListPercentagesAndFit() {
    QComboBox list;
    list.setEditable(true);
    for (const char* entry : kZoomEntries) list.addItem(QString::fromLatin1(entry));
    list.addItem(Tr("msgm00021"));
    QVERIFY(list.itemText(8).startsWith(QLatin1Char('D')));
    state_.Bloki = {Box(0, 0, "a"), Box(753, 357, "b")};
    view_->RysujSchemat();
    state_.WyznaczObszar();
    const TObszar e = state_.ObszarSchematu;  // 800 x 400

    list.setCurrentIndex(7);  // "200%"
    view_->ApplyZoomEntry(&list, 1000, 700);
    QCOMPARE(view_state_.Skala, 200.0);
    QCOMPARE(view_state_.PoczatekX, 500 - e.Width * 2 / 2 - e.MinX * 2);
    QCOMPARE(view_state_.PoczatekY, 350 - e.Height * 2 / 2 - e.MinY * 2);
    QCOMPARE(view_state_.SkalaIndeks, 7);

    view_->PaintBox()->resize(400, 400);
    list.setCurrentIndex(8);  // fit
    view_->ApplyZoomEntry(&list, 1000, 700);
    QCOMPARE(view_state_.Skala, 400.0 * 100 / e.Width);
    QCOMPARE(list.currentText(), QString::number(qRound(400.0 * 100 / e.Width)) + QLatin1Char('%'));
    QCOMPARE(view_state_.PoczatekX, 10 - e.MinX);
    QCOMPARE(view_->ScrollBarH()->value(), 5000 - view_state_.PoczatekX);

    // Fitting an empty diagram changes nothing and shows 100%.
    state_.Bloki.clear();
    state_.WyznaczObszar();
    view_state_.Skala = 75;
    view_->ApplyZoomEntry(&list, 1000, 700);
    QCOMPARE(view_state_.Skala, 75.0);
    QCOMPARE(list.currentText(), QStringLiteral("100%"));
  }

  void exportNamesFollowTheFilter_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("written");
    QTest::newRow("metafile gets its extension") << "plan" << 0 << "plan.emf";
    QTest::newRow("capital EMF is kept") << "plan.EMF" << 0 << "plan.EMF";
    QTest::newRow("jpeg gets its extension") << "plan" << 1 << "plan.jpg";
    QTest::newRow("contained anywhere counts") << "a.jpg.old" << 1 << "a.jpg.old";
    QTest::newRow("another extension is not replaced") << "plan.png" << 1 << "plan.png.jpg";
    QTest::newRow("svg") << "plan" << 2 << "plan.svg";
    QTest::newRow("pdf") << "plan" << 3 << "plan.pdf";
    QTest::newRow("png") << "plan" << 4 << "plan.png";
  }
  void exportNamesFollowTheFilter() {
    QFETCH(QString, chosen);
    QFETCH(int, filter);
    QFETCH(QString, written);
    QCOMPARE(ExportFileName(chosen, filter), written);
  }

  void exportToFileWritesTheChosenFormat() {
    QTemporaryDir dir;
    state_.Bloki = test::SampleFlowchart();
    DiagramCommands commands(state_, *view_, nullptr);
    commands.DocumentName = [] { return QStringLiteral("suma"); };
    QString proposed;
    commands.SaveDialog = [&](QWidget*, const QString& name, int& filter) {
      proposed = name;
      filter = 1;
      return dir.filePath(QStringLiteral("suma"));
    };
    commands.ActionEksportujDoPlikuExecute();
    QCOMPARE(proposed, QStringLiteral("suma"));
    const QImage image(dir.filePath(QStringLiteral("suma.jpg")));
    QVERIFY(!image.isNull());
    const TRect frame = view_->Renderer().Picture().FrameWithInk();
    QCOMPARE(image.size(), QSize(2 * (frame.Right - frame.Left), 2 * (frame.Bottom - frame.Top)));
    QVERIFY(!state_.Zmiana);  // an export changes no diagram
  }

  void exportFailureIsReported() {
    test::RecordingDialogs dialogs;
    state_.Bloki = {Box(0, 0, "a")};
    DiagramCommands commands(state_, *view_, nullptr);
    commands.SaveDialog = [](QWidget*, const QString&, int& filter) {
      filter = 0;
      return QStringLiteral("/nonexistent-folder/x");
    };
    commands.ActionEksportujDoPlikuExecute();
    QCOMPARE(dialogs.shown.size(), size_t{1});
    QCOMPARE(dialogs.shown[0].caption, LangText("msgm00007"));
    QCOMPARE(dialogs.shown[0].text, LangText("msgm00058") + "/nonexistent-folder/x.emf" + LangText("msgm00043"));

    // A cancelled dialog does nothing at all.
    commands.SaveDialog = [](QWidget*, const QString&, int&) { return QString(); };
    state_.Zmiana = false;
    commands.ActionEksportujDoPlikuExecute();
    QVERIFY(!state_.Zmiana);
  }

  void printingPlacesThePictureOnOnePage() {
    QTemporaryDir dir;
    test::RecordingDialogs dialogs;
    state_.Bloki = test::SampleFlowchart();
    state_.Wybrany = 2;
    DiagramCommands commands(state_, *view_, nullptr);
    QString status;
    commands.ShowStatus = [&](const QString& text) { status = text; };
    const QString pdf = dir.filePath(QStringLiteral("print.pdf"));
    commands.PrintDialog = [&](QPrinter& printer, QWidget*) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(pdf);
      return true;
    };
    commands.ActionDrukujExecute();
    QCOMPARE(state_.Wybrany, -1);
    QVERIFY(dialogs.shown.empty());
    QCOMPARE(status, Tr("msgm00020"));  // a small diagram prints at its natural size
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(5), QByteArray("%PDF-"));

    // A cancelled print dialog prints nothing.
    status.clear();
    commands.PrintDialog = [](QPrinter&, QWidget*) { return false; };
    commands.ActionDrukujExecute();
    QVERIFY(status.isEmpty());
  }

  void clipboardGetsSvgAndABitmap() {
    state_.Bloki = test::SampleFlowchart();
    DiagramCommands commands(state_, *view_, nullptr);
    commands.ActionEksportujDoSchowkaExecute();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data);
    QVERIFY(data->data(QStringLiteral("image/svg+xml")).contains("<svg"));
    QVERIFY(data->hasImage());

    // Copying blocks puts only their picture there.
    state_.Schowek = {TSchowek{0, state_.Bloki[0]}, TSchowek{1, state_.Bloki[1]}};
    commands.CopyBlocksPicture();
    const QImage copied = qvariant_cast<QImage>(QGuiApplication::clipboard()->mimeData()->imageData());
    const TObszar members = state_.WyznaczObszarSchowka();
    QCOMPARE(copied.width(), 2 * members.Width);
  }
};

TESSARO_GUI_TEST(DiagramViewTest)
#include "diagram_view_test.moc"
