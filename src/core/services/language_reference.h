// The language reference of the help pages, made from the same tables the
// parser reads, so the help can never disagree with the program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// The operators a pupil may write, in table order (no unused slots, no
// internal markers), the attached "++" and "--" last.
std::vector<std::string_view> ReferenceOperators();

// `text` with "&", "<", ">" and '"' written as HTML entities.
std::string HtmlEscape(std::string_view text);

// HTML tables (Windows-1250 text): the operators by precedence group, the
// statement keywords, and the built-in functions with their hints.
// `with_hints`: the tables' hints are Polish, so other languages leave them out.
std::string OperatorReferenceHtml();
std::string KeywordReferenceHtml();
std::string BuiltinReferenceHtml(bool with_hints);

// The help pages hold these markers where the tables go.
inline constexpr std::string_view kOperatorMarker = "<!--OPERATORY-->";
inline constexpr std::string_view kKeywordMarker = "<!--SLOWA-->";
inline constexpr std::string_view kBuiltinMarker = "<!--FUNKCJE-->";

}  // namespace tessaro
