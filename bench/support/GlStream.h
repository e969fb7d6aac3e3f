// A memory copy of the GL commands a piece of engine code issues, and a replay of it
// with bare GL calls.
//
// Linking GlStream.cpp into a benchmark program interposes the GL 1.1 entry points
// the engine, the tree generator and the demo use while building a scene: each
// wrapper notes the call while recording is on and forwards to libGL. The replay
// calls libGL's entry points directly, so it carries no engine and no wrapper: it is
// the floor that the engine's own work is measured against. Calls made from inside
// gluBuild2DMipmaps are GLU's own and are not noted.
#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace benchsupport {

// Kinds of recorded command.
enum class Op : std::uint8_t {
    Begin,
    End,
    Vertex,
    Normal,
    TexCoord,
    Color,
    Push,
    Pop,
    Rotate,
    Translate,
    Scale,
    Enable,
    Disable,
    LightModeli,
    AlphaFunc,
    DepthMask,
    BindTexture,
    GenTexture,
    PixelStore,
    TexParameter,
    TexImage,
    BuildMipmaps,
    GenList,
    NewList,
    EndList
};

// One recorded command: enums or names in E, float arguments in A.
struct Command {
    Op Kind;
    GLenum E[3];
    GLfloat A[4];
};

// A texture image handed to glTexImage2D or gluBuild2DMipmaps, pixels copied.
struct Image {
    GLenum Target;
    GLint Level;
    GLint InternalFormat;
    GLsizei Width;
    GLsizei Height;
    GLenum Format;
    GLenum Type;
    std::vector<std::uint8_t> Pixels;
};

// Commands in call order and the images they refer to (Command::E[0] of TexImage and
// BuildMipmaps is the index into Images).
struct GlStream {
    std::vector<Command> Commands;
    std::vector<Image> Images;
};

// Names a replay created, so the caller can delete them.
struct ReplayNames {
    std::vector<GLuint> Lists;
    std::vector<GLuint> Textures;
};

// Starts noting every interposed call into a fresh stream.
void StartRecording();
// Stops noting and hands the stream over.
GlStream StopRecording();
// Issues the stream's commands with bare GL calls. List and texture names the stream
// generated are generated afresh and the stream's uses of them mapped to the new ones.
void Replay(const GlStream& stream, ReplayNames& made);
// Deletes what a replay created and empties the record.
void DeleteMade(ReplayNames& made);
// glVertex3f commands in the stream.
std::size_t CountVertices(const GlStream& stream);

} // namespace benchsupport
