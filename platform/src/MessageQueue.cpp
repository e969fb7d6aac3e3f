// The message queue and dispatch: posting, sending, peeking, waiting, default processing.
#include "WindowBackend.h"
#include "WindowInternal.h"
#include "win32/Gdi.h"
#include "win32/Kernel.h"

#include <deque>

namespace platform {
namespace {

struct QueueState {
    std::deque<MSG> Posted;
    bool QuitPosted = false;
    int QuitCode = 0;
};

QueueState& Queue() {
    static QueueState state;
    return state;
}

// Whether Window is Filter or one of its descendants (Filter 0 takes every window).
bool MatchesWindow(HWND window, HWND filter) {
    if (filter == 0) return true;
    for (Window* w = FindWindow(window); w; w = FindWindow(w->Parent))
        if (w->Handle == filter) return true;
    return false;
}

bool MatchesRange(UINT message, UINT low, UINT high) {
    if (low == 0 && high == 0) return true;
    return message >= low && message <= high;
}

// The first window that waits for WM_PAINT: parents before their children.
HWND FindWindowToPaint(HWND filter) {
    HWND found = 0;
    WindowsState().Windows.ForEach([&](HANDLE h, Window& w) {
        if (found || !w.NeedsPaint || w.Destroying || !IsShownOnScreen(w)) return;
        if (MatchesWindow(h, filter)) found = h;
    });
    return found;
}

// Looks for the next message without waiting; removes posted ones when Remove is set.
bool TakeMessage(MSG* msg, HWND filter, UINT low, UINT high, bool remove) {
    QueueState& q = Queue();
    for (auto it = q.Posted.begin(); it != q.Posted.end(); ++it) {
        if (!MatchesRange(it->message, low, high)) continue;
        if (it->hwnd != 0 ? !MatchesWindow(it->hwnd, filter) : filter != 0) continue;
        *msg = *it;
        if (remove) q.Posted.erase(it);
        return true;
    }
    if (q.QuitPosted && filter == 0 && MatchesRange(WM_QUIT, low, high)) {
        *msg =
            MSG{0, WM_QUIT, static_cast<WPARAM>(q.QuitCode), 0, GetTickCount(), InputLastPointer()};
        if (remove) q.QuitPosted = false;
        return true;
    }
    if (MatchesRange(WM_PAINT, low, high)) {
        if (HWND h = FindWindowToPaint(filter)) {
            *msg = MSG{h, WM_PAINT, 0, 0, GetTickCount(), InputLastPointer()};
            return true;
        }
    }
    if (MatchesRange(WM_TIMER, low, high) && TakeDueTimer(filter, msg, remove, MatchesWindow)) {
        msg->pt = InputLastPointer();
        return true;
    }
    return false;
}

// The character a key types on a US keyboard, 0 for none.
int CharacterOfKey(int vk, bool shift, bool control) {
    static constexpr char kShiftedDigits[] = ")!@#$%^&*(";
    if (vk >= 'A' && vk <= 'Z') {
        if (control) return vk - 'A' + 1;
        return shift ? vk : vk - 'A' + 'a';
    }
    if (vk >= '0' && vk <= '9') return shift ? kShiftedDigits[vk - '0'] : vk;
    switch (vk) {
    case VK_SPACE:
        return ' ';
    case VK_RETURN:
        return '\r';
    case VK_BACK:
        return '\b';
    case VK_TAB:
        return '\t';
    case VK_ESCAPE:
        return 0x1B;
    default:
        return 0;
    }
}

} // namespace

void PostToQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Queue().Posted.push_back(
        MSG{window, message, wParam, lParam, GetTickCount(), InputLastPointer()});
}

void DiscardMessagesFor(HWND window) {
    auto& posted = Queue().Posted;
    for (auto it = posted.begin(); it != posted.end();)
        it = it->hwnd == window ? posted.erase(it) : it + 1;
}

} // namespace platform

using namespace platform;

LRESULT SendMessageA(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = FindWindow(h);
    if (!w || !w->Proc) return 0;
    return w->Proc(h, message, wParam, lParam);
}

BOOL PostMessageA(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    if (h != 0 && !FindWindow(h)) return FALSE;
    PostToQueue(h, message, wParam, lParam);
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    Queue().QuitPosted = true;
    Queue().QuitCode = exitCode;
}

BOOL PeekMessageA(MSG* msg, HWND h, UINT low, UINT high, UINT remove) {
    if (!msg || (h != 0 && !FindWindow(h))) return FALSE;
    BackendPumpEvents(false);
    return TakeMessage(msg, h, low, high, (remove & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL GetMessageA(MSG* msg, HWND h, UINT low, UINT high) {
    if (!msg || (h != 0 && !FindWindow(h))) return -1;
    BackendPumpEvents(false);
    while (!TakeMessage(msg, h, low, high, true)) {
        BackendPumpEvents(true);
        if (h != 0 && !FindWindow(h)) return -1;
    }
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL TranslateMessage(const MSG* msg) {
    if (!msg || msg->message != WM_KEYDOWN) return FALSE;
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const int c = CharacterOfKey(static_cast<int>(msg->wParam), shift, control);
    if (c == 0) return FALSE;
    PostToQueue(msg->hwnd, WM_CHAR, static_cast<WPARAM>(c), msg->lParam);
    return TRUE;
}

LRESULT DispatchMessageA(const MSG* msg) {
    if (!msg || msg->hwnd == 0) return 0;
    return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT CallWindowProcA(WNDPROC proc, HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    return proc ? proc(h, message, wParam, lParam) : 0;
}

LRESULT DefWindowProcA(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = FindWindow(h);
    if (!w) return 0;
    switch (message) {
    case WM_NCCREATE:
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(h);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (BeginPaint(h, &ps)) EndPaint(h, &ps);
        return 0;
    }
    case WM_ERASEBKGND: {
        if (!w->Class || !w->Class->Background || !wParam) return 0;
        RECT client{0, 0, ClientWidth(*w), ClientHeight(*w)};
        return FillRect(static_cast<HDC>(wParam), &client, w->Class->Background) ? 1 : 0;
    }
    case WM_SETTEXT:
        StoreWindowTitle(*w, reinterpret_cast<LPCSTR>(lParam));
        return TRUE;
    case WM_SYSKEYDOWN:
        if (static_cast<int>(wParam) == VK_F4 && IsTopLevel(*w))
            SendMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            SendMessageA(h, WM_CLOSE, 0, 0);
            break;
        case SC_MINIMIZE:
            ShowWindow(h, SW_MINIMIZE);
            break;
        case SC_RESTORE:
            ShowWindow(h, SW_RESTORE);
            break;
        default:
            break;
        }
        return 0;
    default:
        return 0;
    }
}
