// Linking with the mouse: Ctrl+click gives the selected block its first exit,
// Shift+click a condition's second exit.
#pragma once

#include <cstdint>
#include <vector>

#include "core/document/model.h"

namespace tessaro {

struct LinkOutcome {
  bool changed = false;    // a link was set or cleared
  bool refused = false;    // a refusal ends the drag
  std::vector<const char*> messages;  // message identifiers to show, in order
};

// Message identifiers of the refusals.
constexpr const char* kMsgLinkBack = "msgm00040";      // the target's same exit already leads back
constexpr const char* kMsgIntoNote = "msgm00041";      // no link into a note
constexpr const char* kMsgNotCondition = "msgm00070";  // only a condition has a second exit
constexpr const char* kMsgZeroSecond = "msged0005";    // element 0 cannot be a second exit

// p is the element selected before the click, g the element clicked. With p
// or g not a valid index nothing happens. Ctrl on p itself clears its first
// exit; Shift on p itself clears its second exit (0). A pair of blocks that
// lead to each other through the same exit is refused unless one of them is
// a condition (a loop of a body and its condition must be drawable).
LinkOutcome Polacz(std::vector<Tobj>& bloki, int32_t p, int32_t g, bool ctrl, bool shift);

}  // namespace tessaro
