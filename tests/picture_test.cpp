// Pictures: the picture group, the metafiles we record, loading every
// format, and InsertPicture, which makes no file.
#include <zlib.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "common/files.hpp"
#include "picture/convert.hpp"
#include "rtf/picture.hpp"
#include "picture/resolution.hpp"
#include "picture_files.hpp"
#include "support.hpp"

namespace velloran {
namespace {

namespace fs = std::filesystem;
using test::errorOf;

const std::string NoBorder = R"(\brdrt\brdrnone\brdrb\brdrnone\brdrl\brdrnone\brdrr\brdrnone)";

std::uint32_t get16(std::string_view d, std::size_t at) {
    return static_cast<unsigned char>(d[at]) | static_cast<unsigned char>(d[at + 1]) << 8;
}
std::uint32_t get32(std::string_view d, std::size_t at) { return get16(d, at) | get16(d, at + 2) << 16; }

struct Record {
    std::uint16_t function;
    std::string_view words;  // the parameters
};

// The records of a standard metafile, checking its header on the way.
std::vector<Record> records(std::string_view m) {
    std::vector<Record> out;
    EXPECT_GE(m.size(), 18u);
    EXPECT_EQ(get16(m, 0), 1u);
    EXPECT_EQ(get16(m, 2), 9u);
    EXPECT_EQ(get16(m, 4), 0x0300u);
    EXPECT_EQ(get32(m, 6) * 2, m.size());
    std::uint32_t largest = 0;
    for (std::size_t at = 18; at < m.size();) {
        std::size_t bytes = get32(m, at) * 2;
        largest = std::max<std::uint32_t>(largest, get32(m, at));
        out.push_back({static_cast<std::uint16_t>(get16(m, at + 4)), m.substr(at + 6, bytes - 6)});
        at += bytes;
    }
    EXPECT_EQ(get32(m, 12), largest);
    EXPECT_TRUE(!out.empty() && out.back().function == 0);
    return out;
}

// The metafile bytes inside a picture group, from its hexadecimal lines.
std::string metafileOf(const std::string& group) {
    std::string bytes;
    std::size_t at = group.find("\r\n") + 2;
    while (at + 1 < group.size() && group[at] != '}') {
        if (group[at] == '\r') {
            at += 2;
            continue;
        }
        bytes += static_cast<char>(std::stoi(group.substr(at, 2), nullptr, 16));
        at += 2;
    }
    return bytes;
}

class Pictures : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = test::testFolder("velloran-pictures");
        fs::remove_all(root_);
        fs::create_directories(root_ / "tmp");
        fs::create_directories(root_ / "in");
        const char* old = std::getenv("TMPDIR");
        oldTmp_ = old ? old : "";
        ::setenv("TMPDIR", (root_ / "tmp").c_str(), 1);
    }
    void TearDown() override {
        if (oldTmp_.empty()) ::unsetenv("TMPDIR");
        else ::setenv("TMPDIR", oldTmp_.c_str(), 1);
        fs::remove_all(root_);
    }
    std::string file(const std::string& name, const std::string& content) {
        std::string path = (root_ / "in" / name).string();
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    bool tempFolderEmpty() const { return fs::is_empty(root_ / "tmp"); }
    // The group that inserting a picture of this file appends to a new paragraph.
    std::string groupOf(const std::shared_ptr<cPicture>& picture) {
        cParagraph p;
        EXPECT_EQ(p.InsertPicture(picture), True);
        EXPECT_TRUE(tempFolderEmpty());
        return Access::content(p);
    }
    std::shared_ptr<cPicture> picture(const std::string& path, float scale = 1) {
        auto pic = std::make_shared<cPicture>();
        pic->File = path;
        pic->ScaleFactor = scale;
        return pic;
    }
    fs::path root_;
    std::string oldTmp_;
    cDocument doc;
};

detail::Metafile metafileOfBytes(std::string bytes) {
    detail::Metafile m;
    m.head = std::move(bytes);
    return m;
}

TEST_F(Pictures, GroupWorkedExample) {
    const detail::Metafile meta = metafileOfBytes(std::string(300, '\xAB'));
    cPicture pic;
    std::string hex;
    for (int i = 0; i < 300; ++i) hex += "AB";
    std::string out = "before";
    ASSERT_TRUE(rtf::WritePictureRtf(out, pic, meta, 2000, 1000));
    EXPECT_EQ(out,
              "before{\\pict\\wmetafile8\\picscalex100\\picscaley100\\picw2000\\pich1000\\picwgoal1136"
              "\\pichgoal568\\picbpp1 " +
                  NoBorder + "\r\n" + hex + "\r\n}");
}

TEST_F(Pictures, HexLinesOf60000Bytes) {
    std::string out;
    rtf::appendHexLines(out, std::string(60000, '\x0A'));
    EXPECT_EQ(out.size(), 120002u);
    EXPECT_EQ(out.substr(0, 4), "0A0A");
    EXPECT_EQ(out.substr(120000), "\r\n");
    out.clear();
    std::string bytes(60001, '\0');
    bytes[60000] = '\xFF';
    rtf::appendHexLines(out, bytes);
    EXPECT_EQ(out.size(), 120000u + 2 + 2 + 2);
    EXPECT_EQ(out.substr(120000), "\r\nFF\r\n");
    out.clear();
    rtf::appendHexLines(out, "");
    EXPECT_EQ(out, "");
    char hex[4];
    const unsigned char b[] = {0xAB, 0x0A};
    rtf::BytesToHex(b, hex, 2);
    EXPECT_EQ(std::string(hex, 4), "AB0A");
}

TEST_F(Pictures, GroupSizesAndBorder) {
    const detail::Metafile meta = metafileOfBytes("xy");
    cPicture pic;
    auto first = [&](float w, float h) {
        std::string out;
        EXPECT_TRUE(rtf::WritePictureRtf(out, pic, meta, w, h));
        return detail::resolved(out.substr(0, out.find("\r\n")));
    };
    EXPECT_NE(first(1, 1).find("\\picw1\\pich1\\picwgoal \\pichgoal \\picbpp1 "), std::string::npos);
    EXPECT_NE(first(0.4f, 0).find("\\picw1\\pich1\\picwgoal "), std::string::npos);
    EXPECT_NE(first(2.5f, 3.5f).find("\\picw2\\pich4\\picwgoal1\\pichgoal2\\"), std::string::npos);
    EXPECT_NE(first(-500, 1760).find("\\picw-500\\pich1760\\picwgoal-285\\pichgoal1000\\"), std::string::npos);
    EXPECT_NE(first(20000000, 1).find("\\picw20000000\\pich1\\picwgoal11363636\\"), std::string::npos);
    // Goal sizes are single-precision values too.
    EXPECT_NE(first(2147483520.0f, 1).find("\\picwgoal1220161152\\"), std::string::npos);
    pic.Border->LeftVisible = True;
    EXPECT_TRUE(
        first(2000, 1000)
            .ends_with(R"(\picbpp1 \brdrt\brdrnone\brdrb\brdrnone\brdrl\brdrs\brdrcf1\brdrw20\brdrr\brdrnone)"));
    std::string out = "kept";
    EXPECT_FALSE(rtf::WritePictureRtf(out, pic, meta, 3e9f, 1));
    EXPECT_FALSE(rtf::WritePictureRtf(out, pic, metafileOfBytes(""), 1, 1));
    pic.Border = nullptr;
    EXPECT_FALSE(rtf::WritePictureRtf(out, pic, meta, 1, 1));
    EXPECT_EQ(out, "kept");
}

TEST_F(Pictures, BitmapAtScaleOneIsOneStretchedCopy) {
    std::string group = groupOf(picture(file("p.bmp", test::bmpFile(100, 50))));
    EXPECT_TRUE(
        group.starts_with("{\\pict\\wmetafile8\\picscalex100\\picscaley100\\picw2000\\pich1000"
                          "\\picwgoal1136\\pichgoal568\\picbpp1 " +
                          NoBorder + "\r\n"));
    EXPECT_TRUE(group.ends_with("\r\n}"));
    std::string m = metafileOf(group);
    auto r = records(m);
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(get16(m, 10), 0u);  // no objects
    EXPECT_EQ(r[0].function, 0x0103);
    EXPECT_EQ(get16(r[0].words, 0), 8u);
    EXPECT_EQ(r[1].function, 0x0107);
    EXPECT_EQ(get16(r[1].words, 0), 3u);
    ASSERT_EQ(r[2].function, 0x0F43);
    std::string_view dib = r[2].words;
    EXPECT_EQ(get32(dib, 0), 0x00CC0020u);
    // source height, width, y, x; destination height, width, y, x
    const std::uint32_t expected[] = {50, 100, 0, 0, 1000, 2000, 0, 0};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(get16(dib, 6 + 2 * i), expected[i]) << i;
    EXPECT_EQ(get32(dib, 22), 40u);
    EXPECT_EQ(get32(dib, 26), 100u);
    EXPECT_EQ(get32(dib, 30), 50u);
    EXPECT_EQ(get16(dib, 36), 24u);
    // Bottom row first, blue green red: pixel (7, 49) comes first but for 7 pixels.
    std::string_view pixels = dib.substr(62);
    EXPECT_EQ(pixels.size(), 300u * 50);
    EXPECT_EQ(static_cast<unsigned char>(pixels[7 * 3]), 200);
    EXPECT_EQ(static_cast<unsigned char>(pixels[7 * 3 + 1]), 49);
    EXPECT_EQ(static_cast<unsigned char>(pixels[7 * 3 + 2]), 7);
}

TEST_F(Pictures, DeclaredSizeChangesOnlyTheGroup) {
    std::string path = file("p.bmp", test::bmpFile(100, 50));
    auto plain = picture(path);
    auto declared = picture(path);
    declared->Width = 3000;
    std::string a = groupOf(plain), b = groupOf(declared);
    EXPECT_NE(b.find("\\picw3000\\pich1000\\picwgoal1704\\pichgoal568"), std::string::npos);
    EXPECT_EQ(metafileOf(a), metafileOf(b));
    declared->Width = 5000, declared->Height = 0;
    EXPECT_NE(groupOf(declared).find("\\picw5000\\pich1000"), std::string::npos);
}

TEST_F(Pictures, SizesInTwipsAndFromTheFilesResolution) {
    // The test BMP records 3780 pixels a metre, 96 an inch: 100 x 50 pixels
    // are 1500 x 750 twips, where 20 units a pixel make 1136 x 568.
    std::string path = file("p.bmp", test::bmpFile(100, 50));
    auto pic = picture(path);
    const std::string plain = groupOf(pic);
    pic->UseFileResolution = True;
    std::string own = groupOf(pic);
    EXPECT_NE(own.find("\\picw2640\\pich1320\\picwgoal1500\\pichgoal750"), std::string::npos) << own.substr(0, 90);
    EXPECT_EQ(metafileOf(own), metafileOf(plain));
    // A side in twips alone takes the other from the picture's proportions
    // (its own size at its resolution: 1500 x 750 twips).
    pic->WidthTwips = 2880;
    EXPECT_NE(groupOf(pic).find("\\picwgoal2880\\pichgoal1440"), std::string::npos);
    pic->WidthTwips = 0, pic->HeightTwips = 300;
    EXPECT_NE(groupOf(pic).find("\\picwgoal600\\pichgoal300"), std::string::npos);
    pic->HeightTwips = 0;
    // Declared twips come first, then hundredths of a millimetre, each side alone.
    pic->WidthTwips = 2880, pic->Width = 3000, pic->Height = 1000;
    EXPECT_NE(groupOf(pic).find("\\picwgoal2880\\pichgoal568"), std::string::npos);
    pic->UseFileResolution = False, pic->WidthTwips = -5, pic->HeightTwips = 100;
    EXPECT_NE(groupOf(pic).find("\\picw3000\\pich176\\picwgoal1704\\pichgoal100"), std::string::npos);
    // A placeable metafile's own inches: 1000 x 500 units at 960 an inch, halved.
    auto meta = picture(file("v.wmf", test::placeableFile(1000, 500, 960)), 0.5f);
    meta->UseFileResolution = True;
    EXPECT_NE(groupOf(meta).find("\\picwgoal750\\pichgoal375"), std::string::npos);
    // A JPEG whose JFIF gives only the pixels' shape keeps 20 units a pixel.
    auto jpeg = picture(file("g.jpg", test::jpegFile(8, 6)));
    const std::string jpegPlain = groupOf(jpeg);
    jpeg->UseFileResolution = True;
    EXPECT_EQ(groupOf(jpeg), jpegPlain);

    auto resolution = [](std::string bytes) { return detail::fileResolution(bytes); };
    auto pngWith = [](std::uint32_t x, std::uint32_t y, char unit) {
        std::string png("\x89PNG\r\n\x1a\n\0\0\0\x0DIHDR", 16);
        png += std::string(13 + 4, '\0');
        png += std::string("\0\0\0\x09pHYs", 8);
        for (std::uint32_t v : {x, y})
            for (int shift : {24, 16, 8, 0}) png += static_cast<char>(v >> shift & 0xFF);
        return png + unit + "crc!" + std::string("\0\0\0\0IDAT", 8);
    };
    auto png = resolution(pngWith(11811, 3937, 1));
    ASSERT_TRUE(png);
    EXPECT_NEAR(png->x, 300, 0.01);
    EXPECT_NEAR(png->y, 100, 0.01);
    EXPECT_FALSE(resolution(pngWith(11811, 11811, 0)));  // only the pixels' shape
    EXPECT_FALSE(resolution(pngWith(0, 11811, 1)));
    auto jfif = [](char unit, int x, int y) {
        std::string j("\xFF\xD8\xFF\xE0\0\x10JFIF\0\1\2", 13);
        j += unit;
        for (int v : {x, y}) j += static_cast<char>(v >> 8), j += static_cast<char>(v & 0xFF);
        return j + std::string("\0\0\xFF\xDA", 4);
    };
    ASSERT_TRUE(resolution(jfif(1, 300, 600)));
    EXPECT_EQ(resolution(jfif(1, 300, 600))->y, 600);
    EXPECT_NEAR(resolution(jfif(2, 118, 118))->x, 299.72, 0.001);
    EXPECT_FALSE(resolution(jfif(0, 1, 1)));
    EXPECT_FALSE(resolution(jfif(1, 300, 600).substr(0, 16)));  // cut short
    std::string bmp = test::bmpFile(2, 2);
    bmp[14] = 12;  // the old core header records no resolution
    EXPECT_FALSE(resolution(bmp));
    EXPECT_FALSE(resolution(test::gifFile(2, 2)));
}

TEST_F(Pictures, ScaleFactorResamplesRasters) {
    std::string group = groupOf(picture(file("p.bmp", test::bmpFile(100, 50)), 2));
    EXPECT_NE(group.find("\\picw4000\\pich2000"), std::string::npos);
    std::string m = metafileOf(group);
    auto r = records(m);
    ASSERT_EQ(r.size(), 4u);
    std::string_view dib = r[2].words;
    EXPECT_EQ(get16(dib, 6), 100u);
    EXPECT_EQ(get16(dib, 8), 200u);
    EXPECT_EQ(get16(dib, 14), 2000u);
    EXPECT_EQ(get16(dib, 16), 4000u);
    // Nearest pixel: canvas pixel (2x+1, 2y+1) is source pixel (x, y).
    std::string_view pixels = dib.substr(62);
    std::size_t stride = 600;
    auto at = [&](int x, int y) { return pixels.substr(stride * (99 - y) + x * 3, 3); };
    EXPECT_EQ(at(2 * 30 + 1, 2 * 20 + 1), std::string("\xC8\x14\x1E", 3));
    // Zero, negative and not-a-number factors count as 1; the picture keeps them.
    std::string path = file("q.bmp", test::bmpFile(10, 10));
    std::string one = groupOf(picture(path));
    for (float s : {0.0f, -2.0f, std::nanf("")}) {
        auto pic = picture(path, s);
        EXPECT_EQ(groupOf(pic), one);
        EXPECT_TRUE(pic->ScaleFactor == s || std::isnan(s));
    }
}

TEST_F(Pictures, PlaceableMetafileRecordsAreReplayed) {
    // 1000 x 500 units at 960 a inch shows as 100 x 50 pixels.
    std::string source = test::placeableFile(1000, 500, 960);
    std::string group = groupOf(picture(file("v.wmf", source), 0.5f));
    EXPECT_NE(group.find("\\picw1000\\pich500\\"), std::string::npos);
    std::string m = metafileOf(group);
    auto r = records(m);
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0].function, 0x0103);
    EXPECT_EQ(r[1].function, 0x041B);
    EXPECT_EQ(std::string(r[1].words), source.substr(22 + 18 + 6, 8));
    std::string unscaled = groupOf(picture(file("v.wmf", source)));
    EXPECT_NE(unscaled.find("\\picw2000\\pich1000\\"), std::string::npos);
    EXPECT_EQ(metafileOf(unscaled), m);
}

