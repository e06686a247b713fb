// The reading of enhanced metafiles, and their playing into standard ones.
#include "picture/enhanced.hpp"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "picture/metafile.hpp"
#include "picture/metafile_records.hpp"

namespace velloran::detail {

bool isEnhancedMetafile(std::string_view file) {
    constexpr std::uint32_t Signature = 0x464D4520;  // " EMF"
    return file.size() >= 88 && get32(file, 0) == 1 && get32(file, 40) == Signature;
}

std::optional<EnhancedMetafile> readEnhancedMetafile(std::string_view file) {
    if (!isEnhancedMetafile(file)) return std::nullopt;
    constexpr std::uint32_t EndOfFile = 14;
    const std::uint64_t bytes = get32(file, 48);
    if (bytes > file.size() || bytes > MaxRasterBytes) return std::nullopt;
    // The frame's size is its right less its left, its bottom less its top.
    auto at = [&](std::size_t offset) {
        return static_cast<std::int64_t>(static_cast<std::int32_t>(get32(file, offset)));
    };
    const std::int64_t width = at(32) - at(24), height = at(36) - at(28);
    if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX) return std::nullopt;
    std::uint64_t offset = 0;
    std::uint32_t type = 0, lastSize = 0;
    while (offset < bytes) {
        if (bytes - offset < 8) return std::nullopt;
        type = get32(file, static_cast<std::size_t>(offset));
        const std::uint32_t size = get32(file, static_cast<std::size_t>(offset) + 4);
        if (size < 8 || size % 4 != 0 || size > bytes - offset) return std::nullopt;
        if (offset == 0 && size < 88) return std::nullopt;
        offset += size;
        lastSize = size;
    }
    // The end-of-file record holds its palette's count and place and its own size.
    if (type != EndOfFile || lastSize < 20) return std::nullopt;
    return EnhancedMetafile{static_cast<std::int32_t>(width), static_cast<std::int32_t>(height),
                            static_cast<std::size_t>(bytes)};
}

namespace {

// Enhanced records turned into standard ones, and the standard functions.
enum : std::uint32_t {
    EmrHeader = 1,
    EmrPolygon = 3,
    EmrPolyline = 4,
    EmrSetWindowExt = 9,
    EmrSetWindowOrg = 10,
    EmrEof = 14,
    EmrSetMapMode = 17,
    EmrSetBkMode = 18,
    EmrSetPolyFillMode = 19,
    EmrMoveTo = 27,
    EmrSelectObject = 37,
    EmrCreatePen = 38,
    EmrCreateBrush = 39,
    EmrDeleteObject = 40,
    EmrEllipse = 42,
    EmrRectangle = 43,
    EmrLineTo = 54,
    EmrPolygon16 = 86,
    EmrPolyline16 = 87
};
constexpr std::uint16_t MetaSetBkMode = 0x0102, MetaSetPolyFillMode = 0x0106, MetaLineTo = 0x0213, MetaMoveTo = 0x0214,
                        MetaSelectObject = 0x012D, MetaEllipse = 0x0418, MetaRectangle = 0x041B, MetaPolygon = 0x0324,
                        MetaPolyline = 0x0325, MetaCreatePen = 0x02FA, MetaCreateBrush = 0x02FC;

struct NotSixteenBits {};

class StandardWriter {
public:
    // Words of 16 bits, signed or not.
    void record(std::uint16_t function, const std::vector<std::int64_t>& words) {
        const auto size = static_cast<std::uint32_t>(3 + words.size());
        put32(records_, size);
        put16(records_, function);
        for (std::int64_t w : words) {
            if (w < INT16_MIN || w > UINT16_MAX) throw NotSixteenBits{};
            put16(records_, static_cast<std::uint32_t>(w) & 0xFFFF);
        }
        largest_ = std::max(largest_, size);
    }
    // A record whose words are coordinates, which must fit a signed 16 bits;
    // one that draws counts as drawn.
    void place(std::uint16_t function, const std::vector<std::int64_t>& words, bool draws = false) {
        for (std::int64_t w : words)
            if (w > INT16_MAX) throw NotSixteenBits{};
        record(function, words);
        if (draws) ++drawn_;
    }
    void draw(std::uint16_t function, const std::vector<std::int64_t>& words) { place(function, words, true); }
    // The lowest free place in the object table, which a new object takes.
    std::uint16_t make() {
        auto index = objects_.make();
        if (!index) throw NotSixteenBits{};
        return *index;
    }
    void remove(std::uint16_t index) { objects_.remove(index); }
    std::string finish() {
        std::string out;
        const std::uint32_t words = static_cast<std::uint32_t>(HeaderBytes + records_.size()) / 2 + 3;
        put16(out, 1);
        put16(out, 9);
        put16(out, 0x0300);
        put32(out, words);
        put16(out, objects_.size());
        put32(out, largest_);
        put16(out, 0);
        out += records_;
        put32(out, 3);
        put16(out, MetaEof);
        return out;
    }
    std::size_t drawn() const { return drawn_; }

private:
    std::string records_;
    ObjectTable objects_;
    std::uint32_t largest_ = 3;
    std::size_t drawn_ = 0;
};

}  // namespace

