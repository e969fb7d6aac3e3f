// The recording stand-in for libGL and GLU (see GlRecorder.h).
#include "GlRecorder.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <utility>

namespace glrec {
namespace {

using Exec = void (*)(const Call&);

// GL's minimum nesting of glCallList inside replayed lists.
constexpr int kMaxListNesting = 64;
// Stack depth of every matrix mode (llvmpipe's figure).
constexpr std::size_t kMaxStackDepth = 32;
constexpr double kPi = 3.14159265358979323846;

// clang-format off
constexpr Matrix kIdentity = {1, 0, 0, 0,
                              0, 1, 0, 0,
                              0, 0, 1, 0,
                              0, 0, 0, 1};
// clang-format on

// Everything the recorder knows; one per process, cleared by Reset.
struct RecorderState {
    std::vector<Call> Calls;
    std::vector<Call> Executed;
    std::map<GLuint, std::vector<Call>> Lists;
    std::map<GLuint, std::vector<Exec>> ListRunners;
    GLuint Compiling = 0;
    GLenum CompileMode = 0;
    GLuint NextList = 1;
    GLuint NextTexture = 1;
    bool FailGenLists = false;
    std::vector<GLuint> GenLists;
    std::vector<GLuint> GenTextures;
    std::vector<Matrix> ModelviewStack{kIdentity};
    std::vector<Matrix> ProjectionStack{kIdentity};
    std::vector<Matrix> TextureStack{kIdentity};
    GLenum MatrixMode = GL_MODELVIEW;
    std::set<GLenum> Enabled{GL_DITHER, GL_MULTISAMPLE};
    std::array<double, 3> Normal{0, 0, 1};
    std::array<double, 2> TexCoord{0, 0};
    std::array<double, 4> Color{1, 1, 1, 1};
    bool InBegin = false;
    GLenum BeginMode = 0;
    std::vector<Vertex> Vertices;
    std::vector<Primitive> Primitives;
    GLenum Error = GL_NO_ERROR;
    GLuint BoundTexture = 0;
    int ListNesting = 0;
    std::array<double, 4> Viewport{0, 0, 0, 0};
    std::array<double, 4> ClearColor{0, 0, 0, 0};
    double ClearDepth = 1.0;
    GLenum DepthFunc = GL_LESS;
    GLenum FrontFace = GL_CCW;
    GLenum CullFace = GL_BACK;
    bool DepthMask = true;
    GLenum BlendSrc = GL_ONE;
    GLenum BlendDst = GL_ZERO;
    GLenum AlphaFunc = GL_ALWAYS;
    double AlphaRef = 0.0;
    double TwoSide = 0.0;
    double LocalViewer = 0.0;
    std::map<std::pair<GLenum, GLenum>, std::array<double, 4>> Lights;
};

RecorderState& S() {
    static RecorderState state;
    return state;
}

// Remembers the first error until glGetError reads it, as GL does.
void SetError(GLenum error) {
    if (S().Error == GL_NO_ERROR) S().Error = error;
}

// The stack of the current matrix mode.
std::vector<Matrix>& CurrentStack() {
    switch (S().MatrixMode) {
    case GL_PROJECTION:
        return S().ProjectionStack;
    case GL_TEXTURE:
        return S().TextureStack;
    default:
        return S().ModelviewStack;
    }
}

// a * b, column-major.
Matrix Multiply(const Matrix& a, const Matrix& b) {
    Matrix r{};
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += a[k * 4 + row] * b[col * 4 + k];
            r[col * 4 + row] = sum;
        }
    return r;
}

// Post-multiplies the current matrix, as every GL matrix call does.
void MultCurrent(const Matrix& m) {
    Matrix& top = CurrentStack().back();
    top = Multiply(top, m);
}

// Runs one call: logs it as executed and applies its effect.
void Run(const Call& call, Exec exec) {
    S().Executed.push_back(call);
    if (exec) exec(call);
}

// Logs a call and stores and/or executes it according to the list being compiled.
void Record(const char* name, Exec exec, bool compilable, const void* data,
            std::vector<double> args) {
    Call call{name, std::move(args), data, 0, true};
    RecorderState& s = S();
    if (compilable && s.Compiling != 0) {
        call.CompiledInto = s.Compiling;
        call.Executed = s.CompileMode == GL_COMPILE_AND_EXECUTE;
        s.Lists[s.Compiling].push_back(call);
        s.ListRunners[s.Compiling].push_back(exec);
    }
    s.Calls.push_back(call);
    if (call.Executed) Run(call, exec);
}

// Scalar arguments as logged values.
template <typename... A> std::vector<double> Args(A... args) {
    return {static_cast<double>(args)...};
}

// Scalar arguments followed by n values of a vector argument.
template <typename T, typename... A>
std::vector<double> ArgsWith(const T* values, int n, A... args) {
    std::vector<double> out = Args(args...);
    for (int i = 0; values && i < n; ++i)
        out.push_back(static_cast<double>(values[i]));
    return out;
}

// Shorthand for a compilable call without data.
template <typename... A> void Gl(const char* name, Exec exec, A... args) {
    Record(name, exec, true, nullptr, Args(args...));
}

// Shorthand for a call that GL runs at once even while compiling.
template <typename... A> void Immediate(const char* name, Exec exec, A... args) {
    Record(name, exec, false, nullptr, Args(args...));
}

// Number of values of a glLightfv / glGetLightfv parameter.
int LightParamSize(GLenum pname) {
    switch (pname) {
    case GL_SPOT_DIRECTION:
        return 3;
    case GL_SPOT_EXPONENT:
    case GL_SPOT_CUTOFF:
    case GL_CONSTANT_ATTENUATION:
    case GL_LINEAR_ATTENUATION:
    case GL_QUADRATIC_ATTENUATION:
        return 1;
    default:
        return 4;
    }
}

// Number of values of a glMaterialfv parameter.
int MaterialParamSize(GLenum pname) {
    switch (pname) {
    case GL_SHININESS:
        return 1;
    case GL_COLOR_INDEXES:
        return 3;
    default:
        return 4;
    }
}

// Number of values of a glLightModelfv parameter.
int LightModelParamSize(GLenum pname) {
    return pname == GL_LIGHT_MODEL_AMBIENT ? 4 : 1;
}

// clang-format off
// The rotation matrix of glRotate: angle in degrees about the (normalised) axis.
Matrix RotateMatrix(double angle, double x, double y, double z) {
    const double len = std::sqrt(x * x + y * y + z * z);
    if (len == 0.0) return kIdentity;
    x /= len;
    y /= len;
    z /= len;
    const double a = angle * kPi / 180.0;
    const double c = std::cos(a), s = std::sin(a), t = 1.0 - c;
    // One column per line.
    return {t * x * x + c,     t * x * y + s * z, t * x * z - s * y, 0,
            t * x * y - s * z, t * y * y + c,     t * y * z + s * x, 0,
            t * x * z + s * y, t * y * z - s * x, t * z * z + c,     0,
            0,                 0,                 0,                 1};
}

// The matrix of glOrtho.
Matrix OrthoMatrix(double l, double r, double b, double t, double n, double f) {
    if (l == r || b == t || n == f) {
        SetError(GL_INVALID_VALUE);
        return kIdentity;
    }
    return {2 / (r - l),        0,                  0,                  0,
            0,                  2 / (t - b),        0,                  0,
            0,                  0,                  -2 / (f - n),       0,
            -(r + l) / (r - l), -(t + b) / (t - b), -(f + n) / (f - n), 1};
}

// The matrix of glFrustum.
Matrix FrustumMatrix(double l, double r, double b, double t, double n, double f) {
    if (l == r || b == t || n == f || n <= 0 || f <= 0) {
        SetError(GL_INVALID_VALUE);
        return kIdentity;
    }
    return {2 * n / (r - l),   0,                 0,                    0,
            0,                 2 * n / (t - b),   0,                    0,
            (r + l) / (r - l), (t + b) / (t - b), -(f + n) / (f - n),   -1,
            0,                 0,                 -2 * f * n / (f - n), 0};
}

// The matrix of gluPerspective (which, like GLU, does nothing for degenerate input).
bool PerspectiveMatrix(double fovy, double aspect, double n, double f, Matrix& m) {
    const double half = fovy / 2 * kPi / 180.0;
    const double sine = std::sin(half);
    if (f == n || sine == 0.0 || aspect == 0.0) return false;
    const double cot = std::cos(half) / sine;
    m = {cot / aspect, 0,   0,                    0,
         0,            cot, 0,                    0,
         0,            0,   -(f + n) / (f - n),   -1,
         0,            0,   -2 * n * f / (f - n), 0};
    return true;
}
// clang-format on

// The inverse transpose of the upper 3x3 block, applied to a normal.
std::array<double, 3> TransformNormal(const Matrix& m, const std::array<double, 3>& n) {
    auto e = [&](int row, int col) { return m[col * 4 + row]; };
    // Cofactor matrix of the 3x3 block equals det * inverse-transpose.
    double c[3][3];
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k) {
            const int r1 = (r + 1) % 3, r2 = (r + 2) % 3, k1 = (k + 1) % 3, k2 = (k + 2) % 3;
            c[r][k] = e(r1, k1) * e(r2, k2) - e(r1, k2) * e(r2, k1);
        }
    const double det = e(0, 0) * c[0][0] + e(0, 1) * c[0][1] + e(0, 2) * c[0][2];
    if (det == 0.0) return {0, 0, 0};
    std::array<double, 3> out{};
    for (int r = 0; r < 3; ++r)
        out[r] = (c[r][0] * n[0] + c[r][1] * n[1] + c[r][2] * n[2]) / det;
    return out;
}

