// The header's writers, each alone with its exact words.
#include "rtf/document.hpp"
#include "rtf/furniture.hpp"
#include "rtf/header.hpp"
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

}  // namespace
}  // namespace velloran
