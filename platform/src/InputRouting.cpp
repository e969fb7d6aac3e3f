// Input from the backend becomes posted messages: keys with our own key state, mouse
// messages to the window under the pointer or to the capture holder, window changes.
// Also the capture, focus and pointer services built on that state.
#include "WindowBackend.h"
#include "WindowInternal.h"
#include "win32/Gdi.h"

#include <array>

namespace platform {
namespace {

constexpr int kKeyCount = 256;
constexpr std::int16_t kKeyDownBit = static_cast<std::int16_t>(0x8000);
constexpr std::int16_t kKeyToggledBit = 0x0001;
constexpr int kButtonLeft = 1;
constexpr int kButtonMiddle = 2;
constexpr int kButtonRight = 3;

struct InputState {
    std::array<bool, kKeyCount> KeyDown{};
    std::array<bool, kKeyCount> KeyToggled{};
    bool LeftDown = false;
    bool MiddleDown = false;
    bool RightDown = false;
    POINT Pointer{0, 0}; // screen coordinates
};

InputState& Input() {
    static InputState state;
    return state;
}

// The deepest shown, enabled child of W containing client point (X, Y), inside its region.
Window* ChildAt(Window& w, int x, int y) {
    for (auto it = w.Children.rbegin(); it != w.Children.rend(); ++it) {
        Window* c = FindWindow(*it);
        if (!c || !c->Visible || c->Destroying || (c->Style & WS_DISABLED)) continue;
        if (x < c->Outer.left || x >= c->Outer.right || y < c->Outer.top || y >= c->Outer.bottom)
            continue;
        const int wx = x - c->Outer.left;
        const int wy = y - c->Outer.top;
        if (c->Region && !PtInRegion(c->Region, wx, wy)) continue;
        return ChildAt(*c, wx, wy);
    }
    return &w;
}

// Where mouse input at client point (X, Y) of top-level Top goes: capture holder first.
Window* MouseTarget(HWND top, int x, int y) {
    if (Window* holder = FindWindow(WindowsState().Capture)) return holder;
    Window* w = FindWindow(top);
    return w ? ChildAt(*w, x, y) : nullptr;
}

// Records the pointer and finds the target with the point in its client coordinates.
Window* LocatePointer(HWND top, int x, int y, POINT& client) {
    Window* w = FindWindow(top);
    if (!w) return nullptr;
    const POINT origin = ClientOriginOnScreen(*w);
    Input().Pointer = POINT{origin.x + x, origin.y + y};
    Window* target = MouseTarget(top, x, y);
    if (!target) return nullptr;
    const POINT targetOrigin = ClientOriginOnScreen(*target);
    client = POINT{Input().Pointer.x - targetOrigin.x, Input().Pointer.y - targetOrigin.y};
    return target;
}

// The window that receives keys of top-level window Top.
HWND KeyTarget(HWND top) {
    HWND focus = WindowsState().Focus;
    Window* focusTop = TopLevelOf(focus);
    return focusTop && focusTop->Handle == top ? focus : top;
}

// Message numbers of a button going down (single or double click) or up.
UINT ButtonMessage(int button, bool down, bool doubleClick) {
    switch (button) {
    case kButtonLeft:
        return down ? (doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN) : WM_LBUTTONUP;
    case kButtonRight:
        return down ? (doubleClick ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN) : WM_RBUTTONUP;
    case kButtonMiddle:
        return down ? (doubleClick ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN) : WM_MBUTTONUP;
    default:
        return 0;
    }
}

} // namespace

void InputKey(HWND top, int vk, bool down, bool repeat, bool extended) {
    if (vk <= 0 || vk >= kKeyCount || !FindWindow(top)) return;
    InputState& in = Input();
    const bool wasDown = in.KeyDown[vk] || repeat;
    if (down && !in.KeyDown[vk]) in.KeyToggled[vk] = !in.KeyToggled[vk];
    const bool altHeld = in.KeyDown[VK_MENU];
    in.KeyDown[vk] = down;
    const bool system = vk == VK_MENU || vk == VK_F10 || (altHeld && !in.KeyDown[VK_CONTROL]);
    LPARAM data = KEYDATA_REPEAT_ONE;
    if (extended) data |= KEYDATA_EXTENDED;
    if (wasDown || !down) data |= KEYDATA_WAS_DOWN;
    if (!down) data |= KEYDATA_RELEASED;
    const UINT message =
        system ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    PostToQueue(KeyTarget(top), message, static_cast<WPARAM>(vk), data);
}

void InputMouseMove(HWND top, int x, int y) {
    POINT client;
    Window* target = LocatePointer(top, x, y, client);
    if (!target) return;
    BackendSetCursor(CursorForWindow(target->Handle));
    PostToQueue(target->Handle, WM_MOUSEMOVE, InputKeyFlags(), PackPoint(client.x, client.y));
}

void InputMouseButton(HWND top, int button, bool down, int x, int y, int clicks) {
    InputState& in = Input();
    if (button == kButtonLeft)
        in.LeftDown = down;
    else if (button == kButtonRight)
        in.RightDown = down;
    else if (button == kButtonMiddle)
        in.MiddleDown = down;
    else
        return;
    POINT client;
    Window* target = LocatePointer(top, x, y, client);
    if (!target) return;
    const bool doubleClick = down && clicks >= 2 && clicks % 2 == 0 && target->Class &&
                             (target->Class->Style & CS_DBLCLKS);
    PostToQueue(target->Handle, ButtonMessage(button, down, doubleClick), InputKeyFlags(),
                PackPoint(client.x, client.y));
}

void InputMouseWheel(HWND top, int steps) {
    if (!FindWindow(top)) return;
    const WORD delta = static_cast<WORD>(static_cast<std::int16_t>(steps * WHEEL_DELTA));
    const POINT p = Input().Pointer;
    PostToQueue(KeyTarget(top), WM_MOUSEWHEEL,
                static_cast<WPARAM>(MAKELPARAM(static_cast<WORD>(InputKeyFlags()), delta)),
                PackPoint(p.x, p.y));
}

void InputWindowClose(HWND h) {
    if (FindWindow(h)) PostToQueue(h, WM_CLOSE, 0, 0);
}

void InputWindowMinimized(HWND h) {
    Window* w = FindWindow(h);
    if (!w || w->Minimized) return;
    w->Minimized = true;
    w->Style |= WS_MINIMIZE;
    PostSizeMessage(*w);
}

void InputWindowRestored(HWND h) {
    Window* w = FindWindow(h);
    if (!w || !w->Minimized) return;
    w->Minimized = false;
    w->Style &= ~WS_MINIMIZE;
    InvalidateWhole(*w, true);
    PostSizeMessage(*w);
}

void InputWindowResized(HWND h, int width, int height) {
    Window* w = FindWindow(h);
    if (!w || w->Minimized || (width == ClientWidth(*w) && height == ClientHeight(*w))) return;
    w->Outer.right = w->Outer.left + width + w->Frame.Left + w->Frame.Right;
    w->Outer.bottom = w->Outer.top + height + w->Frame.Top + w->Frame.Bottom;
    InvalidateWhole(*w, true);
    PostSizeMessage(*w);
}

void InputWindowMoved(HWND h, int clientX, int clientY) {
    Window* w = FindWindow(h);
    if (!w) return;
    const POINT now = ClientOriginOnScreen(*w);
    if (now.x == clientX && now.y == clientY) return;
    const int dx = clientX - now.x;
    const int dy = clientY - now.y;
    w->Outer =
        RECT{w->Outer.left + dx, w->Outer.top + dy, w->Outer.right + dx, w->Outer.bottom + dy};
    PostToQueue(h, WM_MOVE, 0, PackPoint(clientX, clientY));
}

void InputWindowFocus(HWND h, bool gained) {
    WindowState& state = WindowsState();
    if (gained) {
        if (!FindWindow(h)) return;
        state.Foreground = h;
        Window* focusTop = TopLevelOf(state.Focus);
        if (!focusTop || focusTop->Handle != h) state.Focus = h;
    } else if (state.Foreground == h) {
        state.Foreground = 0;
    }
}

void InputWindowExposed(HWND h) {
    if (Window* w = FindWindow(h)) InvalidateWhole(*w, true);
}

POINT InputLastPointer() {
    return Input().Pointer;
}

void InputSetLastPointer(POINT p) {
    Input().Pointer = p;
}

WPARAM InputKeyFlags() {
    const InputState& in = Input();
    WPARAM flags = 0;
    if (in.LeftDown) flags |= MK_LBUTTON;
    if (in.RightDown) flags |= MK_RBUTTON;
    if (in.MiddleDown) flags |= MK_MBUTTON;
    if (in.KeyDown[VK_SHIFT]) flags |= MK_SHIFT;
    if (in.KeyDown[VK_CONTROL]) flags |= MK_CONTROL;
    return flags;
}

} // namespace platform

