// The light and the render-state switches.
#include "vistral/StateSwitches.h"

#include <GL/gl.h>

vistral::RangeArray<float, 0, 3, "AmbientLight"> AmbientLight = {{0.5f, 0.5f, 0.5f, 1.0f}};
vistral::RangeArray<float, 0, 3, "DiffuseLight"> DiffuseLight = {{1.0f, 1.0f, 1.0f, 1.0f}};
vistral::RangeArray<float, 0, 3, "SpecularLight"> SpecularLight = {{1.0f, 1.0f, 1.0f, 1.0f}};
vistral::RangeArray<float, 0, 3, "LightPosition"> LightPosition = {{0.0f, 0.0f, 0.0f, 0.0f}};

namespace {

// Sprite fragments pass only with an alpha above this (single precision).
constexpr GLfloat SPRITE_ALPHA_REFERENCE = 0.4f;
// GL's boolean values for the light model switches.
constexpr GLint MODEL_SWITCH_ON = 1;
constexpr GLint MODEL_SWITCH_OFF = 0;

} // namespace

// Lighting on and one light configured with the engine's colours at the given position.
void SetGLLight(std::uint32_t NLight, float L0, float L1, float L2, float L3) {
    glEnable(GL_LIGHTING);
    glLightfv(NLight, GL_AMBIENT, AmbientLight.Items);
    glLightfv(NLight, GL_DIFFUSE, DiffuseLight.Items);
    glLightfv(NLight, GL_SPECULAR, SpecularLight.Items);
    glEnable(NLight);
    LightPosition[0] = L0;
    LightPosition[1] = L1;
    LightPosition[2] = L2;
    LightPosition[3] = L3;
    glLightfv(NLight, GL_POSITION, LightPosition.Items);
}

// Two-sided lighting on.
void TwoSideOn() {
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, MODEL_SWITCH_ON);
}

// Two-sided lighting off.
void TwoSideOff() {
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, MODEL_SWITCH_OFF);
}

// Back faces culled, counter-clockwise winding in front.
void SetGLRefractive() {
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
}

// Alpha-tested sprites: fragments at or below the reference alpha are dropped.
void SetGLSprite() {
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, SPRITE_ALPHA_REFERENCE);
}

// Back to solid drawing: depth writes on, blending and alpha test off.
void SetGLSpriteOff() {
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
}
