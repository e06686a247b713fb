// The automation objects of the fifteen classes. Each one forwards to the core
// object it holds; the only state of its own is the automation objects that
// stand for its object-valued fields.
#include "com/classes.hpp"

#include <vector>

#include <velloran/velloran.hpp>

#include "com/object.hpp"

namespace velloran::com {
namespace {

// A field: put stores the value unchanged, get returns what was stored.
#define VELLORAN_FIELD(Type, Name)                                                                  \
    HRESULT STDMETHODCALLTYPE get_##Name(Type* value) override { return read(value, core().Name); } \
    HRESULT STDMETHODCALLTYPE put_##Name(Type value) override { return write(core().Name, value); }

// A procedure property of the core: a getter and a setter of the same name.
#define VELLORAN_PROCEDURE(Type, Name)                                                                \
    HRESULT STDMETHODCALLTYPE get_##Name(Type* value) override { return read(value, core().Name()); } \
    HRESULT STDMETHODCALLTYPE put_##Name(Type value) override {                                       \
        return guard([&] { core().Name(value); });                                                    \
    }

// An object-valued field, held by reference with its automation object.
#define VELLORAN_OBJECT_FIELD(Wrapper, Name)                                           \
    HRESULT STDMETHODCALLTYPE get_##Name(Wrapper::FirstInterface** value) override {   \
        return guard([&] { held##Name##_.get(core().Name, value); });                  \
    }                                                                                  \
    HRESULT STDMETHODCALLTYPE putref_##Name(Wrapper::FirstInterface* value) override { \
        return guard([&] { held##Name##_.set(core().Name, value); });                  \
    }                                                                                  \
    Held<Wrapper> held##Name##_;

#define VELLORAN_FIELD_MEMBERS(Name, id) \
    M::get<&Self::get_##Name>(L## #Name, id), M::put<&Self::put_##Name>(L## #Name, id)
#define VELLORAN_OBJECT_MEMBERS(Name, id) \
    M::get<&Self::get_##Name>(L## #Name, id), M::putref<&Self::putref_##Name>(L## #Name, id)

// Fill and pen of every shape but the line, from the given first identifier on.
#define VELLORAN_FILL_AND_PEN              \
    VELLORAN_FIELD(LONG, PenWidth)         \
    VELLORAN_FIELD(LONG, PenRGBColor)      \
    VELLORAN_FIELD(LONG, FillBackRGBColor) \
    VELLORAN_FIELD(LONG, FillForeRGBColor) \
    VELLORAN_FIELD(LONG, FillPattern)
#define VELLORAN_FILL_AND_PEN_MEMBERS(first)                                                                          \
    VELLORAN_FIELD_MEMBERS(PenWidth, (first)), VELLORAN_FIELD_MEMBERS(PenRGBColor, (first) + 1),                      \
        VELLORAN_FIELD_MEMBERS(FillBackRGBColor, (first) + 2), VELLORAN_FIELD_MEMBERS(FillForeRGBColor, (first) + 3), \
        VELLORAN_FIELD_MEMBERS(FillPattern, (first) + 4)

#define VELLORAN_BOX_FIELDS      \
    VELLORAN_FIELD(LONG, x)      \
    VELLORAN_FIELD(LONG, y)      \
    VELLORAN_FIELD(LONG, Width)  \
    VELLORAN_FIELD(LONG, Height) \
    VELLORAN_FILL_AND_PEN
#define VELLORAN_BOX_MEMBERS                                                                   \
    VELLORAN_FIELD_MEMBERS(x, 0x40030000), VELLORAN_FIELD_MEMBERS(y, 0x40030001),              \
        VELLORAN_FIELD_MEMBERS(Width, 0x40030002), VELLORAN_FIELD_MEMBERS(Height, 0x40030003), \
        VELLORAN_FILL_AND_PEN_MEMBERS(0x40030004)

class BorderObject final : public Object<BorderObject, _cBorder, cBorder> {
public:
    using Object::Object;
    VELLORAN_FIELD(LONG, TopWidth)
    VELLORAN_FIELD(LONG, LeftWidth)
    VELLORAN_FIELD(LONG, BottomWidth)
    VELLORAN_FIELD(LONG, RightWidth)
    VELLORAN_FIELD(VARIANT_BOOL, TopVisible)
    VELLORAN_FIELD(VARIANT_BOOL, LeftVisible)
    VELLORAN_FIELD(VARIANT_BOOL, BottomVisible)
    VELLORAN_FIELD(VARIANT_BOOL, RightVisible)
    VELLORAN_FIELD(::vlRTFBorderType, BorderType)
    VELLORAN_FIELD(LONG, BorderColorIndex)

    static Table table() {
        using Self = BorderObject;
        using M = Members<Self>;
        static const Member members[] = {
            VELLORAN_FIELD_MEMBERS(TopWidth, 0x40030000),      VELLORAN_FIELD_MEMBERS(LeftWidth, 0x40030001),
            VELLORAN_FIELD_MEMBERS(BottomWidth, 0x40030002),   VELLORAN_FIELD_MEMBERS(RightWidth, 0x40030003),
            VELLORAN_FIELD_MEMBERS(TopVisible, 0x40030004),    VELLORAN_FIELD_MEMBERS(LeftVisible, 0x40030005),
            VELLORAN_FIELD_MEMBERS(BottomVisible, 0x40030006), VELLORAN_FIELD_MEMBERS(RightVisible, 0x40030007),
            VELLORAN_FIELD_MEMBERS(BorderType, 0x40030008),    VELLORAN_FIELD_MEMBERS(BorderColorIndex, 0x40030009),
        };
        return members;
    }
};

class TextObject final : public Object<TextObject, _cText3, cText> {
public:
    using Object::Object;
    VELLORAN_FIELD(LONG, FontIndex)
    VELLORAN_FIELD(LONG, Height)
    VELLORAN_FIELD(VARIANT_BOOL, Bold)
    VELLORAN_FIELD(VARIANT_BOOL, Italic)
    VELLORAN_FIELD(VARIANT_BOOL, Strike)
    VELLORAN_FIELD(LONG, ForeColorIndex)
    VELLORAN_FIELD(LONG, BackColorIndex)
    VELLORAN_PROCEDURE(VARIANT_BOOL, Underline)
    VELLORAN_PROCEDURE(VARIANT_BOOL, UnderlineDot)
    VELLORAN_PROCEDURE(VARIANT_BOOL, UnderlineDouble)
    VELLORAN_PROCEDURE(VARIANT_BOOL, UnderlineWords)
    HRESULT STDMETHODCALLTYPE put_Text(BSTR value) override {
        return guard([&] { core().Text(toUtf8(value)); });
    }
    VELLORAN_FIELD(::vlRTFField, Field)
    VELLORAN_FIELD(BSTR, Link)
    VELLORAN_FIELD(::vlRTFVerticalPosition, VerticalPosition)
    VELLORAN_FIELD(VARIANT_BOOL, SmallCaps)
    VELLORAN_FIELD(VARIANT_BOOL, AllCaps)
    VELLORAN_FIELD(VARIANT_BOOL, Hidden)
    VELLORAN_FIELD(LONG, HighlightColorIndex)
    VELLORAN_FIELD(LONG, CharacterSpacing)
    VELLORAN_FIELD(BSTR, Bookmark)
    VELLORAN_FIELD(BSTR, LinkToBookmark)
    VELLORAN_FIELD(LONG, ContentsLevels)
    HRESULT STDMETHODCALLTYPE get_RawRtf(BSTR* value) override {
        if (!value) return E_POINTER;
        return guard([&] { *value = toBstr(core().RawRtf()); });
    }
    HRESULT STDMETHODCALLTYPE put_RawRtf(BSTR value) override {
        return guard([&] { core().RawRtf(toUtf8(value)); });
    }

    static Table table() {
        using Self = TextObject;
        using M = Members<Self>;
        static const Member members[] = {
            VELLORAN_FIELD_MEMBERS(FontIndex, 0x40030000),
            VELLORAN_FIELD_MEMBERS(Height, 0x40030001),
            VELLORAN_FIELD_MEMBERS(Bold, 0x40030002),
            VELLORAN_FIELD_MEMBERS(Italic, 0x40030003),
            VELLORAN_FIELD_MEMBERS(Strike, 0x40030004),
            VELLORAN_FIELD_MEMBERS(ForeColorIndex, 0x40030005),
            VELLORAN_FIELD_MEMBERS(BackColorIndex, 0x40030006),
            VELLORAN_FIELD_MEMBERS(Underline, 0x68030005),
            VELLORAN_FIELD_MEMBERS(UnderlineDot, 0x68030004),
            VELLORAN_FIELD_MEMBERS(UnderlineDouble, 0x68030003),
            VELLORAN_FIELD_MEMBERS(UnderlineWords, 0x68030002),
            M::put<&Self::put_Text>(L"Text", 0x68030000),
            VELLORAN_FIELD_MEMBERS(Field, 0x40040000),
            VELLORAN_FIELD_MEMBERS(Link, 0x40040001),
            VELLORAN_FIELD_MEMBERS(VerticalPosition, 0x40050000),
            VELLORAN_FIELD_MEMBERS(SmallCaps, 0x40050001),
            VELLORAN_FIELD_MEMBERS(AllCaps, 0x40050002),
            VELLORAN_FIELD_MEMBERS(Hidden, 0x40050003),
            VELLORAN_FIELD_MEMBERS(HighlightColorIndex, 0x40050004),
            VELLORAN_FIELD_MEMBERS(CharacterSpacing, 0x40050005),
            VELLORAN_FIELD_MEMBERS(Bookmark, 0x40050006),
            VELLORAN_FIELD_MEMBERS(LinkToBookmark, 0x40050007),
            VELLORAN_FIELD_MEMBERS(ContentsLevels, 0x40050008),
            M::get<&Self::get_RawRtf>(L"RawRtf", 0x40050009),
            M::put<&Self::put_RawRtf>(L"RawRtf", 0x40050009),
        };
        return members;
    }
};

class PointObject final : public Object<PointObject, _cPoint, cPoint> {
public:
    using Object::Object;
    VELLORAN_FIELD(LONG, x)
    VELLORAN_FIELD(LONG, y)

    static Table table() {
        using Self = PointObject;
        using M = Members<Self>;
        static const Member members[] = {VELLORAN_FIELD_MEMBERS(x, 0x40030000), VELLORAN_FIELD_MEMBERS(y, 0x40030001)};
        return members;
    }
};

class LineObject final : public Object<LineObject, _cLine, cLine> {
public:
    using Object::Object;
    VELLORAN_FIELD(LONG, x1)
    VELLORAN_FIELD(LONG, y1)
    VELLORAN_FIELD(LONG, x2)
    VELLORAN_FIELD(LONG, y2)
    VELLORAN_FIELD(LONG, PenWidth)
    VELLORAN_FIELD(LONG, PenRGBColor)

    static Table table() {
        using Self = LineObject;
        using M = Members<Self>;
        static const Member members[] = {
            VELLORAN_FIELD_MEMBERS(x1, 0x40030000),       VELLORAN_FIELD_MEMBERS(y1, 0x40030001),
            VELLORAN_FIELD_MEMBERS(x2, 0x40030002),       VELLORAN_FIELD_MEMBERS(y2, 0x40030003),
            VELLORAN_FIELD_MEMBERS(PenWidth, 0x40030004), VELLORAN_FIELD_MEMBERS(PenRGBColor, 0x40030005),
        };
        return members;
    }
};

class RectObject final : public Object<RectObject, _cRect, cRect> {
public:
    using Object::Object;
    VELLORAN_BOX_FIELDS

    static Table table() {
        using Self = RectObject;
        using M = Members<Self>;
        static const Member members[] = {VELLORAN_BOX_MEMBERS};
        return members;
    }
};

class EllipseObject final : public Object<EllipseObject, _cEllipse, cEllipse> {
public:
    using Object::Object;
    VELLORAN_BOX_FIELDS

    static Table table() {
        using Self = EllipseObject;
        using M = Members<Self>;
        static const Member members[] = {VELLORAN_BOX_MEMBERS};
        return members;
    }
};

// Polylines and polygons share their members and differ in the core class.
#define VELLORAN_POINT_SHAPE(Class, Interface, Core)                                                  \
    class Class final : public Object<Class, Interface, Core> {                                       \
    public:                                                                                           \
        using Object::Object;                                                                         \
        VELLORAN_FILL_AND_PEN                                                                         \
        HRESULT STDMETHODCALLTYPE InsertPoint(_cPoint** Point, VARIANT_BOOL* result) override {       \
            return insert<PointObject>(Point, result, [&](auto p) { return core().InsertPoint(p); }); \
        }                                                                                             \
        static Table table() {                                                                        \
            using Self = Class;                                                                       \
            using M = Members<Self>;                                                                  \
            static const Member members[] = {                                                         \
                VELLORAN_FILL_AND_PEN_MEMBERS(0x40030001),                                            \
                M::method<&Self::InsertPoint>(L"InsertPoint", 0x60030006, L"Point"),                  \
            };                                                                                        \
            return members;                                                                           \
        }                                                                                             \
    };

VELLORAN_POINT_SHAPE(PolylineObject, _cPolyline, cPolyline)
VELLORAN_POINT_SHAPE(PolygonObject, _cPolygon, cPolygon)

class DrawingTextObject final : public Object<DrawingTextObject, _cDrawingText, cDrawingText> {
public:
    using Object::Object;
    VELLORAN_BOX_FIELDS
    // The text box keeps the run itself and renders it when it is inserted.
    HRESULT STDMETHODCALLTYPE put_Text(_cText* value) override {
        return guard([&] {
            TextObject* text = TextObject::of(value);
            core().Text(text ? text->shared() : nullptr);
        });
    }

    static Table table() {
        using Self = DrawingTextObject;
        using M = Members<Self>;
        static const Member members[] = {VELLORAN_BOX_MEMBERS, M::put<&Self::put_Text>(L"Text", 0x68030000)};
        return members;
    }
};

class DrawingObject final : public Object<DrawingObject, _cDrawing, cDrawing> {
public:
    using Object::Object;
    HRESULT STDMETHODCALLTYPE InsertText(_cDrawingText** Text, VARIANT_BOOL* result) override {
        return insert<DrawingTextObject>(Text, result, [&](auto s) { return core().InsertText(s); });
    }
    HRESULT STDMETHODCALLTYPE InsertEllipse(_cEllipse** Ellipse, VARIANT_BOOL* result) override {
        return insert<EllipseObject>(Ellipse, result, [&](auto s) { return core().InsertEllipse(s); });
    }
    HRESULT STDMETHODCALLTYPE InsertPolygon(_cPolygon** Polygon, VARIANT_BOOL* result) override {
        return insert<PolygonObject>(Polygon, result, [&](auto s) { return core().InsertPolygon(s); });
    }
    HRESULT STDMETHODCALLTYPE InsertPolyline(_cPolyline** Polyline, VARIANT_BOOL* result) override {
        return insert<PolylineObject>(Polyline, result, [&](auto s) { return core().InsertPolyline(s); });
    }
    HRESULT STDMETHODCALLTYPE InsertLine(_cLine** Line, VARIANT_BOOL* result) override {
        return insert<LineObject>(Line, result, [&](auto s) { return core().InsertLine(s); });
    }
    HRESULT STDMETHODCALLTYPE InsertRect(_cRect** Rect, VARIANT_BOOL* result) override {
        return insert<RectObject>(Rect, result, [&](auto s) { return core().InsertRect(s); });
    }

    static Table table() {
        using Self = DrawingObject;
        using M = Members<Self>;
        static const Member members[] = {
            M::method<&Self::InsertText>(L"InsertText", 0x60030002, L"Text"),
            M::method<&Self::InsertEllipse>(L"InsertEllipse", 0x60030003, L"Ellipse"),
            M::method<&Self::InsertPolygon>(L"InsertPolygon", 0x60030004, L"Polygon"),
            M::method<&Self::InsertPolyline>(L"InsertPolyline", 0x60030005, L"Polyline"),
            M::method<&Self::InsertLine>(L"InsertLine", 0x60030006, L"Line"),
            M::method<&Self::InsertRect>(L"InsertRect", 0x60030007, L"Rect"),
        };
        return members;
    }
};

class PictureObject final : public Object<PictureObject, _cPicture3, cPicture> {
public:
    using Object::Object;
    VELLORAN_FIELD(BSTR, File)
    VELLORAN_FIELD(LONG, Width)
    VELLORAN_FIELD(LONG, Height)
    VELLORAN_FIELD(float, ScaleFactor)
    VELLORAN_OBJECT_FIELD(BorderObject, Border)
    VELLORAN_FIELD(::vlRTFPictureEmbedding, Embedding)
    VELLORAN_FIELD(LONG, WidthTwips)
    VELLORAN_FIELD(LONG, HeightTwips)
    VELLORAN_FIELD(VARIANT_BOOL, UseFileResolution)

    static Table table() {
        using Self = PictureObject;
        using M = Members<Self>;
        static const Member members[] = {
            VELLORAN_FIELD_MEMBERS(File, 0x40030000),
            VELLORAN_FIELD_MEMBERS(Width, 0x40030001),
            VELLORAN_FIELD_MEMBERS(Height, 0x40030002),
            VELLORAN_FIELD_MEMBERS(ScaleFactor, 0x40030003),
            VELLORAN_OBJECT_MEMBERS(Border, 0x40030004),
            VELLORAN_FIELD_MEMBERS(Embedding, 0x40040000),
            VELLORAN_FIELD_MEMBERS(WidthTwips, 0x40050000),
            VELLORAN_FIELD_MEMBERS(HeightTwips, 0x40050001),
            VELLORAN_FIELD_MEMBERS(UseFileResolution, 0x40050002),
        };
        return members;
    }
};

class ParagraphObject final : public Object<ParagraphObject, _cParagraph3, cParagraph> {
public:
    using Object::Object;
    VELLORAN_FIELD(::vlRTFAlignment, Align)
    VELLORAN_OBJECT_FIELD(BorderObject, Border)
    VELLORAN_FIELD(LONG, IndentFirstLine)
    VELLORAN_FIELD(LONG, IndentLeft)
    VELLORAN_FIELD(LONG, IndentRight)
    VELLORAN_FIELD(LONG, SpaceBefore)
    VELLORAN_FIELD(LONG, SpaceAfter)
    VELLORAN_FIELD(LONG, SpaceBetweenLines)
    HRESULT STDMETHODCALLTYPE InsertText(_cText** Text, VARIANT_BOOL* result) override {
        return insert<TextObject>(Text, result, [&](auto t) { return core().InsertText(t); });
    }
    HRESULT STDMETHODCALLTYPE InsertDrawing(_cDrawing** Drawing, VARIANT_BOOL* result) override {
        return insert<DrawingObject>(Drawing, result, [&](auto d) { return core().InsertDrawing(d); });
    }
    HRESULT STDMETHODCALLTYPE InsertPicture(_cPicture** Picture, VARIANT_BOOL* result) override {
        return insert<PictureObject>(Picture, result, [&](auto p) { return core().InsertPicture(p); });
    }
    VELLORAN_FIELD(::vlRTFList, ListStyle)
    VELLORAN_FIELD(LONG, ListLevel)
    VELLORAN_FIELD(LONG, ListId)
    HRESULT STDMETHODCALLTYPE InsertFootnote(_cParagraph** Note, VARIANT_BOOL* result) override;
    VELLORAN_FIELD(VARIANT_BOOL, KeepWithNext)
    VELLORAN_FIELD(VARIANT_BOOL, KeepTogether)
    VELLORAN_FIELD(VARIANT_BOOL, PageBreakBefore)
    VELLORAN_FIELD(VARIANT_BOOL, WidowControl)
    VELLORAN_FIELD(float, LineSpacingMultiple)
    VELLORAN_FIELD(LONG, OutlineLevel)
    VELLORAN_FIELD(LONG, StyleIndex)
    HRESULT STDMETHODCALLTYPE AddTabStop(LONG Position, ::vlRTFTabAlignment Alignment, ::vlRTFTabLeader Leader,
                                         VARIANT_BOOL* result) override {
        if (!result) return E_POINTER;
        return guard([&] {
            *result = core().AddTabStop(Position, static_cast<vlRTFTabAlignment>(Alignment),
                                        static_cast<vlRTFTabLeader>(Leader));
        });
    }
    HRESULT STDMETHODCALLTYPE ClearTabStops(VARIANT_BOOL* result) override {
        if (!result) return E_POINTER;
        return guard([&] { *result = core().ClearTabStops(); });
    }

    static Table table() {
        using Self = ParagraphObject;
        using M = Members<Self>;
        static const Member members[] = {
            VELLORAN_FIELD_MEMBERS(Align, 0x40030000),
            VELLORAN_OBJECT_MEMBERS(Border, 0x40030001),
            VELLORAN_FIELD_MEMBERS(IndentFirstLine, 0x40030002),
            VELLORAN_FIELD_MEMBERS(IndentLeft, 0x40030003),
            VELLORAN_FIELD_MEMBERS(IndentRight, 0x40030004),
            VELLORAN_FIELD_MEMBERS(SpaceBefore, 0x40030005),
            VELLORAN_FIELD_MEMBERS(SpaceAfter, 0x40030006),
            VELLORAN_FIELD_MEMBERS(SpaceBetweenLines, 0x40030007),
            M::method<&Self::InsertText>(L"InsertText", 0x60030002, L"Text"),
            M::method<&Self::InsertDrawing>(L"InsertDrawing", 0x60030003, L"Drawing"),
            M::method<&Self::InsertPicture>(L"InsertPicture", 0x60030004, L"Picture"),
            VELLORAN_FIELD_MEMBERS(ListStyle, 0x40040000),
            VELLORAN_FIELD_MEMBERS(ListLevel, 0x40040001),
            VELLORAN_FIELD_MEMBERS(ListId, 0x40040002),
            M::method<&Self::InsertFootnote>(L"InsertFootnote", 0x60040000, L"Note"),
            VELLORAN_FIELD_MEMBERS(KeepWithNext, 0x40050000),
            VELLORAN_FIELD_MEMBERS(KeepTogether, 0x40050001),
            VELLORAN_FIELD_MEMBERS(PageBreakBefore, 0x40050002),
            VELLORAN_FIELD_MEMBERS(WidowControl, 0x40050003),
            VELLORAN_FIELD_MEMBERS(LineSpacingMultiple, 0x40050004),
            VELLORAN_FIELD_MEMBERS(OutlineLevel, 0x40050005),
            VELLORAN_FIELD_MEMBERS(StyleIndex, 0x40050006),
            M::method<&Self::AddTabStop>(L"AddTabStop", 0x60050000, L"Position Alignment Leader", 0, 2),
            M::method<&Self::ClearTabStops>(L"ClearTabStops", 0x60050001, L""),
        };
        return members;
    }
};

// A paragraph's footnote is a paragraph: defined once the class is complete.
HRESULT ParagraphObject::InsertFootnote(_cParagraph** Note, VARIANT_BOOL* result) {
    return insert<ParagraphObject>(Note, result, [&](auto n) { return core().InsertFootnote(n); });
}

class CellObject final : public Object<CellObject, _cCell3, cCell> {
public:
    using Object::Object;
    VELLORAN_OBJECT_FIELD(BorderObject, Border)
    VELLORAN_FIELD(LONG, BackColorIndex)
    VELLORAN_FIELD(LONG, Width)
    VELLORAN_FIELD(LONG, ColumnSpan)
    VELLORAN_FIELD(LONG, RowSpan)
    VELLORAN_FIELD(::vlRTFVerticalAlignment, VerticalAlignment)
    VELLORAN_FIELD(LONG, PaddingLeft)
    VELLORAN_FIELD(LONG, PaddingTop)
    VELLORAN_FIELD(LONG, PaddingRight)
    VELLORAN_FIELD(LONG, PaddingBottom)
    VELLORAN_FIELD(float, WidthPercent)
    HRESULT STDMETHODCALLTYPE InsertParagraph(_cParagraph** Paragraph, VARIANT_BOOL* result) override {
        return insert<ParagraphObject>(Paragraph, result, [&](auto p) { return core().InsertParagraph(p); });
    }

    static Table table() {
        using Self = CellObject;
        using M = Members<Self>;
        static const Member members[] = {
            VELLORAN_OBJECT_MEMBERS(Border, 0x40030000),
            VELLORAN_FIELD_MEMBERS(BackColorIndex, 0x40030001),
            VELLORAN_FIELD_MEMBERS(Width, 0x40030002),
            M::method<&Self::InsertParagraph>(L"InsertParagraph", 0x60030001, L"Paragraph"),
            VELLORAN_FIELD_MEMBERS(ColumnSpan, 0x40040000),
            VELLORAN_FIELD_MEMBERS(RowSpan, 0x40040001),
            VELLORAN_FIELD_MEMBERS(VerticalAlignment, 0x40050000),
            VELLORAN_FIELD_MEMBERS(PaddingLeft, 0x40050001),
            VELLORAN_FIELD_MEMBERS(PaddingTop, 0x40050002),
            VELLORAN_FIELD_MEMBERS(PaddingRight, 0x40050003),
            VELLORAN_FIELD_MEMBERS(PaddingBottom, 0x40050004),
            VELLORAN_FIELD_MEMBERS(WidthPercent, 0x40050005),
        };
        return members;
    }
};

// The cell behind one element of a cell array: Empty, Null and Nothing are
// no cell; anything but a cCell is a type mismatch.
std::shared_ptr<cCell> cellOf(IUnknown* element) {
    if (!element) return nullptr;
    _cCell* cell = nullptr;
    if (element->QueryInterface(__uuidof(_cCell), reinterpret_cast<void**>(&cell)) != S_OK || !cell)
        throw Error(TypeMismatch);
    struct Release {
        _cCell* p;
        ~Release() { p->Release(); }
    } release{cell};
    return CellObject::of(cell)->shared();
}

std::shared_ptr<cCell> cellOf(const VARIANT& element) {
    const VARIANT* v = valueOf(&element);
    if (!v) throw Error(TypeMismatch);
    if (V_VT(v) == VT_EMPTY || V_VT(v) == VT_NULL) return nullptr;
    IUnknown* object = nullptr;
    if (FAILED(objectOf(v, &object))) throw Error(TypeMismatch);
    return cellOf(object);
}

// A safe array of cells (typed, of IDispatch or IUnknown, or of VARIANT) as
// the core's cell array, with the same dimensions and bounds.
CellArray cellArrayOf(SAFEARRAY* array) {
    if (!array) return CellArray(std::vector<CellArray::Bounds>{});  // an array never dimensioned
    VARTYPE type = VT_EMPTY;
    if (FAILED(SafeArrayGetVartype(array, &type))) {
        if (array->fFeatures & FADF_VARIANT) type = VT_VARIANT;
        else if (array->fFeatures & FADF_DISPATCH) type = VT_DISPATCH;
        else if (array->fFeatures & FADF_UNKNOWN) type = VT_UNKNOWN;
    }
    if (type != VT_VARIANT && type != VT_DISPATCH && type != VT_UNKNOWN) throw Error(TypeMismatch);

    const UINT dimensions = SafeArrayGetDim(array);
    std::vector<CellArray::Bounds> bounds(dimensions);
    for (UINT d = 0; d < dimensions; ++d) {
        LONG lower = 0, upper = 0;
        SafeArrayGetLBound(array, d + 1, &lower);
        SafeArrayGetUBound(array, d + 1, &upper);
        bounds[d] = {lower, upper};
    }
    // The table visits indexes 1 to the upper bound of each dimension and
    // nothing else, so only those elements are taken: whatever stands at
    // index 0 (a heading, say) is never looked at. The core refuses any
    // other array (not two-dimensional, starting above 1, bounds beyond
    // 16 bits, no rows or columns) before it reads an element.
    auto visited = [](const CellArray::Bounds& b) { return b.lower <= 1 && b.upper >= 1 && b.upper <= 32767; };
    if (dimensions != 2 || !visited(bounds[0]) || !visited(bounds[1])) return CellArray(bounds);
    CellArray cells({{1, bounds[0].upper}, {1, bounds[1].upper}});

    if (FAILED(SafeArrayLock(array))) throw Error(errors::SubscriptOutOfRange);
    struct Unlock {
        SAFEARRAY* a;
        ~Unlock() { SafeArrayUnlock(a); }
    } unlock{array};
    for (LONG c = 1; c <= bounds[0].upper; ++c) {
        for (LONG r = 1; r <= bounds[1].upper; ++r) {
            LONG index[2] = {c, r};  // in the order the dimensions are written
            void* element = nullptr;
            if (FAILED(SafeArrayPtrOfIndex(array, index, &element))) throw Error(errors::SubscriptOutOfRange);
            cells.at({c, r}) = type == VT_VARIANT ? cellOf(*static_cast<VARIANT*>(element))
                                                  : cellOf(*static_cast<IUnknown**>(element));
        }
    }
    return cells;
}

// A section's header or footer page: never the page itself, nor one with a
// header or footer of its own, so pages never hold each other in a ring
// that would never be freed (error 5).
#define VELLORAN_SECTION_FIELD(Name)                                                    \
    HRESULT STDMETHODCALLTYPE get_##Name(_cPage** value) override {                     \
        return guard([&] { held##Name##_.get(core().Name, value); });                   \
    }                                                                                   \
    HRESULT STDMETHODCALLTYPE putref_##Name(_cPage* value) override {                   \
        return guard([&] {                                                              \
            if (const PageObject* page = of(value))                                     \
                if (page == this || page->core().PageHeader || page->core().PageFooter) \
                    throw Error(errors::InvalidArgument);                               \
            held##Name##_.set(core().Name, value);                                      \
        });                                                                             \
    }                                                                                   \
    Held<PageObject> held##Name##_;

class PageObject final : public Object<PageObject, _cPage3, cPage> {
public:
    using Object::Object;
    HRESULT STDMETHODCALLTYPE InsertParagraph(_cParagraph** Paragraph, VARIANT_BOOL* result) override {
        return insert<ParagraphObject>(Paragraph, result, [&](auto p) { return core().InsertParagraph(p); });
    }
    HRESULT STDMETHODCALLTYPE InsertTable(SAFEARRAY** oCells, VARIANT_BOOL* result) override {
        if (!oCells || !result) return E_POINTER;
        return guard([&] { *result = core().InsertTable(cellArrayOf(*oCells)); });
    }
    VELLORAN_FIELD(LONG, TableHeaderRows)
    VELLORAN_FIELD(::vlRTFOrientation, Orientation)
    VELLORAN_FIELD(LONG, TableRowHeight)
    VELLORAN_FIELD(VARIANT_BOOL, TableRowHeightExact)
    VELLORAN_FIELD(::vlRTFAlignment, TableAlign)
    VELLORAN_FIELD(LONG, TableIndent)
    VELLORAN_FIELD(VARIANT_BOOL, TableKeepRowsTogether)
    VELLORAN_FIELD(LONG, TableWidth)
    VELLORAN_SECTION_FIELD(PageHeader)
    VELLORAN_SECTION_FIELD(PageFooter)
    VELLORAN_FIELD(LONG, PageNumberStart)
    VELLORAN_FIELD(LONG, PageWidth)
    VELLORAN_FIELD(LONG, PageHeight)
    VELLORAN_FIELD(LONG, PageMarginLeft)
    VELLORAN_FIELD(LONG, PageMarginRight)
    VELLORAN_FIELD(LONG, PageMarginTop)
    VELLORAN_FIELD(LONG, PageMarginBottom)

    static Table table() {
        using Self = PageObject;
        using M = Members<Self>;
        static const Member members[] = {
            M::method<&Self::InsertParagraph>(L"InsertParagraph", 0x60030002, L"Paragraph"),
            M::method<&Self::InsertTable>(L"InsertTable", 0x60030003, L"oCells"),
            VELLORAN_FIELD_MEMBERS(TableHeaderRows, 0x40040000),
            VELLORAN_FIELD_MEMBERS(Orientation, 0x40040001),
            VELLORAN_FIELD_MEMBERS(TableRowHeight, 0x40050000),
            VELLORAN_FIELD_MEMBERS(TableRowHeightExact, 0x40050001),
            VELLORAN_FIELD_MEMBERS(TableAlign, 0x40050002),
            VELLORAN_FIELD_MEMBERS(TableIndent, 0x40050003),
            VELLORAN_FIELD_MEMBERS(TableKeepRowsTogether, 0x40050004),
            VELLORAN_FIELD_MEMBERS(TableWidth, 0x40050005),
            VELLORAN_OBJECT_MEMBERS(PageHeader, 0x40050006),
            VELLORAN_OBJECT_MEMBERS(PageFooter, 0x40050007),
            VELLORAN_FIELD_MEMBERS(PageNumberStart, 0x40050008),
            VELLORAN_FIELD_MEMBERS(PageWidth, 0x40050009),
            VELLORAN_FIELD_MEMBERS(PageHeight, 0x4005000A),
            VELLORAN_FIELD_MEMBERS(PageMarginLeft, 0x4005000B),
            VELLORAN_FIELD_MEMBERS(PageMarginRight, 0x4005000C),
            VELLORAN_FIELD_MEMBERS(PageMarginTop, 0x4005000D),
            VELLORAN_FIELD_MEMBERS(PageMarginBottom, 0x4005000E),
        };
        return members;
    }
};

class DocumentObject final : public Object<DocumentObject, _cDocument2, cDocument> {
public:
    using Object::Object;
    VELLORAN_FIELD(BSTR, Author)
    VELLORAN_FIELD(BSTR, Operator)
    VELLORAN_FIELD(BSTR, Title)
    VELLORAN_FIELD(BSTR, Subject)
    VELLORAN_FIELD(LONG, PageWidth)
    VELLORAN_FIELD(LONG, PageHeight)
    VELLORAN_FIELD(LONG, PageMarginLeft)
    VELLORAN_FIELD(LONG, PageMarginRight)
    VELLORAN_FIELD(LONG, PageMarginTop)
    VELLORAN_FIELD(LONG, PageMarginBottom)
    VELLORAN_FIELD(VARIANT_BOOL, PageLandscape)
    VELLORAN_FIELD(VARIANT_BOOL, PageNumbersOn)
    VELLORAN_FIELD(LONG, PageNumberStart)
    VELLORAN_FIELD(LONG, PageNumberMarginRight)
    VELLORAN_FIELD(LONG, PageNumberMarginTop)
    VELLORAN_FIELD(BSTR, FontDefaultName)
    VELLORAN_FIELD(LONG, FontDefaultCharSet)
    VELLORAN_FIELD(LONG, FontDefaultHeight)
    VELLORAN_OBJECT_FIELD(ParagraphObject, Header)
    VELLORAN_OBJECT_FIELD(ParagraphObject, Footer)
    VELLORAN_OBJECT_FIELD(PageObject, PageHeader)
    VELLORAN_OBJECT_FIELD(PageObject, PageFooter)
    VELLORAN_OBJECT_FIELD(PageObject, FirstPageHeader)
    VELLORAN_OBJECT_FIELD(PageObject, FirstPageFooter)
    VELLORAN_OBJECT_FIELD(PageObject, EvenPageHeader)
    VELLORAN_OBJECT_FIELD(PageObject, EvenPageFooter)
    HRESULT STDMETHODCALLTYPE get_LastPage(LONG* value) override { return read(value, core().LastPage()); }
    HRESULT STDMETHODCALLTYPE Save(BSTR* sRTFFile, VARIANT_BOOL* result) override {
        if (!sRTFFile || !result) return E_POINTER;
        return guard([&] { *result = core().Save(toUtf8(*sRTFFile)); });
    }
    HRESULT STDMETHODCALLTYPE Rtf(BSTR* result) override {
        if (!result) return E_POINTER;
        *result = nullptr;
        return guard([&] { *result = toBstr(core().Rtf()); });
    }
    HRESULT STDMETHODCALLTYPE InsertPage(_cPage** Page, VARIANT_BOOL* result) override {
        return insert<PageObject>(Page, result, [&](auto p) { return core().InsertPage(p); });
    }
    // An early-bound caller may pass no CharSet at all (a null pointer): -1.
    HRESULT STDMETHODCALLTYPE FontIndex(BSTR* FontName, LONG* CharSet, LONG* result) override {
        if (!FontName || !result) return E_POINTER;
        return guard([&] { *result = core().FontIndex(toUtf8(*FontName), CharSet ? *CharSet : -1); });
    }
    HRESULT STDMETHODCALLTYPE ColorIndex(LONG* RGBColor, LONG* result) override {
        if (!RGBColor || !result) return E_POINTER;
        return guard([&] { *result = core().ColorIndex(*RGBColor); });
    }
    HRESULT STDMETHODCALLTYPE StyleIndex(BSTR StyleName, LONG* result) override {
        if (!result) return E_POINTER;
        return guard([&] { *result = core().StyleIndex(toUtf8(StyleName)); });
    }
    HRESULT STDMETHODCALLTYPE InsertDocument(_cDocument** Document, VARIANT_BOOL RestartNumbering,
                                             VARIANT_BOOL* result) override {
        return insert<DocumentObject>(Document, result,
                                      [&](auto d) { return core().InsertDocument(d, RestartNumbering); });
    }

    static Table table() {
        using Self = DocumentObject;
        using M = Members<Self>;
        static const Member members[] = {
            VELLORAN_FIELD_MEMBERS(Author, 0x40030000),
            VELLORAN_FIELD_MEMBERS(Operator, 0x40030001),
            VELLORAN_FIELD_MEMBERS(Title, 0x40030002),
            VELLORAN_FIELD_MEMBERS(Subject, 0x40030003),
            VELLORAN_FIELD_MEMBERS(PageWidth, 0x40030004),
            VELLORAN_FIELD_MEMBERS(PageHeight, 0x40030005),
            VELLORAN_FIELD_MEMBERS(PageMarginLeft, 0x40030006),
            VELLORAN_FIELD_MEMBERS(PageMarginRight, 0x40030007),
            VELLORAN_FIELD_MEMBERS(PageMarginTop, 0x40030008),
            VELLORAN_FIELD_MEMBERS(PageMarginBottom, 0x40030009),
            VELLORAN_FIELD_MEMBERS(PageLandscape, 0x4003000A),
            VELLORAN_FIELD_MEMBERS(PageNumbersOn, 0x4003000B),
            VELLORAN_FIELD_MEMBERS(PageNumberStart, 0x4003000C),
            VELLORAN_FIELD_MEMBERS(PageNumberMarginRight, 0x4003000D),
            VELLORAN_FIELD_MEMBERS(PageNumberMarginTop, 0x4003000E),
            VELLORAN_FIELD_MEMBERS(FontDefaultName, 0x4003000F),
            VELLORAN_FIELD_MEMBERS(FontDefaultCharSet, 0x40030010),
            VELLORAN_FIELD_MEMBERS(FontDefaultHeight, 0x40030011),
            VELLORAN_OBJECT_MEMBERS(Header, 0x40030012),
            VELLORAN_OBJECT_MEMBERS(Footer, 0x40030013),
            M::get<&Self::get_LastPage>(L"LastPage", 0x68030000),
            M::method<&Self::Save>(L"Save", 0x60030003, L"sRTFFile"),
            M::method<&Self::Rtf>(L"Rtf", 0x60030004, L""),
            M::method<&Self::InsertPage>(L"InsertPage", 0x60030006, L"Page"),
            M::method<&Self::FontIndex>(L"FontIndex", 0x60030007, L"FontName CharSet", -1),
            M::method<&Self::ColorIndex>(L"ColorIndex", 0x60030008, L"RGBColor"),
            M::method<&Self::StyleIndex>(L"StyleIndex", 0x60050000, L"StyleName"),
            VELLORAN_OBJECT_MEMBERS(PageHeader, 0x40050000),
            VELLORAN_OBJECT_MEMBERS(PageFooter, 0x40050001),
            VELLORAN_OBJECT_MEMBERS(FirstPageHeader, 0x40050002),
            VELLORAN_OBJECT_MEMBERS(FirstPageFooter, 0x40050003),
            VELLORAN_OBJECT_MEMBERS(EvenPageHeader, 0x40050004),
            VELLORAN_OBJECT_MEMBERS(EvenPageFooter, 0x40050005),
            M::method<&Self::InsertDocument>(L"InsertDocument", 0x60050001, L"Document RestartNumbering", 0),
        };
        return members;
    }
};

template <class I>
void appendOlder(std::vector<InterfaceRef>& out) {
    if constexpr (extendsOne<I>) {
        using Base = typename BaseOf<I>::type;
        out.push_back({&__uuidof(Base), interfaceName<Base>});
        appendOlder<Base>(out);
    }
}

template <class I>
std::span<const InterfaceRef> olderOf() {
    static const std::vector<InterfaceRef> older = [] {
        std::vector<InterfaceRef> all;
        appendOlder<I>(all);
        return all;
    }();
    return older;
}

template <class W>
ClassInfo classInfo(const wchar_t* name, const CLSID& clsid) {
    using I = typename W::InterfaceType;
    return {name, clsid, __uuidof(I), interfaceName<I>, olderOf<I>(), &W::create, W::table()};
}

}  // namespace

std::span<const ClassInfo> classes() {
    static const ClassInfo all[] = {
        classInfo<DocumentObject>(L"cDocument", CLSID_cDocument),
        classInfo<PageObject>(L"cPage", CLSID_cPage),
        classInfo<CellObject>(L"cCell", CLSID_cCell),
        classInfo<ParagraphObject>(L"cParagraph", CLSID_cParagraph),
        classInfo<TextObject>(L"cText", CLSID_cText),
        classInfo<BorderObject>(L"cBorder", CLSID_cBorder),
        classInfo<PictureObject>(L"cPicture", CLSID_cPicture),
        classInfo<DrawingObject>(L"cDrawing", CLSID_cDrawing),
        classInfo<LineObject>(L"cLine", CLSID_cLine),
        classInfo<RectObject>(L"cRect", CLSID_cRect),
        classInfo<EllipseObject>(L"cEllipse", CLSID_cEllipse),
        classInfo<PolylineObject>(L"cPolyline", CLSID_cPolyline),
        classInfo<PolygonObject>(L"cPolygon", CLSID_cPolygon),
        classInfo<PointObject>(L"cPoint", CLSID_cPoint),
        classInfo<DrawingTextObject>(L"cDrawingText", CLSID_cDrawingText),
    };
    return all;
}

}  // namespace velloran::com
