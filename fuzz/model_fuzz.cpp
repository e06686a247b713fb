// Arbitrary programs of calls on the fifteen classes, with the document
// invariants checked after every call.
//
//     build/fuzz/fuzz/model_seeds build/fuzz/model-seeds
//     build/fuzz/fuzz/model_fuzz -max_total_time=1800 -max_len=4096 corpus/ build/fuzz/model-seeds/
//
// Built with VELLORAN_FUZZ_REPLAY it is a plain program that runs the files
// named on its command line once, as the ordinary build's tests do with the
// seeds.
//
// The byte code is in model_ops.hpp. After each call:
// - it either returned or threw velloran::Error with a number the library
//   raises for that call, and nothing else;
// - a call that threw or returned False changed nothing, and one that
//   succeeded changed no object's output but its target's (and that of the
//   paragraph a page or cell takes): no text is shared between objects;
// - every document and every fragment is ASCII with balanced braces, and
//   each backslash in it starts a control word or symbol;
// - Rtf gives the same text twice in a row (the clock is fixed);
// - a successful Save wrote exactly Rtf's bytes, and no temporary file is
//   left in the save folder or the temporary folder;
// - a call whose allocations fail from some point on (OpOutOfMemory) throws
//   std::bad_alloc, or returns, as any call does, and a failed one changed
//   nothing;
// - an object moved from (OpMove) is as good as a new one.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <new>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <velloran/velloran.hpp>

#include "common/access.hpp"
#include "common/platform.hpp"
#include "rtf/section.hpp"
#include "rtf/shapes.hpp"
#include "model_ops.hpp"
#include "picture_files.hpp"

namespace fs = std::filesystem;
using namespace velloran;
using namespace velloran::fuzz;

// The allocations the running call may still make; -1 never fails.
static thread_local long allocationsLeft = -1;