// Matrix from 16 column-major values of a call's arguments.
Matrix FromArgs(const Call& c, std::size_t first) {
    Matrix m{};
    for (std::size_t i = 0; i < 16 && first + i < c.Args.size(); ++i)
        m[i] = c.Args[first + i];
    return m;
}

// --- effects of executed calls ---

// glRotate*: post-multiplies a rotation.
void ExRotate(const Call& c) {
    MultCurrent(RotateMatrix(c.Args[0], c.Args[1], c.Args[2], c.Args[3]));
}
// glTranslate*: post-multiplies a translation.
void ExTranslate(const Call& c) {
    Matrix m = kIdentity;
    m[12] = c.Args[0];
    m[13] = c.Args[1];
    m[14] = c.Args[2];
    MultCurrent(m);
}
// glScale*: post-multiplies a scale.
void ExScale(const Call& c) {
    Matrix m = kIdentity;
    m[0] = c.Args[0];
    m[5] = c.Args[1];
    m[10] = c.Args[2];
    MultCurrent(m);
}
// glPushMatrix on the current mode's stack.
void ExPush(const Call&) {
    auto& stack = CurrentStack();
    if (stack.size() >= kMaxStackDepth) return SetError(GL_STACK_OVERFLOW);
    stack.push_back(stack.back());
}
// glPopMatrix; popping the last matrix is GL_STACK_UNDERFLOW.
void ExPop(const Call&) {
    auto& stack = CurrentStack();
    if (stack.size() <= 1) return SetError(GL_STACK_UNDERFLOW);
    stack.pop_back();
}
// glLoadIdentity.
void ExLoadIdentity(const Call&) {
    CurrentStack().back() = kIdentity;
}
// glLoadMatrix*: replaces the current matrix.
void ExLoadMatrix(const Call& c) {
    CurrentStack().back() = FromArgs(c, 0);
}
// glMultMatrix*: post-multiplies the given matrix.
void ExMultMatrix(const Call& c) {
    MultCurrent(FromArgs(c, 0));
}
// glMatrixMode: selects the stack the matrix calls work on.
void ExMatrixMode(const Call& c) {
    const auto mode = static_cast<GLenum>(c.Args[0]);
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION && mode != GL_TEXTURE)
        return SetError(GL_INVALID_ENUM);
    S().MatrixMode = mode;
}
// glOrtho.
void ExOrtho(const Call& c) {
    MultCurrent(OrthoMatrix(c.Args[0], c.Args[1], c.Args[2], c.Args[3], c.Args[4], c.Args[5]));
}
// glFrustum.
void ExFrustum(const Call& c) {
    MultCurrent(FrustumMatrix(c.Args[0], c.Args[1], c.Args[2], c.Args[3], c.Args[4], c.Args[5]));
}
// gluOrtho2D: glOrtho with near -1 and far 1.
void ExOrtho2D(const Call& c) {
    MultCurrent(OrthoMatrix(c.Args[0], c.Args[1], c.Args[2], c.Args[3], -1, 1));
}
// gluPerspective.
void ExPerspective(const Call& c) {
    Matrix m;
    if (PerspectiveMatrix(c.Args[0], c.Args[1], c.Args[2], c.Args[3], m)) MultCurrent(m);
}
// glEnable: remembers the capability as on.
void ExEnable(const Call& c) {
    S().Enabled.insert(static_cast<GLenum>(c.Args[0]));
}
// glDisable: remembers the capability as off.
void ExDisable(const Call& c) {
    S().Enabled.erase(static_cast<GLenum>(c.Args[0]));
}
// glBegin: opens a primitive.
void ExBegin(const Call& c) {
    RecorderState& s = S();
    if (s.InBegin) return SetError(GL_INVALID_OPERATION);
    s.InBegin = true;
    s.BeginMode = static_cast<GLenum>(c.Args[0]);
    s.Primitives.push_back({s.BeginMode, s.Vertices.size(), 0});
}
// glEnd: closes the primitive.
void ExEnd(const Call&) {
    if (!S().InBegin) return SetError(GL_INVALID_OPERATION);
    S().InBegin = false;
}
// glVertex*: logs the vertex with its eye position and current attributes.
void ExVertex(const Call& c) {
    RecorderState& s = S();
    Vertex v;
    v.Object = {c.Args[0], c.Args[1], c.Args[2]};
    const Matrix& mv = s.ModelviewStack.back();
    v.Eye = Transform(mv, v.Object);
    v.Normal = s.Normal;
    v.EyeNormal = TransformNormal(mv, s.Normal);
    v.TexCoord = s.TexCoord;
    v.Color = s.Color;
    if (s.InBegin) {
        v.Mode = s.BeginMode;
        v.Primitive = s.Primitives.size() - 1;
        ++s.Primitives.back().Count;
    }
    s.Vertices.push_back(v);
}
// glVertex2*: a vertex with z 0.
void ExVertex2(const Call& c) {
    Call full = c;
    full.Args.resize(3, 0.0);
    ExVertex(full);
}
// glNormal*: the current normal.
void ExNormal(const Call& c) {
    S().Normal = {c.Args[0], c.Args[1], c.Args[2]};
}
// glTexCoord2*: the current texture coordinate.
void ExTexCoord(const Call& c) {
    S().TexCoord = {c.Args[0], c.Args[1]};
}
// glColor4f: the current colour.
void ExColor4(const Call& c) {
    S().Color = {c.Args[0], c.Args[1], c.Args[2], c.Args[3]};
}
// glColor3f: the current colour with alpha 1.
void ExColor3(const Call& c) {
    S().Color = {c.Args[0], c.Args[1], c.Args[2], 1.0};
}
// glColor4ub: the current colour from bytes.
void ExColor4ub(const Call& c) {
    S().Color = {c.Args[0] / 255.0, c.Args[1] / 255.0, c.Args[2] / 255.0, c.Args[3] / 255.0};
}
// glCallList: replays the list's calls in order (nesting bounded as in GL).
void ExCallList(const Call& c) {
    RecorderState& s = S();
    const auto list = static_cast<GLuint>(c.Args[0]);
    auto it = s.Lists.find(list);
    if (it == s.Lists.end() || s.ListNesting >= kMaxListNesting) return;
    ++s.ListNesting;
    // Copies: a replayed call may not change the list, but keep iteration safe anyway.
    const std::vector<Call> calls = it->second;
    const std::vector<Exec> runners = s.ListRunners[list];
    for (std::size_t i = 0; i < calls.size(); ++i)
        Run(calls[i], runners[i]);
    --s.ListNesting;
}
// glBindTexture: remembers the 2D binding.
void ExBindTexture(const Call& c) {
    if (static_cast<GLenum>(c.Args[0]) == GL_TEXTURE_2D)
        S().BoundTexture = static_cast<GLuint>(c.Args[1]);
}
// glLight*: keeps the parameter; positions in eye coordinates, as GL does.
void ExLight(const Call& c) {
    const auto light = static_cast<GLenum>(c.Args[0]);
    const auto pname = static_cast<GLenum>(c.Args[1]);
    std::array<double, 4> v{0, 0, 0, 0};
    for (std::size_t i = 2; i < c.Args.size() && i < 6; ++i)
        v[i - 2] = c.Args[i];
    if (pname == GL_POSITION) {
        // GL keeps the position in eye coordinates.
        const Matrix& m = S().ModelviewStack.back();
        std::array<double, 4> e{};
        for (int row = 0; row < 4; ++row)
            e[row] = m[row] * v[0] + m[4 + row] * v[1] + m[8 + row] * v[2] + m[12 + row] * v[3];
        v = e;
    }
    S().Lights[{light, pname}] = v;
}
// glLightModel*: keeps the two-sided and local-viewer switches.
void ExLightModel(const Call& c) {
    const auto pname = static_cast<GLenum>(c.Args[0]);
    if (pname == GL_LIGHT_MODEL_TWO_SIDE) S().TwoSide = c.Args[1];
    if (pname == GL_LIGHT_MODEL_LOCAL_VIEWER) S().LocalViewer = c.Args[1];
}
// glViewport.
void ExViewport(const Call& c) {
    S().Viewport = {c.Args[0], c.Args[1], c.Args[2], c.Args[3]};
}
// glClearColor.
void ExClearColor(const Call& c) {
    S().ClearColor = {c.Args[0], c.Args[1], c.Args[2], c.Args[3]};
}
// glClearDepth, clamped to 0..1 as GL does.
void ExClearDepth(const Call& c) {
    S().ClearDepth = std::clamp(c.Args[0], 0.0, 1.0);
}
// glDepthFunc.
void ExDepthFunc(const Call& c) {
    S().DepthFunc = static_cast<GLenum>(c.Args[0]);
}
// glFrontFace.
void ExFrontFace(const Call& c) {
    S().FrontFace = static_cast<GLenum>(c.Args[0]);
}
// glCullFace.
void ExCullFace(const Call& c) {
    S().CullFace = static_cast<GLenum>(c.Args[0]);
}
// glDepthMask.
void ExDepthMask(const Call& c) {
    S().DepthMask = c.Args[0] != 0.0;
}
// glBlendFunc.
void ExBlendFunc(const Call& c) {
    S().BlendSrc = static_cast<GLenum>(c.Args[0]);
    S().BlendDst = static_cast<GLenum>(c.Args[1]);
}
// glAlphaFunc, reference clamped to 0..1 as GL does.
void ExAlphaFunc(const Call& c) {
    S().AlphaFunc = static_cast<GLenum>(c.Args[0]);
    S().AlphaRef = std::clamp(c.Args[1], 0.0, 1.0);
}

