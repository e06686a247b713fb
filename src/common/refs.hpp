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

// A reference is RefStart, its kind, the index in decimal and RefEnd: bytes
// that RTF text never holds (the writer escapes every control character, and
// raw RTF is printable ASCII).
inline constexpr char RefStart = '\x01';
inline constexpr char RefEnd = '\x02';
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
    *at++ = RefEnd;
    out.append(buffer, at);
}

// Where the indexes of an assembled document stand in the whole: font k is
// fonts[k] (0, the part's default font, included), colour k is colors[k - 1]
// (0, the automatic colour, stays), style k is styles[k - 1] (0, Normal,
// stays), and every list number moves up by listShift (an even number, so a
// bulleted list stays bulleted). An index the part's tables never gave
// stays as it was.
struct IndexMaps {
    std::vector<std::int32_t> fonts, colors, styles;
    std::int32_t listShift = 0;

    std::int64_t map(Ref kind, std::int64_t index) const noexcept {
        auto at = [&](const std::vector<std::int32_t>& table, std::int64_t slot) -> std::int64_t {
            return slot >= 0 && slot < static_cast<std::int64_t>(table.size()) ? table[static_cast<std::size_t>(slot)]
                                                                               : index;
        };
        switch (kind) {
        case Ref::Font: return at(fonts, index);
        case Ref::Color: return index > 0 ? at(colors, index - 1) : index;
        case Ref::Style: return index > 0 ? at(styles, index - 1) : index;
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
// lie across two pieces), handing on the text in pieces: with no maps, the
// text around each reference and its digits as they stand, without a copy.
class RefResolver {
public:
    explicit RefResolver(const IndexMaps* maps) noexcept : maps_(maps) {}

    template <class Emit>
    void feed(std::string_view piece, Emit&& emit) {
        while (!piece.empty()) {
            if (!pending_.empty()) {
                const std::size_t end = piece.find(RefEnd);
                pending_.append(piece.substr(0, end));
                if (end == std::string_view::npos) return;
                piece.remove_prefix(end + 1);
                resolve(pending_, emit);
                pending_.clear();
                continue;
            }
            const void* found = std::memchr(piece.data(), RefStart, piece.size());
            if (!found) {
                emit(piece);
                return;
            }
            const auto start = static_cast<std::size_t>(static_cast<const char*>(found) - piece.data());
            if (start > 0) emit(piece.substr(0, start));
            const std::size_t end = piece.find(RefEnd, start);
            if (end == std::string_view::npos) {
                pending_.assign(piece.substr(start + 1));
                if (pending_.empty()) pending_.push_back('\0');
                return;
            }
            resolve(piece.substr(start + 1, end - start - 1), emit);
            piece.remove_prefix(end + 1);
        }
    }

private:
    // body: the kind and the digits (a reference begun in one piece holds a
    // NUL in place of its kind when only its start was there).
    template <class Emit>
    void resolve(std::string_view body, Emit&& emit) {
        if (body.starts_with('\0')) body.remove_prefix(1);
        if (body.empty()) return;
        const auto kind = static_cast<Ref>(body.front());
        std::string_view digits = body.substr(1);
        if (!maps_) {
            emit(digits);
            return;
        }
        std::int64_t index = 0;
        std::from_chars(digits.data(), digits.data() + digits.size(), index);
        auto result = std::to_chars(number_, number_ + sizeof number_, maps_->map(kind, index));
        emit(std::string_view(number_, static_cast<std::size_t>(result.ptr - number_)));
    }

    const IndexMaps* maps_;
    std::string pending_;
    char number_[24] = {};
};

// Text as written in its own document.
inline std::string resolved(std::string_view text, const IndexMaps* maps = nullptr) {
    std::string out;
    out.reserve(text.size());
    RefResolver resolver(maps);
    resolver.feed(text, [&](std::string_view piece) { out.append(piece); });
    return out;
}

}  // namespace velloran::detail
