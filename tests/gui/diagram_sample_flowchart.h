// A small school flowchart for the picture tests: the sum of 1..n with a
// loop, a junction node, an input, an output and a note.
#pragma once

#include <string>
#include <vector>

#include "core/diagram/renderer.h"
#include "core/document/model.h"
#include "core/i18n/cp1250.h"
#include "picture/qt_canvas.h"

namespace tessaro::test {

inline Tobj SampleElement(int32_t kind, const std::string& utf8_text, int32_t link1 = -1) {
  Tobj e;
  e.Blok = kind;
  e.Kod = Utf8ToCp1250(utf8_text);
  e.Link1 = link1;
  if (kind == Notatka) {
    e.Styl.KolorWypelnienia = kNoteFillColour;
    e.Styl.NazwaCzcionki = kNoteFontName;
    e.Styl.RozmiarCzcionki = kDefaultFontSize - 1;
  }
  return e;
}

// Each element is placed with its centre at (x, y) once its size is known.
inline std::vector<Tobj> SampleFlowchart() {
  std::vector<Tobj> b = {
      SampleElement(tessaro::Start, " ", 1),                          // 0 (not the fixture's Start())
      SampleElement(WeWY, "read n", 2),                               // 1
      SampleElement(Przetwarzanie, "s := 0\r\ni := 1", 5),            // 2
      SampleElement(Warunek, "i <= n", 6),                            // 3: no -> 6, yes -> 4
      SampleElement(Przetwarzanie, "s := s + i\r\ni := i + 1", 5),    // 4
      SampleElement(Wezel, " ", 3),                                   // 5
      SampleElement(WeWY, "write \"Suma: \", s", 7),                 // 6
      SampleElement(Koniec, " ", -1),                                 // 7
      SampleElement(Notatka, "Suma liczb od 1 do n\r\n(pętla z warunkiem)", 2),  // 8
  };
  b[3].Link2 = 4;
  const int32_t centres[][2] = {{220, 40},  {220, 110}, {220, 190}, {220, 330}, {360, 420},
                                {220, 265}, {90, 420},  {90, 500},  {420, 150}};
  picture::QtTextMetrics metrics;
  DiagramRenderer renderer(metrics);
  RenderScene scene;
  scene.Bloki = &b;
  renderer.RysujSchemat(kModeScreen, scene);
  for (size_t i = 0; i < b.size(); ++i) {
    b[i].Left = centres[i][0] - b[i].Width / 2;
    b[i].Top = centres[i][1] - b[i].Height / 2;
  }
  return b;
}

}  // namespace tessaro::test