// The values glGet* reports for pname; false for a name the recorder does not keep.
bool Query(GLenum pname, std::vector<double>& out) {
    RecorderState& s = S();
    auto matrix = [&](const Matrix& m) { out.assign(m.begin(), m.end()); };
    switch (pname) {
    case GL_MATRIX_MODE:
        out = {double(s.MatrixMode)};
        return true;
    case GL_MODELVIEW_STACK_DEPTH:
        out = {double(s.ModelviewStack.size())};
        return true;
    case GL_PROJECTION_STACK_DEPTH:
        out = {double(s.ProjectionStack.size())};
        return true;
    case GL_TEXTURE_STACK_DEPTH:
        out = {double(s.TextureStack.size())};
        return true;
    case GL_MODELVIEW_MATRIX:
        matrix(s.ModelviewStack.back());
        return true;
    case GL_PROJECTION_MATRIX:
        matrix(s.ProjectionStack.back());
        return true;
    case GL_TEXTURE_MATRIX:
        matrix(s.TextureStack.back());
        return true;
    case GL_LIST_INDEX:
        out = {double(s.Compiling)};
        return true;
    case GL_LIST_MODE:
        out = {double(s.Compiling ? s.CompileMode : 0)};
        return true;
    case GL_TEXTURE_BINDING_2D:
        out = {double(s.BoundTexture)};
        return true;
    case GL_VIEWPORT:
        out.assign(s.Viewport.begin(), s.Viewport.end());
        return true;
    case GL_COLOR_CLEAR_VALUE:
        out.assign(s.ClearColor.begin(), s.ClearColor.end());
        return true;
    case GL_DEPTH_CLEAR_VALUE:
        out = {s.ClearDepth};
        return true;
    case GL_DEPTH_FUNC:
        out = {double(s.DepthFunc)};
        return true;
    case GL_FRONT_FACE:
        out = {double(s.FrontFace)};
        return true;
    case GL_CULL_FACE_MODE:
        out = {double(s.CullFace)};
        return true;
    case GL_DEPTH_WRITEMASK:
        out = {s.DepthMask ? 1.0 : 0.0};
        return true;
    case GL_BLEND_SRC:
        out = {double(s.BlendSrc)};
        return true;
    case GL_BLEND_DST:
        out = {double(s.BlendDst)};
        return true;
    case GL_ALPHA_TEST_FUNC:
        out = {double(s.AlphaFunc)};
        return true;
    case GL_ALPHA_TEST_REF:
        out = {s.AlphaRef};
        return true;
    case GL_LIGHT_MODEL_TWO_SIDE:
        out = {s.TwoSide};
        return true;
    case GL_LIGHT_MODEL_LOCAL_VIEWER:
        out = {s.LocalViewer};
        return true;
    case GL_CURRENT_COLOR:
        out.assign(s.Color.begin(), s.Color.end());
        return true;
    case GL_CURRENT_NORMAL:
        out.assign(s.Normal.begin(), s.Normal.end());
        return true;
    case GL_CURRENT_TEXTURE_COORDS:
        out = {s.TexCoord[0], s.TexCoord[1], 0.0, 1.0};
        return true;
    default:
        return false;
    }
}

