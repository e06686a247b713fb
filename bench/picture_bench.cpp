// The hexadecimal writer, and a whole insertion of a photograph-sized JPEG.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <velloran/velloran.hpp>

#include "common/access.hpp"
#include "picture/picture_rtf.hpp"
#include "picture_files.hpp"

using namespace velloran;

namespace {

void BM_HexLines(benchmark::State& state) {
    std::string bytes(static_cast<std::size_t>(state.range(0)), '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 131 + 7);
    std::string out;
    for (auto _ : state) {
        out.clear();
        detail::appendHexLines(out, bytes);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_HexLines)->Arg(1 << 20)->Arg(32 << 20)->Unit(benchmark::kMillisecond);

void BM_InsertJpeg(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    auto path = std::filesystem::temp_directory_path() / ("velloran-bench-" + std::to_string(::getpid()) + ".jpg");
    std::ofstream(path, std::ios::binary) << test::jpegFile(w, h);
    auto picture = std::make_shared<cPicture>();
    picture->File = path.string();
    std::size_t bytes = 0;
    for (auto _ : state) {
        cParagraph paragraph;
        if (paragraph.InsertPicture(picture) != True) state.SkipWithError("insertion failed");
        bytes += detail::Access::content(paragraph).size();
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_InsertJpeg)->Args({4000, 3000})->Unit(benchmark::kMillisecond);

}  // namespace
