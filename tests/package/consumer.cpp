#include <cstdio>
#include <string>

#include <velloran/velloran.hpp>

int main() {
    auto doc = std::make_shared<velloran::cDocument>();
    auto page = std::make_shared<velloran::cPage>();
    auto para = std::make_shared<velloran::cParagraph>();
    auto run = std::make_shared<velloran::cText>();
    run->Text("consumer");
    para->InsertText(run);
    page->InsertParagraph(para);
    doc->InsertPage(page);
    std::string rtf = doc->Rtf();
    bool ok = rtf.rfind("{\\rtf1", 0) == 0 && rtf.find("{\\f0\\fs20 consumer}") != std::string::npos;
    std::puts(ok ? "package consumer: ok" : "package consumer: unexpected output");
    return ok ? 0 : 1;
}
