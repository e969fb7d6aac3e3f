// The vertex recorder and the sphere on real GL (Mesa llvmpipe through EGL): what GL
// actually receives, read back through feedback mode and pixels.
#include "EglContext.h"
#include "Vistral.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// Each test starts with an all-zero record, both switches off, an orthographic view of
// -1..1 on all three axes and an identity modelview.
class PrimitivesGl : public testsupport::GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        std::memset(static_cast<void*>(&GLBaseVertex3F), 0, sizeof GLBaseVertex3F);
        GLVert3FRemove = false;
        GLVert3FEnableEdit = false;
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-1, 1, -1, 1, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
    void TearDown() override {
        GLVert3FRemove = false;
        GLVert3FEnableEdit = false;
        GlTest::TearDown();
    }
};

// One primitive of a GL_3D feedback buffer: its token and its vertices in window coordinates.
struct Fed {
    GLint Token;
    std::vector<std::array<float, 3>> Vertices;
};

// Runs draw in feedback mode and parses points and polygons.
std::vector<Fed> Feedback(void (*draw)()) {
    std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint size = glRenderMode(GL_RENDER);
    std::vector<Fed> out;
    for (GLint i = 0; i < size;) {
        Fed f{static_cast<GLint>(buffer[i++]), {}};
        GLint n = 1;
        if (f.Token == GL_POLYGON_TOKEN) {
            n = static_cast<GLint>(buffer[i++]);
        } else if (f.Token != GL_POINT_TOKEN) {
            ADD_FAILURE() << "unexpected feedback token " << f.Token;
            break;
        }
        for (GLint k = 0; k < n; ++k, i += 3)
            f.Vertices.push_back({buffer[i], buffer[i + 1], buffer[i + 2]});
        out.push_back(f);
    }
    return out;
}

// Window x, y of an object point on the 800 by 600 view of -1..1.
std::array<float, 2> Window(float x, float y) {
    return {(x + 1) * 400.0f, (y + 1) * 300.0f};
}

TEST_F(PrimitivesGl, PassThroughReachesGlUnchangedAndRemoveReachesItNot) {
    const auto drawn = Feedback([] {
        GLBegin(GL_POINTS);
        GLVertex3f(0.5f, -0.25f, 0.0f);
        GLEnd();
    });
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_FLOAT_EQ(drawn[0].Vertices[0][0], Window(0.5f, -0.25f)[0]);
    EXPECT_FLOAT_EQ(drawn[0].Vertices[0][1], Window(0.5f, -0.25f)[1]);

    GLVert3FRemove = true;
    const auto removed = Feedback([] {
        GLBegin(GL_POINTS);
        GLVertex3f(0.5f, -0.25f, 0.0f);
        GLEnd();
    });
    EXPECT_TRUE(removed.empty());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Edit mode: scale 2, move (1, 0, 0), yaw 90 takes (0.25, 0, 0) to (0, 1.5, 0) before
// projection; a second slot with a pre-rotation offset keeps it in the result.
TEST_F(PrimitivesGl, EditModeSendsTheTransformedVertexToGl) {
    GLVert3FEnableEdit = true;
    GLBaseVertex3F.GLVert3FSetNum = 2;
    GLBaseVertex3F.GLVert3FTmpScale[1] = {2, 2, 2};
    GLBaseVertex3F.GLVert3FTmp[1] = {0.25f, 0, 0};
    GLBaseVertex3F.GLVert3FTmpRotate[1] = {0, 0, 90};
    GLBaseVertex3F.GLVert3FTmpPosRot[2] = {0, 0.5f, 0};
    GLBaseVertex3F.GLVert3FTmpRotate[2] = {0, 0, 90};
    const auto drawn = Feedback([] {
        GLBegin(GL_POINTS);
        GLVertex3f(0.25f, 0.0f, 0.0f);
        GLVertex3f(0.0f, 0.0f, 0.0f);
        GLEnd();
    });
    ASSERT_EQ(drawn.size(), 2u);
    const float tolerance = 1e-3f;
    EXPECT_NEAR(drawn[0].Vertices[0][0], Window(0, 0.75f)[0], tolerance);
    EXPECT_NEAR(drawn[0].Vertices[0][1], Window(0, 0.75f)[1], tolerance);
    EXPECT_NEAR(drawn[1].Vertices[0][0], Window(-0.5f, 0)[0], tolerance);
    EXPECT_NEAR(drawn[1].Vertices[0][1], Window(-0.5f, 0)[1], tolerance);
    EXPECT_EQ(GLBaseVertex3F.GLVert3FCount, 2);
}

// Under back-face culling with counter-clockwise fronts only the half facing the viewer
// (+Z, window depth below 0.5) survives; without culling both halves arrive.
TEST_F(PrimitivesGl, SphereOutsideIsTheFrontFace) {
    auto sphere = [] { Sfera(0, 0, 0, 0.5f, 8, 6, 1.0f); };
    glDisable(GL_CULL_FACE);
    const auto all = Feedback(sphere);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    const auto front = Feedback(sphere);
    ASSERT_FALSE(front.empty());
    EXPECT_LT(front.size(), all.size());
    for (const auto& polygon : front) {
        float depth = 0;
        for (const auto& v : polygon.Vertices)
            depth += v[2];
        EXPECT_LT(depth / polygon.Vertices.size(), 0.5f);
    }
}

// Lit by a light at the viewer, a sphere with outward normals is bright where it faces
// the eye; inward normals would leave it at the ambient level.
TEST_F(PrimitivesGl, SphereNormalsPointOutwardUnderLighting) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, double(kWidth) / kHeight, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    const GLfloat fromViewer[4] = {0, 0, 1, 0};
    glLightfv(GL_LIGHT0, GL_POSITION, fromViewer);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Sfera(0, 0, -4, 1.0f, 16, 16, 1.0f);
    glFinish();
    const auto px = testsupport::ReadPixelsRGBA(kWidth, kHeight);
    const std::size_t centre = (static_cast<std::size_t>(kHeight / 2) * kWidth + kWidth / 2) * 4;
    EXPECT_GT(px[centre], 150);
    EXPECT_EQ(px[0], 0); // a corner stays clear
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
