// One demo frame (OpenGL_Draw plus glFinish) against drawing the same picture with bare
// GL calls: the projection and camera loaded as finished matrices, the ground quad in
// immediate mode, the four tree lists called at their spots. Real GL (llvmpipe through
// EGL, 800 by 600, llvmpipe's own thread count unless LP_NUM_THREADS says otherwise).
// Prints both times, their ratio, the frame rate and the targets; never fails.
//
// A third frame shows what bounds the frame rate: the very same triangles, moved into
// place once on the CPU and drawn in a few batches, one per texture and sprite state,
// instead of the lists' thousands of small primitives with state switches between them.
#include "BenchReport.h"
#include "EglContext.h"
#include "GlStream.h"

#include "Scene.h"
#include "Tavrel_SimplePlants_Ext1.h"
#include "Vistral.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr double kFarDistance = 100.0;
constexpr double kFrameRatioTarget = 1.05; // demo frame over the bare frame, at most
constexpr double kFpsTarget = 30.0;        // frames per second, at least
constexpr double kMinSeconds = 1.0;
constexpr int kRepetitions = 5;
constexpr double kPairSeconds = 6.0;
constexpr int kMinPairs = 30;
constexpr double kMsPerSecond = 1000.0;
// A channel may differ by this much between the two pictures (rounding in the matrices).
constexpr int kChannelTolerance = 2;

// The ground quad: corners P1..P4 (sent P2, P1, P3, P4), texture repeats and normal.
constexpr GLfloat kGround[4][3] = {{-10, 0, -10}, {10, 0, -10}, {-10, 0, 10}, {10, 0, 10}};
constexpr GLfloat kRepeats = 4.0f;
constexpr GLfloat kUp[3] = {0, 1, 0};
constexpr GLfloat kTreeSpot[TREE_COUNT][3] = {
    {-5.0f, 0.0f, -4.0f}, {5.0f, 0.0f, -3.0f}, {2.6f, 0.0f, 5.0f}, {-3.4f, 0.0f, 6.0f}};

// What the bare frame loads instead of building it: taken from a demo frame.
GLfloat Projection[16];
GLfloat Camera[16];
GLuint GroundTexture = 0;

// The program's start-up and scene, as the real program has them before its first frame.
void BuildScene() {
    Width = kWidth;
    Height = kHeight;
    OpenGL_Init(kFarDistance, 0, 0, 0, 0);
    SetGLRefractive();
    SetGLLight(GL_LIGHT0, 0.0f, 0.0f, 0.0f, 0.1f);
    OpenGL_CreateList();
}

// Clears, loads the frame's matrices and draws the ground quad with bare GL.
void BareGround() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(Projection);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(Camera);
    glBindTexture(GL_TEXTURE_2D, GroundTexture);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
    glDisable(GL_CULL_FACE);
    glColor4f(1, 1, 1, 1);
    glBegin(GL_QUADS);
    glNormal3fv(kUp);
    glTexCoord2f(kRepeats, -kRepeats);
    glVertex3fv(kGround[1]);
    glTexCoord2f(0, -kRepeats);
    glVertex3fv(kGround[0]);
    glTexCoord2f(0, 0);
    glVertex3fv(kGround[2]);
    glTexCoord2f(kRepeats, 0);
    glVertex3fv(kGround[3]);
    glEnd();
    glEnable(GL_CULL_FACE);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
}

// The frame with nothing but GL: same picture, no per-frame set-up beyond the matrices.
void BareFrame() {
    BareGround();
    for (int i = 0; i < TREE_COUNT; ++i) {
        glPushMatrix();
        glTranslatef(kTreeSpot[i][0], kTreeSpot[i][1], kTreeSpot[i][2]);
        glCallList(Tree[i]);
        glPopMatrix();
    }
}

// ---- The batched bound: the lists' triangles pre-placed and grouped ---------------------

using Matrix = std::array<double, 16>; // column-major, as GL keeps it
constexpr double kPi = 3.14159265358979323846;
constexpr double kDegrees = 180.0;
// Sprite fragments pass only above this alpha, as the engine's sprite state has it.
constexpr GLfloat kSpriteAlpha = 0.4f;

