// Trees and branch cylinders on real GL (Mesa llvmpipe through EGL).
#include "CilindroMorph2.h"
#include "EglContext.h"
#include "TreeProbe.h"

#include "Tavrel_SimplePlants_Ext1.h"
#include "Vistral.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

using testsupport::GlTest;

// Parsed polygons of a 3D feedback buffer: each polygon's vertex depths.
std::vector<std::vector<float>> FeedbackPolygons(const std::vector<GLfloat>& buffer, GLint size) {
    std::vector<std::vector<float>> polygons;
    for (GLint i = 0; i < size;) {
        const auto token = static_cast<GLint>(buffer[i++]);
        if (token != GL_POLYGON_TOKEN) {
            ADD_FAILURE() << "unexpected feedback token " << token;
            break;
        }
        const auto n = static_cast<GLint>(buffer[i++]);
        std::vector<float> depths;
        for (GLint k = 0; k < n; ++k, i += 3)
            depths.push_back(buffer[i + 2]);
        polygons.push_back(depths);
    }
    return polygons;
}

// The polygons GL produces for one 10-ring, 6-column cylinder standing along +Y
// (as the generator turns it), seen orthographically along -Z.
std::vector<std::vector<float>> CylinderFeedback() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, -0.5f, 0.0f);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    std::vector<GLfloat> buffer(8192);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    CilindroMorph2(0, 0, 0, 10, 6, 0.3f, 1.0f, 1.0f);
    const GLint size = glRenderMode(GL_RENDER);
    EXPECT_GT(size, 0);
    return FeedbackPolygons(buffer, size);
}

TEST_F(GlTest, CylinderFeedbackHasTwelveTrianglesPerRing) {
    glDisable(GL_CULL_FACE);
    const auto polygons = CylinderFeedback();
    ASSERT_EQ(polygons.size(), 120u);
    std::size_t vertices = 0;
    for (const auto& p : polygons)
        vertices += p.size();
    EXPECT_EQ(vertices, 360u);
}

TEST_F(GlTest, CylinderOutsideSurvivesBackFaceCulling) {
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    const auto polygons = CylinderFeedback();
    // Three of the six facets face the viewer; all of them on the near half.
    ASSERT_EQ(polygons.size(), 60u);
    for (const auto& p : polygons) {
        float sum = 0;
        for (float d : p)
            sum += d;
        EXPECT_LT(sum / p.size(), 0.5f);
    }
}

TEST_F(GlTest, CompiledTreeDrawsVisiblePixelsAndCompilingChangesNoState) {
    PlantsRandomReset();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, double(kWidth) / kHeight, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, -5.0f, -18.0f);
    GLfloat before[16], after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);

    const GLuint list = treeprobe::Build(treeprobe::DEMO_TREES[0]);
    ASSERT_NE(list, 0u);
    EXPECT_TRUE(glIsList(list));
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(before[i], after[i]);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    auto blank = testsupport::ReadPixelsRGBA(kWidth, kHeight);
    for (std::size_t i = 0; i < blank.size(); i += 4)
        ASSERT_EQ(blank[i], 0);

    glEnable(GL_DEPTH_TEST);
    glColor4f(1, 1, 1, 1);
    glCallList(list);
    glFinish();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    const auto pixels = testsupport::ReadPixelsRGBA(kWidth, kHeight);
    int lit = 0;
    for (std::size_t i = 0; i < pixels.size(); i += 4)
        if (pixels[i] > 0) ++lit;
    // A tree, not a blank frame and not a filled one.
    EXPECT_GT(lit, 2000);
    EXPECT_LT(lit, kWidth * kHeight / 2);
}

} // namespace
