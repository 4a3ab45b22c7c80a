// Translation table of the information window Tinfo.
#pragma once

#include "core/i18n/window_texts.h"

namespace tessaro {

inline constexpr WindowText kInfoTexts[] = {
    {"Caption", "msg00388"},
    {"Label1", "msg00389"},
    {"Label2", "msg00390"},
    {"lblWersja", "msg00391"},  // followed by " " + the version text
    {"Image1.Text", "msg00392"},  // drawn on the banner,
    {"Label3", "msg00393"},
    {"BitBtn2", "msg00394"},
    {"Label4", "msg00395"},
    {"CheckBox1", "msg00396"},
    {"BitBtn1", "msg00397"},
};

}  // namespace tessaro
