// The status window: placement, parts, texts, and text drawn with a real font.
#include "WindowTestSupport.h"

#include <GL/gl.h>

#include <cstdint>
#include <cstring>

using namespace wintest;

namespace {

constexpr UINT kStatusId = 30482;

class StatusWindow : public OffscreenTest {
  protected:
    void SetUp() override {
        OffscreenTest::SetUp();
        window = MakeWindow(WS_POPUP | WS_VISIBLE, 600, 200);
        ASSERT_NE(window, 0u);
        status = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "Percorso file", window, kStatusId);
        ASSERT_NE(status, 0u);
    }
    HWND window = 0;
    HWND status = 0;
};

TEST_F(StatusWindow, SitsAlongTheBottomOfItsParent) {
    RECT parent, bar;
    GetClientRect(window, &parent);
    GetWindowRect(status, &bar);
    POINT bottomRight{parent.right, parent.bottom};
    ClientToScreen(window, &bottomRight);
    EXPECT_EQ(bar.bottom, bottomRight.y);
    EXPECT_EQ(bar.right, bottomRight.x);
    EXPECT_EQ(bar.right - bar.left, parent.right);
    EXPECT_EQ(bar.bottom - bar.top, STATUS_BAR_HEIGHT);
    EXPECT_EQ(GetParent(status), window);
    EXPECT_EQ(GetDlgCtrlID(status), static_cast<int>(kStatusId));
    EXPECT_EQ(CreateStatusWindowA(WS_CHILD, "x", 0, 1), 0u);
}

TEST_F(StatusWindow, PartsAndTexts) {
    char text[64] = {};
    EXPECT_EQ(LOWORD(SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text))), 13);
    EXPECT_STREQ(text, "Percorso file");

    int edges[3] = {200, 400, -1};
    EXPECT_TRUE(SendMessageA(status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges)));
    EXPECT_EQ(SendMessageA(status, SB_GETPARTS, 0, 0), 3);
    struct Case {
        WPARAM Part;
        RECT Expected;
    };
    const Case cases[] = {{0, {0, 0, 200, STATUS_BAR_HEIGHT}},
                          {1, {200, 0, 400, STATUS_BAR_HEIGHT}},
                          {2, {400, 0, 600, STATUS_BAR_HEIGHT}}};
    for (const Case& c : cases) {
        RECT r{};
        ASSERT_TRUE(SendMessageA(status, SB_GETRECT, c.Part, reinterpret_cast<LPARAM>(&r)));
        EXPECT_EQ(r.left, c.Expected.left) << c.Part;
        EXPECT_EQ(r.right, c.Expected.right) << c.Part;
        EXPECT_EQ(r.bottom, c.Expected.bottom) << c.Part;
    }
    EXPECT_TRUE(SendMessageA(status, SB_SETTEXT, 2, reinterpret_cast<LPARAM>("Citt\xE8")));
    EXPECT_EQ(LOWORD(SendMessageA(status, SB_GETTEXTLENGTHA, 2, 0)), 5);
    SendMessageA(status, SB_GETTEXTA, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Citt\xE8");
    EXPECT_FALSE(SendMessageA(status, SB_SETTEXT, 3, reinterpret_cast<LPARAM>("oltre")));

    // Refused part lists change nothing.
    EXPECT_FALSE(SendMessageA(status, SB_SETPARTS, 300, reinterpret_cast<LPARAM>(edges)));
    EXPECT_FALSE(SendMessageA(status, SB_SETPARTS, 2, 0));
    EXPECT_EQ(SendMessageA(status, SB_GETPARTS, 0, 0), 3);
    // No parts: one part over the whole bar, its text kept.
    EXPECT_TRUE(SendMessageA(status, SB_SETPARTS, 0, reinterpret_cast<LPARAM>(edges)));
    EXPECT_EQ(SendMessageA(status, SB_GETPARTS, 0, 0), 1);
    SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Percorso file");
}

TEST_F(StatusWindow, TextIsDrawnWithARealFont) {
    HDC dc = GetDC(window);
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof pfd;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    ASSERT_TRUE(SetPixelFormat(dc, ChoosePixelFormat(dc, &pfd), &pfd));
    HGLRC context = wglCreateContext(dc);
    ASSERT_TRUE(wglMakeCurrent(dc, context));
    int edges[2] = {300, -1};
    SendMessageA(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    SendMessageA(status, SB_SETTEXT, 1, reinterpret_cast<LPARAM>(""));
    UpdateWindow(status);
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    win32test::CompositeChildrenNow(window);

    RECT client;
    GetClientRect(window, &client);
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(client.right) * STATUS_BAR_HEIGHT * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, client.right, STATUS_BAR_HEIGHT, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
    // Dark pixels are text: many in the first part ("Percorso file"), none in the empty one.
    int darkFirst = 0, darkSecond = 0, blue = 0;
    for (int y = 0; y < STATUS_BAR_HEIGHT; ++y)
        for (int x = 0; x < client.right; ++x) {
            const std::uint8_t* p = &rows[(static_cast<std::size_t>(y) * client.right + x) * 4];
            if (p[2] > 200 && p[0] < 50) ++blue;
            if (p[0] < 100 && p[1] < 100 && p[2] < 100) (x < 300 ? darkFirst : darkSecond)++;
        }
    EXPECT_GT(darkFirst, 40);
    EXPECT_EQ(darkSecond, 0);
    EXPECT_EQ(blue, 0); // the bar covers its whole rectangle
    wglMakeCurrent(0, 0);
    wglDeleteContext(context);
    ReleaseDC(window, dc);
}

} // namespace
