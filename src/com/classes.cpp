// The automation objects of the fifteen classes. Each one forwards to the core
// object it holds; the only state of its own is the automation objects that
// stand for its object-valued fields.
#include "com/classes.hpp"

#include <vector>

#include <velloran/velloran.hpp>

#include "com/object.hpp"

namespace velloran::com {
namespace {

// A value the core holds as a field, or reads and sets with a getter and a
// setter of the same name: get returns it, put stores it as the core takes it.
// Type is a type, which parentheses would not leave one.
// NOLINTBEGIN(bugprone-macro-parentheses)
#define VELLORAN_PROPERTY(Type, Name)                                                            \
    HRESULT STDMETHODCALLTYPE get_##Name(Type* value) override {                                 \
        return [&](const auto& c) {                                                              \
            if constexpr (requires { c.Name(); }) return read(value, c.Name());                  \
            else return read(value, c.Name);                                                     \
        }(core());                                                                               \
    }                                                                                            \
    HRESULT STDMETHODCALLTYPE put_##Name(Type value) override {                                  \
        return [&](auto& c) {                                                                    \
            if constexpr (requires { c.Name(); }) return guard([&] { c.Name(fromCom(value)); }); \
            else return write(c.Name, value);                                                    \
        }(core());                                                                               \
    }
// NOLINTEND(bugprone-macro-parentheses)

