// One demo frame (OpenGL_Draw plus glFinish) against drawing the same picture with bare
// GL calls: the projection and camera loaded as finished matrices, the ground quad in
// immediate mode, the four tree lists called at their spots. Real GL (llvmpipe through
// EGL, 800 by 600, llvmpipe's own thread count unless LP_NUM_THREADS says otherwise).
// Prints both times, their ratio, the frame rate and the targets; never fails.
#include "BenchReport.h"
#include "EglContext.h"

#include "Scene.h"
#include "Tavrel_SimplePlants_Ext1.h"
#include "Vistral.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
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

// The frame with nothing but GL: same picture, no per-frame set-up beyond the matrices.
void BareFrame() {
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
    for (int i = 0; i < TREE_COUNT; ++i) {
        glPushMatrix();
        glTranslatef(kTreeSpot[i][0], kTreeSpot[i][1], kTreeSpot[i][2]);
        glCallList(Tree[i]);
        glPopMatrix();
    }
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

BENCHMARK(BM_DemoFrame)->Apply(Options);
BENCHMARK(BM_BareFrame)->Apply(Options);

// Interleaves repetitions unless the caller chose otherwise (see bench_scene).
std::vector<char*> WithInterleaving(int argc, char** argv) {
    static std::string flag = "--benchmark_enable_random_interleaving=true";
    std::vector<char*> args(argv, argv + argc);
    bool chosen = false;
    for (char* a : args)
        chosen = chosen || std::string(a).find("random_interleaving") != std::string::npos;
    if (!chosen) args.push_back(flag.data());
    return args;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> args = WithInterleaving(argc, argv);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (!testsupport::CreateEglContext(kWidth, kHeight)) {
        std::fprintf(stderr, "no GL context: %s\n", testsupport::EglError());
        return 0;
    }
    if (!benchsupport::EnterAssetsFolder()) return 0;
    BuildScene();

    // One demo frame gives the matrices; then both pictures are compared.
    OpenGL_Draw();
    glFinish();
    glGetFloatv(GL_PROJECTION_MATRIX, Projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, Camera);
    GroundTexture = TextureID2[0];
    const auto demoPicture = testsupport::ReadPixelsRGBA(kWidth, kHeight);
    BareFrame();
    glFinish();
    const auto barePicture = testsupport::ReadPixelsRGBA(kWidth, kHeight);
    const std::size_t differing = Differences(demoPicture, barePicture);

    benchsupport::Collector reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& t = reporter.Times;
    const auto demo = t.find("BM_DemoFrame");
    const auto bare = t.find("BM_BareFrame");
    std::printf("\nthe two pictures differ in %zu of %d pixels\n", differing, kWidth * kHeight);
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
    benchsupport::PrintTarget("frame / bare frame (paired, real time)", pair.MedianRatio, "x",
                              "at most", kFrameRatioTarget);
    benchsupport::PrintTarget("demo frames per second at 800x600", kMsPerSecond / pair.MedianA,
                              "fps", "at least", kFpsTarget);
    benchsupport::PrintMachine();
    testsupport::DestroyEglContext();
    benchmark::Shutdown();
    return 0;
}
