#include "core/language/split_search.h"

#include <array>
#include <bit>

#include "core/language/expression_tree.h"
#include "core/language/operator_table.h"
#include "core/language/text_rules.h"

namespace tessaro {

namespace {

constexpr uint8_t kNotAnOperator = 0xFF;
constexpr uint8_t Kind(TNodeKind k) { return k; }

constexpr bool IsWordOperator(std::string_view o) { return !o.empty() && o[0] >= 'a' && o[0] <= 'z'; }

constexpr bool IsSearched(int slot) { return !IsFillerSlot(slot); }

// --- Tables derived once from the operator table -------------------------

// The slots whose text begins with a given byte, so that one right-to-left
// scan can test every operator at every position.
struct SlotList {
  std::array<uint8_t, 8> slots{};
  int count = 0;
};

constexpr std::array<SlotList, 256> BuildSlotsByFirstByte() {
  std::array<SlotList, 256> table{};
  for (int s = 0; s < kOperatorSlotCount; ++s) {
    if (!IsSearched(s)) continue;
    SlotList& list = table[static_cast<unsigned char>(kOperators[s].Text[0])];
    list.slots[list.count++] = static_cast<uint8_t>(s);
  }
  return table;
}
constexpr std::array<SlotList, 256> kSlotsByFirstByte = BuildSlotsByFirstByte();

// For a symbol operator, the longer symbol operators that contain it and the
// offset at which they do: an occurrence that is part of one of those does not
// count ("=" inside "==", "<" inside "<<", "-" inside "->", ...).
struct Overlap {
  uint8_t slot = 0;
  uint8_t offset = 0;
};
struct OverlapList {
  std::array<Overlap, 16> items{};
  int count = 0;
};

constexpr std::array<OverlapList, kOperatorSlotCount> BuildOverlaps() {
  std::array<OverlapList, kOperatorSlotCount> table{};
  for (int s = 0; s < kOperatorSlotCount; ++s) {
    const std::string_view o = kOperators[s].Text;
    if (!IsSearched(s) || IsWordOperator(o)) continue;
    for (int l = 0; l < kOperatorSlotCount; ++l) {
      const std::string_view longer = kOperators[l].Text;
      if (!IsSearched(l) || IsWordOperator(longer) || longer.size() <= o.size()) continue;
      for (size_t k = 0; k + o.size() <= longer.size(); ++k) {
        if (longer.substr(k, o.size()) == o) {
          table[s].items[table[s].count++] = {static_cast<uint8_t>(l), static_cast<uint8_t>(k)};
        }
      }
    }
  }
  return table;
}
constexpr std::array<OverlapList, kOperatorSlotCount> kOverlaps = BuildOverlaps();

// --- Characters around an occurrence -------------------------------------

// The character before index i; before the first character, the first itself.
char CharBefore(std::string_view t, size_t i) { return i == 0 ? t[0] : t[i - 1]; }

// No character past the end counts as an identifier character.
bool IdentifierAt(std::string_view t, size_t i) { return i >= t.size() || IsIdentifierChar(t[i]); }

bool PartOfLongerOperator(std::string_view t, size_t i, int slot) {
  const OverlapList& list = kOverlaps[slot];
  for (int k = 0; k < list.count; ++k) {
    const Overlap& o = list.items[k];
    if (o.offset > i) continue;
    if (t.substr(i - o.offset).starts_with(kOperators[o.slot].Text)) return true;
  }
  return false;
}

// --- Classification of an operator text at a position --------------------

// The first "not" of the prefix (the first `count` characters of t) stands
// alone when the nearest non-blank before it is no identifier character, or
// when it is one and the nearest non-blank after it is not. The characters
// around it are looked up in the whole text, so «not !b» is "not" applied to
// «!b»; positions outside the text count as identifier characters.
bool HasLoneNot(std::string_view t, size_t count) {
  const size_t k = t.substr(0, count).find("not");
  if (k == std::string_view::npos) return false;
  bool before_ident = true;
  if (k == 0) {
    before_ident = IsIdentifierChar(t[0]);
  } else {
    for (size_t j = k; j-- > 0;) {
      if (t[j] != ' ') {
        before_ident = IsIdentifierChar(t[j]);
        break;
      }
    }
  }
  if (!before_ident) return true;
  for (size_t j = k + 3; j < t.size(); ++j) {
    if (t[j] != ' ') return !IsIdentifierChar(t[j]);
  }
  return false;
}

// A prefix operator counts only when no other prefix operator stands in the
// first (position - length) characters, so a chain «!!a» splits at its first.
bool PrefixOperatorCounts(std::string_view t, size_t i, std::string_view o) {
  const int64_t signed_count = static_cast<int64_t>(i) + 1 - static_cast<int64_t>(o.size());
  const size_t count = signed_count > 0 ? static_cast<size_t>(signed_count) : 0;
  if (t.substr(0, count).find_first_of("!~@") != std::string_view::npos) return false;
  return !HasLoneNot(t, count);
}

uint8_t Classify(std::string_view t, size_t i, int slot) {
  const std::string_view o = kOperators[slot].Text;
  const size_t after = i + o.size();
  uint8_t kind = kBinaryNode;
  if (o == ".") {
    kind = after < t.size() && !IsDecimalDigit(t[after]) ? Kind(kMemberNode) : kNotAnOperator;
  } else if (o == ",") {
    kind = kListNode;
  } else if (o == "[" || o == "(") {
    kind = IsIdentifierChar(CharBefore(t, i)) ? Kind(o == "[" ? kIndexedNode : kCallNode) : kNotAnOperator;
  } else if (o == "]" || o == ")" || o == "^.") {
    kind = kNotAnOperator;
  } else if (o == "!" || o == "not" || o == "~" || o == "@") {
    kind = PrefixOperatorCounts(t, i, o) ? Kind(kPrefixNode) : kNotAnOperator;
  }
  // Word operators need a boundary; at the very start or end of a text they
  // therefore never count.
  if (o == "not" && IdentifierAt(t, after)) return kNotAnOperator;
  if (IsWordOperator(o) && o != "not" &&
      (IsIdentifierChar(CharBefore(t, i)) || IdentifierAt(t, after))) {
    return kNotAnOperator;
  }
  return kind;
}

struct Candidate {
  int depth;
  size_t position;
  uint8_t kind;
};

// The candidates found so far; a slot's entry is valid only where its bit in
// `found` is set, so a search does not clear or visit every slot of the table.
struct Candidates {
  static_assert(kOperatorSlotCount <= 64);
  uint64_t found = 0;
  std::array<Candidate, kOperatorSlotCount> best;

