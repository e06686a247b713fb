// Building and rendering large documents. Each benchmark runs at a size and
// at twice that size, so the time per byte shows whether the work is linear.
#include <benchmark/benchmark.h>

#include <velloran/velloran.hpp>

#include "workloads.hpp"

using namespace velloran;

namespace {

// A one-page letter, built and rendered: small documents are most documents.
void BM_Letter(benchmark::State& state) {
    for (auto _ : state) {
        cDocument doc;
        bench::buildLetter(doc);
        std::string rtf = doc.Rtf();
        benchmark::DoNotOptimize(rtf.data());
    }
}
BENCHMARK(BM_Letter)->Unit(benchmark::kMicrosecond);

// Paragraphs of three formatted runs each, on one page.
void BM_Paragraphs(benchmark::State& state) {
    const auto paragraphs = state.range(0);
    std::size_t bytes = 0;
    for (auto _ : state) {
        cDocument doc;
        bench::buildParagraphs(doc, paragraphs);
        std::string rtf = doc.Rtf();
        bytes += rtf.size();
        benchmark::DoNotOptimize(rtf.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    state.counters["paragraphs"] = static_cast<double>(paragraphs);
}
BENCHMARK(BM_Paragraphs)->Arg(100000)->Arg(200000)->Arg(400000)->Unit(benchmark::kMillisecond);

// One table of rows x 10 cells, each holding one paragraph.
void BM_Table(benchmark::State& state) {
    const auto rows = static_cast<std::int32_t>(state.range(0));
    std::size_t bytes = 0;
    for (auto _ : state) {
        cDocument doc;
        CellArray cells = bench::tableCells(doc, rows);
        auto page = std::make_shared<cPage>();
        page->InsertTable(cells);
        doc.InsertPage(page);
        std::string rtf = doc.Rtf();
        bytes += rtf.size();
        benchmark::DoNotOptimize(rtf.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_Table)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
