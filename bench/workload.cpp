// One whole workload in a process of its own, so that its peak memory can
// be read: builds a document and saves it, then prints one line
//
//     seconds=0.123 peak_kb=45678 output_bytes=12345678
//
// Usage: velloran_workload paragraphs N OUT     N paragraphs of three runs
//        velloran_workload table ROWS [OUT]     ROWS rows of ten cells (only the cells without OUT)
//        velloran_workload table-rows ROWS OUT  the same table written a row at a time
//        velloran_workload table-values ROWS OUT
//                                               the same table's text from rows of values (InsertRows, no shading)
//        velloran_workload picture FILE OUT     one picture in a paragraph
//        velloran_workload header-picture FILE OUT [EMBEDDING]
//                                               the same picture in the page header, kept as EMBEDDING (0 to 2)
//        velloran_workload colors N             N distinct colours entered
//        velloran_workload fonts N              N distinct fonts entered
//        velloran_workload styles N             N distinct styles entered
//        velloran_workload parts N              N documents of a page, a font and a colour of their own, assembled
//        velloran_workload photo W H OUT        write a photograph-like W x H JPEG to OUT
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <velloran/velloran.hpp>

#include "picture_files.hpp"
#include "workloads.hpp"

using namespace velloran;

namespace {

void paragraphs(long count, const std::string& out) {
    cDocument doc;
    bench::buildParagraphs(doc, count);
    if (doc.Save(out) != True) std::exit(1);
}

// With no output the table's cells are built and dropped: the memory the
// host's cells take on their own.
void table(long rows, const std::string& out) {
    cDocument doc;
    CellArray cells = bench::tableCells(doc, static_cast<std::int32_t>(rows));
    if (out.empty()) return;
    auto page = std::make_shared<cPage>();
    page->InsertTable(cells);
    cells = CellArray({{1, 1}, {1, 1}});  // the cells go once the table is written
    doc.InsertPage(page);
    if (doc.Save(out) != True) std::exit(1);
}

void tableValues(long rows, const std::string& out) {
    cDocument doc;
    auto page = std::make_shared<cPage>();
    for (int c = 0; c < 10; ++c) page->AddTableColumn(1000);
    page->InsertRows(TableRows(static_cast<std::size_t>(rows), std::vector<TableValue>(10, std::string("cell text"))));
    doc.InsertPage(page);
    if (doc.Save(out) != True) std::exit(1);
}

void tableByRows(long rows, const std::string& out) {
    cDocument doc;
    auto page = std::make_shared<cPage>();
    bench::buildTableByRows(doc, *page, static_cast<std::int32_t>(rows));
    doc.InsertPage(page);
    if (doc.Save(out) != True) std::exit(1);
}

// Parts with tables of their own: each InsertDocument enters one font and
// one colour into a whole that holds all those before.
void parts(long count, const std::string& out) {
    cDocument whole;
    for (long i = 0; i < count; ++i) {
        auto part = std::make_shared<cDocument>();
        auto run = std::make_shared<cText>();
        run->FontIndex = part->FontIndex("Part font " + std::to_string(i));
        run->ForeColorIndex = part->ColorIndex(static_cast<std::int32_t>(0x100000 + i));
        run->Text("part");
        auto para = std::make_shared<cParagraph>();
        para->InsertText(run);
        auto page = std::make_shared<cPage>();
        page->InsertParagraph(para);
        part->InsertPage(page);
        whole.InsertDocument(part);
    }
    if (!out.empty() && whole.Save(out) != True) std::exit(1);
}

// A picture in the page header: the header is written as the body is, so
// the peak stays near the document's own size.
void headerPicture(const std::string& file, const std::string& out, int embedding) {
    cDocument doc;
    auto picture = std::make_shared<cPicture>();
    picture->File = file;
    picture->Embedding = static_cast<vlRTFPictureEmbedding>(embedding);
    auto para = std::make_shared<cParagraph>();
    if (para->InsertPicture(picture) != True) std::exit(1);
    auto header = std::make_shared<cPage>();
    header->InsertParagraph(para);
    doc.PageHeader = header;
    doc.InsertPage(std::make_shared<cPage>());
    if (doc.Save(out) != True) std::exit(1);
}

void picture(const std::string& file, const std::string& out) {
    cDocument doc;
    auto picture = std::make_shared<cPicture>();
    picture->File = file;
    auto para = std::make_shared<cParagraph>();
    if (para->InsertPicture(picture) != True) std::exit(1);
    auto page = std::make_shared<cPage>();
    page->InsertParagraph(para);
    doc.InsertPage(page);
    if (doc.Save(out) != True) std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: velloran_workload paragraphs|table|picture|colors|fonts|styles|parts ARG [OUT]\n");
        return 2;
    }
    const std::string kind = argv[1];
    if (kind == "photo" && argc == 5) {
        std::FILE* f = std::fopen(argv[4], "wb");
        std::string jpeg = test::photoJpegFile(std::atoi(argv[2]), std::atoi(argv[3]));
        return f && std::fwrite(jpeg.data(), 1, jpeg.size(), f) == jpeg.size() && std::fclose(f) == 0 ? 0 : 1;
    }
    const std::string out = argc > 3 ? argv[3] : "";
    auto start = std::chrono::steady_clock::now();
    if (kind == "paragraphs") {
        paragraphs(std::atol(argv[2]), out);
    } else if (kind == "table") {
        table(std::atol(argv[2]), out);
    } else if (kind == "table-rows") {
        tableByRows(std::atol(argv[2]), out);
    } else if (kind == "table-values") {
        tableValues(std::atol(argv[2]), out);
    } else if (kind == "picture") {
        picture(argv[2], out);
    } else if (kind == "header-picture") {
        headerPicture(argv[2], out, argc > 4 ? std::atoi(argv[4]) : 0);
    } else if (kind == "colors") {
        cDocument doc;
        for (long i = 0, n = std::atol(argv[2]); i < n; ++i) doc.ColorIndex(static_cast<std::int32_t>(0x1000000 + i));
    } else if (kind == "fonts") {
        cDocument doc;
        for (long i = 0, n = std::atol(argv[2]); i < n; ++i) doc.FontIndex("Font number " + std::to_string(i));
    } else if (kind == "styles") {
        cDocument doc;
        for (long i = 0, n = std::atol(argv[2]); i < n; ++i) doc.StyleIndex("Style number " + std::to_string(i));
    } else if (kind == "parts") {
        parts(std::atol(argv[2]), out);
    } else {
        std::fprintf(stderr, "velloran_workload: unknown workload %s\n", kind.c_str());
        return 2;
    }
    std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::uintmax_t bytes = out.empty() ? 0 : std::filesystem::file_size(out);
    std::printf("seconds=%.4f peak_kb=%ld output_bytes=%ju\n", seconds.count(), usage.ru_maxrss, bytes);
    return 0;
}
