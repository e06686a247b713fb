// Turning a picture file into a metafile and its RTF picture group.
#pragma once

#include <string>

#include <velloran/fwd.hpp>

#include "picture/metafile.hpp"

namespace velloran::detail {

// Record one stretched copy of a bitmap of px x py pixels into the metafile
// at 20 logical units a pixel, or at the largest whole number below that
// keeps both sides within 16-bit coordinates (then with a window of that
// size); sets W and H to 20 times the pixel size. False for a side above
// 32767 pixels.
bool recordRaster(MetafileRecorder& recorder, std::int32_t px, std::int32_t py, float& W, float& H);

// Convert the picture file into a metafile in memory and append its picture
// group to out. width, height and scale are the picture's declared sizes and
// ScaleFactor. False, and out as it was, when the file cannot be read,
// loaded or converted. Makes no file.
bool ConvertPicture(std::string& out, const cPicture& picture, const std::string& file, float width, float height,
                    float scale);

}  // namespace velloran::detail
