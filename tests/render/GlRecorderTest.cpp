// The GL call recorder that order-of-calls tests link in place of libGL.
#include "GlRecorder.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;

class Recorder : public ::testing::Test {
  protected:
    void SetUp() override { glrec::Reset(); }
};

void ExpectNear3(const std::array<double, 3>& got, double x, double y, double z) {
    EXPECT_NEAR(got[0], x, 1e-6);
    EXPECT_NEAR(got[1], y, 1e-6);
    EXPECT_NEAR(got[2], z, 1e-6);
}

TEST_F(Recorder, LogsCallsInOrderWithTheirArguments) {
    glEnable(GL_DEPTH_TEST);
    glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
    const GLfloat ambient[4] = {0.5f, 0.5f, 0.5f, 1.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    gluPerspective(45.0, 800.0 / 600.0, 0.1, 100.0);
    EXPECT_THAT(glrec::CallNames(),
                ElementsAre("glEnable", "glRotatef", "glLightfv", "gluPerspective"));
    EXPECT_EQ(glrec::Calls()[0].Args, (std::vector<double>{GL_DEPTH_TEST}));
    EXPECT_EQ(glrec::Calls()[2].Args,
              (std::vector<double>{GL_LIGHT0, GL_AMBIENT, 0.5, 0.5, 0.5, 1.0}));
    EXPECT_EQ(glrec::CallsNamed("gluPerspective")[0].Args[1], 800.0 / 600.0);
    EXPECT_EQ(glrec::Count("glRotatef"), 1u);
    EXPECT_TRUE(glrec::IsEnabled(GL_DEPTH_TEST));
}

TEST_F(Recorder, KeepsTheMatrixStackAndTransformsVertices) {
    glTranslatef(1.0f, 2.0f, 3.0f);
    glPushMatrix();
    glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
    glScalef(2.0f, 2.0f, 2.0f);
    EXPECT_EQ(glrec::ModelviewDepth(), 2);
    glNormal3f(1.0f, 0.0f, 0.0f);
    glTexCoord2f(0.25f, 0.5f);
    glBegin(GL_TRIANGLE_STRIP);
    glVertex3f(1.0f, 0.0f, 0.0f);
    glEnd();
    glPopMatrix();
    glBegin(GL_QUADS);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glEnd();
    ASSERT_EQ(glrec::Vertices().size(), 2u);
    const auto& v = glrec::Vertices()[0];
    ExpectNear3(v.Eye, 1.0, 4.0, 3.0);
    ExpectNear3(v.EyeNormal, 0.0, 0.5, 0.0); // the scale shows in the unnormalised normal
    EXPECT_EQ(v.TexCoord[0], 0.25);
    EXPECT_EQ(v.Mode, static_cast<GLenum>(GL_TRIANGLE_STRIP));
    ExpectNear3(glrec::Vertices()[1].Eye, 1.0, 2.0, 3.0);
    ASSERT_EQ(glrec::Primitives().size(), 2u);
    EXPECT_EQ(glrec::Primitives()[1].First, 1u);
    EXPECT_EQ(glrec::ModelviewDepth(), 1);
}

TEST_F(Recorder, CompilesListsWithoutExecutingAndReplaysThem) {
    const GLuint list = glGenLists(1);
    EXPECT_EQ(list, 1u);
    glNewList(list, GL_COMPILE);
    glTranslatef(0.0f, 5.0f, 0.0f);
    glBegin(GL_TRIANGLES);
    glVertex3f(1.0f, 0.0f, 0.0f);
    glEnd();
    glEndList();
    EXPECT_TRUE(glrec::Vertices().empty());
    EXPECT_EQ(glrec::Modelview(), (glrec::Matrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
    ASSERT_NE(glrec::List(list), nullptr);
    EXPECT_EQ(glrec::List(list)->size(), 4u);
    EXPECT_FALSE(glrec::Calls()[2].Executed);
    EXPECT_EQ(glrec::Calls()[2].CompiledInto, list);

    glTranslatef(10.0f, 0.0f, 0.0f);
    glCallList(list);
    ASSERT_EQ(glrec::Vertices().size(), 1u);
    ExpectNear3(glrec::Vertices()[0].Eye, 11.0, 5.0, 0.0);
    EXPECT_EQ(glrec::Executed().back().Name, "glEnd");
}

TEST_F(Recorder, NamesQueriesAndErrors) {
    GLuint tex[2] = {0, 0};
    glGenTextures(2, tex);
    EXPECT_EQ(tex[0], 1u);
    EXPECT_EQ(tex[1], 2u);
    EXPECT_EQ(glGenLists(3), 1u);
    EXPECT_EQ(glGenLists(1), 4u);
    glrec::FailGenLists(true);
    EXPECT_EQ(glGenLists(1), 0u);

    glMatrixMode(GL_PROJECTION);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);
    glOrtho(-2, 2, -1.5, 1.5, -2, 2);
    GLfloat m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    EXPECT_FLOAT_EQ(m[0], 0.5f);
    EXPECT_FLOAT_EQ(m[5], 1.0f / 1.5f);

    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glPopMatrix();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_STACK_UNDERFLOW));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