TEST_F(Pictures, EveryFormatLoadsWithTransparencyOnWhite) {
    // Pixels are blue, green, red.
    detail::Raster r;
    ASSERT_TRUE(detail::loadRaster(test::pngFile(4, 2), r));
    EXPECT_EQ(r.width, 4);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(r.row(1)), 12),
              std::string("\0\0\xFF\0\0\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 12));
    ASSERT_TRUE(detail::loadRaster(test::jpegFile(16, 8), r));
    EXPECT_EQ(r.height, 8);
    EXPECT_NEAR(r.row(4)[5 * 3], 128, 3);
    ASSERT_TRUE(detail::loadRaster(test::gifFile(3, 2), r));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(r.row(1)), 9), std::string("\xFF\xFF\xFF\xFF\0\0\xFF\0\0", 9));
    ASSERT_TRUE(detail::loadRaster(test::bmpFile(3, 2), r));
    EXPECT_EQ(r.row(1)[5], 1);
    EXPECT_EQ(r.row(1)[4], 1);
    for (const std::string& f : {test::pngFile(5, 3), test::jpegFile(5, 3), test::gifFile(5, 3)}) {
        auto group = groupOf(picture(file("f", f)));
        EXPECT_NE(group.find("\\picw100\\pich60\\"), std::string::npos);
    }
}

