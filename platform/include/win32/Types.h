// Basic Win32-style types of our platform layer: integers, handles, messages, geometry.
// Our own declarations; values are the platform's published ones.
#pragma once

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using INT = std::int32_t;
using LONG = std::int32_t;
using BOOL = std::int32_t;
using ATOM = std::uint16_t;
using COLORREF = std::uint32_t;
using LPCSTR = const char*;
using LPSTR = char*;
using LPVOID = void*;

// Message parameters are pointer-sized so that a message can carry an address.
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

// Handles are 32-bit values from per-kind tables; 0 is the null handle.
using HANDLE = std::uint32_t;
using HWND = HANDLE;
using HDC = HANDLE;
using HGLRC = HANDLE;
using HINSTANCE = HANDLE;
using HMODULE = HANDLE;
using HGDIOBJ = HANDLE;
using HBITMAP = HANDLE;
using HPALETTE = HANDLE;
using HRGN = HANDLE;
using HBRUSH = HANDLE;
using HFONT = HANDLE;
using HCURSOR = HANDLE;
using HICON = HANDLE;
using HMENU = HANDLE;
using HGLOBAL = HANDLE;

struct POINT {
    LONG x;
    LONG y;
};

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

inline WORD LOWORD(std::uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
inline WORD HIWORD(std::uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
inline LPARAM MAKELPARAM(WORD lo, WORD hi) {
    return static_cast<LPARAM>(static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16));
}
// Signed client coordinates packed in the halves of a mouse message's lParam.
inline int GET_X_LPARAM(LPARAM lp) { return static_cast<std::int16_t>(LOWORD(lp)); }
inline int GET_Y_LPARAM(LPARAM lp) { return static_cast<std::int16_t>(HIWORD(lp)); }
inline COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) |
           (static_cast<COLORREF>(b) << 16);
}
