// Pages, the document body, the page header and footer, and tables.
#include <limits>

#include "support.hpp"

namespace velloran {
namespace {

using test::DefaultHeader;
using test::errorOf;
using test::FixedClock;
using test::fragment;

const std::string NoBorder = R"(\brdrt\brdrnone\brdrb\brdrnone\brdrl\brdrnone\brdrr\brdrnone)";
const std::string ABC = R"({\pard\plain{\f0\fs20 abc}})" + NoBorder + R"(\ql\par )";

std::shared_ptr<cParagraph> para(const std::string& text) {
    auto t = std::make_shared<cText>();
    t->Text(text);
    auto p = std::make_shared<cParagraph>();
    p->InsertText(t);
    return p;
}

std::string wrapped(const std::string& text) {
    return R"({\pard\plain{\f0\fs20 )" + text + "}}" + NoBorder + R"(\ql\par )";
}

// A paragraph as a cell holds it: back in the table after its own reset.
std::string inTable(std::string paragraph) { return paragraph.insert(12, "\\intbl"); }

// A cell's last paragraph as a table writes it: ended by the cell, not by a mark.
std::string endedByCell(const std::string& text) {
    std::string p = inTable(wrapped(text));
    return p.substr(0, p.size() - 5);
}

// A page resets the paragraph formatting after each paragraph; a cell does
// the same and stays in the table.
const std::string OnPage = "\\pard";
const std::string InCell = "\\pard\\intbl";

class Pages : public ::testing::Test {
protected:
    FixedClock clock;
    cDocument doc;
};

TEST_F(Pages, FragmentsInInsertionOrder) {
    cPage empty;
    EXPECT_EQ(fragment(empty), "{}\\page ");
    cPage page;
    auto a = para("abc");
    EXPECT_EQ(page.InsertParagraph(a), True);
    EXPECT_EQ(page.InsertParagraph(para("B")), True);
    EXPECT_EQ(page.InsertParagraph(nullptr), False);
    EXPECT_EQ(fragment(page), "{" + ABC + OnPage + wrapped("B") + OnPage + "}\\page ");
    // The paragraph is a snapshot: changing it afterwards does not reach the page.
    a->Align = aCenter;
    EXPECT_EQ(fragment(page), "{" + ABC + OnPage + wrapped("B") + OnPage + "}\\page ");
}

TEST_F(Pages, ParagraphInsertedTwiceNestsTheSecondCopy) {
    cPage page;
    auto a = para("abc");
    page.InsertParagraph(a);
    page.InsertParagraph(a);
    EXPECT_EQ(fragment(page),
              "{" + ABC + OnPage + "{\\pard\\plain" + ABC + "}" + NoBorder + "\\ql\\par " + OnPage + "}\\page ");
}

TEST_F(Pages, DocumentBodyDropsOnlyTheLastPageBreak) {
    EXPECT_EQ(doc.InsertPage(nullptr), False);
    EXPECT_EQ(doc.LastPage(), 0);
    auto one = std::make_shared<cPage>();
    one->InsertParagraph(para("abc"));
    EXPECT_EQ(doc.InsertPage(one), True);
    std::string single = DefaultHeader + "{{" + ABC + OnPage + "}}}";
    single.replace(single.find("\\nofpages0"), 10, "\\nofpages1");
    EXPECT_EQ(doc.Rtf(), single);
    EXPECT_EQ(doc.LastPage(), 1);
    doc.InsertPage(one);
    doc.InsertPage(std::make_shared<cPage>());
    EXPECT_EQ(doc.LastPage(), 3);
    std::string expected = DefaultHeader + "{{" + ABC + OnPage + "}\\page {" + ABC + OnPage + "}\\page {}}}";
    expected.replace(expected.find("\\nofpages0"), 10, "\\nofpages3");
    EXPECT_EQ(doc.Rtf(), expected);
    EXPECT_EQ(doc.Rtf(), expected);  // rendering changes nothing
}

TEST_F(Pages, TurnedPagesStartSectionsRepeatedAfterThePages) {
    auto page = [](vlRTFOrientation o) {
        auto p = std::make_shared<cPage>();
        p->Orientation = o;
        return p;
    };
    doc.InsertPage(page(oDocument));
    doc.InsertPage(page(oLandscape));
    doc.InsertPage(page(oLandscape));
    doc.InsertPage(page(oDocument));
    const std::string wide =
        R"(\lndscpsxn\pgwsxn16837\pghsxn11906\marglsxn1440\margrsxn1440\margtsxn1440\margbsxn1440 )";
    const std::string rtf = doc.Rtf();
    EXPECT_EQ(rtf.substr(rtf.find("{{")),
              R"({{}\sect\sectd\pgncont)" + wide + R"({}\page {}\sect\sectd\pgncont {}})" + R"(\sectd\pgncont })");
    // A first page turned on its own keeps the document's section.
    cDocument upright;
    upright.PageLandscape = True;
    upright.InsertPage(page(oPortrait));
    const std::string own = upright.Rtf();
    const std::string tall = R"(\pgwsxn11906\pghsxn16837\marglsxn1440\margrsxn1440\margtsxn1440\margbsxn1440 )";
    EXPECT_EQ(own.substr(own.find("{" + tall)), "{" + tall + "{}}" + tall + "}");
}

TEST_F(Pages, SectionsWithTheirOwnHeaderSheetAndNumbers) {
    doc.Header = para("doc");
    auto own = std::make_shared<cPage>();
    own->InsertParagraph(para("own"));
    auto first = std::make_shared<cPage>(), same = std::make_shared<cPage>();
    for (auto& p : {first, same}) {
        p->PageHeader = own;
        p->PageWidth = 12240, p->PageHeight = 15840, p->PageMarginLeft = 720;
        p->PageNumberStart = 5;
    }
    doc.InsertPage(std::make_shared<cPage>());
    doc.InsertPage(first);
    own->InsertParagraph(para("later"));  // the section took the header as it was
    doc.InsertPage(same);
    doc.InsertPage(std::make_shared<cPage>());
    const std::string rtf = doc.Rtf();
    // A group the section does not fill is written empty, so the section before lends it nothing.
    const std::string Blank = R"({\footer})";
    const std::string letter = R"(\pgwsxn12240\pghsxn15840\marglsxn720\margrsxn1440\margtsxn1440\margbsxn1440 )";
    EXPECT_EQ(rtf.substr(rtf.find("{{}")), R"({{}\sect\sectd\pgnrestart\pgnstarts5)" + letter + "{\\header{" +
                                               wrapped("own") + OnPage + "}}" + Blank +
                                               "{}\\page {}\\sect\\sectd\\pgncont " + "{\\header" + wrapped("doc") +
                                               "}" + Blank + "{}}\\sectd\\pgncont }");
    EXPECT_TRUE(test::balanced(rtf));
}

// Columns, line numbers and a page border start a section as a sheet does,
// the border as it was at the insert; the page after, asking none, ends it.
TEST_F(Pages, SectionsLaidOutInColumnsWithLineNumbersAndABorder) {
    auto laid = std::make_shared<cPage>();
    laid->PageColumns = 2, laid->PageColumnLine = True, laid->PageLineNumbers = 5, laid->PageLineNumbersEachPage = True;
    laid->PageBorder = std::make_shared<cBorder>();
    laid->PageBorder->TopVisible = True, laid->PageBorder->TopStyle = bsDouble, laid->PageBorder->TopWidth = 30;
    doc.InsertPage(std::make_shared<cPage>());
    doc.InsertPage(laid);
    laid->PageBorder->TopVisible = False;
    doc.InsertPage(std::make_shared<cPage>());
    const std::string rtf = doc.Rtf();
    EXPECT_EQ(
        rtf.substr(rtf.find("{{}")),
        R"({{}\sect\sectd\pgncont\cols2\colsx720\linebetcol\linemod5\linex360\lineppage\pgbrdrt\brdrdb\brdrcf1\brdrw30 {}\sect\sectd\pgncont {}}\sectd\pgncont })");
}

TEST_F(Pages, TheFirstSectionsOwnHeaderStandsInTheDocumentsGroups) {
    // Readers keep the first header group they meet in a section: the first
    // section's own is written there, once.
    doc.Header = para("doc");
    auto first = std::make_shared<cPage>();
    first->PageHeader = std::make_shared<cPage>();
    first->PageHeader->InsertParagraph(para("own"));
    doc.InsertPage(first);
    doc.InsertPage(std::make_shared<cPage>());
    std::string rtf = doc.Rtf();
    const std::string header = rtf.substr(0, rtf.find("\\pmmetafile28"));
    EXPECT_NE(header.find("{\\header{" + wrapped("own") + OnPage + "}}"), std::string::npos) << rtf;
    EXPECT_EQ(header.find("doc"), std::string::npos);
    EXPECT_EQ(rtf.find(" own}", header.size()), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\sect\\sectd\\pgncont {\\header" + wrapped("doc") + "}"), std::string::npos) << rtf;
    // A document that begins with an assembled one leaves the groups to it.
    cDocument whole;
    whole.Header = para("whole");
    auto part = std::make_shared<cDocument>();
    part->Header = para("part");
    part->InsertPage(std::make_shared<cPage>());
    whole.InsertDocument(part);
    rtf = whole.Rtf();
    EXPECT_EQ(rtf.substr(0, rtf.find("\\pmmetafile28")).find("whole"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("{\\header" + wrapped("part") + "}"), std::string::npos) << rtf;
}

TEST_F(Pages, AssembledDocumentsKeepTheirSetUpWithTheWholesIndexes) {
    auto runIn = [](cDocument& d, const std::string& font, std::int32_t rgb) {
        auto t = std::make_shared<cText>();
        t->Text("x");
        t->FontIndex = d.FontIndex(font);
        t->ForeColorIndex = d.ColorIndex(rgb);
        auto p = std::make_shared<cParagraph>();
        p->StyleIndex = d.StyleIndex(font);
        p->ListStyle = lBullet;
        p->InsertText(t);
        auto page = std::make_shared<cPage>();
        page->InsertParagraph(p);
        d.InsertPage(page);
    };
    runIn(doc, "Courier", 0x0000FF);
    auto part = std::make_shared<cDocument>();
    part->PageLandscape = True, part->PageNumberStart = 3, part->Footer = para("foot");
    runIn(*part, "Times", 0x00FF00);
    runIn(*part, "Courier", 0x0000FF);
    EXPECT_EQ(doc.InsertDocument(part, True), True);
    runIn(*part, "Times", 0x00FF00);  // later pages of the part stay out
    runIn(doc, "Courier", 0x0000FF);
    EXPECT_EQ(doc.LastPage(), 4);
    const std::string rtf = doc.Rtf();
    EXPECT_NE(rtf.find(R"({\f1\fnil\fcharset0\fprq2 Courier;}{\f2\fnil\fcharset0\fprq2 Times;}})"), std::string::npos);
    EXPECT_NE(rtf.find(R"(\red255\green0\blue0;\red0\green255\blue0;})"), std::string::npos);
    auto item = [](const std::string& words, int list) {
        return "{{\\pard\\plain\\ls" + std::to_string(list) + "\\ilvl0{" + words + "\\fs20 x}}";
    };
    const std::size_t at = rtf.find("\\sect\\sectd\\pgnrestart\\pgnstarts3\\lndscpsxn\\pgwsxn16837\\pghsxn11906");
    ASSERT_NE(at, std::string::npos) << rtf;
    EXPECT_NE(rtf.find("{\\header}{\\footer" + wrapped("foot") + "}" + item("\\f2\\cf4", 3), at), std::string::npos)
        << rtf;
    EXPECT_NE(rtf.find(item("\\f1\\cf3", 3).substr(1) + "\\s1", at), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\sect\\sectd\\pgncont {\\header}{\\footer}" + item("\\f1\\cf3", 1), at), std::string::npos)
        << rtf;
    EXPECT_NE(rtf.find("\\listid3"), std::string::npos);
    EXPECT_TRUE(test::balanced(rtf));
    // Refused: itself (error 5), nothing to take, or too many pages; each leaves the whole as it was.
    EXPECT_EQ(doc.InsertDocument(nullptr), False);
    EXPECT_EQ(doc.InsertDocument(std::make_shared<cDocument>()), False);
    auto self = std::make_shared<cDocument>(doc);
    const std::string before = self->Rtf();
    EXPECT_THROW(
        try { self->InsertDocument(self); } catch (const Error& e) {
            EXPECT_EQ(e.number(), errors::InvalidArgument);
            throw;
        },
        Error);
    Access::pageCount(*self) = INT32_MAX;
    EXPECT_THROW(self->InsertDocument(part), Error);
    Access::pageCount(*self) = 4;
    EXPECT_EQ(self->Rtf(), before);
}

TEST_F(Pages, AssembledSectionsKeepTheirSheetAndTheWholesFacingPages) {
    // A part whose one section only starts its numbers again names its sheet at the end.
    auto numbered = std::make_shared<cDocument>();
    numbered->PageLandscape = True;
    auto first = std::make_shared<cPage>();
    first->PageNumberStart = 2;
    numbered->InsertPage(first);
    doc.InsertDocument(numbered);
    EXPECT_TRUE(doc.Rtf().ends_with(R"(}\pgnrestart\pgnstarts2 \lndscpsxn\pgwsxn16837\pghsxn11906\marglsxn1440)"
                                    R"(\margrsxn1440\margtsxn1440\margbsxn1440 })"))
        << doc.Rtf();
    // A later section of a part with a header of its own holds the even pages' too, where the whole has even pages.
    cDocument facing;
    facing.EvenPageFooter = std::make_shared<cPage>();
    facing.InsertPage(std::make_shared<cPage>());
    auto part = std::make_shared<cDocument>();
    part->InsertPage(std::make_shared<cPage>());
    auto own = std::make_shared<cPage>();
    own->PageHeader = std::make_shared<cPage>();
    part->InsertPage(own);
    facing.InsertDocument(part);
    const std::string rtf = facing.Rtf();
    EXPECT_NE(rtf.find(R"(\margbsxn1440 {\headerr{}}{\headerl{}}{\footerr}{\footerl})"), std::string::npos) << rtf;
}

TEST_F(Pages, AnIndexAPartNeverGaveIsTheWholesDefault) {
    // A part without styles and with one font of its own, whose paragraph and
    // run name a style and a font it does not have.
    auto part = std::make_shared<cDocument>();
    part->FontIndex("Courier");
    auto t = std::make_shared<cText>();
    t->Text("x");
    t->FontIndex = 2;
    t->ForeColorIndex = 9;
    auto p = std::make_shared<cParagraph>();
    p->StyleIndex = 3;
    p->InsertText(t);
    auto page = std::make_shared<cPage>();
    page->InsertParagraph(p);
    part->InsertPage(page);
    for (const char* style : {"a", "b", "c"}) doc.StyleIndex(style);
    doc.FontIndex("Times");
    doc.InsertPage(std::make_shared<cPage>());
    doc.InsertDocument(part);
    const std::string rtf = doc.Rtf();
    // Written as the whole's default: Normal, the part's default font as the
    // whole has it, the automatic colour.
    EXPECT_NE(rtf.find(R"({{\pard\plain{\f0\cf0\fs20 x}}\s0)" + NoBorder), std::string::npos) << rtf;
    // A document of its own still writes the indexes as the host gave them.
    EXPECT_NE(part->Rtf().find(R"({\pard\plain{\f2\cf9\fs20 x}}\s3)"), std::string::npos);
}

TEST_F(Pages, ContentsListTheHeadingsOfTheirLevels) {
    auto contents = std::make_shared<cText>();
    contents->Text("none yet");
    contents->ContentsLevels = 2;
    auto holder = std::make_shared<cParagraph>();
    holder->SpaceAfter = 60;
    holder->InsertText(contents);
    auto page = std::make_shared<cPage>();
    page->InsertParagraph(holder);
    // Headings by outline level and by a built-in heading's style; one has a
    // bookmark of its own, the others get the writer's; level 3 is not listed.
    auto heading = [&](const std::string& text, std::int32_t outline, std::int32_t style,
                       const std::string& bookmark = "") {
        auto t = std::make_shared<cText>();
        t->Text(text);
        t->Bold = True;
        t->Bookmark = bookmark;
        auto h = std::make_shared<cParagraph>();
        h->OutlineLevel = outline;
        h->StyleIndex = style;
        h->InsertText(t);
        page->InsertParagraph(h);
    };
    heading("One", 1, 0, "one");
    heading("Sub", 0, doc.StyleIndex("heading 2"));
    heading("Deep", 3, 0);
    heading("Two", 1, 0);
    doc.InsertPage(page);
    const std::string rtf = doc.Rtf();
    auto entry = [](const std::string& words, const std::string& bookmark, const std::string& text) {
        return R"(\pard\sa60)" + NoBorder + R"(\ql\li)" + words + R"( {\field{\*\fldinst {HYPERLINK \\l ")" + bookmark +
               R"("}}{\fldrslt {\f0\fs20 )" + text + "}}}";
    };
    EXPECT_NE(rtf.find(R"({\fldrslt )" + entry("0", "one", "One") + R"(\par )" + entry("240", "_Toc1", "Sub") +
                       R"(\par )" + entry("0", "_Toc2", "Two") + "}}}}" + R"(\sa60)" + NoBorder + R"(\ql\par \pard)"),
              std::string::npos)
        << rtf;
    // The writer's bookmark stands around the heading's content.
    EXPECT_NE(rtf.find(R"({\pard\plain{\*\bkmkstart _Toc1}{\b\f0\fs20 Sub}{\*\bkmkend _Toc1}}\s1)"), std::string::npos);
    EXPECT_EQ(rtf.find("_Toc3"), std::string::npos);
    EXPECT_TRUE(test::balanced(rtf));
    // Without headings of its levels, the host's text is the result.
    cDocument plain;
    auto alone = std::make_shared<cPage>();
    alone->InsertParagraph(holder);
    plain.InsertPage(alone);
    EXPECT_NE(plain.Rtf().find(R"({\fldrslt {\f0\fs20 none yet}}})"), std::string::npos);
}

