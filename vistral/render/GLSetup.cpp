// Default 3D GL state with its perspective projection, and the 2D overlay mode.
#include "vistral/GLSetup.h"

#include "vistral/RangeCheck.h"
#include "vistral/WindowState.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstdint>

float OffX = 0.0f;
float OffY = 0.0f;

namespace {

// Vertical field of view of the 3D projection, in degrees.
constexpr double FIELD_OF_VIEW = 45.0;
// Near plane distance of the 3D projection.
constexpr double NEAR_PLANE = 0.1;
// Half the overlay's horizontal extent: x runs from -2 to +2.
constexpr double OVERLAY_HALF_WIDTH = 2.0;
// Overlay depth range, near and far.
constexpr double OVERLAY_NEAR = -2.0;
constexpr double OVERLAY_FAR = 2.0;

// The current colour every OpenGL_Init leaves: white at half alpha.
constexpr GLfloat DEFAULT_COLOUR_R = 1.0f;
constexpr GLfloat DEFAULT_COLOUR_G = 1.0f;
constexpr GLfloat DEFAULT_COLOUR_B = 1.0f;
constexpr GLfloat DEFAULT_COLOUR_A = 0.5f;
// The overlay reference offsets subtracted from q = Height div Width.
constexpr long double OVERLAY_OFFSET_X = 2.05L;
constexpr long double OVERLAY_OFFSET_Y = 1.45L;
// Integer factor of the overlay's vertical extent (2 * Height, then / Width).
constexpr std::int32_t OVERLAY_EXTENT_FACTOR = 2;

// True when the recorded client size has an area; otherwise the projections act as for a square.
bool HasArea() {
    return Width > 0 && Height > 0;
}

// Sets the clear colour and a viewport over the whole client (0 by 0 when it has no area).
void ClearColourAndViewport(double A, double R, double G, double B) {
    glClearColor(static_cast<GLfloat>(R), static_cast<GLfloat>(G), static_cast<GLfloat>(B),
                 static_cast<GLfloat>(A));
    glViewport(0, 0, std::max<std::int32_t>(Width, 0), std::max<std::int32_t>(Height, 0));
}

// Makes the projection matrix current and resets it.
void ResetProjection() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
}

// Makes the modelview matrix current and resets it.
void ResetModelview() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

} // namespace

// The engine's default 3D state for the current client size.
void OpenGL_Init(double Depth, double A, double R, double G, double B) {
    ClearColourAndViewport(A, R, G, B);
    ResetProjection();
    const double aspect =
        HasArea() ? static_cast<double>(Width) / static_cast<double>(Height) : 1.0;
    gluPerspective(FIELD_OF_VIEW, aspect, NEAR_PLANE, Depth);
    ResetModelview();
    glClearDepth(Depth);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glColor4f(DEFAULT_COLOUR_R, DEFAULT_COLOUR_G, DEFAULT_COLOUR_B, DEFAULT_COLOUR_A);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_AUTO_NORMAL);
    glEnable(GL_NORMALIZE);
}

// The 2D overlay mode: x from -2 to +2, square pixels, identity modelview.
void OpenGL_I2D(double A, double R, double G, double B) {
    const bool hasArea = HasArea();
    // q is the truncated integer quotient, not the ratio; a size without area counts as square.
    const std::int32_t q = hasArea ? Height / Width : 1;
    OffX = static_cast<float>(static_cast<long double>(q) - OVERLAY_OFFSET_X);
    OffY = static_cast<float>(static_cast<long double>(q) - OVERLAY_OFFSET_Y);
    ClearColourAndViewport(A, R, G, B);
    ResetProjection();
    double bottom = -OVERLAY_HALF_WIDTH;
    double top = OVERLAY_HALF_WIDTH;
    if (hasArea) {
        const std::int32_t extent =
            vistral::CheckedMul(OVERLAY_EXTENT_FACTOR, Height, "overlay extent 2 * Height");
        bottom = static_cast<double>(-extent) / static_cast<double>(Width);
        top = static_cast<double>(extent) / static_cast<double>(Width);
    }
    glOrtho(-OVERLAY_HALF_WIDTH, OVERLAY_HALF_WIDTH, bottom, top, OVERLAY_NEAR, OVERLAY_FAR);
    ResetModelview();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_NORMALIZE);
}