TEST_F(Pictures, BmpVariants) {
    // 8 bits a pixel with a palette of two colours, top-down.
    std::string f = test::bmpFile(2, 2);
    std::string pal(54 + 8 + 8, '\0');
    pal.replace(0, 54, f.substr(0, 54));
    auto p32 = [](std::string& s, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    p32(pal, 10, 62);
    p32(pal, 22, static_cast<std::uint32_t>(-2));  // top-down
    pal[28] = 8, pal[29] = 0;
    p32(pal, 46, 2);
    pal.replace(54, 8, std::string("\x00\x00\xFF\x00\xFF\x00\x00\x00", 8));  // red, blue
    pal.replace(62, 8, std::string("\x00\x01\x00\x00\x01\x00\x00\x00", 8));
    detail::Raster r;
    ASSERT_TRUE(detail::readBmp(pal, r));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(r.row(0)), 6), std::string("\0\0\xFF\xFF\0\0", 6));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(r.row(1)), 6), std::string("\xFF\0\0\0\0\xFF", 6));
    // RLE8: a run of three of colour 1, end of line, end of bitmap.
    std::string rle = pal;
    rle[30] = 1;
    p32(rle, 22, 1);
    p32(rle, 18, 4);
    rle.replace(62, 8, std::string("\x03\x01\x00\x00\x00\x01\x00\x00", 8));
    ASSERT_TRUE(detail::readBmp(rle, r));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(r.row(0)), 12),
              std::string("\xFF\0\0\xFF\0\0\xFF\0\0\xFF\xFF\xFF", 12));
    // RLE data that runs out with rows left to fill.
    std::string cut = rle;
    cut.replace(62, 8, std::string("\x03\x01\x00\x00\x03\x01\x00\x00", 8));
    p32(cut, 22, 4);
    EXPECT_FALSE(detail::readBmp(cut.substr(0, 66), r));
    EXPECT_FALSE(detail::readBmp(pal.substr(0, 60), r));          // the palette cut short
    EXPECT_FALSE(detail::readBmp(f.substr(0, f.size() - 1), r));  // pixels cut short
}

