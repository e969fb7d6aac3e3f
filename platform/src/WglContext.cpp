// Pixel formats, GL contexts and the buffer swap of top-level windows.
#include "Compositor.h"
#include "WglInternal.h"
#include "WindowBackend.h"
#include "WindowInternal.h"
#include "win32/Wgl.h"

namespace platform {
namespace {

// The one format offered: what every top-level native window is created with.
constexpr int kFormatCount = 1;
constexpr int kOfferedFormat = 1;

struct GlContext {
    void* Native = nullptr;
};

struct WglState {
    HandleTable<GlContext> Contexts{HandleKind::GlContext};
    HGLRC Current = 0;
    HDC CurrentDc = 0;
    HWND CurrentWindow = 0;
};

WglState& Wgl() {
    static WglState state;
    return state;
}

// The live top-level window with a native window behind a window DC, or null.
Window* WindowOfDc(HDC dc) {
    if (!dc) return nullptr;
    Window* w = FindWindow(GdiWindowFromDC(dc));
    return w && IsTopLevel(*w) && w->Native && !w->Destroying ? w : nullptr;
}

// Describes the offered format.
PIXELFORMATDESCRIPTOR OfferedFormat() {
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER | PFD_SWAP_EXCHANGE;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    pfd.cRedBits = 8;
    pfd.cRedShift = 16;
    pfd.cGreenBits = 8;
    pfd.cGreenShift = 8;
    pfd.cBlueBits = 8;
    pfd.cBlueShift = 0;
    pfd.cAlphaBits = 8;
    pfd.cAlphaShift = 24;
    pfd.cDepthBits = 24;
    pfd.cStencilBits = 8;
    pfd.iLayerType = PFD_MAIN_PLANE;
    return pfd;
}

// Releases whatever context is current.
void ReleaseCurrent() {
    WglState& s = Wgl();
    if (s.Current) BackendGlMakeCurrent(nullptr, nullptr);
    s.Current = 0;
    s.CurrentDc = 0;
    s.CurrentWindow = 0;
}

} // namespace

void WglWindowGone(HWND window) {
    if (Wgl().CurrentWindow == window) ReleaseCurrent();
}

} // namespace platform

using namespace platform;

int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* descriptor) {
    if (!descriptor || !WindowOfDc(dc)) return 0;
    // With one format on offer, it is the closest for every request.
    return kOfferedFormat;
}

BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR*) {
    Window* w = WindowOfDc(dc);
    if (!w || format < 1 || format > kFormatCount) return FALSE;
    if (w->PixelFormat != 0 && w->PixelFormat != format) return FALSE;
    w->PixelFormat = format;
    return TRUE;
}

int GetPixelFormat(HDC dc) {
    Window* w = WindowOfDc(dc);
    return w ? w->PixelFormat : 0;
}

int DescribePixelFormat(HDC dc, int format, UINT bytes, PIXELFORMATDESCRIPTOR* out) {
    if (!WindowOfDc(dc) || format < 1 || format > kFormatCount) return 0;
    if (out) {
        if (bytes < sizeof(PIXELFORMATDESCRIPTOR)) return 0;
        *out = OfferedFormat();
    }
    return kFormatCount;
}

HGLRC wglCreateContext(HDC dc) {
    Window* w = WindowOfDc(dc);
    if (!w || w->PixelFormat == 0) return 0;
    void* native = BackendGlCreateContext(*w);
    if (!native) return 0;
    auto context = std::make_unique<GlContext>();
    context->Native = native;
    const HGLRC h = Wgl().Contexts.Add(std::move(context));
    if (!h) BackendGlDeleteContext(native);
    return h;
}

BOOL wglMakeCurrent(HDC dc, HGLRC context) {
    WglState& s = Wgl();
    if (context == 0) {
        ReleaseCurrent();
        return TRUE;
    }
    GlContext* c = s.Contexts.Get(context);
    Window* w = WindowOfDc(dc);
    if (!c || !w || w->PixelFormat == 0) return FALSE;
    if (!BackendGlMakeCurrent(w, c->Native)) return FALSE;
    s.Current = context;
    s.CurrentDc = dc;
    s.CurrentWindow = w->Handle;
    return TRUE;
}

BOOL wglDeleteContext(HGLRC context) {
    WglState& s = Wgl();
    GlContext* c = s.Contexts.Get(context);
    if (!c) return FALSE;
    if (s.Current == context) ReleaseCurrent();
    BackendGlDeleteContext(c->Native);
    s.Contexts.Remove(context);
    return TRUE;
}

HGLRC wglGetCurrentContext() {
    return Wgl().Current;
}

HDC wglGetCurrentDC() {
    return Wgl().CurrentDc;
}

BOOL SwapBuffers(HDC dc) {
    Window* w = WindowOfDc(dc);
    if (!w) return FALSE;
    if (Wgl().Current && Wgl().CurrentWindow == w->Handle) CompositeChildren(*w);
    BackendGlSwap(*w);
    return TRUE;
}