TEST_F(Pages, TheLastPartsOwnFirstSectionIsSaidAgainAfterThePages) {
    // LibreOffice takes the last section's numbering from the words after
    // the pages: a part whose one section restarts says so there too.
    for (int i = 0; i < 3; ++i) {
        auto part = std::make_shared<cDocument>();
        part->FirstPageFooter = std::make_shared<cPage>();
        part->InsertPage(std::make_shared<cPage>());
        doc.InsertDocument(part, True);
    }
    EXPECT_TRUE(doc.Rtf().ends_with(R"(}\sectd\pgnrestart\pgnstarts1\titlepg\pgwsxn11906\pghsxn16837\marglsxn1440)"
                                    R"(\margrsxn1440\margtsxn1440\margbsxn1440 })"))
        << doc.Rtf();
}

TEST_F(Pages, ListsAreDeclaredOnlyWhenUsed) {
    auto page = std::make_shared<cPage>();
    page->InsertParagraph(para("plain"));
    doc.InsertPage(page);
    EXPECT_EQ(doc.Rtf().find("listtable"), std::string::npos);
    auto item = para("item");
    item->ListStyle = lNumber, item->ListId = 3, item->ListLevel = 12;
    CellArray cells({{1, 1}, {1, 1}});
    cells.at({1, 1}) = std::make_shared<cCell>();
    cells.at({1, 1})->InsertParagraph(item);
    auto table = std::make_shared<cPage>();
    table->InsertTable(cells);
    doc.InsertPage(table);
    const std::string rtf = doc.Rtf();
    EXPECT_NE(rtf.find(R"({\pard\plain\intbl\ls6\ilvl8{)"), std::string::npos);
    EXPECT_NE(rtf.find(R"(\ls6\ilvl8)" + NoBorder), std::string::npos);
    EXPECT_NE(rtf.find(R"(}{\*\listoverridetable{\listoverride\listid6\listoverridecount0\ls6}})"), std::string::npos);
    EXPECT_EQ(rtf.find(R"(\listid5)"), std::string::npos);
}

