// The default 3D GL state, its perspective projection and the 2D overlay mode, on real GL.
#include "EglContext.h"
#include "GlStateProbe.h"
#include "Vistral.h"

#include <GL/gl.h>

#include <array>
#include <climits>

namespace {

using namespace glstate_test;
using testing::PrintToString;

constexpr double kDemoDepth = 100.0;

class GLSetup : public testsupport::GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        GLResizeWindow(kWidth, kHeight);
    }
    // Puts viewport, matrices, clear values and colour somewhere the set-up must move them from.
    static void Disturb() {
        glViewport(1, 2, 3, 4);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-7, 3, -1, 9, -5, 5);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslatef(1, 2, 3);
        glRotatef(30, 0, 1, 0);
        glMatrixMode(GL_TEXTURE);
        glClearColor(0.9f, 0.8f, 0.7f, 0.6f);
        glClearDepth(0.25);
        glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
        glDepthFunc(GL_GREATER);
    }
};

// OffX and OffY start at 0 and only OpenGL_I2D moves them (first: needs a fresh process).
TEST_F(GLSetup, OffsetsStartAtZeroAndInitLeavesThem) {
    EXPECT_EQ(OffX, 0.0f);
    EXPECT_EQ(OffY, 0.0f);
    OpenGL_Init(kDemoDepth, 0, 0, 0, 0);
    EXPECT_EQ(OffX, 0.0f);
    EXPECT_EQ(OffY, 0.0f);
}

