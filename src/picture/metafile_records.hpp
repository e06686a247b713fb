// What the readers and writers of standard metafiles share: little-endian
// words, the functions' numbers, the header's size and the object table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <queue>
#include <string>
#include <string_view>
#include <vector>

namespace velloran::detail {

inline void put16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
inline void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
inline std::uint32_t get16(std::string_view d, std::size_t at) {
    return static_cast<unsigned char>(d[at]) | static_cast<unsigned char>(d[at + 1]) << 8;
}
inline std::uint32_t get32(std::string_view d, std::size_t at) { return get16(d, at) | get16(d, at + 2) << 16; }

constexpr std::uint16_t MetaEof = 0x0000;
constexpr std::uint16_t MetaSetMapMode = 0x0103;
constexpr std::uint16_t MetaSetStretchBltMode = 0x0107;
constexpr std::uint16_t MetaSetWindowOrg = 0x020B;
constexpr std::uint16_t MetaSetWindowExt = 0x020C;
constexpr std::uint16_t MetaStretchDib = 0x0F43;
constexpr std::uint16_t MetaDeleteObject = 0x01F0;
constexpr std::uint32_t SrcCopy = 0x00CC0020;
constexpr std::size_t HeaderBytes = 18;

// The object table a metafile's records need, as its header declares it:
// the most objects alive at once.
class ObjectTable {
public:
    // The place the new object takes; nothing when the table would pass the
    // header's 16-bit count.
    std::optional<std::uint16_t> make() {
        if (!freed_.empty()) {
            const auto index = static_cast<std::uint16_t>(freed_.top());
            alive_[index] = true;
            freed_.pop();
            return index;
        }
        if (alive_.size() == 0xFFFF) return std::nullopt;
        alive_.push_back(true);
        return static_cast<std::uint16_t>(alive_.size() - 1);
    }
    void remove(std::uint32_t index) {
        if (index < alive_.size() && alive_[index]) {
            alive_[index] = false;
            freed_.push(index);
        }
    }
    std::uint16_t size() const { return static_cast<std::uint16_t>(alive_.size()); }

private:
    std::vector<bool> alive_;
    std::priority_queue<std::uint32_t, std::vector<std::uint32_t>, std::greater<>> freed_;
};

}  // namespace velloran::detail
