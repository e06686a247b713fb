// Arbitrary bytes through the picture loader and the whole insertion.
//
//     build/fuzz/fuzz/picture_fuzz -max_total_time=600 -timeout=30 corpus/ build/default/fuzz-seeds/
//
// The insertion reads the input from a file that lives in memory only, and
// the temporary folder it is given does not exist, since an insertion makes
// no file: the harness leaves nothing behind. Built with VELLORAN_FUZZ_REPLAY
// it is a plain program that runs the files named on its command line once.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <velloran/velloran.hpp>

#include "picture/metafile.hpp"
#include "picture/raster.hpp"

namespace {

// The memory file the input goes into, named through /proc.
const std::string& inputPath() {
    static const std::string path = [] {
        ::setenv("TMPDIR", "/nonexistent/velloran-fuzz", 1);
        int fd = ::memfd_create("velloran-fuzz-input", 0);
        if (fd < 0) std::abort();
        return "/proc/self/fd/" + std::to_string(fd);
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    velloran::detail::Raster raster;
    velloran::detail::loadRaster(bytes, raster);
    velloran::detail::readPlaceableMetafile(bytes);

    std::ofstream(inputPath(), std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    auto picture = std::make_shared<velloran::cPicture>();
    picture->File = inputPath();
    // The first byte picks a scale, so the resampling is driven too. Scales
    // below 1 keep the work of the largest accepted rasters (256 MiB) within
    // the fuzzer's time limit.
    picture->ScaleFactor = size > 0 && (data[0] & 1) ? 1.0f / static_cast<float>(2 + data[0] % 5) : 1.0f;
    velloran::cParagraph paragraph;
    paragraph.InsertPicture(picture);
    return 0;
}

#ifdef VELLORAN_FUZZ_REPLAY
#include "replay.hpp"

int main(int argc, char** argv) { return replayFiles(argc, argv); }
#endif
