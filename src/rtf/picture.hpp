// The RTF picture group that carries a metafile in hexadecimal lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <velloran/fwd.hpp>

#include "picture/metafile.hpp"

namespace velloran::rtf {

// Bytes as upper-case hexadecimal digits, two a byte, high digit first:
// hex receives 2 x count characters. The digits may go over the bytes
// themselves, from an earlier place in the same buffer, as long as they end
// no later than the bytes do (hex + 2 x count <= bytes + count).
void BytesToHex(const unsigned char* bytes, char* hex, std::size_t count);

// The characters of the hexadecimal lines of so many bytes: two digits a
// byte and CR LF after every line of up to 60000 bytes.
std::uint64_t hexLinesSize(std::uint64_t bytes);
// Where the digits of the byte at this offset go in the lines.
std::uint64_t hexPlace(std::uint64_t offset);

// Writes bytes as hexadecimal lines into room made for them. The bytes may
// lie ahead in the same buffer, when the digits of each byte end no later
// than the byte itself.
class HexLines {
public:
    explicit HexLines(char* at) : at_(at) {}
    void write(const char* bytes, std::size_t count);
    // End the last line, when one has begun; returns the place after it.
    char* finish();
    // End the last line and the picture group after it.
    void finishGroup() { *finish() = '}'; }

private:
    char* at_;
    std::size_t column_ = 0;  // bytes on the current line
};

// Append the bytes as hexadecimal lines.
void appendHexLines(std::string& out, std::string_view bytes);

// A whole number as the picture group writes it: decimal digits, "-" before
// negative values, a single space for zero.
void appendSingle(std::string& out, double wholeNumber);

// Append the picture group up to its hexadecimal lines, declaring W x H
// hundredths of a millimetre; false (appending nothing) when a size is out
// of range or the picture has no border.
bool appendPictureStart(std::string& out, const cPicture& picture, float W, float H);
// The whole picture group of a PNG or JPEG file kept as it is (kind "png"
// or "jpeg"), px by py pixels shown W by H hundredths of a millimetre.
bool appendBlipPicture(std::string& out, const cPicture& picture, std::string_view kind, std::string_view file,
                       std::int32_t px, std::int32_t py, float W, float H);

// Append the picture group that carries the metafile; false (appending
// nothing) when the metafile is empty, the picture has no border, or a size
// is out of range.
bool WritePictureRtf(std::string& out, const cPicture& picture, const detail::Metafile& metafile, float W, float H);

// The picture in two forms: as original() writes it for the readers that
// take a shape's picture ("\\shppict"), and as fallback() writes it for the
// others ("\\nonshppict"). False, appending nothing, when either fails.
template <class Original, class Fallback>
bool appendBothForms(std::string& out, Original&& original, Fallback&& fallback) {
    const std::size_t mark = out.size();
    out += "{\\*\\shppict";
    bool written = original();
    if (written) {
        out += "}{\\nonshppict";
        written = fallback();
    }
    if (!written) {
        out.resize(mark);
        return false;
    }
    out += '}';
    return true;
}

}  // namespace velloran::rtf
