// A full screen render of a generated 1,000-block diagram: the renderer
// records the picture (fitting every block to its text) and the Qt canvas
// plays it onto a screen-sized offscreen image.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <memory>
#include <string>
#include <vector>

#include "core/diagram/renderer.h"
#include "picture/qt_canvas.h"

namespace {

using namespace tessaro;

void EnsureApplication() {
  static std::unique_ptr<QGuiApplication> app;
  if (app) return;
  qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  static int argc = 1;
  static char name[] = "render_bench";
  static char* argv[] = {name, nullptr};
  app = std::make_unique<QGuiApplication>(argc, argv);
}

// Columns of blocks of every kind, each linked to the next one down, the
// conditions also across to the next column.
std::vector<Tobj> GeneratedDiagram(int count) {
  constexpr int kRows = 40;
  const int32_t kinds[] = {Przetwarzanie, WeWY, Warunek, Przetwarzanie, Wezel, WeWY, Przetwarzanie, Notatka};
  std::vector<Tobj> b(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    Tobj& e = b[i];
    e.Blok = i == 0 ? Start : i == count - 1 ? Koniec : kinds[i % 8];
    e.Left = (i / kRows) * 220;
    e.Top = (i % kRows) * 110;
    e.Kod = e.Blok == Warunek ? "i <= n" : "x := x + " + std::to_string(i) + "\r\ny := 2 * x";
    if (i + 1 < count && (i + 1) % kRows != 0) e.Link1 = i + 1;
    if (e.Blok == Warunek && i + kRows < count) e.Link2 = i + kRows;
  }
  return b;
}

void Render(benchmark::State& state, double zoom) {
  EnsureApplication();
  picture::QtTextMetrics metrics;
  DiagramRenderer renderer(metrics);
  std::vector<Tobj> bloki = GeneratedDiagram(1000);
  RenderScene scene;
  scene.Bloki = &bloki;
  scene.Wybrany = 5;
  renderer.RysujSchemat(kModeScreen, scene);  // sizes settle
  QImage screen(1920, 1080, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    renderer.RysujSchemat(kModeScreen, scene);
    screen.fill(Qt::white);
    QPainter painter(&screen);
    painter.translate(10, 10);
    painter.scale(zoom / 100, zoom / 100);
    const TRect visible{-10, -10, static_cast<int32_t>(1920 * 100 / zoom), static_cast<int32_t>(1080 * 100 / zoom)};
    picture::QtCanvas canvas(painter, metrics);
    renderer.Picture().Replay(canvas, &visible);
    painter.end();
    benchmark::DoNotOptimize(screen.constBits());
  }
  state.counters["ops"] = static_cast<double>(renderer.Picture().OpCount());
}

// The editor at 100 %: a part of the diagram is on the screen.
void BM_RenderScreen100(benchmark::State& state) { Render(state, 100); }
// Zoomed out so the whole diagram (5,500 x 4,400 units) is on the screen.
void BM_RenderScreenWhole(benchmark::State& state) { Render(state, 24); }

BENCHMARK(BM_RenderScreen100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderScreenWhole)->Unit(benchmark::kMillisecond);

}  // namespace
