// One frame of the scene: camera, ground and the four trees.
#include "Scene.h"

#include "Vistral.h"

#include <GL/gl.h>

namespace {

// Far distance of the perspective projection, and the black clear colour.
constexpr double kFarDistance = 100.0;
constexpr double kClear = 0.0;

// The camera: eye height, the two zoom distances, the tilt and the zoom key.
constexpr char kZoomKey = 'Z';
constexpr float kEyeDrop = -2.0f;
constexpr float kFarView = -30.0f;
constexpr float kNearView = -15.0f;
constexpr float kTilt = 35.0f;
constexpr int kMouseSpeed = 2;

// The ground: a 20 by 20 square in the plane y = 0 with the image repeated 4 times.
constexpr int kGroundSlot = 0;
constexpr float kGroundHalf = 10.0f;
constexpr float kGroundRepeats = 4.0f;
constexpr float kOpaque = 1.0f;

// Where the four trees stand on the ground.
constexpr TGLVector kTreePosition[TREE_COUNT] = {
    {-5.0f, 0.0f, -4.0f}, {5.0f, 0.0f, -3.0f}, {2.6f, 0.0f, 5.0f}, {-3.4f, 0.0f, 6.0f}};

// The 2D overlay hook: nothing is drawn, so it rebuilds the 3D state from the
// current window size every frame.
void OpenGL_Draw2D() {
    OpenGL_I2D(kClear, kClear, kClear, kClear);
    OpenGL_Init(kFarDistance, kClear, kClear, kClear, kClear);
}

// The mouse hook: the engine's navigation does the work.
void OpenGL_Mouse2D() {}

// The keyboard hook: the zoom is read directly from the key table.
void OpenGL_Keyboard() {}

} // namespace

// Camera, then the ground (not pushed), then each tree in its own pushed frame.
void OpenGL_Draw() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    OpenGL_Draw2D();
    OpenGL_Mouse2D();
    OpenGL_Keyboard();
    glTranslatef(0.0f, kEyeDrop, SetGLKey(kZoomKey) ? kNearView : kFarView);
    glRotatef(kTilt, 1.0f, 0.0f, 0.0f);
    SetGLMouseMove(GL_M0, kMouseSpeed);
    TextureSelectID(kGroundSlot);
    Quad(-kGroundHalf, 0.0f, -kGroundHalf, kGroundHalf, 0.0f, -kGroundHalf, -kGroundHalf, 0.0f,
         kGroundHalf, kGroundHalf, 0.0f, kGroundHalf, kGroundRepeats, kGroundRepeats, kOpaque);
    for (int i = 0; i < TREE_COUNT; ++i) {
        glPushMatrix();
        glTranslatef(kTreePosition[i].X, kTreePosition[i].Y, kTreePosition[i].Z);
        glCallList(Tree[i]);
        glPopMatrix();
    }
}