void* operator new(std::size_t size) {
    if (allocationsLeft == 0) throw std::bad_alloc();
    if (allocationsLeft > 0) --allocationsLeft;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (allocationsLeft == 0) return nullptr;
    if (allocationsLeft > 0) --allocationsLeft;
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
// Memory from malloc goes back to free: gcc 12 takes the replaced operator
// new for the standard one and warns of a mismatch where there is none.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {

// The allocations the next call may make before they fail; -1 for no limit.
long nextCallAllocations = -1;

[[noreturn]] void fail(const char* what, const std::string& detail = {}) {
    std::fprintf(stderr, "model_fuzz: %s\n", what);
    if (!detail.empty()) std::fprintf(stderr, "%.4000s\n", detail.c_str());
    std::abort();
}

// A private folder for saves, picture files and temporary files, removed at exit.
struct Folder {
    fs::path root, saves, temp;
    std::vector<std::string> pictures;

    Folder() {
        root = fs::temp_directory_path() / ("velloran-model-fuzz-" + std::to_string(::getpid()));
        saves = root / "saves";
        temp = root / "tmp";
        fs::create_directories(saves);
        fs::create_directories(temp);
        ::setenv("TMPDIR", temp.c_str(), 1);
        auto write = [&](const char* name, const std::string& bytes) {
            fs::path p = root / name;
            std::ofstream(p, std::ios::binary) << bytes;
            pictures.push_back(p.string());
        };
        write("p.bmp", test::bmpFile(3, 2));
        // Its picture group is long enough to be shared between objects.
        write("large.bmp", test::bmpFile(120, 90));
        write("p.png", test::pngFile(2, 2));
        write("p.gif", test::gifFile(2, 1));
        write("p.wmf", test::placeableFile(40, 30, 1440));
        write("garbage", "BM not a bitmap");
        write("empty", "");
        pictures.push_back((root / "missing.png").string());
        pictures.push_back(root.string());
        pictures.push_back("");
    }
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
};

Folder& folder() {
    static Folder f;
    return f;
}

std::string repeat(std::string_view text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

// Reads the input; past its end every byte is 0.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool done() const { return at_ >= size_; }
    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::uint32_t raw32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = v << 8 | byte();
        return v;
    }

    std::int32_t value() {
        // clang-format off
        static const std::int32_t special[] = {
            0, 1, -1, 7, 2, 3, 4, 5, 6, 8, 20, 720, 1440, 11906, 16837, 255, 256, 0xFFFFFF, 0x1000000,
            32767, 32768, -32768, -32769, 65535, 65536, -65536, 1073741823, 1073741824, -1073741824,
            -1073741825, 2147483647, 2147483646, -2147483647 - 1, -2147483647, 0x7F7F7F7F, 100, -100};
        // clang-format on
        std::uint8_t b = byte();
        if (b >= RawValue) return static_cast<std::int32_t>(raw32());
        return special[b % std::size(special)];
    }

    Boolean boolean() {
        static const Boolean special[] = {-1, 0, 1, 32767, -32768, 2, -2};
        std::uint8_t b = byte();
        if (b >= RawValue) return static_cast<Boolean>(raw32());
        return special[b % std::size(special)];
    }

    float scale() {
        // clang-format off
        static const float special[] = {1.0f, 0.5f, 2.0f, 0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN(),
                                        std::numeric_limits<float>::infinity(),
                                        -std::numeric_limits<float>::infinity(), 1e-30f, 1e30f,
                                        std::numeric_limits<float>::max(), std::numeric_limits<float>::min(),
                                        std::numeric_limits<float>::denorm_min(), 0.1f, 3.0f, 0.34f, -0.0f};
        // clang-format on
        std::uint8_t b = byte();
        if (b < RawValue) return special[b % std::size(special)];
        std::uint32_t bits = raw32();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        // Scales between 64 and the overflow of the picture's size make
        // rasters of hundreds of megabytes: slow, and refused by size anyway.
        if (std::isfinite(f) && std::fabs(f) > 64 && std::fabs(f) < 1e9f) f = std::fmod(f, 64.0f);
        return f;
    }

    std::string text() {
        // Long pieces pass the sizes from which texts are shared between
        // objects and written in pieces of their own.
        static const std::string medium = repeat("Lorem {ipsum} \\ dolor \xC3\xA9\t", 800);
        static const std::string large = repeat("Lorem {ipsum} \\ dolor \xC3\xA9\t", 3000);
        // clang-format off
        static const std::string_view pieces[] = {medium, large,
            "\\", "{", "}", "\\page ", "\\par", "\\'7b", "\t", "\r\n", "\r", "\n", std::string_view("\0", 1),
            "\xC3\xA9", "\xE2\x80\xA2", "\xF0\x9F\x98\x80", "\xED\xA0\x80", "\xEF\xBF\xBF", "\xFF", "\xFE\xFF",
            "\xC0\x80", "\xE2\x82", "\xF4\x90\x80\x80", "\x7F", ";", "}}}}", "{{{{", "\\u-3 ", "\x1B", "Arial"};
        // clang-format on
        std::string out;
        int count = byte() % 32;
        for (int i = 0; i < count; ++i) {
            std::uint8_t b = byte();
            if (b < TextPiece) {
                out += static_cast<char>(b);
            } else {
                out += pieces[(b - TextPiece) % std::size(pieces)];
            }
        }
        return out;
    }

    // Raw RTF from a grammar of words and groups: words the run takes and
    // words it refuses, destinations, fields, escapes and text, in groups
    // that close or do not.
    std::string rawRtf() {
        // clang-format off
        static const std::string_view words[] = {"par", "b", "i0", "emdash", "u8212?", "line", "tab", "ul",
            "field", "*\\fldinst", "fldrslt", "*\\bkmkstart x", "*\\bkmkend x", "*\\unknown", "cf3", "f99",
            "fs-4", "abcdefghijklmnopqrstuvwxyzabcdef", "abcdefghijklmnopqrstuvwxyzabcdefg", "pict", "pngblip",
            "jpegblip", "wmetafile8", "shppict", "cellx9000", "trowd", "clbrdrt", "title", "author", "do",
            "dptxbxtext", "shp", "sect", "header", "bin4", "rtf1", "info", "pgnstarts3", "page"};
        static const std::string_view other[] = {"{", "}", "x", " ", "12", "\\'41", "\\'4", "\\{", "\\}",
            "\\\\", "\\", "\\~", "\xC3\xA9", "\r\n"};
        // clang-format on
        std::string out;
        int count = byte() % 24;
        for (int i = 0; i < count; ++i) {
            const std::uint8_t b = byte();
            if (b < 0xA0) {
                out += '\\';
                out += words[b % std::size(words)];
            } else {
                out += other[b % std::size(other)];
            }
        }
        return out;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

template <class T>
using Pool = std::array<std::shared_ptr<T>, Slots>;

struct Objects {
    Pool<cDocument> documents;
    Pool<cPage> pages;
    Pool<cCell> cells;
    Pool<cParagraph> paragraphs;
    Pool<cText> texts;
    Pool<cBorder> borders;
    Pool<cPicture> pictures;
    Pool<cDrawing> drawings;
    Pool<cLine> lines;
    Pool<cRect> rects;
    Pool<cEllipse> ellipses;
    Pool<cPolyline> polylines;
    Pool<cPolygon> polygons;
    Pool<cPoint> points;
    Pool<cDrawingText> boxes;

    void create(int cls, int slot) {
        switch (cls) {
        case ClsDocument: documents[slot] = std::make_shared<cDocument>(); break;
        case ClsPage: pages[slot] = std::make_shared<cPage>(); break;
        case ClsCell: cells[slot] = std::make_shared<cCell>(); break;
        case ClsParagraph: paragraphs[slot] = std::make_shared<cParagraph>(); break;
        case ClsText: texts[slot] = std::make_shared<cText>(); break;
        case ClsBorder: borders[slot] = std::make_shared<cBorder>(); break;
        case ClsPicture: pictures[slot] = std::make_shared<cPicture>(); break;
        case ClsDrawing: drawings[slot] = std::make_shared<cDrawing>(); break;
        case ClsLine: lines[slot] = std::make_shared<cLine>(); break;
        case ClsRect: rects[slot] = std::make_shared<cRect>(); break;
        case ClsEllipse: ellipses[slot] = std::make_shared<cEllipse>(); break;
        case ClsPolyline: polylines[slot] = std::make_shared<cPolyline>(); break;
        case ClsPolygon: polygons[slot] = std::make_shared<cPolygon>(); break;
        case ClsPoint: points[slot] = std::make_shared<cPoint>(); break;
        case ClsDrawingText: boxes[slot] = std::make_shared<cDrawingText>(); break;
        }
    }
};

// Every "{" matched by a later "}": a backslash escapes the next character
// ("\{", "\}", "\\"; in "\'hh" the quote, and hex digits are no braces).
bool balanced(const std::string& rtf) {
    long depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        char c = rtf[i];
        if (c == '\\') ++i;
        else if (c == '{') ++depth;
        else if (c == '}' && --depth < 0) return false;
    }
    return depth == 0;
}

// Every backslash starts a control word (letters), a control symbol RTF
// knows, or a hexadecimal escape "\'hh".
bool wellEscaped(const std::string& rtf) {
    auto hex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] != '\\') continue;
        if (++i == rtf.size()) return false;
        char c = rtf[i];
        if (std::isalpha(static_cast<unsigned char>(c))) continue;
        if (c == '\'') {
            if (i + 2 >= rtf.size() || !hex(rtf[i + 1]) || !hex(rtf[i + 2])) return false;
            i += 2;
            continue;
        }
        if (c == '\0' || !std::strchr("\\{}*~-_|:", c)) return false;
    }
    return true;
}

