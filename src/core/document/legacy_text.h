// Rewriting block texts of the oldest file format into today's language.
//
// That format wrote assignments as "=" and comparisons as "=". The texts are
// short strings of at most 255 bytes; an insertion that would make one longer
// drops the characters pushed past the end.
#pragma once

#include <string>

namespace tessaro {

// Processing blocks: every "=" becomes ":=" (a=1 -> a:=1).
std::string RewriteOldestAssignments(const std::string& text);

// Conditions: every "=" that is not part of <=, >=, !=, =< or => becomes "=="
// (a=1 -> a==1).
std::string RewriteOldestComparisons(const std::string& text);

}  // namespace tessaro
