// Refusals come back as False; faults as velloran::Error with the automation
// error number. A call that fails leaves its target as it was.
#include <cstdio>

#include <velloran/velloran.hpp>

using namespace velloran;

int main() {
    auto doc = std::make_shared<cDocument>();
    auto page = std::make_shared<cPage>();

    bool refused = doc->InsertPage(nullptr) == False &&      // nothing to insert
                   doc->Save("") == False;                   // no path
    try {
        CellArray row({{1, 2}});                             // one dimension: not a table
        page->InsertTable(row);
    } catch (const Error& e) {
        std::printf("%d %s\n", e.number(), e.what());        // 9 Subscript out of range
    }
    try {
        CellArray cells({{1, 2}, {1, 1}});                   // cell (2, 1) is left empty
        cells.at({1, 1}) = std::make_shared<cCell>();
        page->InsertTable(cells);
    } catch (const Error& e) {
        std::printf("%d %s\n", e.number(), e.what());        // 91 Object variable or ...
    }
    try {
        doc->Save("no-such-folder/errors.rtf");
    } catch (const Error& e) {
        std::printf("%d %s\n", e.number(), e.what());        // 76 Path not found
    }
    doc->InsertPage(page);                                   // the page is still empty
    return refused && doc->Save("errors.rtf") == True ? 0 : 1;
}