bool ascii(const std::string& rtf) {
    for (char c : rtf)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

void checkText(const char* what, const std::string& rtf) {
    if (!ascii(rtf)) fail(what, "not ASCII:\n" + rtf);
    if (!balanced(rtf)) fail(what, "braces unbalanced:\n" + rtf);
    if (!wellEscaped(rtf)) fail(what, "a backslash that starts no control word or symbol:\n" + rtf);
}

// The fragment of an object, or the error its writer raises.
template <class T>
std::string fragmentOf(const T& object) {
    try {
        std::string out;
        rtf::appendRtf(object, out);
        return out;
    } catch (const Error& e) {
        if (e.number() != errors::Overflow) fail("a fragment writer raised an error other than 6", e.what());
        return "<error 6>";
    }
}

std::string documentRtf(const cDocument& doc) {
    try {
        return doc.Rtf();
    } catch (const std::exception& e) {
        fail("Rtf threw", e.what());
    }
}

// One object's output, or for a container its text so far. Fields are not
// included: no call writes to a field.
struct Shown {
    const void* object;
    const char* kind;
    std::string text;
};

std::vector<Shown> state(const Objects& o) {
    std::vector<Shown> s;
    for (auto& d : o.documents)
        if (d) s.push_back({d.get(), "document", documentRtf(*d) + "\npages " + std::to_string(d->LastPage())});
    for (auto& p : o.pages)
        if (p) s.push_back({p.get(), "page", fragmentOf(*p)});
    for (auto& c : o.cells)
        if (c) s.push_back({c.get(), "cell", Access::content(*c)});
    for (auto& p : o.paragraphs)
        if (p) s.push_back({p.get(), "paragraph", Access::content(*p)});
    for (auto& t : o.texts)
        if (t) s.push_back({t.get(), "run", Access::escapedText(*t)});
    for (auto& d : o.drawings)
        if (d) s.push_back({d.get(), "drawing", fragmentOf(*d)});
    for (auto& p : o.polylines)
        if (p) s.push_back({p.get(), "polyline", fragmentOf(*p)});
    for (auto& p : o.polygons)
        if (p) s.push_back({p.get(), "polygon", fragmentOf(*p)});
    return s;
}

void checkInvariants(const Objects& o) {
    for (auto& d : o.documents) {
        if (!d) continue;
        std::string first = documentRtf(*d);
        std::string second = documentRtf(*d);
        if (first != second) fail("Rtf twice gave different texts", first + "\n----\n" + second);
        checkText("document", first);
    }
    for (auto& p : o.pages)
        if (p) checkText("page fragment", fragmentOf(*p));
    for (auto& c : o.cells)
        if (c) checkText("cell content", Access::content(*c));
    for (auto& p : o.paragraphs)
        if (p) checkText("paragraph content", Access::content(*p));
    for (auto& t : o.texts)
        if (t) checkText("run text", Access::escapedText(*t));
    for (auto& d : o.drawings)
        if (d) checkText("drawing fragment", fragmentOf(*d));
}

// Only the save targets may be in the save folder, and nothing in the
// temporary folder.
void checkNoStrayFiles(const std::set<std::string>& targets) {
    if (!fs::is_empty(folder().temp)) fail("a temporary file was left in TMPDIR");
    for (const auto& entry : fs::directory_iterator(folder().saves)) {
        std::string name = entry.path().filename().string();
        if (name != "sub" && !targets.count(name)) fail("a file was left in the save folder", name);
    }
}

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Where a save goes: two plain names, a name that needs escaping on no
// platform, a missing folder, a folder, the empty path, a trailing separator.
std::string saveTarget(std::uint8_t b) {
    const fs::path& saves = folder().saves;
    switch (b % 8) {
    case 0: return (saves / "a.rtf").string();
    case 1: return (saves / "b.rtf").string();
    case 2: return (saves / "\xC3\xA9 {x}.rtf").string();
    case 3: return (saves / "missing" / "c.rtf").string();
    case 4: return saves.string();
    case 5: return "";
    case 6: return (saves / "sub" / "d.rtf").string();
    default: return (saves / "e.rtf/").string();
    }
}

void setField(Objects& o, Reader& in) {
    int cls = in.byte() % ClassCount;
    int slot = in.byte() % Slots;
    std::uint8_t field = in.byte();
    auto box = [&](auto& s) {
        switch (field % 9) {
        case 0: s.x = in.value(); break;
        case 1: s.y = in.value(); break;
        case 2: s.Width = in.value(); break;
        case 3: s.Height = in.value(); break;
        case 4: s.PenWidth = in.value(); break;
        case 5: s.PenRGBColor = in.value(); break;
        case 6: s.FillBackRGBColor = in.value(); break;
        case 7: s.FillForeRGBColor = in.value(); break;
        default: s.FillPattern = in.value(); break;
        }
    };
    auto fillAndPen = [&](auto& s) {
        switch (field % 5) {
        case 0: s.PenWidth = in.value(); break;
        case 1: s.PenRGBColor = in.value(); break;
        case 2: s.FillBackRGBColor = in.value(); break;
        case 3: s.FillForeRGBColor = in.value(); break;
        default: s.FillPattern = in.value(); break;
        }
    };
    switch (cls) {
    case ClsDocument:
        if (auto& d = o.documents[slot]) {
            switch (field % 20) {
            case 0: d->Author = in.text(); break;
            case 1: d->Operator = in.text(); break;
            case 2: d->Title = in.text(); break;
            case 3: d->Subject = in.text(); break;
            case 4: d->PageWidth = in.value(); break;
            case 5: d->PageHeight = in.value(); break;
            case 6: d->PageMarginLeft = in.value(); break;
            case 7: d->PageMarginRight = in.value(); break;
            case 8: d->PageMarginTop = in.value(); break;
            case 9: d->PageMarginBottom = in.value(); break;
            case 10: d->PageLandscape = in.boolean(); break;
            case 11: d->PageNumbersOn = in.boolean(); break;
            case 12: d->PageNumberStart = in.value(); break;
            case 13: d->PageNumberMarginRight = in.value(); break;
            case 14: d->PageNumberMarginTop = in.value(); break;
            case 15: d->FontDefaultName = in.text(); break;
            case 16: d->FontDefaultCharSet = in.value(); break;
            case 17: d->FontDefaultHeight = in.value(); break;
            case 18: {
                const std::string name = in.text();
                try {
                    d->StyleIndex(name);
                } catch (const Error& e) {
                    if (e.number() != errors::InvalidArgument) fail("a style refused with a number other than 5");
                }
                break;
            }
            default: (void)d->LastPage(); break;
            }
        }
        break;
    case ClsCell:
        if (auto& c = o.cells[slot]) {
            if (field % 2) c->BackColorIndex = in.value();
            else c->Width = in.value();
        }
        break;
    case ClsParagraph:
        if (auto& p = o.paragraphs[slot]) {
            switch (field % 12) {
            case 0: p->Align = static_cast<vlRTFAlignment>(in.value()); break;
            case 1: p->IndentFirstLine = in.value(); break;
            case 2: p->IndentLeft = in.value(); break;
            case 3: p->IndentRight = in.value(); break;
            case 4: p->SpaceBefore = in.value(); break;
            case 5: p->SpaceAfter = in.value(); break;
            case 6: p->OutlineLevel = in.value(); break;
            case 7: p->StyleIndex = in.value(); break;
            case 8: p->ListStyle = static_cast<vlRTFList>(in.value()); break;
            case 9: p->ListId = in.value(); break;
            case 10: p->KeepWithNext = in.boolean(); break;
            default: p->SpaceBetweenLines = in.value(); break;
            }
        }
        break;
    case ClsText:
        if (auto& t = o.texts[slot]) {
            switch (field % 24) {
            case 0: t->FontIndex = in.value(); break;
            case 1: t->Height = in.value(); break;
            case 2: t->Bold = in.boolean(); break;
            case 3: t->Italic = in.boolean(); break;
            case 4: t->Strike = in.boolean(); break;
            case 5: t->ForeColorIndex = in.value(); break;
            case 6: t->BackColorIndex = in.value(); break;
            case 7: t->Underline(in.boolean()); break;
            case 8: t->UnderlineDot(in.boolean()); break;
            case 9: t->UnderlineDouble(in.boolean()); break;
            case 10: t->UnderlineWords(in.boolean()); break;
            case 12: {
                // Refused raw RTF is error 5 and leaves the run as it was.
                const std::string raw = in.rawRtf(), before = t->RawRtf();
                try {
                    t->RawRtf(raw);
                } catch (const Error& e) {
                    if (e.number() != errors::InvalidArgument) fail("raw RTF refused with a number other than 5", raw);
                    if (t->RawRtf() != before) fail("refused raw RTF changed the run", raw);
                }
                break;
            }
            case 13: t->Field = static_cast<vlRTFField>(in.value()); break;
            case 14: t->Link = in.text(); break;
            case 15: t->Bookmark = in.text(); break;
            case 16: t->LinkToBookmark = in.text(); break;
            case 17: t->ContentsLevels = in.value(); break;
            case 18: t->VerticalPosition = static_cast<vlRTFVerticalPosition>(in.value()); break;
            case 19: t->SmallCaps = in.boolean(); break;
            case 20: t->Hidden = in.boolean(); break;
            case 21: t->HighlightColorIndex = in.value(); break;
            case 22: t->CharacterSpacing = in.value(); break;
            default: t->Text(in.text()); break;
            }
        }
        break;
    case ClsBorder:
        if (auto& b = o.borders[slot]) {
            switch (field % 10) {
            case 0: b->TopWidth = in.value(); break;
            case 1: b->LeftWidth = in.value(); break;
            case 2: b->BottomWidth = in.value(); break;
            case 3: b->RightWidth = in.value(); break;
            case 4: b->TopVisible = in.boolean(); break;
            case 5: b->LeftVisible = in.boolean(); break;
            case 6: b->BottomVisible = in.boolean(); break;
            case 7: b->RightVisible = in.boolean(); break;
            case 8: b->BorderType = static_cast<vlRTFBorderType>(in.value()); break;
            default: b->BorderColorIndex = in.value(); break;
            }
        }
        break;
    case ClsPicture:
        if (auto& p = o.pictures[slot]) {
            switch (field % 4) {
            case 0: p->File = folder().pictures[in.byte() % folder().pictures.size()]; break;
            case 1: p->Width = in.value(); break;
            case 2: p->Height = in.value(); break;
            default: p->ScaleFactor = in.scale(); break;
            }
        }
        break;
    case ClsLine:
        if (auto& l = o.lines[slot]) {
            switch (field % 6) {
            case 0: l->x1 = in.value(); break;
            case 1: l->y1 = in.value(); break;
            case 2: l->x2 = in.value(); break;
            case 3: l->y2 = in.value(); break;
            case 4: l->PenWidth = in.value(); break;
            default: l->PenRGBColor = in.value(); break;
            }
        }
        break;
    case ClsRect:
        if (auto& r = o.rects[slot]) box(*r);
        break;
    case ClsEllipse:
        if (auto& e = o.ellipses[slot]) box(*e);
        break;
    case ClsDrawingText:
        if (auto& t = o.boxes[slot]) box(*t);
        break;
    case ClsPolyline:
        if (auto& p = o.polylines[slot]) fillAndPen(*p);
        break;
    case ClsPolygon:
        if (auto& p = o.polygons[slot]) fillAndPen(*p);
        break;
    case ClsPoint:
        if (auto& p = o.points[slot]) {
            if (field % 2) p->x = in.value();
            else p->y = in.value();
        }
        break;
    case ClsPage:
        if (auto& p = o.pages[slot]) {
            switch (field % 8) {
            case 0: p->PageNumberStart = in.value(); break;
            case 1: p->Orientation = static_cast<vlRTFOrientation>(in.value()); break;
            case 2: p->PageWidth = in.value(); break;
            case 3: p->PageMarginLeft = in.value(); break;
            case 4: p->TableHeaderRows = in.value(); break;
            case 5: p->TableWidth = in.value(); break;
            case 6: p->TableAlign = static_cast<vlRTFAlignment>(in.value()); break;
            default: p->TableRowHeight = in.value(); break;
            }
        }
        break;
    default:
        // A drawing has no fields.
        break;
    }
}

// What a call may change: its target, the paragraph a page or cell takes
// (taking wraps it), and the documents that show either as header or
// footer (a paragraph, or a page of those). Save and failed calls change
// nothing.
struct Changes {
    const void* target = nullptr;
    const cParagraph* taken = nullptr;
};

bool mayChange(const Objects& o, const Changes& c, const void* object) {
    if (object == nullptr) return false;
    if (object == c.target || object == c.taken) return true;
    auto shows = [&](const auto& p) {
        const void* shown = p.get();
        return shown && (shown == c.target || shown == c.taken);
    };
    for (auto& d : o.documents)
        if (d.get() == object && (shows(d->Header) || shows(d->Footer) || shows(d->PageHeader) ||
                                  shows(d->PageFooter) || shows(d->FirstPageHeader) || shows(d->FirstPageFooter) ||
                                  shows(d->EvenPageHeader) || shows(d->EvenPageFooter)))
            return true;
    return false;
}

void compare(const Objects& o, const std::vector<Shown>& before, const Changes& allowed, const char* what) {
    std::vector<Shown> after = state(o);
    if (after.size() != before.size()) fail("the objects themselves changed");
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (after[i].text == before[i].text || mayChange(o, allowed, after[i].object)) continue;
        const std::string& b = before[i].text;
        const std::string& a = after[i].text;
        std::size_t at = std::mismatch(b.begin(), b.end(), a.begin(), a.end()).first - b.begin();
        std::size_t from = at > 200 ? at - 200 : 0;
        fail(what, std::string("a ") + after[i].kind + " changed; before, then after, from the first difference:\n" +
                       b.substr(from, 600) + "\n----\n" + a.substr(from, 600));
    }
}

