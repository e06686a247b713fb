// cParagraph: the unit of running text.
#pragma once

#include <cstdint>
#include <memory>

#include <velloran/fwd.hpp>
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
    VELLORAN_API Boolean InsertText(const std::shared_ptr<cText>& Text);
    // Append the drawing group as it is now; False for a null drawing.
    VELLORAN_API Boolean InsertDrawing(const std::shared_ptr<cDrawing>& Drawing);
    // Convert the picture's file to a metafile and append its picture group;
    // False for a null picture or a file that cannot be converted.
    VELLORAN_API Boolean InsertPicture(const std::shared_ptr<cPicture>& Picture);

private:
    friend struct Access;

    // The text taken from inserted children, which only the library reads.
    struct State;
    std::unique_ptr<State> state_;
    // A moved-from object has no state: reading it reads an empty one, and
    // changing it gives it a new one.
    State& state();
    const State& state() const;
};

}  // namespace velloran