namespace {

// Plays an enhanced metafile's records into a standard one.
class EnhancedPlayer {
public:
    explicit EnhancedPlayer(std::string_view file) : file_(file) {}

    std::int64_t i32(std::size_t at) const { return static_cast<std::int32_t>(get32(file_, at)); }
    std::int64_t i16(std::size_t at) const { return static_cast<std::int16_t>(get16(file_, at)); }

    // The picture spans the header's bounds.
    void start() {
        out_.record(MetaSetMapMode, {8});
        out_.place(MetaSetWindowOrg, {i32(12), i32(8)});
        out_.place(MetaSetWindowExt, {i32(20) - i32(12) + 1, i32(16) - i32(8) + 1});
        started_ = out_.drawn();
    }

    // One record of `size` bytes at `at`; False at the end-of-file record.
    bool play(std::uint32_t type, std::size_t at, std::uint32_t size) {
        at_ = at, size_ = size;
        switch (type) {
        case EmrPolyline16: polyline(MetaPolyline, false); break;
        case EmrPolygon16: polyline(MetaPolygon, false); break;
        case EmrPolyline: polyline(MetaPolyline, true); break;
        case EmrPolygon: polyline(MetaPolygon, true); break;
        case EmrRectangle: box(MetaRectangle); break;
        case EmrEllipse: box(MetaEllipse); break;
        case EmrMoveTo: point(MetaMoveTo, false); break;
        case EmrLineTo: point(MetaLineTo, true); break;
        case EmrSetWindowExt: point(MetaSetWindowExt, false); break;
        case EmrSetWindowOrg: point(MetaSetWindowOrg, false); break;
        case EmrSetMapMode: mode(MetaSetMapMode); break;
        case EmrSetBkMode: mode(MetaSetBkMode); break;
        case EmrSetPolyFillMode: mode(MetaSetPolyFillMode); break;
        case EmrCreatePen:
        case EmrCreateBrush: create(type == EmrCreatePen); break;
        case EmrSelectObject: select(); break;
        case EmrDeleteObject: remove(); break;
        default: break;
        }
        return type != EmrEof;
    }

    // Nothing when no line or shape was drawn.
    std::optional<std::string> finish() {
        if (out_.drawn() == started_) return std::nullopt;
        return out_.finish();
    }

private:
    bool has(std::size_t n) const { return size_ >= n; }
    std::uint32_t u32(std::size_t offset) const { return get32(file_, at_ + offset); }

