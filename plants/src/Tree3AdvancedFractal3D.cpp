// The fractal tree generator.
#include "Tavrel_SimplePlants_Ext1.h"

#include "CilindroMorph2.h"

#include "vistral/Primitives.h"
#include "vistral/RangeCheck.h"

#include <GL/gl.h>

#include <algorithm>

namespace {

// Shape constants, set afresh by every Tree3AdvancedFractal3D. The trailing underscore
// keeps them out of the names C++ reserves (a leading underscore and a capital).
float Angle_;            // leaf tilt about X, degrees
float LenMult_;          // length factor on entering a branch
float ThiMult_;          // radius factor on entering a branch
float AngleLimb_;        // child tilt about Z, degrees
float LimbOffset_;       // lowest relative start height of a side limb
float LeafSize_;         // leaf scale relative to the branch length
std::int32_t NumLimbs_;  // side limbs run 0..NumLimbs_; also the spacing divisor
std::int32_t MaxLeaves_; // leaf-count base
bool TreeBaseLeaf;       // the call's BaseLeaf: leaves on the inner levels too
bool TreeEmits;          // false while only the stream is advanced (no list to fill)

constexpr float ANGLE = 60.0f;
constexpr float LEN_MULT = 0.78f;
constexpr float THI_MULT = 0.6f;
constexpr float ANGLE_LIMB = 30.0f;
constexpr float LIMB_OFFSET = 0.52f;
constexpr float LEAF_SIZE = 0.17f;
constexpr std::int32_t NUM_LIMBS = 3;
constexpr std::int32_t MAX_LEAVES = 16;

constexpr double LENGTH_JITTER_BASE = 0.75; // branch length 0.75..1.25 times Len
constexpr double LENGTH_JITTER_DIVISOR = 2.0;
constexpr double JOINT_RADIUS_REDUCTION = 0.003;
constexpr std::int32_t JOINT_SEGMENTS = 10; // around each joint sphere
constexpr std::int32_t BRANCH_RINGS = 10;   // along each cylinder
constexpr float CYLINDER_TURN = -90.0f;     // the cylinder's +Z onto the branch's +Y
constexpr double FULL_TURN_DEGREES = 360.0;
constexpr double FLOWER_STAND_OFF = 0.02;
constexpr std::int32_t MAX_BLOSSOMS = 10;
constexpr std::int32_t MAX_APPLES = 5;
constexpr double FIRST_CHILD_SPACING = 120.0; // degrees, times (r + offset)
constexpr double CHILD_TURN_OFFSET = 0.5;
constexpr double MAIN_CHILD_POSITION = 0.999; // of the branch length
constexpr float TEXTURE_SIZE = 1.0f;
constexpr std::int32_t MIN_QUALITY = 1;
constexpr std::int32_t MAX_QUALITY = 255;

inline float Single(double value) {
    return static_cast<float>(value);
}

// One branch and everything growing from it; Depth levels still to grow.
void DrawTree(TavrelProcedure MdlLeaf, TavrelProcedure MdlFlower, TavrelProcedure MdlFruit,
              TavrelProcedure MatTree, std::int32_t Quality, std::int32_t Depth, float H, float Len,
              float Radius) {
    const bool emit = TreeEmits;

    // The branch.
    Len = Single(static_cast<double>(Len) * LenMult_);
    const float CurLen =
        Single((PlantsRandom() / LENGTH_JITTER_DIVISOR + LENGTH_JITTER_BASE) * Len);
    Radius = Single(static_cast<double>(Radius) * ThiMult_);
    if (emit) {
        MatTree();
        glPushMatrix();
        Sfera(0.0f, CurLen, 0.0f, Single(Radius - JOINT_RADIUS_REDUCTION), JOINT_SEGMENTS, Quality,
              TEXTURE_SIZE);
        glRotatef(CYLINDER_TURN, 1.0f, 0.0f, 0.0f);
        CilindroMorph2(0.0f, 0.0f, 0.0f, BRANCH_RINGS, Quality, Radius, CurLen, TEXTURE_SIZE);
        glPopMatrix();
    }

    // Leaves: on the two outermost levels, or everywhere with BaseLeaf.
    if (Depth <= 1 || TreeBaseLeaf) {
        const std::int32_t NumOfLeaves = vistral::CheckedSub(
            MaxLeaves_, vistral::CheckedMul(Depth, Depth, "leaf count"), "leaf count");
        const float leafScale = Single(static_cast<double>(CurLen) * LeafSize_);
        for (std::int32_t I = 0; I <= NumOfLeaves; ++I) {
            const float PosLen = Single(PlantsRandom() * CurLen);
            const float PosAngle = Single(PlantsRandom() * FULL_TURN_DEGREES);
            if (!emit) continue;
            glPushMatrix();
            glRotatef(PosAngle, 0.0f, 1.0f, 0.0f);
            glTranslatef(0.0f, PosLen, Radius);
            glRotatef(Angle_, 1.0f, 0.0f, 0.0f);
            glPushMatrix();
            glScalef(leafScale, leafScale, leafScale);
            MdlLeaf();
            glPopMatrix();
            glPopMatrix();
        }
    }

    // Flowers and fruits on the outermost levels.
    if (Depth <= 1) {
        const std::int32_t NumOfBlossoms = MAX_BLOSSOMS - Depth * Depth;
        const float flowerDistance = Single(static_cast<double>(Radius) + FLOWER_STAND_OFF);
        for (std::int32_t I = 0; I < NumOfBlossoms; ++I) {
            const float PosLen = Single(PlantsRandom() * CurLen);
            const float PosAngle = Single(PlantsRandom() * FULL_TURN_DEGREES);
            if (!emit) continue;
            glPushMatrix();
            glRotatef(PosAngle, 0.0f, 1.0f, 0.0f);
            glTranslatef(0.0f, PosLen, flowerDistance);
            MdlFlower();
            glPopMatrix();
        }
    }
    if (Depth > 0 && Depth <= 1) {
        const std::int32_t NumOfApples = MAX_APPLES - Depth;
        for (std::int32_t I = 0; I < NumOfApples; ++I) {
            if (emit) glPushMatrix();
            const float PosLen = Single(PlantsRandom() * CurLen);
            if (!emit) continue;
            glTranslatef(0.0f, PosLen, Radius);
            MdlFruit();
            glPopMatrix();
        }
    }

    // Children: the main child at the tip, then the side limbs, each turned further.
    if (Depth == 0) return;
    const std::int32_t childDepth = Depth - 1;
    const float commonTurn = Single((PlantsRandom() + CHILD_TURN_OFFSET) * FIRST_CHILD_SPACING);
    if (emit) {
        glPushMatrix();
        glRotatef(commonTurn, 0.0f, 1.0f, 0.0f);
        glPushMatrix();
        glTranslatef(0.0f, Single(static_cast<double>(CurLen) * MAIN_CHILD_POSITION), 0.0f);
        glRotatef(AngleLimb_, 0.0f, 0.0f, 1.0f);
    }
    DrawTree(MdlLeaf, MdlFlower, MdlFruit, MatTree, Quality, childDepth, H, Len, Radius);
    if (emit) glPopMatrix();
    const double limbSpacing = FULL_TURN_DEGREES / NumLimbs_;
    for (std::int32_t I = 0; I <= NumLimbs_; ++I) {
        const float limbTurn = Single((PlantsRandom() + CHILD_TURN_OFFSET) * limbSpacing);
        const float limbHeight = Single(
            (LimbOffset_ + PlantsRandom() * (1.0 - static_cast<double>(LimbOffset_))) * CurLen * H);
        if (emit) {
            glRotatef(limbTurn, 0.0f, 1.0f, 0.0f);
            glPushMatrix();
            glTranslatef(0.0f, limbHeight, 0.0f);
            glRotatef(AngleLimb_, 0.0f, 0.0f, 1.0f);
        }
        DrawTree(MdlLeaf, MdlFlower, MdlFruit, MatTree, Quality, childDepth, H, Len, Radius);
        if (emit) glPopMatrix();
    }
    if (emit) glPopMatrix();
}

// A null callback draws nothing, like ProcNull.
TavrelProcedure OrNull(TavrelProcedure proc) {
    return proc ? proc : ProcNull;
}

} // namespace

