// Window properties: named 32-bit values attached to a window.
#include "WindowInternal.h"

#include <cctype>
#include <cstdio>

namespace platform {
namespace {

// Property names compare without regard to case; an integer atom is its own key.
std::string PropertyKey(LPCSTR name) {
    if (IS_INTRESOURCE(name)) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "#%u",
                      static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(name)));
        return buffer;
    }
    std::string key(name);
    for (char& c : key)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return key;
}

} // namespace
} // namespace platform

using namespace platform;

BOOL SetPropA(HWND h, LPCSTR name, HANDLE data) {
    Window* w = FindWindow(h);
    if (!w || !name) return FALSE;
    w->Properties[PropertyKey(name)] = data;
    return TRUE;
}

HANDLE GetPropA(HWND h, LPCSTR name) {
    Window* w = FindWindow(h);
    if (!w || !name) return 0;
    auto it = w->Properties.find(PropertyKey(name));
    return it == w->Properties.end() ? 0 : it->second;
}

HANDLE RemovePropA(HWND h, LPCSTR name) {
    Window* w = FindWindow(h);
    if (!w || !name) return 0;
    auto it = w->Properties.find(PropertyKey(name));
    if (it == w->Properties.end()) return 0;
    HANDLE value = it->second;
    w->Properties.erase(it);
    return value;
}
