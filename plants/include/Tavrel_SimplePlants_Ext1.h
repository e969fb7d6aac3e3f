// Tavrel_SimplePlants_Ext1: the fractal tree extension of the Vistral engine.
#pragma once

#include "vistral/Types.h"

#include <cstdint>

// Compiles one fractal tree into a new display list and stores its name in Tree.
// Needs a current GL context and no display list under construction. The list is
// compiled, not executed, so building changes no GL state; the caller owns it.
//
// Every branch is a tapered cylinder along +Y with a joint sphere at its tip;
// MatTree runs before each branch's geometry. Leaves, flowers and fruits are drawn
// by the callbacks in these frames (relative to the branch frame, base at the
// origin, axis along +Y):
//   MdlLeaf   - turned about Y, moved to (0, PosLen, Radius), tilted 60 degrees
//               about X, scaled by 0.17 * the branch length; draw in the XY plane;
//   MdlFlower - turned about Y, moved to (0, PosLen, Radius + 0.02), unscaled;
//   MdlFruit  - moved to (0, PosLen, Radius), on the branch's +Z side, unscaled.
// Callbacks must leave the modelview stack balanced. NumLevel levels grow out of
// the trunk (0: a bare trunk), 5 children per branch; leaves grow on Depth 0 and 1,
// and also deeper when BaseLeaf is true; flowers on Depth 0 and 1; fruits on Depth 1.
// Shapes come from the process-wide random stream below; the draws taken do not
// depend on the callbacks, so ProcNull removes an organ without changing the tree.
//
// Arguments outside their ranges are made safe at the door:
// - NumLevel below 0 is taken as 0 (a bare trunk); a NumLevel whose square leaves
//   32-bit range stops the program with an "overflow error" (only with BaseLeaf).
// - Quality below 1 is taken as 1 and above 255 as 255 (the cylinder's column
//   bound); Quality is the column count of each branch and the band count of each
//   joint sphere.
// - A null callback is taken as ProcNull.
// - When glGenLists fails (returns 0), Tree is set to 0 and no further GL command
//   is issued and no callback is called; the random stream still advances by
//   exactly the draws the tree would have taken, so later trees keep their shapes.
void Tree3AdvancedFractal3D(std::uint32_t& Tree, TavrelProcedure MdlLeaf, TavrelProcedure MdlFlower,
                            TavrelProcedure MdlFruit, TavrelProcedure MatTree, std::int32_t Quality,
                            std::int32_t NumLevel, float H, float Len, float Radius, bool BaseLeaf);

// The generator's random stream: one process-wide MT19937, seeded with 0 on the
// first draw and never reseeded by the system. Each draw is the next output / 2^32,
// in [0, 1).
double PlantsRandom();
// How many draws the stream has handed out since the start (or the last reset).
std::uint64_t PlantsRandomDraws();
// FOR TESTS AND BENCHMARKS ONLY: puts the stream back to its state at start-up
// (seed 0, nothing drawn), so a test can rebuild trees from a known position.
// The engine and the demo never call it.
void PlantsRandomReset();
