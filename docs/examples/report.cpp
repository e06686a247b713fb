// A report: a contents page, headings at three levels, a running header
// with the page of pages at the right margin, numbers aligned on their
// decimal points, a bookmark and a link back to it.
#include <string>

#include <velloran/velloran.hpp>

using namespace velloran;

int main() {
    auto doc = std::make_shared<cDocument>();
    doc->Title = "Quarterly report";
    const std::int32_t textWidth = doc->PageWidth - doc->PageMarginLeft - doc->PageMarginRight;
    const std::int32_t headings[] = {doc->StyleIndex("heading 1"), doc->StyleIndex("heading 2"),
                                     doc->StyleIndex("heading 3")};

    auto run = [](const std::string& text) {
        auto t = std::make_shared<cText>();
        t->Text(text);
        return t;
    };
    auto paragraph = [&](const std::string& text) {
        auto p = std::make_shared<cParagraph>();
        p->SpaceAfter = 120;
        p->InsertText(run(text));
        return p;
    };
    // A heading: its style, its level in the outline, kept with what follows.
    auto heading = [&](int level, const std::string& text, const std::string& bookmark = "") {
        auto t = run(text);
        t->Bold = True;
        t->Height = 18 - 2 * level;
        t->Bookmark = bookmark;
        auto p = std::make_shared<cParagraph>();
        p->StyleIndex = headings[level - 1];
        p->OutlineLevel = level;
        p->KeepWithNext = True;
        p->SpaceBefore = 240;
        p->SpaceAfter = 120;
        p->InsertText(t);
        return p;
    };

    // The header: the title at the left, "Page X of Y" ending at the right margin.
    auto header = std::make_shared<cParagraph>();
    header->AddTabStop(textWidth, tRight);
    header->Border->BottomVisible = True;
    header->InsertText(run("Quarterly report\tPage "));
    auto number = run("1");
    number->Field = fPageNumber;
    header->InsertText(number);
    header->InsertText(run(" of "));
    auto count = run("1");
    count->Field = fPageCount;
    header->InsertText(count);
    doc->Header = header;

    // The contents page: the headings are listed; readers add their pages when they update fields.
    auto contents = std::make_shared<cPage>();
    auto title = run("Contents");
    title->Bold = True;
    title->Height = 20;
    auto titleParagraph = std::make_shared<cParagraph>();
    titleParagraph->SpaceAfter = 240;
    titleParagraph->InsertText(title);
    contents->InsertParagraph(titleParagraph);
    auto table = run("Update the fields to show the contents.");
    table->ContentsLevels = 3;
    auto tableParagraph = std::make_shared<cParagraph>();
    tableParagraph->InsertText(table);
    contents->InsertParagraph(tableParagraph);
    doc->InsertPage(contents);

    auto body = std::make_shared<cPage>();
    body->InsertParagraph(heading(1, "1 Results", "results"));
    auto growth = paragraph("Revenue grew by 12 %");
    auto marker = run("a");
    marker->VerticalPosition = vSuperscript;
    growth->InsertText(marker);
    growth->InsertText(run(" while emissions of CO"));
    auto two = run("2");
    two->VerticalPosition = vSubscript;
    growth->InsertText(two);
    growth->InsertText(run(" fell."));
    body->InsertParagraph(growth);

    body->InsertParagraph(heading(2, "1.1 Sales by region"));
    // A decimal stop with dot leaders lines the numbers up on their points.
    for (const char* line : {"North\t1,234.50", "South\t98.25", "East\t12.00", "West\t7,050.75"}) {
        auto row = paragraph(line);
        row->SpaceAfter = 0;
        row->AddTabStop(6000, tDecimal, tlDots);
        body->InsertParagraph(row);
    }
    auto note = paragraph("");
    note->SpaceBefore = 120;
    note->InsertText(marker);
    note->InsertText(run(" Compared with the third quarter."));
    body->InsertParagraph(note);

    body->InsertParagraph(heading(3, "1.1.1 Method"));
    auto method = paragraph("Submissions are double-spaced: ");
    method->LineSpacingMultiple = 2.0f;
    auto names = run("regional offices");
    names->SmallCaps = True;
    method->InsertText(names);
    method->InsertText(run(" report their figures each month, and the "));
    auto marked = run("audited");
    marked->HighlightColorIndex = doc->ColorIndex(0x00FFFF);  // yellow
    method->InsertText(marked);
    method->InsertText(run(" totals are final."));
    body->InsertParagraph(method);

    auto outlook = heading(1, "2 Outlook");
    outlook->PageBreakBefore = True;
    body->InsertParagraph(outlook);
    auto plans = paragraph("The plans build on the results");
    auto dash = run("");
    dash->RawRtf("\\emdash ");  // RTF of the host's own
    plans->InsertText(dash);
    auto back = run("see Results");
    back->LinkToBookmark = "results";
    back->ForeColorIndex = doc->ColorIndex(0xC00000);
    back->Underline(True);
    plans->InsertText(back);
    plans->InsertText(run("."));
    body->InsertParagraph(plans);
    doc->InsertPage(body);
    return doc->Save("report.rtf") == True ? 0 : 1;
}
