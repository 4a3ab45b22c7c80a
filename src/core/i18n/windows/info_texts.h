// Translation table of the information window Tinfo.
#pragma once

#include "core/i18n/window_texts.h"

namespace tessaro {

inline constexpr WindowText kInfoTexts[] = {
    {"Caption", "msg00388"},
    {"LabelAutor", "msg00389"},
    {"LabelAutorNazwa", "msg00390"},
    {"LabelWersja", "msg00391"},  // followed by " " + the version text
    {"LabelUwaga", "msg00392"},
    {"LabelZaproszenie", "msg00393"},
    {"BitBtnWyslij", "msg00394"},
    {"LabelId", "msg00395"},
    {"CheckBoxPokazPrzyStarcie", "msg00396"},
    {"BitBtnZamknij", "msg00397"},
};

}  // namespace tessaro
