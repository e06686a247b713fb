// Enhanced metafiles: their size and soundness, and what standard metafile
// shows them to readers that show no enhanced metafile.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velloran::detail {

// An enhanced metafile's size, from its header's frame, in hundredths of a
// millimetre.
struct EnhancedMetafile {
    std::int32_t width;
    std::int32_t height;
    std::size_t bytes;  // the length its header gives
};
// True for a file that starts with an enhanced metafile's header record
// (type 1, and " EMF" at byte 40).
bool isEnhancedMetafile(std::string_view file);
// Its size, or nothing when it is not sound: a header that does not fit,
// a frame without width or height, records that do not chain (each at
// least 8 bytes, a multiple of 4) from the header to an end-of-file record
// at the length the header gives, which the file must hold.
std::optional<EnhancedMetafile> readEnhancedMetafile(std::string_view file);

// A standard metafile (header, records, end record) of what a sound enhanced
// metafile draws with lines, polylines, polygons, rectangles and ellipses in
// its pens and brushes, in its own logical units, for readers that show no
// enhanced metafile. Text, bitmaps, curves, paths, clipping and transforms
// are left out. Nothing when a coordinate does not fit 16 bits or the file
// holds nothing of the kind.
std::optional<std::string> standardFromEnhanced(std::string_view file, std::size_t bytes);

}  // namespace velloran::detail
