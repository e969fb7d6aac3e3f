// One tree as it grows: the demo's full tree (leaves, flowers, fruit, leaves on every
// level, six segments) at NumLevel 0 to 5, generated and compiled into a display list
// on real GL (llvmpipe through EGL). For each level: time, vertices, vertices per
// second and the memory the list holds; then the growth from level to level. The
// NumLevel 3 figures are the ones bench/peer/compare.sh sets against the peer
// generator. Never fails.
#include "BenchReport.h"
#include "EglContext.h"
#include "GlStream.h"

#include "Scene.h"
#include "Tavrel_SimplePlants_Ext1.h"
#include "Vistral.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr std::int32_t kQuality = 6;
constexpr float kH = 1.0f;
constexpr float kLen = 5.76f;
constexpr float kRadius = 0.1536f;
constexpr int kMaxLevel = 5;
constexpr int kPeerLevel = 3; // the demo's own level, compared with the peer generator
constexpr double kMiB = 1024.0 * 1024.0;
constexpr double kMsPerSecond = 1000.0;

// What one level's tree is made of, measured once outside the timing.
struct Shape {
    std::size_t Vertices = 0;
    double ListBytes = 0;
};
std::map<int, Shape> Shapes;

// One tree at the given level from the stream's start.
std::uint32_t BuildTree(int level) {
    std::uint32_t list = 0;
    PlantsRandomReset();
    Tree3AdvancedFractal3D(list, MdlFoglieAlbero, MdlFioreAlbero, MdlFruttoAlbero, MatAlbero,
                           kQuality, level, kH, kLen, kRadius, true);
    return list;
}

// Heap bytes in use, small blocks and mapped ones alike.
double HeapInUse() {
    const struct mallinfo2 m = mallinfo2();
    return static_cast<double>(m.uordblks + m.hblkhd);
}

// Counts a level's vertices (glVertex3f calls, through the recording wrappers, which
// stay in the program and so cost the timed builds a little too) and the heap its
// finished list keeps.
Shape Measure(int level) {
    Shape s;
    benchsupport::StartRecording();
    std::uint32_t list = BuildTree(level);
    s.Vertices = benchsupport::CountVertices(benchsupport::StopRecording());
    glDeleteLists(list, 1);
    glFinish();
    malloc_trim(0);
    const double before = HeapInUse();
    list = BuildTree(level);
    glFinish();
    s.ListBytes = HeapInUse() - before;
    glDeleteLists(list, 1);
    return s;
}

void BM_TreeLevel(benchmark::State& state) {
    const int level = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const std::uint32_t list = BuildTree(level);
        glFinish();
        state.PauseTiming();
        glDeleteLists(list, 1);
        state.ResumeTiming();
    }
    const Shape& s = Shapes[level];
    state.counters["vertices"] = static_cast<double>(s.Vertices);
    state.counters["list_MiB"] = s.ListBytes / kMiB;
    state.counters["vertices_per_s"] = benchmark::Counter(
        static_cast<double>(s.Vertices), benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_TreeLevel)
    ->DenseRange(0, kMaxLevel)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    if (!benchsupport::StartBenchmarks(argc, argv, false, kWidth, kHeight)) return 0;
    // The textures are loaded as in the demo, so the callbacks bind real images.
    if (!benchsupport::EnterAssetsFolder()) return 0;
    OpenGL_Texture();
    // A first list leaves GL's one-off allocations out of the per-level memory figures.
    glDeleteLists(BuildTree(0), 1);
    for (int level = 0; level <= kMaxLevel; ++level)
        Shapes[level] = Measure(level);

    benchsupport::Collector reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\nNumLevel      ms CPU     ms real    vertices   list MiB   "
                "Mvertices/s   x time   x vertices\n");
    double previousMs = 0;
    double previousVertices = 0;
    for (int level = 0; level <= kMaxLevel; ++level) {
        const auto found = reporter.Times.find("BM_TreeLevel/" + std::to_string(level));
        if (found == reporter.Times.end()) continue;
        const Shape& s = Shapes[level];
        const double ms = found->second.Cpu;
        const double vertices = static_cast<double>(s.Vertices);
        std::printf("%8d  %10.3f  %10.3f  %10zu  %9.2f  %12.2f", level, ms, found->second.Real,
                    s.Vertices, s.ListBytes / kMiB, vertices / ms * kMsPerSecond / 1e6);
        if (previousMs > 0)
            std::printf("  %7.2f  %11.2f\n", ms / previousMs, vertices / previousVertices);
        else
            std::printf("        -            -\n");
        previousMs = ms;
        previousVertices = vertices;
    }
    // One line for bench/peer/compare.sh: vertices and CPU seconds of one tree.
    const auto peer = reporter.Times.find("BM_TreeLevel/" + std::to_string(kPeerLevel));
    if (peer != reporter.Times.end())
        std::printf("peer-input vertices=%zu seconds=%.9f\n", Shapes[kPeerLevel].Vertices,
                    peer->second.Cpu / kMsPerSecond);
    benchsupport::PrintMachine();
    testsupport::DestroyEglContext();
    benchmark::Shutdown();
    return 0;
}