// A 32-bit bitmap with bit fields and an alpha mask (a version 3 header).
std::string bmpWithAlpha(std::uint8_t first, std::uint8_t second) {
    std::string f(14 + 56 + 8, '\0');
    auto p32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) f[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    f[0] = 'B', f[1] = 'M';
    p32(2, static_cast<std::uint32_t>(f.size()));
    p32(10, 70), p32(14, 56), p32(18, 2), p32(22, 1);
    f[26] = 1, f[28] = 32;
    p32(30, 3);
    p32(54, 0x00FF0000), p32(58, 0x0000FF00), p32(62, 0x000000FF), p32(66, 0xFF000000);
    p32(70, 0x00FF0000u | static_cast<std::uint32_t>(first) << 24);  // red
    p32(74, 0x00FF0000u | static_cast<std::uint32_t>(second) << 24);
    return f;
}

TEST_F(Pictures, BmpAlphaIsCompositedOnWhite) {
    detail::Raster r;
    ASSERT_TRUE(detail::readBmp(bmpWithAlpha(255, 0), r));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(r.row(0)), 6), std::string("\0\0\xFF\xFF\xFF\xFF", 6));
    // Alpha 0 throughout: the bitmap does not use it.
    ASSERT_TRUE(detail::readBmp(bmpWithAlpha(0, 0), r));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(r.row(0)), 6), std::string("\0\0\xFF\0\0\xFF", 6));
}

// The bits of the stretched copy in a picture group's metafile.
std::string bitsOf(const std::string& group) {
    const std::string m = metafileOf(group);
    for (const Record& r : records(m))
        if (r.function == 0x0F43) return std::string(r.words.substr(62));
    return {};
}

// Samples of 16 bits, each value c written as c x 257.
std::string wide(std::initializer_list<int> values) {
    std::string s;
    for (int c : values) s += {static_cast<char>(c), static_cast<char>(c)};
    return s;
}

TEST_F(Pictures, SixteenBitPngSamplesAreSrgb) {
    // Nothing in these files says how the samples are encoded: 16-bit values
    // are read as 8-bit ones are, not as linear light.
    detail::Raster r;
    auto first = [&](const std::string& f) {
        EXPECT_TRUE(detail::loadRaster(f, r));
        return std::string(reinterpret_cast<char*>(r.row(0)), 3);
    };
    EXPECT_EQ(first(test::pngRaw(1, 1, PNG_COLOR_TYPE_RGB, 16, wide({220, 30, 30}))), "\x1E\x1E\xDC");
    EXPECT_EQ(first(test::pngRaw(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16, wide({220, 30, 30, 255}))), "\x1E\x1E\xDC");
    EXPECT_EQ(first(test::pngRaw(1, 1, PNG_COLOR_TYPE_GRAY, 16, wide({100}))), "ddd");
}

