// EGL surfaceless context for real-GL tests.
#include "EglContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <string>

namespace testsupport {
namespace {

EGLDisplay Display = EGL_NO_DISPLAY;
EGLContext Context = EGL_NO_CONTEXT;
EGLSurface Surface = EGL_NO_SURFACE;
std::string LastError;

bool Fail(const char* what) {
    LastError = std::string(what) + " (EGL error 0x" + std::to_string(eglGetError()) + ")";
    return false;
}

} // namespace

bool CreateEglContext(int width, int height) {
    DestroyEglContext();
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay) return Fail("no eglGetPlatformDisplayEXT");
    Display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (Display == EGL_NO_DISPLAY) return Fail("no surfaceless display");
    if (!eglInitialize(Display, nullptr, nullptr)) return Fail("eglInitialize");
    const EGLint configAttribs[] = {EGL_SURFACE_TYPE,
                                    EGL_PBUFFER_BIT,
                                    EGL_RED_SIZE,
                                    8,
                                    EGL_GREEN_SIZE,
                                    8,
                                    EGL_BLUE_SIZE,
                                    8,
                                    EGL_ALPHA_SIZE,
                                    8,
                                    EGL_DEPTH_SIZE,
                                    24,
                                    EGL_STENCIL_SIZE,
                                    8,
                                    EGL_RENDERABLE_TYPE,
                                    EGL_OPENGL_BIT,
                                    EGL_NONE};
    EGLConfig config;
    EGLint count = 0;
    if (!eglChooseConfig(Display, configAttribs, &config, 1, &count) || count < 1)
        return Fail("no pbuffer config");
    const EGLint surfaceAttribs[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    Surface = eglCreatePbufferSurface(Display, config, surfaceAttribs);
    if (Surface == EGL_NO_SURFACE) return Fail("eglCreatePbufferSurface");
    if (!eglBindAPI(EGL_OPENGL_API)) return Fail("eglBindAPI");
    Context = eglCreateContext(Display, config, EGL_NO_CONTEXT, nullptr);
    if (Context == EGL_NO_CONTEXT) return Fail("eglCreateContext");
    if (!eglMakeCurrent(Display, Surface, Surface, Context)) return Fail("eglMakeCurrent");
    glViewport(0, 0, width, height);
    return true;
}

void DestroyEglContext() {
    if (Display == EGL_NO_DISPLAY) return;
    eglMakeCurrent(Display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (Context != EGL_NO_CONTEXT) eglDestroyContext(Display, Context);
    if (Surface != EGL_NO_SURFACE) eglDestroySurface(Display, Surface);
    Context = EGL_NO_CONTEXT;
    Surface = EGL_NO_SURFACE;
    // The display stays initialised: re-initialising Mesa per test is slow and leaks.
}

const char* EglError() {
    return LastError.c_str();
}

std::vector<std::uint8_t> ReadPixelsRGBA(int width, int height) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

std::vector<std::uint8_t> ReadTexImageRGBA(int level) {
    GLint width = 0;
    GLint height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
    std::vector<std::uint8_t> texels(static_cast<std::size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

void GlTest::SetUp() {
    ASSERT_TRUE(CreateEglContext(kWidth, kHeight)) << EglError();
}

void GlTest::TearDown() {
    DestroyEglContext();
}

} // namespace testsupport
