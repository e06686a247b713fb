// Building and rendering large documents. Each benchmark runs at a size and
// at twice that size, so the time per byte shows whether the work is linear.
#include <malloc.h>

#include <string>
#include <vector>

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

// Documents of 20 pages each (30 paragraphs a page, a font, a colour and a
// header of their own), assembled into one and rendered: the time and the
// memory the whole holds go with the number of parts. The parts are built
// once, outside the timing; "held" is what the whole holds besides them (it
// shares their larger pieces of text).
void BM_Assemble(benchmark::State& state) {
    const auto parts = static_cast<int>(state.range(0));
    std::vector<std::shared_ptr<cDocument>> built;
    for (int k = 0; k < parts; ++k) {
        auto part = std::make_shared<cDocument>();
        part->PageLandscape = k % 2 ? True : False;
        auto header = std::make_shared<cParagraph>();
        auto title = std::make_shared<cText>();
        title->Text("Part " + std::to_string(k));
        header->InsertText(title);
        part->Header = header;
        auto text = std::make_shared<cText>();
        text->FontIndex = part->FontIndex("Font " + std::to_string(k % 7));
        text->ForeColorIndex = part->ColorIndex(k * 4099);
        text->Text("Listing line with its values 12.5, 13.75 and 14 across the page.");
        for (int p = 0; p < 20; ++p) {
            auto page = std::make_shared<cPage>();
            for (int i = 0; i < 30; ++i) {
                auto para = std::make_shared<cParagraph>();
                para->InsertText(text);
                page->InsertParagraph(para);
            }
            part->InsertPage(page);
        }
        built.push_back(part);
    }
    const std::size_t before = mallinfo2().uordblks;
    std::size_t bytes = 0, held = 0;
    for (auto _ : state) {
        cDocument whole;
        for (const auto& part : built) whole.InsertDocument(part);
        held = mallinfo2().uordblks - before;
        std::string rtf = whole.Rtf();
        bytes += rtf.size();
        benchmark::DoNotOptimize(rtf.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    state.counters["pages"] = parts * 20.0;
    state.counters["held MB"] = static_cast<double>(held) / 1e6;
}
BENCHMARK(BM_Assemble)->Arg(25)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