// Runs one call: it returns True and changes only what it may, or returns
// False or throws velloran::Error with one of the allowed numbers and
// changes nothing.
Boolean call(const Objects& o, const Changes& changes, std::initializer_list<int> allowed, bool fileErrors,
             const std::function<Boolean()>& f) {
    std::vector<Shown> before = state(o);
    Boolean result = False;
    // Allocations fail only within the call itself, never in the checks.
    struct Limit {
        explicit Limit(long n) { allocationsLeft = n; }
        ~Limit() { allocationsLeft = -1; }
    };
    try {
        {
            Limit limit(std::exchange(nextCallAllocations, -1));
            result = f();
        }
        if (result == True) {
            compare(o, before, changes, "a call changed an object it was not given");
            return result;
        }
        if (result != False) fail("a call returned neither True nor False");
    } catch (const Error& e) {
        bool ok = std::find(allowed.begin(), allowed.end(), e.number()) != allowed.end() ||
                  (fileErrors && e.number() >= 52 && e.number() <= 76);
        if (!ok) fail("an error number the call does not raise", e.what() + (" " + std::to_string(e.number())));
    } catch (const std::bad_alloc&) {
        // Out of memory: allowed, as long as nothing changed.
    } catch (const std::exception& e) {
        fail("an exception other than velloran::Error escaped", e.what());
    } catch (...) {
        fail("something other than an exception was thrown");
    }
    compare(o, before, {}, "a call that failed changed an object");
    return result;
}

