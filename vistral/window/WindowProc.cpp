// The GL window's procedure, the one-message pump and the key table.
#include "vistral/WindowProc.h"

#include "vistral/Mouse.h"
#include "vistral/WindowState.h"
#include "WindowDetail.h"

TKeyTable SetKey = {};
MSG Msg_ = {};
WNDPROC GetInputCommand = nullptr;

namespace {

// System commands carry flags in their low four bits.
constexpr WPARAM SYSCOMMAND_MASK = 0xFFF0;

// True when a key message's code has an entry in the key table.
bool InKeyTable(WPARAM code) {
    return code <= static_cast<WPARAM>(KEY_TABLE_HIGH);
}

// Records a key press; auto-repeat presses leave it down.
void KeyDown(WPARAM code) {
    if (InKeyTable(code)) SetKey[static_cast<long long>(code)] = KEY_DOWN;
}

// Records a key release; any release ends free-look.
void KeyUp(WPARAM code) {
    if (InKeyTable(code)) SetKey[static_cast<long long>(code)] = KEY_UP;
    MouseFree = false;
}

// Validates the window without drawing: the main loop draws continuously.
void Paint(HWND window) {
    PAINTSTRUCT paint = {};
    RECT client = {};
    BeginPaint(window, &paint);
    GetClientRect(window, &client);
    UpdateWindow(HStatus);
    EndPaint(window, &paint);
}

// Default processing, after repainting the status bar for a zero wParam.
LRESULT CommonTail(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (wParam == 0) UpdateWindow(HStatus);
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

// Turns the GL window's messages into engine state.
LRESULT GLWndProc(HWND Window, UINT AMessage, WPARAM WParam, LPARAM LParam) {
    switch (AMessage) {
    case WM_CREATE:
        Active = true;
        return 0;
    case WM_DESTROY:
        Active = false;
        PostQuitMessage(0);
        return 0;
    case WM_SIZE:
        GLResizeWindow(LOWORD(static_cast<std::uintptr_t>(LParam)),
                       HIWORD(static_cast<std::uintptr_t>(LParam)));
        break;
    case WM_PAINT:
        Paint(Window);
        return 0;
    case WM_CONTEXTMENU:
        if (ShowMenuBar && CreateMouseMenu != nullptr) CreateMouseMenu();
        break;
    case WM_KEYDOWN:
        if (WParam == VK_ESCAPE) {
            // Escape only tells the window it is done; it never enters the key table.
            SendMessageA(HWindow, WM_DESTROY, 0, 0);
            return 0;
        }
        KeyDown(WParam);
        break;
    case WM_KEYUP:
        KeyUp(WParam);
        break;
    case WM_COMMAND:
        if (ShowMenuBar && GetInputCommand != nullptr)
            GetInputCommand(Window, AMessage, WParam, LParam);
        return 0;
    case WM_SYSCOMMAND: {
        const WPARAM command = WParam & SYSCOMMAND_MASK;
        // The screen saver and monitor power-down would blank a running view.
        if (command == SC_SCREENSAVE || command == SC_MONITORPOWER) return 0;
        break;
    }
    case WM_TIMER:
        if (ViewFPS && WParam == FPS_TIMER) vistral::detail::GLFrameRateUpdate();
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        vistral::detail::GLMouseMessage(AMessage, LParam);
        break;
    default:
        break;
    }
    return CommonTail(Window, AMessage, WParam, LParam);
}

// One step of the pump: the first waiting message, if any, is dispatched.
void SetGLMsg() {
    if (!PeekMessageA(&Msg_, 0, 0, 0, PM_NOREMOVE)) return;
    // A WM_QUIT is dispatched like any message; the end is signalled by Active alone.
    GetMessageA(&Msg_, 0, 0, 0);
    TranslateMessage(&Msg_);
    DispatchMessageA(&Msg_);
}

// True while the key is held.
bool SetGLKey(char Key) {
    return SetKey[static_cast<unsigned char>(Key)] != KEY_UP;
}
