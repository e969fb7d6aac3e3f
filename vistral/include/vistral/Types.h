// The engine's shared value types.
#pragma once

#include <cstdint>

// A point, direction, scale or angle triple, single precision.
struct TGLVector {
    float X;
    float Y;
    float Z;
};

// 4 by 4 singles, first index outermost; the rotation routines use the 3 by 3 block.
using TGLBaseMatrix = float[4][4];

// A parameterless callback: the tree generator's models and the menu procedures.
using TavrelProcedure = void (*)();
