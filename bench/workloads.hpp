// The documents the benchmarks build: the same in the Google Benchmark
// suite and in the whole-process workloads.
#pragma once

#include <string>

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

// Row r of a table of ten columns into row `at` of cells: each cell holds
// one paragraph, every other row shaded.
inline void fillTableRow(CellArray& cells, std::int32_t at, std::int32_t r, std::int32_t grey,
                         const std::shared_ptr<cText>& text) {
    for (std::int32_t c = 1; c <= 10; ++c) {
        auto cell = std::make_shared<cCell>();
        cell->Width = 1000;
        if (r % 2 == 0) cell->BackColorIndex = grey;
        auto para = std::make_shared<cParagraph>();
        para->InsertText(text);
        cell->InsertParagraph(para);
        cells.at({c, at}) = std::move(cell);
    }
}

inline std::shared_ptr<cText> tableText() {
    auto text = std::make_shared<cText>();
    text->Text("cell text");
    return text;
}

// The cells of a table of rows x 10, all held at once.
inline CellArray tableCells(cDocument& doc, std::int32_t rows) {
    std::int32_t grey = doc.ColorIndex(0xDDDDDD);
    CellArray cells({{1, 10}, {1, rows}});
    auto text = tableText();
    for (std::int32_t r = 1; r <= rows; ++r) fillTableRow(cells, r, r, grey, text);
    return cells;
}

// The same table written a row at a time, each row's cells dropped once it
// is in the page: readers show one table.
inline void buildTableByRows(cDocument& doc, cPage& page, std::int32_t rows) {
    std::int32_t grey = doc.ColorIndex(0xDDDDDD);
    auto text = tableText();
    CellArray row({{1, 10}, {1, 1}});
    for (std::int32_t r = 1; r <= rows; ++r) {
        fillTableRow(row, 1, r, grey, text);
        page.InsertTable(row);
    }
}

// A one-page letter: a letterhead in the page header, page numbers, an
// address, six paragraphs and a table of five rows of four cells.
inline void buildLetter(cDocument& doc) {
    doc.Title = "Order 1042";
    doc.PageNumbersOn = True;
    const std::int32_t shade = doc.ColorIndex(0xEEEEEE);
    auto run = [](const std::string& words, bool bold = false) {
        auto t = std::make_shared<cText>();
        t->Bold = bold ? True : False;
        t->Text(words);
        return t;
    };
    auto paragraph = [&](const std::string& words, bool bold = false) {
        auto p = std::make_shared<cParagraph>();
        p->InsertText(run(words, bold));
        return p;
    };
    doc.Header = paragraph("Harbour Lane Stationers", true);
    auto page = std::make_shared<cPage>();
    for (const char* line : {"Ms Ada Example", "4 Quay Street", "Porthmoor PM1 2AB", "8 December 2026"})
        page->InsertParagraph(paragraph(line));
    for (int i = 0; i < 6; ++i)
        page->InsertParagraph(
            paragraph("Thank you for your order of 2 December. The items below leave our "
                      "warehouse on Monday and should reach you within the week."));
    CellArray cells({{1, 4}, {1, 5}});
    for (std::int32_t r = 1; r <= 5; ++r) {
        for (std::int32_t c = 1; c <= 4; ++c) {
            auto cell = std::make_shared<cCell>();
            cell->Width = 2000;
            if (r == 1) cell->BackColorIndex = shade;
            cell->InsertParagraph(paragraph("Item " + std::to_string(r * 10 + c), r == 1));
            cells.at({c, r}) = cell;
        }
    }
    page->InsertTable(cells);
    page->InsertParagraph(paragraph("Yours sincerely,"));
    doc.InsertPage(page);
}

}  // namespace velloran::bench
