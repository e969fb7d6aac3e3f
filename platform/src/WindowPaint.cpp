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
HDC WindowDC(Window& w) {
    return GdiCreateWindowDC(w.Handle, IsTopLevel(w) ? nullptr : &w.Surface);
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

BOOL EndPaint(HWND, const PAINTSTRUCT* paint) {
    if (!paint) return FALSE;
    GdiDestroyWindowDC(paint->hdc);
    return TRUE;
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
    if (GdiWindowFromDC(dc) != h) return 0;
    GdiDestroyWindowDC(dc);
    return 1;
}
