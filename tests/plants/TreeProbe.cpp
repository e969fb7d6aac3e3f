// Probe callbacks for the tree generator.
#include "TreeProbe.h"

#include "Vistral.h"

#include <GL/gl.h>

namespace treeprobe {

Counts Seen;

// Zeroes the call counters.
void ResetCounts() {
    Seen = Counts{};
}

namespace {

// Two vertices of the given mode at the frame's origin and its local (1, 0, 0).
void Mark(unsigned mode) {
    glBegin(mode);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(1.0f, 0.0f, 0.0f);
    glEnd();
}

} // namespace

// MatTree: counts a branch and binds the bark marker texture.
void Bark() {
    ++Seen.Branches;
    glBindTexture(GL_TEXTURE_2D, BARK_TEXTURE);
}
// MdlLeaf: counts and marks a leaf frame.
void Leaf() {
    ++Seen.Leaves;
    Mark(LEAF_MARK);
}
// MdlFlower: counts and marks a flower frame.
void Flower() {
    ++Seen.Flowers;
    Mark(FLOWER_MARK);
}
// MdlFruit: counts and marks a fruit frame.
void Fruit() {
    ++Seen.Fruits;
    Mark(FRUIT_MARK);
}

const TreeArgs DEMO_TREES[4] = {
    {Leaf, Flower, Fruit, 3, 1.0f, 5.76f, 0.1536f, true},
    {Leaf, ProcNull, ProcNull, 3, 1.0f, 5.76f, 0.1536f, false},
    {Leaf, Flower, ProcNull, 3, 0.07f, 4.32f, 0.1536f, false},
    {Leaf, ProcNull, Fruit, 2, 1.0f, 2.16f, 0.1344f, true},
};

// One tree with the probe bark; the list name it got.
std::uint32_t Build(const TreeArgs& a, std::int32_t quality) {
    std::uint32_t list = 0xFFFFFFFFu;
    Tree3AdvancedFractal3D(list, a.MdlLeaf, a.MdlFlower, a.MdlFruit, Bark, quality, a.NumLevel, a.H,
                           a.Len, a.Radius, a.BaseLeaf);
    return list;
}

} // namespace treeprobe
