// Figure keeping, target lines and the machine description.
#include "BenchReport.h"

#include "EglContext.h"

#include <GL/gl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

namespace benchsupport {
namespace {

constexpr const char* MEDIAN = "median";

// The name a figure is kept under: function name plus any argument, no run options.
std::string KeyOf(const benchmark::BenchmarkReporter::Run& run) {
    std::string key = run.run_name.function_name;
    if (!run.run_name.args.empty()) key += "/" + run.run_name.args;
    return key;
}

// The first "model name" of /proc/cpuinfo.
std::string CpuModel() {
    std::ifstream in("/proc/cpuinfo");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("model name", 0) == 0) {
            const auto colon = line.find(':');
            if (colon != std::string::npos) return line.substr(colon + 2);
        }
    return "unknown";
}

// The three load averages.
std::string LoadAverage() {
    std::ifstream in("/proc/loadavg");
    double a = 0, b = 0, c = 0;
    in >> a >> b >> c;
    char text[64];
    std::snprintf(text, sizeof text, "%.2f %.2f %.2f", a, b, c);
    return text;
}

// A GL string, or a dash without a current context.
const char* GlText(GLenum name) {
    const auto* text = reinterpret_cast<const char*>(glGetString(name));
    return text ? text : "-";
}

// Milliseconds on the chosen clock.
double NowMs(PairClock clock) {
    if (clock == PairClock::Real)
        return std::chrono::duration<double, std::milli>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Milliseconds one call of f takes.
double TimeOnce(const std::function<void()>& f, PairClock clock) {
    const double start = NowMs(clock);
    f();
    return NowMs(clock) - start;
}

// Median of a copy.
double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

// Alternating pairs, the order swapped every pair.
Paired RunPaired(const std::function<void()>& a, const std::function<void()>& b, PairClock clock,
                 double minSeconds, int minPairs) {
    std::vector<double> as, bs, ratios;
    const auto start = std::chrono::steady_clock::now();
    const auto elapsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    a();
    b(); // warm both up
    for (int i = 0; static_cast<int>(ratios.size()) < minPairs || elapsed() < minSeconds; ++i) {
        double ta = 0, tb = 0;
        if (i % 2 == 0) {
            ta = TimeOnce(a, clock);
            tb = TimeOnce(b, clock);
        } else {
            tb = TimeOnce(b, clock);
            ta = TimeOnce(a, clock);
        }
        as.push_back(ta);
        bs.push_back(tb);
        if (tb > 0) ratios.push_back(ta / tb);
    }
    return Paired{Median(as), Median(bs), Median(ratios), static_cast<int>(ratios.size())};
}

// Colours only on a terminal.
Collector::Collector() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

// Keeps the median of repeated runs, else the single run.
void Collector::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
        const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == MEDIAN;
        const bool single = r.run_type == Run::RT_Iteration;
        if (!median && !single) continue;
        const std::string key = KeyOf(r);
        if (single && r.repetitions > 1) continue;
        Timing t{r.GetAdjustedRealTime(), r.GetAdjustedCPUTime(), {}};
        for (const auto& [name, counter] : r.counters)
            t.Counters[name] = counter.value;
        Times[key] = t;
    }
}

// One target line.
void PrintTarget(const char* what, double value, const char* unit, const char* relation,
                 double limit) {
    const bool atMost = std::strcmp(relation, "at most") == 0;
    const bool pass = atMost ? value <= limit : value >= limit;
    std::printf("%-52s %10.3f %-6s (target: %s %g %s)  %s\n", what, value, unit, relation, limit,
                unit, pass ? "PASS" : "MISS");
}

// The machine the figures came from.
void PrintMachine() {
    const char* threads = std::getenv("LP_NUM_THREADS");
    std::printf("machine: %u cores (nproc %ld), %s\n", std::thread::hardware_concurrency(),
                sysconf(_SC_NPROCESSORS_ONLN), CpuModel().c_str());
    std::printf("GL: %s, %s\n", GlText(GL_RENDERER), GlText(GL_VERSION));
    std::printf("LP_NUM_THREADS: %s; load average at the end: %s\n",
                threads ? threads : "unset (llvmpipe default: one thread per core)",
                LoadAverage().c_str());
}

// The folder holding the demo's five images.
const char* AssetsFolder() {
    return VISTRAL_ASSETS_DIR;
}

// The program reads its images by bare name from the current folder.
bool EnterAssetsFolder() {
    if (chdir(AssetsFolder()) != 0) {
        std::fprintf(stderr, "cannot enter %s\n", AssetsFolder());
        return false;
    }
    return true;
}

bool StartBenchmarks(int argc, char** argv, bool interleave, int width, int height) {
    static std::string flag = "--benchmark_enable_random_interleaving=true";
    static std::vector<char*> args;
    args.assign(argv, argv + argc);
    bool chosen = false;
    for (char* a : args)
        chosen = chosen || std::string(a).find("random_interleaving") != std::string::npos;
    if (interleave && !chosen) args.push_back(flag.data());
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (!testsupport::CreateEglContext(width, height)) {
        std::fprintf(stderr, "no GL context: %s\n", testsupport::EglError());
        return false;
    }
    return true;
}

} // namespace benchsupport
