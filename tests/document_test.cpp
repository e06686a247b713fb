// The document: defaults, font and colour tables, the header writer, the
// frame around the pages, Save and its failures.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "support.hpp"

namespace velloran {
namespace {

using test::DefaultHeader;
using test::errorOf;
using test::FixedClock;
using test::inChild;

TEST(Document, DefaultFields) {
    cDocument doc;
    EXPECT_EQ(doc.PageWidth, 11906);
    EXPECT_EQ(doc.PageHeight, 16837);
    EXPECT_EQ(doc.PageMarginLeft, 1440);
    EXPECT_EQ(doc.PageMarginBottom, 1440);
    EXPECT_EQ(doc.PageLandscape, False);
    EXPECT_EQ(doc.PageNumbersOn, False);
    EXPECT_EQ(doc.PageNumberStart, 1);
    EXPECT_EQ(doc.PageNumberMarginRight, 720);
    EXPECT_EQ(doc.PageNumberMarginTop, 720);
    EXPECT_EQ(doc.FontDefaultName, "Arial");
    EXPECT_EQ(doc.FontDefaultCharSet, 0);
    EXPECT_EQ(doc.FontDefaultHeight, 10);
    EXPECT_EQ(doc.Header, nullptr);
    EXPECT_EQ(doc.Footer, nullptr);
    EXPECT_EQ(doc.LastPage(), 0);
    EXPECT_TRUE(doc.Author.empty() && doc.Operator.empty() && doc.Title.empty() && doc.Subject.empty());
}

TEST(Document, DefaultDocumentIsTheWorkedExample) {
    FixedClock clock;
    cDocument doc;
    EXPECT_EQ(doc.Rtf(), DefaultHeader + "{}}");
}

// Objects moved from stay usable, as new ones: reading one reads an empty
// object, copying it copies one, and changing it starts it afresh.
TEST(Document, MovedFromObjectsAreUsableAsNewOnes) {
    FixedClock clock;
    cDocument doc, taken(std::move(doc));
    cParagraph para, p2(std::move(para));
    cPage page, g2(std::move(page));
    cCell cell, c2(std::move(cell));
    // Fields moved from are empty (the default font's name too).
    EXPECT_TRUE(doc.Rtf().ends_with("\\cb2\\cf1 {}}"));
    EXPECT_EQ(cDocument(doc).LastPage(), 0);
    EXPECT_EQ(test::fragment(cPage(page)), "{}\\page ");

    auto run = std::make_shared<cText>();
    run->Text("again");
    EXPECT_EQ(para.InsertText(run), True);
    auto again = std::make_shared<cParagraph>(std::move(para));
    again->Border = std::make_shared<cBorder>();
    EXPECT_EQ(page.InsertParagraph(again), True);
    EXPECT_EQ(cell.InsertParagraph(std::make_shared<cParagraph>()), True);
    EXPECT_EQ(doc.InsertPage(std::make_shared<cPage>(std::move(page))), True);
    EXPECT_EQ(doc.LastPage(), 1);
    EXPECT_NE(doc.Rtf().find("again"), std::string::npos);
}

// A copy holds every field and everything inserted: whatever the original
// writes, the copy writes the same, and later inserts change only one.
TEST(Document, ACopyKeepsEveryFieldAndItsContent) {
    FixedClock clock;
    auto run = std::make_shared<cText>();
    run->Text("copied");
    cParagraph p;
    p.Align = aCenter, p.IndentFirstLine = 1, p.IndentLeft = 2, p.IndentRight = 3, p.SpaceBefore = 4;
    p.SpaceAfter = 5, p.SpaceBetweenLines = 6, p.ListStyle = lNumber, p.ListLevel = 2, p.ListId = 3;
    p.Border->TopVisible = True;
    p.InsertText(run);
    cParagraph pc(p);
    cCell c;
    c.BackColorIndex = 3, c.Width = 2000, c.ColumnSpan = 2, c.RowSpan = 1;
    c.InsertParagraph(std::make_shared<cParagraph>(p));
    cCell cc(c);
    cPage g;
    g.TableHeaderRows = 1, g.Orientation = oLandscape;
    cPage gc(g);
    auto fill = [&](cPage& page, cParagraph& para, cCell& cell) {
        page.InsertParagraph(std::make_shared<cParagraph>(para));
        CellArray cells({{1, 2}, {1, 1}});
        cells.at({1, 1}) = std::make_shared<cCell>(cell);
        cells.at({2, 1}) = std::make_shared<cCell>();
        page.InsertTable(cells);
    };
    fill(g, p, c);
    fill(gc, pc, cc);
    cDocument d;
    d.Author = "a", d.Operator = "o", d.Title = "t", d.Subject = "s", d.PageWidth = 12240, d.PageHeight = 15840;
    d.PageMarginLeft = 1, d.PageMarginRight = 2, d.PageMarginTop = 3, d.PageMarginBottom = 4;
    d.PageLandscape = True, d.PageNumbersOn = True, d.PageNumberStart = 5, d.PageNumberMarginRight = 6;
    d.PageNumberMarginTop = 7, d.FontDefaultName = "Georgia", d.FontDefaultCharSet = 161, d.FontDefaultHeight = 12;
    d.Header = std::make_shared<cParagraph>(p), d.Footer = std::make_shared<cParagraph>(p);
    d.FontIndex("Courier New"), d.ColorIndex(0x123456);
    d.InsertPage(std::make_shared<cPage>(g));
    cDocument dc(d);
    const std::string original = d.Rtf();
    EXPECT_EQ(dc.Rtf(), original);
    cDocument written;
    written.InsertPage(std::make_shared<cPage>(gc));
    cDocument expected;
    expected.InsertPage(std::make_shared<cPage>(g));
    EXPECT_EQ(written.Rtf(), expected.Rtf());
    dc.InsertPage(std::make_shared<cPage>());
    EXPECT_EQ(d.Rtf(), original);
}

// Every class moved from: the object it moved to has everything; inserting
// the one moved from writes a balanced document and raises nothing but the
// library's errors; filling it again gives what a new one filled gives; and
// one whose state only inserts make reads as a new one.
template <class T, class Fill, class Text, class Insert>
void movedFrom(const char* name, Fill fill, Text text, Insert insert, bool onlyInserts) {
    FixedClock clock;
    auto a = std::make_shared<T>();
    fill(*a);
    const std::string full = text(*a);
    T b(std::move(*a));
    EXPECT_EQ(text(b), full) << name;
    if (onlyInserts) {
        EXPECT_EQ(text(*a), text(T())) << name;
    }
    cDocument doc;
    try {
        insert(doc, a);
    } catch (const Error&) {
    }
    EXPECT_TRUE(test::balanced(doc.Rtf())) << name;
    T c;
    c = std::move(b);
    fill(*a);
    EXPECT_EQ(text(*a), full) << name;
    EXPECT_EQ(text(c), full) << name;
}

TEST(Document, EveryClassMovedFromReadsAsNewAndStartsAfresh) {
    auto run = [](const std::string& t) {
        auto r = std::make_shared<cText>();
        r->Text(t);
        return r;
    };
    auto inParagraph = [](cDocument& doc, auto fill) {
        auto p = std::make_shared<cParagraph>();
        fill(*p);
        auto page = std::make_shared<cPage>();
        page->InsertParagraph(p);
        doc.InsertPage(page);
    };
    auto inDrawing = [&](cDocument& doc, auto fill) {
        auto d = std::make_shared<cDrawing>();
        fill(*d);
        inParagraph(doc, [&](cParagraph& p) { p.InsertDrawing(d); });
    };
    auto points = [](auto& shape) {
        for (int i = 0; i < 3; ++i) {
            auto pt = std::make_shared<cPoint>();
            pt->x = 100 * i, pt->y = 50 * i * i;
            shape.InsertPoint(pt);
        }
    };
    auto both = [](const auto& shape) {
        std::string out = test::fragment(shape);
        rtf::appendShape(shape, out, 0);
        return out;
    };
    auto fragmentOf = [](const auto& o) { return test::fragment(o); };

    movedFrom<cDocument>(
        "cDocument",
        [&](cDocument& d) {
            d.Title = "t", d.FontDefaultName = "Arial", d.FontIndex("Courier New"), d.ColorIndex(0x123456);
        },
        [](const cDocument& d) { return d.Rtf(); }, [](cDocument&, auto&) {}, false);
    movedFrom<cPage>(
        "cPage", [&](cPage& g) { g.InsertParagraph(std::make_shared<cParagraph>()); }, fragmentOf,
        [](cDocument& doc, auto& g) { doc.InsertPage(g); }, true);
    movedFrom<cParagraph>(
        "cParagraph", [&](cParagraph& p) { p.InsertText(run("p")); },
        [](const cParagraph& p) { return Access::content(p); },
        [&](cDocument& doc, auto& p) { inParagraph(doc, [&](cParagraph& q) { q.InsertFootnote(p); }); }, true);
    movedFrom<cCell>(
        "cCell", [&](cCell& c) { c.InsertParagraph(std::make_shared<cParagraph>()); },
        [](const cCell& c) { return Access::content(c); },
        [](cDocument& doc, auto& c) {
            CellArray cells({{1, 1}, {1, 1}});
            cells.at({1, 1}) = c;
            auto page = std::make_shared<cPage>();
            page->InsertTable(cells);
            doc.InsertPage(page);
        },
        true);
    movedFrom<cText>(
        "cText", [](cText& t) { t.Text("run"); }, [](const cText& t) { return test::run(t); },
        [&](cDocument& doc, auto& t) { inParagraph(doc, [&](cParagraph& p) { p.InsertText(t); }); }, true);
    movedFrom<cBorder>(
        "cBorder", [](cBorder& b) { b.TopVisible = True; }, [](const cBorder& b) { return test::border(b); },
        [&](cDocument& doc, auto& b) { inParagraph(doc, [&](cParagraph& p) { p.Border = b; }); }, false);
    movedFrom<cDrawing>(
        "cDrawing",
        [](cDrawing& d) {
            d.InsertRect(std::make_shared<cRect>());
            d.InsertLine(std::make_shared<cLine>());
        },
        fragmentOf, [&](cDocument& doc, auto& d) { inParagraph(doc, [&](cParagraph& p) { p.InsertDrawing(d); }); },
        true);
    movedFrom<cDrawingText>(
        "cDrawingText", [&](cDrawingText& t) { t.Text(run("boxed")); }, both,
        [&](cDocument& doc, auto& t) { inDrawing(doc, [&](cDrawing& d) { d.InsertText(t); }); }, true);
    movedFrom<cLine>(
        "cLine", [](cLine& l) { l.x2 = 500; }, both,
        [&](cDocument& doc, auto& l) { inDrawing(doc, [&](cDrawing& d) { d.InsertLine(l); }); }, false);
    movedFrom<cRect>(
        "cRect", [](cRect& r) { r.Width = 500; }, both,
        [&](cDocument& doc, auto& r) { inDrawing(doc, [&](cDrawing& d) { d.InsertRect(r); }); }, false);
    movedFrom<cEllipse>(
        "cEllipse", [](cEllipse& e) { e.Height = 500; }, both,
        [&](cDocument& doc, auto& e) { inDrawing(doc, [&](cDrawing& d) { d.InsertEllipse(e); }); }, false);
    movedFrom<cPolyline>(
        "cPolyline", points, both,
        [&](cDocument& doc, auto& l) { inDrawing(doc, [&](cDrawing& d) { d.InsertPolyline(l); }); }, true);
    movedFrom<cPolygon>(
        "cPolygon", points, both,
        [&](cDocument& doc, auto& g) { inDrawing(doc, [&](cDrawing& d) { d.InsertPolygon(g); }); }, true);
    movedFrom<cPoint>(
        "cPoint", [](cPoint& p) { p.x = 7; }, fragmentOf,
        [&](cDocument& doc, auto& p) {
            inDrawing(doc, [&](cDrawing& d) {
                auto g = std::make_shared<cPolygon>();
                g->InsertPoint(p);
                d.InsertPolygon(g);
            });
        },
        false);
    movedFrom<cPicture>(
        "cPicture", [](cPicture& p) { p.File = "no such file.png", p.Width = 100; },
        [](const cPicture& p) { return p.File + std::to_string(p.Width); },
        [&](cDocument& doc, auto& p) { inParagraph(doc, [&](cParagraph& q) { q.InsertPicture(p); }); }, false);
}

TEST(Document, RealClockGivesTodaysDate) {
    cDocument doc;
    platform::LocalTime before = platform::systemLocalNow();
    std::string rtf = doc.Rtf();
    platform::LocalTime after = platform::systemLocalNow();
    auto stamp = [](const platform::LocalTime& t) {
        std::ostringstream s;
        s << "{\\creatim\\yr" << t.year << "\\mo" << t.month << "\\dy" << t.day << "\\hr" << t.hour << "\\min"
          << t.minute << "}";
        return s.str();
    };
    EXPECT_TRUE(rtf.find(stamp(before)) != std::string::npos || rtf.find(stamp(after)) != std::string::npos) << rtf;
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    EXPECT_EQ(before.year, local.tm_year + 1900);
    EXPECT_EQ(before.month, local.tm_mon + 1);
}

std::string withPageSetup(const std::string& setup) {
    std::string expected = DefaultHeader;
    const std::string portrait = "\\paperw11906\\paperh16837\\margl1440\\margr1440\\margt1440\\margb1440";
    expected.replace(expected.find(portrait), portrait.size(), setup);
    return expected + "{}}";
}

TEST(Document, LandscapeTurnsTheSheetWithItsMargins) {
    FixedClock clock;
    cDocument doc;
    doc.PageLandscape = True;
    EXPECT_EQ(doc.Rtf(),
              withPageSetup("\\paperw16837\\paperh11906\\margl1440\\margr1440\\margt1440\\margb1440\\landscape"));
    doc.PageLandscape = 1;  // any non-zero value
    doc.PageMarginLeft = 1, doc.PageMarginRight = 2, doc.PageMarginTop = 3, doc.PageMarginBottom = 4;
    EXPECT_EQ(doc.Rtf(), withPageSetup("\\paperw16837\\paperh11906\\margl4\\margr3\\margt1\\margb2\\landscape"));
}

TEST(Document, PageNumbersOnlyWhenExactlyTrue) {
    FixedClock clock;
    cDocument doc;
    doc.PageNumbersOn = True;
    // The numbering after "\sectd", which would void it, and a PAGE field at
    // the top right: 720 from the right edge is 720 into the right margin.
    std::string numbered = DefaultHeader + "{}}";
    numbered.insert(numbered.find("\\sectd ") + 7,
                    "\\pgnstarts1\\pgncont\\pgnrestart\\pgnx720\\pgny720\\pgndec\\headery720"
                    "{\\header{\\pard\\plain\\qr\\ri-720\\f0\\fs20 {\\field{\\*\\fldinst PAGE }{\\fldrslt 1}}\\par}}");
    EXPECT_EQ(doc.Rtf(), numbered);
    // A header of the host's follows the number; landscape measures from the turned sheet's margin.
    doc.PageNumberStart = 7, doc.PageNumberMarginRight = 2000, doc.PageMarginTop = 500, doc.PageLandscape = True;
    auto head = std::make_shared<cParagraph>();
    doc.Header = head;
    EXPECT_NE(doc.Rtf().find("\\pgnstarts7\\pgncont\\pgnrestart\\pgnx2000\\pgny720\\pgndec\\headery720{\\header"
                             "{\\pard\\plain\\qr\\ri1500\\f0\\fs20 {\\field{\\*\\fldinst PAGE }{\\fldrslt 7}}\\par}"
                             "{\\pard\\plain}"),
              std::string::npos);
    // The number stays when the host's header fails, and loses only its size
    // when the default size's double overflows.
    head->Border = nullptr;
    doc.FontDefaultHeight = 1 << 30;
    EXPECT_NE(
        doc.Rtf().find("\\headery720{\\header{\\pard\\plain\\qr\\ri1500 {\\field{\\*\\fldinst PAGE }{\\fldrslt 7}}"
                       "\\par}}\\pmmetafile28"),
        std::string::npos);
    doc.FontDefaultHeight = 10;
    doc.Header = nullptr, doc.PageLandscape = False, doc.PageMarginTop = 1440;
    doc.PageNumberStart = 1, doc.PageNumberMarginRight = 720;
    doc.PageNumbersOn = 1;
    EXPECT_EQ(doc.Rtf(), DefaultHeader + "{}}");
}

TEST(Document, NegativeMarginsAndSizes) {
    FixedClock clock;
    cDocument doc;
    doc.PageMarginLeft = -5;
    doc.PageWidth = 0;
    EXPECT_NE(doc.Rtf().find("\\paperw0\\paperh16837\\margl-5\\margr1440"), std::string::npos);
}

TEST(Document, TimeStampWithoutLeadingZeros) {
    FixedClock clock({2027, 1, 1, 0, 0});
    cDocument doc;
    EXPECT_NE(doc.Rtf().find("{\\creatim\\yr2027\\mo1\\dy1\\hr0\\min0}{\\revtim\\yr2027\\mo1\\dy1\\hr0\\min0}"),
              std::string::npos);
}

// A fixed time comes from the host first, then from SOURCE_DATE_EPOCH (in
// UTC); either refuses what is not a time, the document and file untouched.
TEST(Document, FixedCreationTimeForReproducibleFiles) {
    FixedClock clock({2026, 12, 7, 4, 5});
    cDocument doc;
    const std::string made = "{\\creatim\\yr2024\\mo2\\dy29\\hr23\\min59}{\\revtim\\yr2024\\mo2\\dy29\\hr23\\min59}";
    doc.CreationTime("2024-02-29T23:59:30");
    EXPECT_NE(doc.Rtf().find(made), std::string::npos);
    for (const char* bad : {"2023-02-29 10:00", "2024-02-29 24:00", "2024-2-29 10:00", "29/02/2024 10:00"}) {
        EXPECT_THROW(doc.CreationTime(bad), Error) << bad;
        EXPECT_EQ(doc.CreationTime(), "2024-02-29T23:59:30");
    }
    ::setenv("SOURCE_DATE_EPOCH", "1733875200", 1);  // 2024-12-11 00:00 UTC
    EXPECT_NE(doc.Rtf().find(made), std::string::npos);
    doc.CreationTime("");
    EXPECT_NE(doc.Rtf().find("{\\creatim\\yr2024\\mo12\\dy11\\hr0\\min0}"), std::string::npos);
    ::setenv("SOURCE_DATE_EPOCH", "17338752OO", 1);
    EXPECT_THROW(doc.Rtf(), Error);
    ::unsetenv("SOURCE_DATE_EPOCH");
    EXPECT_NE(doc.Rtf().find("{\\creatim\\yr2026\\mo12\\dy7\\hr4\\min5}"), std::string::npos);
}

TEST(Document, WorkedSequenceOfColoursAndFonts) {
    FixedClock clock;
    cDocument doc;
    EXPECT_EQ(doc.ColorIndex(0), 1);
    EXPECT_EQ(doc.ColorIndex(0xFFFFFF), 2);
    EXPECT_EQ(doc.ColorIndex(0x0000FF), 3);
    EXPECT_EQ(doc.ColorIndex(0x0000FF), 3);
    EXPECT_EQ(doc.FontIndex("Arial"), 0);
    EXPECT_EQ(doc.FontIndex("times new roman"), 1);
    EXPECT_EQ(doc.FontIndex("Times New Roman", 161), 1);
    EXPECT_EQ(doc.FontIndex(""), 0);
    std::string rtf = doc.Rtf();
    EXPECT_NE(rtf.find("{\\fonttbl{\\f0\\fnil\\fcharset0\\fprq2 Arial;}{\\f1\\fnil\\fcharset0\\fprq2 times new "
                       "roman;}}"),
              std::string::npos);
    EXPECT_NE(rtf.find("{\\colortbl;\\red0\\green0\\blue0;\\red255\\green255\\blue255;\\red255\\green0\\blue0;}"),
              std::string::npos);
}

TEST(Document, FontTableEntries) {
    FixedClock clock;
    cDocument doc;
    doc.FontDefaultName = "Verdana";
    doc.FontDefaultCharSet = 161;
    EXPECT_EQ(doc.FontIndex("Courier"), 1);  // takes the default character set of now
    doc.FontDefaultCharSet = 204;
    EXPECT_EQ(doc.FontIndex("Symbol", 2), 2);
    EXPECT_EQ(doc.FontIndex("Tahoma"), 3);
    EXPECT_EQ(doc.FontIndex("Courier "), 4);  // a trailing space counts
    EXPECT_EQ(doc.FontIndex("COURIER"), 1);
    EXPECT_NE(doc.Rtf().find("{\\fonttbl{\\f0\\fnil\\fcharset204\\fprq2 Verdana;}"
                             "{\\f1\\fnil\\fcharset161\\fprq2 Courier;}{\\f2\\fnil\\fcharset2\\fprq2 Symbol;}"
                             "{\\f3\\fnil\\fcharset204\\fprq2 Tahoma;}{\\f4\\fnil\\fcharset204\\fprq2 Courier ;}}"),
              std::string::npos);
}

TEST(Document, ChangingTheDefaultFontAfterEntries) {
    cDocument doc;
    EXPECT_EQ(doc.FontIndex("Georgia"), 1);
    doc.FontDefaultName = "Georgia";
    EXPECT_EQ(doc.FontIndex("georgia"), 0);
    EXPECT_NE(doc.Rtf().find("{\\f0\\fnil\\fcharset0\\fprq2 Georgia;}{\\f1\\fnil\\fcharset0\\fprq2 Georgia;}"),
              std::string::npos);
}

TEST(Document, FontNamesCompareUnicodeCaseInsensitively) {
    cDocument doc;
    EXPECT_EQ(doc.FontIndex("\xce\xb1\xce\xb2"), 1);  // Greek small
    EXPECT_EQ(doc.FontIndex("\xce\x91\xce\x92"), 1);  // Greek capital
    EXPECT_NE(doc.Rtf().find("{\\f1\\fnil\\fcharset0\\fprq2 \\uc1\\u945\\'3f\\u946\\'3f;}"), std::string::npos);
}

TEST(Document, ColourValuesCompareAllBits) {
    cDocument doc;
    EXPECT_EQ(doc.ColorIndex(0x01000000), 3);
    EXPECT_EQ(doc.ColorIndex(0x0080FF), 4);
    EXPECT_EQ(doc.ColorIndex(0), 1);
    EXPECT_NE(doc.Rtf().find("\\red255\\green255\\blue255;\\red0\\green0\\blue0;\\red255\\green128\\blue0;}"),
              std::string::npos);
}

TEST(Document, InformationStringsAndFontNamesAreEscaped) {
    FixedClock clock;
    cDocument doc;
    doc.Author = "A}\\par{";
    doc.Operator = "\xce\x9f";
    doc.Title = "T\xe2\x82\xac";
    doc.Subject = "tab\there";
    doc.FontDefaultName = "Bad}Font";
    std::string rtf = doc.Rtf();
    EXPECT_NE(
        rtf.find("{\\info{\\author A\\'7d\\'5cpar\\'7b}{\\operator \\uc1 \\u927\\'3f}{\\title \\uc1 T\\u8364\\'3f}"
                 "{\\subject tab\\'09here}"),
        std::string::npos);
    EXPECT_NE(rtf.find("\\fprq2 Bad\\}Font;}"), std::string::npos);
    EXPECT_TRUE(test::balanced(rtf));
    for (unsigned char c : rtf) ASSERT_LT(c, 0x80);
}

TEST(Document, DefaultHeightThatOverflowsDropsOnlyItsNumbers) {
    FixedClock clock;
    cDocument doc;
    doc.FontDefaultHeight = 1073741824;
    std::string expected = DefaultHeader + "{}}";
    expected.replace(expected.find("{\\stylesheet{\\fs20 "), 19, "{\\stylesheet{ ");
    expected.replace(expected.find("\\f0\\fs20\\cb2"), 12, "\\cb2");
    EXPECT_EQ(doc.Rtf(), expected);
    EXPECT_TRUE(test::balanced(expected));
    doc.FontDefaultHeight = -1073741824;
    EXPECT_NE(doc.Rtf().find("{\\stylesheet{\\fs-2147483648 \\snext0"), std::string::npos);
}

TEST(Document, ColourIndexesArePerThread) {
    std::int32_t black = -1, white = -1, after = -1;
    std::int32_t textFore = -1, borderColour = -1, cellBack = -1;
    std::thread([&] {
        black = BlackColorIndex();
        white = WhiteColorIndex();
        cText text;
        cBorder b;
        cCell cell;
        textFore = text.ForeColorIndex;
        borderColour = b.BorderColorIndex;
        cellBack = cell.BackColorIndex;
        cDocument doc;
        after = WhiteColorIndex();
    }).join();
    EXPECT_EQ(black, 0);
    EXPECT_EQ(white, 0);
    EXPECT_EQ(textFore, 0);
    EXPECT_EQ(borderColour, 0);
    EXPECT_EQ(cellBack, 0);
    EXPECT_EQ(after, 2);
}

class SaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = test::testFolder("velloran-save");
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(folder_);
    }
    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    static std::string read(const std::string& file) { return test::fileContent(file); }
    // The names in the folder, to prove that nothing was left behind.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(folder_)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::filesystem::path folder_;
};

