// The demo's exact GL calls, through the GL call recorder: the quad, the four models,
// one frame, and what each tree's display list holds (branches, leaves, flowers and
// fruits, and on which levels the leaves grow). Real-GL tests of the same scene are
// in SceneTest.cpp and FrameTest.cpp.
#include "GlRecorder.h"
#include "SceneFolder.h"

#include "Scene.h"
#include "Vistral.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

using scenetest::SceneFolder;

// An expected call: name and arguments in prototype order.
struct Expected {
    std::string Name;
    std::vector<double> Args;
};

// Compares the calls from index `from` with the expected ones, name and arguments.
void ExpectCalls(const std::vector<glrec::Call>& calls, std::size_t from,
                 const std::vector<Expected>& want) {
    ASSERT_GE(calls.size(), from + want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        const auto& got = calls[from + i];
        SCOPED_TRACE(testing::Message() << "call " << i << " " << want[i].Name);
        ASSERT_EQ(got.Name, want[i].Name);
        ASSERT_EQ(got.Args.size(), want[i].Args.size());
        for (std::size_t k = 0; k < want[i].Args.size(); ++k)
            EXPECT_NEAR(got.Args[k], want[i].Args[k], 1e-6) << "argument " << k;
    }
}

// The calls Quad must make for corners P1..P4, repeats TU, TV and Alpha.
std::vector<Expected> QuadCalls(const std::vector<double>& p, double tu, double tv, double alpha,
                                const std::vector<double>& normal) {
    return {
        {"glLightModeli", {GL_LIGHT_MODEL_TWO_SIDE, 1}},
        {"glDisable", {GL_CULL_FACE}},
        {"glColor4f", {alpha, alpha, alpha, alpha}},
        {"glBegin", {GL_QUADS}},
        {"glNormal3f", normal},
        {"glTexCoord2f", {tu, -tv}},
        {"glVertex3f", {p[3], p[4], p[5]}},
        {"glTexCoord2f", {0, -tv}},
        {"glVertex3f", {p[0], p[1], p[2]}},
        {"glTexCoord2f", {0, 0}},
        {"glVertex3f", {p[6], p[7], p[8]}},
        {"glTexCoord2f", {tu, 0}},
        {"glVertex3f", {p[9], p[10], p[11]}},
        {"glEnd", {}},
        {"glEnable", {GL_CULL_FACE}},
        {"glColor4f", {1, 1, 1, 1}},
        {"glLightModeli", {GL_LIGHT_MODEL_TWO_SIDE, 0}},
    };
}

// A sprite model: its texture, the sprite state around its quad, everything undone.
std::vector<Expected> SpriteCalls(double texture, double half) {
    std::vector<Expected> calls = {
        {"glBindTexture", {GL_TEXTURE_2D, texture}},
        {"glLightModeli", {GL_LIGHT_MODEL_TWO_SIDE, 1}},
        {"glDisable", {GL_CULL_FACE}},
        {"glEnable", {GL_ALPHA_TEST}},
        {"glAlphaFunc", {GL_GREATER, 0.4f}},
    };
    const auto quad = QuadCalls({-half, -half, 0, half, -half, 0, -half, half, 0, half, half, 0}, 1,
                                1, 1, {0, 0, -1});
    calls.insert(calls.end(), quad.begin(), quad.end());
    calls.insert(calls.end(), {{"glDepthMask", {GL_TRUE}},
                               {"glDisable", {GL_BLEND}},
                               {"glDisable", {GL_ALPHA_TEST}},
                               {"glEnable", {GL_CULL_FACE}},
                               {"glLightModeli", {GL_LIGHT_MODEL_TWO_SIDE, 0}}});
    return calls;
}

class DemoCalls : public ::testing::Test {
  protected:
    void SetUp() override {
        glrec::Reset();
        scenetest::ResetSceneState();
    }
    // Enters a folder with the given images and runs the scene build.
    void Build(const std::vector<std::string>& images) {
        Folder = std::make_unique<SceneFolder>(images);
        OpenGL_CreateList();
    }
    void TearDown() override { Folder.reset(); }
    std::unique_ptr<SceneFolder> Folder;
};

TEST_F(DemoCalls, QuadSendsItsCornersOnceAroundWithOneNormal) {
    const std::vector<double> leaf = {-1, -1, 0, 1, -1, 0, -1, 1, 0, 1, 1, 0};
    const std::vector<double> ground = {-10, 0, -10, 10, 0, -10, -10, 0, 10, 10, 0, 10};
    const std::size_t first = glrec::Calls().size();
    Quad(-1, -1, 0, 1, -1, 0, -1, 1, 0, 1, 1, 0, 2, 3, 0.5f);
    ExpectCalls(glrec::Calls(), first, QuadCalls(leaf, 2, 3, 0.5, {0, 0, -1}));
    const std::size_t next = glrec::Calls().size();
    Quad(-10, 0, -10, 10, 0, -10, -10, 0, 10, 10, 0, 10, 4, 4, 1);
    ExpectCalls(glrec::Calls(), next, QuadCalls(ground, 4, 4, 1, {0, 1, 0}));
    EXPECT_EQ(glrec::Calls().size(), next + 17);
}

