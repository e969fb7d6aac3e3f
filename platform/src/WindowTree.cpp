// The window tree: creation, destruction, showing, geometry, titles, records, regions.
#include "Cp1252.h"
#include "WindowBackend.h"
#include "WindowInternal.h"
#include "WglInternal.h"
#include "win32/Gdi.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

constexpr int kDefaultWidth = 640; // CW_USEDEFAULT sizes of an overlapped window
constexpr int kDefaultHeight = 480;
constexpr std::uint32_t kFreshSurfacePixel = 0xFFF0F0F0; // button face, until painted

// Window rectangle from a position and size given to CreateWindowExA or MoveWindow.
RECT RectFrom(int x, int y, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    return RECT{x, y, x + width, y + height};
}

// WM_MOVE with the client origin (screen coordinates for a top-level window).
void SendMoveMessage(Window& w) {
    POINT origin{w.Outer.left, w.Outer.top};
    if (IsTopLevel(w)) origin = ClientOriginOnScreen(w);
    SendMessageA(w.Handle, WM_MOVE, 0, PackPoint(origin.x, origin.y));
}

// Marks a window and its descendants as being destroyed.
void MarkDestroying(Window& w) {
    w.Destroying = true;
    for (HWND c : w.Children)
        if (Window* child = FindWindow(c)) MarkDestroying(*child);
}

// WM_DESTROY to the window, then to its children, as the platform does.
void SendDestroyMessages(HWND h) {
    SendMessageA(h, WM_DESTROY, 0, 0);
    Window* w = FindWindow(h);
    if (!w) return;
    std::vector<HWND> children = w->Children;
    for (HWND c : children)
        SendDestroyMessages(c);
}

// Frees a window and its descendants, children first, after WM_NCDESTROY.
void FreeWindow(HWND h) {
    Window* w = FindWindow(h);
    if (!w) return;
    std::vector<HWND> children = w->Children;
    for (HWND c : children)
        FreeWindow(c);
    SendMessageA(h, WM_NCDESTROY, 0, 0);
    WindowState& state = WindowsState();
    if (state.Capture == h) {
        state.Capture = 0;
        BackendCapturePointer(false);
    }
    if (state.Foreground == h) state.Foreground = 0;
    if (state.Focus == h) state.Focus = 0;
    if (w->Region) DeleteObject(w->Region);
    for (HDC dc : w->OpenDcs)
        GdiDestroyWindowDC(dc);
    if (w->Class) --w->Class->WindowCount;
    if (Window* parent = FindWindow(w->Parent)) {
        auto& siblings = parent->Children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), h), siblings.end());
    }
    WglWindowGone(h);
    if (w->Native) BackendDestroyWindow(*w);
    DiscardMessagesFor(h);
    KillTimersOf(h);
    state.Windows.Remove(h);
}

// Adopts the window manager's frame once the window is on screen, keeping the outer size.
void AdoptManagerFrame(Window& w) {
    FrameInsets reported;
    if (!BackendFrameInsets(w, reported)) return;
    if (reported.Left == w.Frame.Left && reported.Top == w.Frame.Top &&
        reported.Right == w.Frame.Right && reported.Bottom == w.Frame.Bottom)
        return;
    w.Frame = reported;
    BackendPlaceWindow(w);
}

// Shows a hidden window: native window, WM_SHOWWINDOW, a fresh paint and WM_SIZE.
void ShowHidden(Window& w, bool activate) {
    w.Visible = true;
    if (w.Native) {
        BackendShowWindow(w, true);
        AdoptManagerFrame(w);
    }
    HWND h = w.Handle;
    SendMessageA(h, WM_SHOWWINDOW, TRUE, 0);
    Window* again = FindWindow(h);
    if (!again) return;
    InvalidateWhole(*again, true);
    if (IsTopLevel(*again) && activate) {
        WindowsState().Foreground = h;
        WindowsState().Focus = h;
    }
    SendSizeMessage(*again);
}

} // namespace

WindowState& WindowsState() {
    static WindowState state;
    return state;
}

Window* FindWindow(HWND handle) {
    return WindowsState().Windows.Get(handle);
}

bool IsTopLevel(const Window& w) {
    return (w.Style & WS_CHILD) == 0;
}

