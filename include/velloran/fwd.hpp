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

// The library's own access to what the classes keep private: their text and
// the writers of their fragments, which are no part of the public interface.
struct Access;
}  // namespace velloran
