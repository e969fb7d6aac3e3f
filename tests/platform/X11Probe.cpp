// A small program for the X11 tests: asks the start-up question, or opens a GL window
// and prints every key and mouse message it receives, one line each, until Escape.
#include "Win32.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstring>

namespace {

// One line per message, flushed at once so the driving script sees it.
void Report(const char* what, long a, long b = 0, long c = 0) {
    std::printf("%s %ld %ld %ld\n", what, a, b, c);
    std::fflush(stdout);
}

// Key and mouse messages as text; Escape destroys the window; drags capture the mouse.
LRESULT ProbeProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    const long x = GET_X_LPARAM(l);
    const long y = GET_Y_LPARAM(l);
    switch (m) {
    case WM_KEYDOWN:
        Report("KEYDOWN", static_cast<long>(w));
        if (w == VK_ESCAPE) DestroyWindow(h);
        return 0;
    case WM_KEYUP:
        Report("KEYUP", static_cast<long>(w));
        return 0;
    case WM_MOUSEMOVE:
        Report("MOUSEMOVE", x, y, static_cast<long>(w));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        ReleaseCapture();
        SetCapture(h);
        Report(m == WM_LBUTTONDOWN ? "LBUTTONDOWN" : "RBUTTONDOWN", x, y, static_cast<long>(w));
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        ReleaseCapture();
        Report(m == WM_LBUTTONUP ? "LBUTTONUP" : "RBUTTONUP", x, y, static_cast<long>(w));
        return 0;
    case WM_DESTROY:
        Report("DESTROY", 0);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(h, m, w, l);
    }
}

// The window test: a captioned GL window driven the way the engine drives it.
int RunWindow() {
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ProbeProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(0, IDC_ARROW);
    wc.lpszClassName = "ProbeWindow";
    if (!RegisterClassA(&wc)) return 2;
    HWND w = CreateWindowExA(0, "ProbeWindow", "Sonda input \xE8", 0x96CA0000, CW_USEDEFAULT,
                             CW_USEDEFAULT, 400, 300, 0, 0, wc.hInstance, nullptr);
    if (!w) return 3;
    HDC dc = GetDC(w);
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    SetPixelFormat(dc, ChoosePixelFormat(dc, &pfd), &pfd);
    HGLRC rc = wglCreateContext(dc);
    if (!rc || !wglMakeCurrent(dc, rc)) return 4;
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    Report("READY", origin.x, origin.y);
    MSG msg;
    bool running = true;
    while (running) {
        if (PeekMessageA(&msg, 0, 0, 0, PM_NOREMOVE)) {
            if (GetMessageA(&msg, 0, 0, 0) == 0) running = false;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (running && IsWindow(w)) {
            glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT);
            SwapBuffers(dc);
        }
    }
    wglMakeCurrent(0, 0);
    wglDeleteContext(rc);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "question") == 0) {
        Report("ANSWER", MessageBoxA(0, "Settare lo schermo intero?  ", "Video!",
                                     MB_YESNO | MB_ICONQUESTION));
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "window") == 0) return RunWindow();
    std::fprintf(stderr, "usage: %s question|window\n", argv[0]);
    return 1;
}
