// File names as the texture readers open them: at most their first 255 characters.
#pragma once

#include <cstddef>

namespace vistral::detail {

constexpr std::size_t MaxFileNameLength = 255;

// A name cut to MaxFileNameLength characters, zero-terminated.
struct ShortFileName {
    char Text[MaxFileNameLength + 1];
};

// The first MaxFileNameLength characters of Name; a null name gives the empty name.
inline ShortFileName CutFileName(const char* name) {
    ShortFileName cut{};
    if (name == nullptr) return cut;
    for (std::size_t i = 0; i < MaxFileNameLength && name[i] != '\0'; ++i)
        cut.Text[i] = name[i];
    return cut;
}

} // namespace vistral::detail
