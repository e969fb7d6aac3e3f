// Sphere and segment primitives, checked call by call through the recorder.
#include "GlRecorder.h"
#include "Vistral.h"

#include <GL/gl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using ::testing::ElementsAre;

constexpr double TOLERANCE = 1e-6;

class Primitives : public ::testing::Test {
  protected:
    void SetUp() override {
        GLVert3FRemove = false;
        GLVert3FEnableEdit = false;
        glrec::Reset();
    }
    void TearDown() override { GLVert3FRemove = false; }
};

double Length(const std::array<double, 3>& v) {
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

TEST_F(Primitives, DemoFruitSphereHasSixStripsOfFourteenFromPoleToPole) {
    Sfera(0, 0, 0, 0.08f, 6, 6, 1.0f);
    const auto& strips = glrec::Primitives();
    ASSERT_EQ(strips.size(), 6u);
    for (const auto& s : strips) {
        EXPECT_EQ(s.Mode, static_cast<GLenum>(GL_TRIANGLE_STRIP));
        EXPECT_EQ(s.Count, 14u);
    }
    const auto& v = glrec::Vertices();
    ASSERT_EQ(v.size(), 84u);
    EXPECT_EQ(v.front().Object, (std::array<double, 3>{0, 0, 0.08f}));
    EXPECT_EQ(v.front().Normal, (std::array<double, 3>{0, 0, 1}));
    EXPECT_EQ(v.front().TexCoord, (std::array<double, 2>{0, 0}));
    EXPECT_NEAR(v.back().Object[2], -0.08, TOLERANCE);
    EXPECT_NEAR(std::hypot(v.back().Object[0], v.back().Object[1]), 0.0, TOLERANCE);
    EXPECT_FLOAT_EQ(static_cast<float>(v.back().TexCoord[1]), 1.0f);
    // Each vertex is preceded by its normal and texture coordinate.
    const auto names = glrec::CallNames();
    EXPECT_THAT(std::vector<std::string>(names.begin() + 1, names.begin() + 4),
                ElementsAre("glNormal3f", "glTexCoord2f", "glVertex3f"));
}

TEST_F(Primitives, SphereNormalsAreOutwardUnitAndStripsCloseTheRing) {
    Sfera(1, 2, 3, 0.5f, 8, 5, 2.0f);
    const auto& v = glrec::Vertices();
    for (const auto& p : v) {
        const std::array<double, 3> radial{p.Object[0] - 1, p.Object[1] - 2, p.Object[2] - 3};
        EXPECT_NEAR(Length(radial), 0.5, 1e-6);
        EXPECT_NEAR(Length(p.Normal), 1.0, 1e-6);
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(p.Normal[k], radial[k] / 0.5, 1e-6);
        // TSize 2 halves the texture coordinates.
        EXPECT_LE(p.TexCoord[0], 0.0);
        EXPECT_GE(p.TexCoord[0], -0.5);
        EXPECT_LE(p.TexCoord[1], 0.5);
    }
    for (const auto& strip : glrec::Primitives()) {
        const auto& first = v[strip.First];
        const auto& last = v[strip.First + strip.Count - 2];
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(first.Object[k], last.Object[k], 1e-6);
        EXPECT_EQ(first.TexCoord[0], 0.0);
        EXPECT_FLOAT_EQ(static_cast<float>(last.TexCoord[0]), -0.5f);
    }
}

TEST_F(Primitives, SphereStripsWindCounterClockwiseSeenFromOutside) {
    Sfera(0, 0, 0, 1.0f, 10, 6, 1.0f);
    const auto& v = glrec::Vertices();
    int checked = 0;
    for (const auto& strip : glrec::Primitives()) {
        for (std::size_t k = 0; k + 2 < strip.Count; ++k) {
            // Strip triangles alternate order; even ones keep (k, k+1, k+2).
            auto a = v[strip.First + k].Object, b = v[strip.First + k + 1].Object,
                 c = v[strip.First + k + 2].Object;
            if (k % 2 == 1) std::swap(a, b);
            const std::array<double, 3> e1{b[0] - a[0], b[1] - a[1], b[2] - a[2]};
            const std::array<double, 3> e2{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
            const std::array<double, 3> n{e1[1] * e2[2] - e1[2] * e2[1],
                                          e1[2] * e2[0] - e1[0] * e2[2],
                                          e1[0] * e2[1] - e1[1] * e2[0]};
            if (Length(n) < 1e-9) continue; // the pole triangles have no area
            const std::array<double, 3> centre{(a[0] + b[0] + c[0]) / 3, (a[1] + b[1] + c[1]) / 3,
                                               (a[2] + b[2] + c[2]) / 3};
            EXPECT_GT(n[0] * centre[0] + n[1] * centre[1] + n[2] * centre[2], 0.0);
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
}

struct DegenerateCase {
    const char* What;
    float Radius;
    int NumCircle, NumLine;
    std::size_t Primitives, VerticesEach;
};

TEST_F(Primitives, SphereDegenerateArgumentsEmitBoundedFiniteOutput) {
    const DegenerateCase cases[] = {
        {"no bands", 1.0f, 6, 0, 0, 0},
        {"negative bands", 1.0f, 6, -3, 0, 0},
        {"negative segments: empty primitives", 1.0f, -1, 4, 4, 0},
        {"zero segments: two-vertex strips", 1.0f, 0, 3, 3, 2},
        {"zero radius", 0.0f, 6, 3, 3, 14},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        glrec::Reset();
        Sfera(0.5f, 0, 0, c.Radius, c.NumCircle, c.NumLine, 1.0f);
        ASSERT_EQ(glrec::Primitives().size(), c.Primitives);
        for (const auto& p : glrec::Primitives())
            EXPECT_EQ(p.Count, c.VerticesEach);
        EXPECT_EQ(glrec::Count("glBegin"), c.Primitives);
        for (const auto& v : glrec::Vertices()) {
            for (int k = 0; k < 3; ++k) {
                EXPECT_TRUE(std::isfinite(v.Object[k]));
                EXPECT_TRUE(std::isfinite(v.Normal[k]));
            }
            EXPECT_TRUE(std::isfinite(v.TexCoord[0]) && std::isfinite(v.TexCoord[1]));
        }
    }
    // A point sphere sits on its centre with unit outward normals.
    glrec::Reset();
    Sfera(0.5f, 0, 0, 0.0f, 6, 3, 1.0f);
    for (const auto& v : glrec::Vertices()) {
        EXPECT_EQ(v.Object, (std::array<double, 3>{0.5, 0, 0}));
        EXPECT_NEAR(Length(v.Normal), 1.0, 1e-6);
    }
}

TEST_F(Primitives, SphereUnderRemoveSendsOnlyNormalsAndTexCoords) {
    GLVert3FRemove = true;
    Sfera(0, 0, 0, 0.08f, 6, 6, 1.0f);
    EXPECT_EQ(glrec::Count("glBegin") + glrec::Count("glVertex3f") + glrec::Count("glEnd"), 0u);
    EXPECT_EQ(glrec::Count("glNormal3f"), 84u);
    EXPECT_EQ(glrec::Count("glTexCoord2f"), 84u);
}

TEST_F(Primitives, LineFreeSendsTwoPointsWithOptionalTexCoords) {
    LineFree(1, -1, 0, -1, 1, -1, 0, -1, -1, 0, true);
    EXPECT_THAT(glrec::CallNames(),
                ElementsAre("glTexCoord2f", "glVertex3f", "glTexCoord2f", "glVertex3f"));
    EXPECT_EQ(glrec::Calls()[0].Args, (std::vector<double>{1, -1}));
    EXPECT_EQ(glrec::Calls()[3].Args, (std::vector<double>{-1, -1, 0}));
    glrec::Reset();
    LineFree(1, 1, 1, 1, 1, 2, 3, 4, 5, 6, false);
    EXPECT_THAT(glrec::CallNames(), ElementsAre("glVertex3f", "glVertex3f"));
}

TEST_F(Primitives, ProcNullCallsNothing) {
    ProcNull();
    EXPECT_TRUE(glrec::Calls().empty());
}

} // namespace
