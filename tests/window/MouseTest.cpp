// Mouse navigation on a real window: drags, free-look and the camera applied to GL.
#include "WindowFixture.h"

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <cstdint>

namespace {

using windowtest::GlWindowTest;
using windowtest::PostAndPump;

// Client coordinates packed as a mouse message carries them (negative ones included).
LPARAM At(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<std::int16_t>(x)),
                      static_cast<WORD>(static_cast<std::int16_t>(y)));
}

class MouseTest : public GlWindowTest {
  protected:
    void Press(UINT message, int x, int y) { PostAndPump(message, 0, At(x, y)); }
    void MoveTo(int x, int y) { PostAndPump(WM_MOUSEMOVE, 0, At(x, y)); }
    // The demo's per-frame call, on an identity matrix.
    void Frame(int speed) {
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        SetGLMouseMove(GL_M0, speed);
    }
};

TEST_F(MouseTest, MotionChangesNothingBeforeTheFirstSpeedIsSet) {
    Press(WM_LBUTTONDOWN, 100, 100);
    MoveTo(130, 140);
    Press(WM_RBUTTONDOWN, 130, 140);
    MoveTo(130, 200);
    EXPECT_EQ(MSpeed, 0);
    EXPECT_EQ(XRot, 0.0f);
    EXPECT_EQ(YRot, 0.0f);
    EXPECT_EQ(Depth, 0.0f);
    EXPECT_EQ(SetOMX, 130);
    EXPECT_EQ(SetOMY, 200);
}

TEST_F(MouseTest, LeftDragTurnsTheViewAtTheDemoSpeed) {
    Frame(2);
    Press(WM_LBUTTONDOWN, 100, 100);
    EXPECT_TRUE(LeftMouseDown);
    EXPECT_TRUE(LeftMouseDown2);
    EXPECT_EQ(GetCapture(), HWindow);
    EXPECT_EQ(SetMX, 100);
    EXPECT_EQ(SetMY, 100);
    MoveTo(110, 100);
    EXPECT_FLOAT_EQ(YRot, 10.0f) << "horizontal motion turns YRot";
    EXPECT_FLOAT_EQ(XRot, 0.0f);
    MoveTo(110, 95);
    EXPECT_FLOAT_EQ(XRot, -5.0f) << "vertical motion turns XRot";
    EXPECT_FLOAT_EQ(XRot2, XRot);
    EXPECT_FLOAT_EQ(YRot2, YRot);
    Press(WM_LBUTTONUP, 110, 95);
    EXPECT_FALSE(LeftMouseDown);
    EXPECT_FALSE(LeftMouseDown2);
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_EQ(SetMX, 0);
    EXPECT_EQ(SetMY, 0);
    EXPECT_EQ(XCoord, 0);
    EXPECT_EQ(YCoord, 0);
}

TEST_F(MouseTest, ClickWithoutMotionTurnsNothing) {
    Frame(2);
    Press(WM_LBUTTONDOWN, 50, 60);
    MoveTo(50, 60);
    Press(WM_LBUTTONUP, 50, 60);
    EXPECT_EQ(XRot, 0.0f);
    EXPECT_EQ(YRot, 0.0f);
}

TEST_F(MouseTest, RightDragDownwardsBringsTheSceneNearer) {
    Frame(2);
    Press(WM_RBUTTONDOWN, 200, 100);
    EXPECT_TRUE(RightMouseDown);
    EXPECT_TRUE(RightMouseDown2);
    EXPECT_EQ(GetCapture(), HWindow);
    EXPECT_EQ(ZCoord, 100);
    MoveTo(200, 110);
    EXPECT_FLOAT_EQ(Depth, -2.0f);
    EXPECT_FLOAT_EQ(Depth2, -2.0f);
    EXPECT_EQ(XRot, 0.0f) << "a right drag turns nothing";
    Press(WM_RBUTTONUP, 200, 110);
    EXPECT_FALSE(RightMouseDown);
    EXPECT_FALSE(RightMouseDown2);
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_EQ(ZCoord, 110) << "the right anchor stays after the release";
}

