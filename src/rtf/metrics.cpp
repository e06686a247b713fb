#include "rtf/metrics.hpp"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "common/utf8.hpp"

namespace velloran::rtf {
namespace {

bool sameName(std::string_view a, const char* b) {
    const std::string_view other(b);
    return a.size() == other.size() && std::equal(a.begin(), a.end(), other.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

double faceAdvance(const metrics::Face& face, char32_t c) {
    std::size_t at = 0;
    for (std::size_t r = 0; r < metrics::rangeCount; ++r) {
        const metrics::Range& range = metrics::ranges[r];
        if (c >= range.first && c <= range.last) return face.widths[at + (c - range.first)] / double(face.units);
        at += range.last - range.first + 1;
    }
    return face.widest / double(face.units);
}

bool lineBreak(char32_t c) { return c == U'\n' || c == U'\r'; }

}  // namespace

Measure::Measure(std::string_view fontName, bool bold, bool italic, std::int32_t halfPoints)
    : style_((bold ? 1 : 0) + (italic ? 2 : 0)), halfPoints_(halfPoints) {
    for (std::size_t f = 0; f < metrics::familyCount && !face_; ++f)
        for (const char* name : metrics::families[f].names)
            if (name && sameName(fontName, name)) face_ = &metrics::families[f].faces[style_];
}

std::int32_t Measure::lineHeight() const noexcept {
    double em = 0;
    if (face_) {
        em = face_->height / double(face_->units);
    } else {
        for (std::size_t f = 0; f < metrics::familyCount; ++f) {
            const metrics::Face& face = metrics::families[f].faces[style_];
            em = std::max(em, face.height / double(face.units));
        }
    }
    return static_cast<std::int32_t>(std::lround(em * halfPoints_ * 10));
}

double Measure::advance(char32_t c) const noexcept {
    if (face_) return faceAdvance(*face_, c);
    double widest = 0;
    for (std::size_t f = 0; f < metrics::familyCount; ++f)
        widest = std::max(widest, faceAdvance(metrics::families[f].faces[style_], c));
    return widest;
}

std::int64_t Measure::width(std::string_view utf8) const noexcept {
    double em = 0;
    for (std::size_t at = 0; at < utf8.size();) em += advance(detail::decodeUtf8(utf8, at));
    return static_cast<std::int64_t>(std::ceil(em * halfPoints_ * 10 - 1e-9));
}

std::int32_t Measure::lines(std::string_view utf8, std::int32_t width) const noexcept {
    // In ems: the room, what the line holds, the spaces after it that the
    // next word would bring, the word being read.
    const double room = width / (halfPoints_ * 10.0) + 1e-9;
    std::int32_t lines = 1;
    double line = 0, spaces = 0, word = 0;
    bool empty = true;  // no word on the line yet
    const auto place = [&] {
        if (word == 0) return;
        line += spaces + word;
        spaces = 0, word = 0, empty = false;
    };
    for (std::size_t at = 0; at < utf8.size();) {
        const char32_t c = detail::decodeUtf8(utf8, at);
        if (lineBreak(c)) {
            place();
            if (c == U'\r' && at < utf8.size() && utf8[at] == '\n') ++at;
            ++lines;
            line = 0, spaces = 0, empty = true;
            continue;
        }
        const double w = advance(c);
        if (c == U' ' || c == U'\t') {
            place();
            // A line's first spaces take room; those after a word only when a word follows.
            if (empty) line += w;
            else spaces += w;
            continue;
        }
        // A word that no longer fits after the line's words goes to the next
        // line; one wider than a line on its own goes on at its characters.
        if (!empty && line + spaces + word + w > room) {
            ++lines;
            line = 0, spaces = 0, empty = true;
        }
        if (empty && line + word + w > room && line + word > 0) {
            ++lines;
            line = 0, word = 0;
        }
        word += w;
    }
    place();
    return lines;
}

}  // namespace velloran::rtf
