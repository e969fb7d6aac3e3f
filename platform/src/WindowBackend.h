// The one seam between the shared window code and the SDL2 backend (platform/src/Sdl*).
// The backend turns native events into calls of the Input* functions, which only post
// messages; it never runs a window procedure.
#pragma once

#include "GdiInternal.h"
#include "WindowInternal.h"

#include <cstdint>
#include <string>

struct SDL_Window;

namespace platform {

// ---- Video and windows ------------------------------------------------------------------
// Starts the video subsystem once; false when no video driver can start.
bool BackendStartVideo();
// Creates the native window of a top-level window (hidden, with a GL-capable visual) at
// its client rectangle; false on failure.
bool BackendCreateWindow(Window& w);
void BackendDestroyWindow(Window& w);
void BackendShowWindow(Window& w, bool show);
void BackendMinimizeWindow(Window& w);
void BackendRestoreWindow(Window& w);
// Moves and sizes the native window to the window's client rectangle.
void BackendPlaceWindow(Window& w);
// The window manager's frame around the native window, when it reports one.
bool BackendFrameInsets(const Window& w, FrameInsets& out);
void BackendSetTitle(Window& w, const std::string& utf8);
// The native window of a top-level window handle (children give their top-level's).
SDL_Window* BackendSdlWindow(HWND window);
// Screen size of the desktop's current mode; false without video.
bool BackendScreenSize(int& width, int& height);

// ---- Events -----------------------------------------------------------------------------
// Translates every waiting native event into posted messages. With Wait, first waits
// (briefly) for one to arrive.
void BackendPumpEvents(bool wait);

// ---- Pointer ----------------------------------------------------------------------------
// The system pointer in screen coordinates, when the backend can tell.
bool BackendGlobalPointer(POINT& out);
// Moves the system pointer; false where the backend cannot.
bool BackendWarpPointer(int x, int y);
// Asks for motion outside the window while a window of ours holds the capture.
void BackendCapturePointer(bool capture);

// ---- Cursors and icons ------------------------------------------------------------------
// A cursor or icon image: 0xAARRGGBB pixels, rows top-down.
struct CursorImage {
    int SystemId = 0; // an IDC_/IDI_ number for system cursors and icons, else 0
    int Width = 0;
    int Height = 0;
    int HotX = 0;
    int HotY = 0;
    std::vector<std::uint32_t> Pixels;
    void* Native = nullptr; // the backend's cursor, made on first use
};
void BackendSetCursor(CursorImage* cursor);
void BackendReleaseCursor(CursorImage& cursor);
void BackendSetIcon(Window& w, const CursorImage& icon);

// ---- GL ---------------------------------------------------------------------------------
void* BackendGlCreateContext(Window& w);
// Makes Context current on W (null W and Context: none current).
bool BackendGlMakeCurrent(Window* w, void* context);
void BackendGlDeleteContext(void* context);
void BackendGlSwap(Window& w);
void* BackendGlProc(const char* name);

// ---- Text -------------------------------------------------------------------------------
// Draws a code page 1252 text into a surface with its baseline box at (X, Y), clipped to
// Clip; false when no font could be opened.
bool BackendDrawText(PixelSurface& surface, const RECT& clip, int x, int y, const char* text,
                     std::uint32_t argb);
// Height of a line of text in pixels (0 without a font).
int BackendTextHeight();

// ---- Input from the backend (platform/src/InputRouting.cpp) ------------------------------
// A key of top-level window Window went down or up; Repeat marks auto-repeat.
void InputKey(HWND window, int virtualKey, bool down, bool repeat, bool extended);
// The pointer moved to client point (X, Y) of top-level window Window.
void InputMouseMove(HWND window, int x, int y);
// Button 1 left, 2 middle, 3 right; Clicks counts quick successive presses.
void InputMouseButton(HWND window, int button, bool down, int x, int y, int clicks);
void InputMouseWheel(HWND window, int steps);
void InputWindowClose(HWND window);
void InputWindowMinimized(HWND window);
void InputWindowRestored(HWND window);
// The native window's client area changed size or moved (screen coordinates).
void InputWindowResized(HWND window, int clientWidth, int clientHeight);
void InputWindowMoved(HWND window, int clientX, int clientY);
void InputWindowFocus(HWND window, bool gained);
void InputWindowExposed(HWND window);
// The pointer's last position in screen coordinates as the input showed it.
POINT InputLastPointer();
void InputSetLastPointer(POINT p);
// Mouse-button flags (MK_) of the buttons held and the modifier keys.
WPARAM InputKeyFlags();
// The cursor to show over a window (its class cursor, else the arrow).
CursorImage* CursorForWindow(HWND window);
CursorImage* FindCursorImage(HANDLE cursorOrIcon);

} // namespace platform
