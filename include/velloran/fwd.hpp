// Forward declarations of the fifteen classes.
#pragma once

namespace velloran {
class cDocument;
class cPage;
class cCell;
class cParagraph;
class cText;
class cBorder;
class cPicture;
class cDrawing;
class cLine;
class cRect;
class cEllipse;
class cPolyline;
class cPolygon;
class cPoint;
class cDrawingText;

namespace detail {
// Grants the library's own classes access to each other's fragment writers
// (the friend operations), which are no part of the public interface.
struct Access;
}  // namespace detail
}  // namespace velloran
