#include "rtf/document.hpp"

namespace velloran::rtf {

std::size_t bodySize(const detail::DocumentState& state) noexcept {
    std::size_t size = 0;
    for (const detail::Segment& segment : state.body) size += segment.words.size() + segment.text.size();
    return size;
}

std::string headerText(const cDocument& doc, const detail::DocumentState& state) {
    std::string header;
    appendHeader(header, doc, state);
    header += '{';
    return detail::resolved(header);
}

}  // namespace velloran::rtf