// Shared body of the glGet*v entry points.
template <typename T>
void GetValues(const char* name, GLenum pname, T* params, bool normalisedInts) {
    Immediate(name, nullptr, pname);
    std::vector<double> values;
    if (!Query(pname, values)) {
        if (S().Enabled.count(pname) || pname == GL_LIGHTING || pname == GL_CULL_FACE ||
            pname == GL_DEPTH_TEST || pname == GL_BLEND || pname == GL_ALPHA_TEST ||
            pname == GL_TEXTURE_2D || pname == GL_NORMALIZE) {
            values = {S().Enabled.count(pname) ? 1.0 : 0.0};
        } else {
            return SetError(GL_INVALID_ENUM);
        }
    }
    if (!params) return;
    const bool colourLike = pname == GL_CURRENT_COLOR || pname == GL_COLOR_CLEAR_VALUE ||
                            pname == GL_DEPTH_CLEAR_VALUE || pname == GL_ALPHA_TEST_REF;
    for (std::size_t i = 0; i < values.size(); ++i) {
        double v = values[i];
        // glGetIntegerv maps colour-like values linearly onto the integer range.
        if (normalisedInts && colourLike) v = std::round(v * 2147483647.0);
        params[i] = static_cast<T>(v);
    }
}

const GLubyte* Text(const char* s) {
    return reinterpret_cast<const GLubyte*>(s);
}

} // namespace

