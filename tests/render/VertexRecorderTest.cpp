// The vertex recorder: pass-through, removal, and the edit-mode slots.
#include "GlRecorder.h"
#include "Vistral.h"

#include <GL/gl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

namespace {

using ::testing::ElementsAre;

constexpr float TOLERANCE = 1e-6f;

// Each test starts with an all-zero record, both switches off and an empty GL log.
class VertexRecorder : public ::testing::Test {
  protected:
    void SetUp() override {
        std::memset(static_cast<void*>(&GLBaseVertex3F), 0, sizeof GLBaseVertex3F);
        GLVert3FRemove = false;
        GLVert3FEnableEdit = false;
        glrec::Reset();
    }
    void TearDown() override { SetUp(); }

    // GLBegin(GL_QUADS), the given vertices, GLEnd.
    static void Quads(std::initializer_list<TGLVector> vertices) {
        GLBegin(GL_QUADS);
        for (const auto& v : vertices)
            GLVertex3f(v.X, v.Y, v.Z);
        GLEnd();
    }
};

// True when the whole record is still zero apart from the set size and the limit it armed.
bool OnlyTheLimitChanged(std::int32_t limit) {
    static TGLVertex3F expected; // zero; static, as the record is too large for the stack
    expected.GLVert3FSetNum = limit;
    expected.GLVert3FMax = limit;
    return std::memcmp(&expected, &GLBaseVertex3F, sizeof expected) == 0;
}

void ExpectVector(const TGLVector& got, float x, float y, float z) {
    EXPECT_NEAR(got.X, x, TOLERANCE);
    EXPECT_NEAR(got.Y, y, TOLERANCE);
    EXPECT_NEAR(got.Z, z, TOLERANCE);
}

TEST_F(VertexRecorder, PassThroughSendsEveryVertexUnchangedAndOnlyArmsTheLimit) {
    GLBaseVertex3F.GLVert3FSetNum = 42;
    Quads({{0.1f, 0.2f, 0.3f}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}});
    EXPECT_THAT(glrec::CallNames(), ElementsAre("glBegin", "glVertex3f", "glVertex3f", "glVertex3f",
                                                "glVertex3f", "glEnd"));
    EXPECT_EQ(glrec::Calls()[0].Args, (std::vector<double>{GL_QUADS}));
    EXPECT_EQ(glrec::Calls()[1].Args, (std::vector<double>{0.1f, 0.2f, 0.3f}));
    EXPECT_EQ(GLBaseVertex3F.GLVert3FMax, 42);
    EXPECT_EQ(GLBaseVertex3F.GLVert3FCount, 0);
    ExpectVector(GLBaseVertex3F.GLVert3FOffset[1], 0, 0, 0);
    ExpectVector(GLBaseVertex3F.GLVert3FTmpScale[1], 0, 0, 0);
    EXPECT_TRUE(OnlyTheLimitChanged(42));
}

TEST_F(VertexRecorder, RemoveSendsNothingToGl) {
    GLBaseVertex3F.GLVert3FSetNum = 3;
    GLVert3FRemove = true;
    Quads({{1, 2, 3}, {4, 5, 6}});
    EXPECT_TRUE(glrec::Calls().empty());
    EXPECT_EQ(GLBaseVertex3F.GLVert3FMax, 3);
    EXPECT_EQ(GLBaseVertex3F.GLVert3FCount, 0);
    EXPECT_TRUE(OnlyTheLimitChanged(3));
}

TEST_F(VertexRecorder, EditModeFillsConsecutiveSlotsThenOverwritesTheLast) {
    GLVert3FEnableEdit = true;
    GLBaseVertex3F.GLVert3FSetNum = 3;
    Quads({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}});
    EXPECT_EQ(GLBaseVertex3F.GLVert3FCount, 3);
    ExpectVector(GLBaseVertex3F.GLVert3F[1], 1, 2, 3);
    ExpectVector(GLBaseVertex3F.GLVert3F[2], 4, 5, 6);
    ExpectVector(GLBaseVertex3F.GLVert3F[3], 10, 11, 12);
    ExpectVector(GLBaseVertex3F.GLVert3FOffset[3], 10, 11, 12);
    for (int i = 1; i <= 3; ++i)
        ExpectVector(GLBaseVertex3F.GLVert3FTmpScale[i], 1, 1, 1);
    ExpectVector(GLBaseVertex3F.GLVert3FTmpScale[4], 0, 0, 0);
    // Slots run on across primitives; GLBegin re-arms only the limit.
    const auto vertices = glrec::CallsNamed("glVertex3f");
    ASSERT_EQ(vertices.size(), 4u);
    EXPECT_EQ(vertices[3].Args, (std::vector<double>{10, 11, 12}));
}

