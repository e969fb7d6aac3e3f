// The demo's scene on real GL (Mesa llvmpipe through EGL), built from copies of its
// images in a temporary current folder: the quad's normal and end state, the four
// tree lists and textures, the state a frame leaves, and missing images.
#include "EglContext.h"
#include "SceneFolder.h"

#include "Scene.h"
#include "Vistral.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using scenetest::SceneFolder;
using testsupport::GlTest;

// The three sides of the demo's quads and the normal each must carry.
struct QuadCase {
    const char* What;
    std::array<float, 12> Corners;
    float TU, TV;
    std::array<float, 3> Normal;
};

const QuadCase kQuadCases[] = {
    {"leaf", {-1, -1, 0, 1, -1, 0, -1, 1, 0, 1, 1, 0}, 1, 1, {0, 0, -1}},
    {"flower",
     {-0.05f, -0.05f, 0, 0.05f, -0.05f, 0, -0.05f, 0.05f, 0, 0.05f, 0.05f, 0},
     1,
     1,
     {0, 0, -1}},
    {"ground", {-10, 0, -10, 10, 0, -10, -10, 0, 10, 10, 0, 10}, 4, 4, {0, 1, 0}},
};

// Draws one case's quad in immediate mode.
void DrawQuad(const QuadCase& c, float alpha) {
    const auto& p = c.Corners;
    Quad(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[8], p[9], p[10], p[11], c.TU, c.TV,
         alpha);
}

GLboolean Enabled(GLenum cap) {
    return glIsEnabled(cap);
}

bool TwoSided() {
    GLint twoSide = -1;
    glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, &twoSide);
    return twoSide != 0;
}

std::array<GLfloat, 4> CurrentColour() {
    std::array<GLfloat, 4> c{};
    glGetFloatv(GL_CURRENT_COLOR, c.data());
    return c;
}

GLint BoundTexture() {
    GLint name = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
    return name;
}

// Sets the opposite of what Quad and the frame must leave behind.
void SpoilEndState() {
    glDisable(GL_CULL_FACE);
    glColor4f(0.2f, 0.3f, 0.4f, 0.5f);
    TwoSideOn();
}

void ExpectEndState() {
    EXPECT_TRUE(Enabled(GL_CULL_FACE));
    EXPECT_FALSE(TwoSided());
    const auto c = CurrentColour();
    for (float v : c)
        EXPECT_FLOAT_EQ(v, 1.0f);
}

// Pixels of the current frame that are not the black clear colour.
int LitPixels() {
    const auto rgba = testsupport::ReadPixelsRGBA(800, 600);
    int lit = 0;
    for (std::size_t i = 0; i < rgba.size(); i += 4)
        if (rgba[i] > 8 || rgba[i + 1] > 8 || rgba[i + 2] > 8) ++lit;
    return lit;
}

// The quad on its own, on a fresh context.
class DemoQuad : public GlTest {};

TEST_F(DemoQuad, QuadSendsTheNormalOfItsFirstThreeCorners) {
    for (const auto& c : kQuadCases) {
        SCOPED_TRACE(c.What);
        DrawQuad(c, 1.0f);
        std::array<GLfloat, 3> n{};
        glGetFloatv(GL_CURRENT_NORMAL, n.data());
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(n[k], c.Normal[k], 1e-6);
    }
}

TEST_F(DemoQuad, QuadEndsWithCullingOnColourWhiteAndOneSidedLighting) {
    for (float alpha : {1.0f, 0.25f}) {
        SpoilEndState();
        DrawQuad(kQuadCases[0], alpha);
        ExpectEndState();
    }
}

// A scene built from a folder holding the given images.
class DemoScene : public GlTest {
  protected:
    void Build(const std::vector<std::string>& images) {
        Folder = std::make_unique<SceneFolder>(images);
        scenetest::BuildScene();
    }
    void TearDown() override {
        Folder.reset();
        GlTest::TearDown();
    }
    std::unique_ptr<SceneFolder> Folder;
};

