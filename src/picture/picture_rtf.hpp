// The RTF picture group that carries a metafile in hexadecimal lines.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <velloran/fwd.hpp>

namespace velloran::detail {

// Bytes as upper-case hexadecimal digits, two a byte, high digit first:
// hex receives 2 x count characters.
void BytesToHex(const unsigned char* bytes, char* hex, std::size_t count);

// The metafile's bytes in lines of the digits of up to 60000 bytes, each
// followed by CR LF.
void appendHexLines(std::string& out, std::string_view bytes);

// A whole number as the picture group writes it: decimal digits, "-" before
// negative values, a single space for zero.
void appendSingle(std::string& out, double wholeNumber);

// Append the picture group for the metafile file at metafilePath, declaring
// W x H hundredths of a millimetre; false (appending nothing) when the file
// is missing or empty, the picture has no border, or a size is out of range.
bool WritePictureRtf(std::string& out, const cPicture& picture, const std::string& metafilePath, float W, float H);

}  // namespace velloran::detail
