// One document per thread. The colour indexes of black and white that new
// runs, borders and cells start with are values of each thread, set by the
// thread's first cDocument: create the document before its objects.
#include <string>
#include <thread>

#include <velloran/velloran.hpp>

using namespace velloran;

void writeDocument(const std::string& name) {
    auto doc = std::make_shared<cDocument>();  // first in this thread
    auto run = std::make_shared<cText>();      // black on white: 1 and 2
    run->Text("Written by the thread that makes " + name);
    auto para = std::make_shared<cParagraph>();
    para->InsertText(run);
    auto page = std::make_shared<cPage>();
    page->InsertParagraph(para);
    doc->InsertPage(page);
    doc->Save(name);
}

int main() {
    std::thread first(writeDocument, "thread-1.rtf");
    std::thread second(writeDocument, "thread-2.rtf");
    first.join();
    second.join();
}
