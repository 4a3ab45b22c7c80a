// The user commands of the main window, as data.
//
// Every menu item, toolbar button and short-cut of the main window is one row
// here. The window builds its QActions from this table and the command states
// follow its `rule`.
#pragma once

#include <string_view>

namespace tessaro::gui {

// When a command is enabled. A command also needs a handler: commands whose
// work is not built yet stay disabled whatever their rule says.
enum class CommandRule {
  Always,        // new, open, exit, options, help
  WithDocument,  // enabled exactly while a document is current
  Run,           // managed by the run controller; disabled without a document
  Clipboard,     // managed by the block clipboard
  Never,         // centring: enabled by the editor's group selection only
};

// Radio groups of checkable commands.
enum class CommandGroup { None, Tools };

struct Command {
  const char* name;      // object name
  const char* category;  // Plik, Edycja, Uruchom, Widok, Opcje, Pomoc
  const char* key;       // portable key sequence text, "" for none
  CommandRule rule;
  bool checkable;
  bool checked;
  CommandGroup group;
};

using R = CommandRule;
using G = CommandGroup;

// Captions and hints are looked up through core/i18n/windows/main_texts.h.
inline constexpr Command kCommands[] = {
    {"ActionNowySchemat", "Plik", "Ctrl+N", R::Always, false, false, G::None},
    {"ActionOtworzPlik", "Plik", "Ctrl+O", R::Always, false, false, G::None},
    {"ActionZapiszPlik", "Plik", "Ctrl+S", R::WithDocument, false, false, G::None},
    {"ActionZapiszJako", "Plik", "", R::WithDocument, false, false, G::None},
    {"ActionEksportujDoSchowka", "Plik", "", R::WithDocument, false, false, G::None},
    {"ActionEksportujDoPliku", "Plik", "", R::WithDocument, false, false, G::None},
    {"ActionZamknijPlikZAlgorytmem", "Plik", "", R::WithDocument, false, false, G::None},
    {"ActionUstawieniaDrukarki", "Plik", "", R::WithDocument, false, false, G::None},
    {"ActionDrukuj", "Plik", "", R::WithDocument, false, false, G::None},
    {"ActionOtworzZadanie", "Plik", "", R::Always, false, false, G::None},
    {"ActionUtworzZadanie", "Plik", "", R::WithDocument, false, false, G::None},
    {"ActionZamknijProgram", "Plik", "Ctrl+Q", R::Always, false, false, G::None},
    {"ActionCofnij", "Edycja", "Ctrl+Z", R::WithDocument, false, false, G::None},
    {"ActionPonow", "Edycja", "Ctrl+Y", R::WithDocument, false, false, G::None},
    {"ActionUsunBloki", "Edycja", "Del", R::Clipboard, false, false, G::None},
    {"ActionWytnij", "Edycja", "Ctrl+X", R::Clipboard, false, false, G::None},
    {"ActionKopiuj", "Edycja", "Ctrl+C", R::Clipboard, false, false, G::None},
    {"ActionWklej", "Edycja", "Ctrl+V", R::Clipboard, false, false, G::None},
    {"ActionUsunPolaczenia", "Edycja", "Ctrl+D", R::Clipboard, false, false, G::None},
    {"ActionPrzesunObszarRoboczy", "Edycja", "Ctrl+1", R::WithDocument, true, false, G::Tools},
    {"ActionWybieranie", "Edycja", "Ctrl+2", R::WithDocument, true, true, G::Tools},
    {"ActionBlokRozpoczynajacy", "Edycja", "Ctrl+3", R::WithDocument, true, false, G::Tools},
    {"ActionBlokKonczacy", "Edycja", "Ctrl+4", R::WithDocument, true, false, G::Tools},
    {"ActionBlokPrzetwarzaniaDanych", "Edycja", "Ctrl+5", R::WithDocument, true, false, G::Tools},
    {"ActionBlokWarunkowy", "Edycja", "Ctrl+6", R::WithDocument, true, false, G::Tools},
    {"ActionBlokWejsciaWyjscia", "Edycja", "Ctrl+7", R::WithDocument, true, false, G::Tools},
    {"ActionBlokWezelPomocniczy", "Edycja", "Ctrl+8", R::WithDocument, true, false, G::Tools},
    {"ActionBlokNotaOpis", "Edycja", "Ctrl+9", R::WithDocument, true, false, G::Tools},
    {"ActionWyrownajPionowo", "Edycja", "Ctrl+[", R::Never, false, false, G::None},
    {"ActionWyrownajPoziomo", "Edycja", "Ctrl+]", R::Never, false, false, G::None},
    {"ActionKompiluj", "Uruchom", "Ctrl+F9", R::WithDocument, false, false, G::None},
    {"ActionUruchom", "Uruchom", "F9", R::WithDocument, false, false, G::None},
    {"ActionUruchomKrokPoKroku", "Uruchom", "F4", R::WithDocument, false, false, G::None},
    {"ActionWstrzymaj", "Uruchom", "F12", R::Run, false, false, G::None},
    {"ActionWznowWykonywanie", "Uruchom", "F11", R::Run, false, false, G::None},
    {"ActionNastepnaInstrukcja", "Uruchom", "F8", R::Run, false, false, G::None},
    {"ActionNastepnyBlok", "Uruchom", "F6", R::Run, false, false, G::None},
    {"ActionNastepnaMikroInstrukcja", "Uruchom", "F7", R::Run, false, false, G::None},
    {"ActionPoprzedniaInstrukcja", "Uruchom", "Shift+F8", R::Run, false, false, G::None},
    {"ActionPoprzedniBlok", "Uruchom", "Shift+F6", R::Run, false, false, G::None},
    {"ActionPoprzedniaMikroInstrukcja", "Uruchom", "Shift+F7", R::Run, false, false, G::None},
    {"ActionZakonczWykonywanie", "Uruchom", "F2", R::Run, false, false, G::None},
    {"ActionSprawdzRozwiazanie", "Uruchom", "Ctrl+F10", R::WithDocument, false, false, G::None},
    {"ActionWezel", "Widok", "", R::WithDocument, true, true, G::None},
    {"ActionLamana", "Widok", "", R::WithDocument, true, false, G::None},
    {"ActionPodswietlaj", "Widok", "", R::Always, true, false, G::None},
    {"ActionKonfiguracja", "Opcje", "", R::Always, false, false, G::None},
    {"ActionMenagerRozszerzen", "Opcje", "", R::Always, false, false, G::None},
    {"ActionPomoc", "Pomoc", "F1", R::Always, false, false, G::None},
    {"ActionWWW", "Pomoc", "", R::Always, false, false, G::None},
    {"ActionOProgramie", "Pomoc", "", R::Always, false, false, G::None},
};

// The row of `name`, or nullptr.
const Command* FindCommand(std::string_view name);

}  // namespace tessaro::gui
