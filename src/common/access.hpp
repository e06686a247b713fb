// The library's own access to the fragment writers of its classes.
#pragma once

#include <memory>
#include <string>

#include <velloran/velloran.hpp>

namespace velloran::detail {

struct Access {
    static const std::string& escapedText(const cText& run) { return run.escapedText_; }
    static const Chunks& chunks(const cCell& cell) { return cell.contentRtf_; }
    static std::string content(const cCell& cell) { return cell.contentRtf_.str(); }
    static std::string content(const cParagraph& paragraph) { return paragraph.contentRtf_.str(); }

    static void appendWrapped(const cParagraph& paragraph, std::string& out) { paragraph.appendWrapped(out); }
    static const Chunks& takeRtf(cParagraph& paragraph) { return paragraph.takeRtf(); }

    template <class Fragment, class Out>
    static void appendRtf(const Fragment& object, Out& out) { object.appendRtf(out); }

    template <class Shape>
    static void appendShape(const Shape& shape, std::string& out, std::int32_t z) { shape.appendShape(out, z); }

    template <class Fragment>
    static std::string rtf(const Fragment& object) {
        std::string out;
        object.appendRtf(out);
        return out;
    }

    struct Bounds {
        std::int32_t minX, minY, maxX, maxY;
    };
    static Bounds bounds(const PointShape& shape) {
        return {shape.minX_, shape.minY_, shape.maxX_, shape.maxY_};
    }
};

// TextRunRtf: append one run as "{" + formatting + " " + escaped text + "}",
// or nothing for a null run or an empty text. Error 6 when the size overflows.
void appendTextRun(std::string& out, const cText* run);

// BorderRtf: append the four sides of a border, top, bottom, left, right.
// Error 91 for a null border.
void appendBorder(std::string& out, const cBorder* border);

}  // namespace velloran::detail
