// Shared set-up of the window suites.
#include "WindowFixture.h"

#include <cstdlib>

namespace windowtest {

namespace {

// More queued messages than any test produces: a runaway queue fails instead of hanging.
constexpr int kDrainLimit = 10000;

} // namespace

void UseOffscreenDriverByDefault() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
}

void ResetEngineState() {
    // Window state.
    HWindow = 0;
    DCWindow = 0;
    RCWindow = 0;
    Width = 0;
    Height = 0;
    Bits = 0;
    FullScreen = false;
    Active = false;
    SetTitleName = nullptr;
    ShowMenuBar = false;
    CreateMenuBar = nullptr;
    CreateMouseMenu = nullptr;
    ShowStatusBar = false;
    HStatus = 0;
    // Life cycle settings.
    PIXEL_FORMAT_FLAGS = 0;
    CREATE_WINDOW_FLAGS = 0;
    // Window procedure.
    SetKey = {};
    GetInputCommand = nullptr;
    ViewFPS = false;
    FPSCount = 0;
    FPSCountStr.clear();
    ForceFPS = 1;
    AddForceFPS = 0;
    AddIntervalFPS = FPS_INTERVAL;
    // Mouse.
    LeftMouseDown = RightMouseDown = MouseFree = false;
    LeftMouseDown2 = RightMouseDown2 = false;
    Depth = Depth2 = XRot = YRot = XRot2 = YRot2 = 0.0f;
    XCoord = YCoord = ZCoord = 0;
    MPos = {0, 0};
    MSpeed = 0;
    SetMX = SetMY = SetOMX = SetOMY = 0;
    My = {0.0f, 0.0f, 0.0f};
    // Status bar.
    AWnd = 0;
    FileName = {};
    StatusItem = {};
    MaxStatusItem = 0;
    Edges = {};
}

void DrainMessages() {
    MSG msg = {};
    for (int i = 0; i < kDrainLimit && PeekMessageA(&msg, 0, 0, 0, PM_REMOVE); ++i)
        DispatchMessageA(&msg);
}

void PostAndPump(UINT message, WPARAM wParam, LPARAM lParam) {
    ASSERT_TRUE(PostMessageA(HWindow, message, wParam, lParam));
    SetGLMsg();
    DrainMessages();
}

std::string WindowTitle(HWND window) {
    char text[512] = {};
    const int length = GetWindowTextA(window, text, sizeof text);
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

void UnregisterEngineClasses() {
    UnregisterClassA(GLWINDOW_CLASS_NAME, 0);
}

void GlWindowTest::SetUp() {
    UseOffscreenDriverByDefault();
    ResetEngineState();
    OGLWindowSetting(ARROW, "", GENERIC, "");
    ASSERT_TRUE(CreateOGLWindow(kTitle, kRequestWidth, kRequestHeight, kRequestBits, false));
    DrainMessages();
}

void GlWindowTest::TearDown() {
    DeleteOGLWindow();
    DrainMessages();
    UnregisterEngineClasses();
    ResetEngineState();
}

} // namespace windowtest
