// Classes, window creation and destruction, showing, geometry, titles and properties.
#include "WindowTestSupport.h"

#include <string>

using namespace wintest;

namespace {

// Index of the first recorded message of a kind, -1 when absent.
int FirstIndex(UINT message) {
    for (std::size_t i = 0; i < Log().size(); ++i)
        if (Log()[i].Message == message) return static_cast<int>(i);
    return -1;
}

class WindowLifecycle : public OffscreenTest {};

TEST_F(WindowLifecycle, ClassRegistrationIsOncePerNameWhateverTheCase) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = "OnceOnly";
    EXPECT_NE(RegisterClassA(&wc), 0);
    EXPECT_EQ(RegisterClassA(&wc), 0);
    wc.lpszClassName = "ONCEONLY";
    EXPECT_EQ(RegisterClassA(&wc), 0);

    WNDCLASSEXA ex{};
    ex.lpfnWndProc = RecordingProc;
    ex.lpszClassName = "ExtendedRecord";
    ex.cbSize = 40; // neither the 32-bit record size nor ours
    EXPECT_EQ(RegisterClassExA(&ex), 0);
    ex.cbSize = WNDCLASSEXA_SIZE_32BIT;
    EXPECT_NE(RegisterClassExA(&ex), 0);

    WNDCLASSEXA info{};
    EXPECT_TRUE(GetClassInfoExA(0, "extendedrecord", &info));
    EXPECT_EQ(info.lpfnWndProc, &RecordingProc);
    EXPECT_FALSE(GetClassInfoExA(0, "NoSuchClass", &info));
    wc.lpszClassName = nullptr;
    EXPECT_EQ(RegisterClassA(&wc), 0);
}

TEST_F(WindowLifecycle, CreationSendsCreateAndSizeBeforeReturning) {
    HWND w = MakeWindow(kWindowedStyle, 800, 600);
    ASSERT_NE(w, 0u);
    const int create = FirstIndex(WM_CREATE);
    const int size = FirstIndex(WM_SIZE);
    ASSERT_GE(create, 0);
    ASSERT_GT(size, create);
    EXPECT_LT(FirstIndex(WM_NCCREATE), create);
    // The captioned window keeps its outer size at the top-left; the client is smaller.
    RECT outer, client;
    ASSERT_TRUE(GetWindowRect(w, &outer));
    ASSERT_TRUE(GetClientRect(w, &client));
    EXPECT_EQ(outer.left, 0);
    EXPECT_EQ(outer.top, 0);
    EXPECT_EQ(outer.right, 800);
    EXPECT_EQ(outer.bottom, 600);
    EXPECT_LT(client.right, 800);
    EXPECT_LT(client.bottom, 600);
    EXPECT_EQ(LOWORD(Log()[size].LParam), client.right);
    EXPECT_EQ(HIWORD(Log()[size].LParam), client.bottom);
    // The native window is the client area, placed inside the frame.
    int x, y, width, height;
    ASSERT_TRUE(win32test::NativeWindowGeometry(w, x, y, width, height));
    EXPECT_EQ(width, client.right);
    EXPECT_EQ(height, client.bottom);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    EXPECT_EQ(x, origin.x);
    EXPECT_EQ(y, origin.y);
    EXPECT_EQ(GetForegroundWindow(), w);
}

TEST_F(WindowLifecycle, ShowingAHiddenWindowSendsSizeBeforeReturning) {
    HWND w = MakeWindow(kWindowedStyle & ~WS_VISIBLE);
    ASSERT_NE(w, 0u);
    EXPECT_FALSE(IsWindowVisible(w));
    Log().clear();
    EXPECT_FALSE(ShowWindow(w, SW_SHOWNORMAL));
    RECT client;
    GetClientRect(w, &client);
    auto sizes = Only(WM_SIZE);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0].WParam, SIZE_RESTORED);
    EXPECT_EQ(sizes[0].LParam,
              MAKELPARAM(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_TRUE(ShowWindow(w, SW_SHOW));
}

TEST_F(WindowLifecycle, FullScreenStyleCoversTheScreenInsideItsBorder) {
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_GT(screenW, 0);
    ASSERT_GT(screenH, 0);
    HWND w = MakeWindow(kFullScreenStyle, screenW, screenH);
    ASSERT_NE(w, 0u);
    RECT outer, client;
    GetWindowRect(w, &outer);
    GetClientRect(w, &client);
    EXPECT_EQ(outer.left, 0);
    EXPECT_EQ(outer.top, 0);
    EXPECT_EQ(outer.right, screenW);
    EXPECT_EQ(outer.bottom, screenH);
    EXPECT_EQ(client.right, screenW - 2);
    EXPECT_EQ(client.bottom, screenH - 2);
    // The display mode is left alone.
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), screenW);
}

