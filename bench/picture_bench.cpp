// The hexadecimal writer, and whole picture insertions: their time, and the
// peak memory of a process that does nothing but one insertion.
#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <velloran/velloran.hpp>

#include "common/access.hpp"
#include "rtf/picture.hpp"
#include "picture_files.hpp"

using namespace velloran;
namespace fs = std::filesystem;

namespace {

// A figure of this process from /proc/self/status, in bytes.
double statusBytes(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with(key)) return std::stod(line.substr(std::strlen(key))) * 1024;
    return 0;
}

// Started again as a child by BM_InsertPeak: insert the picture file named
// in the environment, print the figures and leave before any benchmark runs.
const bool insertionChild = [] {
    const char* file = std::getenv("VELLORAN_INSERT_CHILD");
    if (!file) return false;
    const double before = statusBytes("VmRSS:");
    auto picture = std::make_shared<cPicture>();
    picture->File = file;
    cParagraph paragraph;
    auto start = std::chrono::steady_clock::now();
    bool inserted = paragraph.InsertPicture(picture) == True;
    std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    // The peak before the text is copied out to be measured.
    const double peak = statusBytes("VmHWM:");
    std::printf("%d %.6f %zu %.0f %.0f\n", inserted ? 1 : 0, seconds.count(), Access::content(paragraph).size(), before,
                peak);
    std::fflush(stdout);
    std::_Exit(0);
}();

