// GL entry points interposed for recording, and the bare replay.
#include "GlStream.h"

#include <GL/glu.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace benchsupport {
namespace {

// The shared GLU library, loaded by name when the program does not link it.
constexpr const char* GLU_LIBRARY_NAME = "libGLU.so.1";
// GL's own pixel-store default, which the recorded stream starts from.
constexpr GLint DEFAULT_UNPACK_ALIGNMENT = 4;

// libGL's and libGLU's entry points behind the interposed names.
struct RealGl {
    void (*Begin)(GLenum);
    void (*End)();
    void (*Vertex3f)(GLfloat, GLfloat, GLfloat);
    void (*Normal3f)(GLfloat, GLfloat, GLfloat);
    void (*TexCoord2f)(GLfloat, GLfloat);
    void (*Color4f)(GLfloat, GLfloat, GLfloat, GLfloat);
    void (*PushMatrix)();
    void (*PopMatrix)();
    void (*Rotatef)(GLfloat, GLfloat, GLfloat, GLfloat);
    void (*Translatef)(GLfloat, GLfloat, GLfloat);
    void (*Scalef)(GLfloat, GLfloat, GLfloat);
    void (*Enable)(GLenum);
    void (*Disable)(GLenum);
    void (*LightModeli)(GLenum, GLint);
    void (*AlphaFunc)(GLenum, GLclampf);
    void (*DepthMask)(GLboolean);
    void (*BindTexture)(GLenum, GLuint);
    void (*GenTextures)(GLsizei, GLuint*);
    void (*PixelStorei)(GLenum, GLint);
    void (*TexParameteri)(GLenum, GLenum, GLint);
    void (*TexImage2D)(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum,
                       const void*);
    GLint (*Build2DMipmaps)(GLenum, GLint, GLsizei, GLsizei, GLenum, GLenum, const void*);
    GLuint (*GenLists)(GLsizei);
    void (*NewList)(GLuint, GLenum);
    void (*EndList)();
};

// The next definition of a name after this program's own, or a stop with a message.
template <typename F> F Next(const char* name) {
    void* found = dlsym(RTLD_NEXT, name);
    if (!found) {
        std::fprintf(stderr, "GlStream: %s not found behind the wrapper\n", name);
        std::abort();
    }
    return reinterpret_cast<F>(found);
}

// GLU's entry point; GLU may be absent from a program that calls none of it itself.
GLint (*NextGlu())(GLenum, GLint, GLsizei, GLsizei, GLenum, GLenum, const void*) {
    using Build = GLint (*)(GLenum, GLint, GLsizei, GLsizei, GLenum, GLenum, const void*);
    if (void* found = dlsym(RTLD_NEXT, "gluBuild2DMipmaps")) return reinterpret_cast<Build>(found);
    if (void* glu = dlopen(GLU_LIBRARY_NAME, RTLD_NOW | RTLD_GLOBAL))
        if (void* found = dlsym(glu, "gluBuild2DMipmaps")) return reinterpret_cast<Build>(found);
    std::fprintf(stderr, "GlStream: gluBuild2DMipmaps not found\n");
    std::abort();
}

// Resolved once before main, so the wrappers carry no first-use guard.
RealGl Resolve() {
    RealGl r{};
    r.Begin = Next<decltype(r.Begin)>("glBegin");
    r.End = Next<decltype(r.End)>("glEnd");
    r.Vertex3f = Next<decltype(r.Vertex3f)>("glVertex3f");
    r.Normal3f = Next<decltype(r.Normal3f)>("glNormal3f");
    r.TexCoord2f = Next<decltype(r.TexCoord2f)>("glTexCoord2f");
    r.Color4f = Next<decltype(r.Color4f)>("glColor4f");
    r.PushMatrix = Next<decltype(r.PushMatrix)>("glPushMatrix");
    r.PopMatrix = Next<decltype(r.PopMatrix)>("glPopMatrix");
    r.Rotatef = Next<decltype(r.Rotatef)>("glRotatef");
    r.Translatef = Next<decltype(r.Translatef)>("glTranslatef");
    r.Scalef = Next<decltype(r.Scalef)>("glScalef");
    r.Enable = Next<decltype(r.Enable)>("glEnable");
    r.Disable = Next<decltype(r.Disable)>("glDisable");
    r.LightModeli = Next<decltype(r.LightModeli)>("glLightModeli");
    r.AlphaFunc = Next<decltype(r.AlphaFunc)>("glAlphaFunc");
    r.DepthMask = Next<decltype(r.DepthMask)>("glDepthMask");
    r.BindTexture = Next<decltype(r.BindTexture)>("glBindTexture");
    r.GenTextures = Next<decltype(r.GenTextures)>("glGenTextures");
    r.PixelStorei = Next<decltype(r.PixelStorei)>("glPixelStorei");
    r.TexParameteri = Next<decltype(r.TexParameteri)>("glTexParameteri");
    r.TexImage2D = Next<decltype(r.TexImage2D)>("glTexImage2D");
    r.Build2DMipmaps = NextGlu();
    r.GenLists = Next<decltype(r.GenLists)>("glGenLists");
    r.NewList = Next<decltype(r.NewList)>("glNewList");
    r.EndList = Next<decltype(r.EndList)>("glEndList");
    return r;
}

const RealGl Real = Resolve();

bool Recording = false;
// Above 0 while GLU works inside gluBuild2DMipmaps: its own GL calls are not the caller's.
int InsideGlu = 0;
GLint UnpackAlignment = DEFAULT_UNPACK_ALIGNMENT;
GlStream Stream;

// True when the current call belongs in the stream.
inline bool Noting() {
    return Recording && InsideGlu == 0;
}

void Note(Op kind, GLenum e0 = 0, GLenum e1 = 0, GLenum e2 = 0, GLfloat a = 0, GLfloat b = 0,
          GLfloat c = 0, GLfloat d = 0) {
    Stream.Commands.push_back(Command{kind, {e0, e1, e2}, {a, b, c, d}});
}

// Bytes per pixel of the 8-bit formats the engine uploads.
std::size_t PixelBytes(GLenum format, GLenum type) {
    if (type != GL_UNSIGNED_BYTE) {
        std::fprintf(stderr, "GlStream: pixel type 0x%x not recordable\n", type);
        std::abort();
    }
    switch (format) {
    case GL_RGBA:
    case GL_BGRA:
        return 4;
    case GL_RGB:
    case GL_BGR:
        return 3;
    case GL_LUMINANCE_ALPHA:
        return 2;
    case GL_LUMINANCE:
    case GL_ALPHA:
        return 1;
    default:
        std::fprintf(stderr, "GlStream: pixel format 0x%x not recordable\n", format);
        std::abort();
    }
}

// Copies an image as GL reads it under the current unpack alignment.
std::uint32_t KeepImage(GLenum target, GLint level, GLint internal, GLsizei width, GLsizei height,
                        GLenum format, GLenum type, const void* pixels) {
    Image image{target, level, internal, width, height, format, type, {}};
    if (pixels && width > 0 && height > 0) {
        const std::size_t align = static_cast<std::size_t>(UnpackAlignment);
        const std::size_t row = static_cast<std::size_t>(width) * PixelBytes(format, type);
        const std::size_t stride = (row + align - 1) / align * align;
        image.Pixels.resize(stride * static_cast<std::size_t>(height - 1) + row);
        std::memcpy(image.Pixels.data(), pixels, image.Pixels.size());
    }
    Stream.Images.push_back(std::move(image));
    return static_cast<std::uint32_t>(Stream.Images.size() - 1);
}

// Where a recorded name now lives; names the stream never generated stay as they are.
GLuint Mapped(const std::vector<GLuint>& map, GLuint recorded) {
    return recorded < map.size() && map[recorded] != 0 ? map[recorded] : recorded;
}

// Records new -> old so later uses of the old name find the new one.
void Remember(std::vector<GLuint>& map, GLuint recorded, GLuint fresh) {
    if (recorded >= map.size()) map.resize(recorded + 1, 0);
    map[recorded] = fresh;
}

} // namespace

