// cPicture: a picture file to embed in a paragraph, as a Windows metafile or as it is.
#pragma once

#include <memory>
#include <string>

#include <velloran/fwd.hpp>
#include <velloran/types.hpp>

namespace velloran {

class cPicture {
public:
    VELLORAN_API cPicture();

    std::string File;          // path of the picture file
    std::int32_t Width = 0;    // declared width, hundredths of a millimetre; 0 follows the picture
    std::int32_t Height = 0;   // declared height, same unit
    float ScaleFactor = 1.0f;  // factor on the picture's own size; not above 0 counts as 1
    std::shared_ptr<cBorder> Border;
    // eOriginal or eOriginalAndMetafile keep a PNG or JPEG file as it is, at
    // the size a metafile would have; other files, and values outside the
    // enumeration, are written as a metafile.
    vlRTFPictureEmbedding Embedding = eMetafile;
    // The declared size in twips, before Width and Height; not above 0 leaves
    // the side to them. One side in twips with nothing declared for the
    // other takes the other from the picture's own proportions (Width and
    // Height alone do not).
    std::int32_t WidthTwips = 0;
    std::int32_t HeightTwips = 0;
    // True: a picture's own size follows from the resolution its file
    // records (a PNG's pHYs, a JPEG's JFIF density, a BMP's pixels per metre;
    // a placeable metafile's own inches), a file that records none keeping
    // 20 hundredths of a millimetre a pixel.
    Boolean UseFileResolution = False;
};

}  // namespace velloran