Window* TopLevelOf(HWND handle) {
    Window* w = FindWindow(handle);
    while (w && !IsTopLevel(*w))
        w = FindWindow(w->Parent);
    return w;
}

int ClientWidth(const Window& w) {
    if (w.Minimized) return 0;
    return std::max(0,
                    static_cast<int>(w.Outer.right - w.Outer.left) - w.Frame.Left - w.Frame.Right);
}

int ClientHeight(const Window& w) {
    if (w.Minimized) return 0;
    return std::max(0,
                    static_cast<int>(w.Outer.bottom - w.Outer.top) - w.Frame.Top - w.Frame.Bottom);
}

POINT ClientOriginOnScreen(const Window& w) {
    if (IsTopLevel(w)) return POINT{w.Outer.left + w.Frame.Left, w.Outer.top + w.Frame.Top};
    POINT p{w.Outer.left, w.Outer.top};
    if (const Window* parent = FindWindow(w.Parent)) {
        POINT o = ClientOriginOnScreen(*parent);
        p.x += o.x;
        p.y += o.y;
    }
    return p;
}

FrameInsets OwnFrameFor(DWORD style) {
    FrameInsets f;
    int side = 0;
    if (style & WS_BORDER) side += kBorderWidth;
    if (style & WS_DLGFRAME) side += kDialogFrameWidth;
    if (style & WS_THICKFRAME) side += kSizingFrameWidth;
    f.Left = f.Right = f.Bottom = f.Top = side;
    if ((style & WS_CAPTION) == WS_CAPTION) f.Top += kCaptionHeight;
    return f;
}

bool IsShownOnScreen(const Window& w) {
    const Window* p = &w;
    while (p) {
        if (!p->Visible || p->Minimized) return false;
        if (IsTopLevel(*p)) return true;
        p = FindWindow(p->Parent);
    }
    return false;
}

void ResizeSurface(Window& w) {
    if (IsTopLevel(w)) return;
    const int width = ClientWidth(w);
    const int height = ClientHeight(w);
    if (w.Surface.Width == width && w.Surface.Height == height) return;
    w.Surface.Width = width;
    w.Surface.Height = height;
    w.Surface.Pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                            kFreshSurfacePixel);
    InvalidateWhole(w, true);
}

void SendSizeMessage(Window& w) {
    const WPARAM kind = w.Minimized ? SIZE_MINIMIZED : SIZE_RESTORED;
    SendMessageA(w.Handle, WM_SIZE, kind,
                 MAKELPARAM(static_cast<WORD>(ClientWidth(w)), static_cast<WORD>(ClientHeight(w))));
}

void PostSizeMessage(Window& w) {
    const WPARAM kind = w.Minimized ? SIZE_MINIMIZED : SIZE_RESTORED;
    PostToQueue(w.Handle, WM_SIZE, kind,
                MAKELPARAM(static_cast<WORD>(ClientWidth(w)), static_cast<WORD>(ClientHeight(w))));
}

// Sets the title and shows it in a top-level window's caption.
void StoreWindowTitle(Window& w, LPCSTR text) {
    w.Title = text ? text : "";
    if (w.Native) BackendSetTitle(w, Cp1252ToUtf8(w.Title.c_str()));
}

} // namespace platform

using namespace platform;

