// Checked indices and checked integer arithmetic.
//
// Every engine array has a declared index range (1..10000, 0..500, ...). An index
// outside it is a programming error of the caller: the program stops with a
// "range error" naming the array. Guarded integer arithmetic stops the same way
// with an "overflow error".
#pragma once

#include <cstddef>
#include <cstdint>

namespace vistral {

// A string literal usable as a template argument, so an array carries its name.
template <std::size_t N> struct ArrayName {
    char Text[N];
    constexpr ArrayName(const char (&text)[N]) {
        for (std::size_t i = 0; i < N; ++i) Text[i] = text[i];
    }
};

// Writes "range error: NAME[INDEX] outside LO..HI" to stderr and ends the process.
[[noreturn]] void RangeError(const char* name, long long index, long long lo, long long hi);
// Writes "overflow error: WHAT" to stderr and ends the process.
[[noreturn]] void OverflowError(const char* what);

// Checks index against lo..hi and returns its offset from lo.
inline std::size_t CheckIndex(const char* name, long long index, long long lo, long long hi) {
    if (index < lo || index > hi) RangeError(name, index, lo, hi);
    return static_cast<std::size_t>(index - lo);
}

// A fixed array indexed Lo..Hi, every access checked. Plain data: zero-initialised
// when static, no hidden members, so records built of it keep their layout.
template <typename T, long long Lo, long long Hi, ArrayName Name> struct RangeArray {
    static_assert(Hi >= Lo, "empty range");
    static constexpr long long Low = Lo;
    static constexpr long long High = Hi;
    T Items[Hi - Lo + 1];

    T& operator[](long long i) { return Items[CheckIndex(Name.Text, i, Lo, Hi)]; }
    const T& operator[](long long i) const { return Items[CheckIndex(Name.Text, i, Lo, Hi)]; }
};

// 32-bit signed arithmetic that stops on overflow instead of wrapping.
inline std::int32_t CheckedAdd(std::int32_t a, std::int32_t b, const char* what) {
    std::int32_t r;
    if (__builtin_add_overflow(a, b, &r)) OverflowError(what);
    return r;
}
inline std::int32_t CheckedSub(std::int32_t a, std::int32_t b, const char* what) {
    std::int32_t r;
    if (__builtin_sub_overflow(a, b, &r)) OverflowError(what);
    return r;
}
inline std::int32_t CheckedMul(std::int32_t a, std::int32_t b, const char* what) {
    std::int32_t r;
    if (__builtin_mul_overflow(a, b, &r)) OverflowError(what);
    return r;
}

} // namespace vistral