TEST_F(GLSetup, InitSetsTheDefault3DState) {
    Disturb();
    OpenGL_Init(kDemoDepth, 0, 0, 0, 0);

    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ((std::array<GLint, 4>{viewport[0], viewport[1], viewport[2], viewport[3]}),
              (std::array<GLint, 4>{0, 0, 800, 600}));
    const Matrix projection = ReadMatrix(GL_PROJECTION_MATRIX);
    EXPECT_TRUE(Near(projection, Perspective(45.0, 800.0 / 600.0, 0.1, 100.0)))
        << PrintToString(projection);
    EXPECT_EQ(ReadMatrix(GL_MODELVIEW_MATRIX), Identity());
    EXPECT_EQ(GetInt(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_TRUE(IsOn(GL_DEPTH_TEST));
    EXPECT_EQ(GetInt(GL_DEPTH_FUNC), GL_LEQUAL);
    EXPECT_EQ(GetFloat4(GL_DEPTH_CLEAR_VALUE)[0], 1.0f);
    EXPECT_EQ(GetFloat4(GL_COLOR_CLEAR_VALUE), (std::array<GLfloat, 4>{0, 0, 0, 0}));
    EXPECT_EQ(GetFloat4(GL_CURRENT_COLOR), (std::array<GLfloat, 4>{1, 1, 1, 0.5f}));
    EXPECT_EQ(GetInt(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(GetInt(GL_BLEND_DST), GL_ONE);
    EXPECT_EQ(GetInt(GL_LIGHT_MODEL_LOCAL_VIEWER), GL_TRUE);
    for (GLenum hint :
         {GL_LINE_SMOOTH_HINT, GL_POLYGON_SMOOTH_HINT, GL_PERSPECTIVE_CORRECTION_HINT})
        EXPECT_EQ(GetInt(hint), GL_NICEST) << hint;
    EXPECT_TRUE(IsOn(GL_AUTO_NORMAL));
    EXPECT_TRUE(IsOn(GL_NORMALIZE));
}

// The far distance comes first, then alpha, red, green, blue; a clear depth below 1 is kept.
TEST_F(GLSetup, InitTakesFarFirstThenAlphaRedGreenBlue) {
    OpenGL_Init(0.5, 0.4, 0.1, 0.2, 0.3);
    EXPECT_EQ(GetFloat4(GL_COLOR_CLEAR_VALUE), (std::array<GLfloat, 4>{0.1f, 0.2f, 0.3f, 0.4f}));
    EXPECT_EQ(GetFloat4(GL_DEPTH_CLEAR_VALUE)[0], 0.5f);
    EXPECT_TRUE(Near(ReadMatrix(GL_PROJECTION_MATRIX), Perspective(45.0, 800.0 / 600.0, 0.1, 0.5)));
}

// Lighting, culling, texturing, blending, alpha test, fog, depth mask and shade model stay as set.
TEST_F(GLSetup, InitAndOverlayLeaveTheOtherSwitchesAlone) {
    const GLenum switches[] = {GL_LIGHTING, GL_CULL_FACE,  GL_TEXTURE_2D,
                               GL_BLEND,    GL_ALPHA_TEST, GL_FOG};
    for (bool on : {true, false}) {
        for (GLenum cap : switches)
            on ? glEnable(cap) : glDisable(cap);
        glDepthMask(on ? GL_FALSE : GL_TRUE);
        glShadeModel(on ? GL_FLAT : GL_SMOOTH);
        OpenGL_I2D(0, 0, 0, 0);
        OpenGL_Init(kDemoDepth, 0, 0, 0, 0);
        for (GLenum cap : switches)
            EXPECT_EQ(IsOn(cap), on) << "cap " << cap << " on=" << on;
        EXPECT_EQ(GetInt(GL_DEPTH_WRITEMASK), on ? GL_FALSE : GL_TRUE);
        EXPECT_EQ(GetInt(GL_SHADE_MODEL), on ? GL_FLAT : GL_SMOOTH);
    }
}

struct OverlayCase {
    std::int32_t width;
    std::int32_t height;
    float offX;
    float offY;
    double yBottom;
    double yTop;
};

// q = Height div Width is truncated: every client wider than tall gives q = 0.
const OverlayCase kOverlayCases[] = {
    {800, 600, -2.05f, -1.45f, -1.5, 1.5},
    {500, 500, -1.05f, -0.45f, -2.0, 2.0},
    {300, 600, -0.05f, 0.55f, -4.0, 4.0},
    {400, 700, -1.05f, -0.45f, -3.5, 3.5},
};

TEST_F(GLSetup, OverlayOffsetsAndProjectionFollowTheClientSize) {
    for (const OverlayCase& c : kOverlayCases) {
        SCOPED_TRACE(PrintToString(c.width) + "x" + PrintToString(c.height));
        GLResizeWindow(c.width, c.height);
        Disturb();
        OpenGL_I2D(0.4, 0.1, 0.2, 0.3);
        EXPECT_FLOAT_EQ(OffX, c.offX);
        EXPECT_FLOAT_EQ(OffY, c.offY);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], c.width);
        EXPECT_EQ(viewport[3], c.height);
        const Matrix projection = ReadMatrix(GL_PROJECTION_MATRIX);
        EXPECT_TRUE(Near(projection, Ortho(-2, 2, c.yBottom, c.yTop, -2, 2)))
            << PrintToString(projection);
        EXPECT_EQ(ReadMatrix(GL_MODELVIEW_MATRIX), Identity());
        EXPECT_EQ(GetInt(GL_MATRIX_MODE), GL_MODELVIEW);
        EXPECT_EQ(GetFloat4(GL_COLOR_CLEAR_VALUE),
                  (std::array<GLfloat, 4>{0.1f, 0.2f, 0.3f, 0.4f}));
        EXPECT_TRUE(IsOn(GL_DEPTH_TEST));
        EXPECT_EQ(GetInt(GL_DEPTH_FUNC), GL_LEQUAL);
        EXPECT_TRUE(IsOn(GL_NORMALIZE));
    }
}

// One overlay unit is Width / 4 pixels both ways: (1, 1) lands at pixel (600, 500) of 800 by 600.
TEST_F(GLSetup, OverlayHasSquarePixelsOnScreen) {
    OpenGL_I2D(1, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor4f(1, 1, 1, 1);
    constexpr float pixelCentre = 0.5f * 4.0f / 800.0f;
    glBegin(GL_POINTS);
    glVertex2f(1.0f + pixelCentre, 1.0f + pixelCentre);
    glEnd();
    const auto pixels = testsupport::ReadPixelsRGBA(kWidth, kHeight);
    auto red = [&](int x, int y) { return pixels[(static_cast<std::size_t>(y) * kWidth + x) * 4]; };
    EXPECT_EQ(red(600, 500), 255);
    EXPECT_EQ(red(599, 500), 0);
    EXPECT_EQ(red(600, 499), 0);
}

// The frame's pair leaves exactly what OpenGL_Init alone leaves.
TEST_F(GLSetup, PerFramePairLeavesTheInitState) {
    struct State {
        std::array<GLint, 4> viewport;
        Matrix projection;
        Matrix modelview;
        GLint matrixMode;
        std::array<GLfloat, 4> clearColour;
        std::array<GLfloat, 4> colour;
        GLfloat clearDepth;
        GLint depthFunc;
        bool depthTest;
        bool normalize;
        bool autoNormal;
        bool operator==(const State&) const = default;
    };
    auto capture = [] {
        State s{};
        glGetIntegerv(GL_VIEWPORT, s.viewport.data());
        s.projection = ReadMatrix(GL_PROJECTION_MATRIX);
        s.modelview = ReadMatrix(GL_MODELVIEW_MATRIX);
        s.matrixMode = GetInt(GL_MATRIX_MODE);
        s.clearColour = GetFloat4(GL_COLOR_CLEAR_VALUE);
        s.colour = GetFloat4(GL_CURRENT_COLOR);
        s.clearDepth = GetFloat4(GL_DEPTH_CLEAR_VALUE)[0];
        s.depthFunc = GetInt(GL_DEPTH_FUNC);
        s.depthTest = IsOn(GL_DEPTH_TEST);
        s.normalize = IsOn(GL_NORMALIZE);
        s.autoNormal = IsOn(GL_AUTO_NORMAL);
        return s;
    };
    OpenGL_Init(kDemoDepth, 0, 0, 0, 0);
    const State initAlone = capture();

    Disturb();
    OpenGL_I2D(0, 0, 0, 0);
    OpenGL_Init(kDemoDepth, 0, 0, 0, 0);
    EXPECT_TRUE(capture() == initAlone);
    EXPECT_FLOAT_EQ(OffX, -2.05f);
    EXPECT_FLOAT_EQ(OffY, -1.45f);
}

// A client without area (minimised) is drawn as a square one into a 0 by 0 viewport; the next
// size with area brings the normal projections back.
TEST_F(GLSetup, SizeWithoutAreaActsAsSquareAndRecovers) {
    const std::array<std::array<std::int32_t, 2>, 5> sizes{
        {{0, 0}, {0, 600}, {800, 0}, {-5, 600}, {800, -1}}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(PrintToString(size));
        GLResizeWindow(size[0], size[1]);

        OpenGL_I2D(0, 0, 0, 0);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        EXPECT_FLOAT_EQ(OffX, -1.05f);
        EXPECT_FLOAT_EQ(OffY, -0.45f);
        EXPECT_TRUE(Near(ReadMatrix(GL_PROJECTION_MATRIX), Ortho(-2, 2, -2, 2, -2, 2)));
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], std::max(size[0], 0));
        EXPECT_EQ(viewport[3], std::max(size[1], 0));

        OpenGL_Init(kDemoDepth, 0, 0, 0, 0);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        EXPECT_TRUE(Near(ReadMatrix(GL_PROJECTION_MATRIX), Perspective(45.0, 1.0, 0.1, 100.0)));
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glBegin(GL_TRIANGLES);
        glVertex3f(-1, -1, -5);
        glVertex3f(1, -1, -5);
        glVertex3f(0, 1, -5);
        glEnd();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

        GLResizeWindow(800, 600);
        OpenGL_I2D(0, 0, 0, 0);
        EXPECT_FLOAT_EQ(OffX, -2.05f);
        EXPECT_TRUE(Near(ReadMatrix(GL_PROJECTION_MATRIX), Ortho(-2, 2, -1.5, 1.5, -2, 2)));
        OpenGL_Init(kDemoDepth, 0, 0, 0, 0);
        EXPECT_TRUE(
            Near(ReadMatrix(GL_PROJECTION_MATRIX), Perspective(45.0, 800.0 / 600.0, 0.1, 100.0)));
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], 800);
        EXPECT_EQ(viewport[3], 600);
    }
}

// The overlay's 2 * Height is 32-bit arithmetic: a height past 2^30 stops instead of wrapping.
TEST(GLSetupDeathTest, OverlayHeightBeyondThirtyTwoBitsIsAnOverflowError) {
    GLResizeWindow(800, INT_MAX / 2 + 1);
    EXPECT_DEATH(OpenGL_I2D(0, 0, 0, 0), "overflow error");
}

} // namespace
