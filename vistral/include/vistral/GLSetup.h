// The engine's default 3D GL state, its perspective projection and the 2D overlay mode.
//
// Both calls need a current GL context and read the client size from Width and
// Height (WindowState.h). Each replaces the projection and resets the modelview
// matrix to the identity; nothing is pushed or popped. The way back from the
// overlay to 3D is another OpenGL_Init.
//
// A client without area (Width or Height 0, as a minimised window reports, or
// below 0 if an application stored that) is treated as a square one, so no
// division by zero and no degenerate matrix reaches GL:
//   - the viewport is 0 by 0 (a negative size counts as 0), so nothing is drawn;
//   - OpenGL_Init uses the aspect ratio 1;
//   - OpenGL_I2D projects y from -2 to +2 and takes q = 1, so OffX = -1.05 and
//     OffY = -0.45.
// The same GL calls are made in the same order as for any other size, and the
// next size with area gives the normal projections again.
#pragma once

#include "vistral/Types.h"

// Horizontal overlay reference value: q - 2.05 with q = Height div Width. Written by OpenGL_I2D.
extern float OffX;
// Vertical overlay reference value: q - 1.45. Written by OpenGL_I2D.
extern float OffY;

// Default 3D state: clear colour (R, G, B, A), viewport, perspective projection
// (45 degrees, Width / Height, near 0.1, far Depth), identity modelview, clear depth
// Depth (GL clamps it to 0..1), depth test with GL_LEQUAL, current colour
// (1, 1, 1, 0.5), additive blend factors, local viewer, nicest hints, automatic
// normals and normalisation. Lighting, culling, texturing, blending, alpha test,
// fog, depth mask and shade model are left as they are.
// Mind the order: far distance first, then alpha, red, green, blue.
void OpenGL_Init(double Depth, double A, double R, double G, double B);

// 2D overlay mode: sets OffX and OffY, clear colour (R, G, B, A), viewport, an
// orthographic projection with x from -2 to +2 and square pixels
// (y from -2*Height/Width to +2*Height/Width, depth -2..+2), identity modelview,
// depth test with GL_LEQUAL and normalisation. Alpha first, then red, green, blue.
// A Height above 2^30 overflows the overlay's 32-bit extent and stops the program
// with an "overflow error".
void OpenGL_I2D(double A, double R, double G, double B);
