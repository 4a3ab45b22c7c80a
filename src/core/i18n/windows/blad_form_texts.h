// Translation table of the failure dialog TBladForm.
#pragma once

#include "core/i18n/window_texts.h"

namespace tessaro {

inline constexpr WindowText kBladFormTexts[] = {
    {"Caption", "msg00413"},
    {"Label1", "msg00414"},
    {"Label2", "msg00415"},
    {"Label3", "msg00416"},
    {"Label4", "msg00417"},
    {"Label5", "msg00418"},
    {"BitBtn2", "msg00419"},
    {"Label6", "msg00420"},
    {"Label7", "msg00421"},
    {"BitBtn1", "msg00422"},
    {"BitBtn3", "msg00423"},
};

}  // namespace tessaro