Matrix Identity() {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

// a * b.
Matrix Multiply(const Matrix& a, const Matrix& b) {
    Matrix r{};
    for (int c = 0; c < 4; ++c)
        for (int row = 0; row < 4; ++row) {
            double v = 0;
            for (int k = 0; k < 4; ++k)
                v += a[k * 4 + row] * b[c * 4 + k];
            r[c * 4 + row] = v;
        }
    return r;
}

// glRotatef's matrix.
Matrix Rotation(double angle, double x, double y, double z) {
    const double len = std::sqrt(x * x + y * y + z * z);
    if (len == 0) return Identity();
    x /= len, y /= len, z /= len;
    const double c = std::cos(angle * kPi / kDegrees), s = std::sin(angle * kPi / kDegrees);
    const double t = 1 - c;
    return {t * x * x + c,
            t * x * y + s * z,
            t * x * z - s * y,
            0,
            t * x * y - s * z,
            t * y * y + c,
            t * y * z + s * x,
            0,
            t * x * z + s * y,
            t * y * z - s * x,
            t * z * z + c,
            0,
            0,
            0,
            0,
            1};
}

Matrix Translation(double x, double y, double z) {
    Matrix m = Identity();
    m[12] = x, m[13] = y, m[14] = z;
    return m;
}

Matrix Scaling(double x, double y, double z) {
    Matrix m = Identity();
    m[0] = x, m[5] = y, m[10] = z;
    return m;
}

// One vertex with everything the lists give it, already in tree-spot coordinates.
struct Placed {
    GLfloat P[3], N[3], T[2];
};

// Triangles of one texture and sprite state.
struct Batch {
    std::vector<Placed> Vertices;
};

// Texture name and sprite state of a batch.
using BatchKey = std::pair<GLuint, bool>;

// Walks the scene's recorded list commands, placing every vertex with the list's own
// matrices (plus the tree's spot) and splitting strips and quads into triangles.
std::map<BatchKey, Batch> PlaceScene(const benchsupport::GlStream& stream) {
    using benchsupport::Op;
    std::map<BatchKey, Batch> batches;
    std::vector<Matrix> stack{Identity()};
    int tree = -1;
    GLuint texture = 0;
    bool sprite = false;
    GLfloat normal[3] = {0, 0, 1}, tex[2] = {0, 0};
    GLenum mode = 0;
    std::vector<Placed> primitive;
    for (const auto& c : stream.Commands) {
        Matrix& top = stack.back();
        switch (c.Kind) {
        case Op::NewList:
            ++tree;
            stack.assign(1,
                         Translation(kTreeSpot[tree][0], kTreeSpot[tree][1], kTreeSpot[tree][2]));
            break;
        case Op::Push:
            stack.push_back(top);
            break;
        case Op::Pop:
            if (stack.size() > 1) stack.pop_back();
            break;
        case Op::Rotate:
            top = Multiply(top, Rotation(c.A[0], c.A[1], c.A[2], c.A[3]));
            break;
        case Op::Translate:
            top = Multiply(top, Translation(c.A[0], c.A[1], c.A[2]));
            break;
        case Op::Scale:
            top = Multiply(top, Scaling(c.A[0], c.A[1], c.A[2]));
            break;
        case Op::BindTexture:
            texture = c.E[1];
            break;
        case Op::Enable:
        case Op::Disable:
            if (c.E[0] == GL_ALPHA_TEST) sprite = c.Kind == Op::Enable;
            break;
        case Op::Normal:
            std::copy(c.A, c.A + 3, normal);
            break;
        case Op::TexCoord:
            std::copy(c.A, c.A + 2, tex);
            break;
        case Op::Begin:
            mode = c.E[0];
            primitive.clear();
            break;
        case Op::Vertex: {
            if (tree < 0) break;
            const Matrix& m = stack.back();
            Placed v{};
            double n[3];
            for (int r = 0; r < 3; ++r) {
                v.P[r] = static_cast<GLfloat>(m[r] * c.A[0] + m[4 + r] * c.A[1] +
                                              m[8 + r] * c.A[2] + m[12 + r]);
                n[r] = m[r] * normal[0] + m[4 + r] * normal[1] + m[8 + r] * normal[2];
            }
            const double len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
            for (int r = 0; r < 3; ++r)
                v.N[r] = static_cast<GLfloat>(len > 0 ? n[r] / len : n[r]);
            v.T[0] = tex[0], v.T[1] = tex[1];
            primitive.push_back(v);
            break;
        }
        case Op::End: {
            if (tree < 0) break;
            auto& out = batches[{texture, sprite}].Vertices;
            if (mode == GL_QUADS) {
                for (std::size_t q = 0; q + 3 < primitive.size(); q += 4)
                    for (std::size_t k : {q, q + 1, q + 2, q, q + 2, q + 3})
                        out.push_back(primitive[k]);
            } else if (mode == GL_TRIANGLE_STRIP) {
                // Every other triangle swaps two corners to keep the strip's winding.
                for (std::size_t k = 0; k + 2 < primitive.size(); ++k)
                    for (std::size_t j : k % 2 ? std::array<std::size_t, 3>{k + 1, k, k + 2}
                                               : std::array<std::size_t, 3>{k, k + 1, k + 2})
                        out.push_back(primitive[j]);
            }
            break;
        }
        default:
            break;
        }
    }
    return batches;
}

// One list holding every batch with its own state: the lists' triangles in a few draws.
GLuint CompileBatches(const std::map<BatchKey, Batch>& batches) {
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glColor4f(1, 1, 1, 1);
    for (const auto& [key, batch] : batches) {
        const bool sprite = key.second;
        glBindTexture(GL_TEXTURE_2D, key.first);
        glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, sprite ? 1 : 0);
        if (sprite) {
            glDisable(GL_CULL_FACE);
            glEnable(GL_ALPHA_TEST);
            glAlphaFunc(GL_GREATER, kSpriteAlpha);
        }
        glBegin(GL_TRIANGLES);
        for (const Placed& v : batch.Vertices) {
            glNormal3fv(v.N);
            glTexCoord2fv(v.T);
            glVertex3fv(v.P);
        }
        glEnd();
        if (sprite) {
            glDisable(GL_ALPHA_TEST);
            glEnable(GL_CULL_FACE);
        }
    }
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
    glEndList();
    return list;
}

