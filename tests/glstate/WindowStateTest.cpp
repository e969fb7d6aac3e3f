// The engine window state: start values and GLResizeWindow.
#include "EglContext.h"
#include "Vistral.h"

#include <GL/gl.h>

#include <array>

namespace {

using testsupport::GlTest;

// Every window state variable except Width and Height, for "nothing else changed" checks.
struct OtherWindowState {
    HWND window;
    HDC dc;
    HGLRC rc;
    std::int32_t bits;
    bool fullScreen;
    bool active;
    const char* title;
    bool showMenuBar;
    TavrelProcedure menuBar;
    TavrelProcedure mouseMenu;
    bool showStatusBar;
    HWND status;
    bool operator==(const OtherWindowState&) const = default;
};

OtherWindowState Snapshot() {
    return {HWindow,       DCWindow,        RCWindow,      Bits,
            FullScreen,    Active,          SetTitleName,  ShowMenuBar,
            CreateMenuBar, CreateMouseMenu, ShowStatusBar, HStatus};
}

void MenuProcedure() {}

// Runs first in a fresh process (ctest runs each case in its own process).
TEST(EngineWindowState, StartsZeroFalseOrNull) {
    EXPECT_EQ(HWindow, 0u);
    EXPECT_EQ(DCWindow, 0u);
    EXPECT_EQ(RCWindow, 0u);
    EXPECT_EQ(Width, 0);
    EXPECT_EQ(Height, 0);
    EXPECT_EQ(Bits, 0);
    EXPECT_FALSE(FullScreen);
    EXPECT_FALSE(Active);
    EXPECT_EQ(SetTitleName, nullptr);
    EXPECT_FALSE(ShowMenuBar);
    EXPECT_EQ(CreateMenuBar, nullptr);
    EXPECT_EQ(CreateMouseMenu, nullptr);
    EXPECT_FALSE(ShowStatusBar);
    EXPECT_EQ(HStatus, 0u);
}

TEST(EngineWindowState, HandlesAreThirtyTwoBitAndFlagsAreOneByte) {
    static_assert(sizeof(HWindow) == 4 && sizeof(DCWindow) == 4 && sizeof(RCWindow) == 4);
    static_assert(sizeof(HStatus) == 4);
    static_assert(sizeof(FullScreen) == 1 && sizeof(Active) == 1);
    static_assert(sizeof(Width) == 4 && sizeof(Height) == 4 && sizeof(Bits) == 4);
}

TEST(EngineWindowState, ResizeRecordsTheSizeAndNothingElse) {
    static const char title[] = "Finestra";
    HWindow = 7;
    DCWindow = 8;
    RCWindow = 9;
    Bits = 32;
    FullScreen = true;
    Active = true;
    SetTitleName = title;
    CreateMenuBar = MenuProcedure;
    const OtherWindowState before = Snapshot();

    GLResizeWindow(640, 480);

    EXPECT_EQ(Width, 640);
    EXPECT_EQ(Height, 480);
    EXPECT_TRUE(Snapshot() == before);
}

// A minimised window reports 0 by 0; the size is stored unchanged, as are later ones.
TEST(EngineWindowState, ResizeStoresSizesWithoutAreaUnchanged) {
    const std::array<std::array<std::int32_t, 2>, 4> sizes{
        {{0, 0}, {0, 480}, {640, 0}, {65535, 65535}}};
    for (const auto& size : sizes) {
        GLResizeWindow(size[0], size[1]);
        EXPECT_EQ(Width, size[0]);
        EXPECT_EQ(Height, size[1]);
    }
}

using EngineWindowStateGl = GlTest;

// The resize leaves GL alone: viewport and projection wait for the next set-up call.
TEST_F(EngineWindowStateGl, ResizeMakesNoGlCall) {
    GLResizeWindow(800, 600);
    OpenGL_Init(100.0, 0, 0, 0, 0);
    GLfloat projectionBefore[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projectionBefore);

    GLResizeWindow(640, 480);

    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 600);
    GLfloat projectionAfter[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projectionAfter);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(projectionAfter[i], projectionBefore[i]) << i;

    OpenGL_Init(100.0, 0, 0, 0, 0);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);
}

} // namespace
