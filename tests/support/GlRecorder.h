// A recording stand-in for libGL and GLU, linked into test programs in place of the
// real libraries. Every GL/GLU entry point the engine uses is defined here with C
// linkage and the prototypes of <GL/gl.h> and <GL/glu.h>; each call is logged with
// its arguments. The recorder also keeps the matrix stacks and the display lists,
// so geometry compiled into a list can be replayed and inspected vertex by vertex
// in eye space (the modelview frame in force when the list is called).
//
// Logged arguments are doubles in the order of the C prototype (enums, ints and
// booleans converted exactly). Vector arguments (glLightfv, glGetFloatv ...) log the
// pointed-to values after the scalar arguments: glLightfv(light, pname, v) logs
// light, pname, v[0..n-1] with n the parameter's size. Image data (glTexImage2D,
// gluBuild2DMipmaps) is not copied; its address is kept in Call::Data.
//
// Compile semantics follow GL: between glNewList(n, GL_COMPILE) and glEndList the
// compilable calls are stored in list n and not executed; GL_COMPILE_AND_EXECUTE
// stores and executes. Calls GL never compiles (glGen*, glGet*, glIs*, glNewList,
// glEndList, glPixelStorei, glFinish ...) run at once.
#pragma once

#include <GL/gl.h>

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace glrec {

// One GL or GLU call.
struct Call {
    std::string Name;           // entry point, e.g. "glRotatef"
    std::vector<double> Args;   // arguments in prototype order, vectors expanded
    const void* Data = nullptr; // image data pointer of texture uploads
    GLuint CompiledInto = 0;    // list the call was stored in (0: not stored)
    bool Executed = true;       // false when only stored (GL_COMPILE)
};

// A vertex as GL executed it, with the current attributes of that moment.
struct Vertex {
    std::array<double, 3> Object;    // as passed to glVertex3f
    std::array<double, 3> Eye;       // Object transformed by the modelview matrix
    std::array<double, 3> Normal;    // current normal as passed to glNormal3f
    std::array<double, 3> EyeNormal; // Normal through the modelview's normal matrix
    std::array<double, 2> TexCoord;  // current texture coordinate
    std::array<double, 4> Color;     // current colour
    GLenum Mode = 0;                 // mode of the enclosing glBegin
    std::size_t Primitive = 0;       // index into Primitives()
};

// One executed glBegin/glEnd pair.
struct Primitive {
    GLenum Mode = 0;
    std::size_t First = 0; // index of its first vertex in Vertices()
    std::size_t Count = 0; // vertices between glBegin and glEnd
};

// A column-major 4x4 matrix, as glGetDoublev returns it.
using Matrix = std::array<double, 16>;

// Forgets everything: logs, lists, names, matrices (identity), modes and state.
void Reset();

// Every call the program made, in order (calls stored into a list included).
const std::vector<Call>& Calls();
// The calls GL executed, in order, with each glCallList followed by its replay.
const std::vector<Call>& Executed();
// The program's calls named `name`, in order.
std::vector<Call> CallsNamed(std::string_view name);
// How many times the program called `name`.
std::size_t Count(std::string_view name);
// The names of the program's calls, in order (for exact call-order checks).
std::vector<std::string> CallNames();
// The calls since index `from` of Calls(), as names.
std::vector<std::string> CallNamesSince(std::size_t from);

// The calls stored in display list `list`; null when no such list was compiled.
const std::vector<Call>* List(GLuint list);
// Names handed out so far by glGenLists / glGenTextures.
std::vector<GLuint> GeneratedLists();
std::vector<GLuint> GeneratedTextures();
// Makes the following glGenLists calls fail (return 0), as GL does when out of names.
void FailGenLists(bool fail);

// The vertices and primitives GL executed (immediate mode and list replays).
const std::vector<Vertex>& Vertices();
const std::vector<Primitive>& Primitives();

// Current matrices and stack depths (1 when nothing is pushed).
Matrix Modelview();
Matrix Projection();
int ModelviewDepth();
int ProjectionDepth();
// The current matrix mode (GL_MODELVIEW, GL_PROJECTION or GL_TEXTURE).
GLenum MatrixMode();
// Whether a capability is enabled (glEnable/glDisable executed so far).
bool IsEnabled(GLenum cap);
// The texture bound to GL_TEXTURE_2D.
GLuint BoundTexture();

// Applies a column-major matrix to a point (w = 1), returning x, y, z.
std::array<double, 3> Transform(const Matrix& m, const std::array<double, 3>& p);

} // namespace glrec
