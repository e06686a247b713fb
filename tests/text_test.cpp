// Text runs, borders and paragraphs.
#include <thread>

#include "support.hpp"

namespace velloran {
namespace {

using test::border;
using test::errorOf;
using test::fragment;
using test::run;

const std::string NoBorder = R"(\brdrt\brdrnone\brdrb\brdrnone\brdrl\brdrnone\brdrr\brdrnone)";

class Runs : public ::testing::Test {
protected:
    cDocument doc;  // sets this thread's black and white indexes
};

std::shared_ptr<cText> textOf(const std::string& s) {
    auto t = std::make_shared<cText>();
    t->Text(s);
    return t;
}

TEST_F(Runs, WorkedExamples) {
    EXPECT_EQ(run(*textOf("abc")), R"({\f0\fs20 abc})");
    auto t = textOf("a{b}");
    t->Bold = True, t->Italic = True, t->FontIndex = 1, t->Height = 12, t->ForeColorIndex = 3;
    EXPECT_EQ(run(*t), R"({\b\i\f1\cf3\fs24 a\{b\}})");
    auto back = textOf("abc");
    back->BackColorIndex = 4;
    EXPECT_EQ(run(*back), R"({\f0\chcfpat0\chcbpat4\cb4\fs20 abc})");
    auto noSize = textOf("abc");
    noSize->Height = 0;
    EXPECT_EQ(run(*noSize), R"({\f0 abc})");
    EXPECT_EQ(run(*textOf("C:\\x")), R"({\f0\fs20 C:\\x})");
    EXPECT_EQ(run(*textOf("a\tb")), R"({\f0\fs20 a\tab b})");
    EXPECT_EQ(run(*textOf("")), "");
    EXPECT_EQ(run(cText()), "");
    std::string none;
    rtf::appendTextRun(none, nullptr);
    EXPECT_EQ(none, "");
}

TEST_F(Runs, EveryFlagInItsPlace) {
    auto t = textOf("x");
    t->Bold = True, t->Italic = True, t->Strike = True;
    t->UnderlineWords(True);
    t->UnderlineDot(True);
    t->Height = -10;
    EXPECT_EQ(run(*t), R"({\b\i\uld\ulw\strike\f0\fs-20 x})");
    t->Bold = 1;  // only True counts
    t->Strike = 1;
    EXPECT_EQ(run(*t), R"({\i\uld\ulw\f0\fs-20 x})");
    EXPECT_TRUE(t->Bold == 1 && t->Bold != True && t->Bold != true);
}

TEST_F(Runs, PositionCapitalsHiddenHighlightAndSpacing) {
    auto t = textOf("x");
    t->VerticalPosition = vSuperscript, t->SmallCaps = True, t->AllCaps = True, t->Hidden = True;
    t->HighlightColorIndex = 3, t->CharacterSpacing = -20;
    EXPECT_EQ(run(*t), R"({\scaps\caps\v\f0\fs20\highlight3\super\expndtw-20 x})");
    t->VerticalPosition = vSubscript, t->SmallCaps = 1, t->AllCaps = False, t->Hidden = 1;  // only True counts
    t->HighlightColorIndex = 0, t->CharacterSpacing = 0;
    EXPECT_EQ(run(*t), R"({\f0\fs20\sub x})");
    t->VerticalPosition = static_cast<vlRTFVerticalPosition>(7);
    EXPECT_EQ(run(*t), R"({\f0\fs20 x})");
}

// C++'s true is True: every Boolean field set with true writes what True writes.
TEST(Booleans, TrueAndFalseAreTheAutomationValues) {
    test::FixedClock clock;
    auto document = [](auto yes) {
        cDocument doc;
        doc.PageLandscape = yes, doc.PageNumbersOn = yes;
        auto t = std::make_shared<cText>();
        t->Text("x");
        t->Bold = yes, t->Italic = yes, t->Strike = yes;
        t->UnderlineDouble(yes);
        t->UnderlineWords(yes);
        auto p = std::make_shared<cParagraph>();
        p->Border->TopVisible = yes, p->Border->LeftVisible = yes;
        p->Border->BottomVisible = yes, p->Border->RightVisible = yes;
        p->InsertText(t);
        auto page = std::make_shared<cPage>();
        page->InsertParagraph(p);
        doc.InsertPage(page);
        return doc.Rtf();
    };
    EXPECT_EQ(document(true), document(True));
    Boolean b = true;
    EXPECT_EQ(b, -1);
    EXPECT_TRUE(b == True && b == true && b != false);
    b = false;
    EXPECT_TRUE(b == False && b == 0 && b == false);
}

TEST_F(Runs, UnderlineKindsExcludeEachOther) {
    cText t;
    t.UnderlineWords(True);
    t.UnderlineDot(True);
    EXPECT_EQ(t.UnderlineWords(), True);
    EXPECT_EQ(t.UnderlineDot(), True);
    t.Underline(True);
    EXPECT_EQ(t.UnderlineWords(), False);
    EXPECT_EQ(t.UnderlineDot(), False);
    t.UnderlineWords(True);
    EXPECT_EQ(t.Underline(), False);
    t.UnderlineDouble(True);
    t.Underline(True);
    EXPECT_EQ(t.UnderlineDouble(), False);
    t.UnderlineDouble(True);
    EXPECT_EQ(t.Underline(), False);
    EXPECT_EQ(t.UnderlineDot(), False);
    t.UnderlineDouble(False);  // False changes only that kind
    EXPECT_EQ(t.UnderlineWords(), False);
    t.Text("u");
    t.Underline(True);
    EXPECT_EQ(run(t), R"({\ul\f0\fs20 u})");
    t.UnderlineDouble(True);
    EXPECT_EQ(run(t), R"({\uldb\f0\fs20 u})");
}

TEST_F(Runs, TextIsEscapedWhenSetAndReplacedByTheNext) {
    auto t = textOf("a\r\n\rb\nc");
    EXPECT_EQ(run(*t), R"({\f0\fs20 a\line \line b\line c})");
    t->Text("\xe2\x80\xa2 \xce\xb1");
    EXPECT_EQ(run(*t), R"({\f0\fs20 \bullet  \uc1\u945\'3f})");
}

TEST_F(Runs, SizeThatOverflowsFailsAndAppendsNothing) {
    auto t = textOf("big");
    t->Height = 1073741824;
    cParagraph p;
    p.InsertText(textOf("kept"));
    EXPECT_EQ(errorOf([&] { p.InsertText(t); }), 6);
    EXPECT_EQ(Access::content(p), R"({\f0\fs20 kept})");
    t->Height = -1073741824;
    EXPECT_EQ(run(*t), R"({\f0\fs-2147483648 big})");
}

TEST(RunsBeforeAnyDocument, ColourIndexesStartAtZero) {
    cText t;
    t.Text("x");
    std::thread([&] {
        cText fresh;
        EXPECT_EQ(fresh.ForeColorIndex, 0);
        EXPECT_EQ(fresh.BackColorIndex, 0);
        fresh.Text("x");
        cDocument doc;  // now 0 differs from both black and white
        EXPECT_EQ(run(fresh), R"({\f0\chcfpat0\chcbpat0\cb0\cf0\fs20 x})");
    }).join();
}

TEST(Borders, WorkedExamples) {
    cDocument doc;
    cBorder b;
    EXPECT_EQ(border(b), NoBorder);
    b.TopVisible = b.BottomVisible = b.LeftVisible = b.RightVisible = True;
    EXPECT_EQ(border(b), R"(\brdrt\brdrs\brdrcf1\brdrw20\brdrb\brdrs\brdrcf1\brdrw20)"
                         R"(\brdrl\brdrs\brdrcf1\brdrw20\brdrr\brdrs\brdrcf1\brdrw20)");
    cBorder top;
    top.TopVisible = True, top.BorderType = bDouble, top.TopWidth = 15, top.BorderColorIndex = 3;
    EXPECT_EQ(border(top), R"(\brdrt\brdrdb\brdrcf3\brdrw15\brdrb\brdrnone\brdrl\brdrnone\brdrr\brdrnone)");
}

TEST(Borders, StylesWidthsAndFlags) {
    cDocument doc;
    cBorder b;
    b.RightVisible = True, b.BorderType = bHairline, b.RightWidth = 0;
    EXPECT_EQ(border(b), R"(\brdrt\brdrnone\brdrb\brdrnone\brdrl\brdrnone\brdrr\brdrhair\brdrcf1\brdrw0)");
    const char* words[] = {"brdrs", "brdrdb", "brdrth", "brdrsh", "brdrdot", "brdrhair"};
    for (int type = 1; type <= 6; ++type) {
        b.BorderType = static_cast<vlRTFBorderType>(type);
        EXPECT_NE(border(b).find(std::string("\\brdrr\\") + words[type - 1] + "\\brdrcf"), std::string::npos);
    }
    // Outside the enumeration a visible side still gets a style.
    b.BorderType = static_cast<vlRTFBorderType>(0);
    EXPECT_NE(border(b).find(R"(\brdrr\brdrs\brdrcf1)"), std::string::npos);
    b.BorderType = static_cast<vlRTFBorderType>(99);
    EXPECT_NE(border(b).find(R"(\brdrr\brdrs\brdrcf1)"), std::string::npos);
    b.RightVisible = 1;  // not True
    b.LeftVisible = True, b.LeftWidth = -7, b.BorderColorIndex = -2;
    EXPECT_EQ(border(b), R"(\brdrt\brdrnone\brdrb\brdrnone\brdrl\brdrs\brdrcf-2\brdrw-7\brdrr\brdrnone)");
    EXPECT_EQ(errorOf([] {
                  std::string out;
                  rtf::appendBorder(out, nullptr);
              }),
              91);
}

// A side's own style and colour replace the frame's for that side alone.
TEST(Borders, SidesOfTheirOwn) {
    cDocument doc;
    cBorder b;
    b.TopVisible = b.BottomVisible = b.LeftVisible = True, b.BorderType = bDouble;
    b.TopStyle = bsDash, b.BottomColorIndex = 0, b.LeftStyle = bsDot, b.LeftColorIndex = 4;
    b.RightStyle = bsThick, b.RightColorIndex = 5;  // a hidden side stays hidden
    EXPECT_EQ(border(b), R"(\brdrt\brdrdash\brdrcf1\brdrw20\brdrb\brdrdb\brdrcf0\brdrw20)"
                         R"(\brdrl\brdrdot\brdrcf4\brdrw20\brdrr\brdrnone)");
}

TEST_F(Runs, FieldsAndLinksWrapTheRun) {
    auto page = textOf("1");
    page->Field = fPageNumber;
    EXPECT_EQ(run(*page), R"({\f0\fs20{\field{\*\fldinst {PAGE }}{\fldrslt {\f0\fs20 1}}}})");
    // A field shows without text; an unknown field is no field.
    auto count = textOf("");
    count->Field = fPageCount;
    EXPECT_EQ(run(*count), R"({\f0\fs20{\field{\*\fldinst {NUMPAGES }}{\fldrslt {\f0\fs20 }}}})");
    count->Field = static_cast<vlRTFField>(9);
    EXPECT_EQ(run(*count), "");
    // Quotes and control characters of an address in percent form, the rest escaped for RTF.
    auto link = textOf("site");
    link->Link = "http://x/{a}\"b\"\r\n\xc3\xa9";
    EXPECT_EQ(run(*link), R"({\f0\fs20{\field{\*\fldinst {HYPERLINK "\uc1 http://x/\'7ba\'7d%22b%22%0D%0A\u233\'3f"}})"
                          R"({\fldrslt {\f0\fs20 site}}}})");
    link->Text("");
    EXPECT_EQ(run(*link), "");
}

TEST_F(Runs, BookmarksLinksToThemAndContents) {
    auto title = textOf("Results");
    title->Bookmark = "results";
    EXPECT_EQ(run(*title), R"({\*\bkmkstart results}{\f0\fs20 Results}{\*\bkmkend results})");
    auto link = textOf("see");
    link->LinkToBookmark = "results";
    EXPECT_EQ(run(*link), R"({\f0\fs20{\field{\*\fldinst {HYPERLINK \\l "results"}}{\fldrslt {\f0\fs20 see}}}})");
    link->Link = "a.rtf";
    EXPECT_EQ(run(*link),
              R"({\f0\fs20{\field{\*\fldinst {HYPERLINK "a.rtf" \\l "results"}}{\fldrslt {\f0\fs20 see}}}})");
    // A table of contents stands in place of any other field.
    auto contents = textOf("Update the fields");
    contents->ContentsLevels = 3, contents->Field = fPageNumber;
    EXPECT_EQ(run(*contents), R"({\f0\fs20{\field{\*\fldinst {TOC \\o "1-3" \\h \\z \\u }})"
                              R"({\fldrslt {\f0\fs20 Update the fields}}}})");
    contents->ContentsLevels = 10;
    EXPECT_EQ(run(*contents), R"({\f0\fs20{\field{\*\fldinst {PAGE }}{\fldrslt {\f0\fs20 Update the fields}}}})");
}

TEST_F(Runs, RawRtfKeepsToItsGroupOrIsRefused) {
    auto t = textOf("a");
    t->RawRtf(R"(\par{\b \{x\}}\\\'7b\u8212?)");
    EXPECT_EQ(run(*t), R"({\f0\fs20 a{\uc1 \par{\b \{x\}}\\\'7b\u8212?}})");
    // A field of the host's own, and a word of RTF's longest.
    t->RawRtf(R"({\field{\*\fldinst PAGE }{\fldrslt 1}}\abcdefghijklmnopqrstuvwxyzabcdef )");
    EXPECT_EQ(t->RawRtf(), R"({\field{\*\fldinst PAGE }{\fldrslt 1}}\abcdefghijklmnopqrstuvwxyzabcdef )");
    t->RawRtf(R"(\par{\b \{x\}}\\\'7b\u8212?)");
    for (const char* bad : {"}", "{", "}{", "x\\", "\\bin2 {}", "\xc3\xa9", "a\nb", "\\\t", "\\'", "\\'4", "{\\'}",
                            "\\'zz", "{\\fonttbl{\\f0 Courier;}}", "{\\header x}", "\\sect ", "\\cell", "\\trowd",
                            // Each makes a reader drop what follows the run, or the whole document.
                            "{\\*\\fldinst PAGE}", "{\\fldrslt 1}", "{\\b\\field{\\*\\fldinst PAGE}}",
                            "{\\*\\dptxbxtext x}", "{\\*\\do x}", "\\cellx9000", "\\trleft0", "\\clbrdrt",
                            "\\abcdefghijklmnopqrstuvwxyzabcdefg", "{\\pict\\pngblip 00}", "\\jpegblip", "\\wmetafile8",
                            "\\emfblip", "{\\*\\shppict x}", "{\\title X}", "{\\author X}"}) {
        EXPECT_EQ(errorOf([&] { t->RawRtf(bad); }), errors::InvalidArgument) << bad;
        EXPECT_EQ(t->RawRtf(), R"(\par{\b \{x\}}\\\'7b\u8212?)");
    }
    auto rawOnly = textOf("");
    rawOnly->RawRtf("\\emdash ");
    EXPECT_EQ(run(*rawOnly), R"({\f0\fs20 {\uc1 \emdash }})");
}

TEST_F(Runs, FootnotesTakeTheNoteWithoutItsMark) {
    cParagraph p;
    auto note = std::make_shared<cParagraph>();
    note->InsertText(textOf("n"));
    EXPECT_EQ(p.InsertFootnote(note), True);
    EXPECT_EQ(Access::content(p),
              R"({\super\chftn}{\footnote\pard\plain{\super\chftn} {\pard\plain{\f0\fs20 n}})" + NoBorder + R"(\ql})");
    // Nothing for no note or the paragraph itself.
    EXPECT_EQ(p.InsertFootnote(nullptr), False);
    auto self = std::make_shared<cParagraph>();
    EXPECT_EQ(self->InsertFootnote(self), False);
    EXPECT_EQ(Access::content(*self), "");
    // An endnote is a footnote gathered at the end.
    cParagraph q;
    auto end = std::make_shared<cParagraph>();
    end->InsertText(textOf("n"));
    EXPECT_EQ(q.InsertEndnote(end), True);
    EXPECT_EQ(
        Access::content(q),
        R"({\super\chftn}{\footnote\ftnalt\pard\plain{\super\chftn} {\pard\plain{\f0\fs20 n}})" + NoBorder + R"(\ql})");
}

class Paragraphs : public ::testing::Test {
protected:
    std::shared_ptr<cParagraph> abc() {
        auto p = std::make_shared<cParagraph>();
        p->InsertText(textOf("abc"));
        return p;
    }
    // The paragraph as a place takes it.
    static std::string take(cParagraph& p) {
        Access::keep(p, Access::take(p));
        return Access::content(p);
    }
    cDocument doc;
};

TEST_F(Paragraphs, WorkedExamples) {
    auto p = abc();
    EXPECT_EQ(take(*p), R"({\pard\plain{\f0\fs20 abc}})" + NoBorder + R"(\ql\par )");
    auto q = abc();
    q->IndentFirstLine = 720, q->SpaceAfter = 120, q->Align = aCenter;
    EXPECT_EQ(take(*q), R"({\pard\plain{\f0\fs20 abc}}\fi720\sa120)" + NoBorder + R"(\qc\par )");
    cParagraph empty;
    EXPECT_EQ(take(empty), R"({\pard\plain})" + NoBorder + R"(\ql\par )");
}

TEST_F(Paragraphs, LengthsAlignmentsAndOrder) {
    auto p = abc();
    p->IndentFirstLine = -360, p->IndentLeft = 1, p->IndentRight = 2;
    p->SpaceBefore = 3, p->SpaceAfter = 4, p->SpaceBetweenLines = -240;
    p->Align = aJustified;
    EXPECT_EQ(take(*p), R"({\pard\plain{\f0\fs20 abc}}\fi-360\li1\ri2\sb3\sa4\sl-240)" + NoBorder + R"(\qj\par )");
    auto r = abc();
    r->Align = aRight;
    EXPECT_EQ(take(*r).substr(27), NoBorder + R"(\qr\par )");
    auto odd = abc();
    odd->Align = static_cast<vlRTFAlignment>(7);
    EXPECT_EQ(take(*odd), R"({\f0\fs20 abc})");
    EXPECT_EQ(odd->Align, 7);
}

TEST_F(Paragraphs, PaginationLineSpacingAndOutline) {
    auto p = abc();
    p->SpaceBetweenLines = 300, p->LineSpacingMultiple = 1.5f;
    p->KeepWithNext = True, p->KeepTogether = True, p->PageBreakBefore = True, p->WidowControl = False;
    p->OutlineLevel = 1;
    EXPECT_EQ(take(*p), R"({\pard\plain{\f0\fs20 abc}}\sl360\slmult1\keepn\keep\pagebb\nowidctlpar\outlinelevel0)" +
                            NoBorder + R"(\ql\par )");
    auto q = abc();
    q->SpaceBetweenLines = 300, q->LineSpacingMultiple = -2, q->KeepWithNext = 1, q->OutlineLevel = 10;
    EXPECT_EQ(take(*q), R"({\pard\plain{\f0\fs20 abc}}\sl300)" + NoBorder + R"(\ql\par )");
    auto huge = abc();
    huge->LineSpacingMultiple = 1e10f;
    cPage page;
    EXPECT_EQ(errorOf([&] { page.InsertParagraph(huge); }), 6);
    EXPECT_EQ(Access::content(*huge), R"({\f0\fs20 abc})");
    EXPECT_EQ(fragment(page), "{}\\page ");
}

// Right-to-left runs and paragraphs, and the font of a run's East Asian characters.
TEST_F(Paragraphs, RightToLeftAndEastAsianFonts) {
    auto p = std::make_shared<cParagraph>();
    auto t = textOf("abc");
    t->RightToLeft = True, t->EastAsianFontIndex = 2;
    p->InsertText(t);
    p->RightToLeft = True;
    EXPECT_EQ(take(*p), R"({\pard\plain{\rtlch\f0\dbch\af2\loch\fs20 abc}}\rtlpar)" + NoBorder + R"(\ql\par )");
}

TEST_F(Paragraphs, TabStopsInTheOrderAddedAndTheStyle) {
    auto p = abc();
    p->StyleIndex = 2;
    p->AddTabStop(8000, tRight);
    p->AddTabStop(5000, tDecimal, tlDots);
    p->AddTabStop(100, static_cast<vlRTFTabAlignment>(9), static_cast<vlRTFTabLeader>(9));
    p->AddTabStop(200, tCenter, tlUnderline);
    EXPECT_EQ(errorOf([&] { p->AddTabStop(-1); }), errors::InvalidArgument);
    EXPECT_EQ(take(*p), R"({\pard\plain{\f0\fs20 abc}}\s2\tqr\tx8000\tqdec\tldot\tx5000\tx100\tqc\tlul\tx200)" +
                            NoBorder + R"(\ql\par )");
    auto q = abc();
    q->AddTabStop(1, tLeft, tlHyphens);
    q->ClearTabStops();
    q->StyleIndex = -1;
    EXPECT_EQ(take(*q), R"({\pard\plain{\f0\fs20 abc}})" + NoBorder + R"(\ql\par )");
}

TEST_F(Paragraphs, TakingTwiceNestsTheFirstResult) {
    auto p = abc();
    take(*p);
    EXPECT_EQ(take(*p),
              R"({\pard\plain{\pard\plain{\f0\fs20 abc}})" + NoBorder + R"(\ql\par })" + NoBorder + R"(\ql\par )");
}

TEST_F(Paragraphs, SnapshotsOfRunsAndTheBorderAtTaking) {
    auto p = std::make_shared<cParagraph>();
    auto t = textOf("one");
    p->InsertText(t);
    t->Text("two");
    p->InsertText(t);
    EXPECT_EQ(p->InsertText(nullptr), True);
    EXPECT_EQ(p->InsertText(textOf("")), True);
    p->Border->TopVisible = True;  // read when the paragraph is taken
    EXPECT_EQ(take(*p), R"({\pard\plain{\f0\fs20 one}{\f0\fs20 two}}\brdrt\brdrs\brdrcf1\brdrw20)"
                        R"(\brdrb\brdrnone\brdrl\brdrnone\brdrr\brdrnone\ql\par )");
}

TEST_F(Paragraphs, MissingBorderFailsWith91AndChangesNothing) {
    auto p = abc();
    p->Border = nullptr;
    cPage page;
    EXPECT_EQ(errorOf([&] { page.InsertParagraph(p); }), 91);
    EXPECT_EQ(Access::content(*p), R"({\f0\fs20 abc})");
    EXPECT_EQ(fragment(page), "{}\\page ");
}

}  // namespace
}  // namespace velloran