TEST_F(Pages, TrailingSpacesOfTheLastPageAreTrimmed) {
    auto page = std::make_shared<cPage>();
    auto p = std::make_shared<cParagraph>();
    p->Align = static_cast<vlRTFAlignment>(9);  // content without a wrapper
    auto t = std::make_shared<cText>();
    t->Text("x");
    p->InsertText(t);
    page->InsertParagraph(p);
    doc.InsertPage(page);
    std::string rtf = doc.Rtf();
    EXPECT_TRUE(rtf.ends_with(R"(\cf1 {{{\f0\fs20 x}\pard}}})")) << rtf;
}

TEST_F(Pages, HeaderAndFooterGroups) {
    doc.Header = para("abc");
    std::string rtf = doc.Rtf();
    std::string expected = DefaultHeader + "{}}";
    expected.replace(expected.find("\\widowctrl\\ftnbj \\sectd "), 24,
                     "\\pgbrdrhead\\headery720 \\widowctrl\\ftnbj \\sectd {\\header" + ABC + "}");
    EXPECT_EQ(rtf, expected);
    doc.Header = nullptr;
    doc.Footer = para("abc");
    expected = DefaultHeader + "{}}";
    expected.replace(expected.find("\\widowctrl\\ftnbj \\sectd "), 24,
                     "\\pgbrdrfoot\\footery720 \\widowctrl\\ftnbj \\sectd {\\footer" + ABC + "}");
    EXPECT_EQ(doc.Rtf(), expected);
    doc.Footer = nullptr;
    EXPECT_EQ(doc.Rtf(), DefaultHeader + "{}}");
}

