// Translation table of the analysis tools window Tcode.
#pragma once

#include "core/i18n/window_texts.h"

namespace tessaro {

inline constexpr WindowText kCodeTexts[] = {
    {"Caption", "msg00370"},
    {"dpNarzedzia", "msg00371"},
    {"TabSheet1", "msg00372"},
    {"TabSheet2", "msg00374"},
    {"TabSheet3", "msg00375"},
    {"TBXButton1", "msg00376"},
    {"TabSheet5", "msg00377"},
    {"TBXButton2", "msg00378"},
    {"TBXButton3", "msg00379"},
    {"TBXButton4", "msg00380"},
    {"TBXButton5", "msg00381"},
    {"TabSheetKonsola", "msg00382"},
    {"TBXButton6", "msg00384"},
    {"TBXButton7", "msg00385"},
    {"TBXLabel1", "msg00386"},
    {"TabSheet4", "msg00387"},
};

}  // namespace tessaro
