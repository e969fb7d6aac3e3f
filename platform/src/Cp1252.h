// Code page 1252 texts, as the engine hands them over, to UTF-8 for SDL.
#pragma once

#include <string>

namespace platform {

std::string Cp1252ToUtf8(const char* text);

} // namespace platform
