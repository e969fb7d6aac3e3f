// A GL window with a shaped image button, for the end-to-end check under a real X server.
// Usage: imagebutton_xdemo PICTURE_PREFIX
// Prints "READY sx sy mx my gx gy" (screen points: on the shape, on a magenta corner of the
// button, on the bare GL frame) once frames are being presented, "COMMAND id lParam" when
// the button's notification reaches the window's command hook, then quits with exit code 0.
#include "Vistral.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

constexpr int kButtonId = 4711;
constexpr int kButtonX = 60;
constexpr int kButtonY = 40;
constexpr POINT kShapePoint = {48, 32};
constexpr POINT kCornerPoint = {2, 2};
constexpr POINT kFramePoint = {20, 250};
constexpr int kFramesBeforeReady = 3;
// Pacing only, so the loop leaves the shared machine some breath.
constexpr std::chrono::milliseconds kFramePause{5};

bool CommandSeen = false;

// The client's command hook: report the notification and end the loop.
LRESULT OnCommand(HWND, UINT, WPARAM wParam, LPARAM lParam) {
    std::printf("COMMAND %u %ld\n", static_cast<unsigned>(wParam), static_cast<long>(lParam));
    std::fflush(stdout);
    CommandSeen = true;
    return 0;
}

// No menus: the hook is what the menu switch is wanted for.
void NoMenu() {}

// One frame: dark blue with a yellow triangle.
void DrawFrame() {
    glViewport(0, 0, Width, Height);
    glClearColor(0.1f, 0.2f, 0.4f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(1.0f, 0.85f, 0.1f);
    glBegin(GL_TRIANGLES);
    glVertex2f(-0.2f, -0.8f);
    glVertex2f(0.9f, -0.8f);
    glVertex2f(0.35f, 0.6f);
    glEnd();
}

// A point of a window in screen coordinates.
POINT OnScreen(HWND window, POINT p) {
    ClientToScreen(window, &p);
    return p;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PICTURE_PREFIX\n", argv[0]);
        return 2;
    }
    CreateMenuBar = NoMenu;
    ShowMenuBar = true;
    GetInputCommand = OnCommand;
    OGLWindowSetting(ARROW, "", GENERIC, "");
    CreateOGLWindow("Bottone sagomato", 400, 300, 32, false);

    BMPType = argv[1];
    HWND button =
        CreateWindowExA(0, "IMAGEBUTTON", "", WS_CHILD | WS_VISIBLE, kButtonX, kButtonY, 10, 10,
                        HWindow, static_cast<HMENU>(kButtonId), GetModuleHandleA(nullptr), nullptr);
    if (button == 0) {
        std::fprintf(stderr, "no button\n");
        return 1;
    }

    int frames = 0;
    while (Active && !CommandSeen) {
        SetGLMsg();
        DrawFrame();
        SwapBuffers(DCWindow);
        std::this_thread::sleep_for(kFramePause);
        if (++frames == kFramesBeforeReady) {
            POINT shape = OnScreen(button, kShapePoint);
            POINT corner = OnScreen(button, kCornerPoint);
            POINT frame = OnScreen(HWindow, kFramePoint);
            std::printf("READY %ld %ld %ld %ld %ld %ld\n", static_cast<long>(shape.x),
                        static_cast<long>(shape.y), static_cast<long>(corner.x),
                        static_cast<long>(corner.y), static_cast<long>(frame.x),
                        static_cast<long>(frame.y));
            std::fflush(stdout);
        }
    }
    DestroyWindow(button);
    DeleteOGLWindow();
    return 0;
}
