// Helpers shared by the tests.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include <velloran/velloran.hpp>

#include "common/access.hpp"
#include "common/platform.hpp"
#include "common/refs.hpp"
#include "rtf/border.hpp"
#include "rtf/run.hpp"
#include "rtf/section.hpp"
#include "rtf/shapes.hpp"

namespace velloran::test {

// Fixes this thread's clock for the lifetime of the guard.
class FixedClock {
public:
    explicit FixedClock(platform::LocalTime time = {2026, 12, 7, 4, 5}) { platform::setFixedClock(time); }
    ~FixedClock() { platform::setFixedClock(std::nullopt); }
};

// The fragment an object gives its parent, as its document writes it.
template <class T>
std::string fragment(const T& object) {
    std::string out;
    rtf::appendRtf(object, out);
    return detail::resolved(out);
}

inline std::string run(const cText& text) {
    std::string out;
    rtf::appendTextRun(out, &text);
    return detail::resolved(out);
}

inline std::string border(const cBorder& b) {
    std::string out;
    rtf::appendBorder(out, &b);
    return detail::resolved(out);
}

// The header of the default document rendered at 04:05 on 7 December 2026,
// up to and including the body defaults.
inline const std::string DefaultHeader =
    R"({\rtf1\ansi\ansicpg1253\uc0\deff0)"
    R"({\fonttbl{\f0\fnil\fcharset0\fprq2 Arial;}})"
    R"({\colortbl;\red0\green0\blue0;\red255\green255\blue255;})"
    R"({\stylesheet{\fs20 \snext0 Normal;}})"
    R"({\info{\author }{\operator }{\title }{\subject }{\comment Brenmoor - Velloran.dll})"
    R"({\creatim\yr2026\mo12\dy7\hr4\min5}{\revtim\yr2026\mo12\dy7\hr4\min5}{\version2})"
    R"({\edmins7}{\nofpages0}{\nofwords0}{\nofchars0}{\vern8351}})"
    R"(\paperw11906\paperh16837\margl1440\margr1440\margt1440\margb1440)"
    R"(\widowctrl\ftnbj \sectd \pmmetafile28\endnhere\pard\plain\ql\f0\fs20\cb2\cf1 )";

// Every "{" matched by a "}" that follows it, escaped braces aside.
inline bool balanced(const std::string& rtf) {
    long depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
            continue;
        }
        if (rtf[i] == '{') ++depth;
        if (rtf[i] == '}' && --depth < 0) return false;
    }
    return depth == 0;
}

// The whole content of a file; empty when it cannot be read.
inline std::string fileContent(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A folder of this process's and this test's own in the temporary folder
// (not created), so that tests run side by side never share one.
inline std::filesystem::path testFolder(const std::string& prefix) {
    return std::filesystem::temp_directory_path() / (prefix + "-" + std::to_string(::getpid()) + "-" +
                                                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
}

// Runs f in a child process; its exit status, or 255 when it did not exit.
template <class F>
int inChild(F&& f) {
    pid_t pid = ::fork();
    if (pid == 0) ::_exit(f());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

// Raises the automation error number, or -1 when the call does not fail.
template <class F>
int errorOf(F&& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.number();
    }
    return -1;
}

}  // namespace velloran::test
