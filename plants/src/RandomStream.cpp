// The tree generator's random stream.
#include "Tavrel_SimplePlants_Ext1.h"

#include <random>

namespace {

constexpr double TWO_TO_THE_32 = 4294967296.0;
constexpr std::uint32_t STREAM_SEED = 0;

std::uint64_t DrawCount = 0;

// Seeded lazily on the first draw, as the function-local static is.
std::mt19937& Stream() {
    static std::mt19937 stream(STREAM_SEED);
    return stream;
}

} // namespace

// The next output of the stream divided by 2^32.
double PlantsRandom() {
    ++DrawCount;
    return static_cast<double>(Stream()()) / TWO_TO_THE_32;
}

// Draws handed out so far.
std::uint64_t PlantsRandomDraws() {
    return DrawCount;
}

// Back to the start-up state; for tests and benchmarks only.
void PlantsRandomReset() {
    Stream().seed(STREAM_SEED);
    DrawCount = 0;
}
