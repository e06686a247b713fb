// String routines shared by the writers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velloran::rtf {

// Host text as a document's information strings carry it: backslash,
// braces and control characters (tab included) as \'hh, each line break
// (CR LF, CR or LF) as a space, characters above U+007F as \u escapes,
// announced by "\uc1 " at the start of the string.
void appendEscapedInfo(std::string& out, std::string_view utf8);

// Host text as a font name in the font table: as an information string, but
// "\uc1" right before the first \u escape, backslash and braces as control
// symbols, and without ";", which would end the entry.
void appendEscapedFontName(std::string& out, std::string_view utf8);

// Host text as a run carries it: tab as "\tab ", each line break (CR LF,
// CR or LF) as "\line ", the bullet U+2022 as "\bullet ", other control
// characters as \'hh, the rest as in a font name except ";".
void appendEscapedRunText(std::string& out, std::string_view utf8);

}  // namespace velloran::rtf