void Reset() {
    S() = RecorderState{};
}

const std::vector<Call>& Calls() {
    return S().Calls;
}
const std::vector<Call>& Executed() {
    return S().Executed;
}

std::vector<Call> CallsNamed(std::string_view name) {
    std::vector<Call> out;
    for (const Call& c : S().Calls)
        if (c.Name == name) out.push_back(c);
    return out;
}

std::size_t Count(std::string_view name) {
    return static_cast<std::size_t>(std::count_if(S().Calls.begin(), S().Calls.end(),
                                                  [&](const Call& c) { return c.Name == name; }));
}

std::vector<std::string> CallNames() {
    return CallNamesSince(0);
}

std::vector<std::string> CallNamesSince(std::size_t from) {
    std::vector<std::string> out;
    for (std::size_t i = from; i < S().Calls.size(); ++i)
        out.push_back(S().Calls[i].Name);
    return out;
}

const std::vector<Call>* List(GLuint list) {
    auto it = S().Lists.find(list);
    return it == S().Lists.end() ? nullptr : &it->second;
}

std::vector<GLuint> GeneratedLists() {
    return S().GenLists;
}
std::vector<GLuint> GeneratedTextures() {
    return S().GenTextures;
}
void FailGenLists(bool fail) {
    S().FailGenLists = fail;
}

const std::vector<Vertex>& Vertices() {
    return S().Vertices;
}
const std::vector<Primitive>& Primitives() {
    return S().Primitives;
}

Matrix Modelview() {
    return S().ModelviewStack.back();
}
Matrix Projection() {
    return S().ProjectionStack.back();
}
int ModelviewDepth() {
    return static_cast<int>(S().ModelviewStack.size());
}
int ProjectionDepth() {
    return static_cast<int>(S().ProjectionStack.size());
}
GLenum MatrixMode() {
    return S().MatrixMode;
}
bool IsEnabled(GLenum cap) {
    return S().Enabled.count(cap) != 0;
}
GLuint BoundTexture() {
    return S().BoundTexture;
}

std::array<double, 3> Transform(const Matrix& m, const std::array<double, 3>& p) {
    std::array<double, 3> out{};
    for (int row = 0; row < 3; ++row)
        out[row] = m[row] * p[0] + m[4 + row] * p[1] + m[8 + row] * p[2] + m[12 + row];
    return out;
}

} // namespace glrec

using glrec::Args;
using glrec::ArgsWith;
using glrec::Gl;
using glrec::Immediate;
using glrec::Record;
using glrec::S;