TEST_F(Pictures, TransparencyBlendsSampleValuesInEveryFormat) {
    // Black at alpha 128 over white is 127, as the sample values blend.
    const std::string grey("\x7F\x7F\x7F", 3);
    detail::Raster r;
    auto first = [&](const std::string& f) {
        EXPECT_TRUE(detail::loadRaster(f, r));
        return std::string(reinterpret_cast<char*>(r.row(0)), 3);
    };
    EXPECT_EQ(first(test::pngRaw(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, std::string("\0\0\0\x80", 4))), grey);
    EXPECT_EQ(first(test::pngRaw(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, std::string("\0\x80", 2))), grey);
    EXPECT_EQ(first(test::pngRaw(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16, wide({0, 0, 0, 128}))), grey);
    EXPECT_EQ(first(test::pngRaw(1, 1, PNG_COLOR_TYPE_PALETTE, 8, std::string(1, '\0'), {{0, 0, 0}}, "\x80")), grey);
    EXPECT_EQ(first(bmpWithAlpha(128, 128)), "\x7F\x7F\xFF");  // red
    // Rows of four bytes a pixel become rows of three in place, padding and
    // all, in narrow pictures and in one of several hexadecimal lines.
    auto blend = [](int c, int a) { return static_cast<char>((c * a + 255 * (255 - a) + 127) / 255); };
    for (auto [w, h] : {std::pair{1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}, {7, 3}, {8, 3}, {300, 250}}) {
        std::string samples, bits;
        auto pixel = [&](int x, int y) {
            return std::array<int, 4>{x * 40 % 256, y * 90 % 256, 200, (x * 70 + y * 30) % 256};
        };
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int c : pixel(x, y)) samples += static_cast<char>(c);
        for (int y = h - 1; y >= 0; --y) {
            for (int x = 0; x < w; ++x) {
                auto [red, green, blue, a] = pixel(x, y);
                bits += {blend(blue, a), blend(green, a), blend(red, a)};
            }
            bits.append(detail::bitmapStride(w) - 3 * w, '\0');
        }
        auto group = groupOf(picture(file("a.png", test::pngRaw(w, h, PNG_COLOR_TYPE_RGB_ALPHA, 8, samples))));
        EXPECT_EQ(bitsOf(group), bits) << w;
    }
}

TEST_F(Pictures, BitmapBitsComeThroughWholeAcrossLines) {
    // A 24-bit BMP holds its pixels as the metafile does.
    for (auto [w, h] : {std::pair{1, 1}, {2, 2}, {333, 200}, {1638, 20}}) {
        std::string bmp = test::bmpFile(w, h);
        EXPECT_EQ(bitsOf(groupOf(picture(file("b.bmp", bmp)))), bmp.substr(54)) << w;
    }
    // 28 x 713 pixels make a metafile of exactly one line of 60000 bytes.
    std::string group = groupOf(picture(file("c.bmp", test::bmpFile(28, 713))));
    std::string lines = group.substr(group.find("\r\n") + 2);
    EXPECT_EQ(lines.size(), 120000u + 3);
    EXPECT_TRUE(lines.ends_with("0000\r\n}"));
}

TEST_F(Pictures, HexadecimalOverTheBytesThemselves) {
    // The digits may go over the bytes from an earlier place, ending where they end.
    for (std::size_t n : {1, 15, 16, 17, 31, 32, 33, 100}) {
        std::string bytes(n, '\0');
        for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>(i * 37 + 11);
        std::string expected(2 * n, '\0'), buffer(2 * n, '\0');
        rtf::BytesToHex(reinterpret_cast<const unsigned char*>(bytes.data()), expected.data(), n);
        buffer.replace(n, n, bytes);
        rtf::BytesToHex(reinterpret_cast<const unsigned char*>(buffer.data() + n), buffer.data(), n);
        EXPECT_EQ(buffer, expected) << n;
    }
}