constexpr std::initializer_list<int> Documented = {errors::Overflow, errors::SubscriptOutOfRange, errors::ObjectNotSet,
                                                   13};

void insert(Objects& o, Reader& in) {
    int relation = in.byte() % RelationCount;
    int target = in.byte() % Slots;
    int child = in.byte() % Slots;
    // A page or cell takes the paragraph it is given.
    const cParagraph* taken =
        relation == InsPageParagraph || relation == InsCellParagraph ? o.paragraphs[child].get() : nullptr;
    auto run = [&](auto& parent, auto&& f) {
        if (parent) call(o, {parent.get(), taken}, Documented, relation == InsPicture, [&] { return f(*parent); });
    };
    switch (relation) {
    case InsPage: run(o.documents[target], [&](cDocument& d) { return d.InsertPage(o.pages[child]); }); break;
    case InsPageParagraph:
        run(o.pages[target], [&](cPage& p) { return p.InsertParagraph(o.paragraphs[child]); });
        break;
    case InsCellParagraph:
        run(o.cells[target], [&](cCell& c) { return c.InsertParagraph(o.paragraphs[child]); });
        break;
    case InsText: run(o.paragraphs[target], [&](cParagraph& p) { return p.InsertText(o.texts[child]); }); break;
    case InsDrawing:
        run(o.paragraphs[target], [&](cParagraph& p) { return p.InsertDrawing(o.drawings[child]); });
        break;
    case InsPicture:
        run(o.paragraphs[target], [&](cParagraph& p) { return p.InsertPicture(o.pictures[child]); });
        break;
    case InsDrawingText: run(o.drawings[target], [&](cDrawing& d) { return d.InsertText(o.boxes[child]); }); break;
    case InsEllipse: run(o.drawings[target], [&](cDrawing& d) { return d.InsertEllipse(o.ellipses[child]); }); break;
    case InsPolygon: run(o.drawings[target], [&](cDrawing& d) { return d.InsertPolygon(o.polygons[child]); }); break;
    case InsPolyline: run(o.drawings[target], [&](cDrawing& d) { return d.InsertPolyline(o.polylines[child]); }); break;
    case InsLine: run(o.drawings[target], [&](cDrawing& d) { return d.InsertLine(o.lines[child]); }); break;
    case InsRect: run(o.drawings[target], [&](cDrawing& d) { return d.InsertRect(o.rects[child]); }); break;
    case InsPolylinePoint:
        run(o.polylines[target], [&](cPolyline& p) { return p.InsertPoint(o.points[child]); });
        break;
    case InsPolygonPoint: run(o.polygons[target], [&](cPolygon& p) { return p.InsertPoint(o.points[child]); }); break;
    }
}

