// The optional status bar on a real GL window (SDL's offscreen driver).
#include "WindowFixture.h"

#include <cstring>
#include <string>

namespace {

using windowtest::DrainMessages;
using windowtest::kRequestBits;
using windowtest::kRequestHeight;
using windowtest::kRequestWidth;
using windowtest::kTitle;

class StatusBarTest : public ::testing::Test {
  protected:
    void SetUp() override {
        windowtest::UseOffscreenDriverByDefault();
        windowtest::ResetEngineState();
    }
    void TearDown() override {
        if (HWindow != 0 && IsWindow(HWindow)) DeleteOGLWindow();
        DrainMessages();
        windowtest::UnregisterEngineClasses();
        windowtest::ResetEngineState();
    }
    // A window with the bar divided at the given right edges.
    void CreateWithParts(std::initializer_list<std::int32_t> edges) {
        ShowStatusBar = true;
        MaxStatusItem = static_cast<std::int32_t>(edges.size());
        std::int32_t i = 1;
        for (std::int32_t edge : edges)
            StatusItem[i++] = edge;
        OGLWindowSetting(ARROW, "", GENERIC, "");
        ASSERT_TRUE(CreateOGLWindow(kTitle, kRequestWidth, kRequestHeight, kRequestBits, false));
        DrainMessages();
    }
    // The text of one part of the bar.
    static std::string PartText(int part) {
        char text[300] = {};
        SendMessageA(HStatus, SB_GETTEXTA, static_cast<WPARAM>(part),
                     reinterpret_cast<LPARAM>(text));
        return text;
    }
};

TEST_F(StatusBarTest, ThreePartsShowThePathTextAcrossTheBottomOfTheWindow) {
    CreateWithParts({200, 400, -1});
    ASSERT_NE(HStatus, 0u);
    EXPECT_EQ(HStatus, AWnd);
    EXPECT_EQ(GetParent(HStatus), HWindow);
    EXPECT_EQ(GetDlgCtrlID(HStatus), STATUS_BAR_ID);
    EXPECT_TRUE(IsWindowVisible(HStatus));
    std::int32_t parts[8] = {};
    ASSERT_EQ(SendMessageA(HStatus, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(parts)), 3);
    EXPECT_EQ(parts[0], 200);
    EXPECT_EQ(parts[1], 400);
    EXPECT_EQ(parts[2], -1);
    EXPECT_EQ(PartText(0), "Percorso file");
    EXPECT_EQ(Edges[1], 200);
    EXPECT_EQ(Edges[3], -1);

    // Along the bottom of the client area, as wide as it.
    RECT bar = {};
    ASSERT_TRUE(GetWindowRect(HStatus, &bar));
    POINT topLeft = {bar.left, bar.top};
    POINT bottomRight = {bar.right, bar.bottom};
    ScreenToClient(HWindow, &topLeft);
    ScreenToClient(HWindow, &bottomRight);
    RECT client = {};
    GetClientRect(HWindow, &client);
    EXPECT_EQ(topLeft.x, 0);
    EXPECT_EQ(bottomRight.x, client.right);
    EXPECT_EQ(bottomRight.y, client.bottom);
    EXPECT_GT(bottomRight.y - topLeft.y, 0);
    EXPECT_LT(bottomRight.y - topLeft.y, client.bottom / 4);
}

TEST_F(StatusBarTest, FileNameHoldsTheTextFollowedByZerosToItsEnd) {
    FileName[100] = 'x';
    CreateWithParts({-1});
    const char text[] = "Percorso file";
    EXPECT_EQ(std::memcmp(FileName.Items, text, sizeof text - 1), 0);
    for (std::int32_t i = sizeof text - 1; i <= FILE_NAME_HIGH; ++i)
        EXPECT_EQ(FileName[i], '\0') << "index " << i;
}

TEST_F(StatusBarTest, NoPartsKeepsOneBarWithTheText) {
    CreateWithParts({});
    ASSERT_NE(HStatus, 0u);
    EXPECT_EQ(PartText(0), "Percorso file");
}

TEST_F(StatusBarTest, WithoutTheSwitchThereIsNoBar) {
    OGLWindowSetting(ARROW, "", GENERIC, "");
    ASSERT_TRUE(CreateOGLWindow(kTitle, kRequestWidth, kRequestHeight, kRequestBits, false));
    EXPECT_EQ(HStatus, 0u);
    EXPECT_EQ(AWnd, 0u);
    // The repaints of the window procedure then go to a null handle and do nothing.
    EXPECT_EQ(SendMessageA(HWindow, WM_PAINT, 0, 0), 0);
    EXPECT_TRUE(Active);
}

TEST_F(StatusBarTest, FailedCreationGivesNullAndSetsNoParts) {
    MaxStatusItem = 1;
    StatusItem[1] = 123;
    EXPECT_EQ(CreateStatusBar(0xDEAD), 0u) << "no such parent";
    EXPECT_EQ(AWnd, 0u);
    EXPECT_EQ(Edges[1], 0) << "no parts were handed over";
}

TEST_F(StatusBarTest, TheWindowProcedureRepaintsTheBarOnZeroWParamMessages) {
    CreateWithParts({200, 400, -1});
    MSG msg = {};
    struct Case {
        UINT Message;
        WPARAM WParam;
        bool Repainted;
    };
    const Case cases[] = {{WM_NULL, 0, true},
                          {WM_NULL, 1, false},
                          {WM_SIZE, SIZE_RESTORED, true},
                          {WM_PAINT, 0, true},
                          {WM_KEYUP, 'A', false}};
    for (const Case& c : cases) {
        InvalidateRect(HStatus, nullptr, FALSE);
        ASSERT_TRUE(PeekMessageA(&msg, HStatus, WM_PAINT, WM_PAINT, PM_NOREMOVE));
        SendMessageA(HWindow, c.Message, c.WParam,
                     c.Message == WM_SIZE ? MAKELPARAM(Width, Height) : 0);
        EXPECT_EQ(PeekMessageA(&msg, HStatus, WM_PAINT, WM_PAINT, PM_NOREMOVE) == FALSE,
                  c.Repainted)
            << "message " << c.Message << " wParam " << c.WParam;
        DrainMessages();
    }
}

TEST_F(StatusBarTest, MorePartsThanTheTableStopWithARangeError) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            ShowStatusBar = true;
            MaxStatusItem = MAX_STATUS_ITEMS + 1;
            OGLWindowSetting(ARROW, "", GENERIC, "");
            CreateOGLWindow(kTitle, kRequestWidth, kRequestHeight, kRequestBits, false);
        },
        "range error");
}

} // namespace
