// The documents the benchmarks build: the same in the Google Benchmark
// suite and in the whole-process workloads.
#pragma once

#include <velloran/velloran.hpp>

namespace velloran::bench {

// A page of paragraphs of three formatted runs, in the document.
inline void buildParagraphs(cDocument& doc, long count) {
    auto page = std::make_shared<cPage>();
    auto plain = std::make_shared<cText>();
    auto bold = std::make_shared<cText>();
    bold->Bold = True;
    auto coloured = std::make_shared<cText>();
    coloured->ForeColorIndex = doc.ColorIndex(0x0000FF);
    for (long i = 0; i < count; ++i) {
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
}

// The cells of a table of rows x 10, each holding one paragraph, every
// other row shaded.
inline CellArray tableCells(cDocument& doc, std::int32_t rows) {
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
    return cells;
}

}  // namespace velloran::bench
