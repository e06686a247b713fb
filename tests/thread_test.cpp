// Documents built in eight threads at once, each from its own objects, come
// out exactly as the same document built alone. Run under ThreadSanitizer
// by the tsan preset, this also proves that nothing but the per-thread
// values is shared.
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "picture_files.hpp"
#include "support.hpp"

namespace velloran {
namespace {

namespace fs = std::filesystem;

// Every feature of the library in one document: information, fonts,
// colours, page numbers, header and footer, formatted and escaped text,
// borders, a table, every drawing shape, and a picture of every format.
std::shared_ptr<cDocument> makeDocument(const std::vector<std::string>& pictures) {
    auto doc = std::make_shared<cDocument>();
    doc->Author = "Threads";
    doc->Title = "\xce\xa4\xce\xbf {every} feature";
    doc->PageNumbersOn = True;
    doc->PageLandscape = True;

    auto run = std::make_shared<cText>();
    run->FontIndex = doc->FontIndex("Courier New");
    run->ForeColorIndex = doc->ColorIndex(0x0000FF);
    run->BackColorIndex = doc->ColorIndex(0x00FFFF);
    run->Bold = True;
    run->UnderlineDouble(True);
    run->Height = 14;
    run->Text("Tab\there, \\ {braces}, \xe2\x80\xa2 bullet, \xf0\x9f\x98\x80 and a line\r\nbreak");

    auto header = std::make_shared<cParagraph>();
    header->Align = aCenter;
    header->InsertText(run);
    doc->Header = header;
    auto footer = std::make_shared<cParagraph>();
    footer->InsertText(run);
    doc->Footer = footer;

    auto page = std::make_shared<cPage>();
    auto paragraph = std::make_shared<cParagraph>();
    paragraph->Align = aJustified;
    paragraph->IndentFirstLine = 360;
    paragraph->SpaceAfter = 120;
    paragraph->Border->TopVisible = True;
    paragraph->Border->BorderType = bDouble;
    paragraph->InsertText(run);
    page->InsertParagraph(paragraph);

    CellArray cells({{1, 2}, {1, 2}});
    for (int c = 1; c <= 2; ++c)
        for (int r = 1; r <= 2; ++r) {
            auto cell = std::make_shared<cCell>();
            cell->Width = 1500 * c;
            cell->BackColorIndex = doc->ColorIndex(0x00FF00 * r);
            auto inCell = std::make_shared<cParagraph>();
            inCell->InsertText(run);
            cell->InsertParagraph(inCell);
            cells.at({c, r}) = cell;
        }
    page->InsertTable(cells);

    auto drawing = std::make_shared<cDrawing>();
    auto line = std::make_shared<cLine>();
    line->x2 = 500, line->y2 = 300;
    drawing->InsertLine(line);
    auto rect = std::make_shared<cRect>();
    rect->x = 100, rect->Width = 400, rect->Height = 200, rect->FillPattern = 1;
    drawing->InsertRect(rect);
    auto ellipse = std::make_shared<cEllipse>();
    ellipse->Width = 300, ellipse->Height = 300;
    drawing->InsertEllipse(ellipse);
    auto polyline = std::make_shared<cPolyline>();
    auto polygon = std::make_shared<cPolygon>();
    for (int i = 0; i < 4; ++i) {
        auto point = std::make_shared<cPoint>();
        point->x = 100 * i, point->y = i % 2 ? 200 : 0;
        polyline->InsertPoint(point);
        polygon->InsertPoint(point);
    }
    drawing->InsertPolyline(polyline);
    drawing->InsertPolygon(polygon);
    auto box = std::make_shared<cDrawingText>();
    box->Width = 800, box->Height = 400;
    box->Text(run);
    drawing->InsertText(box);
    auto drawn = std::make_shared<cParagraph>();
    drawn->InsertDrawing(drawing);
    page->InsertParagraph(drawn);

    auto pictured = std::make_shared<cParagraph>();
    for (const auto& file : pictures) {
        auto picture = std::make_shared<cPicture>();
        picture->File = file;
        picture->Border->LeftVisible = True;
        EXPECT_EQ(pictured->InsertPicture(picture), True) << file;
        picture->ScaleFactor = 0.5f;
        EXPECT_EQ(pictured->InsertPicture(picture), True) << file;
    }
    page->InsertParagraph(pictured);
    doc->InsertPage(page);
    doc->InsertPage(page);
    return doc;
}

std::string buildDocument(const std::vector<std::string>& pictures, const std::string& saveAs) {
    test::FixedClock clock;
    auto doc = makeDocument(pictures);
    std::string rtf = doc->Rtf();
    EXPECT_EQ(doc->Save(saveAs), True);
    return rtf;
}

// A picture of every format in a folder of the test's own.
std::vector<std::string> pictureFiles(const fs::path& folder) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::vector<std::string> pictures;
    auto write = [&](const char* name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
        pictures.push_back((folder / name).string());
    };
    write("p.bmp", test::bmpFile(16, 12));
    // A picture group long enough that the page and the document share its text.
    write("large.bmp", test::bmpFile(120, 90));
    write("p.png", test::pngFile(12, 8));
    write("p.jpg", test::jpegFile(16, 16));
    write("p.gif", test::gifFile(10, 6));
    write("p.wmf", test::placeableFile(400, 300, 1440));
    return pictures;
}

TEST(Threads, EightThreadsBuildTheSameDocumentsAsOneAlone) {
    const fs::path folder = fs::temp_directory_path() / ("velloran-threads-" + std::to_string(::getpid()));
    const std::vector<std::string> pictures = pictureFiles(folder);

    const std::string alone = buildDocument(pictures, (folder / "alone.rtf").string());
    ASSERT_TRUE(test::balanced(alone));
    // Each picture twice, on a page inserted twice.
    std::size_t groups = 0;
    for (std::size_t at = alone.find("{\\pict"); at != std::string::npos; at = alone.find("{\\pict", at + 1)) ++groups;
    ASSERT_EQ(groups, 4 * pictures.size());

    constexpr int Threads = 8, Rounds = 3;
    std::atomic<int> different{0}, unsaved{0};
    std::atomic<int> ready{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < Threads; ++t) {
        threads.emplace_back([&, t] {
            // Start together, so the builds overlap.
            ready.fetch_add(1);
            while (ready.load() < Threads) std::this_thread::yield();
            for (int round = 0; round < Rounds; ++round) {
                fs::path file = folder / ("t" + std::to_string(t) + "-" + std::to_string(round) + ".rtf");
                if (buildDocument(pictures, file.string()) != alone) different.fetch_add(1);
                std::ifstream in(file, std::ios::binary);
                if (std::string(std::istreambuf_iterator<char>(in), {}) != alone) unsaved.fetch_add(1);
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(different.load(), 0) << "documents that differ from the one built alone";
    EXPECT_EQ(unsaved.load(), 0) << "saved files that differ from the one built alone";
    fs::remove_all(folder);
}

// Rtf and Save only read: threads may render one finished document at once.
TEST(Threads, OneDocumentReadByFourThreadsAtOnce) {
    const fs::path folder = fs::temp_directory_path() / ("velloran-readers-" + std::to_string(::getpid()));
    test::FixedClock clock;
    auto doc = makeDocument(pictureFiles(folder));
    const std::string expected = doc->Rtf();
    std::atomic<int> different{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            test::FixedClock same;
            fs::path file = folder / ("r" + std::to_string(t) + ".rtf");
            for (int round = 0; round < 3; ++round) {
                if (doc->Rtf() != expected) different.fetch_add(1);
                if (doc->Save(file.string()) != True || test::fileContent(file) != expected) different.fetch_add(1);
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(different.load(), 0);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace velloran