// Creates a window, sends the creation messages and shows it for WS_VISIBLE.
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
    WindowClass* cls = FindClass(className);
    if (!cls) return 0;
    const bool child = (style & WS_CHILD) != 0;
    Window* parentWindow = FindWindow(parent);
    if (child && (!parentWindow || parentWindow->Destroying)) return 0;
    if (x == CW_USEDEFAULT) x = y = 0;
    if (y == CW_USEDEFAULT) y = 0;
    if (width == CW_USEDEFAULT) {
        width = child ? 0 : kDefaultWidth;
        height = child ? 0 : kDefaultHeight;
    }

    auto record = std::make_unique<Window>();
    record->Class = cls;
    record->Proc = cls->Proc;
    record->Style = style & ~WS_VISIBLE;
    record->ExStyle = exStyle;
    record->Parent = child ? parent : 0;
    record->Id = child ? static_cast<int>(menu) : 0;
    record->Instance = instance;
    record->Title = windowName ? windowName : "";
    record->Outer = RectFrom(x, y, width, height);
    if (!child) record->Frame = OwnFrameFor(style);
    WindowState& state = WindowsState();
    const HWND h = state.Windows.Add(std::move(record));
    if (!h) return 0;
    Window* w = FindWindow(h);
    w->Handle = h;
    if (!child && !BackendCreateWindow(*w)) {
        state.Windows.Remove(h);
        return 0;
    }
    ++cls->WindowCount;
    if (child) {
        parentWindow->Children.push_back(h);
        ResizeSurface(*w);
    } else {
        BackendSetTitle(*w, Cp1252ToUtf8(w->Title.c_str()));
    }

    CREATESTRUCTA cs{
        param,      instance,  menu,   parent, height, width, y, x, static_cast<LONG>(style),
        windowName, className, exStyle};
    const LPARAM csParam = reinterpret_cast<LPARAM>(&cs);
    if (!SendMessageA(h, WM_NCCREATE, 0, csParam) || SendMessageA(h, WM_CREATE, 0, csParam) == -1) {
        DestroyWindow(h);
        return 0;
    }
    w = FindWindow(h);
    if (!w || w->Destroying) return 0;
    SendSizeMessage(*w);
    if ((w = FindWindow(h))) SendMoveMessage(*w);
    if ((style & WS_VISIBLE) && (w = FindWindow(h)) && !w->Visible) {
        w->Style |= WS_VISIBLE;
        ShowHidden(*w, true);
    }
    return FindWindow(h) ? h : 0;
}

// Destroys a window and its children; FALSE when it is gone or already going.
BOOL DestroyWindow(HWND h) {
    Window* w = FindWindow(h);
    if (!w || w->Destroying) return FALSE;
    MarkDestroying(*w);
    if (w->Visible && w->Native) BackendShowWindow(*w, false);
    SendDestroyMessages(h);
    FreeWindow(h);
    return TRUE;
}

BOOL IsWindow(HWND h) {
    return FindWindow(h) ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND h) {
    Window* w = FindWindow(h);
    return w && IsShownOnScreen(*w) ? TRUE : FALSE;
}

// Shows, hides, minimises or restores a window.
BOOL ShowWindow(HWND h, int command) {
    Window* w = FindWindow(h);
    if (!w || command < SW_HIDE || command > SW_SHOWDEFAULT) return FALSE;
    const BOOL wasVisible = w->Visible ? TRUE : FALSE;
    if (command == SW_HIDE) {
        if (!w->Visible) return wasVisible;
        w->Visible = false;
        w->Style &= ~WS_VISIBLE;
        if (w->Native) BackendShowWindow(*w, false);
        SendMessageA(h, WM_SHOWWINDOW, FALSE, 0);
        return wasVisible;
    }
    const bool minimise =
        command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE;
    const bool activate = command != SW_SHOWNA && command != SW_SHOWNOACTIVATE &&
                          command != SW_SHOWMINNOACTIVE && command != SW_MINIMIZE;
    if (!w->Visible) {
        w->Style |= WS_VISIBLE;
        ShowHidden(*w, activate);
        if (!(w = FindWindow(h))) return wasVisible;
    }
    if (!IsTopLevel(*w)) return wasVisible; // children do not minimise here
    if (minimise && !w->Minimized) {
        w->Minimized = true;
        w->Style |= WS_MINIMIZE;
        BackendMinimizeWindow(*w);
        if (WindowsState().Foreground == h && command != SW_SHOWMINIMIZED)
            WindowsState().Foreground = 0;
        SendSizeMessage(*w);
    } else if (!minimise && w->Minimized &&
               (command == SW_RESTORE || command == SW_SHOWNORMAL || command == SW_SHOWDEFAULT ||
                command == SW_SHOWMAXIMIZED)) {
        w->Minimized = false;
        w->Style &= ~WS_MINIMIZE;
        BackendRestoreWindow(*w);
        if (activate) WindowsState().Foreground = h;
        InvalidateWhole(*w, true);
        SendSizeMessage(*w);
    }
    return wasVisible;
}

// Moves and sizes a window; WM_MOVE and WM_SIZE follow at once.
BOOL MoveWindow(HWND h, int x, int y, int width, int height, BOOL repaint) {
    Window* w = FindWindow(h);
    if (!w) return FALSE;
    w->Outer = RectFrom(x, y, width, height);
    if (w->Native) BackendPlaceWindow(*w);
    ResizeSurface(*w);
    if (repaint) InvalidateWhole(*w, true);
    SendMoveMessage(*w);
    if ((w = FindWindow(h))) SendSizeMessage(*w);
    return TRUE;
}

