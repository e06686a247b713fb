// A clinical listing: a cover page without the running header, then a
// landscape table of 160 rows under a logo and a two-line header, with its
// column header repeated on every page; then a second document, a figure
// in portrait with a header of its own, assembled as a section.
#include <string>

#include <velloran/velloran.hpp>

using namespace velloran;

int main() {
    auto run = [](const std::string& text, bool bold = false) {
        auto t = std::make_shared<cText>();
        t->Text(text);
        t->Bold = bold ? True : False;
        return t;
    };
    auto paragraph = [&](const std::string& text, bool bold = false) {
        auto p = std::make_shared<cParagraph>();
        p->InsertText(run(text, bold));
        return p;
    };
    auto cell = [&](const std::string& text, float percent, bool bold = false) {
        auto c = std::make_shared<cCell>();
        c->WidthPercent = percent;
        c->PaddingLeft = c->PaddingRight = 60;
        c->PaddingTop = c->PaddingBottom = 20;
        c->InsertParagraph(paragraph(text, bold));
        return c;
    };

    auto doc = std::make_shared<cDocument>();
    doc->Title = "Listing 14.3.1";
    doc->PageLandscape = True;
    doc->PageNumbersOn = True;

    // The running header: the logo beside two lines, in a table of its own.
    auto logo = std::make_shared<cPicture>();
    logo->File = "wheel.png";
    logo->Width = 1200, logo->Height = 800;
    auto logoParagraph = std::make_shared<cParagraph>();
    logoParagraph->InsertPicture(logo);
    auto logoCell = std::make_shared<cCell>();
    logoCell->Width = 1200;
    logoCell->InsertParagraph(logoParagraph);
    auto lines = std::make_shared<cCell>();
    lines->Width = 8000;
    lines->VerticalAlignment = vaCenter;
    lines->InsertParagraph(paragraph("Study VLR-301", true));
    lines->InsertParagraph(paragraph("Listing 14.3.1: adverse events by subject"));
    CellArray headerCells({{1, 2}, {1, 1}});
    headerCells.at({1, 1}) = logoCell;
    headerCells.at({2, 1}) = lines;
    auto header = std::make_shared<cPage>();
    header->InsertTable(headerCells);
    doc->PageHeader = header;
    doc->FirstPageHeader = std::make_shared<cPage>();  // the cover has none
    auto even = std::make_shared<cPage>();
    even->InsertParagraph(paragraph("Confidential: for the study team only"));
    doc->EvenPageFooter = even;

    auto cover = std::make_shared<cPage>();
    auto title = run("Study VLR-301: listings", true);
    title->Height = 24;
    auto titleParagraph = std::make_shared<cParagraph>();
    titleParagraph->Align = aCenter;
    titleParagraph->SpaceBefore = 3000;
    titleParagraph->InsertText(title);
    cover->InsertParagraph(titleParagraph);
    doc->InsertPage(cover);

    // The table: two header rows at the bottom of their cells, written again
    // at the top of every page with 27 rows under them and "(continued)" at
    // the foot; columns as shares of the text width; rows kept whole.
    const float widths[] = {12, 14, 34, 14, 13, 13};
    const char* groups[] = {"Subject", "", "Adverse event", "", "Onset", ""};
    const char* names[] = {"ID", "Arm", "Preferred term", "Severity", "Day", "Outcome"};
    const char* terms[] = {"Headache", "Nausea", "Fatigue", "Dizziness", "Rash"};
    const char* severities[] = {"Mild", "Moderate", "Severe"};
    const std::int32_t rows = 2 + 160;
    CellArray cells({{1, 6}, {1, rows}});
    for (std::int32_t c = 1; c <= 6; ++c) {
        cells.at({c, 1}) = cell(groups[c - 1], widths[c - 1], true);
        cells.at({c, 2}) = cell(names[c - 1], widths[c - 1], true);
        cells.at({c, 1})->VerticalAlignment = cells.at({c, 2})->VerticalAlignment = vaBottom;
    }
    for (std::int32_t r = 3; r <= rows; ++r) {
        const std::int32_t n = r - 3;
        const std::string values[] = {"1" + std::to_string(1001 + n / 2), n % 3 ? "Active" : "Placebo",
                                      terms[n % 5],                      severities[n % 3],
                                      std::to_string(1 + (n * 7) % 84),  n % 4 ? "Resolved" : "Ongoing"};
        for (std::int32_t c = 1; c <= 6; ++c) cells.at({c, r}) = cell(values[c - 1], widths[c - 1]);
    }
    auto table = std::make_shared<cPage>();
    table->TableHeaderRows = 2;
    table->TableAlign = aCenter;
    table->TableKeepRowsTogether = True;
    table->TablePaginate = True;
    table->TableRowsPerPage = 29;
    table->TableContinuedText = "(continued)";
    // Landscape turns the portrait sheet with its margins: its width is the
    // portrait height, its side margins the portrait top and bottom ones.
    table->TableWidth = doc->PageHeight - doc->PageMarginTop - doc->PageMarginBottom;
    table->InsertTable(cells);
    doc->InsertPage(table);

    // The figure: a document of its own, in portrait, with its own header.
    auto figure = std::make_shared<cDocument>();
    auto figureHeader = std::make_shared<cPage>();
    figureHeader->InsertParagraph(paragraph("Figure 14.3.2: relative risk by subgroup"));
    figure->PageHeader = figureHeader;
    auto plot = std::make_shared<cPicture>();
    plot->File = "forest.emf";  // a vector figure, kept as it is
    auto plotParagraph = std::make_shared<cParagraph>();
    plotParagraph->Align = aCenter;
    plotParagraph->InsertPicture(plot);
    auto figurePage = std::make_shared<cPage>();
    figurePage->InsertParagraph(paragraph("Estimates with their 95 % confidence intervals."));
    figurePage->InsertParagraph(plotParagraph);
    figure->InsertPage(figurePage);
    doc->InsertDocument(figure);
    return doc->Save("listing.rtf") == True ? 0 : 1;
}
