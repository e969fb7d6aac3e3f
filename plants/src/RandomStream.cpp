// The tree generator's random stream.
#include "Tavrel_SimplePlants_Ext1.h"

#include <random>

namespace {

constexpr double kTwoToThe32 = 4294967296.0;
constexpr std::uint32_t kSeed = 0;

std::uint64_t DrawCount = 0;

// Seeded lazily on the first draw, as the function-local static is.
std::mt19937& Stream() {
    static std::mt19937 stream(kSeed);
    return stream;
}

} // namespace

double PlantsRandom() {
    ++DrawCount;
    return static_cast<double>(Stream()()) / kTwoToThe32;
}

std::uint64_t PlantsRandomDraws() { return DrawCount; }