void assign(Objects& o, Reader& in) {
    int reference = in.byte() % ReferenceCount;
    int target = in.byte() % Slots;
    int source = in.byte() % Slots;
    switch (reference) {
    case RefHeader:
        if (auto& d = o.documents[target]) d->Header = o.paragraphs[source];
        break;
    case RefFooter:
        if (auto& d = o.documents[target]) d->Footer = o.paragraphs[source];
        break;
    case RefParagraphBorder:
        if (auto& p = o.paragraphs[target]) p->Border = o.borders[source];
        break;
    case RefCellBorder:
        if (auto& c = o.cells[target]) c->Border = o.borders[source];
        break;
    case RefPictureBorder:
        if (auto& p = o.pictures[target]) p->Border = o.borders[source];
        break;
    case RefBoxText:
        if (auto& t = o.boxes[target]) t->Text(o.texts[source]);
        break;
    case RefPageHeader:
        if (auto& d = o.documents[target]) d->PageHeader = o.pages[source];
        break;
    case RefPageFooter:
        if (auto& d = o.documents[target]) d->PageFooter = o.pages[source];
        break;
    case RefFirstPageHeader:
        if (auto& d = o.documents[target]) d->FirstPageHeader = o.pages[source];
        break;
    case RefFirstPageFooter:
        if (auto& d = o.documents[target]) d->FirstPageFooter = o.pages[source];
        break;
    case RefEvenPageHeader:
        if (auto& d = o.documents[target]) d->EvenPageHeader = o.pages[source];
        break;
    case RefEvenPageFooter:
        if (auto& d = o.documents[target]) d->EvenPageFooter = o.pages[source];
        break;
    case RefSectionHeader:
    case RefSectionFooter: {
        // A section's header is a page that has none of its own: pages
        // holding each other would never be freed.
        auto& page = o.pages[target];
        const auto& given = o.pages[source];
        if (!page || (given && (given == page || given->PageHeader || given->PageFooter))) break;
        for (const auto& p : o.pages)
            if (p && (p->PageHeader == page || p->PageFooter == page)) return;
        (reference == RefSectionHeader ? page->PageHeader : page->PageFooter) = given;
        break;
    }
    }
}

