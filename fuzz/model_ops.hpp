// The byte code of the object-model fuzzer, shared with its seed writer.
//
// An input is a sequence of operations. Each starts with an opcode byte
// (taken modulo OpCount) followed by its operands; an input that ends early
// reads zeros. Classes, slots and kinds are taken modulo their counts, so
// every byte string is a valid program.
#pragma once

#include <cstdint>

namespace velloran::fuzz {

enum Op : std::uint8_t {
    OpNew,     // class, slot: a fresh object in the slot
    OpSet,     // class, slot, field, value: any value into any field
    OpInsert,  // relation, target slot, child slot (an empty slot passes a null object)
    OpAssign,  // reference, target slot, source slot (an empty slot clears it)
    OpTable,   // page slot, dimension count, bounds per dimension, a slot byte per element
    OpSave,    // document slot, target
    OpFont,    // document slot, text, character set value
    OpColor,   // document slot, value
    OpMove,    // class, target slot, source slot: the source's object moved into the target's (a new one when empty)
    OpOutOfMemory,  // count: the next call's allocations fail from the count-th on
    OpThread,       // the next operation runs in a thread of its own
    OpCount
};

enum Class : std::uint8_t {
    ClsDocument,
    ClsPage,
    ClsCell,
    ClsParagraph,
    ClsText,
    ClsBorder,
    ClsPicture,
    ClsDrawing,
    ClsLine,
    ClsRect,
    ClsEllipse,
    ClsPolyline,
    ClsPolygon,
    ClsPoint,
    ClsDrawingText,
    ClassCount
};

enum Relation : std::uint8_t {
    InsPage,           // document <- page
    InsPageParagraph,  // page <- paragraph
    InsCellParagraph,  // cell <- paragraph
    InsText,           // paragraph <- run
    InsDrawing,        // paragraph <- drawing
    InsPicture,        // paragraph <- picture
    InsDrawingText,    // drawing <- text box
    InsEllipse,        // drawing <- ellipse
    InsPolygon,        // drawing <- polygon
    InsPolyline,       // drawing <- polyline
    InsLine,           // drawing <- line
    InsRect,           // drawing <- rectangle
    InsPolylinePoint,  // polyline <- point
    InsPolygonPoint,   // polygon <- point
    RelationCount
};

enum Reference : std::uint8_t {
    RefHeader,           // document.Header = paragraph
    RefFooter,           // document.Footer = paragraph
    RefParagraphBorder,  // paragraph.Border = border
    RefCellBorder,       // cell.Border = border
    RefPictureBorder,    // picture.Border = border
    RefBoxText,          // text box.Text(run)
    RefPageHeader,       // document.PageHeader = page
    RefPageFooter,       // document.PageFooter = page
    RefFirstPageHeader,  // document.FirstPageHeader = page
    RefFirstPageFooter,  // document.FirstPageFooter = page
    RefEvenPageHeader,   // document.EvenPageHeader = page
    RefEvenPageFooter,   // document.EvenPageFooter = page
    RefSectionHeader,    // page.PageHeader = page (never a ring)
    RefSectionFooter,    // page.PageFooter = page (never a ring)
    ReferenceCount
};

// Objects of each class an input can hold at once; slots 0 and 1 start
// filled, the others empty.
inline constexpr int Slots = 4;

// Value bytes below this pick an entry of the fuzzer's table of special
// values; from it on, the next four bytes are the value.
inline constexpr std::uint8_t RawValue = 0xF0;

// Text bytes: a length byte (modulo 32), then per piece a byte that is the
// character itself below TextPiece, or picks a hostile piece of text.
inline constexpr std::uint8_t TextPiece = 0xE0;

}  // namespace velloran::fuzz