GLuint BatchedScene = 0;
std::size_t BatchCount = 0;

// The bare frame with the batched trees in place of the four lists.
void BatchedFrame() {
    BareGround();
    glCallList(BatchedScene);
}

// Pixels whose channels differ by more than the tolerance.
std::size_t Differences(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    std::size_t n = 0;
    for (std::size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4)
        for (int c = 0; c < 3; ++c)
            if (std::abs(a[i + c] - b[i + c]) > kChannelTolerance) {
                ++n;
                break;
            }
    return n;
}

void BM_DemoFrame(benchmark::State& state) {
    for (auto _ : state) {
        OpenGL_Draw();
        glFinish();
    }
}

void BM_BareFrame(benchmark::State& state) {
    for (auto _ : state) {
        BareFrame();
        glFinish();
    }
}

// Real time: llvmpipe rasterises on threads of its own.
void Options(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)
        ->MinTime(kMinSeconds)
        ->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true)
        ->UseRealTime();
}

void BM_BatchedFrame(benchmark::State& state) {
    for (auto _ : state) {
        BatchedFrame();
        glFinish();
    }
}

BENCHMARK(BM_DemoFrame)->Apply(Options);
BENCHMARK(BM_BareFrame)->Apply(Options);
BENCHMARK(BM_BatchedFrame)->Apply(Options);

} // namespace

int main(int argc, char** argv) {
    if (!benchsupport::StartBenchmarks(argc, argv, true, kWidth, kHeight)) return 0;
    if (!benchsupport::EnterAssetsFolder()) return 0;
    benchsupport::StartRecording();
    BuildScene();
    {
        const std::map<BatchKey, Batch> batches = PlaceScene(benchsupport::StopRecording());
        BatchCount = batches.size();
        BatchedScene = CompileBatches(batches);
    }

    // The first frame after the build pays GL's first-use costs, as the program's does;
    // it also gives the matrices, and then the pictures are compared.
    const auto firstStart = std::chrono::steady_clock::now();
    OpenGL_Draw();
    glFinish();
    const double firstFrameMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - firstStart)
            .count();
    glGetFloatv(GL_PROJECTION_MATRIX, Projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, Camera);
    GroundTexture = TextureID2[0];
    const auto demoPicture = testsupport::ReadPixelsRGBA(kWidth, kHeight);
    BareFrame();
    glFinish();
    const auto barePicture = testsupport::ReadPixelsRGBA(kWidth, kHeight);
    const std::size_t differing = Differences(demoPicture, barePicture);
    BatchedFrame();
    glFinish();
    const std::size_t batchedDiffering =
        Differences(demoPicture, testsupport::ReadPixelsRGBA(kWidth, kHeight));

    benchsupport::Collector reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& t = reporter.Times;
    const auto demo = t.find("BM_DemoFrame");
    const auto bare = t.find("BM_BareFrame");
    std::printf("\nthe bare picture differs from the demo's in %zu of %d pixels, the batched one "
                "in %zu\n",
                differing, kWidth * kHeight, batchedDiffering);
    if (demo != t.end() && bare != t.end() && bare->second.Real > 0) {
        std::printf("  demo  OpenGL_Draw + glFinish:   %7.2f ms real\n", demo->second.Real);
        std::printf("  bare  same picture, bare GL:    %7.2f ms real\n", bare->second.Real);
    }
    // The targets are judged on alternating pairs, which a busy machine disturbs far less.
    const benchsupport::Paired pair = benchsupport::RunPaired(
        [] {
            OpenGL_Draw();
            glFinish();
        },
        [] {
            BareFrame();
            glFinish();
        },
        benchsupport::PairClock::Real, kPairSeconds, kMinPairs);
    std::printf("  alternating pairs (%d): demo %.2f ms, bare %.2f ms real (medians)\n", pair.Pairs,
                pair.MedianA, pair.MedianB);
    std::printf("  the first demo frame after the scene build: %.2f ms real\n", firstFrameMs);
    benchsupport::PrintTarget("frame / bare frame (paired, real time)", pair.MedianRatio, "x",
                              "at most", kFrameRatioTarget);
    benchsupport::PrintTarget("demo frames per second at 800x600", kMsPerSecond / pair.MedianA,
                              "fps", "at least", kFpsTarget);
    const auto batched = t.find("BM_BatchedFrame");
    if (batched != t.end() && batched->second.Real > 0)
        std::printf("bound: the same triangles in %zu batches draw in %.2f ms real (%.1f fps);\n"
                    "the rest of the demo frame is the lists' small primitives and their state "
                    "switches\n",
                    BatchCount, batched->second.Real, kMsPerSecond / batched->second.Real);
    benchsupport::PrintMachine();
    testsupport::DestroyEglContext();
    benchmark::Shutdown();
    return 0;
}
