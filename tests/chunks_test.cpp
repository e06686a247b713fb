// Large texts held in shared pieces: what is shared never changes, and the
// text reads the same as if it had been one string.
#include <algorithm>
#include <filesystem>

#include "common/records.hpp"
#include "rtf/walk.hpp"
#include "support.hpp"

namespace velloran {
namespace {

using detail::Chunks;
using test::errorOf;
using test::FixedClock;

std::string repeated(char c, std::size_t n) { return std::string(n, c); }

TEST(Chunks, LargeTextsShareTheirPiecesAndStayAsTheyWere) {
    Chunks a;
    std::string expected;
    for (int i = 0; i < 2000; ++i) {
        std::string line = "line " + std::to_string(i) + repeated('x', 300) + "\r\n";
        a.append(line);
        expected += line;
    }
    ASSERT_GT(a.size(), Chunks::PieceSize);
    EXPECT_EQ(a.str(), expected);

    Chunks b("{");
    b.appendShared(a);
    b.append("}");
    EXPECT_EQ(b.str(), "{" + expected + "}");
    // Writing on after sharing changes neither the other's text nor one's own past.
    a.append("more");
    EXPECT_EQ(b.str(), "{" + expected + "}");
    EXPECT_EQ(a.str(), expected + "more");
    b.appendShared(b);
    EXPECT_EQ(b.str(), "{" + expected + "}{" + expected + "}");
}

TEST(Chunks, PrependAndRollBackAcrossPieces) {
    Chunks c;
    c.append("head ");
    auto mark = c.mark();
    std::string big = repeated('p', Chunks::PieceSize + 10);
    c.openPiece(big.size()).append(big);
    c.append(repeated('q', Chunks::PieceSize));
    c.rollback(mark);
    EXPECT_EQ(c.str(), "head ");
    EXPECT_EQ(c.size(), 5u);

    c.openPiece(big.size()).append(big);
    c.prepend("{");
    c.append("}");
    EXPECT_EQ(c.str(), "{head " + big + "}");
    EXPECT_EQ(c.size(), big.size() + 7);
}

TEST(Chunks, VeryLargeTextsInBlocksShareAndRollBackAsOthers) {
    // Past LargeFrom the text is copied into blocks; a block's piece grows
    // after another text shared its beginning, and is cut by a rollback.
    Chunks a, b;
    std::string expected;
    auto write = [&](std::size_t bytes, char c) {
        for (std::size_t done = 0; done < bytes; done += 1000) {
            std::string line = std::to_string(done) + repeated(c, 994) + "\r\n";
            a.tail(line.size()).append(line);
            expected += line;
        }
    };
    write(Chunks::LargeFrom + 3 * Chunks::PieceSize, 'a');
    b.appendShared(a);
    const std::string shared = expected;
    write(Chunks::PieceSize, 'b');
    auto mark = a.mark();
    write(6 * 1024 * 1024, 'c');
    a.rollback(mark);
    expected.resize(mark.size);
    write(Chunks::PieceSize, 'd');
    b.append("end");
    EXPECT_EQ(a.str(), expected);
    EXPECT_EQ(b.str(), shared + "end");
    // A copy writes on in blocks of its own.
    Chunks copy = a;
    copy.append(repeated('e', 2 * Chunks::PieceSize));
    a.append(repeated('f', 2 * Chunks::PieceSize));
    EXPECT_EQ(copy.str(), expected + repeated('e', 2 * Chunks::PieceSize));
    EXPECT_EQ(a.str(), expected + repeated('f', 2 * Chunks::PieceSize));
    expected = a.str();
    a.prepend("{");
    a.rollback({0});
    EXPECT_EQ(a.str(), "");
    EXPECT_EQ(b.str(), shared + "end");
}

TEST(Chunks, APieceWrittenWholeIsKeptNotCopiedIntoBlocks) {
    // A picture's hexadecimal is written in one piece of its exact size;
    // copying it into blocks would hold it twice.
    Chunks a;
    a.append(repeated('a', Chunks::LargeFrom + Chunks::PieceSize));
    std::string& piece = a.openPiece(8 * 1024 * 1024);
    piece.append(8 * 1024 * 1024, 'h');
    const char* written = piece.data();
    a.append("}");
    a.append(repeated('b', Chunks::PieceSize));
    std::vector<const char*> starts;
    a.forEach([&](std::string_view p) { starts.push_back(p.data()); });
    EXPECT_NE(std::find(starts.begin(), starts.end(), written), starts.end());
    EXPECT_EQ(a.str(), repeated('a', Chunks::LargeFrom + Chunks::PieceSize) + repeated('h', 8 * 1024 * 1024) + "}" +
                           repeated('b', Chunks::PieceSize));
}

// A document of several large pages, written the slow way for comparison.
class LargeDocuments : public ::testing::Test {
protected:
    FixedClock clock;

