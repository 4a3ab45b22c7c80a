#include "core/document/block_links.h"

namespace tessaro {

LinkOutcome Polacz(std::vector<Tobj>& bloki, int32_t p, int32_t g, bool ctrl, bool shift) {
  LinkOutcome out;
  const auto valid = [&](int32_t i) { return i >= 0 && static_cast<size_t>(i) < bloki.size(); };
  if (!valid(g) || (!ctrl && !shift)) return out;
  if (bloki[g].Blok == Notatka) {
    out.refused = true;
    out.messages.push_back(kMsgIntoNote);
    return out;
  }
  if (!valid(p)) return out;
  Tobj& from = bloki[p];
  const Tobj& to = bloki[g];
  const bool loop_allowed = from.Blok == Warunek || to.Blok == Warunek;
  if (ctrl) {
    if (g == p) {
      from.Link1 = -1;
      out.changed = true;
    } else if (to.Link1 == p && !loop_allowed) {
      out.refused = true;
      out.messages.push_back(kMsgLinkBack);
    } else {
      from.Link1 = g;
      out.changed = true;
    }
  }
  if (shift) {
    if (from.Blok != Warunek) {
      out.refused = true;
      out.messages.push_back(kMsgNotCondition);
    } else if (g == p) {
      from.Link2 = 0;
      out.changed = true;
    } else if (g == 0) {
      out.refused = true;
      out.messages.push_back(kMsgZeroSecond);
    } else {
      // from is a condition, so a pair leading back is a loop and allowed.
      from.Link2 = g;
      out.changed = true;
    }
  }
  return out;
}

}  // namespace tessaro
