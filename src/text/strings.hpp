// String routines shared by the writers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velloran::detail {

// Replace every occurrence of find in text. When replacement contains find,
// the search goes on after each inserted replacement; otherwise it starts
// again at the beginning, so occurrences made by joining are replaced too.
void ReplaceAll(std::string& text, const std::string& find, const std::string& replacement);

// Overwrite the character at every occurrence of find with the first
// character of replacement (an empty replacement overwrites nothing), then
// empty find and replacement.
void ReplaceChar(std::string& text, std::string& find, std::string& replacement);

// The 1-based position of the last occurrence of find that starts at or
// after start (0 counts as 1); 0 when there is none or either string is empty.
std::size_t InStrLast(std::string_view text, std::string_view find, std::size_t start);

// Host text as a document's information strings carry it: backslash,
// braces and control characters (tab included) as \'hh, each line break
// (CR LF, CR or LF) as a space, characters above U+007F as \u escapes,
// announced by "\uc1 " at the start of the string.
void appendEscapedInfo(std::string& out, std::string_view utf8);

// Host text as a font name in the font table: as an information string, but
// "\uc1" right before the first \u escape, and ";", which ends the entry,
// as \'3b.
void appendEscapedFontName(std::string& out, std::string_view utf8);

// Host text as a run carries it: tab as "\tab ", each line break (CR LF,
// CR or LF) as "\line ", the bullet U+2022 as "\bullet ", other control
// characters as \'hh, the rest as in a font name except ";".
void appendEscapedRunText(std::string& out, std::string_view utf8);

}  // namespace velloran::detail
