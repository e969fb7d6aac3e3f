// What the benchmark programs share: keeping each benchmark's figures for the closing
// comparison, a line per target with PASS or MISS, and the machine the figures came
// from. Targets are printed, never enforced: a benchmark never fails.
#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace benchsupport {

// Real and CPU time per iteration of one benchmark, in its display unit, and its counters.
struct Timing {
    double Real = 0;
    double Cpu = 0;
    std::map<std::string, double> Counters;
};

// Prints as the console reporter does and keeps each benchmark's figures by its function
// name (with a "/argument" for benchmarks with arguments). With repetitions the median
// is kept.
class Collector : public benchmark::ConsoleReporter {
  public:
    // Colours only on a terminal, so saved output stays plain text.
    Collector();
    std::map<std::string, Timing> Times;
    void ReportRuns(const std::vector<Run>& runs) override;
};

// Two ways of doing the same work, timed in alternation (A B, then B A, and so on), so a
// busy neighbour falls on both alike: the medians of each side and of the per-pair ratio.
struct Paired {
    double MedianA = 0; // milliseconds
    double MedianB = 0;
    double MedianRatio = 0; // A over B
    int Pairs = 0;
};
// Clock of a paired run: wall time, or the CPU time of the calling thread.
enum class PairClock { Real, ThreadCpu };
// Runs pairs until both minSeconds and minPairs are reached.
Paired RunPaired(const std::function<void()>& a, const std::function<void()>& b, PairClock clock,
                 double minSeconds, int minPairs);

// One target line: "what: value unit (target: at most/at least limit unit) PASS|MISS".
void PrintTarget(const char* what, double value, const char* unit, const char* relation,
                 double limit);
// The machine: cores, CPU model, GL renderer and version, LP_NUM_THREADS, load average.
void PrintMachine();

// Starts a benchmark program: reads its arguments (adding random interleaving of the
// repetitions when Interleave is set and the caller chose nothing, so load from other
// processes falls on both sides of a comparison alike) and makes a Width x Height GL
// context current. False, with the reason on stderr, when there is no GL.
bool StartBenchmarks(int argc, char** argv, bool interleave, int width, int height);
// The folder holding the demo's five images, built in by CMake.
const char* AssetsFolder();
// Makes the demo's image folder the current one, as the program expects.
bool EnterAssetsFolder();

} // namespace benchsupport
