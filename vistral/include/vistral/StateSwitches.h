// The light and the render-state switches (two-sided lighting, culling, sprites).
//
// Each switch overwrites the GL state it names; nothing is counted, saved or
// restored. All need a current GL context.
#pragma once

#include "vistral/RangeCheck.h"
#include "vistral/Types.h"

#include <cstdint>

// Ambient colour given to every light SetGLLight configures (red, green, blue, alpha).
// Initialised data, not constants: change them before SetGLLight to light differently.
extern vistral::RangeArray<float, 0, 3, "AmbientLight"> AmbientLight; // (0.5, 0.5, 0.5, 1)
// Diffuse colour, same use.
extern vistral::RangeArray<float, 0, 3, "DiffuseLight"> DiffuseLight; // (1, 1, 1, 1)
// Specular colour, same use.
extern vistral::RangeArray<float, 0, 3, "SpecularLight"> SpecularLight; // (1, 1, 1, 1)
// The position last passed to SetGLLight: x, y, z, w. Starts at (0, 0, 0, 0).
extern vistral::RangeArray<float, 0, 3, "LightPosition"> LightPosition;

// Lighting on; light NLight (GL_LIGHT0 and up) gets the three colours above, is
// switched on and is placed at (L0, L1, L2, L3) through the modelview matrix current
// now. w = 0 gives a directional light, any other w a positional one at (x/w, y/w, z/w).
// Attenuation, spot, global ambient and material are left alone.
void SetGLLight(std::uint32_t NLight, float L0, float L1, float L2, float L3);
// Two-sided lighting on.
void TwoSideOn();
// Two-sided lighting off.
void TwoSideOff();
// Back-face culling on, counter-clockwise faces are front faces.
void SetGLRefractive();
// Alpha test on: only fragments with alpha above 0.4 pass. Blending and depth mask untouched.
void SetGLSprite();
// Depth writes on, blending off, alpha test off.
void SetGLSpriteOff();
