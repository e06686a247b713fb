// Number text, checked arithmetic, colours, string routines, escaping,
// errors, cell arrays and the file helpers.
#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "common/checked.hpp"
#include "common/color.hpp"
#include "common/files.hpp"
#include "common/numtext.hpp"
#include "support.hpp"
#include "rtf/strings.hpp"

namespace velloran {
namespace {

using test::errorOf;

// The number as appendNum puts it after a control word.
std::string appended(std::int64_t value) {
    std::string text = "\\fs";
    detail::appendNum(text, value);
    return text.substr(3);
}

TEST(NumberText, PlainDecimal) {
    EXPECT_EQ(appended(0), "0");
    EXPECT_EQ(appended(7), "7");
    EXPECT_EQ(appended(-20), "-20");
    EXPECT_EQ(appended(INT32_MIN), "-2147483648");
    EXPECT_EQ(appended(INT32_MAX), "2147483647");
    EXPECT_EQ(appended(std::int16_t{-32768}), "-32768");
}

TEST(CheckedArithmetic, RaisesOverflowAtTheEdges) {
    EXPECT_EQ(detail::add(INT32_MAX - 1, 1), INT32_MAX);
    EXPECT_EQ(errorOf([] { detail::add(INT32_MAX, 1); }), 6);
    EXPECT_EQ(errorOf([] { detail::sub(INT32_MIN, 1); }), 6);
    EXPECT_EQ(errorOf([] { detail::mul(1073741824, 2); }), 6);
    EXPECT_EQ(detail::mul(-1073741824, 2), INT32_MIN);
    EXPECT_EQ(errorOf([] { detail::abs32(INT32_MIN); }), 6);
    EXPECT_EQ(detail::abs32(-5), 5);
    EXPECT_EQ(detail::narrow16(-32768), -32768);
    EXPECT_EQ(errorOf([] { detail::narrow16(32768); }), 6);
    EXPECT_EQ(errorOf([] { detail::narrow16(-32769); }), 6);
}

TEST(SplitRGB, BytesInMemoryOrder) {
    auto c = detail::SplitRGB(0x0080FF);
    EXPECT_EQ(c.red, 255);
    EXPECT_EQ(c.green, 128);
    EXPECT_EQ(c.blue, 0);
    auto all = detail::SplitRGB(-1);
    EXPECT_EQ(all.red, 255);
    EXPECT_EQ(all.blue, 255);
    EXPECT_EQ(all.high, 255);
    auto high = detail::SplitRGB(static_cast<std::int32_t>(0x80000005u));
    EXPECT_EQ(high.red, 5);
    EXPECT_EQ(high.green, 0);
    EXPECT_EQ(high.high, 128);
}

std::string runText(const std::string& text) {
    std::string out;
    rtf::appendEscapedRunText(out, text);
    return out;
}

std::string infoText(const std::string& text) {
    std::string out;
    rtf::appendEscapedInfo(out, text);
    return out;
}

std::string fontText(const std::string& text) {
    std::string out;
    rtf::appendEscapedFontName(out, text);
    return out;
}

TEST(Escaping, RunTextPasses) {
    EXPECT_EQ(runText("C:\\x"), "C:\\\\x");
    EXPECT_EQ(runText("a{b}"), "a\\{b\\}");
    EXPECT_EQ(runText("a\tb"), "a\\tab b");
    EXPECT_EQ(runText("1\r\n2\r3"), "1\\line 2\\line 3");
    EXPECT_EQ(runText("a\r\n\rb"), "a\\line \\line b");
    EXPECT_EQ(runText("\r\r\n"), "\\line \\line ");
    // Every kind of line end gives one line break.
    EXPECT_EQ(runText("a\nb\n\rc"), "a\\line b\\line \\line c");
    EXPECT_EQ(runText("\xe2\x80\xa2 item"), "\\bullet  item");
    EXPECT_EQ(runText("\\tab"), "\\\\tab");
    // Other control characters reach no reader raw.
    EXPECT_EQ(runText(std::string("a\0b\x0b\x0c\x1f\x7f;", 8)), "a\\'00b\\'0b\\'0c\\'1f\\'7f;");
}

TEST(Escaping, CharactersAboveAsciiAsUnicodeEscapes) {
    // "\uc1" once, before the first escape; every escape carries a "?".
    EXPECT_EQ(runText("caf\xc3\xa9x \xce\xb1\xce\xb2"), "caf\\uc1\\u233\\'3fx \\u945\\'3f\\u946\\'3f");
    EXPECT_EQ(runText("\xe2\x82\xac"), "\\uc1\\u8364\\'3f");
    EXPECT_EQ(runText("\xee\x80\x80"), "\\uc1\\u-8192\\'3f");
    EXPECT_EQ(runText("\xc3\xa9t\xc3\xa9"), "\\uc1\\u233\\'3ft\\u233\\'3f");
    // Beyond U+FFFF: one escape per surrogate.
    EXPECT_EQ(runText("\xf0\x9f\x98\x80"), "\\uc1\\u-10179\\'3f\\u-8704\\'3f");
    EXPECT_EQ(runText("\xef\xbf\xbf"), "\\uc1\\u-1\\'3f");
    // The bullet has a control word of its own and needs no "\uc1".
    EXPECT_EQ(runText("\xe2\x80\xa2 \xc3\xa9"), "\\bullet  \\uc1\\u233\\'3f");
    EXPECT_EQ(runText("plain ascii"), "plain ascii");
}

TEST(Escaping, InvalidUtf8CountsAsReplacementCharacter) {
    EXPECT_EQ(runText("a\xff"
                      "b"),
              "a\\uc1\\u-3\\'3fb");
    EXPECT_EQ(runText("\xc3"), "\\uc1\\u-3\\'3f");
    EXPECT_EQ(runText("\xc0\xaf"), "\\uc1\\u-3\\'3f\\u-3\\'3f");                 // overlong "/"
    EXPECT_EQ(runText("\xed\xa0\x80"), "\\uc1\\u-3\\'3f\\u-3\\'3f\\u-3\\'3f");   // a surrogate
    EXPECT_EQ(runText("\xf4\x90\x80\x80").substr(0, 14), "\\uc1\\u-3\\'3f\\u");  // above U+10FFFF
}

TEST(Escaping, NamesEscapeControlCharactersAndNonAscii) {
    EXPECT_EQ(fontText("a\\b{c}"), "a\\\\b\\{c\\}");
    EXPECT_EQ(infoText("a\\b{c}"), "a\\'5cb\\'7bc\\'7d");
    for (auto name : {infoText, fontText}) {
        // A line break is a space: LibreOffice starts the body with an empty paragraph for a \'0d or \'0a.
        EXPECT_EQ(name(std::string("tab\there\r\n\0\x7f\r\n", 14)), "tab\\'09here \\'00\\'7f ");
    }
    // An information string announces its escapes at its start; a font name
    // right before them, and leaves out a ";", which would end the entry.
    EXPECT_EQ(infoText("\xce\xa9 \xe2\x80\xa2;"), "\\uc1 \\u937\\'3f \\u8226\\'3f;");
    EXPECT_EQ(fontText("Semi;colon \xce\xa9"), "Semicolon \\uc1\\u937\\'3f");
}

TEST(UpperCase, UnicodeAware) {
    EXPECT_EQ(platform::upperCase("times new roman"), "TIMES NEW ROMAN");
    EXPECT_EQ(platform::upperCase("\xce\xb1\xce\xb2\xce\xb3"), "\xce\x91\xce\x92\xce\x93");
    EXPECT_EQ(platform::upperCase("caf\xc3\xa9"), "CAF\xc3\x89");
    EXPECT_EQ(platform::upperCase("\xd0\xb0"), "\xd0\x90");
}

TEST(Errors, NumbersAndClassicMessages) {
    struct Case {
        int number;
        const char* message;
    } cases[] = {{6, "Overflow"},
                 {9, "Subscript out of range"},
                 {91, "Object variable or With block variable not set"},
                 {52, "Bad file name or number"},
                 {53, "File not found"},
                 {61, "Disk full"},
                 {70, "Permission denied"},
                 {75, "Path/File access error"},
                 {76, "Path not found"}};
    for (const auto& c : cases) {
        Error e(c.number);
        EXPECT_EQ(e.number(), c.number);
        EXPECT_STREQ(e.what(), c.message);
    }
    const std::runtime_error& base = Error(6);
    EXPECT_STREQ(base.what(), "Overflow");
}

TEST(CellArray, BoundsAndElements) {
    CellArray cells({{1, 2}, {1, 3}});
    EXPECT_EQ(cells.dimensions(), 2u);
    EXPECT_EQ(cells.lbound(1), 1);
    EXPECT_EQ(cells.ubound(1), 2);
    EXPECT_EQ(cells.ubound(2), 3);
    auto cell = std::make_shared<cCell>();
    cells.at({2, 3}) = cell;
    EXPECT_EQ(cells.at({2, 3}), cell);
    EXPECT_EQ(cells.at({1, 3}), nullptr);
    EXPECT_EQ(cells.at({2, 2}), nullptr);
    EXPECT_EQ(errorOf([&] { cells.at({0, 1}); }), 9);
    EXPECT_EQ(errorOf([&] { cells.at({3, 1}); }), 9);
    EXPECT_EQ(errorOf([&] { cells.at({1}); }), 9);
    EXPECT_EQ(errorOf([&] { cells.ubound(3); }), 9);
    CellArray empty({{0, -1}});
    EXPECT_EQ(empty.ubound(1), -1);
    EXPECT_EQ(errorOf([&] { empty.at({0}); }), 9);
    CellArray negative({{-2, 0}, {5, 6}});
    negative.at({-2, 5}) = cell;
    EXPECT_EQ(negative.at({-2, 5}), cell);
}

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = test::testFolder("velloran-test");
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::string folder() const { return folder_.string() + "/"; }
    std::filesystem::path folder_;
};

TEST_F(TempFolder, FileExists) {
    std::string path = folder() + "f.txt";
    EXPECT_FALSE(detail::FileExists(path));
    EXPECT_FALSE(detail::FileExists(""));
    std::ofstream(path).close();
    EXPECT_FALSE(detail::FileExists(path));  // empty
    std::ofstream(path) << "x";
    EXPECT_TRUE(detail::FileExists(path));
}

}  // namespace
}  // namespace velloran
