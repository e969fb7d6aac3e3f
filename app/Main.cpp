// The tree generator demo: asks for full screen, opens the GL window, builds the
// scene once and draws it until the window is closed or Escape is pressed.
#include "Scene.h"

#include "Vistral.h"
#include "Win32.h"

#include <GL/gl.h>

namespace {

constexpr const char* kQuestion = "Settare lo schermo intero?  ";
constexpr const char* kQuestionCaption = "Video!";
constexpr const char* kTitle = "Generatore generico di alberi - z = zoom";
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;
constexpr int kColourBits = 32;
constexpr double kFarDistance = 100.0;
constexpr double kClear = 0.0;
// Light 0 at the eye: a positional light (w not 0) at the eye-space origin.
constexpr float kLightX = 0.0f;
constexpr float kLightY = 0.0f;
constexpr float kLightZ = 0.0f;
constexpr float kLightW = 0.1f;

} // namespace

// Start-up, the frame loop while the window is active, then an orderly shutdown.
int main() {
    // A failed box (0) counts as Yes, like the Yes button.
    FullScreen = MessageBoxA(0, kQuestion, kQuestionCaption, MB_YESNO | MB_ICONQUESTION) != IDNO;
    OGLWindowSetting(ARROW, "", GENERIC, "");
    // Every failure inside ends the process with a message, so the result is always true.
    CreateOGLWindow(kTitle, kWindowWidth, kWindowHeight, kColourBits, FullScreen);
    OpenGL_Init(kFarDistance, kClear, kClear, kClear, kClear);
    SetGLRefractive();
    // The modelview is the identity here, so light 0 stays at the viewer's eye for good.
    SetGLLight(GL_LIGHT0, kLightX, kLightY, kLightZ, kLightW);
    OpenGL_CreateList();
    do {
        glClear(GL_COLOR_BUFFER_BIT);
        SetGLMsg();
        OpenGL_Draw();
        SwapBuffers(DCWindow);
    } while (Active);
    DeleteOGLWindow();
    return 0;
}
