// Input through the backend's real event path: native SDL events pushed into SDL's queue
// come out as posted key and mouse messages with the right codes and coordinates.
#include "WindowTestSupport.h"

using namespace wintest;
using namespace win32test;

namespace {

class Input : public OffscreenTest {
  protected:
    void SetUp() override {
        OffscreenTest::SetUp();
        window = MakeWindow(kWindowedStyle, 400, 300);
        ASSERT_NE(window, 0u);
        PumpAll();
        Log().clear();
    }

    // Messages of one kind that reached Window after the pump.
    std::vector<Seen> Pumped(UINT message) {
        PumpAll();
        return Only(message);
    }

    HWND window = 0;
};

TEST_F(Input, KeysArriveWithVirtualKeyCodes) {
    struct Case {
        int Scancode;
        int VirtualKey;
    };
    const Case cases[] = {{kScanA, 'A'},
                          {kScanZ, 'Z'},
                          {kScan1, '1'},
                          {kScan0, '0'},
                          {kScanEscape, VK_ESCAPE},
                          {kScanReturn, VK_RETURN},
                          {kScanSpace, VK_SPACE},
                          {kScanF1, VK_F1},
                          {kScanF12, VK_F12},
                          {kScanLeft, VK_LEFT},
                          {kScanUp, VK_UP},
                          {kScanRight, VK_RIGHT},
                          {kScanDown, VK_DOWN},
                          {kScanLeftShift, VK_SHIFT}};
    for (const Case& c : cases) {
        Log().clear();
        ASSERT_TRUE(InjectKey(window, c.Scancode, true));
        ASSERT_TRUE(InjectKey(window, c.Scancode, false));
        PumpAll();
        auto downs = Only(WM_KEYDOWN);
        auto ups = Only(WM_KEYUP);
        ASSERT_EQ(downs.size(), 1u) << c.Scancode;
        ASSERT_EQ(ups.size(), 1u) << c.Scancode;
        EXPECT_EQ(downs[0].WParam, static_cast<WPARAM>(c.VirtualKey)) << c.Scancode;
        EXPECT_EQ(ups[0].WParam, static_cast<WPARAM>(c.VirtualKey)) << c.Scancode;
        EXPECT_EQ(downs[0].Window, window);
        EXPECT_EQ(downs[0].LParam & KEYDATA_RELEASED, 0);
        EXPECT_NE(ups[0].LParam & KEYDATA_RELEASED, 0);
        EXPECT_NE(ups[0].LParam & KEYDATA_WAS_DOWN, 0);
    }
}

TEST_F(Input, AutoRepeatDeliversFurtherKeyDownsAndKeyStateFollows) {
    InjectKey(window, kScanZ, true);
    InjectKey(window, kScanZ, true, true);
    InjectKey(window, kScanZ, true, true);
    auto downs = Pumped(WM_KEYDOWN);
    ASSERT_EQ(downs.size(), 3u);
    EXPECT_EQ(downs[0].LParam & KEYDATA_WAS_DOWN, 0);
    EXPECT_NE(downs[1].LParam & KEYDATA_WAS_DOWN, 0);
    EXPECT_NE(GetKeyState('Z') & 0x8000, 0);
    InjectKey(window, kScanZ, false);
    PumpAll();
    EXPECT_EQ(GetKeyState('Z') & 0x8000, 0);
}

TEST_F(Input, MouseMessagesCarryClientCoordinatesAndButtonFlags) {
    InjectMouseMotion(window, 10, 20);
    InjectKey(window, kScanLeftShift, true);
    InjectMouseButton(window, kButtonLeft, true, 11, 21);
    InjectMouseMotion(window, 15, 25);
    InjectMouseButton(window, kButtonLeft, false, 15, 25);
    InjectMouseButton(window, kButtonRight, true, 16, 26);
    InjectMouseButton(window, kButtonRight, false, 16, 26);
    PumpAll();
    struct Expected {
        UINT Message;
        int X;
        int Y;
        WPARAM Flags;
    };
    const Expected expected[] = {
        {WM_MOUSEMOVE, 10, 20, 0},
        {WM_LBUTTONDOWN, 11, 21, MK_LBUTTON | MK_SHIFT},
        {WM_MOUSEMOVE, 15, 25, MK_LBUTTON | MK_SHIFT},
        {WM_LBUTTONUP, 15, 25, MK_SHIFT},
        {WM_RBUTTONDOWN, 16, 26, MK_RBUTTON | MK_SHIFT},
        {WM_RBUTTONUP, 16, 26, MK_SHIFT},
    };
    std::vector<Seen> mouse;
    for (const Seen& s : Log())
        if (s.Message >= WM_MOUSEMOVE && s.Message <= WM_MBUTTONDBLCLK) mouse.push_back(s);
    ASSERT_EQ(mouse.size(), std::size(expected));
    for (std::size_t i = 0; i < mouse.size(); ++i) {
        EXPECT_EQ(mouse[i].Message, expected[i].Message) << i;
        EXPECT_EQ(GET_X_LPARAM(mouse[i].LParam), expected[i].X) << i;
        EXPECT_EQ(GET_Y_LPARAM(mouse[i].LParam), expected[i].Y) << i;
        EXPECT_EQ(mouse[i].WParam, expected[i].Flags) << i;
        EXPECT_EQ(mouse[i].Window, window);
    }
    // The pointer in screen coordinates follows the input.
    POINT origin{0, 0}, pointer;
    ClientToScreen(window, &origin);
    GetCursorPos(&pointer);
    EXPECT_EQ(pointer.x, origin.x + 16);
    EXPECT_EQ(pointer.y, origin.y + 26);
}

TEST_F(Input, CapturedMotionOutsideTheWindowArrivesAsNegativeCoordinates) {
    HWND child = MakeChild(window, 100, 100, 50, 50);
    PumpAll();
    Log().clear();
    EXPECT_EQ(SetCapture(window), 0u);
    EXPECT_EQ(GetCapture(), window);
    InjectMouseMotion(window, -30, -7);
    InjectMouseMotion(window, 120, 120); // over the child, but the capture holds
    auto moves = Pumped(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0].Window, window);
    EXPECT_EQ(GET_X_LPARAM(moves[0].LParam), -30);
    EXPECT_EQ(GET_Y_LPARAM(moves[0].LParam), -7);
    EXPECT_EQ(moves[1].Window, window);

