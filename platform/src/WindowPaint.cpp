// Painting: update state, BeginPaint/EndPaint, invalidation, window DCs.
#include "WindowInternal.h"

#include <algorithm>

namespace platform {

void InvalidateWhole(Window& w, bool erase) {
    w.NeedsPaint = true;
    w.EraseOnPaint = w.EraseOnPaint || erase;
}

namespace {

// A DC drawing where the window's pixels live: the child's surface or the GL drawable.
// The window remembers it, so that no DC outlives the surface it draws into.
HDC WindowDC(Window& w) {
    const HDC dc = GdiCreateWindowDC(w.Handle, IsTopLevel(w) ? nullptr : &w.Surface);
    if (dc) w.OpenDcs.push_back(dc);
    return dc;
}

// Releases a DC the window handed out; false when it is not one of them.
bool ReleaseWindowDC(Window& w, HDC dc) {
    auto it = std::find(w.OpenDcs.begin(), w.OpenDcs.end(), dc);
    if (it == w.OpenDcs.end()) return false;
    w.OpenDcs.erase(it);
    GdiDestroyWindowDC(dc);
    return true;
}

} // namespace
} // namespace platform

using namespace platform;

HDC BeginPaint(HWND h, PAINTSTRUCT* paint) {
    Window* w = FindWindow(h);
    if (!w || !paint) return 0;
    *paint = PAINTSTRUCT{};
    paint->hdc = WindowDC(*w);
    paint->rcPaint = RECT{0, 0, ClientWidth(*w), ClientHeight(*w)};
    const bool erase = w->EraseOnPaint;
    w->NeedsPaint = false;
    w->EraseOnPaint = false;
    if (erase) paint->fErase = SendMessageA(h, WM_ERASEBKGND, paint->hdc, 0) ? FALSE : TRUE;
    return paint->hdc;
}

BOOL EndPaint(HWND h, const PAINTSTRUCT* paint) {
    Window* w = FindWindow(h);
    if (!w || !paint) return FALSE;
    return ReleaseWindowDC(*w, paint->hdc) ? TRUE : FALSE;
}

BOOL InvalidateRect(HWND h, const RECT*, BOOL erase) {
    // The whole client area is repainted: our windows are small and paint quickly.
    if (h == 0) {
        WindowsState().Windows.ForEach([&](HANDLE, Window& w) {
            if (IsTopLevel(w)) InvalidateWhole(w, erase != FALSE);
        });
        return TRUE;
    }
    Window* w = FindWindow(h);
    if (!w) return FALSE;
    InvalidateWhole(*w, erase != FALSE);
    return TRUE;
}

BOOL ValidateRect(HWND h, const RECT*) {
    Window* w = FindWindow(h);
    if (!w) return FALSE;
    w->NeedsPaint = false;
    w->EraseOnPaint = false;
    return TRUE;
}

BOOL UpdateWindow(HWND h) {
    Window* w = FindWindow(h);
    if (!w) return FALSE;
    if (w->NeedsPaint && IsShownOnScreen(*w)) SendMessageA(h, WM_PAINT, 0, 0);
    return TRUE;
}

HDC GetDC(HWND h) {
    if (h == 0) return GdiCreateWindowDC(0, nullptr); // the screen
    Window* w = FindWindow(h);
    if (!w) return 0;
    return WindowDC(*w);
}

int ReleaseDC(HWND h, HDC dc) {
    if (h == 0) {
        if (GdiWindowFromDC(dc) != 0 || !dc) return 0;
        GdiDestroyWindowDC(dc); // a screen DC (memory DCs are left alone by it)
        return 1;
    }
    Window* w = FindWindow(h);
    return w && ReleaseWindowDC(*w, dc) ? 1 : 0;
}
