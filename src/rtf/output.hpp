// Where the writer's text goes: into a string or through a buffer to a
// file, the references in it resolved for the document it is written in, or
// into a string with them kept as they are, for text written again later.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "common/platform.hpp"
#include "common/refs.hpp"

namespace velloran::rtf {

class Output {
public:
    // Text kept as it is goes straight into the string; resolved text is
    // gathered in a buffer first, so that the writer's many small pieces
    // cost a copy each.
    explicit Output(std::string& to, bool resolve = true)
        : to_(&to),
          resolve_(resolve),
          capacity_(resolve ? StringBuffer : 0),
          buffer_(resolve ? new char[StringBuffer] : nullptr) {}
    explicit Output(const platform::Sink& sink) : sink_(&sink), capacity_(FileBuffer), buffer_(new char[FileBuffer]) {}
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;
    ~Output() = default;

    // The indexes of the text from here on are those of a document
    // assembled into the one written (null: the document's own).
    void setMaps(const detail::IndexMaps* maps) {
        flush();
        finishReference();
        resolver_ = detail::RefResolver(maps);
        maps_ = maps;
    }

    void append(std::string_view text) {
        if (text.size() <= capacity_ - used_ && capacity_ != 0) {
            std::memcpy(buffer_.get() + used_, text.data(), text.size());
            used_ += text.size();
            return;
        }
        appendLarge(text);
    }

    // The end of the text: a reference it ends with, and what is gathered.
    void finish() {
        flush();
        finishReference();
    }

private:
    static constexpr std::size_t StringBuffer = std::size_t{4} * 1024;
    static constexpr std::size_t FileBuffer = std::size_t{128} * 1024;
    // Text at least this long is resolved as it is held, without a copy
    // (a picture's hexadecimal).
    static constexpr std::size_t Stretch = std::size_t{64} * 1024;

    void appendLarge(std::string_view text) {
        if (capacity_ == 0) {
            to_->append(text);
            return;
        }
        flush();
        if (text.size() >= std::min(Stretch, capacity_)) {
            resolver_.feed(text, [this](std::string_view piece) { emit(piece); });
            return;
        }
        std::memcpy(buffer_.get(), text.data(), text.size());
        used_ = text.size();
    }

    // What is gathered, resolved: the document's own text only loses the
    // markers of its references, so it is resolved where it lies and goes
    // on whole; a part's indexes may grow as they are mapped.
    void flush() {
        if (used_ == 0) return;
        char* const base = buffer_.get();
        const std::string_view text(base, used_);
        used_ = 0;
        if (maps_) {
            resolver_.feed(text, [this](std::string_view piece) { emit(piece); });
            return;
        }
        std::size_t at = 0;
        resolver_.feed(text, [&](std::string_view piece) {
            std::memmove(base + at, piece.data(), piece.size());
            at += piece.size();
        });
        emit(std::string_view(base, at));
    }
    void finishReference() {
        if (resolve_) resolver_.finish([this](std::string_view piece) { emit(piece); });
    }
    void emit(std::string_view piece) {
        if (to_) to_->append(piece);
        else (*sink_)(piece);
    }

    std::string* to_ = nullptr;
    const platform::Sink* sink_ = nullptr;
    bool resolve_ = true;
    std::size_t capacity_ = 0;  // 0: the text goes straight into the string
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    const detail::IndexMaps* maps_ = nullptr;
    detail::RefResolver resolver_{nullptr};
};

}  // namespace velloran::rtf
