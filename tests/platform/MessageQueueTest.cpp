// The queue: order, one message per pump step, non-blocking peeks, quit, paint, send.
#include "WindowTestSupport.h"

using namespace wintest;

namespace {

class MessageQueue : public OffscreenTest {
  protected:
    void SetUp() override {
        OffscreenTest::SetUp();
        window = MakeWindow();
        ASSERT_NE(window, 0u);
        PumpAll(); // creation's own paint and native echoes
        Log().clear();
    }
    HWND window = 0;
};

// One step of the engine's pump: look without removing, then take, translate, dispatch.
bool PumpOneStep(MSG& msg) {
    if (!PeekMessageA(&msg, 0, 0, 0, PM_NOREMOVE)) return false;
    GetMessageA(&msg, 0, 0, 0);
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

TEST_F(MessageQueue, PostedMessagesComeOutInOrderOnePerStep) {
    for (UINT i = 0; i < 3; ++i)
        PostMessageA(window, WM_USER + i, i, 0);
    MSG msg;
    for (UINT i = 0; i < 3; ++i) {
        ASSERT_TRUE(PumpOneStep(msg));
        EXPECT_EQ(msg.message, WM_USER + i);
        ASSERT_EQ(Log().size(), i + 1);
        EXPECT_EQ(Log().back().Message, WM_USER + i);
    }
    EXPECT_FALSE(PumpOneStep(msg));
}

TEST_F(MessageQueue, PeekWithoutRemovingKeepsTheHeadAndNeverBlocks) {
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, 0, 0, 0, PM_NOREMOVE)); // empty: returns at once
    PostMessageA(window, WM_USER, 1, 2);
    PostMessageA(window, WM_USER + 1, 0, 0);
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(PeekMessageA(&msg, 0, 0, 0, PM_NOREMOVE));
        EXPECT_EQ(msg.message, WM_USER);
        EXPECT_EQ(msg.hwnd, window);
        EXPECT_EQ(msg.wParam, 1u);
        EXPECT_EQ(msg.lParam, 2);
    }
    ASSERT_TRUE(PeekMessageA(&msg, 0, WM_USER + 1, WM_USER + 1, PM_REMOVE)); // a range filter
    EXPECT_EQ(msg.message, WM_USER + 1);
    ASSERT_TRUE(PeekMessageA(&msg, 0, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER);
    EXPECT_FALSE(PeekMessageA(&msg, 0, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueue, SendRunsTheProcedureAtOnce) {
    EnsureClass("Answers", [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        return m == WM_USER ? static_cast<LRESULT>(w * 2) : DefWindowProcA(h, m, w, l);
    });
    HWND answers = CreateWindowExA(0, "Answers", "", 0, 0, 0, 10, 10, 0, 0, 0, nullptr);
    ASSERT_NE(answers, 0u);
    EXPECT_EQ(SendMessageA(answers, WM_USER, 21, 0), 42);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, answers, WM_USER, WM_USER, PM_NOREMOVE));
    EXPECT_EQ(SendMessageA(0, WM_USER, 21, 0), 0);
    EXPECT_FALSE(PostMessageA(0x01000000u | 500, WM_USER, 0, 0));
}

TEST_F(MessageQueue, QuitComesAfterPostedMessagesAndEndsGetMessage) {
    PostMessageA(window, WM_USER, 0, 0);
    PostQuitMessage(3);
    MSG msg;
    EXPECT_EQ(GetMessageA(&msg, 0, 0, 0), TRUE);
    EXPECT_EQ(msg.message, WM_USER);
    EXPECT_EQ(GetMessageA(&msg, 0, 0, 0), FALSE);
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_EQ(msg.hwnd, 0u);
    EXPECT_EQ(DispatchMessageA(&msg), 0); // no window: nothing handles it
    EXPECT_FALSE(PeekMessageA(&msg, 0, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(GetMessageA(&msg, 0x01000000u | 500, 0, 0), -1);
}

TEST_F(MessageQueue, PaintWaitsForAnEmptyQueueAndStopsOncePainted) {
    InvalidateRect(window, nullptr, FALSE);
    PostMessageA(window, WM_USER, 0, 0);
    MSG msg;
    ASSERT_TRUE(PumpOneStep(msg));
    EXPECT_EQ(msg.message, WM_USER);
    ASSERT_TRUE(PumpOneStep(msg));
    EXPECT_EQ(msg.message, WM_PAINT);
    EXPECT_EQ(msg.hwnd, window);
    EXPECT_FALSE(PumpOneStep(msg)); // default processing validated it

    InvalidateRect(window, nullptr, FALSE);
    Log().clear();
    EXPECT_TRUE(UpdateWindow(window)); // paints at once, outside the queue
    EXPECT_EQ(Only(WM_PAINT).size(), 1u);
    EXPECT_FALSE(PeekMessageA(&msg, 0, 0, 0, PM_NOREMOVE));
    EXPECT_FALSE(UpdateWindow(0));
}

TEST_F(MessageQueue, TimersComeWhenNothingElseWaits) {
    EXPECT_EQ(SetTimer(window, 1, 10, [](HWND, UINT, UINT_PTR, DWORD) {}), 0u); // no procedures
    ASSERT_NE(SetTimer(window, 1, 10, nullptr), 0u);
    MSG msg;
    ASSERT_EQ(GetMessageA(&msg, 0, 0, 0), TRUE); // waits for the period to pass
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(msg.hwnd, window);
    EXPECT_EQ(msg.wParam, 1u);
    while (!PeekMessageA(&msg, 0, 0, 0, PM_NOREMOVE)) {
    }
    EXPECT_EQ(msg.message, WM_TIMER);
    PostMessageA(window, WM_USER, 0, 0);
    ASSERT_TRUE(PeekMessageA(&msg, 0, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER); // posted messages go first
    EXPECT_TRUE(KillTimer(window, 1));
    EXPECT_FALSE(KillTimer(window, 1));
    EXPECT_FALSE(PeekMessageA(&msg, 0, WM_TIMER, WM_TIMER, PM_NOREMOVE));
    const UINT_PTR thread = SetTimer(0, 0, 10, nullptr);
    EXPECT_NE(thread, 0u);
    EXPECT_NE(SetTimer(0, 0, 10, nullptr), thread);
    EXPECT_EQ(SetTimer(0x01000000u | 500, 1, 10, nullptr), 0u);
}

TEST_F(MessageQueue, TranslateTurnsTypingKeysIntoCharacters) {
    struct Case {
        int VirtualKey;
        bool Typed;
        WPARAM Character;
    };
    const Case cases[] = {{'Z', true, 'z'},
                          {'7', true, '7'},
                          {VK_SPACE, true, ' '},
                          {VK_F1, false, 0},
                          {VK_LEFT, false, 0}};
    for (const Case& c : cases) {
        MSG key{window, WM_KEYDOWN, static_cast<WPARAM>(c.VirtualKey), 1, 0, {0, 0}};
        EXPECT_EQ(TranslateMessage(&key), c.Typed ? TRUE : FALSE) << c.VirtualKey;
        MSG msg;
        EXPECT_EQ(PeekMessageA(&msg, 0, WM_CHAR, WM_CHAR, PM_REMOVE), c.Typed ? TRUE : FALSE);
        if (c.Typed) {
            EXPECT_EQ(msg.wParam, c.Character);
        }
    }
}

} // namespace
