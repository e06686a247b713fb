// A document of one page holding one paragraph of one run.
#include <velloran/velloran.hpp>

using namespace velloran;

int main() {
    auto doc = std::make_shared<cDocument>();
    doc->Title = "Greetings";

    auto run = std::make_shared<cText>();
    run->FontIndex = doc->FontIndex("Times New Roman");
    run->ForeColorIndex = doc->ColorIndex(0x0000FF);  // red: red is the lowest byte
    run->Height = 16;                                 // points
    run->Bold = True;
    run->Text("Hello, world");

    auto para = std::make_shared<cParagraph>();
    para->Align = aCenter;
    para->InsertText(run);

    auto page = std::make_shared<cPage>();
    page->InsertParagraph(para);
    doc->InsertPage(page);

    return doc->Save("hello.rtf") == True ? 0 : 1;
}
