// Out of memory at any point of a call: the call fails with std::bad_alloc
// and every object it touched reads as before; or it succeeds and they read
// as after a call that never failed.
#include <functional>
#include <new>
#include <vector>

#include "failing_allocations.hpp"
#include "picture_files.hpp"
#include "support.hpp"

namespace velloran {
namespace {

// A sanitizer's allocator cannot be made to fail: these tests need ours.
#ifdef VELLORAN_FAILS_ALLOCATIONS

using test::allocationsLeft;
using test::FixedClock;
using test::fragment;

// The text of everything a call may touch, read with allocations working:
// the lists a document declares are read from the same records.
std::string textOf(const cParagraph& p) { return Access::content(p); }
std::string textOf(const cCell& c) { return Access::content(c); }
std::string textOf(const cPage& page) { return fragment(page); }
std::string textOf(const cDocument& doc) { return doc.Rtf() + "|pages " + std::to_string(doc.LastPage()); }
std::string textOf(const cText& run) { return test::run(run); }
template <class T>
std::string textOf(const T& object) {
    return fragment(object);
}

// A call and what it reads: `call` reports whether it did its work (an
// insert's True, a rendering equal to a good one's).
struct Case {
    std::function<std::string()> state;
    std::function<bool()> call;
};

// The n-th allocation of the call fails, for every n until the call needs
// no more than n.
void sweep(const char* name, const std::function<Case()>& make) {
    FixedClock clock;
    std::string expected;
    {
        Case good = make();
        ASSERT_TRUE(good.call()) << name;
        expected = good.state();
    }
    for (int n = 0; n < 100000; ++n) {
        Case c = make();
        const std::string before = c.state();
        bool threw = false, worked = false;
        allocationsLeft = n;
        try {
            worked = c.call();
        } catch (const std::bad_alloc&) {
            threw = true;
        }
        const bool finished = allocationsLeft > 0;
        allocationsLeft = -1;
        const std::string after = c.state();
        ASSERT_TRUE(threw || worked) << name << ": allocation " << n << " failed and the call returned a wrong result";
        if (threw || !worked)
            ASSERT_TRUE(after == before) << name << ": allocation " << n << " failed it and changed what it touched";
        else ASSERT_TRUE(after == expected) << name << ": allocation " << n << " failed and the call went on wrongly";
        if (finished) {
            EXPECT_TRUE(worked) << name;
            return;
        }
    }
    ADD_FAILURE() << name << ": never finished";
}

std::shared_ptr<cText> run(const std::string& text) {
    auto t = std::make_shared<cText>();
    t->Bold = True;
    t->Text(text);
    return t;
}

std::shared_ptr<cParagraph> para(const std::string& text, vlRTFList list = lNone) {
    auto p = std::make_shared<cParagraph>();
    p->ListStyle = list;
    p->InsertText(run(text));
    return p;
}

const std::string Large(300000, 'x');

TEST(OutOfMemory, ParagraphInserts) {
    for (const std::string* text : {&Large, static_cast<const std::string*>(nullptr)}) {
        const std::string body = text ? *text : "small";
        sweep("InsertText", [&] {
            auto p = para(body);
            auto r = run("more {text}\\");
            return Case{[=] { return textOf(*p) + textOf(*r); }, [=] { return p->InsertText(r) == True; }};
        });
        sweep("InsertFootnote", [&] {
            auto p = para(body);
            auto note = para(body, lNumber);
            return Case{[=] { return textOf(*p) + textOf(*note); }, [=] { return p->InsertFootnote(note) == True; }};
        });
        sweep("InsertDrawing", [&] {
            auto p = para(body);
            auto d = std::make_shared<cDrawing>();
            d->InsertRect(std::make_shared<cRect>());
            auto poly = std::make_shared<cPolygon>();
            poly->InsertPoint(std::make_shared<cPoint>());
            d->InsertPolygon(poly);
            return Case{[=] { return textOf(*p) + textOf(*d); }, [=] { return p->InsertDrawing(d) == True; }};
        });
    }
}

TEST(OutOfMemory, PictureInserts) {
    const auto folder = test::testFolder("velloran-oom");
    std::filesystem::create_directories(folder);
    const std::string png = (folder / "a.png").string(), bmp = (folder / "a.bmp").string();
    std::ofstream(png, std::ios::binary) << test::pngFile(24, 16);
    std::ofstream(bmp, std::ios::binary) << test::bmpFile(24, 16);
    for (const auto& [file, embedding] :
         {std::pair{png, eOriginal}, std::pair{png, eOriginalAndMetafile}, std::pair{bmp, eMetafile}}) {
        sweep("InsertPicture", [&, file = file, embedding = embedding] {
            auto p = para(Large);
            auto picture = std::make_shared<cPicture>();
            picture->File = file;
            picture->Embedding = embedding;
            return Case{[=] { return textOf(*p); }, [=] { return p->InsertPicture(picture) == True; }};
        });
    }
    std::filesystem::remove_all(folder);
}

TEST(OutOfMemory, PageAndCellInserts) {
    for (const std::string* text : {&Large, static_cast<const std::string*>(nullptr)}) {
        const std::string body = text ? *text : "small";
        sweep("cPage::InsertParagraph", [&] {
            auto page = std::make_shared<cPage>();
            page->InsertParagraph(para(body));
            auto p = para(body, lBullet);
            return Case{[=] { return textOf(*page) + textOf(*p); }, [=] { return page->InsertParagraph(p) == True; }};
        });
        sweep("cCell::InsertParagraph", [&] {
            auto cell = std::make_shared<cCell>();
            cell->InsertParagraph(para(body));
            auto p = para(body, lNumber);
            return Case{[=] { return textOf(*cell) + textOf(*p); }, [=] { return cell->InsertParagraph(p) == True; }};
        });
        sweep("cPage::InsertTable", [&] {
            auto page = std::make_shared<cPage>();
            page->InsertParagraph(para(body));
            auto cells = std::make_shared<CellArray>(std::initializer_list<CellArray::Bounds>{{1, 2}, {1, 2}});
            for (std::int32_t c = 1; c <= 2; ++c)
                for (std::int32_t r = 1; r <= 2; ++r) {
                    auto cell = std::make_shared<cCell>();
                    cell->InsertParagraph(para(body, lBullet));
                    cell->RowSpan = c == 1 && r == 1 ? 2 : 1;
                    cells->at({c, r}) = cell;
                }
            return Case{[=] { return textOf(*page); }, [=] { return page->InsertTable(*cells) == True; }};
        });
    }
}

// A document with a page, a header and footer and a list; its own inserts
// and renderings.
std::shared_ptr<cDocument> document(const std::string& body) {
    auto doc = std::make_shared<cDocument>();
    doc->FontIndex("Courier New");
    doc->ColorIndex(0x123456);
    doc->Header = para(body, lBullet);
    doc->Footer = para("footer");
    doc->PageNumbersOn = True;
    auto page = std::make_shared<cPage>();
    page->InsertParagraph(para(body, lNumber));
    doc->InsertPage(page);
    return doc;
}

TEST(OutOfMemory, DocumentCalls) {
    for (const std::string* text : {&Large, static_cast<const std::string*>(nullptr)}) {
        const std::string body = text ? *text : "small";
        sweep("InsertPage", [&] {
            auto doc = document(body);
            auto page = std::make_shared<cPage>();
            page->Orientation = oLandscape;
            page->InsertParagraph(para(body, lBullet));
            return Case{[=] { return textOf(*doc) + textOf(*page); }, [=] { return doc->InsertPage(page) == True; }};
        });
        sweep("FontIndex", [&] {
            auto doc = document(body);
            return Case{[=] { return textOf(*doc); },
                        [=] { return doc->FontIndex("A font name longer than a short string") == 2; }};
        });
        sweep("ColorIndex", [&] {
            auto doc = document(body);
            return Case{[=] { return textOf(*doc); }, [=] { return doc->ColorIndex(0x654321) == 4; }};
        });
        std::string good;
        {
            FixedClock clock;
            good = document(body)->Rtf();
        }
        sweep("Rtf", [&] {
            auto doc = document(body);
            return Case{[=] { return textOf(*doc); }, [=] { return doc->Rtf() == good; }};
        });
    }
}

TEST(OutOfMemory, SaveReplacesTheFileOnlyWithTheWholeDocument) {
    const auto folder = test::testFolder("velloran-oom-save");
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "out.rtf").string();
    sweep("Save", [&] {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << "old";
        auto doc = document(Large);
        return Case{[=] { return textOf(*doc) + test::fileContent(file); }, [=] { return doc->Save(file) == True; }};
    });
    std::filesystem::remove_all(folder);
}

TEST(OutOfMemory, DrawingInserts) {
    sweep("cDrawing::InsertText", [] {
        auto d = std::make_shared<cDrawing>();
        d->InsertEllipse(std::make_shared<cEllipse>());
        auto box = std::make_shared<cDrawingText>();
        box->Text(run("boxed"));
        return Case{[=] { return textOf(*d); }, [=] { return d->InsertText(box) == True; }};
    });
    sweep("cDrawing::InsertPolyline", [] {
        auto d = std::make_shared<cDrawing>();
        d->InsertLine(std::make_shared<cLine>());
        auto line = std::make_shared<cPolyline>();
        line->InsertPoint(std::make_shared<cPoint>());
        line->InsertPoint(std::make_shared<cPoint>());
        return Case{[=] { return textOf(*d); }, [=] { return d->InsertPolyline(line) == True; }};
    });
    sweep("cPolygon::InsertPoint", [] {
        auto poly = std::make_shared<cPolygon>();
        poly->InsertPoint(std::make_shared<cPoint>());
        auto point = std::make_shared<cPoint>();
        point->x = 70000;
        return Case{[=] {
                        std::string shape;
                        rtf::appendShape(*poly, shape, 0);
                        return textOf(*poly) + shape;
                    },
                    [=] { return poly->InsertPoint(point) == True; }};
    });
    sweep("cText::Text", [] {
        auto r = run("before");
        return Case{[=] { return textOf(*r); },
                    [=] {
                        r->Text(Large + "{\\}\xc3\xa9");
                        return true;
                    }};
    });
}

#endif

}  // namespace
}  // namespace velloran
