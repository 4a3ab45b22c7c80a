#include "core/document/elements.h"

#include <iterator>

#include "core/i18n/language.h"

namespace tessaro {

namespace {

// Indexed by the kind code; code 0 has no kind.
constexpr std::string_view kKindNames[] = {
    "Nieznany", "Start", "Koniec", "Przetwarzanie", "Warunek", "Wezel", "WeWY", "Notatka",
};

}  // namespace

std::string_view BlockKindName(int32_t blok) {
  constexpr int32_t count = static_cast<int32_t>(std::size(kKindNames));
  if (blok < 0 || blok >= count) return kKindNames[0];
  return kKindNames[blok];
}

Tobj NowyElement(int32_t kind, int32_t left, int32_t top, const TElementDefaults& defaults) {
  Tobj e;
  e.Left = left;
  e.Top = top;
  e.Blok = kind;
  e.Kod = " ";
  e.Link1 = -1;
  e.Link2 = -1;
  e.NieTak = 1;
  e.Zaznaczony = 0;
  e.Styl.KolorWypelnienia = defaults.KolorWypelnienia;
  e.Styl.KolorObrysu = defaults.KolorObrysu;
  e.Styl.KolorTekstu = 0;
  e.Styl.Flagi[0] = e.Styl.Flagi[1] = e.Styl.Flagi[2] = 0;
  e.Styl.NazwaCzcionki = defaults.NazwaCzcionki;
  e.Styl.RozmiarCzcionki = defaults.RozmiarCzcionki;
  return e;
}

Tobj NowaNotatka(int32_t left, int32_t top, const TElementDefaults& defaults) {
  Tobj e = NowyElement(Notatka, left, top, defaults);
  e.Kod = LangText("msgm00067");
  e.Styl.KolorWypelnienia = kNoteFillColour;
  e.Styl.NazwaCzcionki = kNoteFontName;
  e.Styl.RozmiarCzcionki = defaults.RozmiarCzcionki - 1;
  return e;
}

}  // namespace tessaro
