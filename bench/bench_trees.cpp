// Cost of building the demo's four trees alone (generation plus display-list compile,
// with the demo's own model callbacks) against compiling the very same GL command
// stream replayed from memory with bare GL calls, on real GL (llvmpipe through EGL).
// Prints both times and the generator's share; never fails.
#include "BenchReport.h"
#include "EglContext.h"
#include "GlStream.h"

#include "Scene.h"
#include "Tavrel_SimplePlants_Ext1.h"
#include "Vistral.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

using benchsupport::GlStream;
using benchsupport::ReplayNames;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr std::int32_t kQuality = 6;
constexpr double kTreesTarget = 1.15; // generator + compile over the bare compile, at most

// The four trees of the scene, from the stream's start, in their build order.
void BuildDemoTrees(std::uint32_t (&lists)[TREE_COUNT]) {
    PlantsRandomReset();
    Tree3AdvancedFractal3D(lists[0], MdlFoglieAlbero, MdlFioreAlbero, MdlFruttoAlbero, MatAlbero,
                           kQuality, 3, 1.0f, 5.76f, 0.1536f, true);
    Tree3AdvancedFractal3D(lists[1], MdlFoglieAlbero, ProcNull, ProcNull, MatAlbero, kQuality, 3,
                           1.0f, 5.76f, 0.1536f, false);
    Tree3AdvancedFractal3D(lists[2], MdlFoglieAlbero, MdlFioreAlbero, ProcNull, MatAlbero, kQuality,
                           3, 0.07f, 4.32f, 0.1536f, false);
    Tree3AdvancedFractal3D(lists[3], MdlFoglieAlbero, ProcNull, MdlFruttoAlbero, MatAlbero,
                           kQuality, 2, 1.0f, 2.16f, 0.1344f, true);
}

void DeleteTrees(std::uint32_t (&lists)[TREE_COUNT]) {
    for (std::uint32_t l : lists)
        glDeleteLists(l, 1);
}

GlStream TreeStream;

void BM_GenerateDemoTrees(benchmark::State& state) {
    for (auto _ : state) {
        std::uint32_t lists[TREE_COUNT];
        BuildDemoTrees(lists);
        DeleteTrees(lists);
    }
}

void BM_CompileRecordedStream(benchmark::State& state) {
    ReplayNames made;
    for (auto _ : state) {
        benchsupport::Replay(TreeStream, made);
        benchsupport::DeleteMade(made);
    }
    state.counters["commands"] = static_cast<double>(TreeStream.Commands.size());
}

BENCHMARK(BM_GenerateDemoTrees)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_CompileRecordedStream)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    if (!benchsupport::StartBenchmarks(argc, argv, false, kWidth, kHeight)) return 0;
    {
        std::uint32_t lists[TREE_COUNT];
        benchsupport::StartRecording();
        BuildDemoTrees(lists);
        TreeStream = benchsupport::StopRecording();
        DeleteTrees(lists);
    }
    benchsupport::Collector reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& generate = reporter.Times["BM_GenerateDemoTrees"];
    const auto& compile = reporter.Times["BM_CompileRecordedStream"];
    if (generate.Cpu > 0 && compile.Cpu > 0) {
        // CPU time is the fairer figure on a shared machine; llvmpipe compiles on this thread.
        std::printf("\nfour demo trees, generator + compile: %.2f ms CPU (%.2f ms real)\n"
                    "same stream replayed and compiled:  %.2f ms CPU (%.2f ms real)\n",
                    generate.Cpu, generate.Real, compile.Cpu, compile.Real);
        benchsupport::PrintTarget("trees: generator + compile / bare compile (CPU)",
                                  generate.Cpu / compile.Cpu, "x", "at most", kTreesTarget);
    }
    benchsupport::PrintMachine();
    testsupport::DestroyEglContext();
    benchmark::Shutdown();
    return 0;
}