TEST_F(Pages, HeaderAndFooterPagesFirstAndEvenPages) {
    auto pageOf = [](const std::string& text) {
        auto page = std::make_shared<cPage>();
        if (!text.empty()) page->InsertParagraph(para(text));
        return page;
    };
    const std::string abc = "{" + wrapped("abc") + "\\pard}";
    doc.Header = para("abc");
    doc.PageHeader = pageOf("abc");
    doc.FirstPageHeader = pageOf("");  // a cover without a header
    doc.EvenPageFooter = pageOf("abc");
    doc.PageNumbersOn = True;
    std::string rtf = doc.Rtf();
    const std::size_t at = rtf.find("\\facingp\\widowctrl\\ftnbj \\sectd \\titlepg \\pgnstarts1");
    ASSERT_NE(at, std::string::npos) << rtf;
    const std::size_t header = rtf.find("{\\headerr{\\pard\\plain\\qr", at);
    ASSERT_NE(header, std::string::npos) << rtf;
    // The even pages keep the ordinary header, number and all: only their footer is their own.
    const std::string ordinary =
        rtf.substr(header + 9, rtf.find(ABC + abc + "}", header) + ABC.size() + abc.size() - header - 9);
    EXPECT_NE(rtf.find("}{\\headerl" + ordinary + "}{\\headerf{}}{\\footerl" + abc + "}\\pmmetafile28", header),
              std::string::npos)
        << rtf;
    EXPECT_TRUE(test::balanced(rtf));
    // A page alone is a header of its own; the paragraph's failure leaves it.
    doc = cDocument();
    doc.Footer = para("x");
    doc.Footer->Border = nullptr;
    doc.PageFooter = pageOf("abc");
    rtf = doc.Rtf();
    EXPECT_EQ(rtf.find("\\titlepg"), std::string::npos);
    EXPECT_NE(rtf.find("\\pgbrdrfoot\\footery720 \\widowctrl\\ftnbj \\sectd {\\footer" + abc + "}\\pmmetafile28"),
              std::string::npos)
        << rtf;
}

TEST_F(Pages, RenderingDoesNotChangeTheHeaderParagraph) {
    auto shared = para("abc");
    doc.Header = shared;
    doc.Footer = shared;
    std::string first = doc.Rtf();
    EXPECT_NE(first.find("{\\header" + ABC + "}{\\footer" + ABC + "}\\pmmetafile28"), std::string::npos);
    EXPECT_EQ(doc.Rtf(), first);
    EXPECT_EQ(Access::content(*shared), R"({\f0\fs20 abc})");
    // The header is read at each rendering.
    shared->Align = aRight;
    EXPECT_NE(doc.Rtf().find("{\\header" + wrapped("abc").replace(ABC.size() - 8, 3, "\\qr") + "}"), std::string::npos);
}

