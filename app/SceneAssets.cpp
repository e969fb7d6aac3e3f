// Scene set-up: the five textures and the four tree display lists.
#include "Scene.h"

#include "Tavrel_SimplePlants_Ext1.h"
#include "Vistral.h"

vistral::RangeArray<std::uint32_t, 0, TREE_COUNT - 1, "Tree"> Tree = {};

namespace {

// Texture slots of the scene.
constexpr int kGroundSlot = 0;
constexpr int kBarkSlot = 1;
constexpr int kFruitSlot = 2;
constexpr int kLeafSlot = 0;
constexpr int kFlowerSlot = 1;

// Every tree uses six segments around its branches.
constexpr int kTreeQuality = 6;

// The shape arguments of one tree, in the generator's argument order.
struct TreeShape {
    TavrelProcedure Leaf;
    TavrelProcedure Flower;
    TavrelProcedure Fruit;
    int NumLevel;
    float H;
    float Len;
    float Radius;
    bool BaseLeaf;
};

// The four trees: full, leafy only, a short flowering one, a small fruit tree.
const TreeShape kTreeShapes[TREE_COUNT] = {
    {MdlFoglieAlbero, MdlFioreAlbero, MdlFruttoAlbero, 3, 1.0f, 5.76f, 0.1536f, true},
    {MdlFoglieAlbero, ProcNull, ProcNull, 3, 1.0f, 5.76f, 0.1536f, false},
    {MdlFoglieAlbero, MdlFioreAlbero, ProcNull, 3, 0.07f, 4.32f, 0.1536f, false},
    {MdlFoglieAlbero, ProcNull, MdlFruttoAlbero, 2, 1.0f, 2.16f, 0.1344f, true},
};

} // namespace

// Loads the five images into their slots.
void OpenGL_Texture() {
    TextureLoadID("Floor05.bmp", kGroundSlot);
    TextureLoadID("corteccia02.bmp", kBarkSlot);
    TextureLoadID("rosso.bmp", kFruitSlot);
    TextureLoadTGAID("acacia.tga", kLeafSlot);
    TextureLoadTGAID("giglio.tga", kFlowerSlot);
}

// Textures first, then the four trees.
void OpenGL_CreateList() {
    OpenGL_Texture();
    // All four trees draw from one random stream, so their order fixes their shapes.
    for (int i = 0; i < TREE_COUNT; ++i) {
        const TreeShape& s = kTreeShapes[i];
        Tree3AdvancedFractal3D(Tree[i], s.Leaf, s.Flower, s.Fruit, MatAlbero, kTreeQuality,
                               s.NumLevel, s.H, s.Len, s.Radius, s.BaseLeaf);
    }
}
