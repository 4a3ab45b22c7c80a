// Translation table of the configuration dialog Tkonfiguracja.
#pragma once

#include "core/i18n/window_texts.h"

namespace tessaro {

inline constexpr WindowText kKonfiguracjaTexts[] = {
    {"Caption", "msg00439"},
    {"TabSheetWyglad", "msg00440"},
    {"TabSheetKompilator", "msg00441"},
    {"TabSheetAnaliza", "msg00442"},
    {"TabSheetInterfejs", "msg00443"},
    {"LabelWypelnienie", "msg00444"},
    {"LabelObrys", "msg00445"},
    {"LabelUwaga", "msg00446"},
    {"LabelPrzyklad", "msg00447"},
    {"ButtonCzcionka", "msg00448"},
    {"CheckBoxDynamiczneTablice", "msg00449"},
    {"CheckBoxPodswietlajBloki", "msg00450"},
    {"CheckBoxWielkoscLiter", "msg00451"},
    {"CheckBoxZamieniajOperator", "msg00452"},
    {"LabelZamieniajOperator", "msg00453"},
    {"CheckBoxKonsolaWejscie", "msg00454"},
    {"CheckBoxKonsolaWyjscie", "msg00455"},
    {"LabelMotyw", "msg00456"},
    {"RadioButtonOffice2003", "msg00457"},
    {"RadioButtonDefault", "msg00458"},
    {"RadioButtonAluminum", "msg00459"},
    {"ButtonPolozenieOkien", "msg00460"},
    {"ButtonPrzywrocDomyslne", "msg00461"},
    {"CheckBoxWersjaPilotazowa", "msg00462"},
    {"ButtonAnuluj", "msg00463"},
    {"ButtonOk", "msg00464"},
    {"LabelPrzykladUkryty", "msg00465"},  // the hidden sample whose font is stored
};

}  // namespace tessaro