// An object-valued field, held by reference with its automation object.
#define VELLORAN_OBJECT_FIELD(Wrapper, Name)                                           \
    HRESULT STDMETHODCALLTYPE get_##Name(Wrapper::FirstInterface** value) override {   \
        return guard([&] { held##Name##_.get(core().Name, value); });                  \
    }                                                                                  \
    HRESULT STDMETHODCALLTYPE putref_##Name(Wrapper::FirstInterface* value) override { \
        return guard([&] { held##Name##_.set(core().Name, value); });                  \
    }                                                                                  \
    Held<Wrapper> held##Name##_

// VELLORAN_MEMBERS_cX(Self): the accessors of the class's fields and
// procedures, and its dispatch table (table()), made from the IDL.
#include "com_members.hpp"

class BorderObject final : public Object<BorderObject, _cBorder2, cBorder> {
public:
    using Object::Object;
    VELLORAN_MEMBERS_cBorder(BorderObject);
};

class TextObject final : public Object<TextObject, _cText4, cText> {
public:
    using Object::Object;
    VELLORAN_MEMBERS_cText(TextObject);
    HRESULT STDMETHODCALLTYPE put_Text(BSTR value) override {
        return guard([&] { core().Text(toUtf8(value)); });
    }
};

class PointObject final : public Object<PointObject, _cPoint, cPoint> {
public:
    using Object::Object;
    VELLORAN_MEMBERS_cPoint(PointObject);
};

class LineObject final : public Object<LineObject, _cLine, cLine> {
public:
    using Object::Object;
    VELLORAN_MEMBERS_cLine(LineObject);
};

class RectObject final : public Object<RectObject, _cRect, cRect> {
public:
    using Object::Object;
    VELLORAN_MEMBERS_cRect(RectObject);
};

class EllipseObject final : public Object<EllipseObject, _cEllipse, cEllipse> {
public:
    using Object::Object;
    VELLORAN_MEMBERS_cEllipse(EllipseObject);
};

// Polylines and polygons share their members and differ in the core class.
#define VELLORAN_POINT_SHAPE(Class, Interface, Core)                                                  \
    class Class final : public Object<Class, Interface, Core> {                                       \
    public:                                                                                           \
        using Object::Object;                                                                         \
        VELLORAN_MEMBERS_##Core(Class);                                                               \
        HRESULT STDMETHODCALLTYPE InsertPoint(_cPoint** Point, VARIANT_BOOL* result) override {       \
            return insert<PointObject>(Point, result, [&](auto p) { return core().InsertPoint(p); }); \
        }                                                                                             \
    }

VELLORAN_POINT_SHAPE(PolylineObject, _cPolyline, cPolyline);
VELLORAN_POINT_SHAPE(PolygonObject, _cPolygon, cPolygon);

class DrawingTextObject final : public Object<DrawingTextObject, _cDrawingText, cDrawingText> {
public:
    using Object::Object;
    VELLORAN_MEMBERS_cDrawingText(DrawingTextObject);
    // The text box keeps the run itself and renders it when it is inserted.
    HRESULT STDMETHODCALLTYPE put_Text(_cText* value) override {
        return guard([&] {
            TextObject* text = TextObject::of(value);
            core().Text(text ? text->shared() : nullptr);
        });
    }
};

class DrawingObject final : public Object<DrawingObject, _cDrawing, cDrawing> {
public:
    using Object::Object;
    VELLORAN_MEMBERS_cDrawing(DrawingObject);
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
};

class PictureObject final : public Object<PictureObject, _cPicture3, cPicture> {
public:
    using Object::Object;
    VELLORAN_MEMBERS_cPicture(PictureObject);
};

class ParagraphObject final : public Object<ParagraphObject, _cParagraph4, cParagraph> {
public:
    using Object::Object;
    VELLORAN_MEMBERS_cParagraph(ParagraphObject);
    HRESULT STDMETHODCALLTYPE InsertText(_cText** Text, VARIANT_BOOL* result) override {
        return insert<TextObject>(Text, result, [&](auto t) { return core().InsertText(t); });
    }
    HRESULT STDMETHODCALLTYPE InsertDrawing(_cDrawing** Drawing, VARIANT_BOOL* result) override {
        return insert<DrawingObject>(Drawing, result, [&](auto d) { return core().InsertDrawing(d); });
    }
    HRESULT STDMETHODCALLTYPE InsertPicture(_cPicture** Picture, VARIANT_BOOL* result) override {
        return insert<PictureObject>(Picture, result, [&](auto p) { return core().InsertPicture(p); });
    }
    HRESULT STDMETHODCALLTYPE InsertFootnote(_cParagraph** Note, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE InsertEndnote(_cParagraph** Note, VARIANT_BOOL* result) override;
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
};

// A paragraph's footnote is a paragraph: defined once the class is complete.
HRESULT ParagraphObject::InsertFootnote(_cParagraph** Note, VARIANT_BOOL* result) {
    return insert<ParagraphObject>(Note, result, [&](auto n) { return core().InsertFootnote(n); });
}
HRESULT ParagraphObject::InsertEndnote(_cParagraph** Note, VARIANT_BOOL* result) {
    return insert<ParagraphObject>(Note, result, [&](auto n) { return core().InsertEndnote(n); });
}

class CellObject final : public Object<CellObject, _cCell3, cCell> {
public:
    using Object::Object;
    VELLORAN_MEMBERS_cCell(CellObject);
    HRESULT STDMETHODCALLTYPE InsertParagraph(_cParagraph** Paragraph, VARIANT_BOOL* result) override {
        return insert<ParagraphObject>(Paragraph, result, [&](auto p) { return core().InsertParagraph(p); });
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

// A value of a row: Empty or Null is nothing, a string text, any number a
// double; anything else (a date, a Boolean, an error value, an object) is
// refused with error 5, naming its place.
TableValue tableValueOf(const VARIANT& element, std::int64_t row, std::int64_t column) {
    const VARIANT* v = valueOf(&element);
    if (v && (V_VT(v) == VT_EMPTY || V_VT(v) == VT_NULL)) return std::monostate{};
    if (v && V_VT(v) == VT_BSTR) return toUtf8(V_BSTR(v));
    if (v && V_VT(v) == (VT_BYREF | VT_BSTR)) return toUtf8(*V_BSTRREF(v));
    const VARTYPE base = v ? static_cast<VARTYPE>(V_VT(v) & ~VT_BYREF) : static_cast<VARTYPE>(VT_EMPTY);
    const bool number = base == VT_I1 || base == VT_I2 || base == VT_I4 || base == VT_I8 || base == VT_UI1 ||
                        base == VT_UI2 || base == VT_UI4 || base == VT_UI8 || base == VT_INT || base == VT_UINT ||
                        base == VT_R4 || base == VT_R8 || base == VT_CY || base == VT_DECIMAL;
    VARIANT converted;
    VariantInit(&converted);
    if (!number || FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(v), 0, VT_R8)))
        throw Error(errors::InvalidArgument, "cPage.InsertRows: the value at row " + std::to_string(row) + ", column " +
                                                 std::to_string(column) + " is not a string, a number or Empty");
    return V_R8(&converted);
}

// A two-dimensional array of values, rows first (Excel's Range.Value, or a
// script's own array, from any lower bound), as rows of values.
TableRows tableRowsOf(const VARIANT& values) {
    const VARIANT* v = valueOf(&values);
    SAFEARRAY* array = nullptr;
    if (v && V_VT(v) == (VT_ARRAY | VT_VARIANT)) array = V_ARRAY(v);
    else if (v && V_VT(v) == (VT_BYREF | VT_ARRAY | VT_VARIANT)) array = *V_ARRAYREF(v);
    if (!array || SafeArrayGetDim(array) != 2)
        throw Error(errors::InvalidArgument, "cPage.InsertRows: Values is not a two-dimensional array of Variants");
    LONG rowsFrom = 0, rowsTo = -1, columnsFrom = 0, columnsTo = -1;
    SafeArrayGetLBound(array, 1, &rowsFrom);
    SafeArrayGetUBound(array, 1, &rowsTo);
    SafeArrayGetLBound(array, 2, &columnsFrom);
    SafeArrayGetUBound(array, 2, &columnsTo);
    TableRows rows;
    if (FAILED(SafeArrayLock(array))) throw Error(errors::SubscriptOutOfRange);
    struct Unlock {
        SAFEARRAY* a;
        ~Unlock() { SafeArrayUnlock(a); }
    } unlock{array};
    // Counted in 64 bits: a bound may be the largest LONG.
    for (std::int64_t r = rowsFrom; r <= rowsTo; ++r) {
        std::vector<TableValue>& row = rows.emplace_back();
        for (std::int64_t c = columnsFrom; c <= columnsTo; ++c) {
            LONG index[2] = {static_cast<LONG>(r), static_cast<LONG>(c)};  // in the order the dimensions are written
            void* element = nullptr;
            if (FAILED(SafeArrayPtrOfIndex(array, index, &element))) throw Error(errors::SubscriptOutOfRange);
            row.push_back(tableValueOf(*static_cast<VARIANT*>(element), r - rowsFrom + 1, c - columnsFrom + 1));
        }
    }
    return rows;
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
    Held<PageObject> held##Name##_

class PageObject final : public Object<PageObject, _cPage4, cPage> {
public:
    using Object::Object;
    HRESULT STDMETHODCALLTYPE InsertParagraph(_cParagraph** Paragraph, VARIANT_BOOL* result) override {
        return insert<ParagraphObject>(Paragraph, result, [&](auto p) { return core().InsertParagraph(p); });
    }
    HRESULT STDMETHODCALLTYPE InsertTable(SAFEARRAY** oCells, VARIANT_BOOL* result) override {
        if (!oCells || !result) return E_POINTER;
        return guard([&] { *result = core().InsertTable(cellArrayOf(*oCells)); });
    }
    HRESULT STDMETHODCALLTYPE InsertRows(VARIANT Values, VARIANT_BOOL* result) override {
        if (!result) return E_POINTER;
        return guard([&] { *result = core().InsertRows(tableRowsOf(Values)); });
    }
    HRESULT STDMETHODCALLTYPE AddTableColumn(LONG Width, ::vlRTFTabAlignment Align, LONG Decimals,
                                             VARIANT_BOOL* result) override {
        if (!result) return E_POINTER;
        return guard([&] { *result = core().AddTableColumn(Width, static_cast<vlRTFTabAlignment>(Align), Decimals); });
    }
    HRESULT STDMETHODCALLTYPE ClearTableColumns(VARIANT_BOOL* result) override {
        if (!result) return E_POINTER;
        return guard([&] { *result = core().ClearTableColumns(); });
    }
    VELLORAN_MEMBERS_cPage(PageObject);
    VELLORAN_SECTION_FIELD(PageHeader);
    VELLORAN_SECTION_FIELD(PageFooter);
};

class DocumentObject final : public Object<DocumentObject, _cDocument3, cDocument> {
public:
    using Object::Object;
    VELLORAN_MEMBERS_cDocument(DocumentObject);
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
