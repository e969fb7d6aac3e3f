// Sphere and segment primitives, and the empty callback ProcNull.
//
// Vertices go through the vertex recorder (GLBegin / GLVertex3f / GLEnd), so its
// switches apply; normals and texture coordinates go straight to GL.
#pragma once

#include "vistral/Types.h"

#include <cstdint>

// A sphere around the Z axis at (PX, PY, PZ): NumLine triangle strips (latitude
// bands from the +Z pole down), each of 2 * (NumCircle + 1) vertices with outward
// unit normals and texture coordinates s = -J / NumCircle / TSize,
// t = band latitude / NumLine / TSize. The outside is the counter-clockwise face.
// Must not be called inside a caller's GLBegin / GLEnd.
// - NumLine <= 0: nothing at all is emitted.
// - NumCircle <= -1: NumLine empty primitives (GLBegin directly followed by GLEnd).
// - NumCircle == 0: NumLine strips of 2 vertices each (longitude 0 only, s = 0),
//   which cover no area; no division by zero reaches the output.
// - Radius == 0: every vertex lies on the centre and the normals are the unit
//   directions the sphere would have there (instead of 0/0).
void Sfera(float PX, float PY, float PZ, float Radius, std::int32_t NumCircle, std::int32_t NumLine,
           float TSize);

// Two vertices of a primitive the caller has begun: optional texture coordinate
// (TX1, TY1), point 1, optional (TX2, TY2), point 2. Sets no normal.
void LineFree(float TX1, float TY1, float TX2, float TY2, float X1, float Y1, float Z1, float X2,
              float Y2, float Z2, bool Texture);

// The empty callback: draws nothing, changes nothing.
void ProcNull();
