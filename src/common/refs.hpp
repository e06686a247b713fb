// Indexes into a document's tables (fonts, colours, styles, lists) as the
// text of pages, cells and paragraphs holds them: as references, which the
// writer resolves for the document the text is written in. A document's own
// text resolves to the very numbers the host gave; a document assembled into
// another is written with its indexes mapped to the whole's tables.
#pragma once

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "common/numtext.hpp"

namespace velloran::detail {

// A reference is its word, RefStart and its kind, and the index in decimal:
// RefStart is a byte that RTF text never holds (the writer escapes every
// control character, and raw RTF is printable ASCII), and the index stands
// where a document's own text has it, so writing that text only leaves the
// marker's two bytes out. The index ends where its digits do: in RTF a
// number is never followed by a digit.
inline constexpr char RefStart = '\x01';
enum class Ref : char { Font = 'f', Color = 'c', Style = 's', List = 'l' };

// A control word and the index it takes ("\cf" and colour 3).
inline void appendRef(std::string& out, std::string_view word, Ref kind, std::int64_t index) {
    // One append: the words are a few characters long.
    char buffer[64];
    if (word.size() > 32) {
        out.append(word);
        word = {};
    }
    char* at = std::copy(word.begin(), word.end(), buffer);
    *at++ = RefStart;
    *at++ = static_cast<char>(kind);
    at = std::to_chars(at, buffer + sizeof buffer, index).ptr;
    out.append(buffer, at);
}

// Where the indexes of an assembled document stand in the whole: font k is
// fonts[k] (0, the part's default font, included), colour k is colors[k - 1]
// (0, the automatic colour, stays), style k is styles[k - 1] (0, Normal,
// stays), and every list number moves up by listShift (an even number, so a
// bulleted list stays bulleted). An index the part's tables never gave is
// the whole's default: the part's default font, the automatic colour,
// Normal.
struct IndexMaps {
    std::vector<std::int32_t> fonts, colors, styles;
    std::int64_t listShift = 0;

    std::int64_t map(Ref kind, std::int64_t index) const noexcept {
        auto at = [](const std::vector<std::int32_t>& table, std::int64_t slot, std::int64_t otherwise) {
            return slot >= 0 && slot < static_cast<std::int64_t>(table.size()) ? table[static_cast<std::size_t>(slot)]
                                                                               : otherwise;
        };
        switch (kind) {
        case Ref::Font: return at(fonts, index, fonts.empty() ? 0 : fonts[0]);
        case Ref::Color: return index == 0 ? 0 : at(colors, index - 1, 0);
        case Ref::Style: return index == 0 ? 0 : at(styles, index - 1, 0);
        case Ref::List: return index > 0 ? index + listShift : index;
        }
        return index;
    }

    // These maps after inner: for a part of a part.
    IndexMaps after(const IndexMaps& inner) const {
        IndexMaps out;
        auto through = [&](const std::vector<std::int32_t>& table, Ref kind, std::vector<std::int32_t>& to) {
            to.reserve(table.size());
            for (std::int32_t index : table) to.push_back(static_cast<std::int32_t>(map(kind, index)));
        };
        through(inner.fonts, Ref::Font, out.fonts);
        through(inner.colors, Ref::Color, out.colors);
        through(inner.styles, Ref::Style, out.styles);
        out.listShift = inner.listShift + listShift;
        return out;
    }
};

// Resolves the references of a text given piece by piece (a reference may
// lie across two pieces), handing on the text in pieces. With no maps, that
// is the text around each marker as it stands, without a copy; with maps,
// each index is read after its marker and handed on mapped. finish() hands
// on an index the text ends with.
class RefResolver {
public:
    explicit RefResolver(const IndexMaps* maps) noexcept : maps_(maps) {}

    template <class Emit>
    void feed(std::string_view piece, Emit&& emit) {
        const char* at = piece.data();
        const char* const end = at + piece.size();
        while (at != end) {
            if (kindNext_) {
                // The kind of a marker that the piece before began.
                kind_ = static_cast<Ref>(*at++);
                kindNext_ = false;
                reading_ = maps_ != nullptr;
                continue;
            }
            if (reading_) {
                at = readIndex(at, end);
                if (at == end) return;
                emitIndex(emit);
                continue;
            }
            const void* found = std::memchr(at, RefStart, static_cast<std::size_t>(end - at));
            if (!found) {
                emit(std::string_view(at, static_cast<std::size_t>(end - at)));
                return;
            }
            const char* start = static_cast<const char*>(found);
            if (start != at) emit(std::string_view(at, static_cast<std::size_t>(start - at)));
            if (end - start == 1) {
                kindNext_ = true;
                return;
            }
            kind_ = static_cast<Ref>(start[1]);
            at = start + 2;
            reading_ = maps_ != nullptr;
        }
    }

    template <class Emit>
    void finish(Emit&& emit) {
        if (reading_) emitIndex(emit);
    }

private:
    // The sign and digits of an index from at on, kept until they end.
    const char* readIndex(const char* at, const char* end) {
        const char* digits = at;
        if (digits != end && *digits == '-' && index_.empty()) ++digits;
        while (digits != end && *digits >= '0' && *digits <= '9') ++digits;
        index_.append(at, digits);
        return digits;
    }

    template <class Emit>
    void emitIndex(Emit&& emit) {
        std::int64_t index = 0;
        std::from_chars(index_.data(), index_.data() + index_.size(), index);
        auto result = std::to_chars(number_, number_ + sizeof number_, maps_->map(kind_, index));
        emit(std::string_view(number_, static_cast<std::size_t>(result.ptr - number_)));
        index_.clear();
        reading_ = false;
    }

    const IndexMaps* maps_;
    bool kindNext_ = false;  // a marker's kind is the next byte
    bool reading_ = false;
    Ref kind_ = Ref::Font;
    std::string index_;
    char number_[24] = {};
};

// Text as written in its own document.
inline std::string resolved(std::string_view text, const IndexMaps* maps = nullptr) {
    std::string out;
    out.reserve(text.size());
    RefResolver resolver(maps);
    auto append = [&](std::string_view piece) { out.append(piece); };
    resolver.feed(text, append);
    resolver.finish(append);
    return out;
}

}  // namespace velloran::detail