TEST_F(VertexRecorder, EditModeSlotsRunOnAcrossPrimitives) {
    GLVert3FEnableEdit = true;
    GLBaseVertex3F.GLVert3FSetNum = 4;
    Quads({{1, 0, 0}, {2, 0, 0}});
    Quads({{3, 0, 0}});
    EXPECT_EQ(GLBaseVertex3F.GLVert3FCount, 3);
    ExpectVector(GLBaseVertex3F.GLVert3FOffset[3], 3, 0, 0);
}

struct EditCase {
    const char* What;
    TGLVector Scale, Move, Angles, PosRot, In, Out;
};

TEST_F(VertexRecorder, EditModeScalesMovesOffsetsAndTurnsEachSlot) {
    const EditCase cases[] = {
        {"scale, move, yaw", {2, 2, 2}, {1, 0, 0}, {0, 0, 90}, {0, 0, 0}, {1, 0, 0}, {0, 3, 0}},
        {"offset stays in", {0, 0, 0}, {0, 0, 0}, {0, 0, 90}, {0, 1, 0}, {0, 0, 0}, {-1, 0, 0}},
        {"zero axis of a set scale kept",
         {0, 3, 0},
         {0, 0, 0},
         {0, 0, 0},
         {0, 0, 0},
         {5, 1, 5},
         {0, 3, 0}},
        {"roll then yaw", {1, 1, 1}, {0, 0, 0}, {90, 0, 90}, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        SetUp();
        GLVert3FEnableEdit = true;
        GLBaseVertex3F.GLVert3FSetNum = 1;
        GLBaseVertex3F.GLVert3FTmpScale[1] = c.Scale;
        GLBaseVertex3F.GLVert3FTmp[1] = c.Move;
        GLBaseVertex3F.GLVert3FTmpRotate[1] = c.Angles;
        GLBaseVertex3F.GLVert3FTmpPosRot[1] = c.PosRot;
        Quads({c.In});
        ExpectVector(GLBaseVertex3F.GLVert3F[1], c.Out.X, c.Out.Y, c.Out.Z);
        ExpectVector(GLBaseVertex3F.GLVert3FOffset[1], c.In.X, c.In.Y, c.In.Z);
        const auto sent = glrec::CallsNamed("glVertex3f");
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].Args,
                  (std::vector<double>{GLBaseVertex3F.GLVert3F[1].X, GLBaseVertex3F.GLVert3F[1].Y,
                                       GLBaseVertex3F.GLVert3F[1].Z}));
    }
}

TEST_F(VertexRecorder, EditModeWithRemoveRecordsAndTransformsButSendsNothing) {
    GLVert3FEnableEdit = true;
    GLVert3FRemove = true;
    GLBaseVertex3F.GLVert3FSetNum = 2;
    GLBaseVertex3F.GLVert3FTmpScale[1] = {2, 2, 2};
    GLBaseVertex3F.GLVert3FTmp[1] = {1, 0, 0};
    GLBaseVertex3F.GLVert3FTmpRotate[1] = {0, 0, 90};
    Quads({{1, 0, 0}});
    ExpectVector(GLBaseVertex3F.GLVert3F[1], 0, 3, 0);
    EXPECT_TRUE(glrec::Calls().empty());
}

using VertexRecorderDeathTest = VertexRecorder;

TEST_F(VertexRecorderDeathTest, EditModeWithoutASetStopsOnSlotZero) {
    GLVert3FEnableEdit = true;
    GLBaseVertex3F.GLVert3FSetNum = 0;
    EXPECT_DEATH(Quads({{1, 2, 3}}), "range error");
}

TEST_F(VertexRecorderDeathTest, EditModePastTheLastSlotStops) {
    GLVert3FEnableEdit = true;
    GLBaseVertex3F.GLVert3FSetNum = GL_VERT3F_SLOTS + 1;
    GLBaseVertex3F.GLVert3FCount = GL_VERT3F_SLOTS;
    EXPECT_DEATH(Quads({{1, 2, 3}}), "range error: GLVert3F\\[10001\\]");
}

} // namespace
