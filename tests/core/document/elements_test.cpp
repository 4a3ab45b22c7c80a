// New elements, kind names and breakpoint removal.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/document/breakpoints.h"
#include "core/document/elements.h"
#include "core/i18n/language.h"

namespace tessaro {
namespace {

TElementDefaults Settings() {
  TElementDefaults d;
  d.KolorWypelnienia = 0x0A0B0C;
  d.KolorObrysu = 0x0D0E0F;
  d.NazwaCzcionki = "Consolas";
  d.RozmiarCzcionki = 10;
  return d;
}

TEST(NewElement, PlacedElementDefaults) {
  Tobj e = NowyElement(Warunek, 30, -40, Settings());
  EXPECT_EQ(e.Left, 30);
  EXPECT_EQ(e.Top, -40);
  EXPECT_EQ(e.Blok, Warunek);
  EXPECT_EQ(e.Kod, " ");
  EXPECT_EQ(e.Link1, -1);
  EXPECT_EQ(e.Link2, -1);
  EXPECT_EQ(e.NieTak, 1);  // Link1 is the "no" exit
  EXPECT_EQ(e.Zaznaczony, 0);
  EXPECT_EQ(e.Styl.KolorWypelnienia, 0x0A0B0C);
  EXPECT_EQ(e.Styl.KolorObrysu, 0x0D0E0F);
  EXPECT_EQ(e.Styl.KolorTekstu, 0);
  EXPECT_EQ(std::vector<uint8_t>(e.Styl.Flagi, e.Styl.Flagi + 3), std::vector<uint8_t>(3, 0));
  EXPECT_EQ(e.Styl.NazwaCzcionki, "Consolas");
  EXPECT_EQ(e.Styl.RozmiarCzcionki, 10);
}

TEST(NewElement, NoteDefaults) {
  Tobj e = NowaNotatka(1, 2, Settings());
  EXPECT_EQ(e.Blok, Notatka);
  EXPECT_EQ(e.Kod, LangText("msgm00067"));
  EXPECT_EQ(e.Styl.KolorWypelnienia, kNoteFillColour);
  EXPECT_EQ(e.Styl.KolorObrysu, 0x0D0E0F);
  EXPECT_EQ(e.Styl.NazwaCzcionki, "Arial Ce");
  EXPECT_EQ(e.Styl.RozmiarCzcionki, 9);
  EXPECT_EQ(e.Link1, -1);
}

TEST(BlockKindName, NamesAndUnknownCodes) {
  const std::pair<int32_t, const char*> cases[] = {
      {1, "Start"},  {2, "Koniec"}, {3, "Przetwarzanie"}, {4, "Warunek"},
      {5, "Wezel"},  {6, "WeWY"},   {7, "Notatka"},       {0, "Nieznany"},
      {-1, "Nieznany"}, {8, "Nieznany"}, {INT32_MIN, "Nieznany"}, {INT32_MAX, "Nieznany"},
  };
  for (const auto& [code, name] : cases) EXPECT_EQ(BlockKindName(code), name) << code;
}

std::vector<int32_t> Lines(const TBreakPointArray& list) {
  std::vector<int32_t> out;
  for (const TBreakPoint& b : list) out.push_back(b.Line);
  return out;
}

TEST(Breakpoints, RemoveByPosition) {
  const TBreakPointArray list = {{0, 1}, {0, 2}, {0, 3}};
  struct Case {
    int32_t position;
    std::vector<int32_t> lines;
  };
  const Case cases[] = {{-1, {1, 2, 3}}, {0, {2, 3}}, {1, {1, 3}}, {2, {1, 2}}, {3, {1, 2, 3}}};
  for (const Case& c : cases) {
    TBreakPointArray l = list;
    RemoveBreakpoint(l, c.position);
    EXPECT_EQ(Lines(l), c.lines) << c.position;
  }
}

TEST(Breakpoints, RemoveEveryOneOfABlockIncludingNeighbours) {
  TBreakPointArray l = {{4, 1}, {4, 2}, {1, 3}, {4, 4}, {4, 5}, {2, 6}, {4, 7}};
  RemoveBlockBreakpoints(l, 4);
  EXPECT_EQ(Lines(l), (std::vector<int32_t>{3, 6}));
  RemoveBlockBreakpoints(l, 9);
  EXPECT_EQ(Lines(l), (std::vector<int32_t>{3, 6}));
}

}  // namespace
}  // namespace tessaro
