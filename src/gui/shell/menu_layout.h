// The menus and toolbars of the main window, as data: each entry names a
// command of command_table.h, a window item, a submenu or "-" (a separator).
#pragma once

namespace tessaro::gui {

inline constexpr const char* kMainMenus[] = {"menuPlik",  "menuEdycja", "menuUruchom",
                                             "menuOpcje", "menuWidok",  "menuPomoc"};

struct SubmenuSpec {
  const char* name;
};

inline constexpr SubmenuSpec kSubmenus[] = {
    {"menuOstatnioOtwarte"}, {"menuJezyk"}, {"menuSiatka"}, {"menuPaskiNarzedzi"},
    {"menuPanele"},          {"menuPodswietlanie"},
};

struct MenuEntry {
  const char* menu;
  const char* item;
};

// The panel toggles of "Widok" are put before its first separator at start-up.
inline constexpr MenuEntry kMenuEntries[] = {
    {"menuPlik", "ActionNowySchemat"},
    {"menuPlik", "ActionOtworzPlik"},
    {"menuPlik", "menuOstatnioOtwarte"},
    {"menuPlik", "ActionZapiszPlik"},
    {"menuPlik", "ActionZapiszJako"},
    {"menuPlik", "ActionEksportujDoSchowka"},
    {"menuPlik", "-"},
    {"menuPlik", "ActionEksportujDoPliku"},
    {"menuPlik", "-"},
    {"menuPlik", "ActionZamknijPlikZAlgorytmem"},
    {"menuPlik", "-"},
    {"menuPlik", "ActionUstawieniaDrukarki"},
    {"menuPlik", "ActionDrukuj"},
    {"menuPlik", "-"},
    {"menuPlik", "ActionOtworzZadanie"},
    {"menuPlik", "ActionUtworzZadanie"},
    {"menuPlik", "-"},
    {"menuPlik", "ActionZamknijProgram"},

    {"menuEdycja", "ActionCofnij"},
    {"menuEdycja", "ActionPonow"},
    {"menuEdycja", "-"},
    {"menuEdycja", "ActionWytnij"},
    {"menuEdycja", "ActionKopiuj"},
    {"menuEdycja", "ActionWklej"},
    {"menuEdycja", "ActionUsunPolaczenia"},
    {"menuEdycja", "ActionUsunBloki"},
    {"menuEdycja", "-"},
    {"menuEdycja", "ActionPrzesunObszarRoboczy"},
    {"menuEdycja", "ActionWybieranie"},
    {"menuEdycja", "ActionBlokRozpoczynajacy"},
    {"menuEdycja", "ActionBlokKonczacy"},
    {"menuEdycja", "ActionBlokPrzetwarzaniaDanych"},
    {"menuEdycja", "ActionBlokWarunkowy"},
    {"menuEdycja", "ActionBlokWejsciaWyjscia"},
    {"menuEdycja", "ActionBlokWezelPomocniczy"},
    {"menuEdycja", "ActionBlokNotaOpis"},
    {"menuEdycja", "-"},
    {"menuEdycja", "ActionWyrownajPionowo"},
    {"menuEdycja", "ActionWyrownajPoziomo"},

    {"menuUruchom", "ActionKompiluj"},
    {"menuUruchom", "ActionUruchom"},
    {"menuUruchom", "ActionUruchomKrokPoKroku"},
    {"menuUruchom", "-"},
    {"menuUruchom", "ActionWstrzymaj"},
    {"menuUruchom", "ActionWznowWykonywanie"},
    {"menuUruchom", "ActionNastepnaInstrukcja"},
    {"menuUruchom", "ActionNastepnyBlok"},
    {"menuUruchom", "ActionNastepnaMikroInstrukcja"},
    {"menuUruchom", "ActionPoprzedniaInstrukcja"},
    {"menuUruchom", "ActionPoprzedniBlok"},
    {"menuUruchom", "ActionPoprzedniaMikroInstrukcja"},
    {"menuUruchom", "-"},
    {"menuUruchom", "ActionZakonczWykonywanie"},
    {"menuUruchom", "-"},
    {"menuUruchom", "ActionSprawdzRozwiazanie"},

    {"menuOpcje", "ActionKonfiguracja"},
    {"menuOpcje", "ActionMenagerRozszerzen"},
    {"menuOpcje", "-"},
    {"menuOpcje", "menuJezyk"},
    {"menuOpcje", "-"},
    {"menuOpcje", "menuSiatka"},
    {"menuJezyk", "ActionJezykPL"},
    {"menuJezyk", "ActionJezykEN"},
    {"menuJezyk", "ActionJezykDE"},
    {"menuJezyk", "ActionJezykCZ"},
    {"menuSiatka", "ActionSiatka0"},
    {"menuSiatka", "ActionSiatka2"},
    {"menuSiatka", "ActionSiatka3"},
    {"menuSiatka", "ActionSiatka4"},
    {"menuSiatka", "ActionSiatka5"},
    {"menuSiatka", "ActionSiatka6"},
    {"menuSiatka", "ActionSiatka7"},
    {"menuSiatka", "ActionSiatka8"},
    {"menuSiatka", "ActionSiatka9"},
    {"menuSiatka", "ActionSiatka10"},
    {"menuSiatka", "ActionSiatka15"},
    {"menuSiatka", "ActionSiatka20"},

    {"menuWidok", "-"},
    {"menuWidok", "ActionWezel"},
    {"menuWidok", "ActionLamana"},
    {"menuWidok", "-"},
    {"menuWidok", "menuPaskiNarzedzi"},

    {"menuPomoc", "ActionPomoc"},
    {"menuPomoc", "-"},
    {"menuPomoc", "ActionWWW"},
    {"menuPomoc", "-"},
    {"menuPomoc", "ActionOProgramie"},
    {"menuPomoc", "-"},
    {"menuPomoc", "ActionDebugLog"},
};

inline constexpr const char* kStandardToolbar[] = {
    "ActionNowySchemat",          "ActionOtworzPlik",         "ActionZapiszPlik",
    "-",                          "ActionPrzesunObszarRoboczy", "ActionWybieranie",
    "ActionBlokRozpoczynajacy",   "ActionBlokKonczacy",       "ActionBlokPrzetwarzaniaDanych",
    "ActionBlokWarunkowy",        "ActionBlokWejsciaWyjscia", "ActionBlokWezelPomocniczy",
    "ActionBlokNotaOpis",
};

inline constexpr const char* kViewToolbar[] = {
    "-", "ActionWyrownajPionowo", "ActionWyrownajPoziomo", "-", "ActionWezel", "ActionLamana", "-",
};

inline constexpr const char* kRunToolbar[] = {
    "ActionUruchom",              "ActionUruchomKrokPoKroku",        "ActionWznowWykonywanie",
    "ActionNastepnaInstrukcja",   "ActionNastepnaMikroInstrukcja",   "ActionNastepnyBlok",
    "ActionPoprzedniaInstrukcja", "ActionPoprzedniaMikroInstrukcja", "ActionPoprzedniBlok",
    "ActionWstrzymaj",            "ActionZakonczWykonywanie",        "-",
    "ActionKompiluj",             "ActionSprawdzRozwiazanie",        "-",
};

}  // namespace tessaro::gui
