// Translation table of the input/output dialog TinputEdit.
#pragma once

#include "core/i18n/window_texts.h"

namespace tessaro {

inline constexpr WindowText kInputEditTexts[] = {
    {"Caption", "msg00406"},
    {"Label1", "msg00407"},
    {"Button2", "msg00408"},
    {"Button1", "msg00409"},
    {"OpenDialog.Title", "msg00410"},
    {"SaveDialog.Title", "msg00411"},
};

}  // namespace tessaro