extern "C" {

// --- matrices ---
void GLAPIENTRY glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    Gl("glRotatef", glrec::ExRotate, angle, x, y, z);
}
void GLAPIENTRY glRotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z) {
    Gl("glRotated", glrec::ExRotate, angle, x, y, z);
}
void GLAPIENTRY glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    Gl("glTranslatef", glrec::ExTranslate, x, y, z);
}
void GLAPIENTRY glTranslated(GLdouble x, GLdouble y, GLdouble z) {
    Gl("glTranslated", glrec::ExTranslate, x, y, z);
}
void GLAPIENTRY glScalef(GLfloat x, GLfloat y, GLfloat z) {
    Gl("glScalef", glrec::ExScale, x, y, z);
}
void GLAPIENTRY glScaled(GLdouble x, GLdouble y, GLdouble z) {
    Gl("glScaled", glrec::ExScale, x, y, z);
}
void GLAPIENTRY glPushMatrix(void) {
    Gl("glPushMatrix", glrec::ExPush);
}
void GLAPIENTRY glPopMatrix(void) {
    Gl("glPopMatrix", glrec::ExPop);
}
void GLAPIENTRY glLoadIdentity(void) {
    Gl("glLoadIdentity", glrec::ExLoadIdentity);
}
void GLAPIENTRY glMatrixMode(GLenum mode) {
    Gl("glMatrixMode", glrec::ExMatrixMode, mode);
}
void GLAPIENTRY glOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
    Gl("glOrtho", glrec::ExOrtho, l, r, b, t, n, f);
}
void GLAPIENTRY glFrustum(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
    Gl("glFrustum", glrec::ExFrustum, l, r, b, t, n, f);
}
void GLAPIENTRY glLoadMatrixf(const GLfloat* m) {
    Record("glLoadMatrixf", glrec::ExLoadMatrix, true, nullptr, ArgsWith(m, 16));
}
void GLAPIENTRY glLoadMatrixd(const GLdouble* m) {
    Record("glLoadMatrixd", glrec::ExLoadMatrix, true, nullptr, ArgsWith(m, 16));
}
void GLAPIENTRY glMultMatrixf(const GLfloat* m) {
    Record("glMultMatrixf", glrec::ExMultMatrix, true, nullptr, ArgsWith(m, 16));
}
void GLAPIENTRY glMultMatrixd(const GLdouble* m) {
    Record("glMultMatrixd", glrec::ExMultMatrix, true, nullptr, ArgsWith(m, 16));
}

// --- vertices and their attributes ---
void GLAPIENTRY glBegin(GLenum mode) {
    Gl("glBegin", glrec::ExBegin, mode);
}
void GLAPIENTRY glEnd(void) {
    Gl("glEnd", glrec::ExEnd);
}
void GLAPIENTRY glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    Gl("glVertex3f", glrec::ExVertex, x, y, z);
}
void GLAPIENTRY glVertex3d(GLdouble x, GLdouble y, GLdouble z) {
    Gl("glVertex3d", glrec::ExVertex, x, y, z);
}
void GLAPIENTRY glVertex2f(GLfloat x, GLfloat y) {
    Gl("glVertex2f", glrec::ExVertex2, x, y);
}
void GLAPIENTRY glVertex2i(GLint x, GLint y) {
    Gl("glVertex2i", glrec::ExVertex2, x, y);
}
void GLAPIENTRY glTexCoord2f(GLfloat s, GLfloat t) {
    Gl("glTexCoord2f", glrec::ExTexCoord, s, t);
}
void GLAPIENTRY glTexCoord2d(GLdouble s, GLdouble t) {
    Gl("glTexCoord2d", glrec::ExTexCoord, s, t);
}
void GLAPIENTRY glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    Gl("glNormal3f", glrec::ExNormal, x, y, z);
}
void GLAPIENTRY glNormal3d(GLdouble x, GLdouble y, GLdouble z) {
    Gl("glNormal3d", glrec::ExNormal, x, y, z);
}
void GLAPIENTRY glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    Gl("glColor4f", glrec::ExColor4, r, g, b, a);
}
void GLAPIENTRY glColor3f(GLfloat r, GLfloat g, GLfloat b) {
    Gl("glColor3f", glrec::ExColor3, r, g, b);
}
void GLAPIENTRY glColor4ub(GLubyte r, GLubyte g, GLubyte b, GLubyte a) {
    Gl("glColor4ub", glrec::ExColor4ub, r, g, b, a);
}

// --- display lists ---
GLuint GLAPIENTRY glGenLists(GLsizei range) {
    Immediate("glGenLists", nullptr, range);
    auto& s = S();
    if (range < 0) {
        glrec::SetError(GL_INVALID_VALUE);
        return 0;
    }
    if (range == 0 || s.FailGenLists) return 0;
    const GLuint first = s.NextList;
    for (GLsizei i = 0; i < range; ++i)
        s.GenLists.push_back(first + static_cast<GLuint>(i));
    s.NextList += static_cast<GLuint>(range);
    return first;
}
void GLAPIENTRY glNewList(GLuint list, GLenum mode) {
    Immediate("glNewList", nullptr, list, mode);
    auto& s = S();
    if (list == 0) return glrec::SetError(GL_INVALID_VALUE);
    if (mode != GL_COMPILE && mode != GL_COMPILE_AND_EXECUTE)
        return glrec::SetError(GL_INVALID_ENUM);
    if (s.Compiling != 0) return glrec::SetError(GL_INVALID_OPERATION);
    s.Compiling = list;
    s.CompileMode = mode;
    s.Lists[list].clear();
    s.ListRunners[list].clear();
}
void GLAPIENTRY glEndList(void) {
    Immediate("glEndList", nullptr);
    if (S().Compiling == 0) return glrec::SetError(GL_INVALID_OPERATION);
    S().Compiling = 0;
    S().CompileMode = 0;
}
void GLAPIENTRY glCallList(GLuint list) {
    Gl("glCallList", glrec::ExCallList, list);
}
void GLAPIENTRY glDeleteLists(GLuint list, GLsizei range) {
    Immediate("glDeleteLists", nullptr, list, range);
    for (GLsizei i = 0; i < range; ++i) {
        S().Lists.erase(list + static_cast<GLuint>(i));
        S().ListRunners.erase(list + static_cast<GLuint>(i));
    }
}
GLboolean GLAPIENTRY glIsList(GLuint list) {
    Immediate("glIsList", nullptr, list);
    return S().Lists.count(list) ? GL_TRUE : GL_FALSE;
}

