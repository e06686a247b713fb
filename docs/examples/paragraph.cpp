// Paragraphs: alignment, indents and spacing, in twips.
#include <string>

#include <velloran/velloran.hpp>

using namespace velloran;

std::shared_ptr<cText> runOf(const std::string& text, bool bold = false) {
    auto run = std::make_shared<cText>();
    run->Height = 12;
    run->Bold = bold ? True : False;
    run->Text(text);
    return run;
}

int main() {
    const std::string words = "Velloran writes Rich Text Format documents from code. "
                              "Every insert takes the child as it is at the call. ";
    auto page = std::make_shared<cPage>();

    auto heading = std::make_shared<cParagraph>();
    heading->Align = aCenter;
    heading->SpaceAfter = 240;             // 12 points below
    heading->InsertText(runOf("A centred heading", true));
    page->InsertParagraph(heading);

    auto body = std::make_shared<cParagraph>();
    body->Align = aJustified;
    body->IndentFirstLine = 567;           // 1 cm
    body->SpaceBetweenLines = 360;         // at least 18 points a line
    body->InsertText(runOf(words + words + words));
    page->InsertParagraph(body);

    auto quote = std::make_shared<cParagraph>();
    quote->Align = aRight;
    quote->IndentLeft = 1440;              // one inch in from each side
    quote->IndentRight = 1440;
    quote->SpaceBefore = 240;
    quote->InsertText(runOf(words));
    page->InsertParagraph(quote);

    auto doc = std::make_shared<cDocument>();
    doc->InsertPage(page);
    return doc->Save("paragraph.rtf") == True ? 0 : 1;
}
