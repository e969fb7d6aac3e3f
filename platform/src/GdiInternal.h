// The seam between the window side of the platform layer and its GDI side.
// Child windows (status bar, image buttons) own a software surface; GDI device
// contexts can draw into it, and SwapBuffers composites it over the GL frame.
#pragma once

#include "win32/Types.h"

#include <cstdint>
#include <vector>

namespace platform {

// 32-bit pixels 0xAARRGGBB, rows top-down, Width * Height entries.
struct PixelSurface {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;
};

// A device context for a window. For a child window it draws into the child's
// surface (resized by the window side as the window is); for a top-level GL
// window, surface is null and the DC stands for the window's GL drawable.
HDC GdiCreateWindowDC(HWND window, PixelSurface* surface);
// The window a window DC belongs to, or 0 for any other DC.
HWND GdiWindowFromDC(HDC dc);
// Releases a DC made by GdiCreateWindowDC (no effect on the window or surface).
void GdiDestroyWindowDC(HDC dc);
// The rectangles of a live region, in its own coordinates; false for a bad handle.
bool GdiRegionRects(HRGN region, std::vector<RECT>& out);

} // namespace platform
