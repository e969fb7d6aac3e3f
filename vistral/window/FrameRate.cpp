// The frame-rate title: the rate formula, the steering of ForceFPS and the title text.
#include "vistral/WindowProc.h"

#include "vistral/RangeCheck.h"
#include "vistral/WindowState.h"
#include "WindowDetail.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

bool ViewFPS = false;
std::int32_t FPSCount = 0;
std::string FPSCountStr;
std::int32_t ForceFPS = 1;
std::int32_t AddForceFPS = 0;
std::int32_t AddIntervalFPS = FPS_INTERVAL;

namespace {

// Separator and closing text around the rate in the title.
constexpr char TITLE_RATE_OPEN[] = " - FPS [";
constexpr char TITLE_RATE_CLOSE[] = "]";
// The lowest rate the title shows.
constexpr std::int32_t LOWEST_SHOWN_RATE = 1;
// Steering of ForceFPS is on only above this target.
constexpr std::int32_t STEERING_THRESHOLD = 1;

} // namespace

namespace vistral::detail {

// Force * 1000 * Count / IntervalMs, rounded half to even, saturated to 32 bits.
std::int32_t FrameRate(std::int32_t Force, std::int32_t Count, std::int32_t IntervalMs) {
    // Worked in extended precision, so the product never wraps: exact for every
    // result within 32 bits, and saturated beyond.
    const long double quotient = static_cast<long double>(Force) * FPS_ONE_SECOND *
                                 static_cast<long double>(Count) /
                                 static_cast<long double>(IntervalMs);
    constexpr long double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr long double highest = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(quotient)) return 0;
    if (quotient <= lowest) return std::numeric_limits<std::int32_t>::min();
    if (quotient >= highest) return std::numeric_limits<std::int32_t>::max();
    // The default rounding mode rounds half to even.
    return static_cast<std::int32_t>(std::nearbyintl(quotient));
}

// Name, " - FPS [", the decimal rate, "]".
std::string FrameRateTitle(const char* Name, std::int32_t Rate) {
    std::string title = Name != nullptr ? Name : "";
    title += TITLE_RATE_OPEN;
    title += std::to_string(Rate);
    title += TITLE_RATE_CLOSE;
    return title;
}

// Ends one counting interval: shows the rate and starts the next interval.
void GLFrameRateUpdate() {
    FPSCount = FrameRate(ForceFPS, FPSCount, AddIntervalFPS);
    if (AddForceFPS > STEERING_THRESHOLD) {
        if (FPSCount < AddForceFPS) ForceFPS = vistral::CheckedAdd(ForceFPS, 1, "ForceFPS");
        if (FPSCount > AddForceFPS) ForceFPS = vistral::CheckedSub(ForceFPS, 1, "ForceFPS");
    }
    if (FPSCount < LOWEST_SHOWN_RATE) FPSCount = LOWEST_SHOWN_RATE;
    const std::string title = FrameRateTitle(SetTitleName, FPSCount);
    SetWindowTextA(HWindow, title.c_str());
    FPSCountStr = std::to_string(FPSCount);
    FPSCount = 0;
}

} // namespace vistral::detail
