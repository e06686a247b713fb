// Building and rendering large documents. Each benchmark runs at a size and
// at twice that size, so the time per byte shows whether the work is linear.
#include <benchmark/benchmark.h>

#include <velloran/velloran.hpp>

using namespace velloran;

namespace {

// Paragraphs of three formatted runs each, on one page.
void BM_Paragraphs(benchmark::State& state) {
    const auto paragraphs = state.range(0);
    std::size_t bytes = 0;
    for (auto _ : state) {
        cDocument doc;
        auto page = std::make_shared<cPage>();
        auto plain = std::make_shared<cText>();
        auto bold = std::make_shared<cText>();
        bold->Bold = True;
        auto coloured = std::make_shared<cText>();
        coloured->ForeColorIndex = doc.ColorIndex(0x0000FF);
        for (std::int64_t i = 0; i < paragraphs; ++i) {
            plain->Text("The quick brown fox {jumps} over ");
            bold->Text("the lazy dog\tand \\ its friend ");
            coloured->Text("\xce\xb1\xce\xb2\xce\xb3 caf\xc3\xa9 \xe2\x80\xa2 done.\r\n");
            auto para = std::make_shared<cParagraph>();
            para->InsertText(plain);
            para->InsertText(bold);
            para->InsertText(coloured);
            page->InsertParagraph(para);
        }
        doc.InsertPage(page);
        std::string rtf = doc.Rtf();
        bytes += rtf.size();
        benchmark::DoNotOptimize(rtf.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    state.counters["paragraphs"] = static_cast<double>(paragraphs);
}
BENCHMARK(BM_Paragraphs)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

// One table of rows x 10 cells, each holding one paragraph.
void BM_Table(benchmark::State& state) {
    const auto rows = static_cast<std::int32_t>(state.range(0));
    std::size_t bytes = 0;
    for (auto _ : state) {
        cDocument doc;
        std::int32_t grey = doc.ColorIndex(0xDDDDDD);
        CellArray cells({{1, 10}, {1, rows}});
        auto text = std::make_shared<cText>();
        text->Text("cell text");
        for (std::int32_t r = 1; r <= rows; ++r) {
            for (std::int32_t c = 1; c <= 10; ++c) {
                auto cell = std::make_shared<cCell>();
                cell->Width = 1000;
                if (r % 2 == 0) cell->BackColorIndex = grey;
                auto para = std::make_shared<cParagraph>();
                para->InsertText(text);
                cell->InsertParagraph(para);
                cells.at({c, r}) = std::move(cell);
            }
        }
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