TEST_F(DemoCalls, ModelsBindTheirSlotsAndDrawTheirShapes) {
    Folder = std::make_unique<SceneFolder>(scenetest::ALL_IMAGES);
    OpenGL_Texture();
    const double bark = TextureID2[1], fruit = TextureID2[2];
    const double leaf = TextureTGA2[0].TexID, flower = TextureTGA2[1].TexID;
    ASSERT_TRUE(bark && fruit && leaf && flower);

    struct Case {
        const char* What;
        TavrelProcedure Model;
        std::vector<Expected> Calls;
    };
    const Case cases[] = {
        {"bark", MatAlbero, {{"glBindTexture", {GL_TEXTURE_2D, bark}}}},
        {"leaf", MdlFoglieAlbero, SpriteCalls(leaf, 1)},
        {"flower", MdlFioreAlbero, SpriteCalls(flower, 0.05)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        const std::size_t first = glrec::Calls().size();
        c.Model();
        ExpectCalls(glrec::Calls(), first, c.Calls);
        EXPECT_EQ(glrec::Calls().size(), first + c.Calls.size());
    }

    // The fruit: its image, then a sphere of radius 0.08 around the frame's origin,
    // 6 bands of 6 segments.
    const std::size_t first = glrec::Calls().size();
    const std::size_t firstPrimitive = glrec::Primitives().size();
    MdlFruttoAlbero();
    ExpectCalls(glrec::Calls(), first, {{"glBindTexture", {GL_TEXTURE_2D, fruit}}});
    const auto& primitives = glrec::Primitives();
    ASSERT_EQ(primitives.size(), firstPrimitive + 6);
    for (std::size_t i = firstPrimitive; i < primitives.size(); ++i) {
        EXPECT_EQ(primitives[i].Mode, static_cast<GLenum>(GL_TRIANGLE_STRIP));
        EXPECT_EQ(primitives[i].Count, 14u);
        for (std::size_t v = 0; v < primitives[i].Count; ++v) {
            const auto& o = glrec::Vertices()[primitives[i].First + v].Object;
            EXPECT_NEAR(std::sqrt(o[0] * o[0] + o[1] * o[1] + o[2] * o[2]), 0.08, 1e-6);
        }
    }
}

TEST_F(DemoCalls, ImagesGoUpInTheOrderOfTheSlotTable) {
    Folder = std::make_unique<SceneFolder>(scenetest::ALL_IMAGES);
    const std::size_t first = glrec::Calls().size();
    OpenGL_Texture();
    // The texture bound at each upload, in call order.
    std::vector<GLuint> uploaded;
    GLuint bound = 0;
    const auto& calls = glrec::Calls();
    for (std::size_t i = first; i < calls.size(); ++i) {
        if (calls[i].Name == "glBindTexture") bound = static_cast<GLuint>(calls[i].Args[1]);
        if (calls[i].Name == "glTexImage2D") uploaded.push_back(bound);
    }
    const std::vector<GLuint> want = {TextureID2[0], TextureID2[1], TextureID2[2],
                                      TextureTGA2[0].TexID, TextureTGA2[1].TexID};
    EXPECT_EQ(uploaded, want) << "Floor05, corteccia02, rosso, acacia, giglio";
}

TEST_F(DemoCalls, FrameRebuildsTheViewThenDrawsGroundAndFourTrees) {
    // What the frame's 2D hook must amount to: the overlay mode, then the 3D set-up.
    OpenGL_I2D(0, 0, 0, 0);
    OpenGL_Init(100.0, 0, 0, 0, 0);
    std::vector<Expected> want = {{"glClear", {GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT}},
                                  {"glLoadIdentity", {}}};
    for (const auto& c : glrec::Calls())
        want.push_back({c.Name, c.Args});

    TextureID2[0] = 21;
    for (int i = 0; i < TREE_COUNT; ++i)
        Tree[i] = 11 + i;
    Depth = 3;
    XRot = 10;
    YRot = 20;
    const std::vector<Expected> camera = {
        {"glTranslatef", {0, -2, -30}}, {"glRotatef", {35, 1, 0, 0}},
        {"glTranslatef", {0, 0, -3}},   {"glRotatef", {10, 1, 0, 0}},
        {"glRotatef", {20, 0, 1, 0}},   {"glBindTexture", {GL_TEXTURE_2D, 21}},
    };
    want.insert(want.end(), camera.begin(), camera.end());
    const auto ground =
        QuadCalls({-10, 0, -10, 10, 0, -10, -10, 0, 10, 10, 0, 10}, 4, 4, 1, {0, 1, 0});
    want.insert(want.end(), ground.begin(), ground.end());
    const double positions[TREE_COUNT][3] = {{-5, 0, -4}, {5, 0, -3}, {2.6f, 0, 5}, {-3.4f, 0, 6}};
    for (int i = 0; i < TREE_COUNT; ++i) {
        want.insert(want.end(),
                    {{"glPushMatrix", {}},
                     {"glTranslatef", {positions[i][0], positions[i][1], positions[i][2]}},
                     {"glCallList", {11.0 + i}},
                     {"glPopMatrix", {}}});
    }

    const std::size_t first = glrec::Calls().size();
    OpenGL_Draw();
    ExpectCalls(glrec::Calls(), first, want);
    EXPECT_EQ(glrec::Calls().size(), first + want.size());
}

// ---- The trees' lists ---------------------------------------------------------------------

// What one tree's list holds, told apart by the texture each callback binds.
struct Organs {
    int Branches = 0, Leaves = 0, Flowers = 0, Fruits = 0;
};

Organs CountOrgans(GLuint list) {
    Organs o;
    const auto* calls = glrec::List(list);
    if (!calls) {
        ADD_FAILURE() << "no list " << list;
        return o;
    }
    for (const auto& c : *calls) {
        if (c.Name != "glBindTexture") continue;
        const auto texture = static_cast<GLuint>(c.Args[1]);
        if (texture == TextureID2[1]) ++o.Branches;
        if (texture == TextureTGA2[0].TexID) ++o.Leaves;
        if (texture == TextureTGA2[1].TexID) ++o.Flowers;
        if (texture == TextureID2[2]) ++o.Fruits;
    }
    return o;
}

TEST_F(DemoCalls, EachTreeHoldsItsBranchesAndOrgans) {
    Build(scenetest::ALL_IMAGES);
    const Organs want[TREE_COUNT] = {
        {156, 2598, 1475, 100}, // full tree, leaves on every level
        {156, 2525, 0, 0},      // leafy tree
        {156, 2525, 1475, 0},   // flowering tree
        {31, 518, 0, 20},       // small fruit tree
    };
    for (int i = 0; i < TREE_COUNT; ++i) {
        SCOPED_TRACE(testing::Message() << "tree " << i);
        const Organs got = CountOrgans(Tree[i]);
        EXPECT_EQ(got.Branches, want[i].Branches);
        EXPECT_EQ(got.Leaves, want[i].Leaves);
        EXPECT_EQ(got.Flowers, want[i].Flowers);
        EXPECT_EQ(got.Fruits, want[i].Fruits);
    }
}

// Depth of each branch in the order the generator emits them: a branch, then its
// five children's subtrees.
void BranchDepths(int depth, std::vector<int>& out) {
    out.push_back(depth);
    if (depth == 0) return;
    for (int child = 0; child < 5; ++child)
        BranchDepths(depth - 1, out);
}

TEST_F(DemoCalls, LeafyTreeGrowsLeavesOnlyOnItsTwoOuterLevels) {
    Build(scenetest::ALL_IMAGES);
    std::vector<int> depths;
    BranchDepths(3, depths);
    ASSERT_EQ(depths.size(), 156u);

    // Leaves per branch, a branch's organs following its bark and preceding its children.
    std::vector<int> leaves;
    for (const auto& c : *glrec::List(Tree[1])) {
        if (c.Name != "glBindTexture") continue;
        const auto texture = static_cast<GLuint>(c.Args[1]);
        if (texture == TextureID2[1])
            leaves.push_back(0);
        else if (texture == TextureTGA2[0].TexID && !leaves.empty())
            ++leaves.back();
    }
    ASSERT_EQ(leaves.size(), depths.size());
    const int leavesAtDepth[] = {17, 16, 0, 0};
    for (std::size_t b = 0; b < depths.size(); ++b)
        EXPECT_EQ(leaves[b], leavesAtDepth[depths[b]]) << "branch " << b << " depth " << depths[b];
}

TEST_F(DemoCalls, WithoutTheLilyImageFlowersBindTheDefaultTexture) {
    Build(scenetest::ImagesWithout({"giglio.tga"}));
    ASSERT_EQ(TextureTGA2[1].TexID, 0u);
    for (int i : {0, 2}) {
        int defaultBinds = 0;
        for (const auto& c : *glrec::List(Tree[i]))
            if (c.Name == "glBindTexture" && c.Args[1] == 0) ++defaultBinds;
        EXPECT_EQ(defaultBinds, 1475) << "tree " << i;
    }
    // Leaves keep their own image.
    EXPECT_EQ(CountOrgans(Tree[1]).Leaves, 2525);
}

TEST(DemoTreeNames, IndexOutsideZeroToThreeStopsWithARangeError) {
    for (long long index : {-1LL, static_cast<long long>(TREE_COUNT)})
        EXPECT_DEATH((void)Tree[index], "range error") << index;
}

} // namespace
