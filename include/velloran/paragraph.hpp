// cParagraph: the unit of running text.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <velloran/fwd.hpp>
#include <velloran/own_state.hpp>
#include <velloran/types.hpp>

namespace velloran {

class cParagraph {
public:
    VELLORAN_API cParagraph();
    // Copies are independent objects with the same content.
    VELLORAN_API cParagraph(const cParagraph& other);
    VELLORAN_API cParagraph& operator=(const cParagraph& other);
    VELLORAN_API cParagraph(cParagraph&& other) noexcept;
    VELLORAN_API cParagraph& operator=(cParagraph&& other) noexcept;
    VELLORAN_API ~cParagraph();

    vlRTFAlignment Align = aLeft;        // 0 to 3; any other value writes no paragraph wrapper
    std::shared_ptr<cBorder> Border;     // a new cBorder of the paragraph's own
    std::int32_t IndentFirstLine = 0;    // twips, written as \fi
    std::int32_t IndentLeft = 0;         // \li
    std::int32_t IndentRight = 0;        // \ri
    std::int32_t SpaceBefore = 0;        // \sb
    std::int32_t SpaceAfter = 0;         // \sa
    std::int32_t SpaceBetweenLines = 0;  // \sl

    // A list item: lBullet or lNumber, at ListLevel 0 to 8 (0 the outermost;
    // values outside count as the nearest), and the list it belongs to. In a
    // document, the paragraphs of one kind with the same ListId form one
    // list: numbers run on across them, whatever stands between, and another
    // id starts again at 1. lNone, or a value outside the enumeration, makes
    // no list item.
    vlRTFList ListStyle = lNone;
    std::int32_t ListLevel = 0;
    std::int32_t ListId = 1;  // 1 or more; less counts as 1

    // Pagination: kept on the page of the paragraph after it (\keepn), its
    // lines kept on one page (\keep), a new page before it (\pagebb). Only
    // True counts; WidowControl other than True lets a page end leave a lone
    // first or last line of it (\nowidctlpar).
    Boolean KeepWithNext = False;
    Boolean KeepTogether = False;
    Boolean PageBreakBefore = False;
    Boolean WidowControl = True;
    // Right to left: the paragraph's lines start at the right (\rtlpar).
    Boolean RightToLeft = False;
    // Line spacing as a multiple of single spacing (1.5, 2 for double); not
    // above 0 leaves it to SpaceBetweenLines. Error 6 at insertion when 240
    // times it passes 32 bits.
    float LineSpacingMultiple = 0.0f;
    // A heading's level in the outline, 1 to 9, which readers show in their
    // navigation and PDF bookmarks; other values make no heading.
    std::int32_t OutlineLevel = 0;
    // The paragraph's style, an index from cDocument::StyleIndex; 0, Normal,
    // writes none.
    std::int32_t StyleIndex = 0;

    // A tab stop at Position twips from the left margin (in a table's cell,
    // LibreOffice counts from the cell's left edge), for the text after
    // a tab in the runs ("\t"): aligned on it as Alignment says, the space
    // before it filled as Leader says (values outside the enumerations
    // count as tLeft and tlNone). Stops are written in the order added;
    // always True. Error 5 for a negative position, the paragraph unchanged.
    VELLORAN_API Boolean AddTabStop(std::int32_t Position, vlRTFTabAlignment Alignment = tLeft,
                                    vlRTFTabLeader Leader = tlNone);
    // Removes every tab stop added; always True.
    VELLORAN_API Boolean ClearTabStops();

    // Append the run as it is now; a null run or an empty text appends
    // nothing and still returns True. Error 6 when the run's size overflows.
    VELLORAN_API Boolean InsertText(const std::shared_ptr<cText>& Text);
    // Append the drawing group as it is now; False for a null drawing.
    VELLORAN_API Boolean InsertDrawing(const std::shared_ptr<cDrawing>& Drawing);
    // Convert the picture's file to a metafile and append its picture group;
    // False for a null picture or a file that cannot be converted.
    VELLORAN_API Boolean InsertPicture(const std::shared_ptr<cPicture>& Picture);
    // Append a footnote mark, numbered by the reader, and the note paragraph
    // as it is now at the foot of the page; False for a null note or the
    // paragraph itself. Error 91 when the note's Border is null.
    VELLORAN_API Boolean InsertFootnote(const std::shared_ptr<cParagraph>& Note);
    // The same for an endnote, which readers gather at the end of the
    // document and number apart from the footnotes (i, ii, ... in Word).
    VELLORAN_API Boolean InsertEndnote(const std::shared_ptr<cParagraph>& Note);

private:
    friend struct Access;

    Boolean insertNote(const std::shared_ptr<cParagraph>& Note, bool endnote);

    struct TabStop {
        std::int32_t position;
        vlRTFTabAlignment alignment;
        vlRTFTabLeader leader;
    };
    std::vector<TabStop> tabStops_;
    // The text taken from inserted children, which only the library reads.
    struct State;
    OwnState<State> state_;
    // A moved-from object has no state: reading it reads an empty one, and
    // changing it gives it a new one.
    State& state();
    const State& state() const;
};

}  // namespace velloran
