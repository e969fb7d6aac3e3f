// The light and the render-state switches, on real GL: state read back and pixels drawn.
#include "EglContext.h"
#include "GlStateProbe.h"
#include "Vistral.h"

#include <GL/gl.h>

#include <array>

namespace {

using namespace glstate_test;
using testing::PrintToString;
using Float4 = std::array<GLfloat, 4>;

// The engine's light colours are initialised data.
TEST(LightColours, StartValues) {
    for (int i = 0; i <= 3; ++i) {
        EXPECT_EQ(AmbientLight[i], (Float4{0.5f, 0.5f, 0.5f, 1.0f})[i]) << i;
        EXPECT_EQ(DiffuseLight[i], 1.0f) << i;
        EXPECT_EQ(SpecularLight[i], 1.0f) << i;
        EXPECT_EQ(LightPosition[i], 0.0f) << i;
    }
}

TEST(LightColoursDeathTest, IndexOutsideZeroToThreeIsARangeError) {
    EXPECT_DEATH(AmbientLight[4] = 1.0f, "range error");
    EXPECT_DEATH((void)LightPosition[-1], "range error");
}

class StateSwitches : public testsupport::GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        GLResizeWindow(kWidth, kHeight);
        OpenGL_Init(100.0, 1, 0, 0, 0);
    }
    // Fills the whole client with one quad in clip space, at depth z, wound as asked.
    static void FullScreenQuad(float z, bool clockwise = false) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        const float xs[4] = {-1, 1, 1, -1};
        const float ys[4] = {-1, -1, 1, 1};
        glBegin(GL_QUADS);
        for (int i = 0; i < 4; ++i) {
            const int k = clockwise ? 3 - i : i;
            glVertex3f(xs[k], ys[k], z);
        }
        glEnd();
    }
    // The RGBA bytes of the pixel in the middle of the client.
    static std::array<int, 4> CentrePixel() {
        const auto px = testsupport::ReadPixelsRGBA(kWidth, kHeight);
        const std::size_t at = (static_cast<std::size_t>(kHeight / 2) * kWidth + kWidth / 2) * 4;
        return {px[at], px[at + 1], px[at + 2], px[at + 3]};
    }
    static void ClearBlack() {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
};

struct LightCase {
    const char* name;
    GLenum light;
    Float4 given;
    bool translateFirst;
    Float4 eyePosition;
};

// The position goes through the modelview current at the call: a translation moves a positional
// light and leaves a directional one (w = 0) alone.
const LightCase kLightCases[] = {
    {"demo's light at the eye", GL_LIGHT0, {0, 0, 0, 0.1f}, false, {0, 0, 0, 0.1f}},
    {"directional from the viewer", GL_LIGHT0, {0, 0, 1, 0}, false, {0, 0, 1, 0}},
    {"positional, translated", GL_LIGHT1, {0, 0, 0, 1}, true, {1, 2, 3, 1}},
    {"directional, translated", GL_LIGHT2, {0, 0, 1, 0}, true, {0, 0, 1, 0}},
};