// Compiles one tree into a new display list (see the header for the safe limits).
void Tree3AdvancedFractal3D(std::uint32_t& Tree, TavrelProcedure MdlLeaf, TavrelProcedure MdlFlower,
                            TavrelProcedure MdlFruit, TavrelProcedure MatTree, std::int32_t Quality,
                            std::int32_t NumLevel, float H, float Len, float Radius,
                            bool BaseLeaf) {
    Angle_ = ANGLE;
    LenMult_ = LEN_MULT;
    ThiMult_ = THI_MULT;
    AngleLimb_ = ANGLE_LIMB;
    LimbOffset_ = LIMB_OFFSET;
    LeafSize_ = LEAF_SIZE;
    NumLimbs_ = NUM_LIMBS;
    MaxLeaves_ = MAX_LEAVES;
    TreeBaseLeaf = BaseLeaf;

    Quality = std::clamp(Quality, MIN_QUALITY, MAX_QUALITY);
    NumLevel = std::max(NumLevel, 0);

    Tree = glGenLists(1);
    // Without a list the commands would run at once; only the stream moves on.
    TreeEmits = Tree != 0;
    if (TreeEmits) glNewList(Tree, GL_COMPILE);
    DrawTree(OrNull(MdlLeaf), OrNull(MdlFlower), OrNull(MdlFruit), OrNull(MatTree), Quality,
             NumLevel, H, Len, Radius);
    if (TreeEmits) glEndList();
}