TEST_F(WindowLifecycle, MinimiseSendsZeroSizeAndRestoreTheSizeAgain) {
    HWND w = MakeWindow();
    RECT client;
    GetClientRect(w, &client);
    const LPARAM full =
        MAKELPARAM(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom));
    Log().clear();
    ShowWindow(w, SW_MINIMIZE);
    ShowWindow(w, SW_RESTORE);
    auto sizes = Only(WM_SIZE);
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_EQ(sizes[0].WParam, SIZE_MINIMIZED);
    EXPECT_EQ(sizes[0].LParam, 0);
    EXPECT_EQ(sizes[1].WParam, SIZE_RESTORED);
    EXPECT_EQ(sizes[1].LParam, full);
    PumpAll(); // the native echoes of our own requests add nothing
    EXPECT_EQ(Only(WM_SIZE).size(), 2u);
}

TEST_F(WindowLifecycle, CreateFailureFromTheProcedureDestroysTheWindow) {
    EnsureClass("RefusesCreation", [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        Log().push_back(Seen{h, m, w, l});
        return m == WM_CREATE ? -1 : DefWindowProcA(h, m, w, l);
    });
    EXPECT_EQ(
        CreateWindowExA(0, "RefusesCreation", "", kWindowedStyle, 0, 0, 100, 100, 0, 0, 0, nullptr),
        0u);
    ASSERT_EQ(Only(WM_DESTROY).size(), 1u);
    EXPECT_FALSE(IsWindow(Only(WM_DESTROY)[0].Window));
    EXPECT_EQ(
        CreateWindowExA(0, "NoSuchClass", "", kWindowedStyle, 0, 0, 100, 100, 0, 0, 0, nullptr),
        0u);
    EXPECT_EQ(CreateWindowExA(0, "RecordingWindow", "", WS_CHILD, 0, 0, 10, 10, 0, 0, 0, nullptr),
              0u);
}

TEST_F(WindowLifecycle, DestroyDeliversDestroyToWindowThenChildrenAndFailsTheSecondTime) {
    HWND w = MakeWindow();
    HWND child = MakeChild(w, 5, 5, 20, 20);
    ASSERT_NE(child, 0u);
    PostMessageA(w, WM_USER, 0, 0);
    Log().clear();
    EXPECT_TRUE(DestroyWindow(w));
    auto destroys = Only(WM_DESTROY);
    ASSERT_EQ(destroys.size(), 2u);
    EXPECT_EQ(destroys[0].Window, w);
    EXPECT_EQ(destroys[1].Window, child);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(DestroyWindow(w));
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, 0, WM_USER, WM_USER, PM_REMOVE)); // its messages went with it
    RECT r;
    EXPECT_FALSE(GetClientRect(w, &r));
    EXPECT_EQ(SendMessageA(w, WM_USER, 0, 0), 0);
}

TEST_F(WindowLifecycle, DefaultProcessingOfCloseDestroysTheWindow) {
    HWND w = MakeWindow();
    PostMessageA(w, WM_CLOSE, 0, 0);
    PumpAll();
    EXPECT_EQ(Only(WM_DESTROY).size(), 1u);
    EXPECT_FALSE(IsWindow(w));
}

TEST_F(WindowLifecycle, TitlesInCodePage1252ReachTheNativeWindowAsUtf8) {
    HWND w = MakeWindow(kWindowedStyle, 320, 240, "Perch\xE8");
    EXPECT_EQ(win32test::NativeWindowTitle(w), "Perch\xC3\xA8");
    EXPECT_TRUE(SetWindowTextA(w, "Citt\xE8 \x80 - FPS [60]"));
    EXPECT_EQ(win32test::NativeWindowTitle(w), "Citt\xC3\xA8 \xE2\x82\xAC - FPS [60]");
    char buffer[8];
    EXPECT_EQ(GetWindowTextA(w, buffer, sizeof buffer), 7);
    EXPECT_STREQ(buffer, "Citt\xE8 \x80");
}

