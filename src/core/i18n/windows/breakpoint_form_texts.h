// Translation table of the breakpoint dialog TFormBreakPoint.
#pragma once

#include "core/i18n/window_texts.h"

namespace tessaro {

inline constexpr WindowText kBreakPointFormTexts[] = {
    {"Caption", "msg00426"},
    {"Label2", "msg00427"},
    {"BitBtn1", "msg00428"},
    {"BitBtn2", "msg00429"},
    {"RadioButton1", "msg00430"},
    {"RadioButton2", "msg00431"},
    {"CheckBox1", "msg00432"},
    {"Edit1", "msg00433"},
    {"BitBtn3.Hint", "msg00434"},
    {"BitBtn3", "msg00435"},
    {"CheckBox2", "msg00436"},
};

}  // namespace tessaro