    // A captured child gets coordinates in its own client area, also left of and above it.
    Log().clear();
    SetCapture(child);
    InjectMouseMotion(window, 90, 95);
    moves = Pumped(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].Window, child);
    EXPECT_EQ(GET_X_LPARAM(moves[0].LParam), -10);
    EXPECT_EQ(GET_Y_LPARAM(moves[0].LParam), -5);
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(GetCapture(), 0u);
}

TEST_F(Input, MouseGoesToTheChildUnderThePointerInsideItsRegion) {
    HWND child = MakeChild(window, 100, 100, 50, 50);
    ASSERT_NE(SetWindowRgn(child, CreateRectRgn(0, 0, 25, 50), FALSE), 0); // left half only
    PumpAll();
    Log().clear();
    InjectMouseMotion(window, 110, 130); // inside the region
    InjectMouseMotion(window, 140, 130); // inside the child, outside its region
    InjectMouseMotion(window, 50, 50);   // elsewhere
    auto moves = Pumped(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 3u);
    EXPECT_EQ(moves[0].Window, child);
    EXPECT_EQ(GET_X_LPARAM(moves[0].LParam), 10);
    EXPECT_EQ(GET_Y_LPARAM(moves[0].LParam), 30);
    EXPECT_EQ(moves[1].Window, window);
    EXPECT_EQ(GET_X_LPARAM(moves[1].LParam), 140);
    EXPECT_EQ(moves[2].Window, window);
}

TEST_F(Input, NativeWindowEventsBecomePostedMessages) {
    RECT client;
    GetClientRect(window, &client);
    InjectWindowEvent(window, WindowEvent::Minimized);
    InjectWindowEvent(window, WindowEvent::Minimized); // already minimised: nothing new
    InjectWindowEvent(window, WindowEvent::Restored);
    auto sizes = Pumped(WM_SIZE);
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_EQ(sizes[0].WParam, SIZE_MINIMIZED);
    EXPECT_EQ(sizes[0].LParam, 0);
    EXPECT_EQ(sizes[1].LParam,
              MAKELPARAM(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));

    InjectWindowEvent(window, WindowEvent::FocusLost);
    PumpAll();
    EXPECT_EQ(GetForegroundWindow(), 0u);
    InjectWindowEvent(window, WindowEvent::FocusGained);
    PumpAll();
    EXPECT_EQ(GetForegroundWindow(), window);

    // Closing by the window manager is a close request: default processing destroys.
    Log().clear();
    InjectWindowEvent(window, WindowEvent::Close);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, 0, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_CLOSE);
    DispatchMessageA(&msg);
    EXPECT_EQ(Only(WM_DESTROY).size(), 1u);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(Input, SetCursorPosIsReportedInScreenCoordinates) {
    EXPECT_TRUE(SetCursorPos(400, 300));
    POINT p;
    ASSERT_TRUE(GetCursorPos(&p));
    EXPECT_EQ(p.x, 400);
    EXPECT_EQ(p.y, 300);
}

} // namespace
