// Cost of building the demo's four trees (generation plus display-list compile)
// against compiling the very same GL command stream replayed from memory, on real
// GL (llvmpipe through EGL). Prints both times and the generator's share; never fails.
//
// The GL entry points the generator and the model callbacks use are interposed in
// this program: each wrapper appends the call to a memory stream while recording
// and forwards to libGL. Both benchmarks go through the same wrappers, so the
// ratio measures the generator alone.
#include "EglContext.h"

#include "Tavrel_SimplePlants_Ext1.h"
#include "Vistral.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// One recorded GL command.
enum class Op : std::uint8_t {
    Begin,
    End,
    Vertex,
    Normal,
    TexCoord,
    Push,
    Pop,
    Rotate,
    Translate,
    Scale,
    BindTexture,
    Enable,
    Disable,
    LightModeli,
    AlphaFunc,
    DepthMask,
    Color
};
struct Command {
    Op Kind;
    std::uint32_t Enum;
    float A[4];
};

bool Recording = false;
std::vector<Command> Stream;

// The libGL function behind an interposed name.
template <typename F> F Real(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

void Note(Op kind, std::uint32_t e = 0, float a = 0, float b = 0, float c = 0, float d = 0) {
    if (Recording) Stream.push_back(Command{kind, e, {a, b, c, d}});
}

} // namespace

extern "C" {
void glBegin(GLenum mode) {
    static auto real = Real<void (*)(GLenum)>("glBegin");
    Note(Op::Begin, mode);
    real(mode);
}
void glEnd() {
    static auto real = Real<void (*)()>("glEnd");
    Note(Op::End);
    real();
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    static auto real = Real<void (*)(GLfloat, GLfloat, GLfloat)>("glVertex3f");
    Note(Op::Vertex, 0, x, y, z);
    real(x, y, z);
}
void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    static auto real = Real<void (*)(GLfloat, GLfloat, GLfloat)>("glNormal3f");
    Note(Op::Normal, 0, x, y, z);
    real(x, y, z);
}
void glTexCoord2f(GLfloat s, GLfloat t) {
    static auto real = Real<void (*)(GLfloat, GLfloat)>("glTexCoord2f");
    Note(Op::TexCoord, 0, s, t);
    real(s, t);
}
void glPushMatrix() {
    static auto real = Real<void (*)()>("glPushMatrix");
    Note(Op::Push);
    real();
}
void glPopMatrix() {
    static auto real = Real<void (*)()>("glPopMatrix");
    Note(Op::Pop);
    real();
}
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    static auto real = Real<void (*)(GLfloat, GLfloat, GLfloat, GLfloat)>("glRotatef");
    Note(Op::Rotate, 0, angle, x, y, z);
    real(angle, x, y, z);
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    static auto real = Real<void (*)(GLfloat, GLfloat, GLfloat)>("glTranslatef");
    Note(Op::Translate, 0, x, y, z);
    real(x, y, z);
}
void glScalef(GLfloat x, GLfloat y, GLfloat z) {
    static auto real = Real<void (*)(GLfloat, GLfloat, GLfloat)>("glScalef");
    Note(Op::Scale, 0, x, y, z);
    real(x, y, z);
}
void glBindTexture(GLenum target, GLuint texture) {
    static auto real = Real<void (*)(GLenum, GLuint)>("glBindTexture");
    Note(Op::BindTexture, target, static_cast<float>(texture));
    real(target, texture);
}
void glEnable(GLenum cap) {
    static auto real = Real<void (*)(GLenum)>("glEnable");
    Note(Op::Enable, cap);
    real(cap);
}
void glDisable(GLenum cap) {
    static auto real = Real<void (*)(GLenum)>("glDisable");
    Note(Op::Disable, cap);
    real(cap);
}
void glLightModeli(GLenum pname, GLint param) {
    static auto real = Real<void (*)(GLenum, GLint)>("glLightModeli");
    Note(Op::LightModeli, pname, static_cast<float>(param));
    real(pname, param);
}
void glAlphaFunc(GLenum func, GLclampf ref) {
    static auto real = Real<void (*)(GLenum, GLclampf)>("glAlphaFunc");
    Note(Op::AlphaFunc, func, ref);
    real(func, ref);
}
void glDepthMask(GLboolean flag) {
    static auto real = Real<void (*)(GLboolean)>("glDepthMask");
    Note(Op::DepthMask, flag);
    real(flag);
}
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    static auto real = Real<void (*)(GLfloat, GLfloat, GLfloat, GLfloat)>("glColor4f");
    Note(Op::Color, 0, r, g, b, a);
    real(r, g, b, a);
}
} // extern "C"

