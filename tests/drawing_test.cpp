// Shapes, points and the drawing container.
#include <cstdlib>
#include <new>

#include "support.hpp"

// Allocations that fail on request, to see that a failure part-way leaves an
// object as it was. Sanitizer runtimes own operator new themselves.
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#define VELLORAN_FAILS_ALLOCATIONS 1
static thread_local int allocationsLeft = -1;  // -1: never fail

void* operator new(std::size_t size) {
    if (allocationsLeft == 0) throw std::bad_alloc();
    if (allocationsLeft > 0) --allocationsLeft;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
// Memory from malloc goes back to free: gcc 12 takes the replaced operator
// new for the standard one and warns of a mismatch where there is none.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop
#endif

namespace velloran {
namespace {

using test::errorOf;
using test::fragment;

const std::string DefaultFillAndPen =
    R"(\dpfillfgcr0\dpfillfgcg0\dpfillfgcb0\dpfillbgcr255\dpfillbgcg255\dpfillbgcb255\dpfillpat0)"
    R"(\dplinew15\dplinecor0\dplinecog0\dplinecob0)";

// The group of drawing objects in a drawing's fragment, which its first
// shape carries as the result for readers of drawing objects.
std::string objects(const cDrawing& drawing) {
    static const std::string End = R"(\dpendgroup\dpx0\dpy0\dpxsize0\dpysize0})";
    std::string all = fragment(drawing);
    std::size_t begin = all.find(R"({\*\do)");
    std::size_t end = all.find(End, begin);
    return begin == std::string::npos || end == std::string::npos ? "" : all.substr(begin, end + End.size() - begin);
}

TEST(Lines, WorkedExamplesAndDirections) {
    cLine line;
    EXPECT_EQ(fragment(line), R"(\dpline\dpptx0\dppty0\dpptx0\dppty0\dpx0\dpy0\dpxsize0\dpysize0)"
                              R"(\dplinew15\dplinecor0\dplinecog0\dplinecob0)");
    line.x2 = 1440, line.y2 = 720, line.PenRGBColor = 255;
    EXPECT_EQ(fragment(line), R"(\dpline\dpptx0\dppty0\dpptx1440\dppty720\dpx0\dpy0\dpxsize1440\dpysize720)"
                              R"(\dplinew15\dplinecor255\dplinecog0\dplinecob0)");
    cLine back;
    back.x1 = 1440, back.y1 = 720;
    EXPECT_TRUE(fragment(back).starts_with(
        R"(\dpline\dpptx1440\dppty720\dpptx0\dppty0\dpx1440\dpy720\dpxsize1440\dpysize720)"));
    cLine up;
    up.y1 = 500, up.x2 = 1000, up.y2 = 100;
    EXPECT_NE(fragment(up).find(R"(\dpysize400\dplinew)"), std::string::npos);
}

TEST(Lines, DifferencesThatOverflowFail) {
    cLine line;
    line.x1 = INT32_MIN, line.x2 = 1;
    EXPECT_EQ(errorOf([&] { fragment(line); }), 6);
    line.x1 = 0, line.x2 = INT32_MIN;  // |difference| does not fit
    EXPECT_EQ(errorOf([&] { fragment(line); }), 6);
    line.x2 = INT32_MAX;
    EXPECT_NE(fragment(line).find(R"(\dpxsize2147483647)"), std::string::npos);
}

TEST(Colours, SplitIntoRedGreenBlueIgnoringTheHighByte) {
    cLine line;
    line.PenRGBColor = -1;
    EXPECT_TRUE(fragment(line).ends_with(R"(\dplinecor255\dplinecog255\dplinecob255)"));
    line.PenRGBColor = static_cast<std::int32_t>(0x80000005u);
    EXPECT_TRUE(fragment(line).ends_with(R"(\dplinecor5\dplinecog0\dplinecob0)"));
    line.PenRGBColor = 0x00FF8000;
    line.PenWidth = -5;
    EXPECT_TRUE(fragment(line).ends_with(R"(\dplinew-5\dplinecor0\dplinecog128\dplinecob255)"));
}

TEST(BoxShapes, RectangleEllipseAndTheirSameness) {
    cRect rect;
    rect.x = 100, rect.y = 200, rect.Width = 1000, rect.Height = 500;
    EXPECT_EQ(fragment(rect), R"(\dprect\dpx100\dpy200\dpxsize1000\dpysize500)" + DefaultFillAndPen);
    cEllipse ellipse;
    EXPECT_EQ(fragment(ellipse), R"(\dpellipse\dpx0\dpy0\dpxsize0\dpysize0)" + DefaultFillAndPen);
    ellipse.Width = 720, ellipse.Height = 720, ellipse.FillForeRGBColor = 0xFF0000, ellipse.FillPattern = 1;
    EXPECT_EQ(fragment(ellipse), R"(\dpellipse\dpx0\dpy0\dpxsize720\dpysize720\dpfillfgcr0\dpfillfgcg0)"
                                 R"(\dpfillfgcb255\dpfillbgcr255\dpfillbgcg255\dpfillbgcb255\dpfillpat1)"
                                 R"(\dplinew15\dplinecor0\dplinecog0\dplinecob0)");
    // Any values: the same text but for the primitive's name.
    cRect r;
    cEllipse e;
    auto set = [](auto& s) {
        s.x = -3, s.y = 7, s.Width = -100, s.Height = -300, s.PenWidth = 0;
        s.PenRGBColor = 0x123456, s.FillBackRGBColor = 0x654321, s.FillForeRGBColor = -1, s.FillPattern = 42;
    };
    set(r), set(e);
    std::string rt = fragment(r), et = fragment(e);
    EXPECT_NE(rt.find(R"(\dpxsize-100\dpysize-300)"), std::string::npos);
    EXPECT_NE(rt.find(R"(\dplinew0)"), std::string::npos);
    EXPECT_EQ(rt.replace(0, 7, "\\dpellipse"), et);
}

TEST(Points, PolylinesAndPolygons) {
    cPolyline line;
    EXPECT_EQ(fragment(line), R"(\dppolyline\dppolycount0\dpx0\dpy0\dpxsize0\dpysize0)" + DefaultFillAndPen);
    EXPECT_EQ(line.InsertPoint(nullptr), False);
    auto p = std::make_shared<cPoint>();
    p->x = 1440, p->y = -720;
    EXPECT_EQ(fragment(*p), R"(\dpptx1440\dppty-720)");
    cPolyline worked;
    cPolygon polygon;
    for (auto [x, y] : {std::pair{0, 0}, {1440, 0}, {1440, 720}}) {
        p->x = x, p->y = y;
        EXPECT_EQ(worked.InsertPoint(p), True);
        polygon.InsertPoint(p);
    }
    p->x = 99;  // after its last insertion: changes nothing
    const std::string body = R"(\dpptx0\dppty0\dpptx1440\dppty0\dpptx1440\dppty720\dpx0\dpy0\dpxsize1440\dpysize720)";
    EXPECT_EQ(fragment(worked), R"(\dppolyline\dppolycount3)" + body + DefaultFillAndPen);
    EXPECT_EQ(fragment(polygon), R"(\dppolygon\dppolycount3)" + body + DefaultFillAndPen);
}

TEST(Points, ExtentsOfThePoints) {
    cPolyline single;
    auto p = std::make_shared<cPoint>();
    p->x = 500, p->y = 300;
    single.InsertPoint(p);
    EXPECT_TRUE(fragment(single).starts_with(
        R"(\dppolyline\dppolycount1\dpptx500\dppty300\dpx500\dpy300\dpxsize0\dpysize0\dpfill)"));
    cPolyline two;
    p->x = 100, p->y = 100;
    two.InsertPoint(p);
    p->x = -200, p->y = 50;
    two.InsertPoint(p);
    two.InsertPoint(p);  // the same point twice
    EXPECT_TRUE(fragment(two).starts_with(R"(\dppolyline\dppolycount3\dpptx100\dppty100\dpptx-200\dppty50)"
                                          R"(\dpptx-200\dppty50\dpx-200\dpy50\dpxsize300\dpysize50\dpfill)"));
    cPolygon wide;
    p->x = INT32_MIN;
    wide.InsertPoint(p);
    p->x = 1;
    wide.InsertPoint(p);
    EXPECT_EQ(errorOf([&] { fragment(wide); }), 6);
}

TEST(TextBoxes, RenderTheirRunWhenTaken) {
    cDocument doc;
    cDrawingText box;
    box.Width = 2880, box.Height = 720;
    EXPECT_EQ(fragment(box),
              R"(\dptxbx\dpx0\dpy0\dpxsize2880\dpysize720)" + DefaultFillAndPen + R"({\dptxbxtext\pard\plain \par})");
    auto text = std::make_shared<cText>();
    text->Text("abc");
    box.Text(text);
    text->Text("changed");  // kept by reference until the box is taken
    EXPECT_TRUE(fragment(box).ends_with(R"(\dplinecob0{\dptxbxtext\pard\plain {\f0\fs20 changed}\par})"));
    auto other = std::make_shared<cText>();
    other->Text("second");
    box.Text(other);
    EXPECT_TRUE(fragment(box).ends_with(R"({\f0\fs20 second}\par})"));
    box.Text(nullptr);
    EXPECT_TRUE(fragment(box).ends_with(R"({\dptxbxtext\pard\plain \par})"));
    other->Height = 1073741824;
    box.Text(other);
    EXPECT_EQ(errorOf([&] { fragment(box); }), 6);
}

const std::string EmptyDrawing = R"({\*\do\dobxcolumn\dobypara\dodhgt0\dpx0\dpy0\dpxsize1\dpysize1\dpgroup\dpcount1)"
                                 R"(\dpx0\dpy0\dpxsize1\dpysize1\dpendgroup\dpx0\dpy0\dpxsize0\dpysize0})";

TEST(Drawings, WorkedExampleAndEmptyGroup) {
    cDrawing empty;
    EXPECT_EQ(fragment(empty), EmptyDrawing);
    cDrawing drawing;
    auto rect = std::make_shared<cRect>();
    rect->x = 100, rect->y = 200, rect->Width = 1000, rect->Height = 500;
    EXPECT_EQ(drawing.InsertRect(rect), True);
    std::string group = R"({\*\do\dobxcolumn\dobypara\dodhgt500\dpx0\dpy0\dpxsize1000\dpysize500\dpgroup\dpcount2)"
                        R"(\dpx100\dpy200\dpxsize1000\dpysize500)" +
                        fragment(*rect) + R"(\dpendgroup\dpx0\dpy0\dpxsize0\dpysize0})";
    // The same rectangle as a Word 97 shape, carrying the group as its result.
    EXPECT_EQ(
        fragment(drawing),
        R"({\shp{\*\shpinst\shpleft100\shptop200\shpright1100\shpbottom700\shpfhdr0\shpbxcolumn\shpbxignore)"
        R"(\shpbypara\shpbyignore\shpwr3\shpwrk0\shpfblwtxt0\shpz0{\sp{\sn posrelh}{\sv 2}}{\sp{\sn posrelv}{\sv 2}})"
        R"({\sp{\sn shapeType}{\sv 1}}{\sp{\sn fFilled}{\sv 0}}{\sp{\sn lineColor}{\sv 0}}{\sp{\sn lineWidth}{\sv 9525}}})"
        R"({\shprslt)" +
            group + "}}");
}

TEST(Drawings, BoundsFromEveryKindOfShape) {
    cDrawing flat;
    auto line = std::make_shared<cLine>();
    line->y1 = 100, line->x2 = 500, line->y2 = 100;
    flat.InsertLine(line);
    EXPECT_TRUE(objects(flat).starts_with(R"({\*\do\dobxcolumn\dobypara\dodhgt0\dpx0\dpy0\dpxsize500\dpysize1)"
                                          R"(\dpgroup\dpcount2\dpx0\dpy100\dpxsize500\dpysize1\dpline)"));
    cDrawing reversed;
    line->x1 = 500, line->y1 = 100, line->x2 = 0, line->y2 = 300;
    reversed.InsertLine(line);
    EXPECT_TRUE(objects(reversed).starts_with(R"({\*\do\dobxcolumn\dobypara\dodhgt200\dpx0\dpy0\dpxsize500)"
                                              R"(\dpysize200\dpgroup\dpcount2\dpx0\dpy100\dpxsize500)"));
    cDrawing backwards;
    auto ellipse = std::make_shared<cEllipse>();
    ellipse->x = 1000, ellipse->Width = -400, ellipse->Height = 10;
    backwards.InsertEllipse(ellipse);
    EXPECT_TRUE(objects(backwards).starts_with(R"({\*\do\dobxcolumn\dobypara\dodhgt10\dpx0\dpy0\dpxsize400)"
                                               R"(\dpysize10\dpgroup\dpcount2\dpx1000\dpy0\dpxsize400)"));
    // A rectangle offers both corners either way; a text box does not.
    cDrawing rects;
    auto rect = std::make_shared<cRect>();
    rect->x = 1000, rect->Width = -400, rect->Height = 10;
    rects.InsertRect(rect);
    EXPECT_NE(objects(rects).find(R"(\dpcount2\dpx600\dpy0\dpxsize400\dpysize10)"), std::string::npos);
    rects.InsertRect(rect);  // same box: count 3, bounds unchanged
    EXPECT_NE(objects(rects).find(R"(\dpcount3\dpx600\dpy0\dpxsize400\dpysize10)"), std::string::npos);
    auto box = std::make_shared<cDrawingText>();
    box->x = 2000, box->y = -50, box->Width = 100, box->Height = 100;
    rects.InsertText(box);
    EXPECT_NE(objects(rects).find(R"(\dodhgt100\dpx0\dpy0\dpxsize1500\dpysize100\dpgroup\dpcount4\dpx600\dpy-50)"),
              std::string::npos);
    // A polygon without points pulls the box to the origin.
    auto polygon = std::make_shared<cPolygon>();
    rects.InsertPolygon(polygon);
    EXPECT_NE(objects(rects).find(R"(\dpcount5\dpx0\dpy-50\dpxsize2100\dpysize100)"), std::string::npos);
    auto polyline = std::make_shared<cPolyline>();
    auto point = std::make_shared<cPoint>();
    point->x = -10, point->y = 900;
    polyline->InsertPoint(point);
    rects.InsertPolyline(polyline);
    EXPECT_NE(objects(rects).find(R"(\dodhgt950\dpx0\dpy0\dpxsize2110\dpysize950\dpgroup\dpcount6\dpx-10\dpy-50)"),
              std::string::npos);
}

TEST(Drawings, NullShapesAndSnapshots) {
    cDrawing d;
    EXPECT_EQ(d.InsertText(nullptr), False);
    EXPECT_EQ(d.InsertEllipse(nullptr), False);
    EXPECT_EQ(d.InsertPolygon(nullptr), False);
    EXPECT_EQ(d.InsertPolyline(nullptr), False);
    EXPECT_EQ(d.InsertLine(nullptr), False);
    EXPECT_EQ(d.InsertRect(nullptr), False);
    EXPECT_EQ(fragment(d), EmptyDrawing);
    auto polyline = std::make_shared<cPolyline>();
    auto point = std::make_shared<cPoint>();
    polyline->InsertPoint(point);
    d.InsertPolyline(polyline);
    point->x = 50;
    polyline->InsertPoint(point);  // after the shape's insertion: not in the drawing
    const std::string once = fragment(d);
    EXPECT_NE(once.find(R"(\dppolycount1\dpptx0\dppty0\dpx0)"), std::string::npos);
    EXPECT_EQ(once.find(R"(\dpptx50)"), std::string::npos);
    d.InsertPolyline(polyline);
    EXPECT_NE(fragment(d).find(R"(\dppolycount2\dpptx0\dppty0\dpptx50\dppty0)"), std::string::npos);
}

TEST(Drawings, OverflowingInsertsLeaveTheDrawingAsItWas) {
    cDrawing d;
    auto rect = std::make_shared<cRect>();
    rect->x = 10, rect->Width = 20;
    d.InsertRect(rect);
    const std::string before = fragment(d);
    auto wide = std::make_shared<cRect>();
    wide->x = INT32_MAX, wide->Width = 1;
    EXPECT_EQ(errorOf([&] { d.InsertRect(wide); }), 6);
    auto ellipse = std::make_shared<cEllipse>();
    ellipse->y = -2, ellipse->Height = INT32_MIN;
    EXPECT_EQ(errorOf([&] { d.InsertEllipse(ellipse); }), 6);
    auto box = std::make_shared<cDrawingText>();
    box->x = 1, box->Width = INT32_MAX;
    EXPECT_EQ(errorOf([&] { d.InsertText(box); }), 6);
    auto line = std::make_shared<cLine>();
    line->x1 = INT32_MIN, line->x2 = 1;
    EXPECT_EQ(errorOf([&] { d.InsertLine(line); }), 6);
    auto polygon = std::make_shared<cPolygon>();
    auto point = std::make_shared<cPoint>();
    point->y = INT32_MAX;
    polygon->InsertPoint(point);
    point->y = -1;
    polygon->InsertPoint(point);
    EXPECT_EQ(errorOf([&] { d.InsertPolygon(polygon); }), 6);
    EXPECT_EQ(fragment(d), before);
}

TEST(Drawings, GroupThatOverflowsFailsTheParagraphInsert) {
    cDrawing d;
    auto a = std::make_shared<cRect>();
    a->y = INT32_MIN;
    auto b = std::make_shared<cRect>();
    b->y = 1;
    d.InsertRect(a);
    d.InsertRect(b);  // each insert fits; the group's height does not
    EXPECT_EQ(errorOf([&] { fragment(d); }), 6);
    cParagraph p;
    auto t = std::make_shared<cText>();
    t->Text("kept");
    p.InsertText(t);
    EXPECT_EQ(errorOf([&] { p.InsertDrawing(std::make_shared<cDrawing>(d)); }), 6);
    EXPECT_EQ(Access::content(p), R"({\f0\fs20 kept})");
}

TEST(Drawings, InParagraphsAndDocuments) {
    test::FixedClock clock;
    cDocument doc;
    auto drawing = std::make_shared<cDrawing>();
    auto box = std::make_shared<cDrawingText>();
    auto text = std::make_shared<cText>();
    text->Text("in {a} box");
    box->Text(text);
    box->Width = 1000, box->Height = 300;
    drawing->InsertText(box);
    drawing->InsertLine(std::make_shared<cLine>());
    auto p = std::make_shared<cParagraph>();
    EXPECT_EQ(p->InsertDrawing(nullptr), False);
    EXPECT_EQ(p->InsertDrawing(drawing), True);
    drawing->InsertRect(std::make_shared<cRect>());  // later shapes do not reach the paragraph
    auto page = std::make_shared<cPage>();
    page->InsertParagraph(p);
    doc.InsertPage(page);
    std::string rtf = doc.Rtf();
    EXPECT_TRUE(test::balanced(rtf));
    EXPECT_NE(rtf.find(R"({\pard\plain{\shp{\*\shpinst\shpleft0\shptop0\shpright1000\shpbottom300)"),
              std::string::npos);
    EXPECT_NE(rtf.find(R"({\sp{\sn shapeType}{\sv 202}})"), std::string::npos);
    EXPECT_NE(
        rtf.find(R"({\shptxt\pard\plain {\f0\fs20 in \{a\} box}\par}}{\shprslt{\*\do\dobxcolumn\dobypara\dodhgt300)"),
        std::string::npos);
    EXPECT_NE(rtf.find(R"(\dpcount3\dpx0\dpy0\dpxsize1000\dpysize300\dptxbx)"), std::string::npos);
    EXPECT_NE(rtf.find(R"({\f0\fs20 in \{a\} box}\par}\dpline)"), std::string::npos);
    EXPECT_NE(rtf.find(R"(\dpendgroup\dpx0\dpy0\dpxsize0\dpysize0}}}{\shp{\*\shpinst\shpleft0)"), std::string::npos);
    EXPECT_EQ(rtf.find(R"(\dprect)"), std::string::npos);
}

// Out of memory part-way through an insert: the drawing and the shape stay as they were.
TEST(Drawings, AFailedAllocationLeavesDrawingAndPointsAsTheyWere) {
#ifdef VELLORAN_FAILS_ALLOCATIONS
    auto box = std::make_shared<cDrawingText>();
    auto run = std::make_shared<cText>();
    run->Text(std::string(200, 'x'));
    box->Text(run);
    auto point = std::make_shared<cPoint>();
    point->x = 99999;
    for (int k = 0; k < 40; ++k) {
        cDrawing drawing;
        drawing.InsertRect(std::make_shared<cRect>());
        cPolyline line;
        line.InsertPoint(point);
        const std::string before = fragment(drawing);
        allocationsLeft = k;
        try {
            drawing.InsertText(box);
            line.InsertPoint(point);
        } catch (const std::bad_alloc&) {
        }
        allocationsLeft = -1;
        auto count = [](const std::string& text, const std::string& what) {
            std::size_t n = 0;
            for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
            return n;
        };
        // The text box is there in both forms, or in neither.
        std::string after = fragment(drawing);
        EXPECT_TRUE(test::balanced(after)) << k;
        EXPECT_EQ(count(after, "\\dptxbx\\"), count(after, "{\\sv 202}")) << k;
        if (count(after, "\\dptxbx\\") == 0) {
            EXPECT_EQ(after, before) << k;
        }
        // The second point is there in both forms, or in neither.
        std::string points = fragment(line), shape;
        rtf::appendShape(line, shape, 0);
        bool one = points.find("\\dppolycount1\\dpptx99999\\dppty0\\dpx") != std::string::npos &&
                   shape.find("8;1;(99999,0)}") != std::string::npos;
        bool two = points.find("\\dppolycount2\\dpptx99999\\dppty0\\dpptx99999\\dppty0\\dpx") != std::string::npos &&
                   shape.find("8;2;(99999,0);(99999,0)}") != std::string::npos;
        EXPECT_TRUE(one || two) << k << " " << points << " " << shape;
    }
#else
    GTEST_SKIP() << "the sanitizer runtime owns operator new";
#endif
}

}  // namespace
}  // namespace velloran