    void polyline(std::uint16_t function, bool wide) {
        if (!has(28)) return;
        const std::uint64_t count = u32(24);
        const std::size_t each = wide ? 8 : 4;
        if (count == 0 || count > 0x7FFF || (size_ - 28) / each < count) return;
        std::vector<std::int64_t> words{static_cast<std::int64_t>(count)};
        for (std::size_t k = 0; k < count; ++k) {
            const std::size_t p = at_ + 28 + k * each;
            words.push_back(wide ? i32(p) : i16(p));
            words.push_back(wide ? i32(p + 4) : i16(p + 2));
        }
        out_.draw(function, words);
    }
    // Left, top, right, bottom; the standard record takes them backwards.
    void box(std::uint16_t function) {
        if (has(24)) out_.draw(function, {i32(at_ + 20), i32(at_ + 16), i32(at_ + 12), i32(at_ + 8)});
    }
    // A point, or the window's origin or extent: coordinates, y before x.
    void point(std::uint16_t function, bool draws) {
        if (has(16)) out_.place(function, {i32(at_ + 12), i32(at_ + 8)}, draws);
    }
    void mode(std::uint16_t function) {
        if (has(12)) out_.record(function, {i32(at_ + 8)});
    }
    void create(bool pen) {
        if (!has(pen ? 28 : 24)) return;
        const std::uint32_t handle = u32(8);
        if (handle >= 0xFFFF) return;
        if (handles_.size() <= handle) handles_.resize(handle + 1, -1);
        // A handle made again lets its earlier object go, in the reader's table too.
        if (handles_[handle] >= 0) {
            out_.record(MetaDeleteObject, {handles_[handle]});
            out_.remove(static_cast<std::uint16_t>(handles_[handle]));
        }
        const std::uint32_t color = u32(pen ? 24 : 16);
        if (pen) out_.record(MetaCreatePen, {u32(12) & 0xFFFF, i32(at_ + 16), 0, color & 0xFFFF, color >> 16});
        else out_.record(MetaCreateBrush, {u32(12) & 0xFFFF, color & 0xFFFF, color >> 16, u32(20) & 0xFFFF});
        handles_[handle] = out_.make();
    }
    void select() {
        if (!has(12)) return;
        const std::uint32_t handle = u32(8);
        if (handle & 0x80000000u) selectStock(handle & 0x7FFFFFFF);
        else if (handle < handles_.size() && handles_[handle] >= 0) out_.record(MetaSelectObject, {handles_[handle]});
    }
    // A standard metafile has no stock objects: one of the same kind is
    // made, selected, and deleted when the next stock one of its kind is.
    // White, greys, black and no brush are 0 to 5; white, black and no pen 6 to 8.
    void selectStock(std::uint32_t stock) {
        static const std::uint32_t greys[] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0};
        if (stock > 8) return;
        std::int32_t& last = stock <= 5 ? stockBrush_ : stockPen_;
        if (stock <= 5) {
            const std::uint32_t color = stock < 5 ? greys[stock] : 0;
            out_.record(MetaCreateBrush, {stock == 5 ? 1 : 0, color & 0xFFFF, color >> 16, 0});
        } else {
            out_.record(MetaCreatePen, {stock == 8 ? 5 : 0, 0, 0, stock == 6 ? 0xFFFF : 0, stock == 6 ? 0xFF : 0});
        }
        const std::uint16_t made = out_.make();
        out_.record(MetaSelectObject, {made});
        if (last >= 0) {
            out_.record(MetaDeleteObject, {last});
            out_.remove(static_cast<std::uint16_t>(last));
        }
        last = made;
    }
    void remove() {
        if (!has(12)) return;
        const std::uint32_t handle = u32(8);
        if (handle >= handles_.size() || handles_[handle] < 0) return;
        out_.record(MetaDeleteObject, {handles_[handle]});
        out_.remove(static_cast<std::uint16_t>(handles_[handle]));
        handles_[handle] = -1;
    }

    std::string_view file_;
    std::size_t at_ = 0;
    std::uint32_t size_ = 0;
    StandardWriter out_;
    std::size_t started_ = 0;
    // The standard object each enhanced handle stands for (-1: none).
    std::vector<std::int32_t> handles_;
    std::int32_t stockPen_ = -1, stockBrush_ = -1;
};

}  // namespace

std::optional<std::string> standardFromEnhanced(std::string_view file, std::size_t bytes) {
    EnhancedPlayer player(file);
    try {
        player.start();
        for (std::size_t at = 0; at + 8 <= bytes;) {
            const std::uint32_t type = get32(file, at), size = get32(file, at + 4);
            if (size < 8 || !player.play(type, at, size)) break;
            at += size;
        }
        return player.finish();
    } catch (const NotSixteenBits&) {
        return std::nullopt;
    }
}

}  // namespace velloran::detail
