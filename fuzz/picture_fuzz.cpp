// Arbitrary bytes through the picture loader and the whole insertion.
//
//     build/fuzz/fuzz/picture_fuzz -max_total_time=600 -timeout=30 corpus/ build/default/fuzz-seeds/
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <velloran/velloran.hpp>

#include "picture/convert.hpp"

namespace fs = std::filesystem;

namespace {

// A temporary folder of this process's own, so leftovers can be seen.
const fs::path& folder() {
    static const fs::path f = [] {
        fs::path p = fs::temp_directory_path() / ("velloran-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(p / "tmp");
        ::setenv("TMPDIR", (p / "tmp").c_str(), 1);
        return p;
    }();
    return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    velloran::detail::Raster raster;
    velloran::detail::loadRaster(bytes, raster);
    velloran::detail::readPlaceableMetafile(bytes);

    const fs::path input = folder() / "input";
    std::ofstream(input, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    auto picture = std::make_shared<velloran::cPicture>();
    picture->File = input.string();
    // The first byte picks a scale, so the resampling is driven too. Scales
    // below 1 keep the work of the largest accepted rasters (256 MiB) within
    // the fuzzer's time limit.
    picture->ScaleFactor = size > 0 && (data[0] & 1) ? 1.0f / static_cast<float>(2 + data[0] % 5) : 1.0f;
    velloran::cParagraph paragraph;
    paragraph.InsertPicture(picture);
    if (!fs::is_empty(folder() / "tmp")) {
        std::fprintf(stderr, "a temporary file was left behind\n");
        std::abort();
    }
    return 0;
}
