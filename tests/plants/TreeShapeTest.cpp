// The tree generator's random stream, shape, organ counts and organ frames,
// seen through the GL call recorder and its list replay.
#include "GlRecorder.h"
#include "TreeProbe.h"

#include "Tavrel_SimplePlants_Ext1.h"
#include "Vistral.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using treeprobe::DEMO_TREES;
using treeprobe::Seen;
using Vec = std::array<double, 3>;

constexpr double TWO_TO_THE_32 = 4294967296.0;

// Every test starts from the stream's start-up state and an empty recorder.
class Tree : public ::testing::Test {
  protected:
    void SetUp() override {
        PlantsRandomReset();
        glrec::Reset();
        treeprobe::ResetCounts();
    }
};

Vec Sub(const Vec& a, const Vec& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
double Dot(const Vec& a, const Vec& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
double Norm(const Vec& a) {
    return std::sqrt(Dot(a, a));
}
Vec Scale(const Vec& a, double s) {
    return {a[0] * s, a[1] * s, a[2] * s};
}
Vec Cross(const Vec& a, const Vec& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

// An organ frame in eye space: its origin and the image of its local (1, 0, 0).
struct Organ {
    Vec Origin;
    Vec UnitX;
};

// One branch as replayed: its frame (from the cylinder) and its organs.
struct Branch {
    Vec Base{}, Top{}, X{}, Y{}, Z{};
    double CurLen = 0, Radius = 0;
    std::vector<Organ> Leaves, Flowers, Fruits;
};

// Vertices per strip of the demo trees: sphere (10 segments) and cylinder (6 columns).
constexpr std::size_t SPHERE_STRIP = 22;
constexpr std::size_t CYLINDER_STRIP = 14;
constexpr int CYLINDER_RINGS = 10;

// Average of the given vertices of one strip (every second one from `first`).
Vec RingCentre(const glrec::Primitive& strip, std::size_t first) {
    const auto& v = glrec::Vertices();
    Vec sum{0, 0, 0};
    int n = 0;
    // The closing column repeats column 0; leave it out.
    for (std::size_t k = first; k + 2 < strip.Count; k += 2, ++n)
        for (int c = 0; c < 3; ++c)
            sum[c] += v[strip.First + k].Eye[c];
    return Scale(sum, 1.0 / n);
}

// Calls the list with an identity modelview and splits the replay into branches.
std::vector<Branch> Replay(GLuint list) {
    const std::size_t firstPrimitive = glrec::Primitives().size();
    glLoadIdentity();
    glCallList(list);
    const auto& prims = glrec::Primitives();
    const auto& v = glrec::Vertices();
    std::vector<Branch> branches;
    int ring = 0;
    bool inSphere = false;
    for (std::size_t p = firstPrimitive; p < prims.size(); ++p) {
        const auto& prim = prims[p];
        if (prim.Mode == GL_TRIANGLE_STRIP && prim.Count == SPHERE_STRIP) {
            if (!inSphere) branches.emplace_back();
            inSphere = true;
            ring = 0;
            continue;
        }
        inSphere = false;
        Branch& b = branches.back();
        if (prim.Mode == GL_TRIANGLE_STRIP && prim.Count == CYLINDER_STRIP) {
            if (ring == 0) {
                b.Top = RingCentre(prim, 0);
                const auto& n = v[prim.First].EyeNormal;
                b.X = Scale(n, 1.0 / Norm(n));
                b.Radius = Norm(Sub(v[prim.First].Eye, b.Top));
            }
            if (ring == CYLINDER_RINGS - 1) {
                b.Base = RingCentre(prim, 1);
                b.CurLen = Norm(Sub(b.Top, b.Base));
                b.Y = Scale(Sub(b.Top, b.Base), 1.0 / b.CurLen);
                b.Z = Cross(b.X, b.Y);
            }
            ++ring;
            continue;
        }
        const Organ organ{v[prim.First].Eye, Sub(v[prim.First + 1].Eye, v[prim.First].Eye)};
        if (prim.Mode == treeprobe::LEAF_MARK) b.Leaves.push_back(organ);
        if (prim.Mode == treeprobe::FLOWER_MARK) b.Flowers.push_back(organ);
        if (prim.Mode == treeprobe::FRUIT_MARK) b.Fruits.push_back(organ);
    }
    return branches;
}

// Distance of p from the branch axis, and its height along the axis.
double AxisDistance(const Branch& b, const Vec& p) {
    const Vec d = Sub(p, b.Base);
    return Norm(Sub(d, Scale(b.Y, Dot(d, b.Y))));
}
double Height(const Branch& b, const Vec& p) {
    return Dot(Sub(p, b.Base), b.Y);
}

TEST_F(Tree, StreamIsMt19937SeededWithZeroAndDividedByTwoToThe32) {
    const double expected[] = {2357136044.0, 2546248239.0, 3071714933.0, 3626093760.0,
                               2588848963.0};
    for (double e : expected)
        EXPECT_EQ(PlantsRandom(), e / TWO_TO_THE_32);
    EXPECT_EQ(PlantsRandomDraws(), 5u);
    PlantsRandomReset();
    EXPECT_EQ(PlantsRandomDraws(), 0u);
    EXPECT_EQ(PlantsRandom(), expected[0] / TWO_TO_THE_32);
}

TEST_F(Tree, DemoFirstTrunkLengthAndRadius) {
    const GLuint list = treeprobe::Build(DEMO_TREES[0]);
    const auto* calls = glrec::List(list);
    ASSERT_NE(calls, nullptr);
    // The joint sphere's first vertex is its +Z pole at (0, CurLen, Radius - 0.003).
    const glrec::Call* pole = nullptr;
    const glrec::Call* cylinderTop = nullptr;
    for (const auto& c : *calls) {
        if (c.Name != "glVertex3f") continue;
        if (!pole) {
            pole = &c;
        } else if (c.Args[0] != 0.0 && c.Args[2] == pole->Args[1]) {
            cylinderTop = &c; // column 0 of the top ring: (Radius, 0, CurLen)
            break;
        }
    }
    ASSERT_NE(pole, nullptr);
    ASSERT_NE(cylinderTop, nullptr);
    const double curLen = pole->Args[1];
    EXPECT_NEAR(curLen, 4.60245, 5e-6);
    EXPECT_NEAR(curLen / (2357136044.0 / TWO_TO_THE_32 / 2 + 0.75), 4.4928, 1e-5);
    EXPECT_FLOAT_EQ(static_cast<float>(cylinderTop->Args[0]), 0.09216f);
    EXPECT_FLOAT_EQ(static_cast<float>(pole->Args[2]), 0.09216f - 0.003f);
}

struct CountCase {
    std::int32_t NumLevel;
    bool BaseLeaf;
    int Branches, Leaves, Flowers, Fruits;
    std::uint64_t Draws;
};

TEST_F(Tree, BranchesOrgansAndDrawsPerLevel) {
    const CountCase cases[] = {
        {0, true, 1, 17, 10, 0, 55},
        {2, true, 31, 518, 295, 20, 1731},
        {3, true, 156, 2598, 1475, 100, 8681},
        {3, false, 156, 2525, 1475, 100, 8535},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "NumLevel " << c.NumLevel << " BaseLeaf " << c.BaseLeaf);
        SetUp();
        treeprobe::TreeArgs args = DEMO_TREES[0];
        args.NumLevel = c.NumLevel;
        args.BaseLeaf = c.BaseLeaf;
        treeprobe::Build(args);
        EXPECT_EQ(Seen.Branches, c.Branches);
        EXPECT_EQ(Seen.Leaves, c.Leaves);
        EXPECT_EQ(Seen.Flowers, c.Flowers);
        EXPECT_EQ(Seen.Fruits, c.Fruits);
        EXPECT_EQ(PlantsRandomDraws(), c.Draws);
    }
}

TEST_F(Tree, DemoTreesTakeTheirDrawsInOrder) {
    const std::uint64_t draws[] = {8681, 8535, 8535, 1731};
    std::uint64_t before = 0;
    for (int t = 0; t < 4; ++t) {
        if (t == 3) {
            EXPECT_EQ(before + 1, 25752u); // the fourth tree's first draw
        }
        treeprobe::Build(DEMO_TREES[t]);
        EXPECT_EQ(PlantsRandomDraws() - before, draws[t]) << "tree " << t;
        before = PlantsRandomDraws();
    }
    EXPECT_EQ(glrec::GeneratedLists(), (std::vector<GLuint>{1, 2, 3, 4}));
    EXPECT_EQ(glrec::ModelviewDepth(), 1); // compiling executed no matrix call
}

// The eye-space vertices of every strip of a tree built from the stream's start.
std::vector<Vec> BranchLayout(const treeprobe::TreeArgs& args) {
    PlantsRandomReset();
    glrec::Reset();
    const GLuint list = treeprobe::Build(args);
    glCallList(list);
    std::vector<Vec> layout;
    for (const auto& v : glrec::Vertices())
        if (v.Mode == GL_TRIANGLE_STRIP) layout.push_back(v.Eye);
    return layout;
}

TEST_F(Tree, ProcNullOrgansKeepTheDrawsAndTheBranchLayout) {
    const auto full = BranchLayout(DEMO_TREES[0]);
    const std::uint64_t fullDraws = PlantsRandomDraws();
    ASSERT_EQ(full.size(), 156u * (6 * SPHERE_STRIP + CYLINDER_RINGS * CYLINDER_STRIP));
    treeprobe::TreeArgs noFlower = DEMO_TREES[0], noFruit = DEMO_TREES[0];
    noFlower.MdlFlower = ProcNull;
    noFruit.MdlFruit = ProcNull;
    for (const auto& args : {noFlower, noFruit}) {
        EXPECT_EQ(BranchLayout(args), full);
        EXPECT_EQ(PlantsRandomDraws(), fullDraws);
    }
}

TEST_F(Tree, OrganFramesRelativeToTheirBranch) {
    const auto branches = Replay(treeprobe::Build(DEMO_TREES[0]));
    ASSERT_EQ(branches.size(), 156u);
    int twigs = 0;
    for (const auto& b : branches) {
        ASSERT_GT(b.CurLen, 0.0);
        const double leafScale = static_cast<float>(b.CurLen * 0.17f);
        for (const auto& leaf : b.Leaves) {
            EXPECT_NEAR(Norm(leaf.UnitX), leafScale, 1e-5 * leafScale);
            EXPECT_NEAR(AxisDistance(b, leaf.Origin), b.Radius, 1e-5);
            EXPECT_GE(Height(b, leaf.Origin), -1e-5);
            EXPECT_LE(Height(b, leaf.Origin), b.CurLen + 1e-5);
        }
        for (const auto& flower : b.Flowers) {
            EXPECT_NEAR(Norm(flower.UnitX), 1.0, 1e-5); // not scaled
            EXPECT_NEAR(AxisDistance(b, flower.Origin), b.Radius + 0.02, 1e-5);
        }
        for (const auto& fruit : b.Fruits) {
            const Vec d = Sub(fruit.Origin, b.Base);
            EXPECT_NEAR(Dot(d, b.Z), b.Radius, 1e-5); // on the +Z side
            EXPECT_NEAR(Dot(d, b.X), 0.0, 1e-5);
            EXPECT_NEAR(Dot(fruit.UnitX, b.X), 1.0, 1e-5); // not turned, not scaled
        }
        if (b.Leaves.size() == 17 && b.Flowers.size() == 10 && b.Fruits.empty()) ++twigs;
    }
    EXPECT_EQ(twigs, 125);                 // the Depth 0 branches of NumLevel 3
    EXPECT_EQ(glrec::ModelviewDepth(), 1); // the list's pushes and pops balance
}

// The matrix, texture and organ calls a tree's list must hold, worked out from the
// documented shape with a stream of its own: every turn, shift and scale, exactly.
class ExpectedTree {
  public:
    using Calls = std::vector<std::pair<std::string, std::vector<double>>>;

    explicit ExpectedTree(bool baseLeaf) : BaseLeaf(baseLeaf) {}
    Calls Grow(std::int32_t numLevel, float len, float radius, float h) {
        Branch(numLevel, len, radius, h);
        return Log;
    }

  private:
    bool BaseLeaf;
    std::mt19937 Stream{0};
    Calls Log;

    double R() { return Stream() / TWO_TO_THE_32; }
    void Add(const char* name, std::vector<double> args = {}) { Log.emplace_back(name, args); }
    static double F(double v) { return static_cast<float>(v); }

    void Branch(std::int32_t depth, float len, float radius, float h) {
        len = static_cast<float>(len * static_cast<double>(0.78f));
        const float curLen = static_cast<float>((R() / 2.0 + 0.75) * len);
        radius = static_cast<float>(radius * static_cast<double>(0.6f));
        Add("glBindTexture", {GL_TEXTURE_2D, treeprobe::BARK_TEXTURE});
        Add("glPushMatrix");
        Add("glRotatef", {-90, 1, 0, 0});
        Add("glPopMatrix");
        if (depth <= 1 || BaseLeaf) {
            const double s = F(curLen * static_cast<double>(0.17f));
            for (int i = 0; i <= 16 - depth * depth; ++i) {
                const double posLen = F(R() * curLen), posAngle = F(R() * 360.0);
                Add("glPushMatrix");
                Add("glRotatef", {posAngle, 0, 1, 0});
                Add("glTranslatef", {0, posLen, radius});
                Add("glRotatef", {60, 1, 0, 0});
                Add("glPushMatrix");
                Add("glScalef", {s, s, s});
                Add("glBegin", {treeprobe::LEAF_MARK});
                Add("glPopMatrix");
                Add("glPopMatrix");
            }
        }
        if (depth <= 1) {
            for (int i = 0; i < 10 - depth * depth; ++i) {
                const double posLen = F(R() * curLen), posAngle = F(R() * 360.0);
                Add("glPushMatrix");
                Add("glRotatef", {posAngle, 0, 1, 0});
                Add("glTranslatef", {0, posLen, F(radius + 0.02)});
                Add("glBegin", {treeprobe::FLOWER_MARK});
                Add("glPopMatrix");
            }
        }
        if (depth == 1) {
            for (int i = 0; i < 4; ++i) {
                Add("glPushMatrix");
                Add("glTranslatef", {0, F(R() * curLen), radius});
                Add("glBegin", {treeprobe::FRUIT_MARK});
                Add("glPopMatrix");
            }
        }
        if (depth == 0) return;
        Add("glPushMatrix");
        Add("glRotatef", {F((R() + 0.5) * 120.0), 0, 1, 0});
        Add("glPushMatrix");
        Add("glTranslatef", {0, F(curLen * 0.999), 0});
        Add("glRotatef", {30, 0, 0, 1});
        Branch(depth - 1, len, radius, h);
        Add("glPopMatrix");
        for (int i = 0; i <= 3; ++i) {
            Add("glRotatef", {F((R() + 0.5) * 120.0), 0, 1, 0});
            const double limbOffset = 0.52f;
            Add("glPushMatrix");
            Add("glTranslatef", {0, F((limbOffset + R() * (1.0 - limbOffset)) * curLen * h), 0});
            Add("glRotatef", {30, 0, 0, 1});
            Branch(depth - 1, len, radius, h);
            Add("glPopMatrix");
        }
        Add("glPopMatrix");
    }
};

// A list's calls without the branch geometry (strips, normals, texture coordinates, vertices).
ExpectedTree::Calls FramesAndOrgans(GLuint list) {
    ExpectedTree::Calls kept;
    const auto* calls = glrec::List(list);
    if (!calls) return kept;
    for (const auto& c : *calls) {
        const bool strip = c.Name == "glBegin" && c.Args[0] == GL_TRIANGLE_STRIP;
        if (strip || c.Name == "glEnd" || c.Name == "glVertex3f" || c.Name == "glNormal3f" ||
            c.Name == "glTexCoord2f")
            continue;
        kept.emplace_back(c.Name, c.Args);
    }
    return kept;
}

// Every turn, shift and scale of the list in its documented order, with the leaf tilt
// (which leaves a leaf's own X axis where it was) and the limb heights included.
TEST_F(Tree, ListHoldsEveryFrameCallInOrder) {
    struct Case {
        std::int32_t NumLevel;
        float H;
        bool BaseLeaf;
    };
    for (const Case c : {Case{0, 1.0f, true}, Case{1, 0.07f, false}, Case{2, 1.0f, true}}) {
        SCOPED_TRACE(testing::Message() << "NumLevel " << c.NumLevel << " H " << c.H);
        SetUp();
        treeprobe::TreeArgs args = DEMO_TREES[0];
        args.NumLevel = c.NumLevel;
        args.H = c.H;
        args.BaseLeaf = c.BaseLeaf;
        const auto got = FramesAndOrgans(treeprobe::Build(args));
        const auto expected = ExpectedTree(c.BaseLeaf).Grow(c.NumLevel, args.Len, args.Radius, c.H);
        ASSERT_EQ(got.size(), expected.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            ASSERT_EQ(got[i], expected[i]) << "call " << i << " " << got[i].first;
        }
    }
}

TEST_F(Tree, NegativeNumLevelGrowsABareTrunk) {
    treeprobe::TreeArgs args = DEMO_TREES[0];
    args.NumLevel = -4;
    treeprobe::Build(args);
    EXPECT_EQ(Seen.Branches, 1);
    EXPECT_EQ(Seen.Leaves, 17);
    EXPECT_EQ(Seen.Flowers, 10);
    EXPECT_EQ(PlantsRandomDraws(), 55u);
}

struct QualityCase {
    std::int32_t Quality;
    std::size_t SphereStrips, CylinderStripVertices;
};

TEST_F(Tree, QualityIsKeptWithinOneTo255) {
    const QualityCase cases[] = {
        {-5, 1, 4}, {0, 1, 4}, {1, 1, 4}, {255, 255, 512}, {300, 255, 512}};
    treeprobe::TreeArgs args = DEMO_TREES[0];
    args.NumLevel = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Quality);
        SetUp();
        glCallList(treeprobe::Build(args, c.Quality));
        std::size_t sphere = 0, cylinder = 0;
        for (const auto& p : glrec::Primitives()) {
            if (p.Mode != GL_TRIANGLE_STRIP) continue;
            if (p.Count == SPHERE_STRIP) {
                ++sphere;
            } else {
                EXPECT_EQ(p.Count, c.CylinderStripVertices);
                ++cylinder;
            }
        }
        EXPECT_EQ(sphere, c.SphereStrips);
        EXPECT_EQ(cylinder, 10u);
        EXPECT_EQ(PlantsRandomDraws(), 55u);
    }
}