TEST_F(SaveTest, WritesExactlyTheRtfText) {
    FixedClock clock;
    cDocument doc;
    doc.Title = "\xce\xa4";
    EXPECT_EQ(doc.Save(path("doc.rtf")), True);
    EXPECT_EQ(read(path("doc.rtf")), doc.Rtf());
    EXPECT_EQ(entries(), std::vector<std::string>{"doc.rtf"});
}

TEST_F(SaveTest, ReplacesAnExistingFileKeepingItsMode) {
    std::ofstream(path("doc.rtf")) << std::string(100000, 'x');
    std::filesystem::permissions(path("doc.rtf"), std::filesystem::perms(0640));
    FixedClock clock;
    cDocument doc;
    EXPECT_EQ(doc.Save(path("doc.rtf")), True);
    EXPECT_EQ(read(path("doc.rtf")), doc.Rtf());
    struct stat st;
    ASSERT_EQ(::stat(path("doc.rtf").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(entries(), std::vector<std::string>{"doc.rtf"});
}

TEST_F(SaveTest, ThroughALinkReplacesTheFileItNames) {
    std::ofstream(path("target.rtf")) << "old";
    std::filesystem::create_symlink(path("target.rtf"), path("link.rtf"));
    cDocument doc;
    EXPECT_EQ(doc.Save(path("link.rtf")), True);
    EXPECT_TRUE(std::filesystem::is_symlink(path("link.rtf")));
    EXPECT_EQ(read(path("target.rtf")).substr(0, 6), "{\\rtf1");
}

TEST_F(SaveTest, EmptyPathReturnsFalse) {
    cDocument doc;
    EXPECT_EQ(doc.Save(""), False);
    EXPECT_TRUE(entries().empty());
}

TEST_F(SaveTest, FailuresRaiseFileErrorsAndLeaveNothing) {
    cDocument doc;
    EXPECT_EQ(errorOf([&] { doc.Save(path("missing/doc.rtf")); }), 76);
    EXPECT_EQ(errorOf([&] { doc.Save(folder_.string()); }), 75);
    EXPECT_EQ(errorOf([&] { doc.Save(path("dir/")); }), 76);
    std::ofstream(path("file")) << "x";
    EXPECT_EQ(errorOf([&] { doc.Save(path("file/doc.rtf")); }), 76);
    EXPECT_EQ(errorOf([&] { doc.Save(std::string("a\0b", 3)); }), 52);
    EXPECT_EQ(entries(), std::vector<std::string>{"file"});
}

// What is neither a file nor a device that takes text is refused at once,
// untouched: a pipe nobody reads (which would never return), a socket. A
// device that took the document says so.
TEST_F(SaveTest, PipesWithoutReaderAndSocketsFailAtOnceDevicesSucceed) {
    cDocument doc;
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    int status = test::inChild([&] {
        ::alarm(10);  // a Save that waits for a reader ends here
        return errorOf([&] { doc.Save(path("pipe")); });
    });
    EXPECT_EQ(status, 75);
    EXPECT_TRUE(std::filesystem::is_fifo(path("pipe")));
    int reader = ::open(path("pipe").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(doc.Save(path("pipe")), True);
    std::string taken(doc.Rtf().size() + 1, '\0');
    EXPECT_EQ(::read(reader, taken.data(), taken.size()), static_cast<ssize_t>(doc.Rtf().size()));
    ::close(reader);
    // A reader that goes away part-way fails the call; the host lives on.
    status = test::inChild([&] {
        ::alarm(10);
        cDocument large;
        auto page = std::make_shared<cPage>();
        auto p = std::make_shared<cParagraph>();
        auto run = std::make_shared<cText>();
        run->Text(std::string(1 << 20, 'x'));
        p->InsertText(run);
        page->InsertParagraph(p);
        large.InsertPage(page);
        int fd = ::open(path("pipe").c_str(), O_RDONLY | O_NONBLOCK);
        std::thread early([fd] {
            char some[10];
            ::usleep(100000);
            [[maybe_unused]] ssize_t n = ::read(fd, some, sizeof some);
            ::close(fd);
        });
        int error = errorOf([&] { large.Save(path("pipe")); });
        early.join();
        return error;
    });
    EXPECT_EQ(status, 75);

    int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::string socketPath = path("socket");
    if (socketPath.size() < sizeof address.sun_path) {
        std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
        ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(errorOf([&] { doc.Save(socketPath); }), 75);
        EXPECT_TRUE(std::filesystem::is_socket(socketPath));
    }
    ::close(sock);
    EXPECT_EQ(doc.Save("/dev/null"), True);
}

TEST_F(SaveTest, FullDeviceRaisesDiskFull) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    cDocument doc;
    EXPECT_EQ(errorOf([&] { doc.Save("/dev/full"); }), 61);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

TEST_F(SaveTest, NoPermissionRaises70AndKeepsTheOldFile) {
    std::ofstream(path("doc.rtf")) << "old";
    std::filesystem::permissions(folder_, std::filesystem::perms(0555));
    int status = inChild([&] {
        // Root passes every permission check: drop to an ordinary user first.
        if (::geteuid() == 0 && ::setuid(65534) != 0) return 200;
        cDocument doc;
        return errorOf([&] { doc.Save(path("doc.rtf")); });
    });
    EXPECT_EQ(status, 70);
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
    EXPECT_EQ(read(path("doc.rtf")), "old");
    EXPECT_EQ(entries(), std::vector<std::string>{"doc.rtf"});
}

TEST_F(SaveTest, ReadOnlyFileRaises70AndStaysAsItWas) {
    std::ofstream(path("doc.rtf")) << "old";
    std::filesystem::permissions(path("doc.rtf"), std::filesystem::perms(0444));
    std::filesystem::permissions(folder_, std::filesystem::perms(0777));
    int status = inChild([&] {
        if (::geteuid() == 0 && ::setuid(65534) != 0) return 200;
        cDocument doc;
        return errorOf([&] { doc.Save(path("doc.rtf")); });
    });
    EXPECT_EQ(status, 70);
    EXPECT_EQ(read(path("doc.rtf")), "old");
    EXPECT_EQ(entries(), std::vector<std::string>{"doc.rtf"});
}

TEST_F(SaveTest, WritableFileInAClosedFolderIsWrittenInPlace) {
    std::ofstream(path("doc.rtf")) << "old";
    std::filesystem::permissions(path("doc.rtf"), std::filesystem::perms(0666));
    std::filesystem::permissions(folder_, std::filesystem::perms(0555));
    int status = inChild([&] {
        if (::geteuid() == 0 && ::setuid(65534) != 0) return 200;
        cDocument doc;
        return doc.Save(path("doc.rtf")) == True ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(read(path("doc.rtf")).substr(0, 6), "{\\rtf1");
}

TEST_F(SaveTest, FileWithOtherLinksKeepsThem) {
    std::ofstream(path("doc.rtf")) << "old";
    std::filesystem::create_hard_link(path("doc.rtf"), path("other.rtf"));
    cDocument doc;
    EXPECT_EQ(doc.Save(path("doc.rtf")), True);
    EXPECT_EQ(read(path("other.rtf")), read(path("doc.rtf")));
    EXPECT_EQ(read(path("other.rtf")).substr(0, 6), "{\\rtf1");
    EXPECT_EQ(entries(), (std::vector<std::string>{"doc.rtf", "other.rtf"}));
}

// Written in place (other links, a closed folder), a Save that cannot
// finish leaves the file as it was under every name.
TEST_F(SaveTest, FileSizeLimitKeepsAFileWrittenInPlace) {
    const std::string old(3000, 'o');
    std::ofstream(path("doc.rtf")) << old;
    std::filesystem::permissions(path("doc.rtf"), std::filesystem::perms(0666));
    std::filesystem::create_hard_link(path("doc.rtf"), path("other.rtf"));
    std::filesystem::create_directory(path("closed"));
    std::ofstream(path("closed/doc.rtf")) << old;
    std::filesystem::permissions(path("closed/doc.rtf"), std::filesystem::perms(0666));
    std::filesystem::permissions(path("closed"), std::filesystem::perms(0555));
    for (const char* name : {"doc.rtf", "closed/doc.rtf"}) {
        int status = inChild([&] {
            if (::geteuid() == 0 && ::setuid(65534) != 0) return 200;
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{5000, 5000};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 200;
            cDocument doc;
            doc.Subject = std::string(20000, 's');
            return errorOf([&] { doc.Save(path(name)); });
        });
        EXPECT_EQ(status, 61) << name;
        EXPECT_EQ(read(path(name)), old) << name;
    }
    EXPECT_EQ(read(path("other.rtf")), old);
    std::filesystem::permissions(path("closed"), std::filesystem::perms::owner_all);
}

TEST_F(SaveTest, ALinkToAFileNotYetThereMakesTheFile) {
    std::filesystem::create_symlink("made.rtf", path("link.rtf"));
    cDocument doc;
    EXPECT_EQ(doc.Save(path("link.rtf")), True);
    EXPECT_TRUE(std::filesystem::is_symlink(path("link.rtf")));
    EXPECT_EQ(read(path("made.rtf")).substr(0, 6), "{\\rtf1");
}

TEST_F(SaveTest, FileSizeLimitHalfWayKeepsTheOldFile) {
    std::ofstream(path("doc.rtf")) << "old";
    int status = inChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{1000, 1000};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 200;
        cDocument doc;
        doc.Subject = std::string(5000, 's');  // the text passes the limit half way
        return errorOf([&] { doc.Save(path("doc.rtf")); });
    });
    EXPECT_EQ(status, 61);
    EXPECT_EQ(read(path("doc.rtf")), "old");
    EXPECT_EQ(entries(), std::vector<std::string>{"doc.rtf"});
}

}  // namespace
}  // namespace velloran
