// cParagraph: the unit of running text.
#pragma once

#include <memory>
#include <string>

#include <velloran/chunks.hpp>
#include <velloran/fwd.hpp>
#include <velloran/types.hpp>

namespace velloran {

class cParagraph {
public:
    cParagraph();

    vlRTFAlignment Align = aLeft;           // 0 to 3; any other value writes no paragraph wrapper
    std::shared_ptr<cBorder> Border;        // a new cBorder of the paragraph's own
    std::int32_t IndentFirstLine = 0;       // twips, written as \fi
    std::int32_t IndentLeft = 0;            // \li
    std::int32_t IndentRight = 0;           // \ri
    std::int32_t SpaceBefore = 0;           // \sb
    std::int32_t SpaceAfter = 0;            // \sa
    std::int32_t SpaceBetweenLines = 0;     // \sl

    // Append the run as it is now; a null run or an empty text appends
    // nothing and still returns True. Error 6 when the run's size overflows.
    Boolean InsertText(const std::shared_ptr<cText>& Text);
    // Append the drawing group as it is now; False for a null drawing.
    Boolean InsertDrawing(const std::shared_ptr<cDrawing>& Drawing);
    // Convert the picture's file to a metafile and append its picture group;
    // False for a null picture or a file that cannot be converted.
    Boolean InsertPicture(const std::shared_ptr<cPicture>& Picture);

private:
    friend struct detail::Access;

    // Append the wrapped paragraph (group, indents, border, alignment and
    // paragraph mark) for the current content to out; changes nothing.
    // Error 91 when Border is null.
    void appendWrapped(std::string& out) const;
    // What follows the content in the wrapped paragraph: "}", indents,
    // spacing, border, alignment and paragraph mark.
    void appendTrailer(std::string& out) const;
    // The paragraph as a page or cell takes it: the wrapped text replaces the
    // content, so a second taking nests the first.
    const detail::Chunks& takeRtf();

    detail::Chunks contentRtf_;
};

}  // namespace velloran
