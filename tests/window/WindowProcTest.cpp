// The GL window's procedure and the one-message pump, message by message, on a real window.
#include "WindowFixture.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace {

using windowtest::GlWindowTest;
using windowtest::PostAndPump;

// Records the calls of the client hooks.
struct HookLog {
    int Commands = 0;
    HWND Window = 0;
    UINT Message = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    int MouseMenus = 0;
};
HookLog gHooks;

LRESULT CommandHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ++gHooks.Commands;
    gHooks.Window = window;
    gHooks.Message = message;
    gHooks.WParam = wParam;
    gHooks.LParam = lParam;
    return 12345; // ignored by the window procedure
}

void MouseMenuHook() {
    ++gHooks.MouseMenus;
}

// Every entry of the key table that is not KEY_UP.
std::vector<long long> KeysDown() {
    std::vector<long long> down;
    for (long long code = KEY_TABLE_LOW; code <= KEY_TABLE_HIGH; ++code)
        if (SetKey[code] != KEY_UP) down.push_back(code);
    return down;
}

class WindowProcTest : public GlWindowTest {
  protected:
    void SetUp() override {
        GlWindowTest::SetUp();
        gHooks = {};
    }
};

TEST_F(WindowProcTest, CreationLeavesTheWindowActiveWithAnEmptyKeyTable) {
    EXPECT_TRUE(Active);
    EXPECT_TRUE(KeysDown().empty());
}