    static std::shared_ptr<cParagraph> paragraph(const std::string& text) {
        auto t = std::make_shared<cText>();
        t->Text(text);
        auto p = std::make_shared<cParagraph>();
        p->InsertText(t);
        return p;
    }
    static std::string wrapped(const std::string& text) {
        return R"({\pard\plain{\f0\fs20 )" + text +
               R"(}}\brdrt\brdrnone\brdrb\brdrnone\brdrl\brdrnone\brdrr\brdrnone\ql\par \pard)";
    }
};

TEST_F(LargeDocuments, PagesTakenByReferenceGiveTheSameDocument) {
    cDocument doc, other;
    auto page = std::make_shared<cPage>();
    std::string body = "{";
    for (int i = 0; i < 5000; ++i) {
        std::string text = "Paragraph " + std::to_string(i) + " " + repeated('a', 100);
        page->InsertParagraph(paragraph(text));
        body += wrapped(text);
    }
    doc.InsertPage(page);
    // The page goes on after the document took it: the document keeps what it took.
    page->InsertParagraph(paragraph("late"));
    other.InsertPage(page);
    doc.InsertPage(page);

    std::string header = test::DefaultHeader;
    header.replace(header.find("\\nofpages0"), 10, "\\nofpages2");
    std::string page1 = body + "}\\page ", page2 = body + wrapped("late") + "}";
    EXPECT_EQ(doc.Rtf(), header + "{" + page1 + page2 + "}}");
    header.replace(header.find("\\nofpages2"), 10, "\\nofpages1");
    EXPECT_EQ(other.Rtf(), header + "{" + page2 + "}}");

    // Save writes the pieces as they are held: exactly the text of Rtf.
    auto path = std::filesystem::temp_directory_path() / "velloran-large-document.rtf";
    ASSERT_EQ(doc.Save(path.string()), True);
    EXPECT_EQ(test::fileContent(path), doc.Rtf());
    std::filesystem::remove(path);
}

TEST_F(LargeDocuments, FailingTableLeavesALargePageAsItWas) {
    auto page = std::make_shared<cPage>();
    for (int i = 0; i < 3000; ++i) page->InsertParagraph(paragraph(repeated('b', 100)));
    const std::string before = test::fragment(*page);

    // Rows enough to fill several pieces, then a cell that is missing.
    CellArray cells({{1, 2}, {1, 3000}});
    auto cell = std::make_shared<cCell>();
    cell->InsertParagraph(paragraph(repeated('c', 200)));
    for (int r = 1; r <= 3000; ++r)
        for (int c = 1; c <= 2; ++c) cells.at({c, r}) = cell;
    cells.at({2, 2999}) = nullptr;
    EXPECT_EQ(errorOf([&] { page->InsertTable(cells); }), 91);
    EXPECT_EQ(test::fragment(*page), before);

    cells.at({2, 2999}) = cell;
    EXPECT_EQ(page->InsertTable(cells), True);
    std::string after = test::fragment(*page);
    EXPECT_EQ(after.substr(0, before.size() - 7), before.substr(0, before.size() - 7));
    EXPECT_TRUE(after.ends_with("\\cell\\row\r\n\\pard\r\n}\\page "));
}

TEST_F(LargeDocuments, ALargeParagraphInTwoPagesAndTakenTwice) {
    auto p = paragraph(repeated('d', 3 * Chunks::PieceSize));
    cPage one, two;
    one.InsertParagraph(p);
    const std::string first = test::fragment(one);
    two.InsertParagraph(p);  // taken a second time: the first wrapping nests
    EXPECT_EQ(test::fragment(one), first);
    std::string inner = first.substr(1, first.size() - 1 - 5 - 7);  // without "{", "\pard" and "}\page "
    std::string nested = test::fragment(two);
    EXPECT_TRUE(nested.starts_with("{{\\pard\\plain" + inner + "}")) << nested.substr(0, 40);
}

TEST(Indexes, FontsAndColoursLookedUpAsEntered) {
    cDocument doc;
    for (int i = 0; i < 3000; ++i) EXPECT_EQ(doc.ColorIndex(0x010000 + i), 3 + i);
    EXPECT_EQ(doc.ColorIndex(0x010000 + 1234), 3 + 1234);
    EXPECT_EQ(doc.ColorIndex(0xFFFFFF), 2);
    for (int i = 0; i < 1000; ++i) EXPECT_EQ(doc.FontIndex("Font " + std::to_string(i)), 1 + i);
    EXPECT_EQ(doc.FontIndex("FONT 999"), 1000);
    EXPECT_EQ(doc.FontIndex("font 0", 161), 1);
    // A name that was the default when first asked is entered later, and a
    // name entered before it became the default gives 0 from then on.
    EXPECT_EQ(doc.FontIndex("arial"), 0);
    doc.FontDefaultName = "Font 5";
    EXPECT_EQ(doc.FontIndex("font 5"), 0);
    EXPECT_EQ(doc.FontIndex("Arial"), 1001);
    EXPECT_EQ(doc.FontIndex("ARIAL"), 1001);
}

TEST(Indexes, ReferencesResolveAlikeWhereverTheTextIsCut) {
    std::string text = "{";
    detail::appendRef(text, "\\f", detail::Ref::Font, 1);
    detail::appendRef(text, "\\cf", detail::Ref::Color, 2);
    text += " x}";
    detail::appendRef(text, "\\s", detail::Ref::Style, -1);
    detail::appendRef(text, "\\ls", detail::Ref::List, 12);
    detail::IndexMaps maps;
    maps.fonts = {5, 7};
    maps.colors = {0, 40};
    maps.listShift = 4;
    const detail::IndexMaps* const kinds[] = {nullptr, &maps};
    for (const detail::IndexMaps* m : kinds) {
        const std::string whole = detail::resolved(text, m);
        // A style the maps never gave (-1) is Normal in the whole.
        EXPECT_EQ(whole, m ? "{\\f7\\cf40 x}\\s0\\ls16" : "{\\f1\\cf2 x}\\s-1\\ls12");
        for (std::size_t cut = 0; cut <= text.size(); ++cut)
            for (std::size_t second = cut; second <= text.size(); ++second) {
                std::string out;
                auto append = [&](std::string_view piece) { out.append(piece); };
                detail::RefResolver resolver(m);
                resolver.feed(std::string_view(text).substr(0, cut), append);
                resolver.feed(std::string_view(text).substr(cut, second - cut), append);
                resolver.feed(std::string_view(text).substr(second), append);
                resolver.finish(append);
                EXPECT_EQ(out, whole) << cut << " " << second;
            }
    }
}

// A record may lie across two pieces of a text: a paragraph's records read
// at every two cuts write what they write whole.
TEST(Records, ReadAlikeWhereverTheTextIsCut) {
    cPage page;
    auto p = std::make_shared<cParagraph>();
    auto run = std::make_shared<cText>();
    run->Text("first");
    run->Bookmark = "here";
    p->InsertText(run);
    p->ListStyle = lNumber;
    p->OutlineLevel = 2;
    page.InsertParagraph(p);
    auto note = std::make_shared<cParagraph>();
    run->Bookmark.clear();
    run->Text("note");
    note->InsertText(run);
    p->InsertFootnote(note);
    run->ContentsLevels = 3;
    p->InsertText(run);
    const rtf::ParagraphText text = Access::text(*p);
    std::string whole;
    rtf::appendContent(whole, text);
    const std::string records = text.content.str();
    for (std::size_t cut = 0; cut <= records.size(); ++cut)
        for (std::size_t second = cut; second <= records.size(); ++second) {
            const std::string_view all(records);
            detail::Cursor in({all.substr(0, cut), all.substr(cut, second - cut), all.substr(second)});
            std::string out = text.opened ? std::string(rtf::Opening) : std::string();
            rtf::Output to(out, false);
            const rtf::Gathered none;
            rtf::Walker walker(none, to);
            walker.items(in);
            if (text.marked) out += rtf::Mark;
            ASSERT_EQ(out, whole) << cut << " " << second;
        }
}

}  // namespace
}  // namespace velloran
