// The shared state of the window side: classes, the window tree, capture and focus.
// No SDL here; the backend keeps its native handles behind Window::Native.
#pragma once

#include "GdiInternal.h"
#include "HandleTable.h"
#include "win32/User.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// ---- Classes ----------------------------------------------------------------------------
struct WindowClass {
    std::string Name;
    UINT Style = 0;
    WNDPROC Proc = nullptr;
    HINSTANCE Instance = 0;
    HICON Icon = 0;
    HICON SmallIcon = 0;
    HCURSOR Cursor = 0;
    HBRUSH Background = 0;
    ATOM Atom = 0;
    int WindowCount = 0;
};

// The class registered under Name (compared without regard to case), or null.
WindowClass* FindClass(LPCSTR name);

// ---- Windows ----------------------------------------------------------------------------
// The layer's own frame metrics, used where no window manager reports a frame.
constexpr int kBorderWidth = 1;      // WS_BORDER
constexpr int kDialogFrameWidth = 2; // WS_DLGFRAME, inside the border
constexpr int kCaptionHeight = 16;
constexpr int kSizingFrameWidth = 4; // WS_THICKFRAME

// Widths of the frame between a window's outer rectangle and its client area.
struct FrameInsets {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

struct Window {
    HWND Handle = 0;
    WindowClass* Class = nullptr;
    WNDPROC Proc = nullptr;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    HWND Parent = 0;
    int Id = 0;
    HINSTANCE Instance = 0;
    std::string Title; // code page 1252
    // Outer rectangle: screen coordinates for a top-level window, the parent's client
    // coordinates for a child.
    RECT Outer{};
    FrameInsets Frame;
    bool Visible = false;
    bool Minimized = false;
    bool Destroying = false;
    bool NeedsPaint = false;
    bool EraseOnPaint = false;
    HRGN Region = 0;
    std::map<std::string, HANDLE> Properties;
    std::vector<HWND> Children;
    PixelSurface Surface;     // child windows draw here
    std::vector<HDC> OpenDcs; // DCs of GetDC/BeginPaint not yet released; freed with the window
    int PixelFormat = 0;
    std::intptr_t UserData = 0;
    void* Native = nullptr; // the backend's window (top-level windows only)
};

struct WindowState {
    HandleTable<Window> Windows{HandleKind::Window};
    std::vector<std::unique_ptr<WindowClass>> Classes;
    ATOM NextAtom = 0xC000; // registered class atoms start here on the platform
    HWND Capture = 0;
    HWND Foreground = 0;
    HWND Focus = 0;
};

WindowState& WindowsState();

// A live window (also while its WM_DESTROY runs), or null.
Window* FindWindow(HWND handle);
bool IsTopLevel(const Window& w);
// The top-level ancestor of a window (itself for a top-level one); null for a bad handle.
Window* TopLevelOf(HWND handle);
int ClientWidth(const Window& w);
int ClientHeight(const Window& w);
// Where the client area's origin lies on the screen.
POINT ClientOriginOnScreen(const Window& w);
// The layer's own frame for a style (no window manager involved).
FrameInsets OwnFrameFor(DWORD style);
// Whether a window and all its ancestors are shown.
bool IsShownOnScreen(const Window& w);
// The child surface follows the window's size.
void ResizeSurface(Window& w);
// Sends WM_SIZE with the window's current client size (0 by 0 while minimised).
void SendSizeMessage(Window& w);
// Posts WM_SIZE the same way (for changes the backend reports).
void PostSizeMessage(Window& w);
// Marks the whole client area for repainting.
void InvalidateWhole(Window& w, bool erase);
// Sets the title and shows it (as UTF-8) in a top-level window's caption.
void StoreWindowTitle(Window& w, LPCSTR text);

// ---- Messages ---------------------------------------------------------------------------
// Signed client coordinates packed in the 16-bit halves of an lParam.
inline LPARAM PackPoint(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<std::int16_t>(x)),
                      static_cast<WORD>(static_cast<std::int16_t>(y)));
}

// Appends a message with the current time and pointer position.
void PostToQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Drops queued messages of a destroyed window.
void DiscardMessagesFor(HWND window);
// A WM_TIMER that is due for a window Matches accepts (the period restarts when removed).
bool TakeDueTimer(HWND filter, MSG* msg, bool remove, bool (*matches)(HWND window, HWND filter));
// Ends the timers of a destroyed window.
void KillTimersOf(HWND window);

} // namespace platform