TEST_F(Pages, FailingHeaderWritesItsFlagOnly) {
    doc.Header = para("abc");
    doc.Header->Border = nullptr;
    doc.Footer = para("f");
    std::string rtf = doc.Rtf();
    EXPECT_NE(rtf.find("\\pgbrdrhead\\headery720 \\pgbrdrfoot\\footery720 \\widowctrl\\ftnbj \\sectd {\\footer"),
              std::string::npos);
    EXPECT_EQ(rtf.find("{\\header"), std::string::npos);
    EXPECT_TRUE(test::balanced(rtf));
}

class Tables : public ::testing::Test {
protected:
    static std::shared_ptr<cCell> cell(const std::string& text = "") {
        auto c = std::make_shared<cCell>();
        if (!text.empty()) c->InsertParagraph(para(text));
        return c;
    }
    static std::string tableOf(cPage& page) {
        std::string f = fragment(page);
        return f.substr(1, f.size() - 1 - 7);  // without "{" and "}\page "
    }
    cDocument doc;
};

const std::string Sides =
    R"(\clbrdrt\brdrs\brdrw20 \clbrdrb\brdrs\brdrw20 \clbrdrl\brdrs\brdrw20 \clbrdrr\brdrs\brdrw20 )";

TEST_F(Tables, WorkedExample) {
    CellArray cells({{1, 2}, {1, 1}});
    cells.at({1, 1}) = cell("A");
    cells.at({2, 1}) = cell("B");
    cPage page;
    EXPECT_EQ(page.InsertTable(cells), True);
    EXPECT_EQ(tableOf(page), "\\trowd\\trgaph0\\trrh0\\trleft0\r\n" + Sides + "\\cellx720\r\n" + Sides +
                                 "\\cellx1440\r\n\\pard\\plain\\intbl" + endedByCell("A") + "\\cell\r\n" +
                                 "\\pard\\plain\\intbl" + endedByCell("B") + "\\cell\\row\r\n\\pard\r\n");
}

TEST_F(Tables, MergedCellsAndHeaderRows) {
    // A cell across two columns over a cell across two rows; the covered places are empty.
    CellArray cells({{1, 2}, {1, 3}});
    cells.at({1, 1}) = cell("A");
    cells.at({1, 1})->ColumnSpan = 5;  // stops at the table's edge
    cells.at({1, 1})->Width = 1440;
    cells.at({1, 2}) = cell("B");
    cells.at({1, 2})->RowSpan = 2;
    cells.at({2, 2}) = cell("C");
    cells.at({2, 3}) = cell("D");
    cPage page;
    page.TableHeaderRows = 1;
    EXPECT_EQ(page.InsertTable(cells), True);
    EXPECT_EQ(tableOf(page), "\\trowd\\trgaph0\\trrh0\\trleft0\\trhdr\r\n" + Sides + "\\cellx1440\r\n" +
                                 "\\pard\\plain\\intbl" + endedByCell("A") + "\\cell\\row\r\n" +
                                 "\\trowd\\trgaph0\\trrh0\\trleft0\r\n\\clvmgf" + Sides + "\\cellx720\r\n" + Sides +
                                 "\\cellx1440\r\n\\pard\\plain\\intbl" + endedByCell("B") + "\\cell\r\n" +
                                 "\\pard\\plain\\intbl" + endedByCell("C") + "\\cell\\row\r\n" +
                                 "\\trowd\\trgaph0\\trrh0\\trleft0\r\n\\clvmrg" + Sides + "\\cellx720\r\n" + Sides +
                                 "\\cellx1440\r\n\\pard\\plain\\intbl\\cell\r\n" + "\\pard\\plain\\intbl" +
                                 endedByCell("D") + "\\cell\\row\r\n\\pard\r\n");
    // An empty place no span covers is still a missing cell.
    cells.at({1, 2})->RowSpan = 1;
    cPage other;
    EXPECT_EQ(test::errorOf([&] { other.InsertTable(cells); }), errors::ObjectNotSet);
    EXPECT_EQ(fragment(other), "{}\\page ");
}

TEST_F(Tables, OneCellWithoutParagraphs) {
    CellArray cells({{1, 1}, {1, 1}});
    cells.at({1, 1}) = cell();
    cPage page;
    page.InsertTable(cells);
    EXPECT_EQ(tableOf(page), "\\trowd\\trgaph0\\trrh0\\trleft0\r\n" + Sides +
                                 "\\cellx720\r\n\\pard\\plain\\intbl\\cell\\row\r\n\\pard\r\n");
}

TEST_F(Tables, IndexZeroIsIgnoredAndRowsRestartTheEdge) {
    CellArray cells({{0, 2}, {0, 3}});
    for (int c = 1; c <= 2; ++c)
        for (int r = 1; r <= 3; ++r) cells.at({c, r}) = cell(std::to_string(c) + std::to_string(r));
    cPage page;
    EXPECT_EQ(page.InsertTable(cells), True);
    std::string table = tableOf(page);
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 3 * 5 + 1);
    std::size_t rows = 0;
    for (std::size_t at = 0; (at = table.find("\\cellx1440\r\n", at)) != std::string::npos; ++at) ++rows;
    EXPECT_EQ(rows, 3u);
    EXPECT_LT(table.find("{\\f0\\fs20 11}"), table.find("{\\f0\\fs20 21}"));
    EXPECT_LT(table.find("{\\f0\\fs20 21}"), table.find("{\\f0\\fs20 12}"));
}

TEST_F(Tables, ShadingBordersAndWidths) {
    CellArray cells({{1, 3}, {1, 1}});
    auto a = cell(), b = cell(), c = cell();
    a->Width = 1000, b->Width = 2000, c->Width = 500;
    a->BackColorIndex = 0;
    b->BackColorIndex = 5;
    c->Border->TopVisible = 1;  // not True
    c->Border->LeftWidth = 0;
    c->Border->BorderType = bDouble;  // cells always use the single style
    cells.at({1, 1}) = a, cells.at({2, 1}) = b, cells.at({3, 1}) = c;
    cPage page;
    page.InsertTable(cells);
    std::string table = tableOf(page);
    EXPECT_NE(table.find(Sides + "\\clcbpat0\\cellx1000\r\n" + Sides +
                         "\\clcbpat5\\cellx3000\r\n"
                         "\\clbrdrt\\brdrnone\\clbrdrb\\brdrs\\brdrw20 \\clbrdrl\\brdrs\\brdrw0 "
                         "\\clbrdrr\\brdrs\\brdrw20 \\cellx3500\r\n"),
              std::string::npos)
        << table;
}