  bool Has(int s) const { return (found >> s) & 1U; }
  void Set(int s, const Candidate& c) {
    best[s] = c;
    found |= uint64_t{1} << s;
  }
};

// The shallowest, then rightmost, occurrence of every operator, in one scan
// from the right end. Quoted text is skipped, counting apostrophes from the
// right; brackets change the depth, and a call or index bracket is itself a
// candidate at the depth outside it.
void CollectCandidates(std::string_view t, Candidates& out) {
  int depth = 0;
  int quotes = 0;
  for (size_t i = t.size(); i-- > 0;) {
    const char c = t[i];
    if (c == kQuote) ++quotes;
    if (quotes % 2 == 1) continue;
    const bool opening = c == '(' || c == '[';
    if (opening && IsIdentifierChar(CharBefore(t, i))) {
      --depth;
    } else if (opening) {
      --depth;
      continue;
    } else if (c == ')' || c == ']') {
      ++depth;
      continue;
    }
    const SlotList& slots = kSlotsByFirstByte[static_cast<unsigned char>(c)];
    for (int k = 0; k < slots.count; ++k) {
      const int s = slots.slots[k];
      if (out.Has(s) && depth >= out.best[s].depth) continue;
      if (!t.substr(i).starts_with(kOperators[s].Text)) continue;
      if (PartOfLongerOperator(t, i, s)) continue;
      const uint8_t kind = Classify(t, i, s);
      if (kind != kNotAnOperator) out.Set(s, {depth, i, kind});
    }
  }
}

}  // namespace

bool IsIdentifierChar(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
         c == kDecrementMarker || c == kIncrementMarker;
}

// Choosing among the operators' candidates, visiting the slots from the
// loosest group to the tightest: the smaller depth wins; at equal depth the
// looser group (visited first) stays; within one group the occurrence that
// ends further right wins, so binary operators group to the left.
std::optional<TSplit> FindSplit(std::string_view text) {
  Candidates found;
  CollectCandidates(text, found);
  const std::array<Candidate, kOperatorSlotCount>& best = found.best;
  int chosen = -1;
  for (uint64_t rest = found.found; rest != 0;) {
    const int s = 63 - std::countl_zero(rest);
    rest &= ~(uint64_t{1} << s);
    const Candidate& c = best[s];
    if (chosen < 0) {
      chosen = s;
      continue;
    }
    const Candidate& b = best[chosen];
    const bool shallower = c.depth < b.depth;
    const bool same_group_further_right =
        c.depth == b.depth && kOperators[s].Group == kOperators[chosen].Group &&
        c.position + kOperators[s].Text.size() > b.position + kOperators[chosen].Text.size();
    if (shallower || same_group_further_right) chosen = s;
  }
  if (chosen < 0) return std::nullopt;
  return TSplit{chosen, best[chosen].position, kOperators[chosen].Text.size(), best[chosen].kind};
}

}  // namespace tessaro