// Starts noting every interposed call into a fresh stream.
void StartRecording() {
    Stream = GlStream{};
    UnpackAlignment = DEFAULT_UNPACK_ALIGNMENT;
    Recording = true;
}

// Stops noting and hands the stream over.
GlStream StopRecording() {
    Recording = false;
    return std::move(Stream);
}

// One switch per command, straight into libGL.
void Replay(const GlStream& stream, ReplayNames& made) {
    std::vector<GLuint> lists;
    std::vector<GLuint> textures;
    for (const Command& c : stream.Commands) {
        switch (c.Kind) {
        case Op::Begin:
            Real.Begin(c.E[0]);
            break;
        case Op::End:
            Real.End();
            break;
        case Op::Vertex:
            Real.Vertex3f(c.A[0], c.A[1], c.A[2]);
            break;
        case Op::Normal:
            Real.Normal3f(c.A[0], c.A[1], c.A[2]);
            break;
        case Op::TexCoord:
            Real.TexCoord2f(c.A[0], c.A[1]);
            break;
        case Op::Color:
            Real.Color4f(c.A[0], c.A[1], c.A[2], c.A[3]);
            break;
        case Op::Push:
            Real.PushMatrix();
            break;
        case Op::Pop:
            Real.PopMatrix();
            break;
        case Op::Rotate:
            Real.Rotatef(c.A[0], c.A[1], c.A[2], c.A[3]);
            break;
        case Op::Translate:
            Real.Translatef(c.A[0], c.A[1], c.A[2]);
            break;
        case Op::Scale:
            Real.Scalef(c.A[0], c.A[1], c.A[2]);
            break;
        case Op::Enable:
            Real.Enable(c.E[0]);
            break;
        case Op::Disable:
            Real.Disable(c.E[0]);
            break;
        case Op::LightModeli:
            Real.LightModeli(c.E[0], static_cast<GLint>(c.E[1]));
            break;
        case Op::AlphaFunc:
            Real.AlphaFunc(c.E[0], c.A[0]);
            break;
        case Op::DepthMask:
            Real.DepthMask(static_cast<GLboolean>(c.E[0]));
            break;
        case Op::BindTexture:
            Real.BindTexture(c.E[0], Mapped(textures, c.E[1]));
            break;
        case Op::GenTexture: {
            GLuint fresh = 0;
            Real.GenTextures(1, &fresh);
            Remember(textures, c.E[0], fresh);
            made.Textures.push_back(fresh);
            break;
        }
        case Op::PixelStore:
            Real.PixelStorei(c.E[0], static_cast<GLint>(c.E[1]));
            break;
        case Op::TexParameter:
            Real.TexParameteri(c.E[0], c.E[1], static_cast<GLint>(c.E[2]));
            break;
        case Op::TexImage: {
            const Image& i = stream.Images[c.E[0]];
            Real.TexImage2D(i.Target, i.Level, i.InternalFormat, i.Width, i.Height, 0, i.Format,
                            i.Type, i.Pixels.empty() ? nullptr : i.Pixels.data());
            break;
        }
        case Op::BuildMipmaps: {
            const Image& i = stream.Images[c.E[0]];
            Real.Build2DMipmaps(i.Target, i.InternalFormat, i.Width, i.Height, i.Format, i.Type,
                                i.Pixels.data());
            break;
        }
        case Op::GenList: {
            const GLuint fresh = Real.GenLists(1);
            Remember(lists, c.E[0], fresh);
            made.Lists.push_back(fresh);
            break;
        }
        case Op::NewList:
            Real.NewList(Mapped(lists, c.E[0]), c.E[1]);
            break;
        case Op::EndList:
            Real.EndList();
            break;
        }
    }
}

