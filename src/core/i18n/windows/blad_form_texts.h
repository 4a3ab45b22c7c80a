// Translation table of the failure dialog TBladForm.
#pragma once

#include "core/i18n/window_texts.h"

namespace tessaro {

inline constexpr WindowText kBladFormTexts[] = {
    {"Caption", "msg00413"},
    {"LabelOpis", "msg00414"},
    {"LabelTestuj", "msg00415"},
    {"LabelProsba", "msg00416"},
    {"LabelLub", "msg00417"},
    {"LabelEmail", "msg00418"},
    {"BitBtnWyslij", "msg00419"},
    {"LabelKontakt", "msg00420"},
    {"LabelZglaszanie", "msg00421"},
    {"BitBtnZamknij", "msg00422"},
    {"BitBtnIgnoruj", "msg00423"},
};

}  // namespace tessaro
