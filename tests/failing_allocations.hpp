// Allocations that fail on request (tests/failing_allocations.cpp), for the
// tests that see that a failure part-way leaves every object as it was.
// Sanitizer runtimes own operator new themselves: those builds fail none.
#pragma once

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#define VELLORAN_FAILS_ALLOCATIONS 1
#endif

namespace velloran::test {

// The allocations of this thread that may still succeed: at 0 the next one
// throws std::bad_alloc, and so does every one after it; -1 never fails.
extern thread_local int allocationsLeft;

}  // namespace velloran::test