namespace {

constexpr GLuint BARK_TEXTURE = 2;
constexpr GLuint LEAF_TEXTURE = 4;
constexpr GLuint FLOWER_TEXTURE = 5;
constexpr GLuint FRUIT_TEXTURE = 3;
constexpr std::int32_t QUALITY = 6;

// A two-sided, alpha-tested textured square of half-size h, as the demo's sprites are.
void Sprite(GLuint texture, float h) {
    glBindTexture(GL_TEXTURE_2D, texture);
    TwoSideOn();
    glDisable(GL_CULL_FACE);
    SetGLSprite();
    glColor4f(1, 1, 1, 1);
    GLBegin(GL_QUADS);
    glNormal3f(0, 0, -1);
    LineFree(1, -1, 0, -1, h, -h, 0, -h, -h, 0, true);
    LineFree(0, 0, 1, 0, -h, h, 0, h, h, 0, true);
    GLEnd();
    SetGLSpriteOff();
    glEnable(GL_CULL_FACE);
    TwoSideOff();
}

void Bark() {
    glBindTexture(GL_TEXTURE_2D, BARK_TEXTURE);
}
void Leaf() {
    Sprite(LEAF_TEXTURE, 1.0f);
}
void Flower() {
    Sprite(FLOWER_TEXTURE, 0.05f);
}
void Fruit() {
    glBindTexture(GL_TEXTURE_2D, FRUIT_TEXTURE);
    Sfera(0, 0, 0, 0.08f, 6, 6, 1.0f);
}

// The demo's four trees, in their build order, from the stream's start.
void BuildDemoTrees(GLuint (&lists)[4]) {
    PlantsRandomReset();
    Tree3AdvancedFractal3D(lists[0], Leaf, Flower, Fruit, Bark, QUALITY, 3, 1.0f, 5.76f, 0.1536f,
                           true);
    Tree3AdvancedFractal3D(lists[1], Leaf, ProcNull, ProcNull, Bark, QUALITY, 3, 1.0f, 5.76f,
                           0.1536f, false);
    Tree3AdvancedFractal3D(lists[2], Leaf, Flower, ProcNull, Bark, QUALITY, 3, 0.07f, 4.32f,
                           0.1536f, false);
    Tree3AdvancedFractal3D(lists[3], Leaf, ProcNull, Fruit, Bark, QUALITY, 2, 1.0f, 2.16f, 0.1344f,
                           true);
}

// Issues one recorded command through the same wrappers the generator uses.
void Replay(const Command& c) {
    switch (c.Kind) {
    case Op::Begin:
        glBegin(c.Enum);
        break;
    case Op::End:
        glEnd();
        break;
    case Op::Vertex:
        glVertex3f(c.A[0], c.A[1], c.A[2]);
        break;
    case Op::Normal:
        glNormal3f(c.A[0], c.A[1], c.A[2]);
        break;
    case Op::TexCoord:
        glTexCoord2f(c.A[0], c.A[1]);
        break;
    case Op::Push:
        glPushMatrix();
        break;
    case Op::Pop:
        glPopMatrix();
        break;
    case Op::Rotate:
        glRotatef(c.A[0], c.A[1], c.A[2], c.A[3]);
        break;
    case Op::Translate:
        glTranslatef(c.A[0], c.A[1], c.A[2]);
        break;
    case Op::Scale:
        glScalef(c.A[0], c.A[1], c.A[2]);
        break;
    case Op::BindTexture:
        glBindTexture(c.Enum, static_cast<GLuint>(c.A[0]));
        break;
    case Op::Enable:
        glEnable(c.Enum);
        break;
    case Op::Disable:
        glDisable(c.Enum);
        break;
    case Op::LightModeli:
        glLightModeli(c.Enum, static_cast<GLint>(c.A[0]));
        break;
    case Op::AlphaFunc:
        glAlphaFunc(c.Enum, c.A[0]);
        break;
    case Op::DepthMask:
        glDepthMask(static_cast<GLboolean>(c.Enum));
        break;
    case Op::Color:
        glColor4f(c.A[0], c.A[1], c.A[2], c.A[3]);
        break;
    }
}

// The four trees' commands, split at the tree boundaries.
std::vector<Command> TreeStreams[4];

void RecordOnce() {
    GLuint lists[4];
    // Build all four while recording and cut the stream at the tree boundaries.
    Recording = true;
    Stream.clear();
    std::size_t cuts[5] = {0, 0, 0, 0, 0};
    PlantsRandomReset();
    Tree3AdvancedFractal3D(lists[0], Leaf, Flower, Fruit, Bark, QUALITY, 3, 1.0f, 5.76f, 0.1536f,
                           true);
    cuts[1] = Stream.size();
    Tree3AdvancedFractal3D(lists[1], Leaf, ProcNull, ProcNull, Bark, QUALITY, 3, 1.0f, 5.76f,
                           0.1536f, false);
    cuts[2] = Stream.size();
    Tree3AdvancedFractal3D(lists[2], Leaf, Flower, ProcNull, Bark, QUALITY, 3, 0.07f, 4.32f,
                           0.1536f, false);
    cuts[3] = Stream.size();
    Tree3AdvancedFractal3D(lists[3], Leaf, ProcNull, Fruit, Bark, QUALITY, 2, 1.0f, 2.16f, 0.1344f,
                           true);
    cuts[4] = Stream.size();
    Recording = false;
    for (int t = 0; t < 4; ++t)
        TreeStreams[t].assign(Stream.begin() + static_cast<std::ptrdiff_t>(cuts[t]),
                              Stream.begin() + static_cast<std::ptrdiff_t>(cuts[t + 1]));
    for (GLuint l : lists)
        glDeleteLists(l, 1);
}

void BM_GenerateDemoTrees(benchmark::State& state) {
    for (auto _ : state) {
        GLuint lists[4];
        BuildDemoTrees(lists);
        for (GLuint l : lists)
            glDeleteLists(l, 1);
    }
}

void BM_CompileRecordedStream(benchmark::State& state) {
    std::size_t commands = 0;
    for (const auto& s : TreeStreams)
        commands += s.size();
    for (auto _ : state) {
        GLuint lists[4];
        for (int t = 0; t < 4; ++t) {
            lists[t] = glGenLists(1);
            glNewList(lists[t], GL_COMPILE);
            for (const Command& c : TreeStreams[t])
                Replay(c);
            glEndList();
        }
        for (GLuint l : lists)
            glDeleteLists(l, 1);
    }
    state.counters["commands"] = static_cast<double>(commands);
}

BENCHMARK(BM_GenerateDemoTrees)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_CompileRecordedStream)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Real and CPU time per iteration of one benchmark.
struct Timing {
    double Real = 0;
    double Cpu = 0;
};