void put16(std::string& s, std::uint32_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}
void put32(std::string& s, std::uint32_t v) {
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

// 64 bytes: an 8-bit RLE bitmap of 9000 x 9000 pixels whose data ends at once.
std::string declaredBmp() {
    std::string f = "BM";
    put32(f, 64), put32(f, 0), put32(f, 62);
    put32(f, 40), put32(f, 9000), put32(f, 9000), put16(f, 1), put16(f, 8), put32(f, 1);
    put32(f, 2), put32(f, 0), put32(f, 0), put32(f, 2), put32(f, 0);
    put32(f, 0), put32(f, 0x00FFFFFF);  // the palette: black, white
    f += std::string("\x00\x01", 2);    // end of bitmap
    return f;
}

// 35 bytes: a GIF screen of 9000 x 9000 pixels whose only frame is one pixel.
std::string declaredGif() {
    std::string f = "GIF89a";
    put16(f, 9000), put16(f, 9000);
    f += std::string(
        "\x80\x00\x00"
        "\x00\x00\x00"
        "\xFF\xFF\xFF",
        9);
    f += ',';
    put16(f, 0), put16(f, 0), put16(f, 1), put16(f, 1);
    f += std::string(
        "\x00"
        "\x02"
        "\x02\x44\x01"
        "\x00"
        ";",
        7);
    return f;
}

// A JPEG of 8 x 8 pixels whose frame header declares 9000 x 9000: its data
// stops after the first blocks.
std::string declaredJpeg() {
    std::string f = test::jpegFile(8, 8);
    std::size_t sof = f.find("\xFF\xC0");
    f.replace(sof + 5, 4, std::string("\x23\x28\x23\x28", 4));
    return f;
}

struct Workload {
    const char* name;
    std::string (*make)();
};
const Workload workloads[] = {
    {"jpeg_4000x3000", [] { return test::photoJpegFile(4000, 3000); }},
    {"bmp_rle_9000x9000_64_bytes", declaredBmp},
    {"gif_9000x9000_35_bytes", declaredGif},
    {"jpeg_9000x9000_cut", declaredJpeg},
};

// The workload files, made on first use in a folder that goes at exit.
class Files {
public:
    ~Files() { fs::remove_all(folder_); }
    const fs::path& path(std::size_t i) {
        fs::create_directories(folder_);
        fs::path p = folder_ / workloads[i].name;
        if (!fs::exists(p)) std::ofstream(p, std::ios::binary) << workloads[i].make();
        return paths_[i] = p;
    }

private:
    fs::path folder_ = fs::temp_directory_path() / ("velloran-picture-bench-" + std::to_string(::getpid()));
    fs::path paths_[std::size(workloads)];
} files;

void BM_HexLines(benchmark::State& state) {
    std::string bytes(static_cast<std::size_t>(state.range(0)), '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 131 + 7);
    std::string out;
    for (auto _ : state) {
        out.clear();
        rtf::appendHexLines(out, bytes);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_HexLines)->Arg(1 << 20)->Arg(32 << 20)->Unit(benchmark::kMillisecond);

// A whole insertion of the photograph-like 4000 x 3000 JPEG.
void BM_InsertJpeg(benchmark::State& state) {
    auto picture = std::make_shared<cPicture>();
    picture->File = files.path(0).string();
    cParagraph once;
    once.InsertPicture(picture);
    const std::size_t bytes = Access::content(once).size();
    for (auto _ : state) {
        cParagraph paragraph;
        if (paragraph.InsertPicture(picture) != True) state.SkipWithError("insertion failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes * state.iterations()));
}
BENCHMARK(BM_InsertJpeg)->Unit(benchmark::kMillisecond);

// What an insertion cannot avoid: decoding the file (into a bitmap of its
// own) and writing as many bytes in hexadecimal into a new text.
void BM_DecodeAndHex(benchmark::State& state) {
    const auto i = static_cast<std::size_t>(state.range(0));
    state.SetLabel(workloads[i].name);
    std::ifstream in(files.path(i), std::ios::binary);
    const std::string file{std::istreambuf_iterator<char>(in), {}};
    for (auto _ : state) {
        detail::Raster raster;
        detail::loadRaster(file, raster);
        std::string hex;
        rtf::appendHexLines(hex, {reinterpret_cast<const char*>(raster.view().bits), raster.view().bytes()});
        benchmark::DoNotOptimize(hex.data());
    }
}
BENCHMARK(BM_DecodeAndHex)->DenseRange(0, std::size(workloads) - 1)->Unit(benchmark::kMillisecond);

// One insertion in a fresh process (this program started again), for its
// peak resident memory beside the text it appends. growth_per_text is the
// peak less the process's size before the insertion, over the text.
void BM_InsertPeak(benchmark::State& state) {
    const auto i = static_cast<std::size_t>(state.range(0));
    state.SetLabel(workloads[i].name);
    const std::string path = files.path(i).string();
    double peak = 0, base = 0, text = 0;
    int inserted = 0;
    for (auto _ : state) {
        int out[2];
        if (::pipe(out) != 0) return state.SkipWithError("no pipe");
        ::setenv("VELLORAN_INSERT_CHILD", path.c_str(), 1);
        pid_t pid = ::fork();
        if (pid == 0) {
            ::dup2(out[1], 1);
            ::execl("/proc/self/exe", "velloran_bench", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::unsetenv("VELLORAN_INSERT_CHILD");
        ::close(out[1]);
        char line[256] = {};
        std::size_t got = 0;
        for (ssize_t n; got + 1 < sizeof line && (n = ::read(out[0], line + got, sizeof line - 1 - got)) > 0;)
            got += static_cast<std::size_t>(n);
        ::close(out[0]);
        ::waitpid(pid, nullptr, 0);
        double seconds = 0;
        if (std::sscanf(line, "%d %lf %lf %lf %lf", &inserted, &seconds, &text, &base, &peak) != 5)
            return state.SkipWithError("the child gave no figures");
        state.SetIterationTime(seconds);
    }
    state.counters["inserted"] = inserted;
    state.counters["peak_MB"] = peak / 1e6;
    state.counters["before_MB"] = base / 1e6;
    state.counters["text_MB"] = text / 1e6;
    if (text > 0) state.counters["growth_per_text"] = (peak - base) / text;
}
BENCHMARK(BM_InsertPeak)
    ->DenseRange(0, std::size(workloads) - 1)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
