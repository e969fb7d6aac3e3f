// Compositing of child windows over the GL frame. GL entry points are looked up at run
// time, so the platform library needs no GL library at link time.
#include "Compositor.h"

#include "WindowBackend.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace platform {
namespace {

// Values of later GL versions that <GL/gl.h> may not carry.
constexpr GLenum kTexture3D = 0x806F;
constexpr GLenum kTextureCubeMap = 0x8513;
constexpr GLenum kCurrentProgram = 0x8B8D;
constexpr GLenum kPixelUnpackBuffer = 0x88EC;
constexpr GLenum kPixelUnpackBufferBinding = 0x88EF;
constexpr GLenum kBgra = 0x80E1;
constexpr int kClipPlanes = 6;

struct GlProcs {
    void (*GetIntegerv)(GLenum, GLint*);
    void (*GetDoublev)(GLenum, GLdouble*);
    const GLubyte* (*GetString)(GLenum);
    void (*PushAttrib)(GLbitfield);
    void (*PopAttrib)();
    void (*PushClientAttrib)(GLbitfield);
    void (*PopClientAttrib)();
    void (*MatrixMode)(GLenum);
    void (*LoadIdentity)();
    void (*LoadMatrixd)(const GLdouble*);
    void (*Ortho)(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble);
    void (*Viewport)(GLint, GLint, GLsizei, GLsizei);
    void (*Disable)(GLenum);
    void (*ColorMask)(GLboolean, GLboolean, GLboolean, GLboolean);
    void (*DrawBuffer)(GLenum);
    void (*PixelTransferf)(GLenum, GLfloat);
    void (*PixelTransferi)(GLenum, GLint);
    void (*PixelZoom)(GLfloat, GLfloat);
    void (*PixelStorei)(GLenum, GLint);
    void (*RasterPos2i)(GLint, GLint);
    void (*Bitmap)(GLsizei, GLsizei, GLfloat, GLfloat, GLfloat, GLfloat, const GLubyte*);
    void (*DrawPixels)(GLsizei, GLsizei, GLenum, GLenum, const void*);
    void (*UseProgram)(GLuint);         // GL 2.0
    void (*BindBuffer)(GLenum, GLuint); // GL 1.5
};

// Looks an entry point up, typed as the member it fills.
template <typename F> bool Load(F& slot, const char* name) {
    slot = reinterpret_cast<F>(BackendGlProc(name));
    return slot != nullptr;
}

// The entry points, looked up once; null when a required one is missing.
const GlProcs* Procs() {
    static GlProcs procs;
    static bool loaded = false;
    static bool complete = false;
    if (loaded) return complete ? &procs : nullptr;
    loaded = true;
    complete =
        Load(procs.GetIntegerv, "glGetIntegerv") && Load(procs.GetDoublev, "glGetDoublev") &&
        Load(procs.GetString, "glGetString") && Load(procs.PushAttrib, "glPushAttrib") &&
        Load(procs.PopAttrib, "glPopAttrib") &&
        Load(procs.PushClientAttrib, "glPushClientAttrib") &&
        Load(procs.PopClientAttrib, "glPopClientAttrib") &&
        Load(procs.MatrixMode, "glMatrixMode") && Load(procs.LoadIdentity, "glLoadIdentity") &&
        Load(procs.LoadMatrixd, "glLoadMatrixd") && Load(procs.Ortho, "glOrtho") &&
        Load(procs.Viewport, "glViewport") && Load(procs.Disable, "glDisable") &&
        Load(procs.ColorMask, "glColorMask") && Load(procs.DrawBuffer, "glDrawBuffer") &&
        Load(procs.PixelTransferf, "glPixelTransferf") &&
        Load(procs.PixelTransferi, "glPixelTransferi") && Load(procs.PixelZoom, "glPixelZoom") &&
        Load(procs.PixelStorei, "glPixelStorei") && Load(procs.RasterPos2i, "glRasterPos2i") &&
        Load(procs.Bitmap, "glBitmap") && Load(procs.DrawPixels, "glDrawPixels");
    Load(procs.UseProgram, "glUseProgram");
    Load(procs.BindBuffer, "glBindBuffer");
    return complete ? &procs : nullptr;
}

// The context's GL version as major * 10 + minor (11 for "1.1").
int GlVersion(const GlProcs& gl) {
    const char* text = reinterpret_cast<const char*>(gl.GetString(GL_VERSION));
    int major = 1;
    int minor = 1;
    if (text) std::sscanf(text, "%d.%d", &major, &minor);
    return major * 10 + minor;
}

// One piece of a child to draw: a rectangle of its surface and where it goes.
struct Piece {
    const PixelSurface* Surface;
    RECT Source;  // in the child's coordinates
    POINT Target; // top-left corner in the top-level client area (y down)
};

RECT Intersect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

bool IsEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

// Gathers the pieces of W's visible children, each clipped by its ancestors and region.
// Origin is W's client origin in top-level coordinates; Clip is what W leaves visible.
void GatherPieces(const Window& w, POINT origin, const RECT& clip, std::vector<Piece>& out) {
    for (HWND h : w.Children) {
        const Window* c = FindWindow(h);
        if (!c || !c->Visible || c->Destroying) continue;
        const POINT at{origin.x + c->Outer.left, origin.y + c->Outer.top};
        const RECT bounds{at.x, at.y, at.x + c->Surface.Width, at.y + c->Surface.Height};
        const RECT visible = Intersect(bounds, clip);
        if (IsEmpty(visible)) continue;
        std::vector<RECT> shape;
        if (!c->Region || !GdiRegionRects(c->Region, shape))
            shape.assign(1, RECT{0, 0, c->Surface.Width, c->Surface.Height});
        for (const RECT& s : shape) {
            RECT part = Intersect(
                RECT{at.x + s.left, at.y + s.top, at.x + s.right, at.y + s.bottom}, visible);
            if (IsEmpty(part)) continue;
            out.push_back(Piece{
                &c->Surface,
                RECT{part.left - at.x, part.top - at.y, part.right - at.x, part.bottom - at.y},
                POINT{part.left, part.top}});
        }
        GatherPieces(*c, at, visible, out);
    }
}

// Puts the pixel path into its plain state: no tests, no transfer scaling, no programs.
void PreparePixelPath(const GlProcs& gl, int version, int width, int height) {
    static constexpr GLenum kOff[] = {
        GL_LIGHTING,       GL_DEPTH_TEST, GL_STENCIL_TEST, GL_SCISSOR_TEST, GL_ALPHA_TEST,
        GL_BLEND,          GL_FOG,        GL_TEXTURE_1D,   GL_TEXTURE_2D,   GL_COLOR_LOGIC_OP,
        GL_INDEX_LOGIC_OP, GL_DITHER};
    for (GLenum cap : kOff)
        gl.Disable(cap);
    for (int i = 0; i < kClipPlanes; ++i)
        gl.Disable(GL_CLIP_PLANE0 + i);
    if (version >= 12) gl.Disable(kTexture3D);
    if (version >= 13) gl.Disable(kTextureCubeMap);
    gl.ColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    gl.DrawBuffer(GL_BACK);
    gl.PixelTransferi(GL_MAP_COLOR, GL_FALSE);
    gl.PixelTransferi(GL_INDEX_SHIFT, 0);
    gl.PixelTransferi(GL_INDEX_OFFSET, 0);
    static constexpr GLenum kScales[] = {GL_RED_SCALE, GL_GREEN_SCALE, GL_BLUE_SCALE,
                                         GL_ALPHA_SCALE};
    static constexpr GLenum kBiases[] = {GL_RED_BIAS, GL_GREEN_BIAS, GL_BLUE_BIAS, GL_ALPHA_BIAS};
    for (GLenum s : kScales)
        gl.PixelTransferf(s, 1.0f);
    for (GLenum b : kBiases)
        gl.PixelTransferf(b, 0.0f);
    gl.PixelTransferf(GL_ALPHA_BIAS, 1.0f); // child windows are opaque, whatever alpha GDI left
    gl.PixelZoom(1.0f, -1.0f);              // surfaces are top-down
    gl.PixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    gl.PixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    gl.PixelStorei(GL_UNPACK_ALIGNMENT, 4);
    gl.Viewport(0, 0, width, height);
    gl.MatrixMode(GL_PROJECTION);
    gl.LoadIdentity();
    gl.Ortho(0.0, width, 0.0, height, -1.0, 1.0);
    gl.MatrixMode(GL_MODELVIEW);
    gl.LoadIdentity();
}

// Draws one piece: the raster position is moved by glBitmap so it never falls outside.
void DrawPiece(const GlProcs& gl, const Piece& p, int height) {
    gl.PixelStorei(GL_UNPACK_ROW_LENGTH, p.Surface->Width);
    gl.PixelStorei(GL_UNPACK_SKIP_PIXELS, p.Source.left);
    gl.PixelStorei(GL_UNPACK_SKIP_ROWS, p.Source.top);
    gl.RasterPos2i(0, 0);
    gl.Bitmap(0, 0, 0.0f, 0.0f, static_cast<GLfloat>(p.Target.x),
              static_cast<GLfloat>(height - p.Target.y), nullptr);
    gl.DrawPixels(p.Source.right - p.Source.left, p.Source.bottom - p.Source.top, kBgra,
                  GL_UNSIGNED_BYTE, p.Surface->Pixels.data());
}

} // namespace