TEST_F(DemoScene, AllImagesGiveFourListsAndFiveTextures) {
    Build(scenetest::ALL_IMAGES);
    std::set<GLuint> names;
    for (int i = 0; i < TREE_COUNT; ++i) {
        EXPECT_TRUE(glIsList(Tree[i])) << "tree " << i;
        names.insert(Tree[i]);
    }
    EXPECT_EQ(names.size(), 4u);

    // Each slot holds a texture object with its image uploaded.
    const std::vector<GLuint> textures = {TextureID2[0], TextureID2[1], TextureID2[2],
                                          TextureTGA2[0].TexID, TextureTGA2[1].TexID};
    for (std::size_t i = 0; i < textures.size(); ++i) {
        SCOPED_TRACE(scenetest::ALL_IMAGES[i]);
        ASSERT_TRUE(glIsTexture(textures[i]));
        glBindTexture(GL_TEXTURE_2D, textures[i]);
        GLint width = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        EXPECT_GT(width, 0);
    }
    EXPECT_EQ(std::set<GLuint>(textures.begin(), textures.end()).size(), 5u);
}

TEST_F(DemoScene, EachSlotHoldsTheImageOfItsFile) {
    Build(scenetest::ALL_IMAGES);
    // Each slot's texels must be those of its own file loaded on its own into a spare slot.
    constexpr int kSpareSlot = 100;
    struct Row {
        const char* File;
        bool Tga;
        int Slot;
    };
    const Row rows[] = {{"Floor05.bmp", false, 0},
                        {"corteccia02.bmp", false, 1},
                        {"rosso.bmp", false, 2},
                        {"acacia.tga", true, 0},
                        {"giglio.tga", true, 1}};
    std::set<std::vector<std::uint8_t>> distinct;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.File);
        row.Tga ? TextureTGASelectID(row.Slot) : TextureSelectID(row.Slot);
        const auto inSlot = testsupport::ReadTexImageRGBA();
        row.Tga ? TextureLoadTGAID(row.File, kSpareSlot) : TextureLoadID(row.File, kSpareSlot);
        ASSERT_FALSE(inSlot.empty());
        EXPECT_TRUE(inSlot == testsupport::ReadTexImageRGBA());
        distinct.insert(inSlot);
    }
    EXPECT_EQ(distinct.size(), 5u) << "the five images tell their slots apart";
}

TEST_F(DemoScene, AFrameLeavesCullingOnColourWhiteAndOneSidedLighting) {
    Build(scenetest::ALL_IMAGES);
    SpoilEndState();
    OpenGL_Draw();
    ExpectEndState();
    EXPECT_FALSE(Enabled(GL_ALPHA_TEST));
    // The frame never moves light 0: it stays at the eye, in eye coordinates.
    std::array<GLfloat, 4> light{};
    glGetLightfv(GL_LIGHT0, GL_POSITION, light.data());
    const std::array<GLfloat, 4> atEye = {0, 0, 0, 0.1f};
    EXPECT_EQ(light, atEye);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(DemoScene, WithoutTheLilyImageFlowersBindTextureZero) {
    Build(scenetest::ImagesWithout({"giglio.tga"}));
    EXPECT_EQ(TextureTGA2[1].TexID, 0u);
    EXPECT_TRUE(glIsTexture(TextureTGA2[0].TexID));
    for (int i = 0; i < TREE_COUNT; ++i)
        EXPECT_TRUE(glIsList(Tree[i])) << "tree " << i;

    // A flower recorded as the generator records it binds the default texture.
    const GLuint flower = glGenLists(1);
    glNewList(flower, GL_COMPILE);
    MdlFioreAlbero();
    glEndList();
    TextureTGASelectID(0);
    ASSERT_NE(BoundTexture(), 0);
    glCallList(flower);
    EXPECT_EQ(BoundTexture(), 0);

    OpenGL_Draw();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_GT(LitPixels(), 800 * 600 / 5);
}

TEST_F(DemoScene, WithoutAnyImageTheSceneIsStillBuiltAndDrawn) {
    Build({});
    // BMP slots keep a texture object without an image; TGA slots stay untouched.
    for (int slot = 0; slot < 3; ++slot) {
        TextureSelectID(slot);
        GLint width = -1;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        EXPECT_EQ(width, 0) << "slot " << slot;
    }
    EXPECT_EQ(TextureTGA2[0].TexID, 0u);
    EXPECT_EQ(TextureTGA2[1].TexID, 0u);
    for (int i = 0; i < TREE_COUNT; ++i)
        EXPECT_TRUE(glIsList(Tree[i])) << "tree " << i;

    OpenGL_Draw();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    ExpectEndState();
    // Untextured, the ground and the trees still cover a good part of the window.
    EXPECT_GT(LitPixels(), 800 * 600 / 5);
}

} // namespace