TEST_F(MouseTest, DragLeavingTheClientAreaUpwardsKeepsTurningSmoothly) {
    Frame(2);
    Press(WM_LBUTTONDOWN, 100, 4);
    const int path[] = {2, 0, -2, -4, -6};
    float previous = XRot;
    for (int y : path) {
        MoveTo(100, y);
        EXPECT_FLOAT_EQ(XRot - previous, -2.0f) << "at y " << y;
        previous = XRot;
    }
    EXPECT_FLOAT_EQ(XRot, -10.0f);
}

TEST_F(MouseTest, BothDragsCanRunAtOnce) {
    Frame(2);
    Press(WM_LBUTTONDOWN, 100, 100);
    Press(WM_RBUTTONDOWN, 100, 100);
    MoveTo(104, 110);
    EXPECT_FLOAT_EQ(YRot, 4.0f);
    EXPECT_FLOAT_EQ(XRot, 10.0f);
    EXPECT_FLOAT_EQ(Depth, -2.0f);
}

TEST_F(MouseTest, FreeLookPitchStaysWithinLimitsWhileYawIsUnbounded) {
    Frame(2);
    ASSERT_EQ(GetForegroundWindow(), HWindow);
    MouseFree = true;
    const int centreX = Width / 2;
    const int centreY = Height / 2;
    for (int step = 0; step < 20; ++step) {
        SetCursorPos(centreX + 200, centreY + 200);
        MoveTo(0, 0);
        EXPECT_LE(YRot, 60.0f);
        EXPECT_GE(YRot, -60.0f);
        POINT pinned = {};
        GetCursorPos(&pinned);
        EXPECT_EQ(pinned.x, centreX);
        EXPECT_EQ(pinned.y, centreY);
    }
    EXPECT_FLOAT_EQ(YRot, 60.0f);
    EXPECT_FLOAT_EQ(YRot2, 60.0f);
    EXPECT_FLOAT_EQ(XRot, 20 * 200 / 100.0f * 2) << "yaw has no limit";
    for (int step = 0; step < 40; ++step) {
        SetCursorPos(centreX, centreY - 200);
        MoveTo(0, 0);
    }
    EXPECT_FLOAT_EQ(YRot, -60.0f);
    EXPECT_FLOAT_EQ(YRot2, -60.0f);
}

TEST_F(MouseTest, FreeLookOneStepFollowsTheCursorOffset) {
    Frame(2);
    MouseFree = true;
    SetCursorPos(Width / 2 + 30, Height / 2 - 10);
    MoveTo(0, 0);
    EXPECT_EQ(MPos.x, Width / 2 + 30);
    EXPECT_EQ(MPos.y, Height / 2 - 10);
    EXPECT_FLOAT_EQ(XRot, 0.6f);  // 30 / 100 x 2
    EXPECT_FLOAT_EQ(YRot, -0.2f); // -(10 / 100 x 2)
}

TEST_F(MouseTest, CameraStepsAreWorkedInExtendedPrecisionAndStoredAsSingles) {
    // -0.57f + 19 / 100 x 3 is 0x1.eb851ep-28 when worked in extended precision, but
    // 0x1.eb852p-28 in double and 0 in single precision: only the extended working
    // keeps these last bits.
    Frame(3);
    ASSERT_EQ(GetForegroundWindow(), HWindow);
    MouseFree = true;
    XRot = XRot2 = -0.57f;
    YRot = YRot2 = 0.57f;
    SetCursorPos(Width / 2 + 19, Height / 2 - 19);
    MoveTo(0, 0);
    EXPECT_EQ(XRot, 0x1.eb851ep-28f);
    EXPECT_EQ(XRot2, 0x1.eb851ep-28f);
    EXPECT_EQ(YRot, -0x1.eb851ep-28f);
    EXPECT_EQ(YRot2, -0x1.eb851ep-28f);
}

TEST_F(MouseTest, FreeLookLeavesTheRightDragAlone) {
    Frame(2);
    MouseFree = true;
    Press(WM_RBUTTONDOWN, 100, 100);
    SetCursorPos(Width / 2, Height / 2);
    MoveTo(100, 150);
    EXPECT_EQ(Depth, 0.0f);
}