void CompositeChildren(Window& top) {
    const int width = ClientWidth(top);
    const int height = ClientHeight(top);
    if (width <= 0 || height <= 0 || top.Children.empty()) return;
    std::vector<Piece> pieces;
    GatherPieces(top, POINT{0, 0}, RECT{0, 0, width, height}, pieces);
    if (pieces.empty()) return;
    const GlProcs* procs = Procs();
    if (!procs) return;
    const GlProcs& gl = *procs;

    GLint mode = 0, depth = 0, maxDepth = 0, clientDepth = 0, maxClientDepth = 0;
    gl.GetIntegerv(GL_RENDER_MODE, &mode);
    gl.GetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth);
    gl.GetIntegerv(GL_MAX_ATTRIB_STACK_DEPTH, &maxDepth);
    gl.GetIntegerv(GL_CLIENT_ATTRIB_STACK_DEPTH, &clientDepth);
    gl.GetIntegerv(GL_MAX_CLIENT_ATTRIB_STACK_DEPTH, &maxClientDepth);
    if (mode != GL_RENDER || depth >= maxDepth || clientDepth >= maxClientDepth) return;
    const int version = GlVersion(gl);

    // Matrices, the program and the unpack buffer are outside the attribute stacks.
    GLdouble projection[16], modelview[16];
    gl.GetDoublev(GL_PROJECTION_MATRIX, projection);
    gl.GetDoublev(GL_MODELVIEW_MATRIX, modelview);
    GLint program = 0, unpackBuffer = 0;
    const bool programs = version >= 20 && gl.UseProgram;
    const bool buffers = version >= 21 && gl.BindBuffer;
    if (programs) gl.GetIntegerv(kCurrentProgram, &program);
    if (buffers) gl.GetIntegerv(kPixelUnpackBufferBinding, &unpackBuffer);

    gl.PushAttrib(GL_ALL_ATTRIB_BITS);
    gl.PushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    if (programs && program) gl.UseProgram(0);
    if (buffers && unpackBuffer) gl.BindBuffer(kPixelUnpackBuffer, 0);
    PreparePixelPath(gl, version, width, height);
    for (const Piece& p : pieces)
        DrawPiece(gl, p, height);

    gl.MatrixMode(GL_PROJECTION);
    gl.LoadMatrixd(projection);
    gl.MatrixMode(GL_MODELVIEW);
    gl.LoadMatrixd(modelview);
    if (buffers && unpackBuffer)
        gl.BindBuffer(kPixelUnpackBuffer, static_cast<GLuint>(unpackBuffer));
    if (programs && program) gl.UseProgram(static_cast<GLuint>(program));
    gl.PopClientAttrib();
    gl.PopAttrib();
}

} // namespace platform