TEST_F(Tables, CellSidesOfTheirOwn) {
    CellArray cells({{1, 1}, {1, 1}});
    auto a = cell();
    a->Border->BorderColorIndex = 3;  // cells read no frame colour
    a->Border->BottomStyle = bsDouble, a->Border->BottomWidth = 30, a->Border->BottomColorIndex = 3;
    a->Border->LeftColorIndex = 0;
    a->Border->RightStyle = bsHairline, a->Border->RightVisible = False;
    cells.at({1, 1}) = a;
    cPage page;
    page.InsertTable(cells);
    EXPECT_NE(tableOf(page).find("\\clbrdrt\\brdrs\\brdrw20 \\clbrdrb\\brdrdb\\brdrcf3\\brdrw30 "
                                 "\\clbrdrl\\brdrs\\brdrcf0\\brdrw20 \\clbrdrr\\brdrnone"),
              std::string::npos)
        << tableOf(page);
}

TEST_F(Tables, RowHeightAlignmentIndentKeepingAndCellLayout) {
    CellArray cells({{1, 2}, {1, 1}});
    auto a = cell("A"), b = cell("B");
    a->VerticalAlignment = vaBottom, a->PaddingLeft = 60, a->PaddingTop = 30, a->PaddingRight = -5;
    b->VerticalAlignment = vaCenter, b->PaddingRight = 20, b->PaddingBottom = 10;
    cells.at({1, 1}) = a, cells.at({2, 1}) = b;
    cPage page;
    page.TableRowHeight = 400, page.TableRowHeightExact = True, page.TableAlign = aCenter, page.TableIndent = 100;
    page.TableKeepRowsTogether = True, page.TableHeaderRows = 1;
    page.InsertTable(cells);
    // Left and top padding under each other's names, as Word and LibreOffice read them.
    const std::string rows = "\\trowd\\trgaph0\\trrh-400\\trleft100\\trqc\\trkeep\\trhdr\r\n" + Sides +
                             "\\clvertalb\\clpadt60\\clpadft3\\clpadl30\\clpadfl3\\cellx820\r\n" + Sides +
                             "\\clvertalc\\clpadr20\\clpadfr3\\clpadb10\\clpadfb3\\cellx1540\r\n";
    EXPECT_TRUE(tableOf(page).starts_with(rows)) << tableOf(page);
    cPage right;
    right.TableAlign = aRight, right.TableRowHeight = 300, right.TableIndent = -50;
    right.InsertTable(cells);
    EXPECT_TRUE(tableOf(right).starts_with("\\trowd\\trgaph0\\trrh300\\trleft-50\\trqr\r\n")) << tableOf(right);
    // Shares of the table's width, named for readers that lay tables out by them.
    a->WidthPercent = 25, b->WidthPercent = 75;
    cPage shares;
    shares.TableWidth = 8000;
    shares.InsertTable(cells);
    EXPECT_NE(tableOf(shares).find("\\clftsWidth2\\clwWidth1250\\cellx2000\r\n"), std::string::npos) << tableOf(shares);
    EXPECT_NE(tableOf(shares).find("\\clftsWidth2\\clwWidth3750\\cellx8000\r\n"), std::string::npos);
    cPage none;
    none.TableWidth = 0;
    EXPECT_EQ(test::errorOf([&] { none.InsertTable(cells); }), errors::InvalidArgument);
    for (float bad : {100.5f, -1.0f, std::numeric_limits<float>::quiet_NaN()}) {
        b->WidthPercent = bad;
        cPage refused;
        EXPECT_EQ(test::errorOf([&] { refused.InsertTable(cells); }), errors::InvalidArgument) << bad;
        EXPECT_EQ(fragment(refused), "{}\\page ");
    }
}

TEST_F(Tables, SameCellInTwoPlacesAndEmptyDimensions) {
    auto shared = cell("S");
    CellArray cells({{1, 2}, {1, 1}});
    cells.at({1, 1}) = shared, cells.at({2, 1}) = shared;
    cPage page;
    page.InsertTable(cells);
    std::string table = tableOf(page);
    EXPECT_NE(table.find(endedByCell("S") + "\\cell\r\n\\pard\\plain\\intbl" + endedByCell("S") + "\\cell\\row"),
              std::string::npos);
    // Only the last paragraph is ended by the cell; an empty cell is the cell alone.
    auto two = cell("1");
    two->InsertParagraph(para("2"));
    CellArray pair({{1, 2}, {1, 1}});
    pair.at({1, 1}) = two, pair.at({2, 1}) = cell();
    cPage twoParagraphs;
    twoParagraphs.InsertTable(pair);
    EXPECT_NE(tableOf(twoParagraphs)
                  .find("\\pard\\plain\\intbl" + inTable(wrapped("1")) + InCell + endedByCell("2") +
                        "\\cell\r\n\\pard\\plain\\intbl\\cell\\row\r\n"),
              std::string::npos);
    cPage noRows;
    EXPECT_EQ(noRows.InsertTable(CellArray({{1, 2}, {1, -1}})), True);
    EXPECT_EQ(tableOf(noRows), "\\pard\r\n");
}

// A paragraph taken before, now with no alignment of the enumeration, is
// taken as it is: its earlier paragraph still goes into the table, is still
// ended by the cell, and a note still leaves out its mark.
TEST_F(Tables, AnUnwrappedParagraphKeepsItsEarlierPlaceWords) {
    auto p = para("x");
    cPage page;
    page.InsertParagraph(p);
    p->Align = static_cast<vlRTFAlignment>(99);
    auto c = std::make_shared<cCell>();
    c->InsertParagraph(p);
    CellArray cells({{1, 1}, {1, 1}});
    cells.at({1, 1}) = c;
    cPage table;
    table.InsertTable(cells);
    EXPECT_NE(tableOf(table).find("\\pard\\plain\\intbl" + endedByCell("x") + "\\cell\\row"), std::string::npos);
    cParagraph host;
    host.InsertFootnote(p);
    std::string note = wrapped("x");
    EXPECT_EQ(Access::content(host),
              "{\\super\\chftn}{\\footnote\\pard\\plain{\\super\\chftn} " + note.substr(0, note.size() - 5) + "}");
}

