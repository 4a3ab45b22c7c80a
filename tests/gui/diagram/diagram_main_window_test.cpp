// The drawing area inside the main window: repaints, the toggles, the zoom
// list and the picture commands reach it.
#include <QAction>
#include <QComboBox>
#include <QtTest>

#include "gui/diagram/diagram_commands.h"
#include "gui/diagram/diagram_view.h"
#include "gui/diagram/main_window_diagram.h"
#include "gui_test.h"
#include "shell_fixture.h"

using namespace tessaro;
using namespace tessaro::gui;

namespace {

int NonWhitePixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); y += 3)
    for (int x = 0; x < image.width(); x += 3) n += image.pixel(x, y) != qRgb(255, 255, 255);
  return n;
}

}  // namespace

class DiagramMainWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<test::ShellHome> home_;
  std::unique_ptr<Tmain> window_;

  DiagramView* View() { return DiagramViewOf(*window_); }

 private slots:
  void init() {
    home_ = std::make_unique<test::ShellHome>();
    window_ = test::Start();
    if (!DiagramViewOf(*window_)) InstallDiagram(*window_);
    window_->resize(1000, 700);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QVERIFY(window_->OtworzDokument(home_->WriteAlgorithm("three.alg", 3)));
  }
  void cleanup() {
    window_.reset();
    home_.reset();
  }

  void theDocumentIsDrawnOnRepaint() {
    QVERIFY(View());
    QCOMPARE(window_->DiagramWidget(), static_cast<QWidget*>(View()));
    window_->State().Repaint();
    QVERIFY(NonWhitePixels(View()->Bitmap()) > 20);
    // Every block got its size from its text.
    for (const Tobj& e : window_->State().Bloki) QVERIFY(e.Width > 0 && e.Height > 0);
  }

  void nodeAndLineTogglesReachTheScene() {
    QAction* nodes = window_->CommandAction("ActionWezel");
    QAction* right_angled = window_->CommandAction("ActionLamana");
    QVERIFY(nodes && right_angled);
    nodes->setChecked(false);
    right_angled->setChecked(true);
    QVERIFY(!View()->Scene().PokazWezly);
    QVERIFY(!View()->Scene().PolaczeniaProste);
    nodes->setChecked(true);
    QVERIFY(View()->Scene().PokazWezly);
  }

  void zoomListAppliesItsEntry() {
    auto* zoom = window_->findChild<QComboBox*>(QStringLiteral("tbComboBoxLupa"));
    QVERIFY(zoom);
    QCOMPARE(zoom->count(), 9);
    zoom->setCurrentIndex(7);
    emit zoom->activated(7);
    QCOMPARE(window_->View().Skala, 200.0);
    QCOMPARE(window_->View().SkalaIndeks, 7);
    zoom->setCurrentIndex(8);
    emit zoom->activated(8);
    QVERIFY(zoom->currentText().endsWith(QLatin1Char('%')));
  }

  void pictureCommandsHaveTheirWork() {
    QVERIFY(DiagramCommandsOf(*window_));
    for (const char* name : {"ActionDrukuj", "ActionUstawieniaDrukarki", "ActionEksportujDoPliku",
                             "ActionEksportujDoSchowka"}) {
      QAction* action = window_->CommandAction(name);
      QVERIFY2(action && action->isEnabled(), name);
    }
  }
};

TESSARO_GUI_TEST(DiagramMainWindowTest)
#include "diagram_main_window_test.moc"
