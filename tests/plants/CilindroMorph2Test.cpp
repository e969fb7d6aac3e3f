// The tapered branch cylinder, vertex by vertex through the recorder.
#include "CilindroMorph2.h"
#include "GlRecorder.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using Vec = std::array<double, 3>;

class Cylinder : public ::testing::Test {
  protected:
    void SetUp() override { glrec::Reset(); }
};

double Radial(const glrec::Vertex& v) {
    return std::hypot(v.Object[0], v.Object[1]);
}

TEST_F(Cylinder, TenRingsOfSixColumnsTaperTowardsTheBase) {
    CilindroMorph2(0, 0, 0, 10, 6, 0.1f, 1.0f, 1.0f);
    const auto& prims = glrec::Primitives();
    ASSERT_EQ(prims.size(), 10u);
    for (const auto& p : prims) {
        EXPECT_EQ(p.Mode, static_cast<GLenum>(GL_TRIANGLE_STRIP));
        EXPECT_EQ(p.Count, 14u);
    }
    const auto& v = glrec::Vertices();
    // Ring 0: top edge z 1.0 and bottom edge z 0.9, both radius 0.1.
    EXPECT_EQ(v[0].Object[2], 1.0);
    EXPECT_FLOAT_EQ(static_cast<float>(v[1].Object[2]), 0.9f);
    EXPECT_FLOAT_EQ(static_cast<float>(Radial(v[0])), 0.1f);
    EXPECT_FLOAT_EQ(static_cast<float>(Radial(v[1])), 0.1f);
    // Ring 1 starts where ring 0 ends, without a step.
    EXPECT_EQ(v[14].Object, v[1].Object);
    // Base edge of ring 9: z 0, radius 0.118.
    const auto& base = v[9 * 14 + 1];
    EXPECT_NEAR(base.Object[2], 0.0, 1e-6);
    EXPECT_FLOAT_EQ(static_cast<float>(Radial(base)), 0.118f);
    // t runs from H / 5 at each ring's top edge to 0 at its bottom edge.
    EXPECT_FLOAT_EQ(static_cast<float>(v[0].TexCoord[1]), 0.2f);
    EXPECT_EQ(v[1].TexCoord[1], 0.0);
}

TEST_F(Cylinder, NormalsAreHorizontalUnitVectors) {
    CilindroMorph2(0, 0, 0, 10, 6, 0.0199f, 2.0f, 1.0f);
    for (const auto& v : glrec::Vertices()) {
        EXPECT_EQ(v.Normal[2], 0.0);
        EXPECT_NEAR(std::hypot(v.Normal[0], v.Normal[1]), 1.0, 1e-6);
        EXPECT_NEAR(v.Normal[0] * v.Object[1] - v.Normal[1] * v.Object[0], 0.0, 1e-6); // radial
    }
    // A thin twig flares strongly: the taper does not scale with R.
    EXPECT_NEAR(Radial(glrec::Vertices().back()), 0.0379, 1e-6);
}

TEST_F(Cylinder, ClosingColumnRepeatsColumnZeroWithSAdvancedByTheCircumference) {
    const float R = 0.1f;
    CilindroMorph2(0, 0, 0, 10, 6, R, 1.0f, 1.0f);
    const auto& v = glrec::Vertices();
    for (const auto& strip : glrec::Primitives()) {
        for (int edge = 0; edge < 2; ++edge) {
            const auto& first = v[strip.First + edge];
            const auto& last = v[strip.First + 12 + edge];
            for (int k = 0; k < 3; ++k)
                EXPECT_NEAR(last.Object[k], first.Object[k], 1e-7);
            EXPECT_NEAR(last.TexCoord[0] - first.TexCoord[0], 2 * M_PI * R, 1e-6);
        }
    }
    // s starts at the per-branch offset H * R / TSize.
    EXPECT_FLOAT_EQ(static_cast<float>(v[0].TexCoord[0]), 0.1f);
}

TEST_F(Cylinder, OutsideIsTheCounterClockwiseFace) {
    CilindroMorph2(0, 0, 0, 10, 6, 0.1f, 1.0f, 1.0f);
    const auto& v = glrec::Vertices();
    for (const auto& strip : glrec::Primitives()) {
        for (std::size_t k = 0; k + 2 < strip.Count; ++k) {
            Vec a = v[strip.First + k].Object, b = v[strip.First + k + 1].Object;
            const Vec c = v[strip.First + k + 2].Object;
            if (k % 2 == 1) std::swap(a, b); // odd strip triangles are (k+1, k, k+2)
            const Vec e1{b[0] - a[0], b[1] - a[1], b[2] - a[2]};
            const Vec e2{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
            const Vec n{e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                        e1[0] * e2[1] - e1[1] * e2[0]};
            const double outward = n[0] * (a[0] + b[0] + c[0]) + n[1] * (a[1] + b[1] + c[1]);
            EXPECT_GT(outward, 0.0) << "strip at " << strip.First << " triangle " << k;
        }
    }
}

TEST_F(Cylinder, OffsetIsAddedToEveryVertex) {
    CilindroMorph2(1, 2, 3, 2, 4, 0.5f, 1.0f, 1.0f);
    const auto& v = glrec::Vertices();
    EXPECT_EQ(v[0].Object, (Vec{1.5, 2, 4}));
    EXPECT_NEAR(v.back().Object[2], 3.0, 1e-6);
}

struct CountCase {
    const char* What;
    int NumCircle, NumLine;
    std::size_t Strips, VerticesEach;
};

TEST_F(Cylinder, RingAndColumnCountsStayWithinTheirTables) {
    const CountCase cases[] = {
        {"one ring, one column", 1, 1, 1, 4},
        {"rings above 10 drawn as 10", 12, 6, 10, 14},
        {"columns above 255 drawn as 255", 10, 300, 10, 512},
        {"no rings", 0, 6, 0, 0},
        {"no columns", 10, 0, 0, 0},
        {"negative counts", -1, -1, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        glrec::Reset();
        CilindroMorph2(0, 0, 0, c.NumCircle, c.NumLine, 0.1f, 1.0f, 1.0f);
        ASSERT_EQ(glrec::Primitives().size(), c.Strips);
        for (const auto& p : glrec::Primitives())
            EXPECT_EQ(p.Count, c.VerticesEach);
        if (c.Strips == 0) continue;
        // The tube keeps its length H and stays within the taper table.
        EXPECT_EQ(glrec::Vertices().front().Object[2], 1.0);
        EXPECT_NEAR(glrec::Vertices().back().Object[2], 0.0, 1e-6);
        for (const auto& v : glrec::Vertices())
            EXPECT_LE(Radial(v), 0.118 + 1e-6);
    }
}

} // namespace
