// The header's writers, each alone with its exact words.
#include "rtf/document.hpp"
#include "rtf/furniture.hpp"
#include "rtf/header.hpp"
#include "rtf/metrics.hpp"
#include "support.hpp"

namespace velloran {
namespace {

template <class Write>
std::string written(Write write) {
    std::string out;
    write(out);
    return out;
}

class HeaderWriters : public ::testing::Test {
protected:
    cDocument doc;
    const detail::DocumentState& state() { return Access::state(doc); }
};

TEST_F(HeaderWriters, FontAndColourTables) {
    doc.FontIndex("Courier New", 2);
    doc.ColorIndex(0x123456);
    EXPECT_EQ(written([&](std::string& o) { rtf::appendFontTable(o, doc, state()); }),
              R"({\fonttbl{\f0\fnil\fcharset0\fprq2 Arial;}{\f1\fnil\fcharset2\fprq2 Courier New;}})");
    EXPECT_EQ(written([&](std::string& o) { rtf::appendColorTable(o, state().colors); }),
              R"({\colortbl;\red0\green0\blue0;\red255\green255\blue255;\red86\green52\blue18;})");
}

TEST_F(HeaderWriters, StyleSheetLeavesOutASizeThatDoesNotFit) {
    EXPECT_EQ(written([&](std::string& o) { rtf::appendStyleSheet(o, doc, state()); }),
              R"({\stylesheet{\fs20 \snext0 Normal;}})");
    doc.FontDefaultHeight = INT32_MAX;
    EXPECT_EQ(written([&](std::string& o) { rtf::appendStyleSheet(o, doc, state()); }),
              R"({\stylesheet{ \snext0 Normal;}})");
}

TEST_F(HeaderWriters, StylesEnteredOnceHeadingsWithTheirOutlineLevel) {
    EXPECT_EQ(doc.StyleIndex("Heading 2"), 1);
    EXPECT_EQ(doc.StyleIndex("heading 2"), 1);  // names as readers tell them apart
    EXPECT_EQ(doc.StyleIndex("Note;{x}"), 2);
    EXPECT_EQ(doc.StyleIndex("heading 10"), 3);
    EXPECT_EQ(doc.StyleIndex("Note{x}"), 2);
    EXPECT_EQ(test::errorOf([&] { doc.StyleIndex(";"); }), errors::InvalidArgument);
    EXPECT_EQ(doc.StyleIndex("Heading 2"), 1);
    EXPECT_EQ(test::errorOf([&] { doc.StyleIndex(""); }), errors::InvalidArgument);
    EXPECT_EQ(written([&](std::string& o) { rtf::appendStyleSheet(o, doc, state()); }),
              R"({\stylesheet{\fs20 \snext0 Normal;}{\s1\outlinelevel1\fs20 \sbasedon0\snext0 Heading 2;})"
              R"({\s2\fs20 \sbasedon0\snext0 Note\{x\};}{\s3\fs20 \sbasedon0\snext0 heading 10;}})");
}

TEST_F(HeaderWriters, ListTablesDeclareEachListOnce) {
    EXPECT_EQ(written([&](std::string& o) { rtf::appendListTables(o, detail::ListSet()); }), "");
    detail::ListSet lists;
    lists.add(2);
    std::string out = written([&](std::string& o) { rtf::appendListTables(o, lists); });
    EXPECT_TRUE(out.starts_with(R"({\*\listtable{\list\listtemplateid2{\listlevel\levelnfc0\levelnfcn0)"));
    EXPECT_TRUE(out.ends_with(R"(\listid2}}{\*\listoverridetable{\listoverride\listid2\listoverridecount0\ls2}})"));
    auto header = std::make_shared<cParagraph>();
    header->ListStyle = lBullet;
    doc.Header = header;
    EXPECT_EQ(rtf::gather(doc, state()).lists.numbers(), std::vector<std::int64_t>{1});
}

TEST_F(HeaderWriters, InformationSheetAndStamp) {
    doc.Title = "T{}";
    EXPECT_EQ(
        written([&](std::string& o) { rtf::appendInfo(o, doc, 3, "<stamp>"); }),
        R"({\info{\author }{\operator }{\title T\'7b\'7d}{\subject }{\comment Brenmoor - Velloran.dll})"
        R"({\creatim<stamp>}{\revtim<stamp>}{\version2}{\edmins7}{\nofpages3}{\nofwords0}{\nofchars0}{\vern8351}})");
    doc.PageMarginLeft = 1, doc.PageMarginRight = 2, doc.PageMarginTop = 3, doc.PageMarginBottom = 4;
    EXPECT_EQ(written([&](std::string& o) {
                  rtf::appendSheet(o, doc, true, {"a", "b", "c", "d", "e", "f"});
              }),
              "a16837b11906c4d3e1f2");
    EXPECT_EQ(written([&](std::string& o) {
                  rtf::appendTimeStamp(o, {2026, 12, 7, 4, 5});
              }),
              R"(\yr2026\mo12\dy7\hr4\min5)");
    EXPECT_EQ(test::errorOf([&] { written([&](std::string& o) {
                                      rtf::appendTimeStamp(o, {40000, 1, 1, 0, 0});
                                  }); }),
              6);
}

TEST_F(HeaderWriters, NumberingHeaderFooterAndBodyDefaults) {
    std::string number;
    EXPECT_EQ(written([&](std::string& o) { rtf::appendNumbering(o, doc, number); }), "");
    doc.PageNumbersOn = True;
    EXPECT_EQ(written([&](std::string& o) { rtf::appendNumbering(o, doc, number); }),
              R"(\pgnstarts1\pgncont\pgnrestart\pgnx720\pgny720\pgndec\headery720)");
    EXPECT_EQ(number, R"({\pard\plain\qr\ri-720\f0\fs20 {\field{\*\fldinst PAGE }{\fldrslt 1}}\par})");
    auto footer = std::make_shared<cParagraph>();
    footer->Border = nullptr;  // fails to render: left out, the rest written
    doc.Footer = footer;
    EXPECT_EQ(written([&](std::string& o) { rtf::appendHeaderAndFooter(o, doc, number); }), "{\\header" + number + "}");
    EXPECT_EQ(written([&](std::string& o) { rtf::appendBodyDefaults(o, doc, state()); }),
              R"(\pmmetafile28\endnhere\pard\plain\ql\f0\fs20\cb2\cf1 )");
}

// Lines and line heights as LibreOffice 7.4 lays them out with the free
// fonts, read from its PDF of paragraphs of these widths.
TEST(Metrics, LinesAndHeightsAsLibreOfficeLaysThemOut) {
    struct Case {
        const char* font;
        std::int32_t halfPoints;
        bool bold;
        std::int32_t width, lines;
        const char* text;
    };
    for (const Case& c : {
             Case{"Arial", 20, false, 3500, 2, "such CI: was that Active by two week for made but in as over"},
             Case{"Courier New", 18, false, 2880, 5,
                  "is where have it other used the can two than baseline new more in only but these have the than "
                  "after with them"},
             Case{"Calibri", 22, false, 2000, 3, "into Placebo week has most can all adverse the"},
             Case{"Arial", 18, true, 6000, 2,
                  "was be well their 12.5 CI: is and was the median these into at both these Active all many week "
                  "into treatment are were two (14.0) them it"},
             Case{"Arial", 18, true, 2880, 1, "more an used by on"},
         })
        EXPECT_EQ(rtf::Measure(c.font, c.bold, false, c.halfPoints).lines(c.text, c.width), c.lines) << c.text;
    EXPECT_EQ(rtf::Measure("arial", false, false, 20).lineHeight(), 230);
    EXPECT_EQ(rtf::Measure("Courier New", false, false, 18).lineHeight(), 204);
    EXPECT_EQ(rtf::Measure("Calibri", false, false, 20).lineHeight(), 244);
    EXPECT_EQ(rtf::Measure("Cambria", false, false, 24).lineHeight(), 276);
    // A font of no table is measured as the widest and tallest of them.
    const rtf::Measure other("Gill Sans", false, false, 20);
    EXPECT_FALSE(other.known());
    EXPECT_EQ(other.lineHeight(), 244);
    for (const char* font : {"Arial", "Times New Roman", "Courier New", "Calibri", "Cambria"})
        EXPECT_GE(other.width("Placebo 12.5 (14.0)"),
                  rtf::Measure(font, false, false, 20).width("Placebo 12.5 (14.0)"));
    // A word wider than the line breaks at its characters; line breaks count.
    EXPECT_EQ(rtf::Measure("Courier New", false, false, 20).lines("abcdefghij", 363), 4);
    EXPECT_EQ(rtf::Measure("Courier New", false, false, 20).lines("a\r\nb\nc", 3000), 3);
}

}  // namespace
}  // namespace velloran