// A placeable metafile of 100 x 50 pixels whose header declares `objects`,
// holding the given records (function and parameter words).
std::string placeableWith(std::uint16_t objects,
                          const std::vector<std::pair<std::uint16_t, std::vector<std::uint16_t>>>& recs) {
    std::string f = test::placeableFile(1000, 500, 960).substr(0, 22);
    std::string body;
    auto p16 = [](std::string& s, std::uint32_t v) { s += {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; };
    std::uint32_t largest = 3;
    for (const auto& [function, words] : recs) {
        auto size = static_cast<std::uint32_t>(3 + words.size());
        largest = std::max(largest, size);
        p16(body, size & 0xFFFF), p16(body, size >> 16), p16(body, function);
        for (std::uint16_t w : words) p16(body, w);
    }
    p16(body, 3), p16(body, 0), p16(body, 0);
    const auto words = static_cast<std::uint32_t>(9 + body.size() / 2);
    p16(f, 1), p16(f, 9), p16(f, 0x0300), p16(f, words & 0xFFFF), p16(f, words >> 16), p16(f, objects);
    p16(f, largest & 0xFFFF), p16(f, largest >> 16), p16(f, 0);
    return f + body;
}

TEST_F(Pictures, ObjectCountComesFromTheRecords) {
    const std::vector<std::uint16_t> pen = {0, 1, 0, 0, 0};  // style, width, colour
    const std::pair<std::uint16_t, std::vector<std::uint16_t>> makePen{0x02FA, pen};
    auto count = [&](std::uint16_t declared,
                     const std::vector<std::pair<std::uint16_t, std::vector<std::uint16_t>>>& recs) {
        std::string source = placeableWith(declared, recs);
        std::string m = metafileOf(groupOf(picture(file("o.wmf", source))));
        records(m);
        // The records themselves are replayed as they are, after the map mode.
        EXPECT_EQ(m.substr(18 + 8, m.size() - 18 - 8 - 6), source.substr(22 + 18, source.size() - 22 - 18 - 6));
        return get16(m, 10);
    };
    EXPECT_EQ(count(0, {makePen}), 1u);
    EXPECT_EQ(count(5, {{0x041B, {0, 0, 10, 10}}}), 0u);
    // A deleted object frees its place, which the next object takes.
    EXPECT_EQ(count(0, {makePen, makePen, {0x01F0, {0}}, makePen}), 2u);
    EXPECT_EQ(count(0, {makePen, {0x01F0, {0}}, {0x01F0, {7}}, makePen, {0x02FC, {0, 0, 0, 0}}}), 2u);
}

TEST_F(Pictures, NoFileIsMadeSoNoTemporaryFolderIsNeeded) {
    ::setenv("TMPDIR", (root_ / "missing").c_str(), 1);
    for (const std::string& f : {test::bmpFile(5, 3), test::pngFile(5, 3), test::jpegFile(5, 3), test::gifFile(5, 3),
                                 test::placeableFile(700, 500, 1440)}) {
        cParagraph p;
        EXPECT_EQ(p.InsertPicture(picture(file("f", f))), True);
        EXPECT_EQ(p.InsertPicture(picture(file("f", f), 2)), True);
    }
    // A folder, or a file that cannot be read, is no picture.
    cParagraph p;
    EXPECT_EQ(p.InsertPicture(picture((root_ / "in").string())), False);
    std::string locked = file("locked.bmp", test::bmpFile(2, 2));
    fs::permissions(locked, fs::perms::none);
    if (::geteuid() != 0) {
        EXPECT_EQ(p.InsertPicture(picture(locked)), False);  // root reads it all the same
    }
    EXPECT_EQ(Access::content(p), "");
    EXPECT_FALSE(fs::exists(root_ / "missing"));
}

std::string withCrc(std::string png) {
    // Fix the CRC of the header chunk after its width and height were changed.
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(png.data() + 12), 17);
    for (int i = 0; i < 4; ++i) png[29 + i] = static_cast<char>((crc >> (24 - 8 * i)) & 0xFF);
    return png;
}

TEST_F(Pictures, UntrustedFilesGiveFalseAndLeaveNothing) {
    cParagraph p;
    auto t = std::make_shared<cText>();
    t->Text("kept");
    p.InsertText(t);
    const std::string before = Access::content(p);
    std::string huge = test::pngFile(1, 1, false);
    huge.replace(16, 8, std::string("\x00\x00\x4E\x20\x00\x00\x4E\x20", 8));  // 20000 x 20000
    std::string bmpHuge = test::bmpFile(1, 1);
    bmpHuge.replace(18, 8, std::string("\x20\x4E\x00\x00\x20\x4E\x00\x00", 8));
    std::string placeable = test::placeableFile(1000, 500, 960);
    std::string overrun = placeable;
    overrun[22 + 18] = 100;  // the rectangle record claims more than the file has
    const std::pair<const char*, std::string> bad[] = {
        {"empty", ""},
        {"text", "just some text\n"},
        {"short key", placeable.substr(0, 21)},
        {"truncated metafile", placeable.substr(0, placeable.size() - 6)},
        {"record overrun", overrun},
        {"no inch", test::placeableFile(1000, 500, 0)},
        {"truncated png", test::pngFile(10, 10).substr(0, 60)},
        {"truncated jpeg", test::jpegFile(10, 10).substr(0, 200)},
        {"jpeg cut to a third", test::jpegFile(200, 200).substr(0, test::jpegFile(200, 200).size() / 3)},
        {"jpeg cut, then its end marker",
         test::jpegFile(200, 200).substr(0, test::jpegFile(200, 200).size() / 2) + "ÿÙ"},
        {"truncated gif", test::gifFile(10, 10).substr(0, 20)},
        {"truncated bmp", test::bmpFile(10, 10).substr(0, 100)},
        {"huge png", withCrc(huge)},
        {"huge bmp", bmpHuge},
        {"too wide", test::pngFile(32768, 1, false)},
    };
    for (const auto& [name, content] : bad) {
        // Kept as a file or not, a bad file is refused.
        for (auto embedding : {eMetafile, eOriginal, eOriginalAndMetafile}) {
            // Too wide for a metafile is a sound PNG still.
            if (embedding == eOriginal && std::string_view(name) == "too wide") continue;
            auto pic = picture(file("bad", content));
            pic->Embedding = embedding;
            EXPECT_EQ(p.InsertPicture(pic), False) << name << " " << embedding;
            EXPECT_TRUE(tempFolderEmpty()) << name;
            EXPECT_EQ(Access::content(p), before) << name << " " << embedding;
        }
    }
    EXPECT_EQ(p.InsertPicture(nullptr), False);
    EXPECT_EQ(p.InsertPicture(picture(file("ok.bmp", test::bmpFile(2, 2)))), True);
    EXPECT_TRUE(Access::content(p).starts_with(before + "{\\pict"));
    auto missing = picture((root_ / "in" / "none.bmp").string());
    EXPECT_EQ(p.InsertPicture(missing), False);
    auto noBorder = picture(file("ok.bmp", test::bmpFile(2, 2)));
    noBorder->Border = nullptr;
    EXPECT_EQ(p.InsertPicture(noBorder), False);
    EXPECT_TRUE(tempFolderEmpty());
}