TEST_F(WindowProcTest, EscapeSendsDestroyAndClearsActiveInTheSamePumpStep) {
    ASSERT_TRUE(PostMessageA(HWindow, WM_KEYDOWN, VK_ESCAPE, 0));
    SetGLMsg();
    EXPECT_FALSE(Active);
    EXPECT_EQ(SetKey[VK_ESCAPE], KEY_UP) << "Escape never enters the key table";
    EXPECT_FALSE(SetGLKey(static_cast<char>(VK_ESCAPE)));
    // The window is told it is done, not destroyed: that is DeleteOGLWindow's job.
    EXPECT_TRUE(IsWindow(HWindow));
    // WM_DESTROY posted a quit message, which the pump dispatches like any other.
    MSG msg = {};
    EXPECT_TRUE(PeekMessageA(&msg, 0, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    windowtest::DrainMessages();
    EXPECT_FALSE(Active);
    EXPECT_TRUE(IsWindow(HWindow));
}

TEST_F(WindowProcTest, EscapeReturnsZeroWithoutDefaultProcessing) {
    EXPECT_EQ(SendMessageA(HWindow, WM_KEYDOWN, VK_ESCAPE, 0), 0);
    EXPECT_FALSE(Active);
}

TEST_F(WindowProcTest, HeldKeyStaysDownThroughAutoRepeatUntilItsRelease) {
    PostAndPump(WM_KEYDOWN, 'Z', KEYDATA_REPEAT_ONE);
    EXPECT_TRUE(SetGLKey('Z'));
    EXPECT_EQ(SetKey['Z'], KEY_DOWN) << "true is stored with all bits set";
    for (int repeat = 0; repeat < 3; ++repeat) {
        PostAndPump(WM_KEYDOWN, 'Z', KEYDATA_REPEAT_ONE | KEYDATA_WAS_DOWN);
        EXPECT_TRUE(SetGLKey('Z'));
    }
    EXPECT_FALSE(SetGLKey('z')) << "lower case asks for another key (F11)";
    PostAndPump(WM_KEYUP, 'Z', KEYDATA_REPEAT_ONE | KEYDATA_WAS_DOWN | KEYDATA_RELEASED);
    EXPECT_FALSE(SetGLKey('Z'));
    EXPECT_TRUE(KeysDown().empty());
}

TEST_F(WindowProcTest, KeysAreTrackedIndependently) {
    PostAndPump(WM_KEYDOWN, 'A', 0);
    PostAndPump(WM_KEYDOWN, VK_SPACE, 0);
    PostAndPump(WM_KEYUP, 'A', 0);
    EXPECT_EQ(KeysDown(), std::vector<long long>{VK_SPACE});
}

TEST_F(WindowProcTest, AnyKeyReleaseEndsFreeLook) {
    const WPARAM releases[] = {'A',
                               VK_SPACE,
                               VK_ESCAPE,
                               0,
                               KEY_TABLE_HIGH,
                               KEY_TABLE_HIGH + 1,
                               std::numeric_limits<WPARAM>::max()};
    for (WPARAM code : releases) {
        MouseFree = true;
        PostAndPump(WM_KEYUP, code, 0);
        EXPECT_FALSE(MouseFree) << "key " << code;
    }
}

TEST_F(WindowProcTest, KeyCodesOutsideTheTableAreIgnoredSafely) {
    const WPARAM odd[] = {KEY_TABLE_HIGH + 1, 1000, 0x10000, 0xFFFFFFFFu,
                          std::numeric_limits<WPARAM>::max()};
    for (WPARAM code : odd) {
        PostAndPump(WM_KEYDOWN, code, 0);
        PostAndPump(WM_KEYUP, code, 0);
        EXPECT_TRUE(KeysDown().empty()) << "key " << code;
    }
    EXPECT_TRUE(Active);
    // The table's own ends are keys like any other.
    PostAndPump(WM_KEYDOWN, KEY_TABLE_HIGH, 0);
    PostAndPump(WM_KEYDOWN, 0, 0);
    EXPECT_EQ(KeysDown(), (std::vector<long long>{0, KEY_TABLE_HIGH}));
}

TEST_F(WindowProcTest, EachPumpStepTakesOnlyTheFirstQueuedMessage) {
    ASSERT_TRUE(PostMessageA(HWindow, WM_KEYDOWN, 'A', 0));
    ASSERT_TRUE(PostMessageA(HWindow, WM_KEYDOWN, 'B', 0));
    ASSERT_TRUE(PostMessageA(HWindow, WM_KEYDOWN, 'C', 0));
    SetGLMsg();
    EXPECT_EQ(KeysDown(), std::vector<long long>{'A'});
    SetGLMsg();
    EXPECT_EQ(KeysDown(), (std::vector<long long>{'A', 'B'}));
    SetGLMsg();
    EXPECT_EQ(KeysDown(), (std::vector<long long>{'A', 'B', 'C'}));
}

TEST_F(WindowProcTest, PumpWithAnEmptyQueueReturnsAtOnceAndChangesNothing) {
    MSG msg = {};
    ASSERT_FALSE(PeekMessageA(&msg, 0, 0, 0, PM_NOREMOVE));
    SetGLMsg();
    EXPECT_TRUE(Active);
    EXPECT_TRUE(KeysDown().empty());
}

TEST_F(WindowProcTest, QuitMessageIsDispatchedLikeAnyOtherAndEndsNothing) {
    PostQuitMessage(0);
    MSG msg = {};
    ASSERT_TRUE(PeekMessageA(&msg, 0, 0, 0, PM_NOREMOVE));
    ASSERT_EQ(msg.message, WM_QUIT);
    SetGLMsg();
    EXPECT_EQ(Msg_.message, WM_QUIT) << "the pump's buffer holds the message it took";
    EXPECT_TRUE(Active) << "only Active signals the end";
    EXPECT_FALSE(PeekMessageA(&msg, 0, 0, 0, PM_NOREMOVE));
}

TEST_F(WindowProcTest, CommandReturnsZeroWhetherOrNotAHookIsSet) {
    struct Case {
        bool MenuBar;
        WNDPROC Hook;
        int Calls;
    };
    const Case cases[] = {
        {false, nullptr, 0}, {true, nullptr, 0}, {false, CommandHook, 0}, {true, CommandHook, 1}};
    for (const Case& c : cases) {
        gHooks = {};
        ShowMenuBar = c.MenuBar;
        GetInputCommand = c.Hook;
        EXPECT_EQ(SendMessageA(HWindow, WM_COMMAND, 7, 99), 0);
        EXPECT_EQ(gHooks.Commands, c.Calls) << "menu bar " << c.MenuBar;
    }
    EXPECT_EQ(gHooks.Window, HWindow);
    EXPECT_EQ(gHooks.Message, WM_COMMAND);
    EXPECT_EQ(gHooks.WParam, 7u);
    EXPECT_EQ(gHooks.LParam, 99);
}

TEST_F(WindowProcTest, ContextMenuCallsTheMouseMenuOnlyWithTheMenuBarOn) {
    CreateMouseMenu = MouseMenuHook;
    PostAndPump(WM_CONTEXTMENU, HWindow, 0);
    EXPECT_EQ(gHooks.MouseMenus, 0);
    ShowMenuBar = true;
    PostAndPump(WM_CONTEXTMENU, HWindow, 0);
    EXPECT_EQ(gHooks.MouseMenus, 1);
    // A client that turned the menu bar on without the procedure is not followed into null.
    CreateMouseMenu = nullptr;
    PostAndPump(WM_CONTEXTMENU, HWindow, 0);
    EXPECT_TRUE(Active);
}

TEST_F(WindowProcTest, SizeIsRecordedUnchangedZeroByZeroIncluded) {
    struct Case {
        WORD W, H;
    };
    const Case cases[] = {{640, 480}, {0, 0}, {65535, 1}, {1, 65535}};
    for (const Case& c : cases) {
        PostAndPump(WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.W, c.H));
        EXPECT_EQ(Width, c.W);
        EXPECT_EQ(Height, c.H);
    }
}

TEST_F(WindowProcTest, MinimisingRecordsZeroByZeroUntilRestored) {
    RECT client = {};
    ASSERT_TRUE(GetClientRect(HWindow, &client));
    ShowWindow(HWindow, SW_MINIMIZE);
    windowtest::DrainMessages();
    EXPECT_EQ(Width, 0);
    EXPECT_EQ(Height, 0);
    EXPECT_TRUE(Active);
    ShowWindow(HWindow, SW_RESTORE);
    windowtest::DrainMessages();
    EXPECT_EQ(Width, client.right);
    EXPECT_EQ(Height, client.bottom);
}

TEST_F(WindowProcTest, ClosingTheWindowDestroysItAndClearsActive) {
    PostAndPump(WM_CLOSE, 0, 0);
    EXPECT_FALSE(Active);
    EXPECT_FALSE(IsWindow(HWindow));
}

TEST_F(WindowProcTest, ScreenSaverAndMonitorPowerAreSwallowedOtherCommandsAreNot) {
    EXPECT_EQ(SendMessageA(HWindow, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
    EXPECT_EQ(SendMessageA(HWindow, WM_SYSCOMMAND, SC_MONITORPOWER, 2), 0);
    EXPECT_TRUE(IsWindow(HWindow));
    EXPECT_TRUE(Active);
    // The close command still goes to default processing, which closes the window.
    PostAndPump(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(Active);
    EXPECT_FALSE(IsWindow(HWindow));
}

TEST_F(WindowProcTest, PaintValidatesTheWindowWithoutDrawing) {
    ASSERT_TRUE(InvalidateRect(HWindow, nullptr, FALSE));
    MSG msg = {};
    ASSERT_TRUE(PeekMessageA(&msg, 0, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_PAINT);
    SetGLMsg();
    EXPECT_FALSE(PeekMessageA(&msg, 0, 0, 0, PM_NOREMOVE)) << "the paint was consumed";
}

TEST_F(WindowProcTest, OtherMessagesGoToDefaultProcessing) {
    EXPECT_EQ(SendMessageA(HWindow, WM_NCCREATE, 0, 0), TRUE);
    EXPECT_EQ(SendMessageA(HWindow, WM_NULL, 0, 0), 0);
    EXPECT_TRUE(Active);
}

} // namespace
