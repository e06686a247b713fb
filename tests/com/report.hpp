// What every test program of the COM run prints: "ok - name" or
// "FAIL - name: detail" per check, then the totals and END, the line by
// which scripts/com-test knows the program ran to its end.
#pragma once

#include <cstdio>
#include <string>

namespace report {

inline int passed = 0, failed = 0;

inline void check(const std::string& name, bool ok, const std::string& detail = "") {
    if (ok) {
        ++passed;
        std::printf("ok - %s\n", name.c_str());
    } else {
        ++failed;
        std::printf("FAIL - %s%s%s\n", name.c_str(), detail.empty() ? "" : ": ", detail.c_str());
    }
    std::fflush(stdout);
}

inline std::string hex(unsigned long value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", value);
    return text;
}

// The totals and END; the program's exit status.
inline int finish() {
    std::printf("%d passed, %d failed\nEND\n", passed, failed);
    return failed == 0 ? 0 : 1;
}

}  // namespace report