TEST_F(Pictures, PngAndJpegKeptAsTheirFiles) {
    auto hex = [](const std::string& bytes) {
        std::string out;
        rtf::appendHexLines(out, bytes);
        return out;
    };
    const std::string png = test::pngFile(8, 6), jpeg = test::jpegFile(8, 6);
    auto kept = [&](const std::string& path, vlRTFPictureEmbedding embedding) {
        auto pic = picture(path);
        pic->Embedding = embedding;
        return groupOf(pic);
    };
    // Eight by six pixels at 20 hundredths of a millimetre each: 90 by 68 twips.
    const std::string size = R"(\picscalex100\picscaley100\picw8\pich6\picwgoal90\pichgoal68 )" + NoBorder;
    EXPECT_EQ(kept(file("a.png", png), eOriginal), R"({\pict\pngblip)" + size + "\r\n" + hex(png) + "}");
    EXPECT_EQ(kept(file("a.jpg", jpeg), eOriginal), R"({\pict\jpegblip)" + size + "\r\n" + hex(jpeg) + "}");
    const std::string both = kept(file("b.png", png), eOriginalAndMetafile);
    const std::string metafile = groupOf(picture(file("c.png", png)));
    EXPECT_EQ(both, R"({\*\shppict{\pict\pngblip)" + size + "\r\n" + hex(png) + R"(}}{\nonshppict)" + metafile + "}");
    // An enhanced metafile is kept as it is, at its frame's size; beside it, for
    // eOriginalAndMetafile, a standard metafile of its shapes in its bounds.
    const std::string emf = test::emfFile(5080, 2540);
    const std::string emfGroup =
        R"({\pict\emfblip\picscalex100\picscaley100\picw5080\pich2540\picwgoal2886\pichgoal1443 )" + NoBorder + "\r\n" +
        hex(emf) + "}";
    EXPECT_EQ(kept(file("f.emf", emf), eMetafile), emfGroup);
    const std::string fallback = kept(file("f.emf", emf), eOriginalAndMetafile);
    ASSERT_TRUE(fallback.starts_with(R"({\*\shppict)" + emfGroup + R"(}{\nonshppict{\pict\wmetafile8)")) << fallback;
    std::vector<std::uint16_t> functions;
    for (const auto& r : records(metafileOf(fallback.substr(fallback.find("nonshppict")))))
        functions.push_back(r.function);
    // The map mode, the window on the bounds (1016 x 508 pixels), the rectangle.
    EXPECT_EQ(functions, (std::vector<std::uint16_t>{0x0103, 0x020B, 0x020C, 0x041B, 0}));
    // Damaged: cut short, or a record that runs past the end.
    cParagraph para;
    for (std::string damaged : {emf.substr(0, emf.size() - 4), emf}) {
        if (damaged.size() == emf.size()) damaged[88 + 4] = 100;
        auto pic = picture(file("g.emf", damaged));
        EXPECT_EQ(para.InsertPicture(pic), False);
    }
    EXPECT_EQ(Access::content(para), "");
    // Other formats have no form of their own to keep.
    EXPECT_EQ(kept(file("d.bmp", test::bmpFile(8, 6)), eOriginal),
              groupOf(picture(file("e.bmp", test::bmpFile(8, 6)))));
}

// An enhanced metafile of the given records after its header, with its end record.
std::string emfOf(const std::vector<std::vector<std::uint32_t>>& records) {
    std::string body;
    auto p32 = [](std::string& to, std::uint32_t v) {
        for (int k = 0; k < 4; ++k) to += static_cast<char>((v >> (8 * k)) & 0xFF);
    };
    for (const auto& r : records) {
        p32(body, r[0]);
        p32(body, static_cast<std::uint32_t>(8 + 4 * (r.size() - 1)));
        for (std::size_t k = 1; k < r.size(); ++k) p32(body, r[k]);
    }
    for (std::uint32_t v : {14u, 20u, 0u, 16u, 20u}) p32(body, v);
    const std::string plain = test::emfFile(5080, 2540);
    std::string head = plain.substr(0, 88);
    const auto bytes = static_cast<std::uint32_t>(88 + body.size());
    for (int k = 0; k < 4; ++k) head[48 + k] = static_cast<char>((bytes >> (8 * k)) & 0xFF);
    return head + body;
}

TEST_F(Pictures, AnEmfsStandardMetafileKeepsItsObjectsAndCoordinates) {
    auto functions = [&](const std::string& emf) {
        auto pic = picture(file("s.emf", emf));
        pic->Embedding = eOriginalAndMetafile;
        const std::string group = groupOf(pic);
        std::vector<std::uint16_t> out;
        if (group.find("nonshppict") == std::string::npos) return out;
        for (const auto& r : records(metafileOf(group.substr(group.find("nonshppict"))))) out.push_back(r.function);
        return out;
    };
    // A pen made twice on handle 1: the first is deleted, so the second takes
    // its place (0) in the reader's table too, where the selection finds it.
    const std::vector<std::uint32_t> pen = {38, 1, 0, 1, 0, 0xFF};
    const std::vector<std::uint32_t> box = {43, 10, 10, 50, 50};
    EXPECT_EQ(functions(emfOf({pen, pen, {37, 1}, box})),
              (std::vector<std::uint16_t>{0x0103, 0x020B, 0x020C, 0x02FA, 0x01F0, 0x02FA, 0x012D, 0x041B, 0}));
    // A coordinate past 16 bits, or nothing drawn: the EMF alone.
    EXPECT_TRUE(functions(emfOf({{43, 10, 10, 40000, 50}})).empty());
    EXPECT_TRUE(functions(emfOf({pen, {37, 1}})).empty());
}