using namespace platform;

std::int16_t GetKeyState(int vk) {
    if (vk < 0 || vk >= kKeyCount) return 0;
    const InputState& in = Input();
    bool down = in.KeyDown[vk];
    if (vk == VK_LBUTTON) down = in.LeftDown;
    if (vk == VK_RBUTTON) down = in.RightDown;
    if (vk == VK_MBUTTON) down = in.MiddleDown;
    std::int16_t state = 0;
    if (down) state |= kKeyDownBit;
    if (in.KeyToggled[vk]) state |= kKeyToggledBit;
    return state;
}

std::int16_t GetAsyncKeyState(int vk) {
    return static_cast<std::int16_t>(GetKeyState(vk) & kKeyDownBit);
}

HWND SetCapture(HWND h) {
    WindowState& state = WindowsState();
    const HWND previous = state.Capture;
    Window* w = FindWindow(h);
    if (!w || w->Destroying) return previous;
    state.Capture = h;
    BackendCapturePointer(true);
    if (previous && previous != h)
        SendMessageA(previous, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(h));
    return previous;
}

BOOL ReleaseCapture() {
    WindowState& state = WindowsState();
    const HWND previous = state.Capture;
    if (!previous) return TRUE;
    state.Capture = 0;
    BackendCapturePointer(false);
    SendMessageA(previous, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() {
    return FindWindow(WindowsState().Capture) ? WindowsState().Capture : 0;
}

BOOL GetCursorPos(POINT* p) {
    if (!p) return FALSE;
    if (!BackendGlobalPointer(*p)) *p = Input().Pointer;
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    Input().Pointer = POINT{x, y};
    BackendWarpPointer(x, y);
    return TRUE;
}

HWND GetForegroundWindow() {
    const HWND h = WindowsState().Foreground;
    return FindWindow(h) ? h : 0;
}

BOOL SetForegroundWindow(HWND h) {
    Window* w = TopLevelOf(h);
    if (!w) return FALSE;
    InputWindowFocus(w->Handle, true);
    return TRUE;
}

HWND GetFocus() {
    const HWND h = WindowsState().Focus;
    return FindWindow(h) ? h : 0;
}

HWND SetFocus(HWND h) {
    WindowState& state = WindowsState();
    const HWND previous = GetFocus();
    if (h != 0 && !FindWindow(h)) return 0;
    state.Focus = h;
    return previous;
}