// --- capabilities and fixed-function state ---
void GLAPIENTRY glEnable(GLenum cap) {
    Gl("glEnable", glrec::ExEnable, cap);
}
void GLAPIENTRY glDisable(GLenum cap) {
    Gl("glDisable", glrec::ExDisable, cap);
}
GLboolean GLAPIENTRY glIsEnabled(GLenum cap) {
    Immediate("glIsEnabled", nullptr, cap);
    return S().Enabled.count(cap) ? GL_TRUE : GL_FALSE;
}
void GLAPIENTRY glLightfv(GLenum light, GLenum pname, const GLfloat* params) {
    Record("glLightfv", glrec::ExLight, true, nullptr,
           ArgsWith(params, glrec::LightParamSize(pname), light, pname));
}
void GLAPIENTRY glLightf(GLenum light, GLenum pname, GLfloat param) {
    Gl("glLightf", glrec::ExLight, light, pname, param);
}
void GLAPIENTRY glGetLightfv(GLenum light, GLenum pname, GLfloat* params) {
    Immediate("glGetLightfv", nullptr, light, pname);
    auto it = S().Lights.find({light, pname});
    const int n = glrec::LightParamSize(pname);
    for (int i = 0; i < n && params; ++i)
        params[i] = it == S().Lights.end()
                        ? 0.0f
                        : static_cast<GLfloat>(it->second[static_cast<std::size_t>(i)]);
}
void GLAPIENTRY glLightModeli(GLenum pname, GLint param) {
    Gl("glLightModeli", glrec::ExLightModel, pname, param);
}
void GLAPIENTRY glLightModelf(GLenum pname, GLfloat param) {
    Gl("glLightModelf", glrec::ExLightModel, pname, param);
}
void GLAPIENTRY glLightModelfv(GLenum pname, const GLfloat* params) {
    Record("glLightModelfv", glrec::ExLightModel, true, nullptr,
           ArgsWith(params, glrec::LightModelParamSize(pname), pname));
}
void GLAPIENTRY glMaterialfv(GLenum face, GLenum pname, const GLfloat* params) {
    Record("glMaterialfv", nullptr, true, nullptr,
           ArgsWith(params, glrec::MaterialParamSize(pname), face, pname));
}
void GLAPIENTRY glMaterialf(GLenum face, GLenum pname, GLfloat param) {
    Gl("glMaterialf", nullptr, face, pname, param);
}
void GLAPIENTRY glColorMaterial(GLenum face, GLenum mode) {
    Gl("glColorMaterial", nullptr, face, mode);
}
void GLAPIENTRY glShadeModel(GLenum mode) {
    Gl("glShadeModel", nullptr, mode);
}
void GLAPIENTRY glHint(GLenum target, GLenum mode) {
    Gl("glHint", nullptr, target, mode);
}
void GLAPIENTRY glViewport(GLint x, GLint y, GLsizei w, GLsizei h) {
    Gl("glViewport", glrec::ExViewport, x, y, w, h);
}
void GLAPIENTRY glScissor(GLint x, GLint y, GLsizei w, GLsizei h) {
    Gl("glScissor", nullptr, x, y, w, h);
}
void GLAPIENTRY glDepthFunc(GLenum func) {
    Gl("glDepthFunc", glrec::ExDepthFunc, func);
}
void GLAPIENTRY glDepthMask(GLboolean flag) {
    Gl("glDepthMask", glrec::ExDepthMask, flag);
}
void GLAPIENTRY glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    Gl("glClearColor", glrec::ExClearColor, r, g, b, a);
}
void GLAPIENTRY glClearDepth(GLclampd depth) {
    Gl("glClearDepth", glrec::ExClearDepth, depth);
}
void GLAPIENTRY glClear(GLbitfield mask) {
    Gl("glClear", nullptr, mask);
}
void GLAPIENTRY glFrontFace(GLenum mode) {
    Gl("glFrontFace", glrec::ExFrontFace, mode);
}
void GLAPIENTRY glCullFace(GLenum mode) {
    Gl("glCullFace", glrec::ExCullFace, mode);
}
void GLAPIENTRY glBlendFunc(GLenum sfactor, GLenum dfactor) {
    Gl("glBlendFunc", glrec::ExBlendFunc, sfactor, dfactor);
}
void GLAPIENTRY glAlphaFunc(GLenum func, GLclampf ref) {
    Gl("glAlphaFunc", glrec::ExAlphaFunc, func, ref);
}
void GLAPIENTRY glPolygonMode(GLenum face, GLenum mode) {
    Gl("glPolygonMode", nullptr, face, mode);
}
void GLAPIENTRY glLineWidth(GLfloat width) {
    Gl("glLineWidth", nullptr, width);
}
void GLAPIENTRY glPointSize(GLfloat size) {
    Gl("glPointSize", nullptr, size);
}
void GLAPIENTRY glFinish(void) {
    Immediate("glFinish", nullptr);
}
void GLAPIENTRY glFlush(void) {
    Immediate("glFlush", nullptr);
}