TEST_F(Tables, RefusalsAndFailuresLeaveThePageUnchanged) {
    cPage page;
    page.InsertParagraph(para("before"));
    const std::string before = fragment(page);
    auto same = [&] { return fragment(page) == before; };

    EXPECT_EQ(page.InsertTable(CellArray({{1, 0}, {1, 3}})), False);
    EXPECT_EQ(page.InsertTable(CellArray({{0, 2}, {1, 0}})), False);
    // No column either: rows of no cells.
    EXPECT_EQ(page.InsertTable(CellArray({{0, -1}, {1, 3}})), False);
    EXPECT_TRUE(same());

    EXPECT_EQ(errorOf([&] { page.InsertTable(CellArray({{1, 2}})); }), 9);
    EXPECT_EQ(errorOf([&] { page.InsertTable(CellArray({{1, 1}, {1, 1}, {1, 1}})); }), 9);
    EXPECT_EQ(errorOf([&] { page.InsertTable(CellArray({{2, 3}, {1, 1}})); }), 9);
    EXPECT_EQ(errorOf([&] { page.InsertTable(CellArray({{1, 32768}, {1, 1}})); }), 6);
    EXPECT_TRUE(same());

    // A missing cell or border after complete rows have been written.
    CellArray cells({{1, 2}, {1, 2}});
    cells.at({1, 1}) = cell("a"), cells.at({2, 1}) = cell("b"), cells.at({1, 2}) = cell("c");
    EXPECT_EQ(errorOf([&] { page.InsertTable(cells); }), 91);
    cells.at({2, 2}) = cell("d");
    cells.at({2, 2})->Border = nullptr;
    EXPECT_EQ(errorOf([&] { page.InsertTable(cells); }), 91);
    EXPECT_TRUE(same());

    auto wide = [&](auto change) {
        CellArray one({{1, 2}, {1, 1}});
        one.at({1, 1}) = cell(), one.at({2, 1}) = cell();
        change(*one.at({2, 1}));
        return errorOf([&] { page.InsertTable(one); });
    };
    EXPECT_EQ(wide([](cCell& c) { c.Border->TopWidth = 32768; }), 6);
    EXPECT_EQ(wide([](cCell& c) { c.Border->RightWidth = -32769; }), 6);
    EXPECT_EQ(wide([](cCell& c) { c.BackColorIndex = 40000; }), 6);
    EXPECT_EQ(wide([](cCell& c) { c.Width = INT32_MAX; }), 6);
    EXPECT_TRUE(same());
    // Values at the edge of the ranges are fine.
    EXPECT_EQ(wide([](cCell& c) { c.Border->TopWidth = -32768, c.BackColorIndex = 32767; }), -1);
    EXPECT_FALSE(same());
}

TEST_F(Tables, CellDefaultsAndParagraphs) {
    cCell c;
    EXPECT_EQ(c.Width, 720);
    EXPECT_EQ(c.BackColorIndex, 2);
    ASSERT_NE(c.Border, nullptr);
    EXPECT_EQ(c.Border->TopVisible, True);
    EXPECT_EQ(c.Border->LeftVisible, True);
    EXPECT_EQ(c.Border->BottomVisible, True);
    EXPECT_EQ(c.Border->RightVisible, True);
    EXPECT_EQ(c.Border->TopWidth, 20);
    EXPECT_EQ(c.Border->BorderColorIndex, 1);
    EXPECT_EQ(c.InsertParagraph(nullptr), False);
    EXPECT_EQ(c.InsertParagraph(para("abc")), True);
    EXPECT_EQ(Access::content(c), inTable(ABC) + InCell);
}

TEST_F(Tables, WholeDocumentStaysBalanced) {
    CellArray cells({{1, 2}, {1, 2}});
    for (int c = 1; c <= 2; ++c)
        for (int r = 1; r <= 2; ++r) cells.at({c, r}) = cell("x{y}");
    auto page = std::make_shared<cPage>();
    page->InsertParagraph(para("before"));
    page->InsertTable(cells);
    page->InsertParagraph(para("after"));
    doc.InsertPage(page);
    doc.InsertPage(page);
    EXPECT_TRUE(test::balanced(doc.Rtf()));
}

// A table from values writes only the words that change something: the
// rows' words, the cells' edges and rules, each value's paragraph.
TEST_F(Tables, RowsOfValuesInLeanBytes) {
    cPage page;
    page.TableHeaderRows = 2, page.TableRules = True, page.TableWidth = 6000;
    page.AddTableColumn(2000);
    page.AddTableColumn(0, tDecimal, 1);
    page.AddTableColumn(0, tRight);
    EXPECT_EQ(page.InsertRows({{"", "Treatment", {}}, {"", "A", "B"}, {"Age", 12.25, "1,234.5"}, {"n", 98.0, {}}}),
              True);
    const std::string Top = "\\clbrdrt\\brdrs\\brdrw10 \\clvertalb", Under = "\\clbrdrb\\brdrs\\brdrw10 ";
    EXPECT_EQ(
        tableOf(page),
        "\\trowd\\trgaph72\\trrh0\\trleft0\\trhdr\r\n" + Top + "\\cellx2000" + Top +
            "\\cellx6000\r\n"
            "\\pard\\intbl\\qc\\cell\r\n\\pard\\intbl\\qc\\li72\\ri72\\brdrb\\brdrs\\brdrw10 Treatment\\cell\\row\r\n"
            "\\trowd\\trgaph72\\trrh0\\trleft0\\trhdr\r\n" +
            Under + "\\clvertalb\\cellx2000" + Under + "\\clvertalb\\cellx4000" + Under +
            "\\clvertalb\\cellx6000\r\n"
            "\\pard\\intbl\\qc\\cell\r\n\\pard\\intbl\\qc A\\cell\r\n\\pard\\intbl\\qc B\\cell\\row\r\n"
            "\\trowd\\trgaph72\\trrh0\\trleft0\r\n\\cellx2000\\cellx4000\\cellx6000\r\n"
            "\\pard\\intbl Age\\cell\r\n\\pard\\intbl\\tqdec\\tx928 12.3\\cell\r\n\\pard\\intbl\\qr "
            "1,234.5\\cell\\row\r\n"
            "\\trowd\\trgaph72\\trrh0\\trleft0\r\n" +
            Under + "\\cellx2000" + Under + "\\cellx4000" + Under +
            "\\cellx6000\r\n\\pard\\intbl n\\cell\r\n\\pard\\intbl\\tqdec\\tx928 "
            "98.0\\cell\r\n\\pard\\intbl\\qr\\cell\\row\r\n"
            "\\pard\r\n");
}

