// The models the tree generator calls back into: bark, leaf, flower and fruit.
#include "Scene.h"

#include "Vistral.h"

#include <GL/gl.h>

namespace {

// Texture slots the models bind.
constexpr int kBarkSlot = 1;
constexpr int kFruitSlot = 2;
constexpr int kLeafSlot = 0;
constexpr int kFlowerSlot = 1;

// Half sizes of the leaf and flower squares (the generator scales leaves, not flowers).
constexpr float kLeafHalf = 1.0f;
constexpr float kFlowerHalf = 0.05f;
// Sprites show their image once.
constexpr float kSpriteRepeats = 1.0f;
constexpr float kOpaque = 1.0f;

constexpr float kFruitRadius = 0.08f;
constexpr int kFruitCircle = 6;
constexpr int kFruitLines = 6;
constexpr float kFruitTextureSize = 1.0f;

// A square sprite of half size Half in the local XY plane, alpha-tested and seen from
// both sides; the texture must be bound already.
void Sprite(float Half) {
    TwoSideOn();
    glDisable(GL_CULL_FACE);
    SetGLSprite();
    Quad(-Half, -Half, 0, Half, -Half, 0, -Half, Half, 0, Half, Half, 0, kSpriteRepeats,
         kSpriteRepeats, kOpaque);
    SetGLSpriteOff();
    glEnable(GL_CULL_FACE);
    TwoSideOff();
}

} // namespace

// The bark image, nothing else.
void MatAlbero() {
    TextureSelectID(kBarkSlot);
}

// One leaf; the generator scales it to the branch.
void MdlFoglieAlbero() {
    TextureTGASelectID(kLeafSlot);
    Sprite(kLeafHalf);
}

// One flower, unscaled.
void MdlFioreAlbero() {
    TextureTGASelectID(kFlowerSlot);
    Sprite(kFlowerHalf);
}

// One fruit at the frame's origin, the same size on every branch.
void MdlFruttoAlbero() {
    TextureSelectID(kFruitSlot);
    Sfera(0, 0, 0, kFruitRadius, kFruitCircle, kFruitLines, kFruitTextureSize);
}
