// Shared helpers of the platform window tests: a recording window procedure, class
// registration, a pump that dispatches everything waiting.
#pragma once

#include "Win32.h"
#include "win32/Testing.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace wintest {

struct Seen {
    HWND Window;
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
};

// Every message the recording procedure saw, in order.
inline std::vector<Seen>& Log() {
    static std::vector<Seen> log;
    return log;
}

// Records the message, then default processing.
inline LRESULT RecordingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    Log().push_back(Seen{h, m, w, l});
    return DefWindowProcA(h, m, w, l);
}

// The recorded messages of one kind.
inline std::vector<Seen> Only(UINT message) {
    std::vector<Seen> out;
    for (const Seen& s : Log())
        if (s.Message == message) out.push_back(s);
    return out;
}

// Registers a class with a procedure once per process.
inline void EnsureClass(const char* name, WNDPROC proc = RecordingProc, UINT style = 0) {
    WNDCLASSEXA existing{};
    if (GetClassInfoExA(0, name, &existing)) return;
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(0, IDC_ARROW);
    wc.lpszClassName = name;
    ASSERT_NE(RegisterClassA(&wc), 0);
}

constexpr DWORD kWindowedStyle = 0x96CA0000;   // popup, visible, caption, system menu, minimise box
constexpr DWORD kFullScreenStyle = 0x96880000; // popup, visible, border, system menu

// A top-level recording window.
inline HWND MakeWindow(DWORD style = kWindowedStyle, int width = 320, int height = 240,
                       const char* title = "Prova") {
    EnsureClass("RecordingWindow");
    return CreateWindowExA(0, "RecordingWindow", title, style, CW_USEDEFAULT, CW_USEDEFAULT, width,
                           height, 0, 0, GetModuleHandleA(nullptr), nullptr);
}

// A child recording window at (X, Y) of Parent's client area.
inline HWND MakeChild(HWND parent, int x, int y, int width, int height, int id = 7,
                      WNDPROC proc = RecordingProc, const char* className = "RecordingChild") {
    EnsureClass(className, proc);
    return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                           static_cast<HMENU>(id), GetModuleHandleA(nullptr), nullptr);
}

// Dispatches every waiting message (WM_PAINT included, which default processing validates).
inline int PumpAll() {
    MSG msg;
    int count = 0;
    while (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        ++count;
    }
    return count;
}

// Tests on SDL's offscreen driver: real windows and GL through EGL, no display.
class OffscreenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        Log().clear();
    }
};

} // namespace wintest
