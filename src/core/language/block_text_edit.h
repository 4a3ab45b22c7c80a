// What the block editor stores for the text a pupil types: trimming, the
// operator replacement of conditions and statements, line breaks and the
// size a block text may have.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessaro {

// The most bytes of Windows-1250 one block text may hold: the file format
// stores its length in 16 bits.
constexpr size_t kMaxBlockTextBytes = 65535;

// Every "=" outside string literals (between apostrophes or between double
// quotes) that is not part of a longer operator becomes "==". An "=" in the first position, or after "=", "<", ">", "!",
// ":" or an arithmetic or bitwise operator (a compound assignment), or
// before "=", "<" or ">", stays.
std::string ReplaceConditionOperators(std::string_view text);

// The same test, but such an "=" becomes ":=". Then a double-quoted literal
// outside apostrophes becomes an apostrophe literal, unless it holds an
// apostrophe itself (it is a valid string token as it stands).
std::string ReplaceStatementOperators(std::string_view text);

// Blanks and control characters removed at both ends.
std::string_view TrimBlockText(std::string_view text);

// The text stored for `editor_text` (Windows-1250, CR LF line breaks) in a
// block of `kind`: trimmed, a single space when nothing is left, replaced as
// the kind needs when `replace_operators` is on. Nothing for the kinds whose
// text is not edited (start, end, junction, unknown).
std::optional<std::string> BlockTextFromEditor(std::string_view editor_text, int32_t kind,
                                               bool replace_operators);

// The editor works with line feeds; a block keeps CR LF, since the compiler
// cuts at carriage returns and the line count is the count of CRs.
std::string ToBlockLineBreaks(std::string_view editor_text);
std::string ToEditorLineBreaks(std::string_view block_text);

// Whether a block of `kind` shows its text in the editor.
bool IsEditableKind(int32_t kind);

}  // namespace tessaro
