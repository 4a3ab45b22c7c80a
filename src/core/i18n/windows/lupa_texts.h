// Translation table of the magnifier window Tlupa.
#pragma once

#include "core/i18n/window_texts.h"

namespace tessaro {

inline constexpr WindowText kLupaTexts[] = {
    {"Caption", "msg00405"},
};

}  // namespace tessaro