TEST_F(Pictures, LargeRastersUseFewerUnitsAPixel) {
    std::string group = groupOf(picture(file("wide.bmp", test::bmpFile(2000, 100))));
    EXPECT_NE(group.find("\\picw40000\\pich2000\\"), std::string::npos);
    std::string m = metafileOf(group);
    auto r = records(m);
    ASSERT_EQ(r.size(), 6u);
    EXPECT_EQ(r[0].function, 0x0103);
    EXPECT_EQ(r[1].function, 0x020B);
    EXPECT_EQ(get16(r[1].words, 0), 0u);
    EXPECT_EQ(r[2].function, 0x020C);
    EXPECT_EQ(get16(r[2].words, 0), 1600u);  // height, then width: 16 units a pixel
    EXPECT_EQ(get16(r[2].words, 2), 32000u);
    EXPECT_EQ(r[3].function, 0x0107);
    EXPECT_EQ(get16(r[4].words, 14), 1600u);
    EXPECT_EQ(get16(r[4].words, 16), 32000u);
    // A raster that fits exactly keeps 20 units a pixel.
    auto exact = records(metafileOf(groupOf(picture(file("e.bmp", test::bmpFile(1638, 1))))));
    EXPECT_EQ(exact.size(), 4u);
}

TEST_F(Pictures, SnapshotsAndRepeatedInsertions) {
    std::string path = file("p.bmp", test::bmpFile(4, 4));
    auto pic = picture(path);
    cParagraph p;
    p.InsertPicture(pic);
    const std::string once = Access::content(p);
    file("p.bmp", test::bmpFile(8, 4));
    p.InsertPicture(pic);
    std::string twice = Access::content(p);
    EXPECT_TRUE(twice.starts_with(once));
    EXPECT_NE(twice.substr(once.size()), once);
    EXPECT_NE(twice.substr(once.size()).find("\\picw160\\pich80"), std::string::npos);
    pic->Border->TopVisible = True;
    pic->Width = 1;
    EXPECT_EQ(Access::content(p), twice);
    EXPECT_TRUE(tempFolderEmpty());
}

TEST_F(Pictures, InDocumentsTheGroupStaysBalanced) {
    test::FixedClock clock;
    auto para = std::make_shared<cParagraph>();
    para->InsertPicture(picture(file("p.bmp", test::bmpFile(3, 3))));
    auto page = std::make_shared<cPage>();
    page->InsertParagraph(para);
    doc.InsertPage(page);
    std::string rtf = doc.Rtf();
    EXPECT_TRUE(test::balanced(rtf));
    EXPECT_NE(rtf.find("{{\\pard\\plain{\\pict\\wmetafile8"), std::string::npos);
}

// The seed corpus of the picture fuzzer: one file per format.
TEST_F(Pictures, WriteFuzzSeeds) {
    const char* dir = std::getenv("VELLORAN_SEED_DIR");
    if (!dir) GTEST_SKIP() << "VELLORAN_SEED_DIR not set";
    fs::create_directories(dir);
    const std::pair<const char*, std::string> seeds[] = {
        {"seed.bmp", test::bmpFile(7, 5)},
        {"seed.png", test::pngFile(7, 5)},
        {"seed.jpg", test::jpegFile(7, 5)},
        {"seed.gif", test::gifFile(7, 5)},
        {"seed.wmf", test::placeableFile(700, 500, 1440)},
    };
    for (const auto& [name, content] : seeds) std::ofstream(fs::path(dir) / name, std::ios::binary) << content;
}

}  // namespace
}  // namespace velloran

namespace velloran {
namespace {

// libwmf's wmf2gd is a strict reader: it rejects truncated files, bad record
// sizes and misordered copy parameters. It renders what we record.
class StrictReader : public Pictures {
protected:
    // The picture wmf2gd renders from the metafile of a picture file.
    detail::Raster render(const std::string& pictureFile, float scale = 1) {
        if (std::system("command -v wmf2gd >/dev/null 2>&1") != 0) return {};
        std::string wmf = (root_ / "out.wmf").string(), png = (root_ / "out.png").string();
        std::ofstream(wmf, std::ios::binary) << metafileOf(groupOf(picture(pictureFile, scale)));
        std::string command = "wmf2gd -t png -o '" + png + "' '" + wmf + "' 2>/dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        detail::Raster out;
        EXPECT_TRUE(detail::loadRaster(test::fileContent(png), out));
        return out;
    }
};

TEST_F(StrictReader, RendersTheRasterWithItsColours) {
    if (std::system("command -v wmf2gd >/dev/null 2>&1") != 0) GTEST_SKIP() << "wmf2gd is not installed";
    // Left half red, right half blue.
    detail::Raster source;
    source.bitmap(100, 50);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x) {
            std::uint8_t* p = source.row(y) + x * 3;
            p[0] = x < 50 ? 0 : 255, p[1] = 0, p[2] = x < 50 ? 255 : 0;
        }
    auto expectHalves = [](const detail::Raster& out) {
        ASSERT_GT(out.width, 0);
        const std::uint8_t* row = out.row(out.height / 2);
        const std::uint8_t* left = row + (out.width / 4) * 3;
        const std::uint8_t* right = row + (3 * out.width / 4) * 3;
        EXPECT_EQ(left[2], 255);
        EXPECT_EQ(left[0], 0);
        EXPECT_EQ(right[2], 0);
        EXPECT_EQ(right[0], 255);
    };
    for (float scale : {1.0f, 2.0f}) {
        detail::Raster out = render(file("halves.bmp", test::bmpOf(source)), scale);
        expectHalves(out);
        EXPECT_NEAR(static_cast<double>(out.width) / out.height, 2.0, 0.1);
    }
    // A raster large enough for the window records. Without a placeable
    // header wmf2gd draws the window into a square of its own choosing.
    detail::Raster wide = test::gradient(2000, 100);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 2000; ++x) {
            std::uint8_t* p = wide.row(y) + x * 3;
            p[0] = x < 1000 ? 0 : 255, p[1] = 0, p[2] = x < 1000 ? 255 : 0;
        }
    expectHalves(render(file("wide.bmp", test::bmpOf(wide))));
}

}  // namespace
}  // namespace velloran
