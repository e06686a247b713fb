// Allocations that fail on request: this program's operator new.
#include "failing_allocations.hpp"

#include <cstdlib>
#include <new>

namespace velloran::test {
thread_local int allocationsLeft = -1;
}

#ifdef VELLORAN_FAILS_ALLOCATIONS
void* operator new(std::size_t size) {
    int& left = velloran::test::allocationsLeft;
    if (left == 0) throw std::bad_alloc();
    if (left > 0) --left;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#endif