// --- textures ---
void GLAPIENTRY glGenTextures(GLsizei n, GLuint* textures) {
    Immediate("glGenTextures", nullptr, n);
    if (n < 0) return glrec::SetError(GL_INVALID_VALUE);
    for (GLsizei i = 0; i < n; ++i) {
        const GLuint name = S().NextTexture++;
        S().GenTextures.push_back(name);
        if (textures) textures[i] = name;
    }
}
void GLAPIENTRY glDeleteTextures(GLsizei n, const GLuint* textures) {
    Record("glDeleteTextures", nullptr, false, nullptr, ArgsWith(textures, n < 0 ? 0 : n, n));
}
GLboolean GLAPIENTRY glIsTexture(GLuint texture) {
    Immediate("glIsTexture", nullptr, texture);
    const auto& names = S().GenTextures;
    return std::find(names.begin(), names.end(), texture) != names.end() ? GL_TRUE : GL_FALSE;
}
void GLAPIENTRY glBindTexture(GLenum target, GLuint texture) {
    Gl("glBindTexture", glrec::ExBindTexture, target, texture);
}
void GLAPIENTRY glTexParameteri(GLenum target, GLenum pname, GLint param) {
    Gl("glTexParameteri", nullptr, target, pname, param);
}
void GLAPIENTRY glTexParameterf(GLenum target, GLenum pname, GLfloat param) {
    Gl("glTexParameterf", nullptr, target, pname, param);
}
void GLAPIENTRY glTexEnvi(GLenum target, GLenum pname, GLint param) {
    Gl("glTexEnvi", nullptr, target, pname, param);
}
void GLAPIENTRY glTexEnvf(GLenum target, GLenum pname, GLfloat param) {
    Gl("glTexEnvf", nullptr, target, pname, param);
}
void GLAPIENTRY glPixelStorei(GLenum pname, GLint param) {
    Immediate("glPixelStorei", nullptr, pname, param);
}
void GLAPIENTRY glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                             GLsizei height, GLint border, GLenum format, GLenum type,
                             const GLvoid* pixels) {
    Record("glTexImage2D", nullptr, true, pixels,
           Args(target, level, internalFormat, width, height, border, format, type));
}
void GLAPIENTRY glTexSubImage2D(GLenum target, GLint level, GLint xoffset, GLint yoffset,
                                GLsizei width, GLsizei height, GLenum format, GLenum type,
                                const GLvoid* pixels) {
    Record("glTexSubImage2D", nullptr, true, pixels,
           Args(target, level, xoffset, yoffset, width, height, format, type));
}

// --- queries ---
GLenum GLAPIENTRY glGetError(void) {
    Immediate("glGetError", nullptr);
    const GLenum error = S().Error;
    S().Error = GL_NO_ERROR;
    return error;
}
void GLAPIENTRY glGetIntegerv(GLenum pname, GLint* params) {
    glrec::GetValues("glGetIntegerv", pname, params, true);
}
void GLAPIENTRY glGetFloatv(GLenum pname, GLfloat* params) {
    glrec::GetValues("glGetFloatv", pname, params, false);
}
void GLAPIENTRY glGetDoublev(GLenum pname, GLdouble* params) {
    glrec::GetValues("glGetDoublev", pname, params, false);
}
void GLAPIENTRY glGetBooleanv(GLenum pname, GLboolean* params) {
    std::vector<GLfloat> values(16, 0.0f);
    glrec::GetValues("glGetBooleanv", pname, values.data(), false);
    if (!params) return;
    std::vector<double> probe;
    std::size_t n = glrec::Query(pname, probe) ? probe.size() : 1;
    for (std::size_t i = 0; i < n; ++i)
        params[i] = values[i] != 0.0f ? GL_TRUE : GL_FALSE;
}
const GLubyte* GLAPIENTRY glGetString(GLenum name) {
    Immediate("glGetString", nullptr, name);
    switch (name) {
    case GL_VENDOR:
        return glrec::Text("glrec");
    case GL_RENDERER:
        return glrec::Text("glrec call recorder");
    case GL_VERSION:
        return glrec::Text("1.1 glrec");
    case GL_EXTENSIONS:
        return glrec::Text("GL_EXT_bgra");
    default:
        glrec::SetError(GL_INVALID_ENUM);
        return nullptr;
    }
}

// --- GLU ---
void GLAPIENTRY gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    Gl("gluPerspective", glrec::ExPerspective, fovy, aspect, zNear, zFar);
}
void GLAPIENTRY gluOrtho2D(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top) {
    Gl("gluOrtho2D", glrec::ExOrtho2D, left, right, bottom, top);
}
GLint GLAPIENTRY gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width,
                                   GLsizei height, GLenum format, GLenum type, const void* data) {
    Record("gluBuild2DMipmaps", nullptr, true, data,
           Args(target, internalFormat, width, height, format, type));
    return width < 1 || height < 1 ? GLU_INVALID_VALUE : 0;
}

} // extern "C"
