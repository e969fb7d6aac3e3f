// The demo's textured, two-sided, lit quadrilateral.
#include "Scene.h"

#include "Vistral.h"

#include <GL/gl.h>

namespace {

constexpr float kWhite = 1.0f;

} // namespace

// Corners go out P2, P1, P3, P4, once around, with one normal for all four.
void Quad(float X1, float Y1, float Z1, float X2, float Y2, float Z2, float X3, float Y3, float Z3,
          float X4, float Y4, float Z4, float TU, float TV, float Alpha) {
    TwoSideOn();
    glDisable(GL_CULL_FACE);
    glColor4f(Alpha, Alpha, Alpha, Alpha);
    GLBegin(GL_QUADS);
    // Computed once: inside a display list the normal is frozen at compile time.
    FindNormal(X2, Y2, Z2, X1, Y1, Z1, X3, Y3, Z3);
    glNormal3f(static_cast<float>(FNormal[1]), static_cast<float>(FNormal[2]),
               static_cast<float>(FNormal[3]));
    LineFree(TU, -TV, 0, -TV, X2, Y2, Z2, X1, Y1, Z1, true);
    LineFree(0, 0, TU, 0, X3, Y3, Z3, X4, Y4, Z4, true);
    GLEnd();
    glEnable(GL_CULL_FACE);
    glColor4f(kWhite, kWhite, kWhite, kWhite);
    TwoSideOff();
}
