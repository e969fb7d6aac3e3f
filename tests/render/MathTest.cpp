// Vector and matrix math: vectors, degree conversion, Euler matrices, normals.
#include "Vistral.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float TOLERANCE = 1e-6f;

TGLVector Rotated(TGLVector v, TGLVector degrees) {
    TGLBaseMatrix m = {};
    MatrixEulerRad(degrees, m);
    return MatrixVecRot(v, m);
}

TEST(Math, GLVectorRoundsEachComponentToSingle) {
    const TGLVector v = GLVector(0.1, 0.2, 0.3);
    EXPECT_EQ(v.X, 0.1f);
    EXPECT_EQ(v.Y, 0.2f);
    EXPECT_EQ(v.Z, 0.3f);
}

TEST(Math, DegToRadMultipliesFirstAndRoundsToSingle) {
    EXPECT_EQ(DegToRad(180.0f), 3.1415927f);
    EXPECT_EQ(DegToRad(90.0f), static_cast<float>(M_PI / 2));
    EXPECT_EQ(DegToRad(0.0f), 0.0f);
    EXPECT_DOUBLE_EQ(PIDIV180, M_PI / 180.0);
}

struct RotationCase {
    TGLVector Degrees;
    TGLVector In;
    TGLVector Out;
};

TEST(Math, EulerRotationsTurnAboutTheFixedAxesCounterClockwise) {
    const RotationCase cases[] = {
        {{0, 0, 90}, {1, 0, 0}, {0, 1, 0}},  // yaw takes X to Y
        {{90, 0, 0}, {0, 1, 0}, {0, 0, 1}},  // roll takes Y to Z
        {{0, 90, 0}, {0, 0, 1}, {1, 0, 0}},  // pitch takes Z to X
        {{90, 0, 90}, {0, 1, 0}, {0, 0, 1}}, // roll first, then yaw (Z stays)
        {{90, 0, 90}, {1, 0, 0}, {0, 1, 0}}, // X: roll leaves it, yaw turns it to Y
    };
    for (const auto& c : cases) {
        const TGLVector out = Rotated(c.In, c.Degrees);
        EXPECT_NEAR(out.X, c.Out.X, TOLERANCE);
        EXPECT_NEAR(out.Y, c.Out.Y, TOLERANCE);
        EXPECT_NEAR(out.Z, c.Out.Z, TOLERANCE);
    }
}

TEST(Math, ZeroAnglesGiveTheExactIdentityWithPositiveZeroAndLeaveTheFourthRow) {
    TGLBaseMatrix m;
    for (auto& row : m)
        for (float& e : row)
            e = 7.0f;
    MatrixEulerRad(TGLVector{0, 0, 0}, m);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(m[i][j], i == j ? 1.0f : 0.0f) << i << j;
    EXPECT_FALSE(std::signbit(m[0][2]));
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(m[3][k], 7.0f);
        EXPECT_EQ(m[k][3], 7.0f);
    }
}

TEST(Math, MatrixEulerDegTakesRadians) {
    TGLBaseMatrix fromRadians = {}, fromDegrees = {};
    MatrixEulerDeg(TGLVector{0.3f, -1.1f, 2.0f}, fromRadians);
    MatrixEulerRad(TGLVector{0.3f / DegToRad(1.0f), -1.1f / DegToRad(1.0f), 2.0f / DegToRad(1.0f)},
                   fromDegrees);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(fromRadians[i][j], fromDegrees[i][j], 1e-5f);
}

// The sums are formed in extended precision and rounded once: 1 + 2^-24 + 2^-60 lies just
// above the midpoint between 1 and the next single, where a double sum would first drop
// the 2^-60 and then round the tie down to 1.
TEST(Math, MatrixVecRotRoundsExtendedSumsOnceToSingle) {
    TGLBaseMatrix m = {};
    m[0][0] = 1.0f;
    m[1][0] = std::ldexp(1.0f, -24);
    m[2][0] = std::ldexp(1.0f, -60);
    const TGLVector out = MatrixVecRot(TGLVector{1, 1, 1}, m);
    EXPECT_EQ(out.X, std::nextafter(1.0f, 2.0f));
    EXPECT_EQ(out.Y, 0.0f);
    EXPECT_EQ(out.Z, 0.0f);
}

struct NormalCase {
    double V[9];
    double N[3];
};

TEST(Math, FindNormalLeavesTheUnitNormalOrZeroForDegenerateCorners) {
    const NormalCase cases[] = {
        {{0, 0, 0, 1, 0, 0, 1, 1, 0}, {0, 0, 1}},  // counter-clockwise seen from +Z
        {{0, 0, 0, 1, 1, 0, 1, 0, 0}, {0, 0, -1}}, // clockwise
        {{0, 0, 0, 0, 0, 3, 0, 4, 0}, {-1, 0, 0}}, // lengths are normalised
        {{0, 0, 0, 1, 1, 1, 2, 2, 2}, {0, 0, 0}},  // collinear: no division by zero
        {{5, 5, 5, 5, 5, 5, 5, 5, 5}, {0, 0, 0}},  // coincident
        // The demo's leaf quad (P2, P1, P3) faces -Z.
        {{1, -1, 0, -1, -1, 0, -1, 1, 0}, {0, 0, -1}},
    };
    for (const auto& c : cases) {
        FindNormal(c.V[0], c.V[1], c.V[2], c.V[3], c.V[4], c.V[5], c.V[6], c.V[7], c.V[8]);
        EXPECT_EQ(FNormal[1], c.N[0]);
        EXPECT_EQ(FNormal[2], c.N[1]);
        EXPECT_EQ(FNormal[3], c.N[2]);
    }
}

TEST(MathDeathTest, FNormalIsIndexedOneToThree) {
    EXPECT_DEATH(FNormal[0] = 1.0, "range error");
    EXPECT_DEATH(FNormal[4] = 1.0, "range error");
}

} // namespace