TEST_F(StateSwitches, SetGLLightConfiguresOneLightWithTheEngineColours) {
    for (const LightCase& c : kLightCases) {
        SCOPED_TRACE(c.name);
        OpenGL_Init(100.0, 0, 0, 0, 0);
        glDisable(GL_LIGHTING);
        glDisable(c.light);
        if (c.translateFirst) glTranslatef(1, 2, 3);

        SetGLLight(c.light, c.given[0], c.given[1], c.given[2], c.given[3]);

        EXPECT_TRUE(IsOn(GL_LIGHTING));
        EXPECT_TRUE(IsOn(c.light));
        Float4 v{};
        glGetLightfv(c.light, GL_AMBIENT, v.data());
        EXPECT_EQ(v, (Float4{0.5f, 0.5f, 0.5f, 1.0f}));
        glGetLightfv(c.light, GL_DIFFUSE, v.data());
        EXPECT_EQ(v, (Float4{1, 1, 1, 1}));
        glGetLightfv(c.light, GL_SPECULAR, v.data());
        EXPECT_EQ(v, (Float4{1, 1, 1, 1}));
        glGetLightfv(c.light, GL_POSITION, v.data());
        EXPECT_EQ(v, c.eyePosition);
        for (int i = 0; i <= 3; ++i)
            EXPECT_EQ(LightPosition[i], c.given[i]) << i;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

// An application may change the colours before the call; SetGLLight passes what they hold then.
TEST_F(StateSwitches, SetGLLightPassesTheColoursAsTheyAreAtTheCall) {
    const auto ambient = AmbientLight;
    const auto diffuse = DiffuseLight;
    const auto specular = SpecularLight;
    AmbientLight[0] = 0.25f;
    DiffuseLight[1] = 0.75f;
    SpecularLight[2] = 0.0f;
    SetGLLight(GL_LIGHT3, 0, 0, 0, 1);
    Float4 v{};
    glGetLightfv(GL_LIGHT3, GL_AMBIENT, v.data());
    EXPECT_EQ(v, (Float4{0.25f, 0.5f, 0.5f, 1.0f}));
    glGetLightfv(GL_LIGHT3, GL_DIFFUSE, v.data());
    EXPECT_EQ(v, (Float4{1, 0.75f, 1, 1}));
    glGetLightfv(GL_LIGHT3, GL_SPECULAR, v.data());
    EXPECT_EQ(v, (Float4{1, 1, 0, 1}));
    AmbientLight = ambient;
    DiffuseLight = diffuse;
    SpecularLight = specular;
}

// After SetGLSprite a fragment at alpha 0.4 is dropped and one at 0.5 is drawn.
TEST_F(StateSwitches, SpriteDropsFragmentsAtOrBelowPointFour) {
    SetGLSprite();
    EXPECT_TRUE(IsOn(GL_ALPHA_TEST));
    EXPECT_EQ(GetInt(GL_ALPHA_TEST_FUNC), GL_GREATER);
    EXPECT_EQ(GetFloat4(GL_ALPHA_TEST_REF)[0], 0.4f);

    struct {
        float alpha;
        bool drawn;
    } cases[] = {{0.4f, false}, {0.39f, false}, {0.41f, true}, {0.5f, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(PrintToString(c.alpha));
        ClearBlack();
        glColor4f(0, 1, 0, c.alpha);
        FullScreenQuad(0);
        EXPECT_EQ(CentrePixel()[1], c.drawn ? 255 : 0);
    }
}

// SetGLSpriteOff resets what a sprite pass may have changed: no alpha test, no blending, depth
// writes.
TEST_F(StateSwitches, SpriteOffLeavesSolidDrawing) {
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    SetGLSprite();
    EXPECT_TRUE(IsOn(GL_BLEND)); // the sprite switch itself leaves blending and depth mask alone
    EXPECT_EQ(GetInt(GL_DEPTH_WRITEMASK), GL_FALSE);

    SetGLSpriteOff();
    EXPECT_FALSE(IsOn(GL_ALPHA_TEST));
    EXPECT_FALSE(IsOn(GL_BLEND));
    EXPECT_EQ(GetInt(GL_DEPTH_WRITEMASK), GL_TRUE);

    // A faint fragment is drawn at full strength (no alpha test, no additive blend) and writes
    // depth, so a farther quad drawn after it is hidden.
    ClearBlack();
    glDepthFunc(GL_LESS);
    glColor4f(1, 0, 0, 0.1f);
    FullScreenQuad(-0.5f);
    glColor4f(0, 1, 0, 1);
    FullScreenQuad(0.5f);
    const auto px = CentrePixel();
    EXPECT_EQ(px[0], 255);
    EXPECT_EQ(px[1], 0);
}

// Two-sided lighting lights a back face with its normal turned round; one TwoSideOff ends it
// however many TwoSideOn came before.
TEST_F(StateSwitches, TwoSideOnThenOffLeavesOneSidedLighting) {
    OpenGL_Init(100.0, 0, 0, 0, 0);
    SetGLLight(GL_LIGHT0, 0, 0, 1, 0); // from the viewer into the scene
    // A back face (clockwise on screen) whose normal points away from the viewer.
    auto litBackFace = [this] {
        ClearBlack();
        glNormal3f(0, 0, -1);
        FullScreenQuad(0, true);
        return CentrePixel()[0];
    };
    const int oneSided = litBackFace();

    TwoSideOn();
    EXPECT_EQ(GetInt(GL_LIGHT_MODEL_TWO_SIDE), GL_TRUE);
    const int twoSided = litBackFace();
    EXPECT_GT(twoSided, oneSided + 100) << oneSided << " vs " << twoSided;

    TwoSideOn();
    TwoSideOff();
    EXPECT_EQ(GetInt(GL_LIGHT_MODEL_TWO_SIDE), GL_FALSE);
    EXPECT_EQ(litBackFace(), oneSided);
}

// SetGLRefractive culls back faces with counter-clockwise fronts: a clockwise quad vanishes.
TEST_F(StateSwitches, RefractiveCullsClockwiseFaces) {
    glFrontFace(GL_CW);
    glCullFace(GL_FRONT);
    SetGLRefractive();
    EXPECT_TRUE(IsOn(GL_CULL_FACE));
    EXPECT_EQ(GetInt(GL_CULL_FACE_MODE), GL_BACK);
    EXPECT_EQ(GetInt(GL_FRONT_FACE), GL_CCW);
    EXPECT_EQ(GetInt(GL_SHADE_MODEL), GL_SMOOTH);

    glColor4f(1, 1, 1, 1);
    for (bool clockwise : {true, false}) {
        ClearBlack();
        FullScreenQuad(0, clockwise);
        EXPECT_EQ(CentrePixel()[0], clockwise ? 0 : 255) << "clockwise=" << clockwise;
    }
}

} // namespace
