// Turning a picture file into a metafile and its RTF picture group.
#pragma once

#include <string>

#include <velloran/fwd.hpp>

#include "picture/metafile.hpp"
#include "picture/raster.hpp"

namespace velloran::detail {

// The raster of a BMP, PNG, JPEG or GIF file; false for anything else.
bool loadRaster(std::string_view file, Raster& out);

// Record one raster into the metafile at 20 logical units a pixel, or at the
// largest whole number below that keeps both sides within 16-bit
// coordinates (then with a window of that size); sets W and H to 20 times
// the pixel size. False for a raster with a side above 32767 pixels.
bool recordRaster(MetafileRecorder& recorder, const Raster& raster, float& W, float& H);

// Convert the picture file into a metafile and write its picture group into
// the file at fragmentPath. width, height and scale are the picture's
// declared sizes and ScaleFactor. False, and no temporary file left, when
// the file cannot be loaded or converted.
bool ConvertPicture(const std::string& fragmentPath, const cPicture& picture, const std::string& file, float width,
                    float height, float scale);

}  // namespace velloran::detail
