// Where the writer's text goes: into a string, the references in it
// resolved for the document it is written in, or kept as they are for text
// that is written again later; or through a buffer of some size to a file.
#pragma once

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
    explicit Output(std::string& to, bool resolve = true) : to_(&to), from_(to.size()), resolve_(resolve) {}
    explicit Output(const platform::Sink& sink) : sink_(&sink), buffer_(new char[Buffer]) {}
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;
    ~Output() = default;

    // The indexes of the text from here on are those of a document
    // assembled into the one written (null: the document's own).
    void setMaps(const detail::IndexMaps* maps) {
        resolve();
        finishReference();
        resolver_ = detail::RefResolver(maps);
        maps_ = maps;
    }

    // The text is written where it goes and its references resolved there,
    // a stretch at a time. A large piece (a picture's hexadecimal) goes to
    // the file as it is held.
    void append(std::string_view text) {
        if (text.size() <= Buffer - used_ && sink_) {
            std::memcpy(buffer_.get() + used_, text.data(), text.size());
            used_ += text.size();
            return;
        }
        if (to_) {
            to_->append(text);
            if (resolve_ && to_->size() - from_ >= Stretch) resolve();
            return;
        }
        if (text.size() > Buffer - used_) {
            resolve();
            pass();
            if (text.size() >= Stretch) {
                resolver_.feed(text, [this](std::string_view piece) { (*sink_)(piece); });
                return;
            }
        }
        std::memcpy(buffer_.get() + used_, text.data(), text.size());
        used_ += text.size();
    }

    // The end of the text: a reference it ends with, and what is gathered
    // for the file.
    void finish() {
        resolve();
        finishReference();
        if (sink_) pass();
    }

private:
    static constexpr std::size_t Stretch = std::size_t{64} * 1024;
    static constexpr std::size_t Buffer = 2 * Stretch;

    char* data() { return to_ ? to_->data() : buffer_.get(); }
    std::size_t size() const { return to_ ? to_->size() : used_; }
    void resize(std::size_t size) {
        if (to_) to_->resize(size);
        else used_ = size;
    }
    void put(std::string_view piece) {
        if (to_) {
            to_->append(piece);
            return;
        }
        if (piece.size() > Buffer - used_) pass();
        if (piece.size() > Buffer) {
            (*sink_)(piece);
            return;
        }
        std::memcpy(buffer_.get() + used_, piece.data(), piece.size());
        used_ += piece.size();
    }

    // The text since the last stretch, resolved: the document's own text
    // only loses the markers of its references, so it is resolved where it
    // lies; a part's indexes may grow as they are mapped.
    void resolve() {
        if (!resolve_ || size() == from_) return;
        if (!maps_) {
            char* const base = data();
            std::size_t at = from_;
            resolver_.feed(std::string_view(base + from_, size() - from_), [&](std::string_view piece) {
                std::memmove(base + at, piece.data(), piece.size());
                at += piece.size();
            });
            resize(at);
        } else {
            raw_.assign(data() + from_, size() - from_);
            resize(from_);
            resolver_.feed(raw_, [this](std::string_view piece) { put(piece); });
        }
        from_ = size();
    }
    void finishReference() {
        if (!resolve_) return;
        resolver_.finish([this](std::string_view piece) { put(piece); });
        from_ = size();
    }
    void pass() {
        if (used_ == 0) return;
        (*sink_)(std::string_view(buffer_.get(), used_));
        used_ = from_ = 0;
    }

    std::string* to_ = nullptr;
    std::size_t from_ = 0;  // where the text not yet resolved begins
    bool resolve_ = true;
    const platform::Sink* sink_ = nullptr;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    std::string raw_;
    const detail::IndexMaps* maps_ = nullptr;
    detail::RefResolver resolver_{nullptr};
};

}  // namespace velloran::rtf
