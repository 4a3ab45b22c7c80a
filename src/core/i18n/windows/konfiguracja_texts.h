// Translation table of the configuration dialog Tkonfiguracja.
#pragma once

#include "core/i18n/window_texts.h"

namespace tessaro {

inline constexpr WindowText kKonfiguracjaTexts[] = {
    {"Caption", "msg00439"},
    {"tsWyglad", "msg00440"},
    {"tsKompilator", "msg00441"},
    {"tsAnaliza", "msg00442"},
    {"tsInterfejs", "msg00443"},
    {"lblWypelnienie", "msg00444"},
    {"lblObrys", "msg00445"},
    {"lblUwaga", "msg00446"},
    {"lblPrzykladowyTekst", "msg00447"},
    {"btnCzcionka", "msg00448"},
    {"cbDynamiczneTablice", "msg00449"},
    {"cbPodswietlajBloki", "msg00450"},
    {"cbWielkoscLiter", "msg00451"},
    {"cbZamieniajOperator", "msg00452"},
    {"lblOpisZamiany", "msg00453"},  // with its escapes expanded
    {"cbKonsolaWejscie", "msg00454"},
    {"cbKonsolaWyjscie", "msg00455"},
    {"lblMotyw", "msg00456"},
    {"rbOffice2003", "msg00457"},
    {"rbDefault", "msg00458"},
    {"rbAluminum", "msg00459"},
    {"btnDomyslnePolozenieOkien", "msg00460"},
    {"btnPrzywrocDomyslne", "msg00461"},
    {"cbWersjaPilotazowa", "msg00462"},
    {"btnAnuluj", "msg00463"},
    {"btnOk", "msg00464"},
    {"LabelPrzykladUkryty", "msg00465"},  // the hidden sample whose font is stored
};

}  // namespace tessaro