HWND GetParent(HWND h) {
    Window* w = FindWindow(h);
    return w ? w->Parent : 0;
}

int GetDlgCtrlID(HWND h) {
    Window* w = FindWindow(h);
    return w && !IsTopLevel(*w) ? w->Id : 0;
}

// The title goes through WM_SETTEXT, so that controls can take it as their text.
BOOL SetWindowTextA(HWND h, LPCSTR text) {
    if (!FindWindow(h)) return FALSE;
    return SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

int GetWindowTextA(HWND h, LPSTR text, int count) {
    Window* w = FindWindow(h);
    if (!w || !text || count <= 0) return 0;
    const std::size_t n = std::min(w->Title.size(), static_cast<std::size_t>(count - 1));
    std::memcpy(text, w->Title.data(), n);
    text[n] = '\0';
    return static_cast<int>(n);
}

BOOL GetClientRect(HWND h, RECT* rect) {
    Window* w = FindWindow(h);
    if (!w || !rect) return FALSE;
    *rect = RECT{0, 0, ClientWidth(*w), ClientHeight(*w)};
    return TRUE;
}

BOOL GetWindowRect(HWND h, RECT* rect) {
    Window* w = FindWindow(h);
    if (!w || !rect) return FALSE;
    if (IsTopLevel(*w)) {
        *rect = w->Outer;
        return TRUE;
    }
    POINT o = ClientOriginOnScreen(*w);
    *rect = RECT{o.x, o.y, o.x + (w->Outer.right - w->Outer.left),
                 o.y + (w->Outer.bottom - w->Outer.top)};
    return TRUE;
}

BOOL ClientToScreen(HWND h, POINT* p) {
    Window* w = FindWindow(h);
    if (!w || !p) return FALSE;
    POINT o = ClientOriginOnScreen(*w);
    p->x += o.x;
    p->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND h, POINT* p) {
    Window* w = FindWindow(h);
    if (!w || !p) return FALSE;
    POINT o = ClientOriginOnScreen(*w);
    p->x -= o.x;
    p->y -= o.y;
    return TRUE;
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL, DWORD) {
    if (!rect) return FALSE;
    if (style & WS_CHILD) return TRUE;
    FrameInsets f = OwnFrameFor(style);
    rect->left -= f.Left;
    rect->top -= f.Top;
    rect->right += f.Right;
    rect->bottom += f.Bottom;
    return TRUE;
}

BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL menu) {
    return AdjustWindowRectEx(rect, style, menu, 0);
}

std::intptr_t GetWindowLongPtrA(HWND h, int index) {
    Window* w = FindWindow(h);
    if (!w) return 0;
    switch (index) {
    case GWL_WNDPROC:
        return reinterpret_cast<std::intptr_t>(w->Proc);
    case GWL_HINSTANCE:
        return w->Instance;
    case GWL_HWNDPARENT:
        return w->Parent;
    case GWL_ID:
        return w->Id;
    case GWL_STYLE:
        return static_cast<std::intptr_t>(w->Style);
    case GWL_EXSTYLE:
        return static_cast<std::intptr_t>(w->ExStyle);
    case GWL_USERDATA:
        return w->UserData;
    default:
        return 0;
    }
}

std::intptr_t SetWindowLongPtrA(HWND h, int index, std::intptr_t value) {
    Window* w = FindWindow(h);
    if (!w) return 0;
    std::intptr_t old = GetWindowLongPtrA(h, index);
    switch (index) {
    case GWL_WNDPROC:
        if (!value) return 0;
        w->Proc = reinterpret_cast<WNDPROC>(value);
        break;
    case GWL_ID:
        w->Id = static_cast<int>(value);
        break;
    case GWL_USERDATA:
        w->UserData = value;
        break;
    default:
        return 0;
    }
    return old;
}

// The window takes the region; the one it had before is deleted.
int SetWindowRgn(HWND h, HRGN region, BOOL redraw) {
    Window* w = FindWindow(h);
    if (!w) return 0;
    if (w->Region && w->Region != region) DeleteObject(w->Region);
    w->Region = region;
    if (redraw) InvalidateWhole(*w, true);
    return 1;
}