// A bound: a special value, or one near the other bound of its dimension.
std::int32_t nearBound(Reader& in, std::int32_t lower) {
    std::uint8_t b = in.byte();
    if (b < 0xC0)
        return static_cast<std::int32_t>(
            std::clamp<std::int64_t>(std::int64_t{lower} + b % 6 - 1, INT32_MIN, INT32_MAX));
    return in.value();
}

void table(Objects& o, Reader& in) {
    auto& page = o.pages[in.byte() % Slots];
    std::size_t dimensions = in.byte() % 4;
    std::vector<CellArray::Bounds> bounds;
    std::int64_t elements = dimensions == 0 ? 0 : 1;
    for (std::size_t d = 0; d < dimensions; ++d) {
        std::uint8_t b = in.byte();
        std::int32_t lower = b < 0x80 ? b % 3 : in.value();
        std::int32_t upper = nearBound(in, lower);
        std::int64_t extent = std::max<std::int64_t>(0, std::int64_t{upper} - lower + 1);
        // Keep the array small: a huge one would only measure the allocator.
        if (elements * extent > 64) upper = lower == INT32_MIN ? lower : lower - 1, extent = 0;
        elements *= extent;
        bounds.push_back({lower, upper});
    }
    CellArray cells(bounds);
    // Fill every element in storage order through at(): the index runs
    // through the dimensions, the last one fastest.
    if (elements > 0) {
        std::vector<std::int32_t> index(dimensions);
        for (std::size_t d = 0; d < dimensions; ++d) index[d] = bounds[d].lower;
        for (std::int64_t k = 0; k < elements; ++k) {
            std::uint8_t b = in.byte();
            std::shared_ptr<cCell> cell = o.cells[b % Slots];
            switch (dimensions) {
            case 1: cells.at({index[0]}) = cell; break;
            case 2: cells.at({index[0], index[1]}) = cell; break;
            default: cells.at({index[0], index[1], index[2]}) = cell; break;
            }
            for (std::size_t d = dimensions; d-- > 0;) {
                if (index[d] < bounds[d].upper) {
                    ++index[d];
                    break;
                }
                index[d] = bounds[d].lower;
            }
        }
    }
    if (page) call(o, {page.get()}, Documented, false, [&] { return page->InsertTable(cells); });
}

