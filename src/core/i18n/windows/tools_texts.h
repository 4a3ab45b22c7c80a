// Translation table of the block content editor window Ttools.
#pragma once

#include "core/i18n/window_texts.h"

namespace tessaro {

inline constexpr WindowText kToolsTexts[] = {
    {"Caption", "msg00350"},
    {"dpCode", "msg00351"},  // the panel that holds the window,
    {"LabelToolType", "msg00352"},
    {"ToolsStatusPanel0", "msg00353"},
    {"ToolsStatusPanel1", "msg00354"},  // while the text has no error,
    {"TBXButtonWstaw", "msg00355"},
    {"TBXButtonZamienTakNie.Hint", "msg00356"},
    {"acZmienKolorTekstu", "msg00357"},
    {"acZmienKolorObrysuj", "msg00358"},
    {"acZmienKolorWypelnienia", "msg00359"},
    {"acZmienCzcionke", "msg00360"},
    {"SynAutoComplete.EndOfTokenChr", "msg00361"},
    {"SynCompletionProposal.EndOfTokenChr", "msg00362"},
    {"SynCompletionProposal.TriggerChars", "msg00363"},
    {"SynCompletionProposal.Title", "msg00364"},
    {"SynCompletionProposal.EndOfTokenChr", "msg00365"},
    {"SynCompletionProposal.TriggerChars", "msg00366"},
    {"SynCompletionProposal.Title", "msg00367"},
};

}  // namespace tessaro
