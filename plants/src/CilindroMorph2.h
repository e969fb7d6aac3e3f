// The tapered branch cylinder, private to the tree extension (tests include it too).
#pragma once

#include <cstdint>

// Largest ring count: the taper profile has one entry per ring.
constexpr std::int32_t CILINDRO_MAX_RINGS = 10;
// Largest column count: the per-vertex offset bound of the ring and column indices.
constexpr std::int32_t CILINDRO_MAX_COLUMNS = 255;

// An open, textured tube along +Z from height 0 to H at offset (X, Y, Z): NumCircle
// triangle strips (rings, top ring first), each of 2 * (NumLine + 1) vertices (the
// last column closes the tube at angle 2 pi), with horizontal unit normals and the
// outside as the counter-clockwise face. The top ring has radius R; each ring below
// widens by 0.002, so the base edge of 10 rings has R + 0.018. Texture: s = (H + angle)
// * R / TSize, t = H / 5 / TSize at each ring's top edge and 0 at its bottom edge.
// NumCircle above 10 is drawn as 10 rings and NumLine above 255 as 255 columns
// (the tube keeps its length H); a NumCircle or NumLine of 0 or less emits nothing.
// No per-vertex offset tables are kept (every offset would be 0), so a call needs
// only a few KiB of stack.
void CilindroMorph2(float X, float Y, float Z, std::int32_t NumCircle, std::int32_t NumLine,
                    float R, float H, float TSize);