TEST_F(MouseTest, FreeLookDoesNothingWithoutTheFocus) {
    Frame(2);
    // Another top-level window of ours takes the foreground.
    WNDCLASSA other = {};
    other.lpfnWndProc = DefWindowProcA;
    other.lpszClassName = "AltraFinestra";
    ASSERT_NE(RegisterClassA(&other), 0);
    const HWND window = CreateWindowExA(0, "AltraFinestra", "altra", WS_POPUP | WS_VISIBLE, 0, 0,
                                        100, 100, 0, 0, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, 0u);
    SetForegroundWindow(window);
    ASSERT_NE(GetForegroundWindow(), HWindow);
    MouseFree = true;
    SetCursorPos(Width / 2 + 50, Height / 2 + 50);
    MoveTo(0, 0);
    EXPECT_EQ(XRot, 0.0f);
    EXPECT_EQ(YRot, 0.0f);
    POINT cursor = {};
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, Width / 2 + 50) << "the cursor is not pinned either";
    DestroyWindow(window);
    UnregisterClassA("AltraFinestra", 0);
}

// Column-major product a x b.
std::array<double, 16> Multiply(const std::array<double, 16>& a, const std::array<double, 16>& b) {
    std::array<double, 16> r{};
    for (int c = 0; c < 4; ++c)
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k)
                r[c * 4 + row] += a[k * 4 + row] * b[c * 4 + k];
    return r;
}

std::array<double, 16> Translation(double x, double y, double z) {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
}

// GL's rotation matrix about a unit axis.
std::array<double, 16> Rotation(double degrees, double x, double y, double z) {
    const double a = degrees * M_PI / 180.0, c = std::cos(a), s = std::sin(a), t = 1 - c;
    return {t * x * x + c,
            t * x * y + s * z,
            t * x * z - s * y,
            0,
            t * x * y - s * z,
            t * y * y + c,
            t * y * z + s * x,
            0,
            t * x * z + s * y,
            t * y * z - s * x,
            t * z * z + c,
            0,
            0,
            0,
            0,
            1};
}

TEST_F(MouseTest, EachAxisModeAppliesItsTranslationAndRotationsToTheModelview) {
    Depth = 7.0f;
    XRot = 30.0f;
    YRot = -50.0f;
    struct Case {
        std::int32_t Mode;
        TGLVector Moved;
        std::array<double, 16> Expected;
    };
    const Case cases[] = {
        {GL_M0,
         {0, 0, -7},
         Multiply(Multiply(Translation(0, 0, -7), Rotation(30, 1, 0, 0)), Rotation(-50, 0, 1, 0))},
        {GL_MX,
         {0, -7, 0},
         Multiply(Multiply(Translation(0, -7, 0), Rotation(30, 1, 0, 0)), Rotation(-50, 0, 0, 1))},
        {GL_MY,
         {-7, 0, 0},
         Multiply(Multiply(Translation(-7, 0, 0), Rotation(30, 0, 0, -1)), Rotation(-50, 0, 1, 0))},
        {GL_MZ,
         {0, 0, -7},
         Multiply(Multiply(Translation(0, 0, -7), Rotation(30, 0, 1, 0)), Rotation(-50, 1, 0, 0))},
    };
    glMatrixMode(GL_MODELVIEW);
    for (const Case& c : cases) {
        glLoadIdentity();
        My = {99, 99, 99};
        SetGLMouseMove(c.Mode, 3);
        EXPECT_EQ(MSpeed, 3);
        EXPECT_EQ(My.X, c.Moved.X);
        EXPECT_EQ(My.Y, c.Moved.Y);
        EXPECT_EQ(My.Z, c.Moved.Z);
        GLfloat m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        for (int i = 0; i < 16; ++i)
            EXPECT_NEAR(m[i], c.Expected[i], 1e-5) << "mode " << c.Mode << " element " << i;
    }
}

TEST_F(MouseTest, UnknownAxisModeOnlyStoresTheSpeed) {
    Depth = 7.0f;
    XRot = 30.0f;
    const std::int32_t modes[] = {-1, 4, 1000};
    glMatrixMode(GL_MODELVIEW);
    for (std::int32_t mode : modes) {
        glLoadIdentity();
        My = {1, 2, 3};
        SetGLMouseMove(mode, 5 + mode);
        EXPECT_EQ(MSpeed, 5 + mode);
        EXPECT_EQ(My.X, 1.0f);
        EXPECT_EQ(My.Z, 3.0f);
        GLfloat m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(m[i], i % 5 == 0 ? 1.0f : 0.0f);
    }
}

} // namespace