// Deletes what a replay created and empties the record.
void DeleteMade(ReplayNames& made) {
    for (GLuint list : made.Lists)
        glDeleteLists(list, 1);
    if (!made.Textures.empty())
        glDeleteTextures(static_cast<GLsizei>(made.Textures.size()), made.Textures.data());
    made.Lists.clear();
    made.Textures.clear();
}

// glVertex3f commands in the stream.
std::size_t CountVertices(const GlStream& stream) {
    std::size_t n = 0;
    for (const Command& c : stream.Commands)
        n += c.Kind == Op::Vertex;
    return n;
}

} // namespace benchsupport

using benchsupport::Noting;
using benchsupport::Note;
using benchsupport::Op;
using benchsupport::Real;

// The interposed entry points: note when recording, then forward.
extern "C" {
void glBegin(GLenum mode) {
    if (Noting()) Note(Op::Begin, mode);
    Real.Begin(mode);
}
void glEnd() {
    if (Noting()) Note(Op::End);
    Real.End();
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    if (Noting()) Note(Op::Vertex, 0, 0, 0, x, y, z);
    Real.Vertex3f(x, y, z);
}
void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    if (Noting()) Note(Op::Normal, 0, 0, 0, x, y, z);
    Real.Normal3f(x, y, z);
}
void glTexCoord2f(GLfloat s, GLfloat t) {
    if (Noting()) Note(Op::TexCoord, 0, 0, 0, s, t);
    Real.TexCoord2f(s, t);
}
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    if (Noting()) Note(Op::Color, 0, 0, 0, r, g, b, a);
    Real.Color4f(r, g, b, a);
}
void glPushMatrix() {
    if (Noting()) Note(Op::Push);
    Real.PushMatrix();
}
void glPopMatrix() {
    if (Noting()) Note(Op::Pop);
    Real.PopMatrix();
}
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    if (Noting()) Note(Op::Rotate, 0, 0, 0, angle, x, y, z);
    Real.Rotatef(angle, x, y, z);
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    if (Noting()) Note(Op::Translate, 0, 0, 0, x, y, z);
    Real.Translatef(x, y, z);
}
void glScalef(GLfloat x, GLfloat y, GLfloat z) {
    if (Noting()) Note(Op::Scale, 0, 0, 0, x, y, z);
    Real.Scalef(x, y, z);
}
void glEnable(GLenum cap) {
    if (Noting()) Note(Op::Enable, cap);
    Real.Enable(cap);
}
void glDisable(GLenum cap) {
    if (Noting()) Note(Op::Disable, cap);
    Real.Disable(cap);
}
void glLightModeli(GLenum pname, GLint param) {
    if (Noting()) Note(Op::LightModeli, pname, static_cast<GLenum>(param));
    Real.LightModeli(pname, param);
}
void glAlphaFunc(GLenum func, GLclampf ref) {
    if (Noting()) Note(Op::AlphaFunc, func, 0, 0, ref);
    Real.AlphaFunc(func, ref);
}
void glDepthMask(GLboolean flag) {
    if (Noting()) Note(Op::DepthMask, flag);
    Real.DepthMask(flag);
}
void glBindTexture(GLenum target, GLuint texture) {
    if (Noting()) Note(Op::BindTexture, target, texture);
    Real.BindTexture(target, texture);
}
void glGenTextures(GLsizei n, GLuint* textures) {
    Real.GenTextures(n, textures);
    if (Noting())
        for (GLsizei i = 0; i < n; ++i)
            Note(Op::GenTexture, textures[i]);
}
void glPixelStorei(GLenum pname, GLint param) {
    if (Noting()) {
        Note(Op::PixelStore, pname, static_cast<GLenum>(param));
        if (pname == GL_UNPACK_ALIGNMENT) benchsupport::UnpackAlignment = param;
    }
    Real.PixelStorei(pname, param);
}
void glTexParameteri(GLenum target, GLenum pname, GLint param) {
    if (Noting()) Note(Op::TexParameter, target, pname, static_cast<GLenum>(param));
    Real.TexParameteri(target, pname, param);
}
void glTexImage2D(GLenum target, GLint level, GLint internal, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const void* pixels) {
    if (Noting())
        Note(Op::TexImage, benchsupport::KeepImage(target, level, internal, width, height, format,
                                                   type, pixels));
    Real.TexImage2D(target, level, internal, width, height, border, format, type, pixels);
}
GLint gluBuild2DMipmaps(GLenum target, GLint internal, GLsizei width, GLsizei height,
                        GLenum format, GLenum type, const void* data) {
    if (Noting())
        Note(Op::BuildMipmaps,
             benchsupport::KeepImage(target, 0, internal, width, height, format, type, data));
    ++benchsupport::InsideGlu;
    const GLint result = Real.Build2DMipmaps(target, internal, width, height, format, type, data);
    --benchsupport::InsideGlu;
    return result;
}
GLuint glGenLists(GLsizei range) {
    const GLuint first = Real.GenLists(range);
    if (Noting())
        for (GLsizei i = 0; i < range; ++i)
            Note(Op::GenList, first + static_cast<GLuint>(i));
    return first;
}
void glNewList(GLuint list, GLenum mode) {
    if (Noting()) Note(Op::NewList, list, mode);
    Real.NewList(list, mode);
}
void glEndList() {
    if (Noting()) Note(Op::EndList);
    Real.EndList();
}
} // extern "C"