TEST_F(Tree, FailedListNameIssuesNothingButKeepsTheStreamInStep) {
    glrec::FailGenLists(true);
    const GLuint list = treeprobe::Build(DEMO_TREES[0]);
    EXPECT_EQ(list, 0u);
    EXPECT_EQ(glrec::CallNames(), (std::vector<std::string>{"glGenLists"}));
    EXPECT_EQ(Seen.Branches + Seen.Leaves + Seen.Flowers + Seen.Fruits, 0);
    EXPECT_EQ(PlantsRandomDraws(), 8681u);
    // The next tree is the one the demo builds second.
    glrec::FailGenLists(false);
    const auto afterFailure = Replay(treeprobe::Build(DEMO_TREES[1]));
    PlantsRandomReset();
    glrec::Reset();
    treeprobe::Build(DEMO_TREES[0]);
    const auto inOrder = Replay(treeprobe::Build(DEMO_TREES[1]));
    ASSERT_EQ(afterFailure.size(), inOrder.size());
    for (std::size_t i = 0; i < inOrder.size(); ++i)
        EXPECT_EQ(afterFailure[i].Top, inOrder[i].Top);
}

TEST_F(Tree, NullCallbacksDrawNothing) {
    std::uint32_t list = 0;
    Tree3AdvancedFractal3D(list, nullptr, nullptr, nullptr, nullptr, 6, 1, 1.0f, 5.76f, 0.1536f,
                           true);
    EXPECT_NE(list, 0u);
    EXPECT_EQ(PlantsRandomDraws(), 1u + 2 * 16 + 2 * 9 + 4 + 1 + 4 * 2 + 5 * 55);
}

using TreeDeathTest = Tree;

TEST_F(TreeDeathTest, LeafCountBeyond32BitsStopsWithOverflowError) {
    treeprobe::TreeArgs args = DEMO_TREES[0];
    args.NumLevel = 50000;
    EXPECT_DEATH(treeprobe::Build(args), "overflow error");
}

} // namespace