TEST_F(Tables, RowsOfValuesRefusalsLeaveThePageUnchanged) {
    cPage page;
    page.InsertParagraph(para("kept"));
    const std::string before = fragment(page);
    EXPECT_EQ(page.InsertRows({}), False);
    EXPECT_EQ(page.InsertRows({{}}), False);
    EXPECT_EQ(errorOf([&] { page.InsertRows({{"a", 1.0}, {"b"}}); }), 5);
    EXPECT_EQ(errorOf([&] { page.InsertRows({{"a", std::nan("")}}); }), 5);
    page.TableWidth = 1000;
    page.AddTableColumn(1000);
    EXPECT_EQ(errorOf([&] { page.InsertRows({{"a"}, {"b"}}); }), -1);
    page.AddTableColumn(0);
    EXPECT_EQ(errorOf([&] { page.InsertRows({{"a", "b"}}); }), 5);       // no room left for the second
    EXPECT_EQ(errorOf([&] { page.InsertRows({{"a", "b", "c"}}); }), 5);  // three values, two columns
    EXPECT_EQ(errorOf([&] { page.AddTableColumn(0, tLeft, 16); }), 5);
    page.ClearTableColumns();
    page.TableFontHeight = 1500000000;  // \fs past 32 bits
    EXPECT_EQ(errorOf([&] { page.InsertRows({{"a"}}); }), 6);
    page.TableFontHeight = 0;
    page.TableWidth = 9026;
    EXPECT_EQ(errorOf([&] { page.InsertRows({{"a", "b"}}); }), -1);
    EXPECT_NE(fragment(page).find(before.substr(0, before.size() - 7)), std::string::npos);
}

// A table that paginates itself: each page's last row ruled, the text under
// it, the header rows again with the page breaking before their first cell.
TEST_F(Tables, PaginatedRowsRepeatTheirHeader) {
    cPage page;
    page.TableHeaderRows = 1, page.TableRules = True, page.TablePaginate = True, page.TableRowsPerPage = 3;
    page.TableContinuedText = "(continued)";
    page.AddTableColumn(1000);
    EXPECT_EQ(page.InsertRows({{"H"}, {"a"}, {"b"}, {"c"}}), True);
    const std::string Row = "\\trowd\\trgaph72\\trrh0\\trleft0", Rule = "\\brdrs\\brdrw10 ";
    const std::string header =
        Row + "\\trhdr\r\n\\clbrdrt" + Rule + "\\clbrdrb" + Rule + "\\clvertalb\\cellx1000\r\n\\pard\\intbl";
    EXPECT_EQ(tableOf(page),
              header + "\\qc H\\cell\\row\r\n" + Row + "\r\n\\cellx1000\r\n\\pard\\intbl a\\cell\\row\r\n" + Row +
                  "\r\n\\clbrdrb" + Rule + "\\cellx1000\r\n\\pard\\intbl b\\cell\\row\r\n" +
                  "\\pard\r\n\\qr{(continued)}\\par\r\n" + header + "\\pagebb\\qc H\\cell\\row\r\n" + Row +
                  "\r\n\\clbrdrb" + Rule + "\\cellx1000\r\n\\pard\\intbl c\\cell\\row\r\n\\pard\r\n");
    // A table of cells breaks its page before the first header cell's paragraph too.
    CellArray cells({{1, 1}, {1, 3}});
    for (int r = 1; r <= 3; ++r) cells.at({1, r}) = cell(std::string(1, static_cast<char>('0' + r)));
    cPage two;
    two.TableHeaderRows = 1, two.TablePaginate = True, two.TableRowsPerPage = 2;
    two.InsertTable(cells);
    const std::string written = tableOf(two);
    EXPECT_NE(written.find("\\pard\\plain\\intbl\\pagebb" + endedByCell("1")), std::string::npos) << written;
    EXPECT_EQ(written.find("\\pagebb"), written.rfind("\\pagebb"));
}

TEST_F(Tables, RowsPerPageThatLeaveNoRoomAreRefused) {
    cPage page;
    page.InsertParagraph(para("kept"));
    const std::string before = fragment(page);
    page.TableHeaderRows = 2, page.TablePaginate = True;
    for (std::int32_t n : {0, -2, 2})
        EXPECT_EQ(errorOf([&] {
                      page.TableRowsPerPage = n;
                      page.InsertRows({{"h"}, {"h"}, {"a"}});
                  }),
                  5)
            << n;
    CellArray cells({{1, 1}, {1, 3}});
    for (int r = 1; r <= 3; ++r) cells.at({1, r}) = cell("x");
    EXPECT_EQ(errorOf([&] { page.InsertTable(cells); }), 5);
    EXPECT_EQ(fragment(page), before);
}

// Numbers are rounded on their shortest text, half away from zero, also
// where that text has fewer digits than the binary value.
TEST_F(Tables, RowsOfValuesRoundTheShortestText) {
    cPage page;
    page.AddTableColumn(0, tLeft, 0);
    page.AddTableColumn(0, tLeft, 2);
    page.InsertRows({{1e23, 2.675}, {-2.5, -0.001}, {0.0, 9.995}});
    const std::string table = tableOf(page);
    for (const char* shown :
         {" 100000000000000000000000\\cell", " 2.68\\cell", " -3\\cell", " 0.00\\cell", " 0\\cell", " 10.00\\cell"})
        EXPECT_NE(table.find(shown), std::string::npos) << shown << "\n" << table;
}

}  // namespace
}  // namespace velloran
