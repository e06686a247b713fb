// Basic automation types shared by every Velloran class.
#pragma once

#include <concepts>
#include <cstdint>
#include <stdexcept>
#include <string>

#include <velloran/export.hpp>

namespace velloran {

// The automation boolean: True is -1 (all bits set), False 0. C++'s true
// stores True and false False; an integer stores exactly that integer, so a
// stored 1 is not True for the writers that test for -1, as in a script host.
// It reads back as the 16-bit value it holds, so it compares with True,
// False, -1 and 1 as that number, and with true and false as True and False.
class Boolean {
public:
    constexpr Boolean() noexcept = default;
    constexpr Boolean(bool value) noexcept : value_(value ? -1 : 0) {}
    template <std::integral T>
    requires(!std::same_as<T, bool>) constexpr Boolean(T value) noexcept : value_(static_cast<std::int16_t>(value)) {}

    constexpr operator std::int16_t() const noexcept { return value_; }

    // Only a bool itself: an integer compares as the number it is.
    template <std::same_as<bool> B>
    friend constexpr bool operator==(Boolean a, B b) noexcept {
        return a.value_ == (b ? -1 : 0);
    }

private:
    std::int16_t value_ = 0;
};

inline constexpr Boolean True{std::int16_t{-1}};
inline constexpr Boolean False{std::int16_t{0}};

// Both enumerations are 32-bit and may hold any value; writers decide what an
// out-of-range value yields.
enum vlRTFAlignment : std::int32_t { aLeft = 0, aRight = 1, aCenter = 2, aJustified = 3 };
enum vlRTFBorderType : std::int32_t { bSingle = 1, bDouble = 2, bThick = 3, bShadow = 4, bDot = 5, bHairline = 6 };

// The line style of one side of a border: the same words as
// vlRTFBorderType's, a dashed line besides, and bsFrame, the frame's.
enum vlRTFBorderStyle : std::int32_t {
    bsFrame = 0,
    bsSingle = 1,
    bsDouble = 2,
    bsThick = 3,
    bsShadow = 4,
    bsDot = 5,
    bsHairline = 6,
    bsDash = 7
};

// A field a run shows instead of fixed text, computed by the reader where the
// run stands.
enum vlRTFField : std::int32_t { fNone = 0, fPageNumber = 1, fPageCount = 2, fDate = 3 };

// How a picture is kept in the document: as a Windows metafile (every
// reader), as the PNG or JPEG file itself (a photograph costs about twice its
// file instead of its pixels), or as both, each reader taking the form it
// reads.
enum vlRTFPictureEmbedding : std::int32_t { eMetafile = 0, eOriginal = 1, eOriginalAndMetafile = 2 };

// Where a run stands against the line: on it, raised small, or lowered small.
enum vlRTFVerticalPosition : std::int32_t { vNormal = 0, vSuperscript = 1, vSubscript = 2 };

// Where a cell's text stands between its top and bottom.
enum vlRTFVerticalAlignment : std::int32_t { vaTop = 0, vaCenter = 1, vaBottom = 2 };

// A tab stop's alignment of the text after the tab: its start, its centre,
// its end, or its decimal point at the stop.
enum vlRTFTabAlignment : std::int32_t { tLeft = 0, tCenter = 1, tRight = 2, tDecimal = 3 };
// What fills the space before a tab stop: nothing, dots, hyphens or a line.
enum vlRTFTabLeader : std::int32_t { tlNone = 0, tlDots = 1, tlHyphens = 2, tlUnderline = 3 };

// The kind of list a paragraph is an item of.
enum vlRTFList : std::int32_t { lNone = 0, lBullet = 1, lNumber = 2 };

// The way a page is turned: as the document says, or on its own.
enum vlRTFOrientation : std::int32_t { oDocument = 0, oPortrait = 1, oLandscape = 2 };

// An automation error: number() is the error number a script host sees in
// Err.Number, what() its classic message ("Overflow" for 6, ...), followed
// by where it arose when the library says so ("Overflow: cBorder.TopWidth =
// 40000 at row 2, column 1").
class VELLORAN_API Error : public std::runtime_error {
public:
    explicit Error(int number);
    Error(int number, const std::string& where);
    int number() const noexcept { return number_; }
    // The classic message of an error number; "Application-defined or
    // object-defined error" for numbers the library never raises.
    static const char* message(int number) noexcept;

private:
    int number_;
};

// Error numbers raised by the library.
namespace errors {
inline constexpr int InvalidArgument = 5;
inline constexpr int Overflow = 6;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int BadFileNameOrNumber = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int DiskFull = 61;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccessError = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int ObjectNotSet = 91;
}  // namespace errors

}  // namespace velloran