TEST_F(WindowLifecycle, PropertiesReadZeroWhenAbsent) {
    HWND w = MakeWindow();
    EXPECT_EQ(GetPropA(w, "HOVERMODEBYTE"), 0u);
    EXPECT_TRUE(SetPropA(w, "HOVERMODEBYTE", 3));
    EXPECT_EQ(GetPropA(w, "hovermodebyte"), 3u);
    EXPECT_EQ(RemovePropA(w, "HOVERMODEBYTE"), 3u);
    EXPECT_EQ(GetPropA(w, "HOVERMODEBYTE"), 0u);
    EXPECT_EQ(RemovePropA(w, "HOVERMODEBYTE"), 0u);
    EXPECT_FALSE(SetPropA(0, "X", 1));
    EXPECT_EQ(GetPropA(0x01000000u | 99, "X"), 0u);
}

TEST_F(WindowLifecycle, ChildWindowsKnowParentIdAndPlace) {
    HWND w = MakeWindow();
    HWND child = MakeChild(w, 10, 20, 30, 40, 30482);
    ASSERT_NE(child, 0u);
    EXPECT_EQ(GetParent(child), w);
    EXPECT_EQ(GetParent(w), 0u);
    EXPECT_EQ(GetDlgCtrlID(child), 30482);
    EXPECT_EQ(GetDlgCtrlID(w), 0);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_EQ(r.left, origin.x + 10);
    EXPECT_EQ(r.top, origin.y + 20);
    EXPECT_EQ(r.right - r.left, 30);
    EXPECT_EQ(r.bottom - r.top, 40);
    Log().clear();
    EXPECT_TRUE(MoveWindow(child, 1, 2, 64, 48, FALSE));
    auto sizes = Only(WM_SIZE);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0].LParam, MAKELPARAM(64, 48));
    ASSERT_EQ(Only(WM_MOVE).size(), 1u);
    EXPECT_EQ(Only(WM_MOVE)[0].LParam, MAKELPARAM(1, 2));
}

TEST_F(WindowLifecycle, DeviceContextsDoNotOutliveTheirWindow) {
    HWND w = MakeWindow();
    HWND child = MakeChild(w, 0, 0, 10, 10);
    HDC dc = GetDC(child);
    ASSERT_NE(dc, 0u);
    EXPECT_EQ(ReleaseDC(w, dc), 0); // not that window's
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    RECT r{0, 0, 10, 10};
    EXPECT_NE(FillRect(dc, &r, brush), 0);
    DestroyWindow(child);
    EXPECT_EQ(FillRect(dc, &r, brush), 0); // the surface is gone, and so is the DC
    EXPECT_EQ(ReleaseDC(child, dc), 0);
    DeleteObject(brush);
    HDC screen = GetDC(0);
    EXPECT_EQ(ReleaseDC(0, screen), 1);
}

TEST_F(WindowLifecycle, WindowRegionIsOwnedByTheWindow) {
    HWND w = MakeWindow();
    HWND child = MakeChild(w, 0, 0, 10, 10);
    HRGN first = CreateRectRgn(0, 0, 5, 5);
    HRGN second = CreateRectRgn(0, 0, 2, 2);
    EXPECT_NE(SetWindowRgn(child, first, FALSE), 0);
    EXPECT_NE(SetWindowRgn(child, second, FALSE), 0);
    EXPECT_FALSE(PtInRegion(first, 1, 1)); // replaced regions are deleted
    EXPECT_TRUE(PtInRegion(second, 1, 1));
    DestroyWindow(child);
    EXPECT_FALSE(PtInRegion(second, 1, 1));
}

TEST_F(WindowLifecycle, InstanceAndSystemMetrics) {
    EXPECT_NE(GetModuleHandleA(nullptr), 0u);
    EXPECT_EQ(GetModuleHandleA(nullptr), GetModuleHandleA(nullptr));
    EXPECT_EQ(GetModuleHandleA("other.dll"), 0u);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024); // the offscreen driver's desktop
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    RECT r{0, 0, 800, 600};
    AdjustWindowRect(&r, kWindowedStyle, FALSE);
    EXPECT_EQ(r.right - r.left, 806);
    EXPECT_EQ(r.bottom - r.top, 622);
}

} // namespace