// Keeps each benchmark's times (by family name) for the closing comparison.
class Collector : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, Timing> Times;
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& r : runs) {
            const std::string name = r.benchmark_name();
            Times[name.substr(0, name.find('/'))] = {r.GetAdjustedRealTime(),
                                                     r.GetAdjustedCPUTime()};
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!testsupport::CreateEglContext(800, 600)) {
        std::fprintf(stderr, "no GL context: %s\n", testsupport::EglError());
        return 0;
    }
    RecordOnce();
    Collector reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const Timing generate = reporter.Times["BM_GenerateDemoTrees"];
    const Timing compile = reporter.Times["BM_CompileRecordedStream"];
    if (generate.Cpu > 0 && compile.Cpu > 0) {
        // CPU time is the fairer figure on a shared machine; llvmpipe compiles on this thread.
        std::printf("\nfour demo trees, generator + compile: %.2f ms CPU (%.2f ms real)\n"
                    "same stream replayed and compiled:  %.2f ms CPU (%.2f ms real)\n"
                    "ratio %.3f CPU, %.3f real: the generator adds %.1f%% (target: at most 15%%)\n",
                    generate.Cpu, generate.Real, compile.Cpu, compile.Real,
                    generate.Cpu / compile.Cpu, generate.Real / compile.Real,
                    (generate.Cpu / compile.Cpu - 1.0) * 100.0);
    }
    testsupport::DestroyEglContext();
    benchmark::Shutdown();
    return 0;
}
