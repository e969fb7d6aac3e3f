// Probe callbacks for the tree generator: they count their calls and mark each
// organ with a tiny primitive of its own kind, so a replayed list shows where and
// how large every organ frame is.
#pragma once

#include "Tavrel_SimplePlants_Ext1.h"

#include <cstdint>

namespace treeprobe {

// Calls of each callback since the last ResetCounts.
struct Counts {
    int Branches = 0;
    int Leaves = 0;
    int Flowers = 0;
    int Fruits = 0;
};
extern Counts Seen;
void ResetCounts();

// Primitive modes that mark each organ: two vertices, at the frame's origin and at
// its local (1, 0, 0).
constexpr unsigned LEAF_MARK = 0x0000;   // GL_POINTS
constexpr unsigned FLOWER_MARK = 0x0001; // GL_LINES
constexpr unsigned FRUIT_MARK = 0x0003;  // GL_LINE_STRIP
// The texture MatTree binds, so a branch start shows in the list.
constexpr unsigned BARK_TEXTURE = 7;

void Bark();
void Leaf();
void Flower();
void Fruit();

// The arguments of one Tree3AdvancedFractal3D call.
struct TreeArgs {
    TavrelProcedure MdlLeaf, MdlFlower, MdlFruit;
    std::int32_t NumLevel;
    float H, Len, Radius;
    bool BaseLeaf;
};

// The demo's four trees (bark as MatTree, Quality 6), in their build order.
extern const TreeArgs DEMO_TREES[4];
constexpr std::int32_t DEMO_QUALITY = 6;

// Builds one tree with the probe bark and the given Quality; returns its list.
std::uint32_t Build(const TreeArgs& args, std::int32_t quality = DEMO_QUALITY);

} // namespace treeprobe