// The object of the source slot moved into the target slot's: a new one
// when the target is empty, moved over the old one otherwise.
template <class T>
void moveInto(Pool<T>& pool, int target, int source) {
    auto& from = pool[source];
    auto& to = pool[target];
    if (!from || target == source) return;
    if (to) *to = std::move(*from);
    else to = std::make_shared<T>(std::move(*from));
}

void move(Objects& o, Reader& in) {
    int cls = in.byte() % ClassCount;
    int target = in.byte() % Slots;
    int source = in.byte() % Slots;
    switch (cls) {
    case ClsDocument: moveInto(o.documents, target, source); break;
    case ClsPage: moveInto(o.pages, target, source); break;
    case ClsCell: moveInto(o.cells, target, source); break;
    case ClsParagraph: moveInto(o.paragraphs, target, source); break;
    case ClsText: moveInto(o.texts, target, source); break;
    case ClsBorder: moveInto(o.borders, target, source); break;
    case ClsPicture: moveInto(o.pictures, target, source); break;
    case ClsDrawing: moveInto(o.drawings, target, source); break;
    case ClsLine: moveInto(o.lines, target, source); break;
    case ClsRect: moveInto(o.rects, target, source); break;
    case ClsEllipse: moveInto(o.ellipses, target, source); break;
    case ClsPolyline: moveInto(o.polylines, target, source); break;
    case ClsPolygon: moveInto(o.polygons, target, source); break;
    case ClsPoint: moveInto(o.points, target, source); break;
    case ClsDrawingText: moveInto(o.boxes, target, source); break;
    }
}

void save(Objects& o, Reader& in, std::set<std::string>& targets) {
    auto& doc = o.documents[in.byte() % Slots];
    std::string path = saveTarget(in.byte());
    if (!doc) return;
    if (call(o, {}, Documented, true, [&] { return doc->Save(path); }) == True) {
        fs::path written(path);
        targets.insert(written.filename().string());
        if (readAll(written) != documentRtf(*doc)) fail("Save wrote other bytes than Rtf gives");
    }
    checkNoStrayFiles(targets);
}

// One operation of the program, and what it reads.
void step(Objects& o, Reader& in, std::set<std::string>& targets, int op);

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    folder();
    platform::setFixedClock(platform::LocalTime{2026, 12, 7, 4, 5});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Reader in(data, size);
    std::error_code ignored;
    fs::remove_all(folder().saves, ignored);
    fs::create_directories(folder().saves / "sub");
    std::set<std::string> targets;

    nextCallAllocations = -1;
    Objects o;
    for (int cls = 0; cls < ClassCount; ++cls) {
        o.create(cls, 0);
        o.create(cls, 1);
    }
    // Files for the pictures to name.
    for (auto& p : o.pictures)
        if (p) p->File = folder().pictures[0];

    while (!in.done()) {
        step(o, in, targets, in.byte() % OpCount);
        checkInvariants(o);
        if (!fs::is_empty(folder().temp)) fail("a temporary file was left in TMPDIR");
    }
    return 0;
}

namespace {

void step(Objects& o, Reader& in, std::set<std::string>& targets, int op) {
    switch (op) {
    case OpNew: {
        int cls = in.byte() % ClassCount;
        o.create(cls, in.byte() % Slots);
        break;
    }
    case OpSet: setField(o, in); break;
    case OpInsert: insert(o, in); break;
    case OpAssign: assign(o, in); break;
    case OpTable: table(o, in); break;
    case OpSave: save(o, in, targets); break;
    case OpFont: {
        auto& d = o.documents[in.byte() % Slots];
        std::string name = in.text();
        std::int32_t charSet = in.value();
        if (d) call(o, {d.get()}, Documented, false, [&] { return d->FontIndex(name, charSet) >= 0 ? True : False; });
        break;
    }
    case OpColor: {
        auto& d = o.documents[in.byte() % Slots];
        std::int32_t color = in.value();
        if (d) call(o, {d.get()}, Documented, false, [&] { return d->ColorIndex(color) >= 1 ? True : False; });
        break;
    }
    case OpMove: move(o, in); break;
    case OpOutOfMemory: nextCallAllocations = in.byte(); break;
    case OpThread: {
        // Another thread, with its own module values (none until it
        // makes a document) and the same fixed clock.
        const int next = in.byte() % OpCount;
        std::thread other([&] {
            platform::setFixedClock(platform::LocalTime{2026, 12, 7, 4, 5});
            step(o, in, targets, next);
        });
        other.join();
        break;
    }
    }
}

}  // namespace

#ifdef VELLORAN_FUZZ_REPLAY
#include "replay.hpp"

int main(int argc, char** argv) {
    LLVMFuzzerInitialize(&argc, &argv);
    return replayFiles(argc, argv);
}
#endif
