// The two fatal stops of the engine's checked indices and arithmetic.
#include "vistral/RangeCheck.h"

#include <cstdio>
#include <cstdlib>

namespace vistral {

void RangeError(const char* name, long long index, long long lo, long long hi) {
    std::fprintf(stderr, "range error: %s[%lld] outside %lld..%lld\n", name, index, lo, hi);
    std::fflush(stderr);
    std::abort();
}

void OverflowError(const char* what) {
    std::fprintf(stderr, "overflow error: %s\n", what);
    std::fflush(stderr);
    std::abort();
}

} // namespace vistral
